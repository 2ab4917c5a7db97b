#include <gtest/gtest.h>

#include <cmath>

#include "erfassung_anlage.h"
#include "text_format.h"

namespace pegel::test {
namespace {

TEST(Erfassung, EineZeileWirdFeldFuerFeldEingetragen) {
  Anlage a;
  a.Proben("x;10:15:00;1,5;;abc\r\n");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(test::Schreibzaehler(a.s), 5);
  EXPECT_EQ((std::vector<double>{a.Slot(1, 0), a.Slot(2, 0), a.Slot(3, 0)}),
            (std::vector<double>{1.5, 0, 0}));  // empty and bad fields enter as 0
  EXPECT_DOUBLE_EQ(test::Zeiten(a.s)[0], ZeitKodieren(10, 15, 0));
  EXPECT_EQ(a.tabelle.Zelle(0, 5), ">>>>>>>>>>");
  EXPECT_EQ(a.tabelle.Zelle(1, 5), "1,50");
  EXPECT_EQ(a.tabelle.Zelle(1, 4), "1");
  EXPECT_EQ(a.zaehler.meldungen, 1);
  const FensterZustand& f = a.fenster.Zustand();
  EXPECT_TRUE(f.lbLesen && f.TimerSample && f.btEchtdatenZeigen && !f.Sanduhr);
  EXPECT_EQ(f.lbLesenText, "10:15:00");
  EXPECT_TRUE(a.s.Abfrage.Lesen_Fertig);
  EXPECT_TRUE(a.Rest().empty());  // sample file, its taken copy and the lock are gone
}

TEST(Erfassung, GrenzenDigitalstundenUndRinge) {
  Anlage a(2);
  test::Par(a.s, 2).Typ = Grafiktyp::Digital;
  test::Par(a.s, 1).UpLimit = 10;
  test::Par(a.s, 1).LoLimit = 0;
  std::string zeilen = "x;00:00:00;10;1\nx;00:01:00;0;1\nx;00:02:00;10,01;1\n";
  for (int i = 3; i < 60; ++i) zeilen += "x;01:00:" + std::to_string(i) + ";-0,01;1\n";
  a.Proben(zeilen);
  a.erf.TimerSampleTimer();
  // Limits included; values outside reach buffer and table but no statistics.
  const TagesStatistik& w = a.s.Statistik.at(1);
  EXPECT_EQ(std::pair(w.Anzahl, w.Mittelwert), std::pair(2.0, 5.0));
  EXPECT_EQ(a.Slot(1, 2), 10.01);
  EXPECT_EQ(a.tabelle.Zelle(1, a.s.Abfrage.TabellenZeile), "-0,01");
  // 60 samples "on" at 60 s are one hour.
  EXPECT_EQ(a.tabelle.Zelle(2, 4), "1,000");
  // 60 lines: the ten-row ring of the table went round six times.
  EXPECT_EQ(a.s.Abfrage.TabellenZeile, 14);
  EXPECT_EQ(a.tabelle.Zelle(0, 13), "01:00:58");
  EXPECT_EQ(a.tabelle.Zelle(0, 14), ">>>>>>>>>>");
}

// Operating hours count a value above 0.5 (the chart's bar needs more than 0.6).
TEST(Erfassung, BetriebsstundenAbUeberEinHalb) {
  Anlage a(1);
  test::Par(a.s, 1).Typ = Grafiktyp::Digital;
  a.Proben("x;10:00:00;0,5\r\nx;10:01:00;0,6\r\nx;10:02:00;0,61\r\n");
  a.erf.TimerSampleTimer();
  EXPECT_DOUBLE_EQ(a.s.Statistik.at(1).Anzahl, 2 * a.s.Abfrage.IntervallStunden);
}

TEST(Erfassung, KopfUndSpaltenzahl) {
  for (int items : {10, 12}) {
    Anlage a(items);
    a.Kopf(10);
    std::string z = "x;10:00:00";
    for (int i = 1; i <= 12; ++i) z += ";" + std::to_string(i);
    a.Proben(z + "\r\n");
    a.erf.TimerSampleTimer();
    EXPECT_EQ(a.meldungen.gezeigt,
              std::vector<std::string>{"Parameterzahl in PGH-Datei (10) <> Spaltenzahl der "
                                       "Messdatei (12)"});
    EXPECT_EQ(a.s.Tage.TagKopf.Itemcount, 12);
    EXPECT_EQ(test::Werte(a.s).back().at(0), items);
  }
  Anlage a;
  std::filesystem::remove(a.Datei(".PGH"));
  a.Proben("");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(
      a.meldungen.gezeigt,
      std::vector<std::string>{Ansi("PGH-Datei für diese Messung nicht gefunden oder ungültig !")});
  EXPECT_EQ(a.s.Abfrage.Durchlaeufe, 1);
}

TEST(Erfassung, TageswechselErstMitDerProbendateiDesNeuenTages) {
  Anlage a;
  a.Proben("x;23:58:00;4;4;4\r\nx;23:59:00;4;4;4\r\n");
  a.erf.TimerSampleTimer();  // the first pass after Start resets, but prints nothing
  EXPECT_TRUE(a.druck.druckTage.empty());
  a.s.Sammler.AktMax[1] = 5;
  const TDateTime gestern = std::trunc(a.uhr.jetzt);
  a.uhr.jetzt = gestern + 1.0001;
  a.erf.TimerSampleTimer();  // no sample file of the new day yet: nothing happens
  EXPECT_EQ(a.s.Statistik.at(1).Anzahl, 2);
  a.Kopf(3);
  a.Proben("x;00:00:10;2;2;2\r\n");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.druck.druckTage, std::vector<TDateTime>{gestern + 0.0001});
  EXPECT_EQ(a.s.Sammler.AktMax[1], AktMaxStart);
  EXPECT_EQ(a.s.Statistik.at(1).Anzahl, 1);
  for (int n = 1; n <= 3; ++n) {  // every slot but the new sample's is empty again
    for (int slot = 1; slot < a.s.Ring.Laenge(); ++slot) ASSERT_EQ(a.Slot(n, slot), NoValue);
  }
}

// A pass that starts just before midnight and waits for the collector's lock past it
// belongs to the old day: the first pass of the new day still changes the day.
TEST(Erfassung, EinDurchlaufUeberMitternachtVerpasstDenTageswechselNicht) {
  struct SperreBisNachMitternacht : PendingEvents {
    Anlage* a = nullptr;
    int aufrufe = 0;
    void Verarbeiten() override {
      if (++aufrufe == 4) {
        std::filesystem::remove(a->Lock());
        a->uhr.jetzt = std::trunc(a->uhr.jetzt) + 1 + 0.150 / 86400;
      }
    }
  } warten;
  Anlage a;
  Dienste d{a.uhr, a.meldungen, warten, a.log, a.drucker};
  Erfassung erf{a.s, d, a.tabelle, a.fenster, a.druck};
  warten.a = &a;
  const TDateTime tag = std::trunc(a.uhr.jetzt);
  a.uhr.jetzt = tag + 1 - 0.250 / 86400;  // 23:59:59.750
  a.Proben("x;23:59:59;1;1;1\r\n");
  DateiSchreiben(a.Lock(), "");
  erf.TimerSampleTimer();
  ASSERT_EQ(test::Schreibzaehler(a.s), 5);
  EXPECT_DOUBLE_EQ(a.s.Abfrage.LetzterLauf, tag + 1 - 0.250 / 86400);

  a.uhr.jetzt = tag + 1 + 1 / 86400.0;
  a.Kopf(3);
  a.Proben("x;00:00:01;2;2;2\r\n");
  erf.TimerSampleTimer();
  EXPECT_EQ(a.druck.druckTage, std::vector<TDateTime>{tag + 1 / 86400.0});
  EXPECT_TRUE(a.s.Abfrage.TagWechsel);
  EXPECT_EQ(a.s.Statistik.at(1).Anzahl, 1) << "yesterday's sample no longer counts";
}

// The first accepted value is the day's minimum and maximum, whatever the start values:
// counters beyond 99,999 must not show a start value as their extreme.
TEST(Erfassung, DerErsteAngenommeneWertIstMinimumUndMaximum) {
  Anlage a(2);
  test::Par(a.s, 1).UpLimit = 1e6;
  test::Par(a.s, 2).LoLimit = -1e6;
  a.Proben("x;10:00:00;200000;-200000\r\nx;10:00:01;150000;-150000\r\n");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.tabelle.Zelle(1, 2) + " " + a.tabelle.Zelle(1, 3), "150000,00 200000,00");
  EXPECT_EQ(a.tabelle.Zelle(2, 2) + " " + a.tabelle.Zelle(2, 3), "-200000,00 -150000,00");

