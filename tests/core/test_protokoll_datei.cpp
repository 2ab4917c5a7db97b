#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cp1252.h"
#include "protokoll_datei.h"
#include "test_dienste.h"

namespace pegel {
namespace {

using test::DateiSchreiben;
using test::TempVerz;

TEST(ProtokollLesen, CutsAboveTheLimitAndReadsNoFolderOrMissingFile) {
  TempVerz v;
  DateiSchreiben(v / "genau.txt", "0123456789");
  DateiSchreiben(v / "leer.txt", "");
  std::filesystem::create_directory(v / "ordner.txt");
  struct Fall {
    const char* name;
    std::size_t grenze;
    std::string bytes;
    bool gekuerzt, gelesen;
  } faelle[] = {
      {"genau.txt", 10, "0123456789", false, true},  // exactly the limit is whole
      {"genau.txt", 9, "012345678", true, true},    {"leer.txt", 10, "", false, true},
      {"ordner.txt", 10, "", false, false},         {"fehlt.txt", 10, "", false, false},
  };
  for (const auto& f : faelle) {
    const ProtokollDatei p = ProtokollLesen(v / f.name, f.grenze);
    EXPECT_EQ(p.bytes, f.bytes) << f.name << " " << f.grenze;
    EXPECT_EQ(p.gekuerzt, f.gekuerzt) << f.name << " " << f.grenze;
    EXPECT_EQ(p.gelesen, f.gelesen) << f.name << " " << f.grenze;
  }
  EXPECT_EQ(ProtokollGekuerztText(MaxProtokollBytes, std::uintmax_t{40} << 20),
            Ansi("[Datei gekürzt: angezeigt werden die ersten 16 MB von 40 MB.]"));
}

}  // namespace
}  // namespace pegel
