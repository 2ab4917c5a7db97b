#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "cp1252.h"
#include "test_dienste.h"
#include "werte_hilfen.h"
#include "xlsx_datei.h"

namespace pegel {
namespace {

using test::DateiLesen;
using test::TempVerz;
using test::WerteTag;

// The cells and pane that the reader script finds in `datei`.
std::string Lesen(const std::filesystem::path& datei) {
  const auto aus = datei.parent_path() / "zellen.txt";
  const std::string befehl =
      "python3 '" PEGEL_XLSX_LESER "' '" + datei.string() + "' > '" + aus.string() + "' 2>&1";
  EXPECT_EQ(std::system(befehl.c_str()), 0) << DateiLesen(aus);
  return DateiLesen(aus);
}

WerteTag Beispiel() {
  return WerteTag({"08:00:00;12,5;Aus", "08:00:01;-3;", "kaputt;5E-5;1"},
                  {"Zulauf  [m³/h]", "Pumpe & <1>"});
}

TEST(WriteXLSX, NumbersAndTimesAreValuesTheTitleRowIsBoldAndFrozen) {
  const auto t = Beispiel();
  TempVerz v;
  const auto datei = v / "20261205.DAT_Wertetabelle.xlsx";
  const auto e = WriteXLSX(t.tabelle, datei);
  EXPECT_TRUE(e.ok);
  EXPECT_EQ(e.meldung, "Datei > " + datei.string() + " < wurde gespeichert.");
  EXPECT_EQ(Lesen(datei),
            "B1\ts\tZulauf  [m³/h]\tGeneral\tfett\n"
            "C1\ts\tPumpe & <1>\tGeneral\tfett\n"
            "A2\tn\t0.3333333333333333\thh:mm:ss\tnormal\n"  // 8 / 24
            "B2\tn\t12.5\tGeneral\tnormal\n"
            "C2\ts\tAus\tGeneral\tnormal\n"
            "A3\tn\t0.3333449074074074\thh:mm:ss\tnormal\n"  // (8 * 3600 + 1) / 86400
            "B3\tn\t-3\tGeneral\tnormal\n"
            "A4\ts\tkaputt\tGeneral\tnormal\n"
            "B4\tn\t5E-05\tGeneral\tnormal\n"
            "C4\tn\t1\tGeneral\tnormal\n"
            "pane 1 1 frozen\n");
}

// A GUI toolkit may switch the C library to a locale with a decimal comma.
TEST(WriteXLSX, NumbersKeepTheirDecimalPointUnderACommaLocale) {
  const char* komma = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German"}) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr) {
      komma = name;
      break;
    }
  }
  if (komma == nullptr) GTEST_SKIP() << "no German locale installed";
  const auto t = Beispiel();
  TempVerz v;
  const bool ok = WriteXLSX(t.tabelle, v / "t.xlsx").ok;
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), komma);  // given back afterwards
  std::setlocale(LC_NUMERIC, "C");
  ASSERT_TRUE(ok);
  EXPECT_NE(Lesen(v / "t.xlsx").find("B2\tn\t12.5\t"), std::string::npos);
}

TEST(WriteXLSX, FailedWriteNamesFileAndReasonAndLeavesNoFile) {
  const auto t = Beispiel();
  TempVerz v;
  const auto datei = v / "fehlt" / "t.xlsx";
  const auto e = WriteXLSX(t.tabelle, datei);
  EXPECT_FALSE(e.ok);
  EXPECT_EQ(Cp1252ZuUtf8(e.meldung), "Datei > " + datei.string() +
                                         " < konnte nicht gespeichert werden.\n"
                                         "Das Verzeichnis existiert nicht.");

  std::filesystem::create_directory(v / "ordner");
  EXPECT_FALSE(WriteXLSX(t.tabelle, v / "ordner").ok);
  EXPECT_TRUE(std::filesystem::is_empty(v / "ordner"));
  std::filesystem::remove(v / "ordner");
  EXPECT_TRUE(std::filesystem::is_empty(v.pfad()));  // no temporary file left
}

}  // namespace
}  // namespace pegel
