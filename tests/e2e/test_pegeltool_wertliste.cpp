// `pegeltool stats` and `pegeltool export` on a stored day of a fixture plant: the figures
// and texts of the statistics, the exported bytes, the exit codes, and that the plant
// directory stays as it was.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "biff_leser.h"
#include "cp1252.h"
#include "test_dienste.h"
#include "text_format.h"
#include "verzeichnis_abbild.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using pegel::test::DateiLesen;
using pegel::test::TempVerz;

struct Ergebnis {
  int rc = -1;
  std::string aus;
  std::string err;
};

// The fixture plant's day 05.12.2026: minute samples from 10:00:00 of "Füllstand Nord [m]",
// "Zulauf [m³/h]" (100, 103, 106, ...), "Pumpe 1 [-]", "Temperatur [°C]" and "Druck Süd
// [bar]"; the line of 10:07:00 ends after the pump. [Formate] PR=10, NK=2.
class Wertliste : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy(fs::path(PEGEL_TESTDATA_DIR) / "golden" / "klaerwerk", anlage.pfad(),
             fs::copy_options::recursive);
    vorher = pegel::test::GealtertAufnehmen(anlage.pfad());
  }
  void TearDown() override { EXPECT_EQ(pegel::test::Aufnehmen(anlage.pfad()), vorher); }

  Ergebnis Pegeltool(std::vector<std::string> args) {
    std::string cmd = "\"" PEGELTOOL "\"";
    for (const auto& a : args) cmd += " \"" + a + "\"";
    const int status = std::system((cmd + " > \"" + (ablage / "aus.txt").string() + "\" 2> \"" +
                                    (ablage / "err.txt").string() + "\"")
                                       .c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, DateiLesen(ablage / "aus.txt"),
            DateiLesen(ablage / "err.txt")};
  }
  std::string Anlage() const { return anlage.pfad().string(); }

  TempVerz anlage, ablage, ziel;
  pegel::test::Abbild vorher;
};

TEST_F(Wertliste, StatsJsonHasTheFiguresAndTheShownTexts) {
  const Ergebnis e = Pegeltool({"stats", Anlage(), "20261205", "--from", "10:00:00", "--to",
                                "10:05:00", "--params", "2,1", "--json"});
  ASSERT_EQ(e.rc, 0) << e.err;
  EXPECT_EQ(e.err, "");
  const json j = json::parse(e.aus);
  EXPECT_EQ(j["anzahl"], 6);
  EXPECT_EQ(j["zeitdifferenz"], "00:05:00");
  EXPECT_EQ(j["meldungen"], json::array());
  ASSERT_EQ(j["parameter"].size(), 2u);

  const json& zulauf = j["parameter"][0];
  EXPECT_EQ(zulauf["nr"], 2);
  EXPECT_EQ(zulauf["titel"], "Zulauf  [m³/h]");
  EXPECT_EQ(zulauf["Minimum"], 100.0);
  EXPECT_EQ(zulauf["tMin"], "10:00:00");
  EXPECT_EQ(zulauf["Maximum"], 115.0);
  EXPECT_EQ(zulauf["tMax"], "10:05:00");
  EXPECT_EQ(zulauf["Mittelwert"], (100 + 115) / 2.0);
  EXPECT_EQ(zulauf["Anzahl"], 6);
  EXPECT_EQ(zulauf["Summe"], 645.0);
  // The first row lies on the span's beginning and adds nothing; every later one a minute.
  EXPECT_NEAR(zulauf["Integral"].get<double>(), (103 + 106 + 109 + 112 + 115) * 60 / 3600.0, 1e-9);
  EXPECT_EQ(zulauf["texte"], json({{"Minimum", "100,00"},
                                   {"t-Min.", "10:00:00"},
                                   {"Maximum", "115,00"},
                                   {"t-Max.", "10:05:00"},
                                   {"Mittelwert", "107,50"},
                                   {"Anzahl", "6"},
                                   {"Arithm.Summe", "645,00"},
                                   {"Integralsumme", "9,08  m³"}}));

  const json& pegel = j["parameter"][1];
  EXPECT_EQ(pegel["titel"], "Füllstand Nord  [m]");
  EXPECT_TRUE(pegel["Integral"].is_null());
  EXPECT_EQ(pegel["texte"]["Integralsumme"], "----------");
}

