#include <gtest/gtest.h>

#include <algorithm>

#include "erfassung_anlage.h"
#include "text_format.h"

namespace pegel::test {
namespace {

bool Enthaelt(const std::vector<std::string>& v, const std::string& t) {
  return std::find(v.begin(), v.end(), t) != v.end();
}

TEST(Erfassung, EineZeileWirdFeldFuerFeldEingetragen) {
  Anlage a;
  a.Proben("x;10:15:00;1,5;;abc\r\n");
  a.erf.TimerSampleTimer();

  EXPECT_EQ(a.s.PufferZeiger, 5);
  EXPECT_EQ(a.Slot(1, 0), 1.5);
  EXPECT_EQ(a.Slot(2, 0), 0.0);
  EXPECT_EQ(a.Slot(3, 0), 0.0);
  EXPECT_EQ(a.Slot(1, 1), NoValue);
  EXPECT_DOUBLE_EQ(a.s.ZeitPuffer[0], ZeitKodieren(10, 15, 0));
  EXPECT_EQ(a.s.ItemWerte[1].Anzahl, 1);
  EXPECT_EQ(a.s.ItemWerte[1].Mittelwert, 1.5);
  EXPECT_EQ(a.s.LetzteZeit, "10:15:00");
  EXPECT_EQ(a.s.Durchlaeufe, 1);
  EXPECT_EQ(a.erf.ZeilenGesamt(), 1);

  EXPECT_EQ(a.tabelle.Zelle(0, 5), ">>>>>>>>>>");
  EXPECT_EQ(a.tabelle.Zelle(1, 5), "1,50");
  EXPECT_EQ(a.tabelle.Zelle(1, 1), "1,50");
  EXPECT_EQ(a.tabelle.Zelle(1, 4), "1");
  EXPECT_EQ(a.tabelle.Zelle(3, 5), "0,00");
  EXPECT_EQ(a.beobachter.meldungen, 1);

  const FensterZustand& f = a.fenster.Zustand();
  EXPECT_TRUE(f.lbLesen);
  EXPECT_EQ(f.lbLesenText, "10:15:00");
  EXPECT_TRUE(f.timerLabel);
  EXPECT_TRUE(f.TimerSample);
  EXPECT_TRUE(f.btEchtdatenZeigen);
  EXPECT_FALSE(f.Sanduhr);
  EXPECT_TRUE(a.s.Lesen_Fertig);
  // The sample file, its temporary copy and the lock are all gone.
  EXPECT_TRUE(a.Dateien().empty());
}

TEST(Erfassung, GrenzenUndDigitaleBetriebsstunden) {
  Anlage a(2);
  a.s.Grafiktyp[2] = 2;
  a.s.ItemWerte[1].UpLimit = 10;
  a.s.ItemWerte[1].LoLimit = 0;
  std::string zeilen = "x;00:00:00;10;1\r\nx;00:01:00;0;1\r\nx;00:02:00;10,01;1\r\n";
  for (int i = 3; i < 60; ++i) zeilen += "x;01:00:00;-0,01;1\r\n";
  a.Proben(zeilen);
  a.erf.TimerSampleTimer();

  // Limits included; values outside reach the buffer and the table but no statistics.
  const ItemGrenzen& w = a.s.ItemWerte[1];
  EXPECT_EQ(w.Anzahl, 2);
  EXPECT_EQ(w.Maximum, 10);
  EXPECT_EQ(w.Minimum, 0);
  EXPECT_EQ(w.Mittelwert, 5);
  EXPECT_EQ(a.Slot(1, 2), 10.01);
  EXPECT_EQ(a.Slot(1, 59), -0.01);
  EXPECT_EQ(a.tabelle.Zelle(1, a.s.TabellenZeile), "-0,01");
  EXPECT_EQ(a.tabelle.Zelle(1, 3), "10,00");

  // 60 samples "on" at 60 s are one hour.
  EXPECT_NEAR(a.s.ItemWerte[2].Anzahl, 1.0, 1e-9);
  EXPECT_EQ(a.tabelle.Zelle(2, 4), "1,000");
}

TEST(Erfassung, RingDerTabelleUndDesPuffers) {
  Anlage a(1, 3);
  std::string zeilen;
  for (int i = 1; i <= 11; ++i)
    zeilen += "x;10:00:" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ";" +
              std::to_string(i) + "\n";
  a.Proben(zeilen);
  a.erf.TimerSampleTimer();

  // Eleven lines: the table ring wrapped once, the buffer of three slots several times.
  EXPECT_EQ(a.s.TabellenZeile, 5);
  EXPECT_EQ(a.tabelle.Zelle(0, 5), ">>>>>>>>>>");
  EXPECT_EQ(a.tabelle.Zelle(0, 14), "10:00:10");
  EXPECT_EQ(a.tabelle.Zelle(0, 6), "10:00:02");
  EXPECT_EQ(a.tabelle.Zelle(1, 5), "11,00");
  EXPECT_EQ(a.s.PufferZeiger, 6);  // lines 10, 11 in slots 0, 1; line 9 in slot 2
  EXPECT_EQ(a.Slot(1, 0), 10);
  EXPECT_EQ(a.Slot(1, 1), 11);
  EXPECT_EQ(a.Slot(1, 2), 9);
}

TEST(Erfassung, KopfMitWenigerParameternAlsDieMessdatei) {
  for (int items : {10, 12}) {
    Anlage a(items);
    a.Kopf(10);
    std::string z = "x;10:00:00";
    for (int i = 1; i <= 12; ++i) z += ";" + std::to_string(i);
    a.Proben(z + "\r\n");
    a.erf.TimerSampleTimer();
    EXPECT_TRUE(Enthaelt(a.meldungen.gezeigt,
                         "Parameterzahl in PGH-Datei (10) <> Spaltenzahl der Messdatei (12)"));
    EXPECT_EQ(a.s.TagKopf.Itemcount, 12);
    EXPECT_EQ(a.Slot(10, 0), 10);
    if (items == 12) {
      EXPECT_EQ(a.Slot(12, 0), 12);
    }
    EXPECT_EQ(a.s.WertPuffer.size(), static_cast<std::size_t>(items));
  }
}

TEST(Erfassung, LeereProbendateiLaesstDenKopfStehen) {
  Anlage a;
  a.Proben("");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.s.TagKopf.Itemcount, 3);
  EXPECT_TRUE(a.meldungen.gezeigt.empty());
  EXPECT_EQ(a.s.Durchlaeufe, 1);
  EXPECT_TRUE(a.Dateien().empty());
}

TEST(Erfassung, FehlenderKopfWirdGemeldetUndDieZeilenTrotzdemGelesen) {
  Anlage a;
  std::filesystem::remove(a.Datei(".PGH"));
  a.Proben("x;10:00:00;1;2;3\r\n");
  a.erf.TimerSampleTimer();
  EXPECT_TRUE(Enthaelt(a.meldungen.gezeigt,
                       Ansi("PGH-Datei für diese Messung nicht gefunden oder ungültig !")));
  EXPECT_EQ(a.Slot(3, 0), 3);
}

TEST(Erfassung, OhneProbendateiGeschiehtNichtsAuchNachMitternacht) {
  Anlage a;
  a.s.LetzterLauf = a.uhr.jetzt - 1;
  a.s.Durchlaeufe = 5;
  a.s.ItemWerte[1].Anzahl = 7;
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.s.ItemWerte[1].Anzahl, 7);
  EXPECT_EQ(a.s.Durchlaeufe, 5);
  EXPECT_TRUE(a.druck.druckTage.empty());
  EXPECT_TRUE(a.Log().empty());
}

