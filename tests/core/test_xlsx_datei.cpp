#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

#include "cp1252.h"
#include "test_dienste.h"
#include "werte_hilfen.h"
#include "xlsx_blatt.h"
#include "xlsx_datei.h"
#include "zip_archiv.h"

namespace pegel {
namespace {

using test::DateiLesen;
using test::TempVerz;
using test::WerteTag;

// What the reader script prints for `datei` (cells, entries or an entry's bytes, see the
// script); the script fails on a damaged archive or an XML part that does not parse.
std::string Lesen(const std::filesystem::path& datei, const std::string& modus = "",
                  const std::string& eintrag = "") {
  const auto aus = datei.parent_path() / "gelesen.txt";
  const std::string befehl = "python3 '" PEGEL_XLSX_LESER "' " + modus + " '" + datei.string() +
                             "' " + eintrag + " > '" + aus.string() + "' 2>&1";
  EXPECT_EQ(std::system(befehl.c_str()), 0) << DateiLesen(aus);
  return DateiLesen(aus);
}

WerteTag Beispiel() {
  return WerteTag({"08:00:00;12,5;Aus", "08:00:01;-3;", "kaputt;5E-5;1"},
                  {"Zulauf  [m³/h]", "Pumpe & <1>"});
}

// ---- cell texts --------------------------------------------------------------------------

TEST(XlsxZahl, WritesTheCellsOwnDigitsInTheFilesFormOrRefusesWhatIsNoNumber) {
  const std::pair<const char*, const char*> zahlen[] = {
      {"12,5", "12.5"},
      {"-3", "-3"},
      {"+7", "7"},
      {" 7\t", "7"},
      {",5", "0.5"},
      {"-,5", "-0.5"},
      {"1,", "1"},
      {"-0", "-0"},
      {"5E-5", "5E-5"},
      {"1,5e+3", "1.5E+3"},
      {"1,E5", "1E5"},
      // More digits than a double holds: kept, nothing is rounded on the way.
      {"0,10000000000000000001", "0.10000000000000000001"},
      {"12345678901234567890", "12345678901234567890"},
  };
  for (const auto& [text, erwartet] : zahlen) {
    std::string aus = "<v>";
    EXPECT_TRUE(XlsxZahl(text, aus)) << text;
    EXPECT_EQ(aus, std::string("<v>") + erwartet) << text;
  }
  for (const char* text : {"", " ", "1.5", "1,2,3", "abc", "1E400", "E5", "+", "12 5", "1e"}) {
    std::string aus;
    EXPECT_FALSE(XlsxZahl(text, aus)) << text;
    EXPECT_EQ(aus, "") << text;
  }
}

TEST(XlsxText, EscapesWhatXmlForbidsOrWouldChangeAndKeepsEveryOtherCharacter) {
  const std::pair<std::string, std::string> texte[] = {
      {"a & b <c>", "a &amp; b &lt;c&gt;"},
      {Ansi("m³ Überlauf €"), "m³ Überlauf €"},  // UTF-8 in the file
      {"\x81", "\xC2\x81"},                      // undefined in Windows-1252: kept as U+0081
      {"Tab\tLF\n", "Tab\tLF\n"},
      {"CR\r", "CR&#13;"},  // a parser would turn a bare CR into LF
      {std::string("a\0b\x1F", 4), "a_x0000_b_x001F_"},
      {"_x0041_", "_x005F_x0041_"},  // literal, not the escape of "A"
      {"_x41_ _xZZZZ_", "_x41_ _xZZZZ_"},
  };
  for (const auto& [ansi, erwartet] : texte) {
    std::string aus;
    XlsxText(ansi, aus);
    EXPECT_EQ(aus, erwartet) << Cp1252ZuUtf8(ansi);
  }
}

// The sheet's size bound decides the ZIP format; it must hold for the worst cells.
TEST(XlsxBlattHoechstens, BoundsTheSheetAlsoForTextsThatGrowWhenEscaped) {
  std::string schlimm;
  for (int i = 0; i < 40; ++i) schlimm += i % 2 ? "\x01" : "_x0041_&";
  WerteTag t({"08:00:00;" + schlimm + ";1", "x;" + schlimm + ";" + schlimm, ";;", "08:00:02;1;2"},
             {"A", "B"});
  // The same field twice: its cells count twice.
  const WerteTabelle doppelt(t.tag, 0, 4, {{2, "A"}, {2, "A"}, {3, "B"}});
  for (const WerteTabelle* tabelle : {static_cast<const WerteTabelle*>(&t.tabelle), &doppelt}) {
    TempVerz v;
    std::ofstream f(v / "t.zip", std::ios::binary);
    ZipArchiv zip(f, 1);
    const std::uint64_t hoechstens = XlsxBlattHoechstens(*tabelle);
    zip.Beginnen("blatt.xml", hoechstens);
    XlsxBlattSchreiben(*tabelle, zip);
    zip.Beenden();
    EXPECT_LE(zip.LetzteRoh(), hoechstens);
    EXPECT_GT(zip.LetzteRoh(), hoechstens / 8);  // close enough to stay below 4 GiB
  }
}

// ---- the ZIP container -----------------------------------------------------------------

// Markup-like text with random digits: compressible, but not to nothing.
std::string Inhalt(std::size_t n) {
  std::mt19937_64 zufall(3);
  std::string s;
  while (s.size() < n) {
    s += "<c r=\"B" + std::to_string(s.size()) + "\"><v>";
    for (int i = 0; i < 6; ++i) s += static_cast<char>('0' + zufall() % 10);
    s += "</v></c>";
  }
  s.resize(n);
  return s;
}

// Writes an archive with a small entry, a streamed one (in uneven portions, both ways, on
// `threads` threads, pieces of 4 KiB) and an empty one.
std::string Archiv(const std::filesystem::path& datei, const std::string& gross, unsigned threads,
                   std::uint64_t hoechstens) {
  {
    std::ofstream f(datei, std::ios::binary | std::ios::trunc);
    ZipArchiv zip(f, threads, 4096);
    zip.Eintrag("klein.txt", "hallo");
    zip.Beginnen("gross.xml", hoechstens);
    std::mt19937_64 zufall(5);
    for (std::size_t i = 0; i < gross.size();) {
      const std::size_t n = std::min<std::size_t>(gross.size() - i, 1 + zufall() % 5000);
      if (zufall() % 2 == 0) {
        char* p = zip.Platz(n);
        std::copy_n(gross.data() + i, n, p);
        zip.Belegt(p + n);
      } else {
        zip.Anhaengen(std::string_view(gross).substr(i, n));
      }
      i += n;
    }
    zip.Beenden();
    EXPECT_EQ(zip.LetzteRoh(), gross.size());
    EXPECT_LT(zip.LetzteGepackt(), gross.size() / 2);
    zip.Eintrag("leer.txt", "");
    zip.Abschliessen();
  }
  return DateiLesen(datei);
}

TEST(ZipArchiv, PiecesCompressedOnSeveralThreadsJoinIntoTheArchiveOfOneThread) {
  TempVerz v;
  const std::string gross = Inhalt(300000);
  const std::string eins = Archiv(v / "eins.zip", gross, 1, gross.size());
  EXPECT_EQ(Archiv(v / "drei.zip", gross, 3, gross.size()), eins);
  EXPECT_EQ(Lesen(v / "drei.zip", "--zip"),
            "klein.txt\t5\t20\ngross.xml\t300000\t20\nleer.txt\t0\t20\n");
  EXPECT_EQ(Lesen(v / "drei.zip", "--inhalt", "gross.xml"), gross);
}

// An entry announced above 4 GiB gets the 64-bit sizes (and the archive the 64-bit end
// records); a reader takes them like the plain ones. The sizes themselves are small here.
TEST(ZipArchiv, EntryBoundAbove4GiBGetsThe64BitFormThatReadersTake) {
  TempVerz v;
  const std::string gross = Inhalt(50000);
  Archiv(v / "t.zip", gross, 2, std::uint64_t{5} << 30);
  EXPECT_EQ(Lesen(v / "t.zip", "--zip"),
            "klein.txt\t5\t20\ngross.xml\t50000\t45\nleer.txt\t0\t20\n");
  EXPECT_EQ(Lesen(v / "t.zip", "--inhalt", "gross.xml"), gross);
}

// 65,535 entries and more do not fit the plain end record: the 64-bit one holds them.
TEST(ZipArchiv, ManyEntriesGetThe64BitEndRecord) {
  TempVerz v;
  {
    std::ofstream f(v / "t.zip", std::ios::binary);
    ZipArchiv zip(f, 1);
    for (int i = 0; i < 0x10000; ++i) zip.Eintrag(std::to_string(i), std::to_string(i % 7));
    zip.Abschliessen();
  }
  const std::string liste = Lesen(v / "t.zip", "--zip");
  EXPECT_EQ(std::count(liste.begin(), liste.end(), '\n'), 0x10000);
  EXPECT_TRUE(liste.ends_with("65534\t1\t20\n65535\t1\t20\n"));
}

TEST(ZipArchiv, FullDiskEndsTheEntryWithTheSystemsReason) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  std::ofstream f("/dev/full", std::ios::binary);
  ZipArchiv zip(f, 2, 1 << 16);
  try {
    zip.Beginnen("gross.xml", 1 << 22);
    zip.Anhaengen(Inhalt(1 << 22));
    zip.Beenden();
    FAIL() << "no error";
  } catch (const std::system_error& e) {
    EXPECT_EQ(e.code(), std::errc::no_space_on_device);
  }
}

// ---- the workbook ------------------------------------------------------------------------

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
            "B4\tn\t5E-5\tGeneral\tnormal\n"  // the cell's own digits
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

TEST(WriteXLSX, RefusesMoreRowsOrColumnsThanAWorksheetHoldsBeforeWritingAnything) {
  gitter leer;
  struct Fall {
    std::size_t zeilen;
    std::size_t spalten;
  };
  // The title row counts: 1,048,575 data rows fit, one more does not.
  for (const Fall f : {Fall{XlsxMaxZeilen, 1}, Fall{1, XlsxMaxSpalten}}) {
    TempVerz v;
    const WerteTabelle t(leer, 0, f.zeilen, std::vector<WerteSpalte>(f.spalten, {2, "A"}));
    const auto e = WriteXLSX(t, v / "t.xlsx");
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(Cp1252ZuUtf8(e.meldung),
              "Die Tabelle hat " + TausenderText(f.zeilen + 1) + " Zeilen und " +
                  TausenderText(f.spalten + 1) +
                  " Spalten; eine .xlsx-Datei fasst höchstens 1.048.576 Zeilen und 16.384 "
                  "Spalten.\nBitte wählen Sie einen kürzeren Zeitraum.");
    EXPECT_TRUE(std::filesystem::is_empty(v.pfad()));
  }
}

// Converts the .xlsx with LibreOffice, when it is installed, and compares the cells it
// shows: numbers, times, umlauts and the texts that need escaping.
TEST(WriteXLSX, LibreOfficeShowsTheSameCells) {
  if (std::system("soffice --version > /dev/null 2>&1") != 0) {
    GTEST_SKIP() << "LibreOffice (soffice) is not installed; the round trip is not checked";
  }
  // The day's bytes are Windows-1252.
  WerteTag t({Ansi("08:00:00;12,5;-0,25;5E-5;0,123456789012345678;Ölstand <hoch> & \"voll\""),
              "23:59:59;+7;,5;1,5E3;12345678901234567;_x0041_\x01"},
             {"Zulauf  [m³/h]", "B", "C", "D", "Text"});
  TempVerz v;
  ASSERT_TRUE(WriteXLSX(t.tabelle, v / "t.xlsx").ok);
  // Separator ";" (59), text quote '"' (34), UTF-8 (76); the result goes to aus/.
  const std::string befehl = "cd '" + v.pfad().string() + "' && HOME='" + v.pfad().string() +
                             "' soffice --headless --convert-to "
                             "'csv:Text - txt - csv (StarCalc):59,34,76' --outdir aus t.xlsx "
                             "> log 2>&1";
  if (std::system(befehl.c_str()) != 0 || !std::filesystem::exists(v / "aus" / "t.csv")) {
    FAIL() << DateiLesen(v / "log");
  }
  // LibreOffice shows numbers with up to 15 significant digits, large ones in exponent
  // form; the file holds all digits. "_x0041_" stays literal, the escaped control
  // character comes back.
  EXPECT_EQ(DateiLesen(v / "aus" / "t.csv"),
            ";Zulauf  [m³/h];B;C;D;Text\n"
            "08:00:00;12.5;-0.25;0.00005;0.123456789012346;\"Ölstand <hoch> & \"\"voll\"\"\"\n"
            "23:59:59;7;0.5;1500;1.23456789012346E+016;_x0041_\x01\n");
}

}  // namespace
}  // namespace pegel