TEST_F(Wertliste, StatsTextShowsTheNineRowsPerParameter) {
  const Ergebnis e = Pegeltool(
      {"stats", Anlage(), "20261205", "--from", "10:00:00", "--to", "10:05:00", "--params", "2"});
  ASSERT_EQ(e.rc, 0) << e.err;
  EXPECT_EQ(e.aus,
            "Tag 20261205, Zeitraum 10:00:00 bis 10:05:00, Zeitdifferenz 00:05:00, 6 Zeilen\n"
            "\n"
            "Zulauf  [m³/h]\n"
            "  Minimum        100,00\n"
            "  t-Min.         10:00:00\n"
            "  Maximum        115,00\n"
            "  t-Max.         10:05:00\n"
            "  Mittelwert     107,50\n"
            "  Anzahl         6\n"
            "  Arithm.Summe   645,00\n"
            "  Integralsumme  9,08  m³\n");
}

TEST_F(Wertliste, StatsReportsRowsThatCannotCount) {
  struct Fall {
    std::vector<std::string> args;
    int rc;
    std::string err;
    int anzahl;
  };
  const Fall faelle[] = {
      // The line of 10:07:00 has no temperature: reading ends there, the rows before count.
      {{"--from", "10:00:00", "--to", "10:10:00"},
       0,
       "pegeltool stats: Falsches Zeitformat in Zeile 8 !\n",
       7},
      // Without the columns it lacks, the line counts.
      {{"--from", "10:00:00", "--to", "10:10:00", "--params", "1-3"}, 0, "", 11},
      {{"--from", "11:00:00", "--to", "12:00:00"},
       1,
       "pegeltool stats: Keine Daten im ausgewählten Zeitraum gefunden !\n",
       0},
  };
  for (const Fall& f : faelle) {
    std::vector<std::string> args = {"stats", Anlage(), "20261205", "--json"};
    args.insert(args.end(), f.args.begin(), f.args.end());
    const Ergebnis e = Pegeltool(args);
    EXPECT_EQ(e.rc, f.rc) << f.args[3];
    EXPECT_EQ(e.err, f.err);
    EXPECT_EQ(json::parse(e.aus)["anzahl"], f.anzahl);
  }
}

TEST_F(Wertliste, ExportCsvInBothEncodings) {
  const std::string zeilen = "10:01:00;103;16,5\r\n10:02:00;106;17,5\r\n";
  struct Fall {
    std::vector<std::string> extra;
    std::string bytes;
  };
  const Fall faelle[] = {
      {{}, pegel::Ansi(";Zulauf  [m³/h];Temperatur  [°C]\r\n") + zeilen},
      {{"--utf8"}, "\xEF\xBB\xBF;Zulauf  [m³/h];Temperatur  [°C]\r\n" + zeilen},
  };
  for (const Fall& f : faelle) {
    const auto datei = ziel / "t.csv";
    std::vector<std::string> args = {"export",   Anlage(), "20261205",    "--from",
                                     "10:00:30", "--to",   "10:02:59",    "--params",
                                     "2,4",      "--csv",  datei.string()};
    args.insert(args.end(), f.extra.begin(), f.extra.end());
    const Ergebnis e = Pegeltool(args);
    ASSERT_EQ(e.rc, 0) << e.err;
    EXPECT_EQ(e.aus, "Datei > " + datei.string() + " < wurde gespeichert.\n");
    EXPECT_EQ(DateiLesen(datei), f.bytes);
  }
}

TEST_F(Wertliste, ExportXlsReadsBackCellForCell) {
  const auto datei = ziel / "tag.xls";
  const Ergebnis e = Pegeltool({"export", Anlage(), "20261205", "--xls", datei.string()});
  ASSERT_EQ(e.rc, 0) << e.err;
  const auto saetze = pegel::test::Saetze(DateiLesen(datei));
  // The title row and 30 rows of the time and five values, between BOF and EOF.
  ASSERT_EQ(saetze.size(), 31 * 6 + 2u);
  std::map<std::pair<unsigned, unsigned>, pegel::test::Zelle> zellen;
  for (std::size_t i = 1; i + 1 < saetze.size(); ++i) {
    const auto z = pegel::test::Lesen(saetze[i]);
    zellen.emplace(std::pair{z.zeile, z.spalte}, z);
  }
  using W = decltype(pegel::test::Zelle::wert);
  const std::tuple<unsigned, unsigned, W> erwartet[] = {
      {0, 2, W(pegel::Ansi("Zulauf  [m³/h]"))},
      {1, 0, W(std::string("10:00:00"))},
      {1, 1, W(0.0)},
      {2, 2, W(103.0)},
      {2, 4, W(16.5)},
      {8, 3, W(1.0)},
      {8, 4, W(std::string())},  // the short line's missing temperature
      {30, 0, W(std::string("10:29:00"))},
      {30, 1, W(5.9)},
  };
  for (const auto& [zeile, spalte, wert] : erwartet) {
    EXPECT_EQ(zellen.at({zeile, spalte}).wert, wert) << zeile << "," << spalte;
  }
}

