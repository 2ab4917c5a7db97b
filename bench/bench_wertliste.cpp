// The value table over a whole day of 180 parameters sampled every second: the span
// statistics of every column, the .xls export of 12 hours (the format's row limit lies
// below a day) and the .xlsx export of the whole day. The statistics and the .xlsx use
// every core; CPU time is the whole process's, and the "EinThread" variants show what one
// core needs.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <numeric>
#include <vector>

#include "bench_tag.h"
#include "wert_statistik.h"
#include "werte_tabelle.h"
#include "xls_datei.h"
#include "xlsx_blatt.h"
#include "xlsx_datei.h"
#include "zip_archiv.h"

namespace {

struct Tag {
  pegel::gitter g;
  std::vector<pegel::WerteSpalte> spalten;
  std::size_t zeilen = 0;
};

const Tag& GeladenerTag() {
  static const Tag t = [] {
    Tag t;
    t.zeilen = static_cast<std::size_t>(std::max(0, pegelbench::TagLaden(t.g)));
    pegel::PegelStatus s;
    pegel::ReadHeaderF(s, pegel::PghFuerDat(pegelbench::TagDatei()));
    std::vector<int> parameter(180);
    std::iota(parameter.begin(), parameter.end(), 1);
    t.spalten = pegel::ParameterSpalten(s.Tage.TagKopf, parameter);
    return t;
  }();
  return t;
}

std::filesystem::path Ziel(const char* name) {
  const auto verz = std::filesystem::temp_directory_path() / "pegel_bench_wertliste";
  std::filesystem::create_directories(verz);
  return verz / name;
}

void Statistik(benchmark::State& state, std::size_t bloecke) {
  const Tag& t = GeladenerTag();
  const pegel::WerteTabelle tabelle(t.g, 0, t.zeilen, t.spalten);
  for (auto _ : state) {
    const auto e = pegel::btStatistikClick(tabelle, "00:00:00", "23:59:59", 12, 3, bloecke);
    if (e.anzahl < 1) state.SkipWithError("no rows counted");
    benchmark::DoNotOptimize(e.grStat.data());
  }
  state.counters["zellen"] = static_cast<double>(t.zeilen * t.spalten.size());
}
void BM_StatistikTag(benchmark::State& state) { Statistik(state, 0); }
BENCHMARK(BM_StatistikTag)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
void BM_StatistikTagEinThread(benchmark::State& state) { Statistik(state, 1); }
BENCHMARK(BM_StatistikTagEinThread)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_XlsZwoelfStunden(benchmark::State& state) {
  const Tag& t = GeladenerTag();
  const pegel::WerteTabelle tabelle(t.g, 0, std::min<std::size_t>(t.zeilen, 43200), t.spalten);
  for (auto _ : state) {
    if (!pegel::WriteXLS(tabelle, Ziel("bench.xls")).ok) state.SkipWithError("write failed");
  }
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(Ziel("bench.xls"))) / 1e6;
}
BENCHMARK(BM_XlsZwoelfStunden)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_XlsxTag(benchmark::State& state) {
  const Tag& t = GeladenerTag();
  const pegel::WerteTabelle tabelle(t.g, 0, t.zeilen, t.spalten);
  for (auto _ : state) {
    if (!pegel::WriteXLSX(tabelle, Ziel("bench.xlsx")).ok) state.SkipWithError("write failed");
  }
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(Ziel("bench.xlsx"))) / 1e6;
}
BENCHMARK(BM_XlsxTag)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// The sheet alone into an archive that compresses on the calling thread.
void BM_XlsxBlattEinThread(benchmark::State& state) {
  const Tag& t = GeladenerTag();
  const pegel::WerteTabelle tabelle(t.g, 0, t.zeilen, t.spalten);
  std::uint64_t roh = 0;
  for (auto _ : state) {
    std::ofstream f(Ziel("blatt.zip"), std::ios::binary | std::ios::trunc);
    pegel::ZipArchiv zip(f, 1);
    zip.Beginnen("xl/worksheets/sheet1.xml", pegel::XlsxBlattHoechstens(tabelle));
    pegel::XlsxBlattSchreiben(tabelle, zip);
    zip.Beenden();
    zip.Abschliessen();
    roh = zip.LetzteRoh();
  }
  state.counters["XML_MB"] = static_cast<double>(roh) / 1e6;
}
BENCHMARK(BM_XlsxBlattEinThread)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
