// pegeltool config DIR [--json]: the configuration of a plant directory as the program's
// first start would load it, without changing any file (and without the directory's guard,
// which a read-only command does not need).
#include <filesystem>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cp1252.h"
#include "dienste.h"
#include "headless_dienste.h"
#include "kommandos.h"
#include "konfiguration.h"
#include "plattform.h"
#include "spannen.h"
#include "text_format.h"

namespace pegeltool {
namespace {

using nlohmann::ordered_json;
using pegel::Cp1252ZuUtf8;

ordered_json ParameterJson(const pegel::PegelStatus& s, int n) {
  const pegel::Parameter& par = s.Par().at(n);
  ordered_json p;
  p["nr"] = n;
  p["Item"] = Cp1252ZuUtf8(par.Item);
  p["Itemname"] = Cp1252ZuUtf8(par.ItemnameKurz());
  p["Einheit"] = Cp1252ZuUtf8(par.Einheit);
  p["Grafiktyp"] = pegel::Roh(par.Typ);
  p["GrafikRef"] = par.GrafikRef;
  p["UpLimit"] = par.UpLimit;
  p["LoLimit"] = par.LoLimit;
  p["UpWarn"] = par.UpWarn;
  p["LoWarn"] = par.LoWarn;
  p["ColorWarn"] = par.ColorWarn;
  p["ColorNorm"] = par.ColorNorm;
  p["MinSkal"] = par.MinSkal;
  p["MaxSkal"] = par.MaxSkal;
  p["Grafikanzeige"] = s.Auswahl.Grafikanzeige.at(static_cast<std::size_t>(n));
  p["GrafikSumEinheit"] = Cp1252ZuUtf8(par.GrafikSumEinheit);
  p["GrafikSumTeiler"] = par.GrafikSumTeiler;
  return p;
}

ordered_json Ergebnis(const pegel::PegelStatus& s, const HeadlessMessages& m,
                      const CollectingSink& log) {
  ordered_json j;
  j["ini"] = Cp1252ZuUtf8(s.Pfade.IniDatei.filename().string());
  j["KonfigOK"] = s.KonfigOK;
  j["Itemcount"] = s.Par().Itemcount();
  ordered_json par = ordered_json::array();
  // Only parameters that were loaded: the loop stops at a missing display name.
  const int geladen = static_cast<int>(s.Par().ItemListe().size());
  for (int n = 1; n <= std::min(geladen, s.Par().Itemcount()); ++n)
    par.push_back(ParameterJson(s, n));
  j["parameter"] = par;
  const auto& e = s.Einstell;
  ordered_json st;
  st["DDEIntervall"] = s.Takt.DDEIntervall;
  st["DDEIntervallMs"] = s.Takt.DDEIntervallMs;
  st["DDEEinheit"] = s.Takt.DDEEinheit;
  st["GrafikIntervall"] = s.Anzeige.GrafikIntervall;
  st["GrafikIntervallEinheit"] = s.Anzeige.GrafikIntervallEinheit;
  st["Puffer"] = s.Anzeige.Puffer;
  st["AutoStartAktiv"] = s.Anzeige.AutoStartAktiv;
  st["FehlerLog"] = s.Anzeige.FehlerLog;
  st["AlteDaten"] = s.Anzeige.AlteDaten;
  st["Textrand"] = s.Anzeige.Textrand;
  st["PR"] = s.Formate.PR;
  st["NK"] = s.Formate.NK;
  st["Querformat"] = s.Druck.Querformat;
  st["Druckbreite"] = s.Druck.Druckbreite;
  st["Druckhoehe"] = s.Druck.Druckhoehe;
  st["DruckerNr"] = s.Druck.DruckerNr;
  st["DruckerName"] = Cp1252ZuUtf8(s.Druck.DruckerName);
  st["TimerSampleMs"] = s.Anzeige.TimerSampleMs;
  st["Auswahl"] = e.coStunden;
  st["AuswahlText"] = Cp1252ZuUtf8(pegel::SpannenText(e.coStunden));
  st["AndereZeit"] = e.spAndere;
  j["einstellungen"] = st;
  ordered_json gr = ordered_json::array();
  for (int g = 1; g <= s.Gruppen.GruppenAnzahl; ++g) {
    const auto& grp = s.Gruppen.GruppenTabelle.at(static_cast<std::size_t>(g));
    ordered_json o;
    o["nr"] = g;
    o["Name"] = Cp1252ZuUtf8(grp.Name);
    ordered_json mitglieder = ordered_json::array();
    for (std::int32_t p : grp.Mitglieder) {
      if (p <= 0) break;
      mitglieder.push_back(p);
    }
    o["Mitglieder"] = mitglieder;
    o["Mitgliederzahl"] = grp.Mitgliederzahl;
    o["Drucken"] = grp.Drucken;
    gr.push_back(o);
  }
  j["gruppen"] = gr;
  j["meldungen"] = Utf8Liste(m.gezeigt);
  j["log"] = Utf8Liste(log.meldungen);
  return j;
}

void TextAusgabe(const ordered_json& j) {
  std::cout << "INI-Datei:   " << j["ini"].get<std::string>() << "\n"
            << "KonfigOK:    " << (j["KonfigOK"].get<bool>() ? "ja" : "nein") << "\n"
            << "Parameter:   " << j["Itemcount"].get<int>() << "\n";
  for (const auto& p : j["parameter"]) {
    std::cout << "  " << p["nr"].get<int>() << ": " << p["Itemname"].get<std::string>() << " ["
              << p["Einheit"].get<std::string>() << "] Typ " << p["Grafiktyp"].get<int>()
              << ", Grenzen " << pegel::FestFormat(p["LoLimit"].get<double>(), 7, 2) << " .. "
              << pegel::FestFormat(p["UpLimit"].get<double>(), 7, 2) << "\n";
  }
  std::cout << "Einstellungen:\n";
  for (const auto& [k, v] : j["einstellungen"].items())
    std::cout << "  " << k << " = " << v << "\n";
  std::cout << "Gruppen: " << j["gruppen"].size() << "\n";
  for (const auto& g : j["gruppen"]) {
    std::cout << "  " << g["nr"].get<int>() << ": " << g["Name"].get<std::string>()
              << (g["Drucken"].get<bool>() ? " (Druck)" : "") << "\n";
  }
  std::cout << "Meldungen:\n";
  for (const auto& m : j["meldungen"]) std::cout << "  " << m.get<std::string>() << "\n";
}

}  // namespace

Kommando KommandoConfig() {
  auto json = std::make_shared<bool>(false);
  return {"config",
          {"VERZ"},
          "die Konfiguration der Anlage VERZ, wie der erste Start sie lädt; ändert keine Datei",
          "0 geladen, 1 Konfiguration ungültig (KonfigOK falsch), 2 Aufruffehler",
          {JsonOption(*json)},
          [json](const std::vector<std::string>& frei) {
            HeadlessLauf lauf(Anlagenverzeichnis(frei.at(0)), true);
            pegel::PegelStatus& s = lauf.s;
            pegel::Initialisierung(s, lauf.d);
            pegel::FormateLesen(s, lauf.d);
            pegel::DruckformatLesen(s);

            const ordered_json j = Ergebnis(s, lauf.meldungen, lauf.senke);
            if (*json) {
              std::cout << j.dump(2) << "\n";
            } else {
              TextAusgabe(j);
            }
            return s.KonfigOK ? ExitOk : ExitDaten;
          }};
}

}  // namespace pegeltool