  // Without an accepted value the table shows the start values, as before.
  Anlage b(1);
  b.Proben("x;10:00:00;5000\r\n");
  b.erf.TimerSampleTimer();
  EXPECT_EQ(b.tabelle.Zelle(1, 2) + " " + b.tabelle.Zelle(1, 3), "99999,00 -99999,00");
  test::Par(b.s, 1).UpLimit = 1e6;  // a reset starts again from the first value
  StatistikZuruecksetzen(b.s, 1, b.log, "x");
  b.Proben("x;10:00:01;123456\r\n");
  b.erf.TimerSampleTimer();
  EXPECT_EQ(b.tabelle.Zelle(1, 2), "123456,00");
}

// The collector may rely on the lock while the sample file is taken away and read.
TEST(Erfassung, DieSperreBestehtWaehrendDieProbendateiGenommenWird) {
  struct Beobachter : PendingEvents {
    Anlage* a = nullptr;
    std::vector<bool> gesperrt;
    void Verarbeiten() override {
      if (!std::filesystem::exists(a->Datei(".SMP"))) {
        gesperrt.push_back(std::filesystem::exists(a->Lock()));
      }
    }
  } sieht;
  Anlage a;
  Dienste d{a.uhr, a.meldungen, sieht, a.log, a.drucker};
  Erfassung erf{a.s, d, a.tabelle, a.fenster, a.druck};
  sieht.a = &a;
  a.Proben("x;10:00:00;1;2;3\r\n");
  erf.TimerSampleTimer();
  ASSERT_FALSE(sieht.gesperrt.empty());
  EXPECT_EQ(sieht.gesperrt, std::vector<bool>(sieht.gesperrt.size(), true));
  EXPECT_FALSE(std::filesystem::exists(a.Lock()));
}

