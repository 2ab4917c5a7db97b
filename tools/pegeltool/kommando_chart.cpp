// pegeltool chart DIR YYYYMMDD (--params LIST | --group N) [--from hh:mm:ss --to hh:mm:ss]
//                 (--png FILE [--dpi D] | --pdf FILE) [--size BxH] [--json]
// The history page of a stored day as a file: the day loaded as the history browser loads
// it, the rows of the span and the chosen parameters handed over as the browser hands them
// to the history chart, and the page drawn as that window prints it. It only reads the
// plant directory: no guard, no log file, no INI key written, the sample file untouched.
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cp1252.h"
#include "headless_dienste.h"
#include "hist_grafik.h"
#include "historie_laden.h"
#include "historie_uebergabe.h"
#include "kommandos.h"
#include "konfiguration.h"
#include "poll_grafik.h"
#include "seiten_datei.h"
#include "text_format.h"

namespace pegeltool {

namespace {

using W = const std::string&;

struct ChartOptionen {
  std::optional<std::vector<int>> parameter;
  std::optional<int> gruppe;
  std::optional<std::int64_t> vonMs, bisMs;  // time of day in ms
  std::string png, pdf;
  std::optional<int> dpi;
  std::optional<std::pair<int, int>> groesse;  // mm
  bool json = false;
};

std::string U(std::string_view ansi) { return pegel::Cp1252ZuUtf8(ansi); }

std::int64_t Millisekunden(pegel::TDateTime t) { return std::llround(t * 86400000.0); }

// "hh:mm:ss" (or hh:mm) as ms of the day. Throws kommandozeile::Aufruffehler.
std::int64_t UhrzeitLesen(const std::string& option, W w) {
  const auto t = pegel::ZeitLesen(w);
  if (!t || *t < 0 || *t >= 1) {
    throw kommandozeile::Aufruffehler(option + " erwartet eine Uhrzeit hh:mm:ss, nicht '" + w +
                                      "'");
  }
  return Millisekunden(*t);
}

// "BxH" in mm, each 1..10000. Throws kommandozeile::Aufruffehler.
std::pair<int, int> GroesseLesen(W w) {
  const auto x = w.find_first_of("xX");
  const auto b = x == std::string::npos ? std::nullopt : pegel::GanzzahlLesen(w.substr(0, x));
  const auto h = x == std::string::npos ? std::nullopt : pegel::GanzzahlLesen(w.substr(x + 1));
  if (!b || !h || *b < 1 || *h < 1 || *b > 10000 || *h > 10000) {
    throw kommandozeile::Aufruffehler("--size erwartet BxH in mm (1..10000), nicht '" + w + "'");
  }
  return {static_cast<int>(*b), static_cast<int>(*h)};
}

void Pruefen(const ChartOptionen& o, const std::vector<std::string>& frei) {
  const std::string& tag = frei.at(1);
  if (tag.size() != 8 ||
      !std::all_of(tag.begin(), tag.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    throw kommandozeile::Aufruffehler("Tag als JJJJMMTT erwartet, nicht '" + tag + "'");
  }
  if (o.parameter.has_value() == o.gruppe.has_value()) {
    throw kommandozeile::Aufruffehler("genau eine von --params und --group angeben");
  }
  if (o.png.empty() == o.pdf.empty()) {
    throw kommandozeile::Aufruffehler("genau eine von --png und --pdf angeben");
  }
  if (o.dpi && o.png.empty()) throw kommandozeile::Aufruffehler("--dpi gilt nur mit --png");
  if (o.vonMs && o.bisMs && *o.vonMs > *o.bisMs) {
    throw kommandozeile::Aufruffehler("--from liegt nach --to");
  }
}

// The rows (1-based) from the first whose time is at or after `von` to the last whose time is
// at or before `bis`; nullopt when no row lies between them.
std::optional<std::pair<std::int32_t, std::int32_t>> Zeilen(const pegel::gitter& g,
                                                            std::int32_t zeilen, std::int64_t von,
                                                            std::int64_t bis) {
  // Each end is searched from its own side: for the whole day both searches stop at once
  // instead of reading every row's time.
  const auto ms = [&](std::int32_t r) -> std::optional<std::int64_t> {
    const auto t = pegel::ZeitLesen(g.Zelle(static_cast<std::size_t>(r), 1));
    if (!t) return std::nullopt;
    return Millisekunden(*t);
  };
  std::int32_t erste = 0, letzte = 0;
  for (std::int32_t r = 0; r < zeilen && erste == 0; ++r) {
    const auto t = ms(r);
    if (t && *t >= von) erste = r + 1;
  }
  if (erste == 0) return std::nullopt;
  // A last row before the first one leaves no span, so the search ends at the first.
  for (std::int32_t r = zeilen - 1; r >= erste - 1 && letzte == 0; --r) {
    const auto t = ms(r);
    if (t && *t <= bis) letzte = r + 1;
  }
  if (letzte < erste) return std::nullopt;
  return std::pair(erste, letzte);
}

struct Bericht {
  std::vector<std::string> meldungen;  // Windows-1252
  nlohmann::ordered_json j;
};

// Fails with the message, on stderr (or in the JSON), and exit code 1.
int Fehlschlag(const ChartOptionen& o, Bericht& b, const std::string& meldung) {
  b.meldungen.push_back(meldung);
  b.j["ok"] = false;
  b.j["meldungen"] = Utf8Liste(b.meldungen);
  if (o.json) {
    std::cout << b.j.dump(2) << "\n";
  } else {
    for (const auto& m : b.meldungen) std::cerr << U(m) << "\n";
  }
  return ExitDaten;
}

int Chart(const ChartOptionen& o, const std::vector<std::string>& frei) {
  Pruefen(o, frei);
  HeadlessLauf lauf(Anlagenverzeichnis(frei.at(0)), true);
  pegel::PegelStatus& s = lauf.s;
  Bericht b;

  // The configuration as the program's start loads it, without writing anything: colours,
  // warning limits and user scales of the parameters, the groups, the print size.
  pegel::Initialisierung(s, lauf.d);
  pegel::FormateLesen(s, lauf.d);
  pegel::DruckformatLesen(s);

  // The day, as the browser's click on it loads it.
  pegel::LadeAuftrag auftrag;
  auftrag.Suchverzeichnis = s.Pfade.ProgDir;
  auftrag.eintraege = {frei.at(1) + ".DAT"};
  auftrag.gewaehlt = 0;
  auftrag.DDEIntervallMs = s.Takt.DDEIntervallMs;
  auftrag.jetzt = lauf.uhr.Jetzt();
  const pegel::HistorienLadung tag = pegel::HistorienTagLaden(auftrag);
  for (const auto& m : tag.meldungen) b.meldungen.push_back(m);
  for (const auto& m : tag.log) b.meldungen.push_back(m);
  b.j["datei"] = U(tag.datei.string());
  b.j["zeilen_geladen"] = tag.Zeilenzahl;
  if (!tag.Geladen()) return Fehlschlag(o, b, "Keine Messwerte in " + tag.datei.string());

  const auto span =
      Zeilen(tag.DatenGitter, tag.Zeilenzahl, o.vonMs.value_or(0), o.bisMs.value_or(86400000));
  if (!span) return Fehlschlag(o, b, "Keine Messwerte zwischen --from und --to");

  std::vector<int> parameter;
  if (o.parameter) {
    parameter = *o.parameter;
    for (int p : parameter) {
      if (p > tag.HistKopf.Itemcount) {
        return Fehlschlag(o, b, pegel::UnbekannterParameterText(p));
      }
    }
  } else {
    // A group as the chart's group menu loads it: members up to the first number below 1,
    // those beyond the day's columns left out.
    const int g = *o.gruppe;
    if (g > s.Gruppen.GruppenAnzahl) {
      return Fehlschlag(o, b, pegel::Ansi("Gruppe nicht in gewählter Datei vorhanden!"));
    }
    for (std::int32_t p : s.Gruppen.GruppenTabelle.at(static_cast<std::size_t>(g)).Mitglieder) {
      if (p < 1) break;
      if (p <= tag.HistKopf.Itemcount) {
        parameter.push_back(p);
      } else {
        b.meldungen.push_back("Gruppe " + std::to_string(g) + ": Parameter " + std::to_string(p) +
                              pegel::Ansi(" fehlt in der Tagesdatei"));
      }
    }
    if (parameter.empty()) {
      return Fehlschlag(o, b, pegel::Ansi("Gruppe nicht in gewählter Datei vorhanden!"));
    }
  }

  pegel::UebergabeErgebnis uebergabe = pegel::HistorienUebergabe(
      tag.DatenGitter, tag.HistKopf, s.Par(), span->first, span->second, parameter, tag.GrafikTag);
  if (uebergabe.Meldung) return Fehlschlag(o, b, *uebergabe.Meldung);
  uebergabe.Bereich.Messintervall = tag.Messintervall;

  // Qt draws the page; the tool has no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "pegeltool";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);

  pegel::historie::HistGrafik grafik(s, lauf.d);
  if (!grafik.Laden(uebergabe.Bereich)) {
    return Fehlschlag(o, b, "Die Grafik kann nicht geladen werden");
  }
  const auto [breite, hoehe] =
      o.groesse.value_or(std::pair(s.Druck.Druckbreite, s.Druck.Druckhoehe));
  grafik.seite.Seitenbreite = breite;
  grafik.seite.Seitenhoehe = hoehe;
  grafik.seite.Textrand = s.Anzeige.Textrand;
  grafik.schriften.SeitenSchriftenErzeugen();
  pegel::chart::SeitenUmfeld umfeld{lauf.log, lauf.ereignisse, lauf.uhr, nullptr, {}};
  bool fertig = false;
  const pegel::ui::SeitenZeichner zeichnen = [&](pegel::chart::Canvas& c) {
    fertig = pegel::historie::HistorienSeiteZeichnen(grafik, c, grafik.schriften, umfeld,
                                                     pegel::chart::Ziel::Datei);
  };
  const std::string datei = o.pdf.empty() ? o.png : o.pdf;
  const bool geschrieben =
      o.pdf.empty() ? pegel::ui::SeiteAlsPng(o.png, breite, hoehe, o.dpi.value_or(150), zeichnen)
                    : pegel::ui::SeiteAlsPdf(o.pdf, breite, hoehe, zeichnen);
  // The loader's and the page's log lines: in the JSON, and on stderr only when drawing
  // failed, so that a run from cron stays quiet when all went well.
  b.j["log"] = Utf8Liste(lauf.senke.meldungen);
  if (!geschrieben || !fertig) {
    for (const auto& m : lauf.senke.meldungen) b.meldungen.push_back(m);
    return Fehlschlag(o, b, "Die Seite konnte nicht nach " + datei + " geschrieben werden");
  }

  b.j["ok"] = true;
  b.j["ausgabe"] = datei;
  b.j["erste_zeile"] = span->first;
  b.j["letzte_zeile"] = span->second;
  b.j["parameter"] = parameter;
  b.j["seite_mm"] = {breite, hoehe};
  b.j["meldungen"] = Utf8Liste(b.meldungen);
  if (o.json) {
    std::cout << b.j.dump(2) << "\n";
  } else {
    std::cout << datei << ": " << parameter.size() << " Parameter, Zeilen " << span->first
              << " bis " << span->second << ", Seite " << breite << " x " << hoehe << " mm\n";
    for (const auto& m : b.meldungen) std::cerr << U(m) << "\n";
  }
  return ExitOk;
}

}  // namespace

Kommando KommandoChart() {
  auto o = std::make_shared<ChartOptionen>();
  return {
      "chart",
      {"VERZ", "JJJJMMTT"},
      "die Seite der Historien-Grafik eines gespeicherten Tages als PNG oder PDF; liest nur",
      "0 geschrieben, 1 keine Daten oder nicht zu zeichnen, 2 Aufruffehler",
      {{"--params", "LISTE", "diese Parameter (wie 1,3,5; höchstens 9)",
        [o](W w) {
          o->parameter = ParameterListe(w);
          if (!o->parameter) {
            throw kommandozeile::Aufruffehler("--params braucht Parameternummern wie 1,3,5");
          }
          if (o->parameter->size() > 9) {
            throw kommandozeile::Aufruffehler("Sie haben mehr als 9 Grafiken ausgewählt !");
          }
        }},
       {"--group", "N", "die Parameter der Gruppe N (1..20)",
        [o](W w) { o->gruppe = static_cast<int>(kommandozeile::Ganzzahl("--group", w, 1, 20)); }},
       {"--from", "hh:mm:ss", "erste Zeile zu oder nach dieser Uhrzeit (Vorgabe: Tagesanfang)",
        [o](W w) { o->vonMs = UhrzeitLesen("--from", w); }},
       {"--to", "hh:mm:ss", "letzte Zeile zu oder vor dieser Uhrzeit (Vorgabe: Tagesende)",
        [o](W w) { o->bisMs = UhrzeitLesen("--to", w); }},
       {"--png", "DATEI", "die Seite als PNG in DATEI schreiben", [o](W w) { o->png = w; }},
       {"--dpi", "D", "Auflösung des PNG, 1..2400 (Vorgabe 150)",
        [o](W w) { o->dpi = static_cast<int>(kommandozeile::Ganzzahl("--dpi", w, 1, 2400)); }},
       {"--pdf", "DATEI", "die Seite als PDF in DATEI schreiben", [o](W w) { o->pdf = w; }},
       {"--size", "BxH",
        "Seitengröße in mm (Vorgabe: Druckgröße [PegelWart] Druckbreite x Druckhoehe)",
        [o](W w) { o->groesse = GroesseLesen(w); }},
       JsonOption(o->json)},
      [o](const std::vector<std::string>& frei) { return Chart(*o, frei); }};
}

}  // namespace pegeltool