TEST(Erfassung, TageswechselSetztZurueckUndDrucktDenVortag) {
  Anlage a;
  a.Proben("x;23:58:00;4;4;4\r\nx;23:59:00;4;4;4\r\n");
  a.erf.TimerSampleTimer();  // first pass after Start: reset, but no print
  EXPECT_TRUE(a.druck.druckTage.empty());
  EXPECT_EQ(a.s.ItemWerte[1].Anzahl, 2);
  a.s.AktMax[1] = 5;

  const TDateTime gestern = std::trunc(a.uhr.jetzt);
  a.uhr.jetzt = gestern + 1 + 0.0001;
  a.erf.TimerSampleTimer();  // no sample file of the new day yet
  EXPECT_EQ(a.s.Durchlaeufe, 1);
  EXPECT_EQ(a.s.ItemWerte[1].Anzahl, 2);

  a.Kopf(3);
  a.Proben("x;00:00:10;2;2;2\r\n");
  a.erf.TimerSampleTimer();
  ASSERT_EQ(a.druck.druckTage.size(), 1u);
  EXPECT_DOUBLE_EQ(std::trunc(a.druck.druckTage[0]), gestern);
  EXPECT_TRUE(a.s.TagWechsel);
  EXPECT_EQ(a.s.AktMax[1], AktMaxStart);
  EXPECT_EQ(a.s.Durchlaeufe, 1);
  EXPECT_EQ(a.s.ItemWerte[1].Anzahl, 1);
  EXPECT_EQ(a.s.ItemWerte[1].Maximum, 2);
  EXPECT_EQ(a.s.PufferZeiger, 5);
  EXPECT_EQ(a.Slot(1, 1), NoValue);  // yesterday's line is gone from the buffer
}

TEST(Erfassung, AlteDatenVerhindernDenErstenZuruecksetzerNurEinmal) {
  Anlage a;
  a.s.AlteDaten = true;
  a.s.ItemWerte[1].Anzahl = 9;
  a.Proben("x;10:00:00;1;1;1\r\n");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.s.ItemWerte[1].Anzahl, 10);
  EXPECT_FALSE(a.s.AlteDaten);
}

TEST(Erfassung, LaufenderDurchlaufWirdNichtWiederholt) {
  Anlage a;
  a.s.FehlerLog = true;
  a.s.Lesen_Fertig = false;
  a.Proben("x;10:00:00;1;1;1\r\n");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.Log(), std::vector<std::string>{"TimerSampleTimer : Lesen_Fertig=FALSE"});
  EXPECT_TRUE(std::filesystem::exists(a.Datei(".SMP")));
}

