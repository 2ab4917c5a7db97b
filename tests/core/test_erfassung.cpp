#include <gtest/gtest.h>

#include "erfassung_anlage.h"
#include "text_format.h"

namespace pegel::test {
namespace {

TEST(Erfassung, EineZeileWirdFeldFuerFeldEingetragen) {
  Anlage a;
  a.Proben("x;10:15:00;1,5;;abc\r\n");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.s.PufferZeiger, 5);
  EXPECT_EQ((std::vector<double>{a.Slot(1, 0), a.Slot(2, 0), a.Slot(3, 0)}),
            (std::vector<double>{1.5, 0, 0}));  // empty and bad fields enter as 0
  EXPECT_DOUBLE_EQ(a.s.ZeitPuffer[0], ZeitKodieren(10, 15, 0));
  EXPECT_EQ(a.tabelle.Zelle(0, 5), ">>>>>>>>>>");
  EXPECT_EQ(a.tabelle.Zelle(1, 5), "1,50");
  EXPECT_EQ(a.tabelle.Zelle(1, 4), "1");
  EXPECT_EQ(a.zaehler.meldungen, 1);
  const FensterZustand& f = a.fenster.Zustand();
  EXPECT_TRUE(f.lbLesen && f.TimerSample && f.btEchtdatenZeigen && !f.Sanduhr);
  EXPECT_EQ(f.lbLesenText, "10:15:00");
  EXPECT_TRUE(a.s.Lesen_Fertig);
  EXPECT_TRUE(a.Rest().empty());  // sample file, its taken copy and the lock are gone
}

TEST(Erfassung, GrenzenDigitalstundenUndRinge) {
  Anlage a(2);
  a.s.Grafiktyp[2] = 2;
  a.s.ItemWerte[1].UpLimit = 10;
  a.s.ItemWerte[1].LoLimit = 0;
  std::string zeilen = "x;00:00:00;10;1\nx;00:01:00;0;1\nx;00:02:00;10,01;1\n";
  for (int i = 3; i < 60; ++i) zeilen += "x;01:00:" + std::to_string(i) + ";-0,01;1\n";
  a.Proben(zeilen);
  a.erf.TimerSampleTimer();
  // Limits included; values outside reach buffer and table but no statistics.
  const ItemGrenzen& w = a.s.ItemWerte[1];
  EXPECT_EQ(std::pair(w.Anzahl, w.Mittelwert), std::pair(2.0, 5.0));
  EXPECT_EQ(a.Slot(1, 2), 10.01);
  EXPECT_EQ(a.tabelle.Zelle(1, a.s.TabellenZeile), "-0,01");
  // 60 samples "on" at 60 s are one hour.
  EXPECT_EQ(a.tabelle.Zelle(2, 4), "1,000");
  // 60 lines: the ten-row ring of the table went round six times.
  EXPECT_EQ(a.s.TabellenZeile, 14);
  EXPECT_EQ(a.tabelle.Zelle(0, 13), "01:00:58");
  EXPECT_EQ(a.tabelle.Zelle(0, 14), ">>>>>>>>>>");
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
    EXPECT_EQ(a.s.TagKopf.Itemcount, 12);
    EXPECT_EQ(a.s.WertPuffer.back().at(0), items);
  }
  Anlage a;
  std::filesystem::remove(a.Datei(".PGH"));
  a.Proben("");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(
      a.meldungen.gezeigt,
      std::vector<std::string>{Ansi("PGH-Datei für diese Messung nicht gefunden oder ungültig !")});
  EXPECT_EQ(a.s.Durchlaeufe, 1);
}

TEST(Erfassung, TageswechselErstMitDerProbendateiDesNeuenTages) {
  Anlage a;
  a.Proben("x;23:58:00;4;4;4\r\nx;23:59:00;4;4;4\r\n");
  a.erf.TimerSampleTimer();  // the first pass after Start resets, but prints nothing
  EXPECT_TRUE(a.druck.druckTage.empty());
  a.s.AktMax[1] = 5;
  const TDateTime gestern = std::trunc(a.uhr.jetzt);
  a.uhr.jetzt = gestern + 1.0001;
  a.erf.TimerSampleTimer();  // no sample file of the new day yet: nothing happens
  EXPECT_EQ(a.s.ItemWerte[1].Anzahl, 2);
  a.Kopf(3);
  a.Proben("x;00:00:10;2;2;2\r\n");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.druck.druckTage, std::vector<TDateTime>{gestern + 0.0001});
  EXPECT_EQ(a.s.AktMax[1], AktMaxStart);
  EXPECT_EQ(a.s.ItemWerte[1].Anzahl, 1);
  EXPECT_EQ(a.Slot(1, 1), NoValue);  // yesterday's second line is gone
}

TEST(Erfassung, VerwaisteSperreUndGescheiterteWegnahme) {
  Anlage a;
  a.Proben("x;10:00:00;1;1;1\r\n");
  DateiSchreiben(a.Lock(), "");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.Log(), std::vector<std::string>{"SampleFile-Lock : TimeOut."});
  EXPECT_GE(a.uhr.ticks, 600u);
  EXPECT_TRUE(std::filesystem::exists(a.Lock()));  // the collector's, not ours to remove
  EXPECT_EQ(a.s.PufferZeiger, 4);

  // The test clock stands still, so every try picks the same temporary name: taken.
  std::filesystem::remove(a.Lock());
  const auto besetzt = TempName(a.verz.pfad(), a.uhr);
  DateiSchreiben(besetzt, "alt");
  a.erf.TimerSampleTimer();
  EXPECT_TRUE(a.Geloggt("Fo_Main : Fehler beim Umbenennen der Echtzeit-Datei !"));
  EXPECT_GE(a.ereignisse.aufrufe, 1006);
  EXPECT_EQ(DateiLesen(besetzt), "alt");  // never replaced
  EXPECT_FALSE(std::filesystem::exists(a.Lock()));

  std::filesystem::remove(besetzt);
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.s.PufferZeiger, 5);
  EXPECT_TRUE(a.Rest().empty());
}

TEST(Erfassung, KeinFehlerImDurchlaufLaesstDieSperreZurueck) {
  {  // a time that is no time ends the file; the taken file stays and is not read again
    Anlage a;
    a.Proben("x;10:00:00;1;1;1\r\nx;kaputt;2;2;2\r\nx;10:02:00;3;3;3\r\n");
    a.erf.TimerSampleTimer();
    EXPECT_TRUE(a.Geloggt("Fo_Main : Fehler 3b"));
    EXPECT_EQ(a.Slot(1, 2), NoValue);
    ASSERT_EQ(a.Rest().size(), 1u);
    EXPECT_EQ(a.Rest()[0][0], '$');
    EXPECT_TRUE(a.s.Lesen_Fertig);
  }
  {  // the group print fails at the change of day
    Anlage a;
    a.druck.werfen = true;
    a.s.Durchlaeufe = 1;
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
    EXPECT_TRUE(a.s.Lesen_Fertig);
  }
}

}  // namespace
}  // namespace pegel::test