TEST(Erfassung, VerwaisteSperreUndGescheiterteWegnahme) {
  Anlage a;
  a.Proben("x;10:00:00;1;1;1\r\n");
  DateiSchreiben(a.Lock(), "");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.Log(), std::vector<std::string>{"SampleFile-Lock : TimeOut."});
  // Six waits of 100 ms, not one more: a stale lock costs about 0.6 s per tick.
  EXPECT_EQ(a.ereignisse.aufrufe, LockVersuche);
  EXPECT_GE(a.uhr.ticks, LockVersuche * 100u);
  EXPECT_LE(a.uhr.ticks, LockVersuche * (100u + a.uhr.schritt));
  EXPECT_TRUE(std::filesystem::exists(a.Lock()));  // the collector's, not ours to remove
  EXPECT_EQ(test::Schreibzaehler(a.s), 4);

  // The test clock stands still, so every try picks the same temporary name: taken.
  std::filesystem::remove(a.Lock());
  const auto besetzt = TempName(a.verz.pfad(), a.uhr);
  DateiSchreiben(besetzt, "alt");
  a.erf.TimerSampleTimer();
  EXPECT_TRUE(a.Geloggt("Fo_Main : Fehler beim Umbenennen der Echtzeit-Datei !"));
  EXPECT_GE(a.ereignisse.aufrufe, UmbenennVersuche + LockVersuche);
  EXPECT_EQ(DateiLesen(besetzt), "alt");  // never replaced
  EXPECT_FALSE(std::filesystem::exists(a.Lock()));

  std::filesystem::remove(besetzt);
  a.erf.TimerSampleTimer();
  EXPECT_EQ(test::Schreibzaehler(a.s), 5);
  EXPECT_TRUE(a.Rest().empty());
}

// A line whose time does not convert is skipped as a whole; the lines after it are entered
// and nothing stale shows as the newest sample.
TEST(Erfassung, EineZeileOhneZeitWirdUebersprungen) {
  Anlage a(1, 3);
  a.Proben(
      "x;10:00:01;1\r\nx;10:00:02;2\r\nx;10:00:03;3\r\nx;10:00:04;4\r\nx;kaputt;99\r\n"
      "x;10:00:06;6\r\n");
  a.erf.TimerSampleTimer();
  const int neuester = a.s.Ring.NeuesterSlot();
  EXPECT_EQ(a.Slot(1, neuester), 6);
  EXPECT_DOUBLE_EQ(test::Zeiten(a.s).at(neuester), ZeitKodieren(10, 0, 6));
  EXPECT_EQ(a.s.Statistik.at(1).Anzahl, 5);
  EXPECT_EQ(a.tabelle.Zelle(0, a.s.Abfrage.TabellenZeile), ">>>>>>>>>>");
  EXPECT_EQ(a.tabelle.Zelle(1, a.s.Abfrage.TabellenZeile), "6,00");
  EXPECT_EQ(a.Log(), std::vector<std::string>{
                         Ansi("Fo_Main : Zeile ohne gültige Zeit übersprungen: \"x;kaputt;99\"")});
  EXPECT_TRUE(a.Rest().empty());  // no temporary file stays behind

  // A hostile line is quoted shortened.
  Anlage b(1);
  b.Proben("x;" + std::string(5000, 'z') + ";1\r\n");
  b.erf.TimerSampleTimer();
  ASSERT_EQ(b.Log().size(), 1u);
  EXPECT_LT(b.Log()[0].size(), 200u);
  EXPECT_EQ(test::Schreibzaehler(b.s), 4);
}

TEST(Erfassung, KeinFehlerImDurchlaufLaesstDieSperreZurueck) {
  {  // the group print fails at the change of day
    Anlage a;
    a.druck.werfen = true;
    a.s.Abfrage.Durchlaeufe = 1;
    a.Proben("x;10:00:00;1;2;3\r\n");
    a.erf.TimerSampleTimer();
    EXPECT_TRUE(a.Geloggt("Fo_Main : Fehler beim Tagesdruck"));
    EXPECT_EQ(a.Slot(3, 0), 3);
    EXPECT_TRUE(a.Rest().empty());
  }
  {  // the window fails on every change
    struct Kaputt : FensterBeobachter {
      void FensterGeaendert(const FensterZustand&) override { throw std::runtime_error("x"); }
    } kaputt;
    Anlage a;
    a.fenster.BeobachterSetzen(&kaputt);
    a.Proben("x;10:00:00;1;2;3\r\n");
    a.erf.TimerSampleTimer();
    EXPECT_FALSE(std::filesystem::exists(a.Lock()));
    EXPECT_TRUE(a.s.Abfrage.Lesen_Fertig);
  }
}

}  // namespace
}  // namespace pegel::test
