// `pegeltool day --stretches`: the stretches it reports are those the history browser lists
// for the same day, with rows counted from 1, and a time that does not convert ends them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "anlage_dateien.h"
#include "historie_laden.h"
#include "test_dienste.h"

namespace {

using nlohmann::json;
using pegel::test::DateiLesen;
using pegel::test::DateiSchreiben;
using pegel::test::TempVerz;

struct Ergebnis {
  int rc = -1;
  std::string aus;
};

Ergebnis Day(const TempVerz& anlage, const TempVerz& ablage, const std::string& mehr) {
  const std::string cmd = "\"" PEGELTOOL "\" day \"" + anlage.pfad().string() + "\" 20261205 " +
                          mehr + " > \"" + (ablage / "aus.txt").string() + "\" 2>/dev/null";
  const int status = std::system(cmd.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, DateiLesen(ablage / "aus.txt")};
}

// A day at a 10 s interval from the given time texts (one value per line).
void TagSchreiben(const TempVerz& anlage, const std::vector<std::string>& zeiten) {
  DateiSchreiben(anlage / "20261205.PGH",
                 pegel::test::Kopf("1", "10000", {{"Pegel", "1", "0", "m"}}));
  std::string daten;
  for (const auto& z : zeiten) daten += "x;" + z + ";1,5\r\n";
  DateiSchreiben(anlage / "20261205.DAT", daten);
}

TEST(PegeltoolDay, StretchesAreThoseTheBrowserLists) {
  TempVerz anlage, ablage;
  // 11 s (interval + 1 s) stays in the stretch, 12 s ends it; a time going back never does.
  TagSchreiben(
      anlage, {"08:00:00", "08:00:10", "08:00:21", "08:00:33", "08:05:00", "08:04:00", "08:04:10"});
  const Ergebnis e = Day(anlage, ablage, "--stretches --json");
  ASSERT_EQ(e.rc, 0) << e.aus;
  const json j = json::parse(e.aus);
  const json erwartet = json::parse(R"([
    {"text": "08:00:00....08:00:21", "erste_zeile": 1, "letzte_zeile": 3},
    {"text": "08:00:33....08:00:33", "erste_zeile": 4, "letzte_zeile": 4},
    {"text": "08:05:00...08:04:10", "erste_zeile": 5, "letzte_zeile": 7}])");
  EXPECT_EQ(j.at("abschnitte"), erwartet);
  EXPECT_TRUE(j.at("abschnitte_zeitfehler_zeile").is_null());

  // The browser's load of the same day lists the same texts and rows.
  pegel::LadeAuftrag a;
  a.Suchverzeichnis = anlage.pfad();
  a.eintraege = {"20261205.DAT"};
  a.gewaehlt = 0;
  a.DDEIntervallMs = 60000;  // not used: the header's interval applies
  const auto browser = pegel::HistorienTagLaden(a).abschnitte;
  ASSERT_EQ(browser.lbix1.size(), erwartet.size());
  for (std::size_t k = 0; k < erwartet.size(); ++k) {
    EXPECT_EQ(browser.cbIntervalle.at(k + 1), erwartet[k].at("text"));
    EXPECT_EQ(browser.lbix1.at(k) + 1, erwartet[k].at("erste_zeile"));
    EXPECT_EQ(browser.lbix2.at(k) + 1, erwartet[k].at("letzte_zeile"));
  }

  const Ergebnis text = Day(anlage, ablage, "--stretches");
  EXPECT_NE(text.aus.find("Abschnitte:\n  08:00:00....08:00:21 (Zeilen 1 bis 3)\n"
                          "  08:00:33....08:00:33 (Zeilen 4 bis 4)\n"),
            std::string::npos)
      << text.aus;
}

TEST(PegeltoolDay, ATimeThatDoesNotConvertEndsTheStretches) {
  TempVerz anlage, ablage;
  TagSchreiben(anlage, {"08:00:00", "08:00:10", "08:00:20", "8x:00:30", "08:00:40"});
  const json j = json::parse(Day(anlage, ablage, "--stretches --json").aus);
  EXPECT_EQ(j.at("abschnitte"), json::parse(R"([{"text": "08:00:00...08:00:20", "erste_zeile": 1,
                              "letzte_zeile": 3}])"));
  EXPECT_EQ(j.at("abschnitte_zeitfehler_zeile"), 4);
  EXPECT_EQ(j.at("zeilen"), 5) << "the summary itself still counts every line";
}

TEST(PegeltoolDay, WithoutTheSwitchTheJsonHasNoStretches) {
  TempVerz anlage, ablage;
  TagSchreiben(anlage, {"08:00:00", "08:00:10"});
  EXPECT_FALSE(json::parse(Day(anlage, ablage, "--json").aus).contains("abschnitte"));
}

}  // namespace
