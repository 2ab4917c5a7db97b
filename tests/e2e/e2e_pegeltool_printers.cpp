// `pegeltool printers` against a private CUPS scheduler: the list as the printer dialog shows
// it, the stored printer found by name after a queue was added, refusals, and that the plant
// directory is left as it was.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "privater_cups.h"
#include "test_dienste.h"
#include "verzeichnis_abbild.h"

namespace {

using nlohmann::json;
using pegel::test::DateiLesen;
using pegel::test::DateiSchreiben;
using pegel::test::TempVerz;

pegel::test::PrivaterCups* cups = nullptr;

struct Ergebnis {
  int rc = -1;
  std::string aus;
};

Ergebnis Pegeltool(const std::vector<std::string>& args, const TempVerz& ablage) {
  std::string cmd = "\"" PEGELTOOL "\" printers";
  for (const auto& a : args) cmd += " \"" + a + "\"";
  const int status =
      std::system((cmd + " > \"" + (ablage / "aus.txt").string() + "\" 2>/dev/null").c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, DateiLesen(ablage / "aus.txt")};
}

TEST(PegeltoolPrinters, ListsTheQueuesByNameWithTheDefaultAndTheFaxMarked) {
  TempVerz ablage;
  const Ergebnis e = Pegeltool({"--json"}, ablage);
  ASSERT_EQ(e.rc, 0) << e.aus;
  const json j = json::parse(e.aus);
  EXPECT_EQ(j["drucker"], json::parse(R"([{"nr":0,"name":"Buero-FAX","fax":true},
                                          {"nr":1,"name":"PDF","fax":false}])"));
  EXPECT_EQ(j["standard"], "PDF,Generic CUPS-PDF Printer (w/ options),cups-pdf:/");
  EXPECT_FALSE(j.contains("gespeichert"));
}

// With "Archiv" added before them, the stored positions are stale; the name decides.
TEST(PegeltoolPrinters, TheStoredPrinterIsFoundByNameAndRefusalsAreSaid) {
  const std::string fehler = cups->QueueNeu("Archiv");
  ASSERT_EQ(fehler, "");
  struct Fall {
    std::string ini;
    std::string grund;
    int position;
    bool erlaubt;
  };
  const Fall faelle[] = {
      {"Drucker=1\r\nDruckername=PDF\r\n", "Verschoben", 2, true},
      {"Drucker=1\r\nDruckername=Buero-FAX\r\n", "Fax", -2, false},
      {"Drucker=0\r\nDruckername=Laser\r\n", "NichtVorhanden", -2, false},
      {"", "Standard", -1, true},
  };
  for (const Fall& f : faelle) {
    TempVerz anlage, ablage;
    DateiSchreiben(anlage / "PEGELDDE.INI", "; Sammler\r\n[DDE]\r\nItemcount=0\r\n" + f.ini);
    const auto vorher = pegel::test::GealtertAufnehmen(anlage.pfad());
    const Ergebnis e = Pegeltool({anlage.pfad().string(), "--json"}, ablage);
    ASSERT_EQ(e.rc, 0) << e.aus;
    const json g = json::parse(e.aus)["gespeichert"];
    EXPECT_EQ(g["grund"], f.grund) << f.ini;
    EXPECT_EQ(g["position"], f.position) << f.ini;
    EXPECT_EQ(g["erlaubt"], f.erlaubt) << f.ini;
    EXPECT_EQ(pegel::test::Aufnehmen(anlage.pfad()), vorher) << "read-only";
  }
  TempVerz anlage, ablage;
  DateiSchreiben(anlage / "PEGELDDE.INI", "[DDE]\r\nDrucker=1\r\nDruckername=PDF\r\n");
  const Ergebnis e = Pegeltool({anlage.pfad().string()}, ablage);
  EXPECT_NE(e.aus.find("  2: PDF  <- gespeichert\n"), std::string::npos) << e.aus;
  EXPECT_NE(e.aus.find("  1: Buero-FAX  (Fax, nicht zugelassen)\n"), std::string::npos) << e.aus;
  EXPECT_NE(e.aus.find("Drucker PDF hat jetzt die Nummer 2 (gespeichert war 1)"), std::string::npos)
      << e.aus;
  EXPECT_EQ(cups->QueueWeg("Archiv"), "");
}

}  // namespace

int main(int argc, char** argv) {
  // Before anything prints: pegeltool inherits CUPS_SERVER from here.
  pegel::test::PrivaterCups privat;
  if (!privat.Laeuft()) return privat.OhneServer();
  cups = &privat;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
