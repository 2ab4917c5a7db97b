#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "biff_leser.h"
#include "cp1252.h"
#include "csv_datei.h"
#include "test_dienste.h"
#include "text_format.h"
#include "werte_hilfen.h"
#include "xls_datei.h"

namespace pegel {
namespace {

using test::DateiLesen;
using test::Lesen;
using test::Saetze;
using test::TempVerz;
using test::WerteTag;
using test::Zelle;

std::string Bytes(std::initializer_list<int> b) {
  std::string s;
  for (int x : b) s += static_cast<char>(x);
  return s;
}

// ---- .xls -----------------------------------------------------------------------------------

TEST(WriteXLS, WritesBofOneRecordPerCellAndEofByteForByte) {
  WerteTag t({"08:00:00;12,5;12;5E-5;536870912;-536870912;"},
             {"Zulauf  [m³/h]", "B", "C", "D", "E", "F"});
  TempVerz v;
  const auto datei = v / "20261205.DAT_Wertetabelle.xls";
  const auto e = WriteXLS(t.tabelle, datei);
  EXPECT_TRUE(e.ok);
  EXPECT_EQ(e.meldung, "Datei > " + datei.string() + " < wurde gespeichert.");

  const auto s = Saetze(DateiLesen(datei));
  ASSERT_EQ(s.size(), 2 + 2 * 7u);
  EXPECT_EQ(s.front().roh, Bytes({0x09, 0x08, 0x08, 0, 0, 0, 0x10, 0, 0, 0, 0, 0}));
  EXPECT_EQ(s.back().roh, Bytes({0x0A, 0, 0, 0}));
  const std::pair<std::size_t, std::string> erwartet[] = {
      {1, Bytes({0x04, 0x02, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0})},  // empty title of the times
      {2, Bytes({0x04, 0x02, 22, 0, 0, 0, 1, 0, 0, 0, 14, 0}) + Ansi("Zulauf  [m³/h]")},
      {8, Bytes({0x04, 0x02, 16, 0, 1, 0, 0, 0, 0, 0, 8, 0}) + "08:00:00"},
      {9, Bytes({0x03, 0x02, 14, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x29, 0x40})},  // 12.5
      {10, Bytes({0x7E, 0x02, 10, 0, 1, 0, 2, 0, 0, 0, 0x32, 0, 0, 0})},     // 12 * 4 + 2
      {13, Bytes({0x7E, 0x02, 10, 0, 1, 0, 5, 0, 0, 0, 0x02, 0, 0, 0x80})},  // -2^29 fits
      {14, Bytes({0x04, 0x02, 8, 0, 1, 0, 6, 0, 0, 0, 0, 0})},
  };
  for (const auto& [i, bytes] : erwartet) EXPECT_EQ(s.at(i).roh, bytes) << i;
  // Number texts that are no plain integers within 30 bits stay exact as NUMBER.
  for (const auto& [i, wert] : {std::pair{11, 5e-5}, {12, 536870912.0}}) {
    const Zelle z = Lesen(s.at(i));
    EXPECT_EQ(z.id, 0x0203) << i;
    EXPECT_EQ(std::get<double>(z.wert), wert) << i;
  }
}

TEST(WriteXLS, GridReadsBackCellForCell) {
  const std::vector<std::string> texte = {"12,5", "-3",   "0",          "",       "1,5E3",   "abc",
                                          "7,",   " 42 ", "2147483648", "-0,001", Ansi("m³")};
  std::mt19937 zufall(5);
  std::vector<std::string> zeilen;
  for (int r = 0; r < 300; ++r) {
    std::string z = ZeitText(r / 86400.0);
    for (int k = 1; k < 10; ++k) z += ";" + texte[zufall() % texte.size()];
    zeilen.push_back(z);
  }
  std::vector<std::string> titel;
  for (int k = 1; k < 10; ++k) titel.push_back("P" + std::to_string(k) + "  [m]");
  WerteTag t(zeilen, titel);
  TempVerz v;
  ASSERT_TRUE(WriteXLS(t.tabelle, v / "t.xls").ok);

  const auto s = Saetze(DateiLesen(v / "t.xls"));
  ASSERT_EQ(s.size(), 301 * 10 + 2u);
  for (std::size_t i = 1; i + 1 < s.size(); ++i) {
    const Zelle z = Lesen(s[i]);
    ASSERT_EQ(z.zeile * 10 + z.spalte, i - 1);  // row by row, every cell once
    const std::string_view text = t.tabelle.Zelle(z.zeile, z.spalte);
    const auto zahl = ZahlLesen(text);
    EXPECT_EQ(zahl ? decltype(z.wert)(*zahl) : decltype(z.wert)(std::string(text)), z.wert) << text;
  }
}

TEST(WriteXLS, RefusesMoreRowsThanTheFormatAddressesAndPointsToXlsx) {
  std::string tag;
  for (int r = 0; r < 65536; ++r) tag += "0;08:00:00;1\n";
  gitter g;
  ASSERT_EQ(g.Aufteilen(std::string_view(tag)), gitter::Ergebnis::Ok);
  TempVerz v;

  const WerteTabelle passt(g, 0, 65535, {{2, "A"}});  // 65,535 data rows and the title row
  ASSERT_TRUE(WriteXLS(passt, v / "passt.xls").ok);
  std::ifstream f(v / "passt.xls", std::ios::binary | std::ios::ate);
  std::string ende(18, '\0');
  f.seekg(-18, std::ios::end);
  f.read(ende.data(), 18);
  EXPECT_EQ(ende,  // the last cell in row 65,535, then EOF
            Bytes({0x7E, 0x02, 10, 0, 0xFF, 0xFF, 1, 0, 0, 0, 6, 0, 0, 0, 0x0A, 0, 0, 0}));

  const auto e = WriteXLS(WerteTabelle(g, 0, 65536, {{2, "A"}}), v / "zuviel.xls");
  EXPECT_FALSE(e.ok);
  EXPECT_EQ(Cp1252ZuUtf8(e.meldung),
            "Die Tabelle hat 65.537 Zeilen; eine .xls-Datei fasst höchstens 65.536 Zeilen.\n"
            "Bitte exportieren Sie als .xlsx-Datei (bis 1.048.576 Zeilen) oder wählen Sie "
            "einen kürzeren Zeitraum.");
  EXPECT_FALSE(std::filesystem::exists(v / "zuviel.xls"));
}

// ---- both text formats: failures leave nothing behind -----------------------------------

TEST(WertExport, FailedWriteNamesFileAndReasonAndLeavesNoFile) {
  WerteTag t({"08:00:00;1"}, {"A  [m]"});
  TempVerz v;
  std::filesystem::create_directory(v / "ordner");
  const std::pair<std::filesystem::path, std::string> faelle[] = {
      {v / "fehlt" / "t.xls", "Das Verzeichnis existiert nicht."},    // fails at opening
      {v / "ordner", "Unter diesem Namen besteht ein Verzeichnis."},  // fails at renaming
  };
  for (const auto& [datei, grund] : faelle) {
    for (const auto& e :
         {WriteXLS(t.tabelle, datei), WriteCSV(t.tabelle, datei, CsvKodierung::Windows1252)}) {
      EXPECT_FALSE(e.ok);
      EXPECT_EQ(Cp1252ZuUtf8(e.meldung),
                "Datei > " + datei.string() + " < konnte nicht gespeichert werden.\n" + grund);
    }
  }
  EXPECT_TRUE(std::filesystem::is_empty(v / "ordner"));
  std::filesystem::remove(v / "ordner");
  EXPECT_TRUE(std::filesystem::is_empty(v.pfad()));  // no temporary file left
}

// ---- .csv -----------------------------------------------------------------------------------

TEST(WriteCSV, SemicolonsAndQuotesAreQuotedAndTheEncodingIsChosen) {
  WerteTag t({"08:00:00;12,5;a;b", "08:00:01;-3;\"x\";"}, {"Zulauf  [m³/h]", "Text", "Leer"});
  TempVerz v;
  const std::string zeilen = "\r\n08:00:00;12,5;a;b\r\n08:00:01;-3;\"\"\"x\"\"\";\r\n";
  ASSERT_TRUE(WriteCSV(t.tabelle, v / "a.csv", CsvKodierung::Windows1252).ok);
  EXPECT_EQ(DateiLesen(v / "a.csv"), Ansi(";Zulauf  [m³/h];Text;Leer") + zeilen);
  ASSERT_TRUE(WriteCSV(t.tabelle, v / "u.csv", CsvKodierung::Utf8).ok);
  EXPECT_EQ(DateiLesen(v / "u.csv"), "\xEF\xBB\xBF;Zulauf  [m³/h];Text;Leer" + zeilen);

  // A title can hold a separator; the cells of a day file cannot.
  WerteTag s({"08:00:00;1"}, {"A;B\r\n  [m]"});
  ASSERT_TRUE(WriteCSV(s.tabelle, v / "s.csv", CsvKodierung::Windows1252).ok);
  EXPECT_EQ(DateiLesen(v / "s.csv"), ";\"A;B\r\n  [m]\"\r\n08:00:00;1\r\n");
}

// ---- what a spreadsheet program reads -------------------------------------------------------

// Converts the .xls with LibreOffice, when it is installed, and compares the cells it shows.
TEST(WriteXLS, LibreOfficeShowsTheSameCells) {
  if (std::system("soffice --version > /dev/null 2>&1") != 0) {
    GTEST_SKIP() << "LibreOffice (soffice) is not installed; the round trip is not checked";
  }
  WerteTag t({"08:00:00;12,5;12;5E-5;536870912;;abc", "08:00:01;-0,25;-7;1,5E3;-536870912;x;"},
             {"Zulauf  [m³/h]", "B", "C", "D", "E", "F"});
  TempVerz v;
  ASSERT_TRUE(WriteXLS(t.tabelle, v / "t.xls").ok);
  // Separator ";" (59), text quote '"' (34), UTF-8 (76); the result goes to aus/.
  const auto umwandeln = [&](const std::string& datei) {
    const std::string befehl =
        "cd '" + v.pfad().string() + "' && HOME='" + v.pfad().string() +
        "' soffice --headless --convert-to 'csv:Text - txt - csv (StarCalc):59,34,76' "
        "--outdir aus " +
        datei + " > log 2>&1";
    return std::system(befehl.c_str()) == 0 &&
           std::filesystem::exists(v / "aus" / (datei.substr(0, datei.find('.')) + ".csv"));
  };
  if (!umwandeln("t.xls")) {
    const std::string log = DateiLesen(v / "log");
    // A LibreOffice without its spreadsheet part reads no .xls at all.
    test::DateiSchreiben(v / "probe.csv", "a;1\n");
    if (!umwandeln("probe.csv")) GTEST_SKIP() << "LibreOffice Calc is not installed";
    FAIL() << log;
  }
  EXPECT_EQ(DateiLesen(v / "aus" / "t.csv"),
            ";Zulauf  [m³/h];B;C;D;E;F\n"
            "08:00:00;12.5;12;0.00005;536870912;;abc\n"
            "08:00:01;-0.25;-7;1500;-536870912;x;\n");
}

}  // namespace
}  // namespace pegel