TEST_F(Wertliste, UsageErrorsExitWithTwo) {
  const std::vector<std::vector<std::string>> faelle = {
      {"stats", Anlage(), "20261205", "--to", "10:05:00"},
      {"stats", Anlage(), "20261205", "--from", "10 Uhr", "--to", "10:05:00"},
      {"stats", Anlage(), "2026125", "--from", "10:00:00", "--to", "10:05:00"},
      {"stats", Anlage(), "20261205", "--from", "10:00:00", "--to", "10:05:00", "--params", "0"},
      {"stats", Anlage(), "20261205", "--from", "10:00:00", "--to", "10:05:00", "--params", "6"},
      {"stats", Anlage(), "20261205", "--from", "10:00:00", "--to", "10:05:00", "--params", "3-2"},
      {"export", Anlage(), "20261205"},
      {"export", Anlage(), "20261205", "--xls", (ziel / "a").string(), "--csv", "b"},
      {"export", Anlage(), "20261205", "--xlsx", (ziel / "a").string(), "--utf8"},
      {"export", Anlage(), "20261205", "--csv", (ziel / "a").string(), "--rows", "1:2"},
      {"export", (ziel / "fehlt").string(), "20261205", "--csv", (ziel / "a").string()},
  };
  for (const auto& args : faelle) {
    const Ergebnis e = Pegeltool(args);
    EXPECT_EQ(e.rc, 2) << args.back();
    EXPECT_EQ(e.aus, "");
  }
  EXPECT_TRUE(fs::is_empty(ziel.pfad()));
}

TEST_F(Wertliste, UnwritableTargetExitsWithOneAndOneLine) {
  fs::create_directories(ziel / "ordner" / "drin");
  struct Fall {
    std::string option;
    fs::path datei;
    std::string grund;
  };
  const Fall faelle[] = {
      {"--xls", ziel / "fehlt" / "t.xls", "Das Verzeichnis existiert nicht."},
      {"--csv", ziel / "ordner", "Unter diesem Namen besteht ein Verzeichnis."},
      {"--xlsx", ziel / "ordner", "Unter diesem Namen besteht ein Verzeichnis."},
  };
  for (const Fall& f : faelle) {
    const Ergebnis e = Pegeltool({"export", Anlage(), "20261205", f.option, f.datei.string()});
    EXPECT_EQ(e.rc, 1) << f.option;
    EXPECT_EQ(e.aus, "");
    EXPECT_EQ(e.err, "pegeltool export: Datei > " + f.datei.string() +
                         " < konnte nicht gespeichert werden. " + f.grund + "\n");
  }
  // Only what was there before: no file half-written beside the target.
  EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(ziel.pfad()), {}),
            std::vector<fs::path>{ziel / "ordner"});
  EXPECT_TRUE(fs::exists(ziel / "ordner" / "drin"));
}

TEST_F(Wertliste, MissingDayExitsWithOne) {
  for (const char* kommando : {"stats", "export"}) {
    std::vector<std::string> args = {kommando, Anlage(), "20261207"};
    if (std::string(kommando) == "stats") {
      args.insert(args.end(), {"--from", "00:00:00", "--to", "23:59:59"});
    } else {
      args.insert(args.end(), {"--csv", (ziel / "t.csv").string()});
    }
    const Ergebnis e = Pegeltool(args);
    EXPECT_EQ(e.rc, 1) << kommando;
    EXPECT_EQ(std::count(e.err.begin(), e.err.end(), '\n'), 1) << e.err;
  }
  EXPECT_TRUE(fs::is_empty(ziel.pfad()));
}

}  // namespace
