// The history browser's click on a day: header, both passes, stretches, span selection
// and the time labels of the whole day, against ReadDataF on the same file (target: at
// most 1.5 times), on the benchmarks' day of 180 parameters sampled every second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "bench_tag.h"
#include "grafik_uebergabe.h"
#include "historie_laden.h"
#include "spannen_wahl.h"

namespace {

using pegelbench::TagDatei;

std::int32_t ReadDataFLaden() {
  pegel::gitter g;
  return pegelbench::TagLaden(g);
}

// Everything the window shows after the click. Returns the rows loaded.
std::int32_t Klick() {
  pegel::LadeAuftrag a;
  a.Suchverzeichnis = TagDatei().parent_path();
  a.eintraege = {TagDatei().filename()};
  a.gewaehlt = 0;
  a.DDEIntervallMs = 1000;
  const pegel::HistorienLadung e = pegel::HistorienTagLaden(a);
  pegel::SpannenWahl wahl;
  wahl.Laden(e.DatenGitter, e.Zeilenzahl, e.abschnitte);
  const auto labels = pegel::Zeitlabels(e.DatenGitter, wahl.ErsteZeile(), wahl.Zeilen(),
                                        pegel::ZeitTeilung(wahl.Zeilen()));
  benchmark::DoNotOptimize(labels.data());
  return e.log.empty() && e.kopfQuelle == pegel::KopfQuelle::Eigener ? e.Zeilenzahl : 0;
}

double Ms(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

struct Vergleich {
  double readDataF = 0, klick = 0;        // wall time, ms
  double readDataFCpu = 0, klickCpu = 0;  // CPU time, ms (steadier on a shared machine)
};
Vergleich& Ergebnis() {
  static Vergleich v;
  return v;
}

void BM_ReadDataF(benchmark::State& state) {
  std::int32_t n = 0;
  for (auto _ : state) n = ReadDataFLaden();
  if (n < 1) state.SkipWithError("ReadDataF returned 0");
}
BENCHMARK(BM_ReadDataF)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HistorieKlick(benchmark::State& state) {
  std::int32_t n = 0;
  for (auto _ : state) n = Klick();
  if (n < 1) state.SkipWithError("day not loaded");
  state.counters["zeilen"] = n;
}
BENCHMARK(BM_HistorieKlick)->Unit(benchmark::kMillisecond)->UseRealTime();

// Both in turn in every iteration, so that a machine busy elsewhere slows both alike;
// the counters are the medians and their ratio.
void BM_KlickGegenReadDataF(benchmark::State& state) {
  std::vector<double> lesen, klick, lesenCpu, klickCpu;
  bool ok = true;
  const auto messen = [&](auto&& f, std::vector<double>& wand, std::vector<double>& cpu) {
    const auto t0 = std::chrono::steady_clock::now();
    const std::clock_t c0 = std::clock();
    ok = f() > 0 && ok;
    cpu.push_back(1000.0 * static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC);
    wand.push_back(Ms(std::chrono::steady_clock::now() - t0));
  };
  for (auto _ : state) {
    messen(ReadDataFLaden, lesen, lesenCpu);
    messen(Klick, klick, klickCpu);
  }
  if (!ok) state.SkipWithError("load failed");
  Ergebnis() = {Median(lesen), Median(klick), Median(lesenCpu), Median(klickCpu)};
  state.counters["ReadDataF_ms"] = Ergebnis().readDataF;
  state.counters["Klick_ms"] = Ergebnis().klick;
  state.counters["Verhaeltnis"] = Ergebnis().klick / Ergebnis().readDataF;
  state.counters["Verhaeltnis_cpu"] = Ergebnis().klickCpu / Ergebnis().readDataFCpu;
}
BENCHMARK(BM_KlickGegenReadDataF)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(11);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const Vergleich& v = Ergebnis();
  if (v.readDataF > 0) {
    std::printf("Median ReadDataF %.1f ms, Klick %.1f ms: %.2f x ReadDataF (Ziel <= 1,5)\n",
                v.readDataF, v.klick, v.klick / v.readDataF);
    std::printf("CPU-Zeit ReadDataF %.1f ms, Klick %.1f ms: %.2f x\n", v.readDataFCpu, v.klickCpu,
                v.klickCpu / v.readDataFCpu);
  }
  return 0;
}
