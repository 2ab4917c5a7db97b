// The polling's hot paths: Start with today's day file of 86,400 lines x 180 parameters
// against reading the same file with ReadDataF, and one pass of 10 new lines.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "dienste.h"
#include "gitter.h"
#include "hilfen.h"
#include "logbuch.h"
#include "parameter_schreiber.h"
#include "puffer.h"
#include "ring_zugriff.h"
#include "state.h"
#include "stille_dienste.h"
#include "tagesdateien.h"
#include "text_format.h"
#include "viewer.h"

namespace {

using namespace pegel;
namespace fs = std::filesystem;

constexpr int Parameter = 180;
constexpr int TagesZeilen = 86400;
constexpr TDateTime Heute = 46362.0;  // 06.12.2026

class FesteUhr : public Clock {
 public:
  TDateTime jetzt = Heute + 0.5;
  std::uint32_t ticks = 0;
  TDateTime Jetzt() override { return jetzt; }
  std::uint32_t Ticks() override { return ticks; }
  void Pause() override { ++ticks; }
};
std::string Zeile(int sekunde, std::mt19937& zufall) {
  std::string z = "1;" + ZeitText(sekunde / 86400.0);
  std::uniform_int_distribution<int> wert(0, 99999);
  for (int n = 1; n <= Parameter; ++n) {
    const int w = wert(zufall);
    z += ";" + std::to_string(w / 100) + "," + std::to_string(10 + w % 90);
  }
  return z + "\r\n";
}

std::string Kopf() {
  std::string t = std::to_string(Parameter) + "\r\n";
  for (int i = 1; i <= Parameter; ++i) t += "I" + std::to_string(i) + "\r\n";
  t += "-\r\n1000\r\n-\r\n";
  for (int i = 1; i <= 2 * Parameter; ++i) t += "-\r\n";
  t += "-\r\n";
  for (int i = 1; i <= Parameter; ++i) t += "P" + std::to_string(i) + "\r\n1\r\n0\r\nm\r\n";
  return t;
}

// A plant directory with a configured state, created once for all benchmarks.
struct Anlage {
  fs::path verz = fs::temp_directory_path() / "pegel_bench_polling";
  PegelStatus s;
  FesteUhr uhr;
  HeadlessMessages meldungen;
  NoEvents ereignisse;
  NoPrinter drucker;
  Logbuch log{s, uhr, nullptr};
  Dienste d{uhr, meldungen, ereignisse, log, drucker};

  Anlage() {
    fs::remove_all(verz);
    fs::create_directories(verz);
    s.PfadeSetzen(verz);
    s.NurLesen = true;  // no log file
    ParameterSchreiber(s).ItemcountSetzen(Parameter);
    s.Anzeige.Puffer = 480;
    s.KonfigOK = true;
    s.Takt.DDEIntervallMs = 1000;
    for (int n = 1; n <= Parameter; ++n) {
      ParameterSchreiber(s).at(n).Typ = n % 10 == 0 ? Grafiktyp::Digital : Grafiktyp::Analog;
      ParameterSchreiber(s).at(n).LoLimit = -1;
      ParameterSchreiber(s).at(n).UpLimit = 1000;
    }
    PufferEinrichten(s, d);
    const std::string name = DatumZuDateiname(Heute);
    std::ofstream(verz / (name + ".PGH"), std::ios::binary) << Kopf();
    std::ofstream dat(verz / (name + ".DAT"), std::ios::binary);
    std::mt19937 zufall(7);
    for (int i = 0; i < TagesZeilen; ++i) dat << Zeile(i, zufall);
  }
  ~Anlage() { fs::remove_all(verz); }
  fs::path Datei(const std::string& endung) const {
    return verz / (DatumZuDateiname(Heute) + endung);
  }
};

Anlage& Gemeinsam() {
  static Anlage a;
  return a;
}

double Sekunden(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

void BM_ReadDataF(benchmark::State& state) {
  Anlage& a = Gemeinsam();
  gitter grid;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadDataF(a.s, a.log, a.Datei(".DAT"), grid));
  }
}

// Start with AlteDaten: the copy, the buffer, the statistics and the live table. The
// counters are the ratio to ReadDataF on the same file, timed in the same iteration, in
// wall time and in CPU time (steadier on a shared machine).
void BM_StartMitAltenDaten(benchmark::State& state) {
  Anlage& a = Gemeinsam();
  double start = 0, lesen = 0, startCpu = 0, lesenCpu = 0;
  for (auto _ : state) {
    state.PauseTiming();
    {
      gitter grid;
      const auto t0 = std::chrono::steady_clock::now();
      const std::clock_t c0 = std::clock();
      benchmark::DoNotOptimize(ReadDataF(a.s, a.log, a.Datei(".DAT"), grid));
      lesenCpu += static_cast<double>(std::clock() - c0);
      lesen += Sekunden(std::chrono::steady_clock::now() - t0);
    }
    a.s.Anzeige.AlteDaten = true;
    Viewer viewer(a.s, a.d);
    state.ResumeTiming();
    const auto t0 = std::chrono::steady_clock::now();
    const std::clock_t c0 = std::clock();
    viewer.Starten();
    startCpu += static_cast<double>(std::clock() - c0);
    start += Sekunden(std::chrono::steady_clock::now() - t0);
    if (test::Schreibzaehler(a.s) != 4 + (TagesZeilen - 1) % a.s.Anzeige.Puffer + 1 ||
        viewer.Tabelle().Zelle(1, 4) != "86400") {
      state.SkipWithError("day not loaded");
    }
    state.PauseTiming();
    viewer.Stoppen();
    state.ResumeTiming();
  }
  state.counters["gegen_ReadDataF"] = start / lesen;
  state.counters["gegen_ReadDataF_cpu"] = startCpu / lesenCpu;
}

// One pass over a sample file of 10 lines and an AKTDAT.PGV of 180 lines.
void BM_Durchlauf10Zeilen(benchmark::State& state) {
  Anlage& a = Gemeinsam();
  a.s.Anzeige.AlteDaten = false;
  Viewer viewer(a.s, a.d);
  viewer.Starten();
  std::mt19937 zufall(3);
  std::string akt;
  for (int n = 1; n <= Parameter; ++n) akt += "1,5;0,1;9,9;2,000;12,5;1,6;0,2;9,8;\r\n";
  int sekunde = 40000;
  for (auto _ : state) {
    state.PauseTiming();
    {
      std::ofstream smp(a.Datei(".SMP"), std::ios::binary);
      for (int i = 0; i < 10; ++i) smp << Zeile(sekunde++, zufall);
      std::ofstream(a.s.Pfade.AktDatDatei, std::ios::binary) << akt;
      a.uhr.jetzt += 1.0 / 86400000;  // a new temporary name for every pass
    }
    state.ResumeTiming();
    viewer.TimerSampleTimer();
  }
  if (fs::exists(a.Datei(".SMP"))) state.SkipWithError("sample file not taken");
}

BENCHMARK(BM_ReadDataF)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StartMitAltenDaten)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Durchlauf10Zeilen)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

BENCHMARK_MAIN();
