// `pegeltool config` on plant directories made by hand: the JSON it prints, its exit
// codes, and that it leaves every file of the directory as it was.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "anlage_dateien.h"
#include "test_dienste.h"
#include "verzeichnis_abbild.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using pegel::test::Abbild;
using pegel::test::Aufnehmen;
using pegel::test::DateiLesen;
using pegel::test::DateiSchreiben;
using pegel::test::GealtertAufnehmen;
using pegel::test::TempVerz;

struct Ergebnis {
  int rc = -1;
  std::string aus;
};

// Runs pegeltool with these arguments (each quoted); output is caught in files of `ablage`.
Ergebnis Pegeltool(const std::vector<std::string>& args, const TempVerz& ablage) {
  std::string cmd = "\"" PEGELTOOL "\"";
  for (const auto& a : args) cmd += " \"" + a + "\"";
  const int status = std::system((cmd + " > \"" + (ablage / "aus.txt").string() + "\" 2> \"" +
                                  (ablage / "err.txt").string() + "\"")
                                     .c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, DateiLesen(ablage / "aus.txt")};
}

// A plant as the collector leaves it: two parameters without a stored user scale (the
// loader would write one), a printer that is not installed, and an old-format group file
// (the loader would convert it).
const std::string kAnlageIni =
    "[DDE]\r\nItemcount=2\r\nIntervall=10\r\nDrucker=0\r\nDruckername=B\xFCro\r\n"
    "[Items]\r\nItem1=SPS|Pegel\r\nItem2=SPS|Zulauf\r\n"
    "[Itemnames]\r\nItem1=F\xFCllstand\r\nItem2=Zulauf\r\n"
    "[Einheiten]\r\nItem1=m\r\nItem2=m\xB3/h\r\n"
    "[UpLimit]\r\nItem1=12,5\r\n[LoLimit]\r\nItem1=-2.5\r\n"
    "[Grafik]\r\nIntervall=5\r\nAuswahl=3\r\n"
    "[PegelWart]\r\nQuerformat=0\r\n[Formate]\r\nNK=2\r\n";

TEST(PegeltoolConfig, ReportsAPlantAndChangesNoFile) {
  TempVerz anlage, ablage;
  DateiSchreiben(anlage / "PEGELDDE.INI", kAnlageIni);
  DateiSchreiben(anlage / "PEGELWART.GRP",
                 pegel::test::GruppenSatz(276, {1, 2}, "Becken Nord", true) +
                     pegel::test::GruppenSatz(276, {2}, "Zulauf", false));
  const Abbild vorher = GealtertAufnehmen(anlage.pfad());

  const Ergebnis e = Pegeltool({"config", anlage.pfad().string(), "--json"}, ablage);
  ASSERT_EQ(e.rc, 0) << e.aus;
  const json j = json::parse(e.aus);
  EXPECT_EQ(j["ini"], "PEGELDDE.INI");
  EXPECT_EQ(j["KonfigOK"], true);
  ASSERT_EQ(j["parameter"].size(), 2u);
  const json& p1 = j["parameter"][0];
  EXPECT_EQ(p1["Itemname"], "F\u00fcllstand");
  EXPECT_EQ(p1["UpLimit"], 12.5);
  EXPECT_EQ(p1["LoLimit"], -2.5);
  EXPECT_EQ(p1["MinSkal"], -2.5) << "the limits stand in for the missing scale";
  EXPECT_EQ(p1["MaxSkal"], 12.5);
  EXPECT_EQ(j["parameter"][1]["Einheit"], "m\u00b3/h");

  const json& st = j["einstellungen"];
  EXPECT_EQ(st["TimerSampleMs"], 5000);
  EXPECT_EQ(st["NK"], 2);
  EXPECT_EQ(st["DruckerName"], "B\u00fcro");
  ASSERT_EQ(j["gruppen"].size(), 2u);
  EXPECT_EQ(j["gruppen"][0]["Name"], "Becken Nord");
  EXPECT_EQ(j["gruppen"][0]["Mitglieder"], json::array({1, 2}));

  // The stored printer is looked up by name: gone, it is logged and nothing is set.
  EXPECT_EQ(j["meldungen"], json::array());
  const auto log = j["log"].get<std::vector<std::string>>();
  EXPECT_EQ(log.at(1), "Gruppendatei wird konvertiert....");
  EXPECT_EQ(std::count(log.begin(), log.end(), "ok."), 0) << "nothing was converted on disk";
  EXPECT_EQ(log.at(2), "Drucker B\u00fcro nicht mehr vorhanden");
  EXPECT_EQ(log.at(3), "Drucker: B\u00fcro Nummer = 0");
  EXPECT_EQ(log.back(), "Item_2 / Zulauf : Min/Max-Skalierung = -1000.0/1000.0");

  EXPECT_EQ(Aufnehmen(anlage.pfad()), vorher) << "no file written, converted or added";

  const Ergebnis text = Pegeltool({"config", anlage.pfad().string()}, ablage);
  EXPECT_EQ(text.rc, 0);
  EXPECT_NE(text.aus.find("F\u00fcllstand"), std::string::npos) << text.aus;
}

TEST(PegeltoolConfig, ABadConfigurationExitsWithOne) {
  TempVerz anlage, ablage;
  DateiSchreiben(anlage / "PEGELDDE.INI", "[DDE]\r\nItemcount=0\r\nIntervall=10\r\n");
  DateiSchreiben(anlage / "PEGELWART.GRP", std::string(1000, '\x07'));
  const Abbild vorher = GealtertAufnehmen(anlage.pfad());

  const Ergebnis e = Pegeltool({"config", anlage.pfad().string(), "--json"}, ablage);
  EXPECT_EQ(e.rc, 1);
  const json j = json::parse(e.aus);
  EXPECT_EQ(j["parameter"], json::array());
  EXPECT_EQ(j["meldungen"],
            json::array({"Die Gruppendatei ist sehr alt ! Sie \r\nm\u00fcssen die Gruppierung "
                         "neu festlegen.",
                         "Keine DDE-Items definiert !", "DDE-Items aus PGH-Datei bestimmen ?"}));
  EXPECT_EQ(Aufnehmen(anlage.pfad()), vorher) << "the unusable group file stays in place";

  // A limit that is no number: the message, the key in the log, and exit 1.
  TempVerz halb;
  DateiSchreiben(halb / "PEGELDDE.INI", kAnlageIni + "[UpWarn]\r\nItem2=abc\r\n");
  const Ergebnis h = Pegeltool({"config", halb.pfad().string(), "--json"}, ablage);
  EXPECT_EQ(h.rc, 1);
  const json jh = json::parse(h.aus);
  EXPECT_EQ(jh["meldungen"].back(), "Fehler beim Lesen der .INI-Datei !");
  EXPECT_NE(h.aus.find("[UpWarn] Item2=abc ist keine Zahl"), std::string::npos) << h.aus;

  // An empty directory is a plant without items.
  TempVerz leer;
  EXPECT_EQ(Pegeltool({"config", leer.pfad().string(), "--json"}, ablage).rc, 1);
  EXPECT_TRUE(fs::is_empty(leer.pfad()));
}

}  // namespace