TEST(Erfassung, VerwaisteSperreLaesstJedenDurchlaufAufgeben) {
  Anlage a;
  a.Proben("x;10:00:00;1;1;1\r\n");
  DateiSchreiben(a.Lock(), "");
  a.erf.TimerSampleTimer();
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.Log(),
            (std::vector<std::string>{"SampleFile-Lock : TimeOut.", "SampleFile-Lock : TimeOut."}));
  EXPECT_EQ(a.ereignisse.aufrufe, 12);  // six waits per pass
  EXPECT_GE(a.uhr.ticks, 1200u);
  EXPECT_TRUE(std::filesystem::exists(a.Lock()));  // not ours to remove
  EXPECT_EQ(a.s.PufferZeiger, 4);
  EXPECT_TRUE(a.s.Lesen_Fertig);

  std::filesystem::remove(a.Lock());
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.s.PufferZeiger, 5);
  EXPECT_TRUE(a.Dateien().empty());
}

TEST(Erfassung, WegnahmeScheitertNach1000Versuchen) {
  Anlage a;
  a.Proben("x;10:00:00;1;1;1\r\n");
  // The test clock stands still, so every try picks this name, which is taken.
  const auto besetzt = TempName(a.verz.pfad(), a.uhr);
  DateiSchreiben(besetzt, "alt");
  a.erf.TimerSampleTimer();
  EXPECT_TRUE(Enthaelt(a.Log(), "Fo_Main : Fehler beim Umbenennen der Echtzeit-Datei !"));
  EXPECT_GE(a.ereignisse.aufrufe, 1000);
  EXPECT_EQ(DateiLesen(besetzt), "alt");  // never overwritten
  EXPECT_TRUE(std::filesystem::exists(a.Datei(".SMP")));
  EXPECT_FALSE(std::filesystem::exists(a.Lock()));
  EXPECT_TRUE(a.fenster.Zustand().TimerSample);
}

TEST(Erfassung, KeinFehlerImDurchlaufLaesstDieSperreZurueck) {
  {  // a line whose time is no time ends the file; the taken file stays, unread again
    Anlage a;
    a.Proben("x;10:00:00;1;1;1\r\nx;kaputt;2;2;2\r\nx;10:02:00;3;3;3\r\n");
    a.erf.TimerSampleTimer();
    EXPECT_TRUE(Enthaelt(a.Log(), "Fo_Main : Fehler 3b"));
    EXPECT_EQ(a.Slot(1, 0), 1);
    EXPECT_EQ(a.Slot(1, 2), NoValue);
    EXPECT_EQ(a.Dateien().size(), 1u);
    EXPECT_EQ(a.Dateien()[0][0], '$');
    EXPECT_TRUE(a.s.Lesen_Fertig);
    EXPECT_EQ(a.fenster.Zustand().lbLesenText, "kaputt");
  }
  {  // a buffer that is shorter than the settings say: every field fails on its own
    Anlage a;
    a.s.WertPuffer[1].clear();
    a.Proben("x;10:00:00;1;2;3\r\n");
    a.erf.TimerSampleTimer();
    const auto log = a.Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), "Fo_Main : Exception (2)"), 1);
    EXPECT_EQ(a.Slot(3, 0), 3);
    EXPECT_FALSE(std::filesystem::exists(a.Lock()));
  }
  {  // the group print fails at the change of day
    Anlage a;
    a.druck.werfen = true;
    a.s.Durchlaeufe = 1;
    a.Proben("x;10:00:00;1;2;3\r\n");
    a.erf.TimerSampleTimer();
    EXPECT_TRUE(Enthaelt(a.Log(), "Fo_Main : Fehler beim Tagesdruck"));
    EXPECT_TRUE(a.s.TagWechsel);
    EXPECT_EQ(a.Slot(3, 0), 3);
    EXPECT_FALSE(std::filesystem::exists(a.Lock()));
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
    EXPECT_TRUE(a.s.Lesen_Fertig);
  }
}

TEST(Erfassung, LeseranzeigeUndSanduhrWechselnEinmalProDurchlauf) {
  Anlage a;
  FensterProtokoll protokoll;
  a.fenster.Setzen(&FensterZustand::TimerSample, true);
  a.fenster.BeobachterSetzen(&protokoll);
  std::string zeilen;
  for (int i = 0; i < 50; ++i) zeilen += "x;10:00:00;1;2;3\r\n";
  a.Proben(zeilen);
  a.erf.TimerSampleTimer();
  EXPECT_LE(protokoll.zustaende.size(), 8u);
  ASSERT_FALSE(protokoll.zustaende.empty());
  EXPECT_FALSE(protokoll.zustaende.front().TimerSample);
  EXPECT_TRUE(std::any_of(protokoll.zustaende.begin(), protokoll.zustaende.end(),
                          [](const FensterZustand& z) { return z.Sanduhr; }));
  EXPECT_EQ(a.beobachter.meldungen, 1);
}

}  // namespace
}  // namespace pegel::test
