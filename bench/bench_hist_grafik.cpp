// The history chart with a day of 180 parameters sampled every second: charting the day
// from the day menu (data file, nine parameters, labels) against ReadDataF alone, and the
// page of those nine charts over the whole day drawn into a 1920 x 1080 image and into a
// PDF (with the PDF's size).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>

#include "abbildung.h"
#include "bench_tag.h"
#include "hist_grafik.h"
#include "logbuch.h"
#include "qt_canvas.h"
#include "seiten_datei.h"
#include "stille_dienste.h"

namespace {

using namespace pegel;

const TDateTime Tag = DatumKodieren(2026, 12, 5);

// A chart model with its own state and services on the benchmark's plant directory.
struct Modell {
  PegelStatus s;
  pegelbench::NullUhr uhr;
  HeadlessMessages meldungen;
  NoEvents ereignisse;
  NoPrinter drucker;
  Logbuch log{s, uhr, nullptr};
  Dienste d{uhr, meldungen, ereignisse, log, drucker};
  historie::HistGrafik grafik{s, d};

  Modell() {
    s.NurLesen = true;
    s.PfadeSetzen(pegelbench::TagDatei().parent_path());
    grafik.seite.Seitenbreite = 297;
    grafik.seite.Seitenhoehe = 210;
    grafik.schriften.SeitenSchriftenErzeugen();
  }
  bool Laden() {
    return grafik.TagLaden(Tag, historie::Tageslader::Grafikfenster) ==
           historie::Ladeergebnis::Geladen;
  }
};

void BM_ReadDataF(benchmark::State& state) {
  for (auto _ : state) {
    gitter g;
    benchmark::DoNotOptimize(pegelbench::TagLaden(g));
  }
  state.SetLabel("Vergleich");
}
BENCHMARK(BM_ReadDataF)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TagLaden(benchmark::State& state) {
  Modell m;
  for (auto _ : state) {
    if (!m.Laden()) state.SkipWithError("Tag nicht geladen");
  }
}
BENCHMARK(BM_TagLaden)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SeiteBildschirm(benchmark::State& state) {
  Modell m;
  if (!m.Laden()) state.SkipWithError("Tag nicht geladen");
  QImage bild(1920, 1080, QImage::Format_RGB32);
  chart::SeitenUmfeld u{m.log, m.ereignisse, m.uhr, nullptr, {}};
  for (auto _ : state) {
    bild.fill(Qt::white);
    QPainter p(&bild);
    ui::QtCanvas c(p, ui::Abbildung::Anisotrop(1920, 1080, 2970, 2100));
    historie::HistorienSeiteZeichnen(m.grafik, c, m.grafik.schriften, u, chart::Ziel::Bildschirm);
    c.Abschliessen();
  }
}
BENCHMARK(BM_SeiteBildschirm)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SeitePdf(benchmark::State& state) {
  Modell m;
  if (!m.Laden()) state.SkipWithError("Tag nicht geladen");
  const auto pdf = std::filesystem::temp_directory_path() / "bench_hist_grafik.pdf";
  chart::SeitenUmfeld u{m.log, m.ereignisse, m.uhr, nullptr, {}};
  for (auto _ : state) {
    ui::SeiteAlsPdf(pdf, 297, 210, [&](chart::Canvas& c) {
      historie::HistorienSeiteZeichnen(m.grafik, c, m.grafik.schriften, u, chart::Ziel::Drucker);
    });
  }
  state.counters["pdf_MB"] = static_cast<double>(std::filesystem::file_size(pdf)) / 1e6;
  std::filesystem::remove(pdf);
}
BENCHMARK(BM_SeitePdf)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
