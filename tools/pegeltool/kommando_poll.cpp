// pegeltool poll DIR [--passes N] [--every MS] [--json]: a headless viewer run. Loads the
// configuration as the first show of the main window does, starts the viewer (with
// today's day file when AlteDaten is set, and its immediate polling pass), runs N more
// passes MS milliseconds apart and prints the buffer, statistics and live table. It is a
// viewer run: it takes the collector's files away, writes the log and the INI keys the
// loader writes back; questions are answered No. Without --every the configured polling
// period is used.
#include <chrono>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>
#include <thread>

#include "cp1252.h"
#include "dienste.h"
#include "headless_dienste.h"
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

bool ZahlArgument(const std::vector<std::string>& args, std::size_t& i, std::int32_t& wert) {
  if (i + 1 >= args.size()) return false;
  const auto v = pegel::GanzzahlLesen(args[++i]);
  if (!v || *v < 0) return false;
  wert = *v;
  return true;
}

}  // namespace

int KommandoPoll(const std::vector<std::string>& args) {
  const char* aufruf =
      "Aufruf: pegeltool poll DIR [--passes N] [--every MS] [--json]\n"
      "                      [--chart LISTE (--png DATEI [--dpi D] | --pdf DATEI)]\n";
  std::optional<GrafikAuftrag> grafik;
  std::string png, pdf;
  std::int32_t dpi = 150;
  std::string verz;
  bool json = false;
  std::int32_t durchlaeufe = 1;
  std::int32_t abstand = -1;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--json") {
      json = true;
    } else if (a == "--passes" || a == "--every") {
      if (!ZahlArgument(args, i, a == "--passes" ? durchlaeufe : abstand)) {
        std::cerr << "pegeltool poll: " << a << " braucht eine Zahl >= 0\n";
        return 2;
      }
    } else if (a == "--chart" && i + 1 < args.size()) {
      const auto liste = ParameterListe(args[++i]);
      if (!liste) {
        std::cerr << "pegeltool poll: --chart braucht Parameternummern wie 1,3,5\n";
        return 2;
      }
      grafik = GrafikAuftrag{*liste, {}, false, 150};
    } else if ((a == "--png" || a == "--pdf") && i + 1 < args.size()) {
      (a == "--png" ? png : pdf) = args[++i];
    } else if (a == "--dpi") {
      if (!ZahlArgument(args, i, dpi) || dpi < 1 || dpi > 2400) {
        std::cerr << "pegeltool poll: --dpi braucht eine Zahl von 1 bis 2400\n";
        return 2;
      }
    } else if (!a.empty() && a[0] == '-') {
      std::cerr << "pegeltool poll: unbekannte Option " << a << "\n";
      return 2;
    } else if (verz.empty()) {
      verz = a;
    } else {
      std::cerr << "pegeltool poll: zu viele Argumente\n";
      return 2;
    }
  }
  if (verz.empty() || (grafik && png.empty() == pdf.empty()) ||
      (!grafik && (!png.empty() || !pdf.empty()))) {
    std::cerr << aufruf;
    return 2;
  }
  if (grafik) {
    grafik->pdf = !pdf.empty();
    grafik->datei = grafik->pdf ? pdf : png;
    grafik->dpi = dpi;
  }
  std::error_code ec;
  if (!std::filesystem::is_directory(verz, ec)) {
    std::cerr << "pegeltool poll: " << verz << " ist kein Verzeichnis\n";
    return 2;
  }
  HeadlessLauf lauf(verz, false);
  pegel::PegelStatus& s = lauf.s;
  pegel::Dienste& d = lauf.d;
  pegel::ErstesZeigen(s, d);
  pegel::Viewer viewer(s, d);
  viewer.Starten();
  if (abstand < 0) abstand = s.Anzeige.TimerSampleMs;
  for (std::int32_t n = 0; n < durchlaeufe && viewer.Laeuft(); ++n) {
    std::this_thread::sleep_for(std::chrono::milliseconds(abstand));
    viewer.TimerSampleTimer();
  }

  bool grafikOk = true;
  if (grafik && s.KonfigOK) grafikOk = GrafikSchreiben(s, d, viewer.Tabelle(), *grafik);
  if (grafik && !grafikOk) std::cerr << "pegeltool poll: Grafik nicht geschrieben\n";

  const ordered_json j = Ergebnis(s, viewer, lauf.meldungen, lauf.senke);
  if (json) {
    std::cout << j.dump(2) << "\n";
  } else {
    TextAusgabe(j);
  }
  return s.KonfigOK && grafikOk ? 0 : 1;
}

}  // namespace pegeltool
