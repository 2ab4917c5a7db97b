// Which source files may use the two write paths that the layers must not take on their own:
// the INI engine's raw string API (every key goes through the key table) and the write
// access to the parameter table (the configuration module is its one writer).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

// The files below src/ and tools/ (relative to the source tree) that include `kopf`.
std::set<std::string> Einbinder(const std::string& kopf) {
  const fs::path wurzel = PEGEL_QUELLEN_DIR;
  const std::string zeile = "#include \"" + kopf + "\"";
  std::set<std::string> dateien;
  for (const char* teil : {"src", "tools"}) {
    for (const auto& e : fs::recursive_directory_iterator(wurzel / teil)) {
      const auto x = e.path().extension();
      if (x != ".h" && x != ".cpp") continue;
      std::ifstream f(e.path(), std::ios::binary);
      const std::string text{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
      if (text.find(zeile) != std::string::npos) {
        dateien.insert(fs::relative(e.path(), wurzel).generic_string());
      }
    }
  }
  return dateien;
}

TEST(Zugriffsregeln, NurDieSchluesseltabelleLiestUndSchreibtDieIniRoh) {
  // pegelsim plays the collector, which owns its file; it is no part of the program.
  EXPECT_EQ(Einbinder("ini_datei.h"),
            (std::set<std::string>{"src/core/ini_datei.cpp", "src/core/ini_schluessel.cpp",
                                   "tools/pegelsim/simulator.cpp"}));
}

TEST(Zugriffsregeln, NurDieKonfigurationSchreibtDieParametertabelle) {
  EXPECT_EQ(Einbinder("parameter_schreiber.h"),
            (std::set<std::string>{"src/core/konfiguration.cpp"}));
}

}  // namespace
