// The daily print of one group of nine members from a whole day sampled every second (180
// parameters, 86,400 lines): reading the day, drawing the page and handing it to the print
// system as a PDF job, as the polling pass at midnight does.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>
#include <fstream>

#include "bench_tag.h"
#include "dienste.h"
#include "gruppen_datei.h"
#include "gruppen_druck.h"
#include "qt_seiten_senke.h"
#include "stille_dienste.h"

namespace {

using namespace pegel;
namespace fs = std::filesystem;

void BM_TagesdruckNeunMitglieder(benchmark::State& state) {
  const fs::path verz = pegelbench::TagDatei().parent_path();
  PegelStatus s;
  s.PfadeSetzen(verz);
  s.NurLesen = true;  // no log file
  s.Abfrage.PrintDate = DatumKodieren(2026, 12, 5);
  TGruppe g;
  g.Name = "Bench";
  g.Drucken = true;
  g.Mitgliederzahl = 9;
  for (int i = 0; i < 9; ++i) g.Mitglieder.at(static_cast<std::size_t>(i)) = i + 1;
  if (!GruppenDateiSchreiben(s.Pfade.GruppenDatei, {g})) {
    state.SkipWithError("group file not written");
    return;
  }
  pegelbench::NullUhr uhr;
  HeadlessMessages meldungen;
  NoEvents ereignisse;
  NoPrinter drucker;
  Logbuch log(s, uhr, nullptr);
  Dienste d{uhr, meldungen, ereignisse, log, drucker};
  tagesdruck::Druckwahl wahl;
  wahl.drucker = false;
  const fs::path pdf = verz / "bench_tagesdruck.pdf";
  for (auto _ : state) {
    ui::PdfSeitenSenke senke(pdf);
    const int seiten = tagesdruck::Gruppendruck(s, d, nullptr, &senke, wahl).GruppeDrucken();
    if (seiten != 1 || !senke.Fertig()) state.SkipWithError("no page");
  }
  state.counters["PDF_kB"] = static_cast<double>(fs::file_size(pdf)) / 1024.0;
}
BENCHMARK(BM_TagesdruckNeunMitglieder)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
