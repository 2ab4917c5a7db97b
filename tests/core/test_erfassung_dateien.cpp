#include <gtest/gtest.h>

#include <algorithm>

#include "erfassung_anlage.h"
#include "text_format.h"

namespace pegel::test {
namespace {

bool Enthaelt(const std::vector<std::string>& v, const std::string& t) {
  return std::find(v.begin(), v.end(), t) != v.end();
}

TEST(AktDat, TexteMaximumUndNichtVerfuegbar) {
  Anlage a(2);
  a.Proben("x;10:00:00;1,5;7\r\n");
  DateiSchreiben(a.s.AktDatDatei,
                 "m1;mi1;ma1;h1;12,5;n.v.;MIN;MAX;neun;\r\n"
                 "a;b;c;d;kein;M2;n.v.;n.v.;rest\r\n");
  a.s.AktMax[1] = 20;
  a.erf.TimerSampleTimer();

  // Parameter 1: field 6 "n.v." keeps the computed mean; 7 and 8 replace min and max.
  EXPECT_EQ(a.tabelle.Zelle(1, 1), "1,50");
  EXPECT_EQ(a.tabelle.Zelle(1, 2), "MIN");
  EXPECT_EQ(a.tabelle.Zelle(1, 3), "MAX");
  EXPECT_EQ(a.s.AktDaten[1][1], "m1");
  EXPECT_EQ(a.s.AktDaten[1][2], "MIN");
  EXPECT_EQ(a.s.AktDaten[1][6], "n.v.");
  EXPECT_EQ(a.s.AktDaten[1][8], "MAX");
  EXPECT_EQ(a.s.AktMax[1], 20);  // 12,5 is below what was seen
  // Parameter 2: the text after the last ";" is ignored; a field 5 without a number is -1.
  EXPECT_EQ(a.tabelle.Zelle(2, 1), "M2");
  EXPECT_EQ(a.tabelle.Zelle(2, 2), "7,00");
  EXPECT_EQ(a.s.AktDaten[2][8], "n.v.");
  EXPECT_EQ(a.s.AktMax[2], AktMaxStart);
  EXPECT_TRUE(a.Dateien().empty());
  EXPECT_TRUE(a.Log().empty());

  DateiSchreiben(a.s.AktDatDatei, "1;2;3;4;30;\r\n");
  a.Proben("x;10:01:00;1;1\r\n");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.s.AktMax[1], 30);
}

TEST(AktDat, ZeilenJenseitsDerTabellen) {
  Anlage a(1);
  std::string text;
  for (int k = 1; k <= MaxItems + 1; ++k) text += "1;2;3;4;5;6;\r\n";
  DateiSchreiben(a.s.AktDatDatei, text);
  a.Proben("x;10:00:00;1\r\n");
  a.erf.TimerSampleTimer();
  // Lines beyond the table's columns only fill AktDaten; the line beyond MaxItems fails.
  EXPECT_EQ(a.s.AktDaten[MaxItems][6], "6");
  EXPECT_EQ(a.tabelle.Zelle(1, 1), "6");
  EXPECT_EQ(a.Log(),
            std::vector<std::string>{"Fehler bei Abarbeitung von " + a.s.AktDatDatei.string()});
  EXPECT_TRUE(a.Dateien().empty());
}

TEST(AktDat, UnlesbareDateiBeendetNurSichSelbst) {
  Anlage a(1);
  std::filesystem::create_directory(a.s.AktDatDatei);
  a.Proben("x;10:00:00;1\r\n");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.Slot(1, 0), 1);
  EXPECT_FALSE(std::filesystem::exists(a.Lock()));
  EXPECT_TRUE(a.s.Lesen_Fertig);

  a.uhr.jetzt += 1 / 86400.0;  // the taken directory keeps its temporary name
  a.Proben("x;10:01:00;2\r\n");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.Slot(1, 1), 2);
  EXPECT_FALSE(std::filesystem::exists(a.Lock()));
}

TEST(AktDat, UmbenennenScheitertMitZaehler) {
  // A clock that stands still gives one temporary name, which is taken.
  Anlage a(1);
  DateiSchreiben(a.s.AktDatDatei, "1;2;3;4;5;\r\n");
  DateiSchreiben(TempName(a.verz.pfad(), a.uhr), "alt");
  a.erf.AktDatLesen();
  EXPECT_EQ(a.Log(), (std::vector<std::string>{
                         "eCount=1000", "Fehler beim Umbenennen von " + a.s.AktDatDatei.string()}));
  EXPECT_TRUE(std::filesystem::exists(a.s.AktDatDatei));
}

