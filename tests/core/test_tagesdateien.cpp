#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "anlage_dateien.h"
#include "tagesdateien.h"
#include "test_dienste.h"

namespace pegel {
namespace {

using test::DateiSchreiben;
using test::Kopf;
using test::Umgebung;

std::string Felder(int anzahl) {
  std::string z = "0";
  for (int i = 1; i < anzahl; ++i) z += ";" + std::to_string(i);
  return z;
}

// ---- gitter -----------------------------------------------------------------------------

TEST(Gitter, SplitsLinesAndFieldsWithoutTrimmingAndBoundsEveryLookup) {
  gitter g;
  EXPECT_EQ(g.Zelle(0, 0), "");
  constexpr char text[] = "a;10:00:00; 1,5 ;;x\r\nb;c\nlast\rcr;\0z\r";
  ASSERT_EQ(g.Aufteilen(std::string(text, sizeof text - 1)), gitter::Ergebnis::Ok);
  ASSERT_EQ(g.Zeilen(), 3u);
  EXPECT_EQ(g.Zelle(0, 2), " 1,5 ");
  EXPECT_EQ(g.Zelle(0, 3), "");
  EXPECT_EQ(g.Zelle(0, 4), "x");         // CR of CRLF is not part of the field
  EXPECT_EQ(g.Zelle(1, 2), "");          // shorter line: missing cells are empty
  EXPECT_EQ(g.Zelle(2, 0), "last\rcr");  // a lone CR is an ordinary byte
  EXPECT_EQ(g.Zelle(2, 1), std::string_view("\0z", 2));
  EXPECT_EQ(g.Felder(2), 2u);
  EXPECT_EQ(g.Zelle(3, 0), "");
  EXPECT_EQ(g.Zelle(static_cast<std::size_t>(-1), static_cast<std::size_t>(-1)), "");
  EXPECT_EQ(g.Felder(5), 0u);

  ASSERT_EQ(g.Aufteilen(Felder(182)), gitter::Ergebnis::Ok);
  EXPECT_EQ(g.Zelle(0, 181), "181");
  EXPECT_EQ(g.Zelle(0, 182), "");
  EXPECT_EQ(g.Aufteilen("a;b\n" + Felder(183) + "\n"), gitter::Ergebnis::ZuVieleFelder);
  EXPECT_EQ(g.Zeilen(), 0u);
}

TEST(Gitter, CopiesOwnTheirBytes) {
  gitter a;
  ASSERT_EQ(a.Aufteilen(std::string_view("x;1,5\ny;2")), gitter::Ergebnis::Ok);
  gitter b = a;
  a.Aufteilen(std::string_view("z"));
  EXPECT_EQ(b.Zelle(1, 1), "2");
  b = a;
  EXPECT_EQ(b.Zelle(0, 0), "z");
  EXPECT_EQ(b.Zeilen(), 1u);
}

// ---- ReadHeaderF ------------------------------------------------------------------------

TEST(ReadHeaderF, ReadsParametersAndInterval) {
  Umgebung u;
  const auto pgh = u.verz / "20261206.PGH";
  DateiSchreiben(pgh, Kopf("2", "60000",
                           {{Ansi("Pegel Becken Süd"), "1", "0 analog", "m"},
                            {"Pumpe 1", "2;x", "2", Ansi("m³/h")}}));
  ASSERT_TRUE(ReadHeaderF(u.s, pgh));
  EXPECT_EQ(u.s.Tage.TagKopf.Itemcount, 2);
  EXPECT_EQ(u.s.Tage.Messintervall, 60000);
  EXPECT_EQ(u.s.Tage.TagKopf.Par[1].Name, Ansi("Pegel Becken Süd"));
  EXPECT_EQ(u.s.Tage.TagKopf.Par[2].Typ, Grafiktyp::Digital);
  EXPECT_EQ(u.s.Tage.TagKopf.Par[2].GrafikRef, 2);
  EXPECT_EQ(u.s.Tage.TagKopf.Par[2].Einheit, Ansi("m³/h"));
  EXPECT_TRUE(u.Log().empty());

  // LF-only and a last line without line break read the same.
  std::string lf = Kopf("1", "1000", {{"A", "1", "1", "cm"}}, "\n");
  lf.pop_back();
  DateiSchreiben(pgh, lf);
  ASSERT_TRUE(ReadHeaderF(u.s, pgh));
  EXPECT_EQ(u.s.Tage.TagKopf.Par[1].Einheit, "cm");
}

TEST(ReadHeaderF, IntervalDisplayRule) {
  Umgebung u;
  const auto pgh = u.verz / "k.PGH";
  const std::pair<const char*, const char*> faelle[] = {
      {"59999", "59 Sekunde(n)"},  {"60000", "1 Minute(n)"}, {"90000", "1 Minute(n)"},
      {"3600000", "60 Minute(n)"}, {"abc", "0 Sekunde(n)"},  {"999", "0 Sekunde(n)"}};
  for (const auto& [text, erwartet] : faelle) {
    DateiSchreiben(pgh, Kopf("1", text, {{"A", "1", "0", "m"}}));
    ASSERT_TRUE(ReadHeaderF(u.s, pgh)) << text;
    EXPECT_EQ(std::to_string(u.s.Tage.TagKopf.IntervallZahl) + u.s.Tage.TagKopf.IntervallEinheit,
              erwartet);
  }
}

TEST(ReadHeaderF, RejectsBadHeadersWithoutLogging) {
  Umgebung u;
  const auto pgh = u.verz / "k.PGH";
  EXPECT_FALSE(ReadHeaderF(u.s, u.verz / "fehlt.PGH"));

  const std::array<std::string, 4> par{"A", "1", "0", "m"};
  const std::pair<std::string, std::int32_t> faelle[] = {
      {Kopf("0", "1000", {}), 0},
      {Kopf("-3", "1000", {par}), -3},
      {Kopf("zwei", "1000", {par}), 0},
      {Kopf("181", "1000", {par}), 181},
      {"1000000000\r\n", 1000000000},
      {Kopf("1", "1000", {{"A", "x1", "0", "m"}}), 1},  // type must begin with an integer
      {Kopf("1", "1000", {{"A", "1", "", "m"}}), 1},
      {"", 0},
  };
  for (const auto& [text, zahl] : faelle) {
    DateiSchreiben(pgh, text);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ReadHeaderF(u.s, pgh)) << text.substr(0, 20);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(u.s.Tage.TagKopf.Itemcount, zahl);
  }

