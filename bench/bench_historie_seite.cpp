// The history page of nine parameters over the whole benchmark day (180 parameters sampled
// every second, 86,400 rows): drawn on the screen at 1920 x 1080 (target below 40 ms) and
// printed to a PDF as a file page (target below 500 ms, the file below 2 MB). For
// comparison, the same screen page with every point drawn, once. With PEGEL_BENCH_PEGELTOOL
// set to the tool, also `pegeltool chart` of those nine parameters to a PNG, from process
// start to exit, against ReadDataF on the same file (target at most 2.5 times), the two in
// turn so that a machine busy elsewhere slows both alike.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "abbildung.h"
#include "bench_tag.h"
#include "grafik_uebergabe.h"
#include "qt_canvas.h"
#include "schriften.h"
#include "seite_zeichnen.h"
#include "seiten_datei.h"

namespace {

using namespace pegel;

class KeineEreignisse : public PendingEvents {
 public:
  void Verarbeiten() override {}
};

// The Qt canvas that does not tell its pixel columns: every point of a trace is drawn.
class Unreduziert : public ui::QtCanvas {
 public:
  using QtCanvas::QtCanvas;
  double PixelProEinheit() const override { return 0; }
};

// The day and the page of its parameters 1..9 (the day menu's choice without a group) over
// all rows, as the history chart gets them from a hand-off.
struct Tagesseite {
  PegelStatus s;
  pegelbench::NullUhr uhr;
  Logbuch log{s, uhr, nullptr};
  KeineEreignisse ereignisse;
  chart::SchriftTabelle schriften{log};
  chart::ChartSeite seite;
  std::int32_t zeilen = 0;

  explicit Tagesseite(const std::vector<int>& parameter) {
    s.NurLesen = true;
    gitter g;
    zeilen = pegelbench::TagLaden(g);
    const bool kopf = ReadHeaderF(s, PghFuerDat(pegelbench::TagDatei()));
    if (zeilen < 2 || !kopf) return;
    schriften.SeitenSchriftenErzeugen();
    seite.Seitenbreite = 297;
    seite.Seitenhoehe = 210;
    seite.Anzahl = 9;
    const Zeitteilung teilung = ZeitTeilung(zeilen);
    seite.Zeitlabels = Zeitlabels(g, 1, zeilen, teilung);
    seite.PunkteProLabel = teilung.schritt;
    seite.Tag = DatumKodieren(2026, 12, 5);
    seite.IntervallZahl = 1;
    seite.IntervallEinheit = " Sekunde(n)";
    seite.Messintervall = 1000;
    for (int i = 1; i <= 9; ++i) {
      const int nr = parameter.at(static_cast<std::size_t>(i - 1));
      const auto& p = s.Tage.TagKopf.Par.at(static_cast<std::size_t>(nr));
      seite.Streifen[i].Typ = p.Typ;
      seite.Streifen[i].Skalierung = p.GrafikRef;
      seite.Grafikspeicher[i] = SpaltenWerte(g, nr, 1, zeilen);
      chart::ChartAnzeige& a = seite.Anzeige[i];
      a.Name = p.Name;
      a.Einheit = p.Einheit;
      a.Kurvenfarbe = chart::Rgb(0, 0, 160);
      a.Warnfarbe = chart::Rot;
    }
  }
  bool Geladen() const { return seite.Anzahl == 9; }

