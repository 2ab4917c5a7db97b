// The history browser window on the benchmarks' day of 180 parameters sampled every
// second: the click on a day (load, lists, bars) against ReadDataF on the same file
// (target: at most 1.5 times), and the longest time the window went without serving its
// event queue during the click and during the hand-off of nine parameters over the whole
// day (target: never more than 100 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <vector>

#include "bench_tag.h"
#include "dienste.h"
#include "historie/fo_history.h"
#include "logbuch.h"
#include "state.h"
#include "stille_dienste.h"

namespace {

using Uhrzeit = std::chrono::steady_clock;

double Ms(Uhrzeit::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

// The window on the day's directory, with the services of a headless run.
struct Fenster {
  pegel::PegelStatus s;
  pegelbench::NullUhr uhr;  // 06.12.2026: the month of the benchmarks' day
  pegel::HeadlessMessages meldungen;
  pegel::NoEvents ereignisse;
  pegel::NoPrinter drucker;
  pegel::Logbuch log{s, uhr, nullptr};
  pegel::Dienste d{uhr, meldungen, ereignisse, log, drucker};
  pegel::ui::TFo_History fenster{s, d};
  std::size_t grafiken = 0;

  Fenster() {
    s.NurLesen = true;
    s.PfadeSetzen(pegelbench::TagDatei().parent_path());
    s.Takt.DDEIntervallMs = 1000;
    fenster.GrafikSetzen([this](const pegel::HistorienBereich& b) {
      grafiken += b.Kurven.size();
      return true;
    });
    fenster.show();
  }
};

// Runs `f` while a 5 ms timer notes when the event queue was served; returns the longest
// time without a turn of the queue, from the start of `f` to its end.
template <class F>
double LaengsterStillstand(F&& f) {
  QTimer takt;
  takt.setInterval(5);
  Uhrzeit::time_point letzte = Uhrzeit::now();
  double laengste = 0;
  QObject::connect(&takt, &QTimer::timeout, [&] {
    const auto jetzt = Uhrzeit::now();
    laengste = std::max(laengste, Ms(jetzt - letzte));
    letzte = jetzt;
  });
  takt.start();
  letzte = Uhrzeit::now();
  f();
  laengste = std::max(laengste, Ms(Uhrzeit::now() - letzte));
  return laengste;
}

void BM_FensterKlickGegenReadDataF(benchmark::State& state) {
  Fenster f;
  QCoreApplication::processEvents();  // the first listing and load of the showing
  auto* liste = f.fenster.findChild<QListWidget*>("lstDAT");
  std::vector<double> lesen, klick, still;
  bool ok = true;
  for (auto _ : state) {
    const auto t0 = Uhrzeit::now();
    pegel::gitter g;
    ok = pegelbench::TagLaden(g) > 0 && ok;
    lesen.push_back(Ms(Uhrzeit::now() - t0));
    g.Freigeben();

    liste->setCurrentRow(0);
    const auto t1 = Uhrzeit::now();
    still.push_back(LaengsterStillstand([&] { f.fenster.lstDATClick(); }));
    klick.push_back(Ms(Uhrzeit::now() - t1));
    ok = f.fenster.Zeilenzahl() > 0 && ok;
  }
  if (!ok) state.SkipWithError("load failed");
  state.counters["ReadDataF_ms"] = Median(lesen);
  state.counters["Klick_ms"] = Median(klick);
  state.counters["Verhaeltnis"] = Median(klick) / Median(lesen);
  state.counters["Stillstand_ms"] = *std::max_element(still.begin(), still.end());
}
BENCHMARK(BM_FensterKlickGegenReadDataF)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(7);

void BM_FensterGrafikNeunParameter(benchmark::State& state) {
  Fenster f;
  QCoreApplication::processEvents();
  auto* pars = f.fenster.findChild<QListWidget*>("lbPars");
  for (int i = 0; i < 9 && i < pars->count(); ++i) pars->item(i)->setSelected(true);
  std::vector<double> zeit, still;
  for (auto _ : state) {
    const auto t0 = Uhrzeit::now();
    still.push_back(LaengsterStillstand([&] { f.fenster.btGrafikClick(); }));
    zeit.push_back(Ms(Uhrzeit::now() - t0));
  }
  if (f.grafiken == 0) state.SkipWithError("no hand-off");
  state.counters["Uebergabe_ms"] = Median(zeit);
  state.counters["Stillstand_ms"] = *std::max_element(still.begin(), still.end());
}
BENCHMARK(BM_FensterGrafikNeunParameter)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(7);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
