// The day the benchmarks read: 180 parameters sampled every second, as the collector
// stand-in writes them. The file is PEGEL_BENCH_DAT, or generated once into a temp dir.
#pragma once

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "logbuch.h"
#include "optionen.h"
#include "simulator.h"
#include "state.h"
#include "tagesdateien.h"

namespace pegelbench {

class NullUhr : public pegel::Clock {
 public:
  pegel::TDateTime Jetzt() override { return 46362.5; }
  std::uint32_t Ticks() override { return 0; }
  void Pause() override {}
};

// The data file of the day; its header lies beside it (PghFuerDat).
inline const std::filesystem::path& TagDatei() {
  static const std::filesystem::path p = [] {
    if (const char* e = std::getenv("PEGEL_BENCH_DAT")) return std::filesystem::path(e);
    const auto verz = std::filesystem::temp_directory_path() / "pegel_bench_tag";
    const auto dat = verz / "20261205.DAT";
    if (!std::filesystem::exists(dat)) {
      pegelsim::Optionen o;
      o.verz = verz;
      o.parameter = 180;
      o.nachtragen = 1;
      o.proben = 0;
      o.schnell = true;
      o.start = pegelsim::StartLesen("2026-12-06 00:00:00");
      std::atomic<bool> halt{false};
      std::ostringstream aus;
      pegelsim::Simulator(o, aus, halt).Laufen();
    }
    return dat;
  }();
  return p;
}

// Reads the day's data file into `g` as the day loaders do; the number of lines read.
inline std::int32_t TagLaden(pegel::gitter& g) {
  pegel::PegelStatus s;
  s.NurLesen = true;
  s.Tage.TagKopf.Itemcount = 180;
  NullUhr uhr;
  pegel::Logbuch log(s, uhr, nullptr);
  return pegel::ReadDataF(s, log, TagDatei(), g);
}

}  // namespace pegelbench
