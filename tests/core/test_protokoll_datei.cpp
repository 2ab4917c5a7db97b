#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cp1252.h"
#include "datei_liste.h"
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

TEST(DateiListeOhneDatum, TheChosenDirectoryListsEveryMatchWhateverItsDate) {
  TempVerz v;
  for (const char* n : {"20261205.DAT", "20250101.dat", "export.DAT", "20261205.PGH"}) {
    DateiSchreiben(v / n, "x");
  }
  std::vector<std::string> namen;
  for (const auto& p : DateiListeOhneDatum("*.DAT", v.pfad()).namen) namen.push_back(p.string());
  EXPECT_EQ(namen, (std::vector<std::string>{"20250101.dat", "20261205.DAT", "export.DAT"}));
  EXPECT_EQ(DateiListeOhneDatum("*.*", v.pfad()).namen.size(), 4u);
  EXPECT_EQ(DateiListeOhneDatum("../*", v.pfad()).fehler, DateiMaskeUngueltigText());
}

TEST(SicherungAusIni, TheBackupKeyGetsItsSeparatorAndAMissingFileMeansProgDir) {
  TempVerz v;
  DateiSchreiben(v / "PEGELDDE.INI", "[DDE]\r\nSicherung=/mnt/sicherung\r\n");
  EXPECT_EQ(SicherungAusIni(v / "PEGELDDE.INI", "/anlage").string(), "/mnt/sicherung/");
  EXPECT_EQ(SicherungAusIni(v / "fehlt.INI", "/anlage").string(), "/anlage/");
}

}  // namespace
}  // namespace pegel
