#include <gtest/gtest.h>

#include "logbuch.h"
#include "test_dienste.h"

namespace pegel {
namespace {

using test::DateiLesen;
using test::Umgebung;

TEST(Logbuch, FileAndMemoCarryTheSameReadingAndTheFileGrows) {
  Umgebung u;
  u.uhr.jetzt = DatumKodieren(2026, 3, 1) + ZeitKodieren(9, 5, 3, 7);
  const auto datei = u.verz / LogDateiName;
  test::DateiSchreiben(datei, "alt\r\n");
  u.log.LogAll(Ansi("Viewer gestartet. äöü"));
  u.log.LogAll("zweite");
  EXPECT_EQ(DateiLesen(datei),
            "alt\r\n01.M\xe4r.26, 09:05:03 > Viewer gestartet. \xe4\xf6\xfc\r\n"
            "01.M\xe4r.26, 09:05:03 > zweite\r\n");
  ASSERT_EQ(u.senke.zeilen.size(), 2u);
  EXPECT_EQ(u.senke.zeilen[0], "01.03.,09:05:03:007 > Viewer gestartet. \xe4\xf6\xfc");
}

TEST(Logbuch, LogFehlerWritesOnlyWithTheSwitch) {
  Umgebung u;
  u.s.Anzeige.FehlerLog = false;
  u.log.LogFehler("TimerSampleTimer : Lesen_Fertig=FALSE");
  EXPECT_TRUE(u.senke.zeilen.empty());
  EXPECT_FALSE(std::filesystem::exists(u.verz / LogDateiName));
  u.s.Anzeige.FehlerLog = true;
  u.log.LogFehler("TimerSampleTimer : Lesen_Fertig=FALSE");
  EXPECT_EQ(u.Log(), std::vector<std::string>{"TimerSampleTimer : Lesen_Fertig=FALSE"});
}

TEST(Logbuch, NurLesenWritesTheMemoButNoFile) {
  Umgebung u;
  u.s.NurLesen = true;
  u.log.LogAll("Viewer gestartet.");
  EXPECT_EQ(u.Log(), std::vector<std::string>{"Viewer gestartet."});
  EXPECT_FALSE(std::filesystem::exists(u.verz / LogDateiName));
}

TEST(Logbuch, UnwritableFileLosesOnlyTheFileLine) {
  Umgebung u;
  std::filesystem::create_directory(u.verz / LogDateiName);  // a directory in the way
  u.log.LogAll("trotzdem");
  EXPECT_EQ(u.Log(), std::vector<std::string>{"trotzdem"});
}

}  // namespace
}  // namespace pegel