  template <typename Leinwand = ui::QtCanvas>
  bool Bildschirm(QImage& bild) {
    bild.fill(Qt::white);
    QPainter p(&bild);
    Leinwand c(p, ui::Abbildung::Anisotrop(bild.width(), bild.height(), 2970, 2100));
    chart::SeitenUmfeld u{log, ereignisse, uhr, nullptr, {}};
    const bool fertig = chart::SeiteZeichnen(seite, chart::HistorienStil(), c, schriften, u,
                                             chart::Ziel::Bildschirm, chart::Seitenart::Voll);
    c.Abschliessen();
    return fertig;
  }
  bool Pdf(const std::filesystem::path& datei) {
    return ui::ChartSeiteSchreiben(seite, chart::HistorienStil(), datei, ui::DateiArt::Pdf, 0, log,
                                   uhr);
  }
};

// Parameters 1..9: seven analog ones and two pumps.
Tagesseite& Tag() {
  static Tagesseite t({1, 2, 3, 4, 5, 6, 7, 8, 9});
  return t;
}
// Nine analog parameters, for comparison: what the digital bars of every slot cost.
Tagesseite& AnalogTag() {
  static Tagesseite t({1, 2, 4, 5, 6, 7, 8, 10, 11});
  return t;
}

struct Ergebnisse {
  double bildschirm = 0, pdf = 0, pdfMb = 0, unreduziert = 0;
  double lesen = 0, chart = 0, lesenCpu = 0, chartCpu = 0;
};
Ergebnisse& Ergebnis() {
  static Ergebnisse e;
  return e;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

template <typename F>
double Ms(F&& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

void BM_SeiteBildschirm(benchmark::State& state) {
  if (!Tag().Geladen()) return state.SkipWithError("day not loaded");
  QImage bild(1920, 1080, QImage::Format_RGB32);
  std::vector<double> zeiten;
  bool ok = true;
  for (auto _ : state) zeiten.push_back(Ms([&] { ok = Tag().Bildschirm(bild) && ok; }));
  if (!ok) state.SkipWithError("page not completed");
  Ergebnis().bildschirm = Median(zeiten);
  state.counters["median_ms"] = Ergebnis().bildschirm;
  state.counters["zu_Ziel_40ms"] = Ergebnis().bildschirm / 40;
}
BENCHMARK(BM_SeiteBildschirm)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(15);

void BM_SeitePdf(benchmark::State& state) {
  if (!Tag().Geladen()) return state.SkipWithError("day not loaded");
  const auto datei = std::filesystem::temp_directory_path() / "bench_historie_seite.pdf";
  std::vector<double> zeiten;
  bool ok = true;
  for (auto _ : state) zeiten.push_back(Ms([&] { ok = Tag().Pdf(datei) && ok; }));
  if (!ok) state.SkipWithError("PDF not written");
  Ergebnis().pdf = Median(zeiten);
  Ergebnis().pdfMb = static_cast<double>(std::filesystem::file_size(datei)) / 1e6;
  std::filesystem::remove(datei);
  state.counters["median_ms"] = Ergebnis().pdf;
  state.counters["zu_Ziel_500ms"] = Ergebnis().pdf / 500;
  state.counters["pdf_MB"] = Ergebnis().pdfMb;
}
BENCHMARK(BM_SeitePdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(7);

void BM_SeiteBildschirmNurAnalog(benchmark::State& state) {
  if (!AnalogTag().Geladen()) return state.SkipWithError("day not loaded");
  QImage bild(1920, 1080, QImage::Format_RGB32);
  for (auto _ : state) AnalogTag().Bildschirm(bild);
}
BENCHMARK(BM_SeiteBildschirmNurAnalog)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every point drawn: what the reduction saves. Takes seconds, so once.
void BM_SeiteBildschirmUnreduziert(benchmark::State& state) {
  if (!Tag().Geladen()) return state.SkipWithError("day not loaded");
  QImage bild(1920, 1080, QImage::Format_RGB32);
  for (auto _ : state) Ergebnis().unreduziert = Ms([&] { Tag().Bildschirm<Unreduziert>(bild); });
  state.counters["ms"] = Ergebnis().unreduziert;
}
BENCHMARK(BM_SeiteBildschirmUnreduziert)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

double KindCpuMs() {
  rusage r{};
  getrusage(RUSAGE_CHILDREN, &r);
  return (r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1000.0 +
         (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1000.0;
}

double EigeneCpuMs() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return (r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1000.0 +
         (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1000.0;
}

void BM_ChartGegenReadDataF(benchmark::State& state) {
  const char* tool = std::getenv("PEGEL_BENCH_PEGELTOOL");
  if (tool == nullptr) return state.SkipWithError("PEGEL_BENCH_PEGELTOOL not set");
  const auto png = std::filesystem::temp_directory_path() / "bench_pegeltool_chart.png";
  const std::string befehl =
      std::string("'") + tool + "' chart '" + pegelbench::TagDatei().parent_path().string() +
      "' 20261205 --params 1,2,3,4,5,6,7,8,9 --png '" + png.string() + "' > /dev/null 2>&1";
  std::vector<double> lesen, chart, lesenCpu, chartCpu;
  bool ok = true;
  for (auto _ : state) {
    double c0 = EigeneCpuMs();
    lesen.push_back(Ms([&] {
      gitter g;
      ok = pegelbench::TagLaden(g) > 0 && ok;
    }));
    lesenCpu.push_back(EigeneCpuMs() - c0);
    c0 = KindCpuMs();
    chart.push_back(Ms([&] { ok = std::system(befehl.c_str()) == 0 && ok; }));
    chartCpu.push_back(KindCpuMs() - c0);
  }
  std::filesystem::remove(png);
  if (!ok) return state.SkipWithError("ReadDataF or pegeltool chart failed");
  Ergebnis().lesen = Median(lesen);
  Ergebnis().chart = Median(chart);
  Ergebnis().lesenCpu = Median(lesenCpu);
  Ergebnis().chartCpu = Median(chartCpu);
  state.counters["Verhaeltnis"] = Ergebnis().chart / Ergebnis().lesen;
  state.counters["Verhaeltnis_cpu"] = Ergebnis().chartCpu / Ergebnis().lesenCpu;
}
BENCHMARK(BM_ChartGegenReadDataF)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(7);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const Ergebnisse& e = Ergebnis();
  if (e.bildschirm > 0) {
    std::printf(
        "Historienseite 9 x %d Zeilen, Bildschirm 1920x1080: Median %.1f ms = %.2f x Ziel "
        "40 ms\n",
        Tag().zeilen, e.bildschirm, e.bildschirm / 40);
  }
  if (e.pdf > 0) {
    std::printf("Dieselbe Seite als PDF: Median %.1f ms = %.2f x Ziel 500 ms, %.2f MB (Ziel < 2)\n",
                e.pdf, e.pdf / 500, e.pdfMb);
  }
  if (e.unreduziert > 0 && e.bildschirm > 0) {
    std::printf("Ohne Reduktion je Pixelspalte: %.0f ms = %.0f x die reduzierte Seite\n",
                e.unreduziert, e.unreduziert / e.bildschirm);
  }
  if (e.lesen > 0) {
    std::printf(
        "pegeltool chart neun Parameter als PNG: Median %.0f ms = %.2f x ReadDataF "
        "(%.0f ms), Ziel <= 2,5; CPU-Zeit %.0f ms = %.2f x (%.0f ms)\n",
        e.chart, e.chart / e.lesen, e.lesen, e.chartCpu, e.chartCpu / e.lesenCpu, e.lesenCpu);
  }
  return 0;
}
