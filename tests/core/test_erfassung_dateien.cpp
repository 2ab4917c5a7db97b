#include <gtest/gtest.h>

#include "erfassung_anlage.h"
#include "text_format.h"

namespace pegel::test {
namespace {

TEST(AktDat, TexteMaximumUndNichtVerfuegbar) {
  Anlage a(2);
  a.Proben("x;10:00:00;1,5;7\r\n");
  std::string text = "m1;mi1;ma1;h1;12,5;n.v.;MIN;MAX;neun;\r\na;b;c;d;kein;M2;n.v.;n.v.;rest\r\n";
  for (int k = 3; k <= MaxItems + 1; ++k) text += "1;2;3;4;5;6;\r\n";
  DateiSchreiben(a.s.Pfade.AktDatDatei, text);
  a.s.Sammler.AktMax[1] = 20;
  const auto kopf = a.tabelle.AlleZeilen().at(0);
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.tabelle.AlleZeilen().at(0), kopf) << "the collector's texts never reach row 0";
  // Field 6 "n.v." keeps the computed mean; 7 and 8 replace minimum and maximum.
  EXPECT_EQ(a.tabelle.Zelle(1, 1) + a.tabelle.Zelle(1, 2), "1,50MIN");
  EXPECT_EQ(a.s.Sammler.AktMax[1], 20);  // 12,5 is below what was seen
  // Text after the last ";" is ignored; a field 5 that is no number counts as -1.
  EXPECT_EQ(a.tabelle.Zelle(2, 1) + a.tabelle.Zelle(2, 2), "M27,00");
  EXPECT_EQ(a.s.Sammler.AktMax[2], AktMaxStart);
  // Lines beyond the table fill only AktDaten; the one beyond MaxItems is an error.
  EXPECT_EQ(a.s.Sammler.AktDaten[MaxItems][1], "6");
  EXPECT_EQ(a.Log(), std::vector<std::string>{"Fehler bei Abarbeitung von " +
                                              a.s.Pfade.AktDatDatei.string()});
  EXPECT_TRUE(a.Rest().empty());
}

TEST(AktDat, UnlesbarOderNichtUmzubenennen) {
  Anlage a(1);
  std::filesystem::create_directory(a.s.Pfade.AktDatDatei);
  a.Proben("x;10:00:00;1\r\n");
  a.erf.TimerSampleTimer();
  EXPECT_FALSE(std::filesystem::exists(a.Lock()));
  a.uhr.jetzt += 1 / 86400.0;  // the taken directory keeps its temporary name
  a.Proben("x;10:01:00;2\r\n");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.Slot(1, 1), 2);

  // A clock that stands still gives one temporary name, which is taken.
  Anlage b(1);
  DateiSchreiben(b.s.Pfade.AktDatDatei, "1;2;3;4;5;\r\n");
  DateiSchreiben(TempName(b.verz.pfad(), b.uhr), "alt");
  b.erf.AktDatLesen();
  EXPECT_EQ(b.Log(), (std::vector<std::string>{"eCount=1000", "Fehler beim Umbenennen von " +
                                                                  b.s.Pfade.AktDatDatei.string()}));
}

TEST(AlteTagesdaten, HundertZeilenInEinemPufferVonSechzig) {
  Anlage a(2, 60);
  test::Par(a.s, 2).Typ = Grafiktyp::Digital;
  std::string tag;
  for (int i = 1; i <= 100; ++i) {
    tag += "x;" + ZeitText(i / 1440.0) + ";" + std::to_string(i) + ";" + std::to_string(i % 2) +
           "\r\n";
  }
  DateiSchreiben(a.Datei(".DAT"), tag);
  a.Proben("x;00:01:00;1;1\r\n");  // already in the day file
  a.erf.AlteTagesdatenLesen();
  EXPECT_EQ(a.s.Ring.NeuesterSlot(), 39);
  for (int s = 0; s < 60; ++s) EXPECT_EQ(a.Slot(1, s), s < 40 ? 61 + s : s + 1) << s;
  EXPECT_DOUBLE_EQ(test::Zeiten(a.s)[39], ZeitKodieren(1, 40, 0));
  // The statistics cover the whole day.
  EXPECT_EQ(a.tabelle.Zelle(1, 4) + " " + a.tabelle.Zelle(2, 4), "100 0,833");
  EXPECT_DOUBLE_EQ(a.s.Statistik.at(1).Mittelwert, 50.5);
  EXPECT_TRUE(a.Geloggt("Alte Tagesdaten einlesen am Sonntag, 6. Dezember 2026"));
  EXPECT_TRUE(a.Rest().empty());  // the copy consumed, the sample file dropped

  // The first pass keeps the loaded day (AlteDaten is a one-shot).
  a.s.Anzeige.AlteDaten = true;
  a.Proben("x;01:41:00;101;0\r\n");
  a.erf.TimerSampleTimer();
  EXPECT_EQ(a.s.Statistik.at(1).Anzahl, 101);
  EXPECT_FALSE(a.s.Anzeige.AlteDaten);
}

}  // namespace
}  // namespace pegel::test
