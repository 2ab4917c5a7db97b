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
#include "text_format.h"

namespace pegeltool {
namespace {

using nlohmann::ordered_json;
using pegel::Cp1252ZuUtf8;

ordered_json ParameterJson(const pegel::PegelStatus& s, int n) {
  const auto i = static_cast<std::size_t>(n);
  const auto& def = s.ItemDefs.at(i);
  const auto& w = s.ItemWerte.at(i);
  const auto& summe = s.ItemSummen.at(i);
  ordered_json p;
  p["nr"] = n;
  p["Item"] = Cp1252ZuUtf8(def.Item);
  p["Itemname"] = Cp1252ZuUtf8(def.Itemname);
  p["Einheit"] = Cp1252ZuUtf8(def.Einheit);
  p["Grafiktyp"] = s.Grafiktyp.at(i);
  p["GrafikRef"] = s.GrafikRef.at(i);
  p["UpLimit"] = w.UpLimit;
  p["LoLimit"] = w.LoLimit;
  p["UpWarn"] = w.UpWarn;
  p["LoWarn"] = w.LoWarn;
  p["ColorWarn"] = w.ColorWarn;
  p["ColorNorm"] = w.ColorNorm;
  p["MinSkal"] = w.MinSkal;
  p["MaxSkal"] = w.MaxSkal;
  p["Grafikanzeige"] = s.Grafikanzeige.at(i);
  p["GrafikSumEinheit"] = Cp1252ZuUtf8(summe.GrafikSumEinheit);
  p["GrafikSumTeiler"] = summe.GrafikSumTeiler;
  return p;
}

ordered_json Ergebnis(const pegel::PegelStatus& s, const HeadlessMessages& m,
                      const CollectingSink& log) {
  ordered_json j;
  j["ini"] = Cp1252ZuUtf8(s.IniDatei.filename().string());
  j["KonfigOK"] = s.KonfigOK;
  j["Itemcount"] = s.Itemcount;
  ordered_json par = ordered_json::array();
  // Only parameters that were loaded: the loop stops at a missing display name.
  const int geladen = static_cast<int>(s.ItemListe.size());
  for (int n = 1; n <= std::min(geladen, s.Itemcount); ++n) par.push_back(ParameterJson(s, n));
  j["parameter"] = par;
  const auto& e = s.Einstell;
  ordered_json st;
  st["DDEIntervall"] = s.DDEIntervall;
  st["DDEIntervallMs"] = s.DDEIntervallMs;
  st["DDEEinheit"] = s.DDEEinheit;
  st["GrafikIntervall"] = s.GrafikIntervall;
  st["GrafikIntervallEinheit"] = s.GrafikIntervallEinheit;
  st["Puffer"] = s.Puffer;
  st["AutoStartAktiv"] = s.AutoStartAktiv;
  st["FehlerLog"] = s.FehlerLog;
  st["AlteDaten"] = s.AlteDaten;
  st["Textrand"] = s.Textrand;
  st["PR"] = s.PR;
  st["NK"] = s.NK;
  st["Querformat"] = s.Querformat;
  st["Druckbreite"] = s.Druckbreite;
  st["Druckhoehe"] = s.Druckhoehe;
  st["DruckerNr"] = s.DruckerNr;
  st["DruckerName"] = Cp1252ZuUtf8(s.DruckerName);
  st["TimerSampleMs"] = s.TimerSampleMs;
  st["Auswahl"] = e.coStunden;
  st["AuswahlText"] = Cp1252ZuUtf8(pegel::SpannenText(e.coStunden));
  st["AndereZeit"] = e.spAndere;
  j["einstellungen"] = st;
  ordered_json gr = ordered_json::array();
  for (int g = 1; g <= s.GruppenAnzahl; ++g) {
    const auto& grp = s.GruppenTabelle.at(static_cast<std::size_t>(g));
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
