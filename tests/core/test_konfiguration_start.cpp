// The span check of the live display, the first show of the main window and what a
// later run of the loader (the settings dialog opening) changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "konfig_hilfen.h"
#include "konfiguration.h"

namespace pegel {
namespace {

using test::KonfigTest;
using test::Parameter;

std::string Zuviel(int punkte) {
  return "Ben\xF6tigte Punktzahl (" + std::to_string(punkte) +
         ") > Anzahl darstellbarer Punkte (480) !";
}

// The [Grafik] keys the span check stores.
std::string Gespeichert(const IniDatei& ini) {
  std::string t;
  for (const char* k : {"Auswahl", "AndereZeit", "Puffer"}) {
    t += std::to_string(ini.LeseGanz("Grafik", k, -1)) + " ";
  }
  return t;
}

class Spanne : public KonfigTest {
 protected:
  IniDatei ini = IniDatei::AusText("[Grafik]\r\nAuswahl=1\r\n");
  void Pruefen(int ddeIntervall, int coStunden, int spAndere = 5) {
    u.meldungen.gezeigt.clear();
    u.s.DDEIntervall = ddeIntervall;
    u.s.Einstell.coStunden = coStunden;
    u.s.Einstell.spAndere = spAndere;
    cbGanzerTagClick(u.s, u.d, ini);
  }
};

TEST_F(Spanne, ATooLongSpanStepsDownAndIsStored) {
  Pruefen(10, 4);
  EXPECT_EQ(Meldungen(), std::vector<std::string>{Zuviel(720)});
  EXPECT_EQ(SpannenText(u.s.Einstell.coStunden), "1 Stunde");
  EXPECT_EQ(u.s.Einstell.spPuffer, 480);
  EXPECT_FALSE(u.s.Einstell.spPufferAktiv);
  EXPECT_EQ(Gespeichert(ini), "3 5 480 ");
}

TEST_F(Spanne, SpansThatFitAreAcceptedWithoutWriting) {
  Pruefen(10, 8, 60);  // "andere", 60 minutes: 360 points
  EXPECT_TRUE(Meldungen().empty());
  EXPECT_EQ(u.s.Einstell.coStunden, 8);
  EXPECT_EQ(u.s.Einstell.spPuffer, 480);
  Pruefen(10, 0);
  EXPECT_EQ(u.s.Einstell.spPuffer, 60) << "\"1 Minute\" keeps the short buffer";
  EXPECT_FALSE(ini.Geaendert());
}

TEST_F(Spanne, ACollectorIntervalBelowOneSecondCountsAsOne) {
  for (int intervall : {0, -5}) {
    SCOPED_TRACE(intervall);
    Pruefen(intervall, 3);
    EXPECT_EQ(Meldungen(), std::vector<std::string>{Zuviel(3600)});
    EXPECT_EQ(u.s.Einstell.coStunden, 0) << "only \"1 Minute\" (60 points) fits";
    EXPECT_EQ(ini.LeseGanz("Grafik", "Puffer", -1), 60);
  }
}

// A stored span too long for the collector's interval: the first run of the loader
// shows the message and stores the reduced span; the dialog still shows the stored
// buffer length, and later runs check nothing.
TEST_F(KonfigTest, TheFirstLoadChecksTheStoredSpan) {
  std::string text = Parameter(1);
  text.insert(7, "Intervall=1\r\nEinheit=1\r\n");
  Ini(text + "[Grafik]\r\nAuswahl=7\r\nPuffer=60\r\nAndereZeit=99\r\n");
  Laden();
  EXPECT_EQ(Meldungen(), std::vector<std::string>{Zuviel(1440)});
  EXPECT_EQ(SpannenText(u.s.Einstell.coStunden), "6 Stunden");
  EXPECT_EQ(u.s.Einstell.spPuffer, 60);
  EXPECT_EQ(Gespeichert(IniDatei(u.s.IniDatei, true)), "5 60 480 ");

  Ini(text + "[Grafik]\r\nAuswahl=7\r\n");
  u.meldungen.gezeigt.clear();
  Laden();
  EXPECT_TRUE(Meldungen().empty());
  EXPECT_EQ(u.s.Einstell.coStunden, 7);
}

TEST_F(KonfigTest, FirstShowAllocatesTheBuffersOnlyForAValidConfiguration) {
  Ini(Parameter(3) +
      "[Grafik]\r\nPuffer=100\r\n[PegelWart]\r\nQuerformat=0\r\nDruckbreite=abc\r\n"
      "[Formate]\r\nPR=300\r\nNK=5\r\n");
  ErstesZeigen(u.s, u.d);
  EXPECT_TRUE(Meldungen().empty());
  ASSERT_EQ(u.s.WertPuffer.size(), 3u);
  EXPECT_EQ(u.s.WertPuffer[2], std::vector<double>(100, NoValue));
  EXPECT_EQ(u.s.ZeitPuffer.size(), 100u);
  EXPECT_EQ(u.drucker.quer, std::optional<bool>(false));
  EXPECT_EQ(u.s.Druckbreite, 284);
  EXPECT_EQ(u.s.PR, 12) << "a precision beyond a byte reads as its default";

  test::Umgebung ohne;
  ErstesZeigen(ohne.s, ohne.d);
  EXPECT_TRUE(ohne.s.WertPuffer.empty() && ohne.s.ZeitPuffer.empty());
}

TEST_F(KonfigTest, MissingPrinterIsLoggedWithAutoStartAndShownWithout) {
  const std::string text = "Bitte installieren Sie einen Drucker !";
  u.drucker.verfuegbar = false;
  Ini(Parameter(1) + "[Grafik]\r\nAutoStart=1\r\n");
  ErstesZeigen(u.s, u.d);
  EXPECT_EQ(u.Log().back(), text);
  EXPECT_TRUE(Meldungen().empty());

  test::Umgebung ohneAuto;
  ohneAuto.drucker.verfuegbar = false;
  test::DateiSchreiben(ohneAuto.s.IniDatei, Parameter(1) + "[Grafik]\r\nAutoStart=0\r\n");
  ErstesZeigen(ohneAuto.s, ohneAuto.d);
  EXPECT_EQ(ohneAuto.meldungen.gezeigt, std::vector<std::string>{text});
  for (const auto& l : ohneAuto.Log()) EXPECT_NE(l, text);
}

// Opening the settings dialog runs the loader again: changed settings take effect, but
// the buffers keep the length they were allocated with until the next program start.
TEST_F(KonfigTest, ALaterLoadTakesChangesButKeepsTheBufferLength) {
  Ini(Parameter(2) + "[Grafik]\r\nPuffer=60\r\nIntervall=10\r\n");
  ErstesZeigen(u.s, u.d);
  ASSERT_EQ(u.s.ZeitPuffer.size(), 60u);

  std::string text =
      Parameter(2) + "[Grafik]\r\nPuffer=480\r\nIntervall=5\r\n" + "[UpLimit]\r\nItem1=7\r\n";
  text.replace(text.find("Item2=P2"), 8, "Item2=Neu");
  Ini(text);
  Laden();
  EXPECT_EQ(u.s.ItemListe, (std::vector<std::string>{"P1", "Neu"}));
  EXPECT_EQ(u.s.TimerSampleMs, 5000);
  EXPECT_EQ(u.s.Einstell.spPuffer, 480) << "the dialog shows the stored length";
  EXPECT_EQ(u.s.Puffer, 60) << "the ring still has 60 slots";
  EXPECT_EQ(u.s.WertPuffer[0].size(), 60u);
}

}  // namespace
}  // namespace pegel
