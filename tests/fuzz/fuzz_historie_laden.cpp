// Feeds arbitrary bytes to the history browser's day load: the bytes before a line "#PGH"
// are the data file, the bytes after it the day's header (no header without the line).
// Then moves the span selection as the last bytes say and builds the chart hand-off,
// checking that rows, stretches, bars and labels always agree.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "datei_liste.h"
#include "grafik_uebergabe.h"
#include "historie_laden.h"
#include "spannen_wahl.h"

namespace {

// Day and header side by side in the temp directory, under a name of this process.
const std::string& Name() {
  static const std::string n = [] {
    std::random_device rd;
    return "fuzz_historie_" + std::to_string(rd());
  }();
  return n;
}

void Pruefen(bool ok) {
  if (!ok) std::abort();
}

void Schreiben(const std::filesystem::path& p, std::string_view bytes) {
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void LadungPruefen(const pegel::HistorienLadung& e) {
  const auto& a = e.abschnitte;
  Pruefen(e.Zeilenzahl >= 0 && static_cast<std::size_t>(e.Zeilenzahl) == e.DatenGitter.Zeilen());
  Pruefen(static_cast<std::size_t>(e.Zeilenzahl) <= e.gezaehlt);
  Pruefen(!a.cbIntervalle.empty() && a.cbIntervalle.front() == "Gesamtzeit");
  Pruefen(a.lbix1.size() == a.lbix2.size() && a.lbix1.size() + 1 == a.cbIntervalle.size());
  if (!e.Geladen()) {
    Pruefen(a.lbix1.empty());
    return;
  }
  Pruefen(a.lbix1.front() == 0 && a.lbix2.back() == e.Zeilenzahl - 1);
  for (std::size_t k = 0; k < a.lbix1.size(); ++k) {
    Pruefen(a.lbix1[k] <= a.lbix2[k]);
    if (k > 0) Pruefen(a.lbix1[k] == a.lbix2[k - 1] + 1);
  }
  Pruefen(e.HistKopf.Itemcount == e.Spaltenzahl);
  Pruefen(e.abbruchZeile.has_value() == !e.log.empty());
}

void WahlPruefen(const pegel::SpannenWahl& w) {
  for (const auto* b : {&w.tb1(), &w.tb2()}) {
    Pruefen(b->Min <= b->Position && b->Position <= b->Max);
  }
  Pruefen(w.tb1().Position <= w.tb2().Position);
  Pruefen(w.tb1().SelStart == w.tb1().Position && w.tb2().SelEnd == w.tb2().Position);
  Pruefen(!w.Aktiv() || w.Zeilen() >= 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  const std::string_view alles(reinterpret_cast<const char*>(daten), groesse);
  const auto marke = alles.find("\n#PGH\n");
  const auto verz = std::filesystem::temp_directory_path();
  const auto dat = verz / (Name() + ".DAT");
  const auto pgh = verz / (Name() + ".PGH");
  Schreiben(dat, alles.substr(0, marke));
  std::error_code ec;
  std::filesystem::remove(pgh, ec);
  if (marke != std::string_view::npos) Schreiben(pgh, alles.substr(marke + 6));

  pegel::LadeAuftrag auftrag;
  auftrag.Suchverzeichnis = verz;
  auftrag.eintraege = {Name() + ".DAT"};
  auftrag.gewaehlt = 0;
  auftrag.DDEIntervallMs = 1000;
  const pegel::HistorienLadung e = pegel::HistorienTagLaden(auftrag);
  LadungPruefen(e);

  // The last bytes drive the selection: bar moves and stretch choices.
  pegel::SpannenWahl w;
  w.Laden(e.DatenGitter, e.Zeilenzahl, e.abschnitte);
  WahlPruefen(w);
  for (std::size_t i = groesse > 8 ? groesse - 8 : 0; i < groesse; ++i) {
    const int b = daten[i];
    switch (b % 3) {
      case 0:
        w.tb1Verschieben(b * 37 - 100);
        break;
      case 1:
        w.tb2Verschieben(b * 53 - 100);
        break;
      default:
        w.cbIntervalleChange(static_cast<std::size_t>(b / 3));
    }
    WahlPruefen(w);
  }
  const auto teilung = pegel::ZeitTeilung(w.Zeilen());
  Pruefen(teilung.labels <= 16 && teilung.schritt >= 1.0);
  const auto labels = pegel::Zeitlabels(e.DatenGitter, w.ErsteZeile(), w.Zeilen(), teilung);
  Pruefen(labels.size() <= static_cast<std::size_t>(std::max(teilung.labels, 0)));
  const auto werte = pegel::SpaltenWerte(e.DatenGitter, 1, w.ErsteZeile(), w.Zeilen());
  Pruefen(werte.size() == static_cast<std::size_t>(w.Zeilen()));

  // The wildcard matcher on the first line (pattern) and the rest of the data (name).
  const auto lf = alles.find('\n');
  if (lf != std::string_view::npos && lf < 64) {
    pegel::MusterPasst(alles.substr(0, lf), alles.substr(lf + 1, 256));
  }
  std::filesystem::remove(dat, ec);
  std::filesystem::remove(pgh, ec);
  return 0;
}
