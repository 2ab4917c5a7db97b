// pegeltool poll DIR [--passes N] [--every MS] [--json]: a headless viewer run. Loads the
// configuration as the first show of the main window does, starts the viewer (with
// today's day file when AlteDaten is set, and its immediate polling pass), runs N more
// passes MS milliseconds apart and prints the buffer, statistics and live table. It is a
// viewer run: it takes the collector's files away, writes the log and the INI keys the
// loader writes back; questions are answered No. Without --every the configured polling
// period is used. The run holds the plant directory's single-instance guard, the one the
// viewer takes.
#include <chrono>
#include <filesystem>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <thread>

#include "cp1252.h"
#include "dienste.h"
#include "headless_dienste.h"
#include "instanzschutz.h"
#include "kommandos.h"
#include "konfiguration.h"
#include "plattform.h"
#include "poll_grafik.h"
#include "text_format.h"
#include "viewer.h"

namespace pegeltool {
namespace {

using nlohmann::ordered_json;
using pegel::Cp1252ZuUtf8;

ordered_json Ergebnis(const pegel::PegelStatus& s, pegel::Viewer& viewer, const HeadlessMessages& m,
                      const CollectingSink& log) {
  const auto folge = s.Ring.SlotsInZeitfolge();
  ordered_json j;
  j["PufferZeiger"] = s.Ring.Zaehler();
  j["Schreibposition"] = s.Ring.NeuesterSlot();
  j["zeilen_gesamt"] = viewer.Abfrage().ZeilenGesamt();
  ordered_json par = ordered_json::array();
  for (int n = 1; n <= s.Par().Itemcount() && n <= pegel::MaxItems; ++n) {
    const auto i = static_cast<std::size_t>(n);
    const auto& w = s.Statistik.at(i);
    ordered_json p;
    p["nr"] = n;
    p["Anzahl"] = w.Anzahl;
    p["Mittelwert"] = w.Mittelwert;
    p["Minimum"] = w.Minimum;
    p["Maximum"] = w.Maximum;
    p["AktMax"] = s.Sammler.AktMax.at(i);
    ordered_json akt = ordered_json::array();
    for (int f = 1; f <= 8; ++f) {
      akt.push_back(Cp1252ZuUtf8(s.Sammler.AktDaten.at(i).at(static_cast<std::size_t>(f))));
    }
    p["AktDaten"] = akt;
    ordered_json werte = ordered_json::array();
    if (n <= s.Ring.Zeilen()) {
      const auto& zeile = s.Ring.Zeile(n);
      for (std::size_t slot : folge) {
        if (slot >= zeile.size() || zeile[slot] == pegel::NoValue) {
          werte.push_back(nullptr);
        } else {
          werte.push_back(zeile[slot]);
        }
      }
    }
    p["werte"] = werte;
    par.push_back(p);
  }
  j["parameter"] = par;
  ordered_json zeiten = ordered_json::array();
  for (std::size_t slot : folge) {
    zeiten.push_back(pegel::ZeitText(s.Ring.Zeit(static_cast<std::int32_t>(slot))));
  }
  j["zeiten"] = zeiten;
  ordered_json tabelle = ordered_json::array();
  for (const auto& zeile : viewer.Tabelle().AlleZeilen()) {
    ordered_json z = ordered_json::array();
    for (const auto& zelle : zeile) z.push_back(Cp1252ZuUtf8(zelle));
    tabelle.push_back(z);
  }
  j["tabelle"] = tabelle;
  j["meldungen"] = Utf8Liste(m.gezeigt);
  j["log"] = Utf8Liste(log.meldungen);
  return j;
}

void TextAusgabe(const ordered_json& j) {
  std::cout << "PufferZeiger:  " << j["PufferZeiger"].get<int>() << "\n"
            << "Zeilen:        " << j["zeilen_gesamt"].get<std::int64_t>() << "\n";
  for (const auto& p : j["parameter"]) {
    std::cout << "  " << p["nr"].get<int>() << ": Anzahl "
              << pegel::FestFormat(p["Anzahl"].get<double>(), 7, 3) << ", Mittelwert "
              << pegel::FestFormat(p["Mittelwert"].get<double>(), 7, 2) << ", Minimum "
              << pegel::FestFormat(p["Minimum"].get<double>(), 7, 2) << ", Maximum "
              << pegel::FestFormat(p["Maximum"].get<double>(), 7, 2) << "\n";
  }
  std::cout << "Tabelle:\n";
  for (const auto& z : j["tabelle"]) {
    std::string zeile;
    for (const auto& c : z) zeile += (zeile.empty() ? "" : " | ") + c.get<std::string>();
    std::cout << "  " << zeile << "\n";
  }
  std::cout << "Meldungen:\n";
  for (const auto& m : j["meldungen"]) std::cout << "  " << m.get<std::string>() << "\n";
  std::cout << "Log:\n";
  for (const auto& m : j["log"]) std::cout << "  " << m.get<std::string>() << "\n";
}

struct PollOptionen {
  std::int32_t durchlaeufe = 1;
  std::int32_t abstand = -1;  // without --every: the configured polling period
  bool json = false;
  std::optional<std::vector<int>> grafik;
  std::string png, pdf;
  std::int32_t dpi = 150;
  std::optional<pegel::TDateTime> start;
};

int Poll(const PollOptionen& o, const std::vector<std::string>& frei) {
  if (o.grafik ? o.png.empty() == o.pdf.empty() : !o.png.empty() || !o.pdf.empty()) {
    throw kommandozeile::Aufruffehler("--chart braucht genau eine von --png und --pdf");
  }
  std::optional<GrafikAuftrag> grafik;
  if (o.grafik)
    grafik = GrafikAuftrag{*o.grafik, o.pdf.empty() ? o.png : o.pdf, !o.pdf.empty(), o.dpi};
  const std::string verz = Anlagenverzeichnis(frei.at(0));

  // A viewer run takes the collector's files away, so it runs only while no viewer and no
  // other poll works on the plant; otherwise it changes nothing at all.
  pegel::ui::Instanzschutz schutz(QString::fromStdString(verz));
  if (schutz.Nehmen() != pegel::ui::Instanzschutz::Ergebnis::Genommen) {
    std::cerr << "pegeltool poll: " << verz << " nicht bearbeitet: " << schutz.Grund().toStdString()
              << "\n";
    return ExitBelegt;
  }

  HeadlessLauf lauf(verz, false, o.start);
  pegel::PegelStatus& s = lauf.s;
  pegel::Dienste& d = lauf.d;
  pegel::ErstesZeigen(s, d);
  pegel::Viewer viewer(s, d);
  viewer.Starten();
  const std::int32_t abstand = o.abstand < 0 ? s.Anzeige.TimerSampleMs : o.abstand;
  for (std::int32_t n = 0; n < o.durchlaeufe && viewer.Laeuft(); ++n) {
    std::this_thread::sleep_for(std::chrono::milliseconds(abstand));
    viewer.TimerSampleTimer();
  }

  bool grafikOk = true;
  if (grafik && s.KonfigOK) grafikOk = GrafikSchreiben(s, d, viewer.Tabelle(), *grafik);
  if (grafik && !grafikOk) std::cerr << "pegeltool poll: Grafik nicht geschrieben\n";

  const ordered_json j = Ergebnis(s, viewer, lauf.meldungen, lauf.senke);
  if (o.json) {
    std::cout << j.dump(2) << "\n";
  } else {
    TextAusgabe(j);
  }
  return s.KonfigOK && grafikOk ? ExitOk : ExitDaten;
}

}  // namespace

Kommando KommandoPoll() {
  using kommandozeile::Ganzzahl;
  using W = const std::string&;
  auto o = std::make_shared<PollOptionen>();
  return {
      "poll",
      {"VERZ"},
      "ein Lauf der Anzeige ohne Bildschirm: startet wie das Programm, fragt N-mal ab und gibt "
      "Puffer, Tagesstatistik und Echtzeit-Tabelle aus; nimmt dem Sammler die Dateien ab wie "
      "die Anzeige und läuft nur, solange keine Anzeige und kein anderes poll die Anlage "
      "bearbeitet",
      "0 gelaufen, 1 Konfiguration ungültig oder Grafik nicht geschrieben, 2 Aufruffehler, "
      "3 die Anlage wird schon bearbeitet (von PegelWart oder einem anderen poll) oder ihre "
      "Sperrdatei ist nicht anzulegen; nichts geändert",
      {{"--passes", "N", "N Abfragen nach der ersten beim Start (Vorgabe 1)",
        [o](W w) {
          o->durchlaeufe = static_cast<std::int32_t>(Ganzzahl("--passes", w, 0, 2147483647));
        }},
       {"--every", "MS", "Abstand der Abfragen in ms (Vorgabe: die eingestellte Abfragezeit)",
        [o](W w) {
          o->abstand = static_cast<std::int32_t>(Ganzzahl("--every", w, 0, 2147483647));
        }},
       {"--start", "\"JJJJ-MM-TT hh:mm:ss\"",
        "die Uhr des Laufs beginnt bei dieser Zeit statt jetzt und läuft in Echtzeit weiter (wie "
        "pegelsim --start)",
        [o](W w) {
          o->start = kommandozeile::ZeitpunktLesen(w);
          if (!o->start) {
            throw kommandozeile::Aufruffehler("--start: \"JJJJ-MM-TT hh:mm:ss\" erwartet");
          }
        }},
       JsonOption(o->json),
       {"--chart", "LISTE",
        "dazu die Seite der Live-Grafik dieser Parameter (wie 1,3,5) zeichnen, mit --png oder "
        "--pdf",
        [o](W w) {
          o->grafik = ParameterListe(w);
          if (!o->grafik) {
            throw kommandozeile::Aufruffehler("--chart braucht Parameternummern wie 1,3,5");
          }
        }},
       {"--png", "DATEI", "die Grafik als PNG in DATEI schreiben", [o](W w) { o->png = w; }},
       {"--dpi", "D", "Auflösung des PNG, 1..2400 (Vorgabe 150)",
        [o](W w) { o->dpi = static_cast<std::int32_t>(Ganzzahl("--dpi", w, 1, 2400)); }},
       {"--pdf", "DATEI", "die Grafik als PDF in DATEI schreiben", [o](W w) { o->pdf = w; }}},
      [o](const std::vector<std::string>& frei) { return Poll(*o, frei); }};
}

}  // namespace pegeltool