  // Truncated anywhere, even just before the last unit line: not a whole header.
  const std::string ganz = Kopf("2", "1000", {par, par}, "\n");
  const auto letzte = ganz.rfind('m');
  for (std::size_t ende : {std::size_t{3}, ganz.size() / 2, letzte}) {
    DateiSchreiben(pgh, ganz.substr(0, ende));
    EXPECT_FALSE(ReadHeaderF(u.s, pgh)) << ende;
  }
  EXPECT_TRUE(u.Log().empty());
}

// ---- ReadDataF --------------------------------------------------------------------------

struct DatFall : ::testing::Test {
  Umgebung u;
  gitter g;
  std::filesystem::path dat = u.verz / "20261206.DAT";
  std::int32_t Lesen(const std::string& inhalt, std::int32_t kopfzahl) {
    DateiSchreiben(dat, inhalt);
    u.s.Tage.TagKopf.Itemcount = kopfzahl;
    return ReadDataF(u.s, u.log, dat, g);
  }
};

TEST_F(DatFall, LastLineDecidesColumnCount) {
  EXPECT_EQ(Lesen("x;10:00:00;1,5;;abc;7\r\nx;10:00:01;2\r\nx;10:00:02;3,25;4;5", 3), 3);
  EXPECT_EQ(u.s.Tage.Spaltenzahl, 3);
  EXPECT_TRUE(u.Log().empty());
  ASSERT_EQ(g.Zeilen(), 3u);
  EXPECT_EQ(g.Zelle(0, 5), "7");  // longer earlier lines keep their cells
  EXPECT_EQ(g.Zelle(1, 3), "");
  EXPECT_EQ(g.Zelle(2, 4), "5");

  // The next read replaces the grid; a mismatch is logged and the count replaced.
  EXPECT_EQ(Lesen("x;11:00:00;1;2;\r\n", 2), 1);
  EXPECT_EQ(g.Zeilen(), 1u);
  EXPECT_EQ(u.s.Tage.TagKopf.Itemcount, 3);  // a trailing ";" opens one more (empty) field
  EXPECT_EQ(u.Log(),
            std::vector<std::string>{
                "ReadDataF : Parameterzahl im Header (2) <> Spaltenzahl der Messdatei (3)"});

  // A 10 MB line and a NUL byte are data like any other.
  const std::string gross(10 * 1024 * 1024, 'x');
  EXPECT_EQ(Lesen("a;12:00:00;" + gross + ";2\n" + std::string("b;\0;1;2", 7), 2), 2);
  EXPECT_EQ(g.Zelle(0, 2).size(), gross.size());
  EXPECT_EQ(g.Zelle(0, 3), "2");
  EXPECT_EQ(g.Zelle(1, 1), std::string_view("\0", 1));
}

TEST_F(DatFall, EmptyLastLineMeansNoItems) {
  EXPECT_EQ(Lesen("x;10:00:00;1;2\r\n\r\n", 2), 0);
  EXPECT_EQ(u.s.Tage.Spaltenzahl, -1);
  EXPECT_EQ(u.s.Tage.TagKopf.Itemcount, -1);
  EXPECT_EQ(u.Log(),
            (std::vector<std::string>{
                "ReadDataF : Parameterzahl im Header (2) <> Spaltenzahl der Messdatei (-1)",
                "ReadDataF : Keine Items. Daten fehlerhaft !"}));
  u.senke.zeilen.clear();
  // Only a time and no value: Spaltenzahl 0, no mismatch when the header said 0.
  EXPECT_EQ(Lesen("x;10:00:00\n", 0), 0);
  EXPECT_EQ(u.Log(), std::vector<std::string>{"ReadDataF : Keine Items. Daten fehlerhaft !"});
}

TEST_F(DatFall, FailuresAreLoggedAndReturnZero) {
  EXPECT_EQ(ReadDataF(u.s, u.log, u.verz / "fehlt.DAT", g), 0);
  EXPECT_EQ(Lesen("", 1), 0);
  EXPECT_EQ(ReadDataF(u.s, u.log, u.verz.pfad(), g), 0);  // a directory cannot be read
  EXPECT_EQ(Lesen("a;b;1\n" + Felder(183) + "\n", 1), 0);
  EXPECT_EQ(g.Zeilen(), 0u);
  EXPECT_EQ(
      u.Log(),
      (std::vector<std::string>{
          "ReadDataF : Datei " + (u.verz / "fehlt.DAT").string() + " nicht gefunden !",
          "ReadDataF : Keine Messwerte vorhanden.", "ReadDataF : Fehler(1)", "ReadDataF(6)"}));
  u.senke.zeilen.clear();
  EXPECT_EQ(Lesen(Felder(182), 180), 1);  // 180 values: the most there can be

  // Beyond the grid's 32-bit offsets (a sparse file, so the test stays small on disk).
  std::filesystem::resize_file(dat, gitter::MaxBytes + 1);
  EXPECT_EQ(ReadDataF(u.s, u.log, dat, g), 0);
  EXPECT_EQ(u.Log(), std::vector<std::string>{"ReadDataF(4)"});
  EXPECT_EQ(g.Zeilen(), 0u);
}

// The collector appends while the day is loaded: every read is a consistent prefix of
// whole lines, and the grid holds exactly the lines the result reports.
TEST_F(DatFall, FileGrowingDuringTheReadGivesAConsistentPrefix) {
  DateiSchreiben(dat, "x;0;1;0;3\r\n");
  std::atomic<bool> fertig{false};
  std::thread sammler([&] {
    std::FILE* f = std::fopen(dat.string().c_str(), "ab");
    ASSERT_NE(f, nullptr);
    std::setvbuf(f, nullptr, _IONBF, 0);  // one write per line
    for (int i = 1; i < 40000 && !fertig; ++i) {
      const std::string z = "x;" + std::to_string(i) + ";1,5;" + std::to_string(i % 7) + ";3\r\n";
      std::fwrite(z.data(), 1, z.size(), f);
    }
    std::fclose(f);
  });
  std::int32_t vorher = 0;
  for (int lauf = 0; lauf < 30; ++lauf) {
    u.s.Tage.TagKopf.Itemcount = 3;
    const std::int32_t n = ReadDataF(u.s, u.log, dat, g);
    ASSERT_GE(n, vorher);
    ASSERT_EQ(static_cast<std::size_t>(n), g.Zeilen());
    ASSERT_EQ(u.s.Tage.Spaltenzahl, 3);
    EXPECT_EQ(g.Zelle(static_cast<std::size_t>(n - 1), 1), std::to_string(n - 1));
    EXPECT_EQ(g.Zelle(static_cast<std::size_t>(n - 1), 4), "3");
    vorher = n;
  }
  fertig = true;
  sammler.join();
  EXPECT_TRUE(u.Log().empty());
}

}  // namespace
}  // namespace pegel
