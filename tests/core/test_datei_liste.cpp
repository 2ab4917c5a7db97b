#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "cp1252.h"
#include "datei_liste.h"
#include "test_dienste.h"

namespace pegel {
namespace {

using test::DateiSchreiben;
using test::TempVerz;

TEST(DateiMaske, TypedMaskIsAFileNamePatternOnly) {
  const std::pair<const char*, std::optional<std::string>> faelle[] = {
      {"*:PGI", "*.PGI"},         {"*:INI", "*.INI"},         {"PROT?.*", "PROT?.*"},
      {"../*.TXT", std::nullopt}, {"a\\*.TXT", std::nullopt}, {"sub/*.TXT", std::nullopt},
      {"C:*.TXT", std::nullopt}};
  for (const auto& [maske, erwartet] : faelle) EXPECT_EQ(DateiMaskePruefen(maske), erwartet);
}

TEST(MusterPasst, DosWildcardsOverTheWholeNameWithoutRegardToCase) {
  const std::tuple<std::string, std::string, bool> faelle[] = {
      {"*2612*.DAT", "20261205.dat", true},
      {"*2612*.DAT", "261205.DAT", true},  // "*" in front of the date also matches nothing
      {"*2612*.DAT", "20261105.DAT", false},
      {"*2612*.DAT", "20261205.DATA", false},
      {"?.TXT", "ab.TXT", false},
      {"*a*a*a*a*b", std::string(60, 'a'), false},
      {Ansi("*Ä*"), Ansi("Messung_ä.RTF"), true},
  };
  for (const auto& [muster, name, passt] : faelle) EXPECT_EQ(MusterPasst(muster, name), passt);
}

TEST(DateiMuster, DatePrefixOfMonthOrDayAndEverythingForStarDotStar) {
  const TDateTime tag = DatumKodieren(2026, 3, 5);
  EXPECT_EQ(DateiMuster("*.DAT", false, tag), "*2603*.DAT");
  EXPECT_EQ(DateiMuster("*.DAT", true, tag), "*260305*.DAT");
  EXPECT_EQ(DateiMuster("*.*", true, tag), "*");
  EXPECT_EQ(DateiMuster("*.RTF", false, DatumKodieren(999, 11, 1)), "*99911*.RTF");
}

TEST(DateiListe, ListsOnlyMatchingRegularFilesSortedWithoutRegardToCase) {
  TempVerz v;
  for (const char* n :
       {"20261205.DAT", "20261201.dat", "20261105.DAT", "20261205.PGH", "Protokoll.RTF"}) {
    DateiSchreiben(v / n, "x");
  }
  std::filesystem::create_directory(v / "20261231.DAT");  // a folder is never listed
  const TDateTime dez = DatumKodieren(2026, 12, 5);
  auto namen = [](const DateiListeErgebnis& e) {
    std::vector<std::string> t;
    for (const auto& p : e.namen) t.push_back(p.string());
    return t;
  };

  EXPECT_EQ(namen(DateiListe("*.DAT", false, dez, v.pfad())),
            (std::vector<std::string>{"20261201.dat", "20261205.DAT"}));
  EXPECT_EQ(namen(DateiListe("*.DAT", true, dez, v.pfad())),
            (std::vector<std::string>{"20261205.DAT"}));
  EXPECT_EQ(namen(DateiListe("*.*", true, dez, v.pfad())),
            (std::vector<std::string>{"20261105.DAT", "20261201.dat", "20261205.DAT",
                                      "20261205.PGH", "Protokoll.RTF"}));
  EXPECT_TRUE(DateiListe("*.DAT", false, dez, v / "fehlt").namen.empty());

  const auto abgelehnt = DateiListe("../*.*", false, dez, v.pfad());
  EXPECT_TRUE(abgelehnt.namen.empty());
  EXPECT_EQ(abgelehnt.fehler, DateiMaskeUngueltigText());
}

TEST(SicherungsVerzeichnis, AlwaysEndsWithASeparatorAndDefaultsToProgDir) {
  const std::filesystem::path prog = "/anlage/pegel";
  const std::pair<std::optional<std::string>, std::string> faelle[] = {
      {std::nullopt, "/anlage/pegel/"},      {"", "/anlage/pegel/"},
      {"/mnt/sicherung", "/mnt/sicherung/"}, {"/mnt/sicherung/", "/mnt/sicherung/"},
      {Ansi("/mnt/Büro"), "/mnt/Büro/"},
  };
  for (const auto& [wert, erwartet] : faelle) {
    const auto p = SicherungsVerzeichnis(wert, prog);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p.u8string().c_str())), erwartet);
  }
  EXPECT_TRUE(GleichesVerzeichnis("/anlage/pegel", SicherungsVerzeichnis(std::nullopt, prog)));
  EXPECT_TRUE(GleichesVerzeichnis("/anlage/./pegel/", "/anlage/pegel"));
  EXPECT_FALSE(GleichesVerzeichnis("/anlage/pegel", "/anlage/pegel2"));
}

}  // namespace
}  // namespace pegel
