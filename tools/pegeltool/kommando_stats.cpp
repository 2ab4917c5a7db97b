// pegeltool stats DIR YYYYMMDD --from hh:mm:ss --to hh:mm:ss [--params LIST] [--json]: the
// value table's span statistics of a stored day, as the window shows them.
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cp1252.h"
#include "kommandos.h"
#include "wert_statistik.h"
#include "werte_tag.h"

namespace pegeltool {

namespace {

using nlohmann::ordered_json;
using pegel::Cp1252ZuUtf8;

struct StatsOptionen {
  std::optional<std::string> von, bis;
  std::vector<int> parameter;
  bool json = false;
};

// A number of the result, or null where the window shows no number.
ordered_json Zahl(double v, bool gilt = true) { return gilt ? ordered_json(v) : ordered_json(); }

ordered_json Json(const WerteTag& tag, const StatsOptionen& o, const pegel::WerteTabelle& t,
                  const pegel::StatistikErgebnis& e) {
  ordered_json j;
  j["tag"] = tag.tag;
  j["von"] = *o.von;
  j["bis"] = *o.bis;
  j["zeitdifferenz"] = Cp1252ZuUtf8(e.lbDiff);
  j["anzahl"] = e.anzahl;
  j["PR"] = tag.lauf.s.Formate.PR;
  j["NK"] = tag.lauf.s.Formate.NK;
  j["meldungen"] = Utf8Liste(e.meldungen);
  ordered_json par = ordered_json::array();
  for (std::size_t k = 1; k < t.Spalten(); ++k) {
    ordered_json p;
    p["nr"] = static_cast<int>(t.Feld(k)) - 1;
    p["titel"] = Cp1252ZuUtf8(std::string(t.Titel(k)));
    const bool werte = k - 1 < e.spalten.size();
    if (werte) {
      const pegel::SpaltenStatistik& s = e.spalten[k - 1];
      p["einheit"] = Cp1252ZuUtf8(s.einheit.einheit);
      p["mengeneinheit"] = Cp1252ZuUtf8(s.einheit.mengeneinheit);
      p["zeiteinheit"] = s.einheit.zeiteinheit;
      p["Minimum"] = s.Min;
      p["tMin"] = Cp1252ZuUtf8(s.tMin);
      p["Maximum"] = s.Max;
      p["tMax"] = Cp1252ZuUtf8(s.tMax);
      p["Mittelwert"] = s.Mittel;
      p["Anzahl"] = e.anzahl;
      p["Summe"] = s.Summe;
      // The integral as computed, also where the window shows "----------" for it (a
      // value not above zero); null for a unit without a time unit.
      p["Integral"] = Zahl(s.Integral, s.HatIntegral());
    }
    ordered_json texte;
    for (std::size_t z = 1; z < pegel::StatistikZeilenzahl && !e.grStat.empty(); ++z) {
      texte[pegel::StatistikZeilen[z]] = Cp1252ZuUtf8(e.grStat.at(z).at(k));
    }
    p["texte"] = texte;
    par.push_back(p);
  }
  j["parameter"] = par;
  return j;
}

void Text(const WerteTag& tag, const StatsOptionen& o, const pegel::WerteTabelle& t,
          const pegel::StatistikErgebnis& e) {
  std::cout << "Tag " << tag.tag << ", Zeitraum " << *o.von << " bis " << *o.bis
            << ", Zeitdifferenz " << Cp1252ZuUtf8(e.lbDiff) << ", " << e.anzahl << " Zeilen\n";
  for (std::size_t k = 1; k < t.Spalten(); ++k) {
    std::cout << "\n" << Cp1252ZuUtf8(e.grStat.at(0).at(k)) << "\n";
    for (std::size_t z = 1; z < pegel::StatistikZeilenzahl; ++z) {
      const std::string name = pegel::StatistikZeilen[z];
      std::cout << "  " << name << std::string(15 - name.size(), ' ')
                << Cp1252ZuUtf8(e.grStat.at(z).at(k)) << "\n";
    }
  }
}

int Stats(const StatsOptionen& o, const std::vector<std::string>& frei) {
  if (!o.von || !o.bis) throw kommandozeile::Aufruffehler("--from und --to sind nötig");
  const std::unique_ptr<WerteTag> tag = WerteTagLaden("stats", frei);
  if (!tag) return ExitDaten;
  const pegel::WerteTabelle t = tag->Tabelle(o.parameter);
  const pegel::StatistikErgebnis e =
      pegel::btStatistikClick(t, *o.von, *o.bis, tag->lauf.s.Formate.PR, tag->lauf.s.Formate.NK);
  for (const std::string& m : e.meldungen) {
    std::cerr << "pegeltool stats: " << Cp1252ZuUtf8(m) << "\n";
  }
  if (o.json) {
    std::cout << Json(*tag, o, t, e).dump(2) << "\n";
  } else if (e.anzahl >= 1) {
    Text(*tag, o, t, e);
  }
  return e.anzahl >= 1 ? ExitOk : ExitDaten;
}

}  // namespace

Kommando KommandoStats() {
  auto o = std::make_shared<StatsOptionen>();
  return {"stats",
          {"VERZ", "JJJJMMTT"},
          "die Statistik der Werte-Tabelle über den Zeitraum --from bis --to (Minimum, Maximum mit "
          "ihren Zeiten, Mittelwert, Anzahl, Summe, Integralsumme) je Parameter, wie das Fenster "
          "sie zeigt; ändert keine Datei",
          "0 berechnet, 1 keine Daten (Tag nicht lesbar oder keine Zeile im Zeitraum), "
          "2 Aufruffehler",
          {{"--from", "hh:mm:ss", "Beginn des Zeitraums",
            [o](const std::string& w) { o->von = ZeitOption("--from", w); }},
           {"--to", "hh:mm:ss", "Ende des Zeitraums",
            [o](const std::string& w) { o->bis = ZeitOption("--to", w); }},
           {"--params", "LISTE", "nur diese Parameter, z. B. 1,3-5 (sonst alle des Tages)",
            [o](const std::string& w) { o->parameter = ParameterListeLesen(w); }},
           JsonOption(o->json)},
          [o](const std::vector<std::string>& frei) { return Stats(*o, frei); }};
}

}  // namespace pegeltool
