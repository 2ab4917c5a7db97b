// Feeds arbitrary bytes to both day file readers, once as a header and once as a data
// file, and checks that the grid agrees with what ReadDataF returned.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "logbuch.h"
#include "services.h"
#include "state.h"
#include "tagesdateien.h"

namespace {

class NullUhr : public pegel::Clock {
 public:
  pegel::TDateTime Jetzt() override { return 46362.5; }
  std::uint32_t Ticks() override { return 0; }
  void Pause() override {}
};

const std::filesystem::path& Datei() {
  static const std::filesystem::path p = [] {
    std::random_device rd;
    return std::filesystem::temp_directory_path() /
           ("fuzz_tagesdateien_" + std::to_string(rd()) + ".DAT");
  }();
  return p;
}

void Pruefen(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  {
    std::ofstream f(Datei(), std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(daten), static_cast<std::streamsize>(groesse));
  }
  pegel::PegelStatus s;
  s.NurLesen = true;
  NullUhr uhr;
  pegel::Logbuch log(s, uhr, nullptr);

  if (pegel::ReadHeaderF(s, Datei())) {
    Pruefen(s.Tage.TagKopf.Itemcount >= 1 && s.Tage.TagKopf.Itemcount <= pegel::MaxItems);
  }
  pegel::gitter g;
  const std::int32_t n = pegel::ReadDataF(s, log, Datei(), g);
  Pruefen(n >= 0);
  if (n > 0) {
    Pruefen(static_cast<std::size_t>(n) == g.Zeilen());
    Pruefen(s.Tage.Spaltenzahl >= 1 && s.Tage.Spaltenzahl <= 180);
    std::size_t summe = 0;
    for (std::size_t r = 0; r < g.Zeilen(); ++r) {
      Pruefen(g.Felder(r) >= 1 && g.Felder(r) <= pegel::gitter::Spalten);
      for (std::size_t c = 0; c <= pegel::gitter::Spalten; ++c) summe += g.Zelle(r, c).size();
    }
    Pruefen(summe <= groesse);
  } else {
    Pruefen(g.Zeilen() == 0 || s.Tage.Spaltenzahl < 1);
  }
  std::error_code ec;
  std::filesystem::remove(Datei(), ec);
  return 0;
}