std::string Tag(int zeilen, int erste = 1) {
  std::string t;
  for (int i = erste; i < erste + zeilen; ++i) {
    const TDateTime zeit = ZeitKodieren(0, 0, 0) + i / 1440.0;
    t += "x;" + ZeitText(zeit) + ";" + std::to_string(i) + ";" + std::to_string(i % 2) + "\r\n";
  }
  return t;
}

TEST(AlteTagesdaten, HundertZeilenInEinemPufferVonSechzig) {
  Anlage a(2, 60);
  a.s.Grafiktyp[2] = 2;
  DateiSchreiben(a.Datei(".DAT"), Tag(100));
  a.Proben("x;00:00:00;1;1\r\n");  // already in the day file
  a.erf.AlteTagesdatenLesen();

  EXPECT_EQ(a.s.PufferZeiger - 5, 39);
  for (int s = 0; s < 40; ++s) EXPECT_EQ(a.Slot(1, s), 61 + s) << s;
  for (int s = 40; s < 60; ++s) EXPECT_EQ(a.Slot(1, s), s + 1) << s;
  EXPECT_DOUBLE_EQ(a.s.ZeitPuffer[39], ZeitKodieren(1, 40, 0));
  // The statistics cover the whole day.
  EXPECT_EQ(a.s.ItemWerte[1].Anzahl, 100);
  EXPECT_DOUBLE_EQ(a.s.ItemWerte[1].Mittelwert, 50.5);
  EXPECT_NEAR(a.s.ItemWerte[2].Anzahl, 50 / 60.0, 1e-9);
  EXPECT_EQ(a.tabelle.Zelle(1, 4), "100");
  EXPECT_EQ(a.tabelle.Zelle(2, 4), "0,833");
  EXPECT_EQ(a.tabelle.Zelle(1, a.s.TabellenZeile), "100,00");
  EXPECT_EQ(a.erf.ZeilenGesamt(), 100);
  EXPECT_EQ(a.beobachter.meldungen, 1);
  EXPECT_TRUE(a.fenster.Zustand().btEchtdatenZeigen);
  EXPECT_TRUE(a.s.Lesen_Fertig);

  const auto log = a.Log();
  EXPECT_TRUE(Enthaelt(log, "Alte Tagesdaten einlesen am Sonntag, 6. Dezember 2026"));
  EXPECT_TRUE(Enthaelt(log, "Alte Tagesdaten gelesen."));
  // The copy is consumed, the sample file dropped (its lines are in the day file).
  std::vector<std::string> rest = a.Dateien();
  EXPECT_EQ(rest, std::vector<std::string>{a.Name() + ".DAT"});

  // The first pass keeps the loaded day; later lines go on from there.
  a.s.AlteDaten = true;
  a.Proben("x;01:41:00;101;0\r\n");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.s.ItemWerte[1].Anzahl, 101);
  EXPECT_EQ(a.Slot(1, 40), 101);
}

TEST(AlteTagesdaten, OhneTagesdateiGeschiehtNichts) {
  Anlage a(1);
  a.Proben("x;10:00:00;1\r\n");
  a.erf.AlteTagesdatenLesen();
  EXPECT_EQ(a.s.PufferZeiger, 4);
  EXPECT_TRUE(std::filesystem::exists(a.Datei(".SMP")));
  EXPECT_EQ(a.Log().size(), 1u);
}

TEST(AlteTagesdaten, WartetAufDieSperreDesSammlers) {
  Anlage a(1);
  DateiSchreiben(a.Datei(".DAT"), Tag(3));
  DateiSchreiben(a.Lock(), "");
  a.erf.AlteTagesdatenLesen();
  // A stale lock costs the wait and stays; the day is loaded anyway.
  EXPECT_EQ(a.ereignisse.aufrufe >= 6, true);
  EXPECT_TRUE(std::filesystem::exists(a.Lock()));
  EXPECT_EQ(a.s.PufferZeiger, 7);
}

}  // namespace
}  // namespace pegel::test
