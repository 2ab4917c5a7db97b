// The span check of the live display, the first show of the main window and what a
// later run of the loader (the settings dialog opening) changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "anlage_dateien.h"
#include "cp1252.h"
#include "einstell_dialog.h"
#include "erfassung.h"
#include "hilfen.h"
#include "konfig_hilfen.h"
#include "konfiguration.h"
#include "puffer.h"
#include "spannen.h"

namespace pegel {
namespace {

using test::KonfigTest;
using test::Parameter;

std::string Zuviel(int punkte) {
  return "Ben\xF6tigte Punktzahl (" + std::to_string(punkte) +
         ") > Anzahl darstellbarer Punkte (480) !";
}

// The [Grafik] keys the span check stores, as their texts (the defaults 1, 5 and 60 when
// missing).
std::string Gespeichert(const IniEinstellungen& ini) {
  std::string t;
  for (const auto* k :
       {&Schluessel::Grafik_Auswahl, &Schluessel::Grafik_AndereZeit, &Schluessel::Grafik_Puffer}) {
    t += ini.AlsText(*k) + " ";
  }
  return t;
}

class Spanne : public KonfigTest {
 protected:
  IniEinstellungen ini = [this] {
    Ini("[Grafik]\r\nAuswahl=1\r\n");
    return IniEinstellungen(u.s.Pfade.IniDatei, true);
  }();
  void Pruefen(int ddeIntervall, int coStunden, int spAndere = 5) {
    u.meldungen.gezeigt.clear();
    u.s.Takt.DDEIntervall = ddeIntervall;
    u.s.Einstell.coStunden = coStunden;
    u.s.Einstell.spAndere = spAndere;
    SpannePruefen(u.s, u.d, ini);
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
  Pruefen(15, 4);  // "2 Stunden" at 15 s: exactly 7200 / 15 = 480 points
  EXPECT_TRUE(Meldungen().empty());
  EXPECT_EQ(u.s.Einstell.coStunden, 4);
  Pruefen(10, 8, 60);  // "andere", 60 minutes: 360 points
  EXPECT_TRUE(Meldungen().empty());
  EXPECT_EQ(u.s.Einstell.coStunden, 8);
  EXPECT_EQ(u.s.Einstell.spPuffer, 480);
  Pruefen(10, 0);
  EXPECT_EQ(u.s.Einstell.spPuffer, 60) << "\"1 Minute\" keeps the short buffer";
  EXPECT_EQ(Gespeichert(ini), "1 5 60 ") << "nothing written";
}

TEST_F(Spanne, ACollectorIntervalBelowOneSecondCountsAsOne) {
  for (int intervall : {0, -5}) {
    SCOPED_TRACE(intervall);
    Pruefen(intervall, 3);
    EXPECT_EQ(Meldungen(), std::vector<std::string>{Zuviel(3600)});
    EXPECT_EQ(u.s.Einstell.coStunden, 0) << "only \"1 Minute\" (60 points) fits";
    EXPECT_EQ(Gespeichert(ini), "0 5 60 ");
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
  EXPECT_EQ(Gespeichert(IniEinstellungen(u.s.Pfade.IniDatei, true)), "5 60 480 ");

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
  ASSERT_EQ(test::Werte(u.s).size(), 3u);
  EXPECT_EQ(test::Werte(u.s)[2], std::vector<double>(100, NoValue));
  EXPECT_EQ(test::Zeiten(u.s).size(), 100u);
  EXPECT_EQ(u.drucker.quer, std::optional<bool>(false));
  EXPECT_EQ(u.s.Druck.Druckbreite, 284);
  EXPECT_EQ(u.s.Formate.PR, 12) << "a precision beyond a byte reads as its default";

  test::Umgebung ohne;
  ErstesZeigen(ohne.s, ohne.d);
  EXPECT_TRUE(test::Werte(ohne.s).empty() && test::Zeiten(ohne.s).empty());
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
  test::DateiSchreiben(ohneAuto.s.Pfade.IniDatei, Parameter(1) + "[Grafik]\r\nAutoStart=0\r\n");
  ErstesZeigen(ohneAuto.s, ohneAuto.d);
  EXPECT_EQ(ohneAuto.meldungen.gezeigt, std::vector<std::string>{text});
  for (const auto& l : ohneAuto.Log()) EXPECT_NE(l, text);
}

// Opening the settings dialog runs the loader again: changed settings take effect, but
// the buffers keep the length they were allocated with until the next program start.
TEST_F(KonfigTest, ALaterLoadTakesChangesButKeepsTheBufferLength) {
  Ini(Parameter(2) + "[Grafik]\r\nPuffer=60\r\nIntervall=10\r\n");
  ErstesZeigen(u.s, u.d);
  ASSERT_EQ(test::Zeiten(u.s).size(), 60u);

  std::string text =
      Parameter(2) + "[Grafik]\r\nPuffer=480\r\nIntervall=5\r\n" + "[UpLimit]\r\nItem1=7\r\n";
  text.replace(text.find("Item2=P2"), 8, "Item2=Neu");
  Ini(text);
  Laden();
  EXPECT_EQ(u.s.Par().ItemListe(), (std::vector<std::string>{"P1", "Neu"}));
  EXPECT_EQ(u.s.Anzeige.TimerSampleMs, 5000);
  EXPECT_EQ(u.s.Einstell.spPuffer, 480) << "the dialog shows the stored length";
  EXPECT_EQ(u.s.Anzeige.Puffer, 60) << "the ring still has 60 slots";
  EXPECT_EQ(test::Werte(u.s)[0].size(), 60u);
}

// The ring is allocated once: a length or a parameter count that changes in the INI file
// afterwards (written by the span check, by the dialog or by hand) waits for the next
// start, and no sample is lost meanwhile.
class Ring : public KonfigTest {
 protected:
  LiveTabelle tabelle;
  Fenster fenster;
  Tageswechsel ohneDruck;
  Erfassung erf{u.s, u.d, tabelle, fenster, ohneDruck};

  // Parameters 1..n at a collector interval of 60 s, with [Grafik] keys.
  std::string Text(int n, const std::string& grafik) {
    std::string t = Parameter(n);
    t.replace(t.find("Intervall=10"), 12, "Intervall=60");
    return t + "[Grafik]\r\n" + grafik;
  }
  int Fehlerzeilen() const {
    int n = 0;
    for (const auto& l : u.Log()) n += l.find("Fehler") != std::string::npos;
    for (const auto& l : u.Log()) n += l.find("Exception") != std::string::npos;
    return n;
  }
};

TEST_F(Ring, AStoredLengthBeyondTheRingNeedsARestartAndLosesNoSample) {
  Ini(Text(3, "Intervall=1\r\nPuffer=60\r\nAuswahl=7\r\nAlteDaten=1\r\n"));
  ErstesZeigen(u.s, u.d);
  ASSERT_EQ(u.s.Ring.Laenge(), 60);
  ASSERT_EQ(IniEinstellungen(u.s.Pfade.IniDatei, true).Lesen(Schluessel::Grafik_Puffer), 480);

  // The dialog, opened and saved without a change: the stored 480 is not what runs.
  u.meldungen.gezeigt.clear();
  EinstellDialogOeffnen(u.s, u.d);
  EXPECT_TRUE(EinstellungenSpeichern(u.s, u.d));
  EXPECT_EQ(Meldungen(),
            std::vector<std::string>{Ansi("Sie müssen das Programm jetzt neu starten.")});
  EXPECT_EQ(u.s.Anzeige.Puffer, 60);

  // Everything still works on the ring of 60: a day of 100 lines, and the menu's reset.
  std::string tag;
  for (int i = 1; i <= 100; ++i) tag += "x;" + ZeitText(i / 1440.0) + ";1;2;3\r\n";
  test::DateiSchreiben(u.verz / (DatumZuDateiname(u.uhr.jetzt) + ".DAT"), tag);
  test::DateiSchreiben(
      u.verz / (DatumZuDateiname(u.uhr.jetzt) + ".PGH"),
      test::Kopf("3", "60000", std::vector<std::array<std::string, 4>>(3, {"P", "1", "0", "m"})));
  tabelle.SpaltenSetzen(u.s.Par().Itemcount() + 1);  // as Start shapes it
  erf.AlteTagesdatenLesen();
  EXPECT_EQ(u.s.Statistik.at(1).Anzahl, 100);
  EXPECT_EQ(u.s.Ring.NeuesterSlot(), 39);
  for (int n = 1; n <= 3; ++n)
    StatistikZuruecksetzen(u.s, n, u.log, "Fehler bei der Puffer-Initialisierung !");
  EXPECT_EQ(Fehlerzeilen(), 0);
  for (const auto& e : std::filesystem::directory_iterator(u.verz.pfad())) {
    EXPECT_NE(e.path().filename().string()[0], '$') << "no taken file stays";
  }

  // A saved length equal to the ring needs no restart.
  Ini(Text(3, "Intervall=1\r\nPuffer=60\r\nAuswahl=0\r\n"));
  u.meldungen.gezeigt.clear();
  EinstellDialogOeffnen(u.s, u.d);
  EXPECT_FALSE(EinstellungenSpeichern(u.s, u.d));
  EXPECT_TRUE(Meldungen().empty());
}

TEST_F(Ring, ParametersBeyondTheAllocatedRowsWaitForTheNextStart) {
  Ini(Text(3, "Puffer=60\r\nAuswahl=0\r\n"));
  ErstesZeigen(u.s, u.d);
  Ini(Text(5, "Puffer=60\r\nAuswahl=0\r\n"));
  u.senke.zeilen.clear();
  EinstellDialogOeffnen(u.s, u.d);
  EXPECT_EQ(u.s.Par().Itemcount(), 3);
  EXPECT_EQ(u.s.Par().ItemListe().size(), 3u);
  EXPECT_TRUE(
      u.Geloggt(Ansi("DDE-Itemcount 5 > 3 angelegte Parameter: Parameter 4 bis 5 erst nach "
                     "einem Neustart.")));

  tabelle.SpaltenSetzen(u.s.Par().Itemcount() + 1);
  u.s.Anzeige.AlteDaten = false;
  test::DateiSchreiben(
      u.verz / (DatumZuDateiname(u.uhr.jetzt) + ".PGH"),
      test::Kopf("5", "60000", std::vector<std::array<std::string, 4>>(5, {"P", "1", "0", "m"})));
  test::DateiSchreiben(u.verz / (DatumZuDateiname(u.uhr.jetzt) + ".SMP"),
                       "x;10:00:00;1;2;3;4;5\r\nx;10:00:01;1;2;3;4;5\r\n");
  erf.ViewerLaeuft(true);
  erf.TimerSampleTimer();
  EXPECT_EQ(test::Schreibzaehler(u.s), 6);
  EXPECT_EQ(test::Werte(u.s).at(2).at(1), 3);
  EXPECT_EQ(Fehlerzeilen(), 0);
}

// "andere" is checked at saving as the presets are when chosen: what the dialog accepts is
// what the loader lets run after the restart.
TEST_F(Ring, AnOtherSpanIsCheckedWhenSaved) {
  std::string text = Parameter(1);
  text.replace(text.find("Intervall=10"), 12, "Intervall=1");
  Ini(text + "[Grafik]\r\nAuswahl=0\r\nPuffer=60\r\n");
  ErstesZeigen(u.s, u.d);
  EinstellDialogOeffnen(u.s, u.d);
  u.s.Einstell.coStunden = 8;
  u.s.Einstell.spAndere = 10;  // 600 points at 1 s
  u.meldungen.gezeigt.clear();
  EXPECT_FALSE(EinstellungenSpeichern(u.s, u.d));
  EXPECT_EQ(Meldungen(), std::vector<std::string>{Zuviel(600)});
  EXPECT_EQ(Gespeichert(IniEinstellungen(u.s.Pfade.IniDatei, true)), "0 10 60 ")
      << "stepped down to \"1 Minute\"";
  u.meldungen.gezeigt.clear();
  Laden();  // the next start's check finds nothing to reduce
  EXPECT_TRUE(Meldungen().empty());
}

}  // namespace
}  // namespace pegel
