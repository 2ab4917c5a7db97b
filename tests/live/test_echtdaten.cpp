// The live table's logic: the hand-over of the selection to the live chart, the refresh
// cycle its timer drives, and the saved selection.
#include <gtest/gtest.h>

#include <algorithm>

#include "cp1252.h"
#include "echtdaten.h"
#include "ini_schluessel.h"
#include "test_dienste.h"
#include "text_format.h"

namespace pegel::chart {
namespace {

using live::Echtdaten;
using live::FestesFenster;
using live::InitTimeSkale;
using live::LiveGrafik;

class Uebergabe : public ::testing::Test {
 protected:
  pegel::test::Umgebung u;
  LiveGrafik g{u.s, u.d};
  LiveTabelle tabelle;
  Echtdaten e{u.s, u.d, g, tabelle};
  std::vector<Seitenart> seiten;  // the pages drawn

  // Twelve analog parameters over `puffer` slots; parameter j holds j * 1000 + slot.
  void Aufbauen(int puffer, const std::string& ini = "") {
    test::DateiSchreiben(u.s.Pfade.IniDatei, ini);
    pegel::test::ItemcountSetzen(u.s, 12);
    u.s.Anzeige.Puffer = puffer;
    pegel::test::Werte(u.s).assign(12, std::vector<double>(puffer));
    pegel::test::Zeiten(u.s).assign(static_cast<std::size_t>(puffer), 0.0);
    for (int j = 1; j <= 12; ++j) {
      for (int i = 0; i < puffer; ++i) pegel::test::Werte(u.s)[j - 1][i] = j * 1000 + i;
      pegel::test::Par(u.s, j).Itemname = "P" + std::to_string(j);
      pegel::test::Par(u.s, j).Typ = Grafiktyp::Analog;
    }
    pegel::test::Schreibzaehler(u.s) = 7;
    tabelle.SpaltenSetzen(13);
  }
  std::vector<bool> Erste(int n) {
    std::vector<bool> a(12, false);
    for (int i = 0; i < n; ++i) a[i] = true;
    return a;
  }
  Echtdaten::Folge Klick(const std::vector<bool>& a, bool sichtbar) {
    return e.btGrafikClick(a, sichtbar, [this](Seitenart art) { seiten.push_back(art); });
  }
};

TEST_F(Uebergabe, SelectionCountsDecideWhetherTheChartOpens) {
  EXPECT_EQ(Klick({true}, false), Echtdaten::Folge::Nichts);  // no buffer yet
  Aufbauen(10);
  EXPECT_EQ(Klick(Erste(0), false), Echtdaten::Folge::Nichts);
  EXPECT_EQ(Klick(Erste(10), false), Echtdaten::Folge::Nichts);
  EXPECT_EQ(u.s.Auswahl.AnzAnalog, 10);
  EXPECT_EQ(u.meldungen.gezeigt,
            (std::vector<std::string>{"Fo_Echtdaten : DDE-Puffer wurde nicht initialisiert !",
                                      Ansi("Bitte wählen Sie aus der Liste der Parameter !"),
                                      Ansi("Sie haben mehr als 9 Grafiken ausgewählt !")}));
  EXPECT_FALSE(u.drucker.quer.has_value());

  u.meldungen.gezeigt.clear();
  pegel::test::Par(u.s, 2).Typ = Grafiktyp::Digital;
  for (int n : {1, 9}) {
    EXPECT_EQ(Klick(Erste(n), false), Echtdaten::Folge::GrafikZeigen) << n;
    EXPECT_EQ(g.seite.Anzahl, n);
    EXPECT_EQ(u.s.Auswahl.AnzAnalog + u.s.Auswahl.AnzDigital, n);
    EXPECT_EQ(g.seite.Schreibposition, 2);
    EXPECT_EQ(g.seite.Grafikspeicher.at(n), pegel::test::Werte(u.s)[n - 1]);
    EXPECT_EQ(g.seite.Anzeige[n].Name, "P" + std::to_string(n));
  }
  EXPECT_EQ(u.s.Auswahl.AnzDigital, 1);
  EXPECT_EQ(g.seite.Streifen[2].Typ, Grafiktyp::Digital);
  EXPECT_TRUE(u.drucker.quer.value_or(false));
  EXPECT_TRUE(u.meldungen.gezeigt.empty());
  EXPECT_FALSE(u.s.Auswahl.Grafikanzeige[10]);
}

TEST_F(Uebergabe, AnotherTypeIsNotCountedAndStopsTheHandOver) {
  Aufbauen(10);
  pegel::test::Par(u.s, 1).Typ = GrafiktypAus(3);
  EXPECT_EQ(Klick(Erste(2), false), Echtdaten::Folge::Nichts);
  EXPECT_EQ(u.s.Auswahl.AnzAnalog, 1);
  EXPECT_EQ(u.s.Auswahl.AnzDigital, 0);
  EXPECT_TRUE(u.meldungen.gezeigt.empty());

  // Behind the charted ones it takes a chart number that does not exist.
  pegel::test::Par(u.s, 1).Typ = Grafiktyp::Analog;
  pegel::test::Par(u.s, 2).Typ = GrafiktypAus(0);
  EXPECT_EQ(Klick(Erste(2), false), Echtdaten::Folge::Nichts);
  EXPECT_EQ(g.seite.Anzahl, 1);
}

TEST_F(Uebergabe, TimeLabelsFollowTheBufferLength) {
  struct Fall {
    int puffer;
    bool ganzerTag;
    std::size_t labels;
    double punkte;
  };
  for (const Fall f :
       {Fall{60, false, 21, 3.0}, Fall{480, false, 25, 20.0}, Fall{24, false, 25, 1.0},
        Fall{25, false, 13, 25.0 / 12}, Fall{10, true, 13, 1.0}}) {
    Aufbauen(f.puffer);
    u.s.Anzeige.GanzerTag = f.ganzerTag;
    if (f.ganzerTag) {
      ASSERT_TRUE(g.Zeitfenster(3, 2, 46362 + ZeitKodieren(10, 0, 0)));
      pegel::test::Zeiten(u.s)[2] = ZeitKodieren(10, 1, 0);
    }
    EXPECT_EQ(Klick(Erste(1), false), Echtdaten::Folge::GrafikZeigen) << f.puffer;
    EXPECT_EQ(g.seite.Zeitlabels.size(), f.labels) << f.puffer;
    EXPECT_DOUBLE_EQ(g.seite.PunkteProLabel, f.punkte) << f.puffer;
  }
  EXPECT_EQ(g.seite.Zeitlabels.front(), "10:00:00");  // the fixed window's labels: from its start
}

TEST_F(Uebergabe, UnitsAndSumSettingsComeFromTheIniFile) {
  Aufbauen(10,
           "[Einheiten]\r\nItem1=m3/h\r\nItem2=bar\r\nItem3=123456789012345\r\n"
           "[GrafikEinheit]\r\nItem2=mbar\r\n"
           "[GrafikSumEinheit]\r\nItem1=m3\r\n"
           "[GrafikSumTeiler]\r\nItem1=1000\r\nItem2=viel\r\n");
  pegel::test::Par(u.s, 2).GrafikSumTeiler = 60;
  ASSERT_EQ(Klick(Erste(4), false), Echtdaten::Folge::GrafikZeigen);
  // (unit, sum unit, divisor) per chart; "viel" is no number, so the divisor is 1 as the
  // loader has it.
  using Satz = std::tuple<std::string, std::string, double>;
  std::vector<Satz> ist;
  for (int i = 1; i <= 4; ++i) {
    const auto& a = g.seite.Anzeige[i];
    ist.emplace_back(a.Einheit, a.GrafikSumEinheit, a.GrafikSumTeiler);
  }
  EXPECT_EQ(ist, (std::vector<Satz>{{"m3/h", "m3", 1000},
                                    {"mbar", "mbar", 1},
                                    {"1234567890", "1234567890", 1},
                                    {"-", "-", 1}}));
  EXPECT_EQ(u.s.Par().at(4).Einheit, "-");
}

TEST_F(Uebergabe, SavedSelectionIsWrittenToTheIniFile) {
  Aufbauen(10, "[Grafikanzeige]\r\nItem1=1\r\nItem3=1\r\n");
  e.btAuswahlClick({false, true, false});
  EXPECT_NE(pegel::test::DateiLesen(u.s.Pfade.IniDatei)
                .find("[Grafikanzeige]\r\nItem1=0\r\nItem3=0\r\nItem2=1\r\n"),
            std::string::npos);
  for (int i : {1, 2, 3}) EXPECT_EQ(u.s.Auswahl.Grafikanzeige[i], i == 2) << i;
}

TEST_F(Uebergabe, ShowingLabelsTheTableAndOpensTheChartOnceAfterAutoStart) {
  Aufbauen(10);
  pegel::test::Par(u.s, 1).Einheit = "m";
  u.s.Anzeige.AutoStartAktiv = true;
  EXPECT_TRUE(e.FormShow());
  EXPECT_FALSE(e.FormShow());
  EXPECT_EQ((std::vector<std::string>{tabelle.Zelle(0, 0), tabelle.Zelle(1, 0),
                                      tabelle.Zelle(12, 0), tabelle.Zelle(0, 4)}),
            (std::vector<std::string>{"Zeit", "P1  [m]", "P12  []", "Anzahl"}));
}

class Zyklus : public Uebergabe {
 protected:
  void SetUp() override {
    Aufbauen(10);
    u.s.Auswahl.Grafikanzeige.fill(false);
    ASSERT_EQ(Klick({false, true, false, true}, false), Echtdaten::Folge::GrafikZeigen);
    g.FensterZeigen();
    ASSERT_TRUE(g.FormPaint());
  }
};

TEST_F(Zyklus, TimerRefreshesOnlyForANewSample) {
  EXPECT_TRUE(e.TimerRefreshFaellig());
  EXPECT_FALSE(e.TimerRefreshFaellig());
  EXPECT_EQ(e.LetzterZeiger, 7);

  pegel::test::Schreibzaehler(u.s) = 8;
  u.s.Abfrage.Lesen_Fertig = false;
  EXPECT_FALSE(e.TimerRefreshFaellig());
  u.s.Abfrage.Lesen_Fertig = true;
  g.LiveGrafikAktiv = false;
  EXPECT_FALSE(e.TimerRefreshFaellig());
  g.LiveGrafikAktiv = true;
  EXPECT_TRUE(e.TimerRefreshFaellig());
  EXPECT_EQ(e.LetzterZeiger, 8);
}

TEST_F(Uebergabe, TheFixedWindowFollowsOverTheChangeOfDay) {
  Aufbauen(60);
  u.s.Anzeige.GanzerTag = true;
  ASSERT_TRUE(g.Zeitfenster(3, 2, 46362 + ZeitKodieren(23, 5, 0)));
  pegel::test::Zeiten(u.s)[2] = ZeitKodieren(23, 10, 0);
  u.s.Auswahl.Grafikanzeige.fill(false);
  ASSERT_EQ(Klick({true}, false), Echtdaten::Folge::GrafikZeigen);
  g.FensterZeigen();
  ASSERT_TRUE(g.FormPaint());
  ASSERT_TRUE(e.TimerRefreshFaellig());
  ASSERT_EQ(Klick({}, true), Echtdaten::Folge::Aufgefrischt);

  // The change of day empties the buffer; until its first sample there is nothing to show.
  pegel::test::Schreibzaehler(u.s) = 4;
  std::fill(pegel::test::Werte(u.s)[0].begin(), pegel::test::Werte(u.s)[0].end(), NoValue);
  EXPECT_FALSE(e.TimerRefreshFaellig());

  pegel::test::Schreibzaehler(u.s) = 5;
  pegel::test::Zeiten(u.s)[0] = ZeitKodieren(0, 0, 10);
  pegel::test::Werte(u.s)[0][0] = 3.5;
  ASSERT_TRUE(e.TimerRefreshFaellig());
  EXPECT_EQ(Klick({}, true), Echtdaten::Folge::Aufgefrischt);
  EXPECT_EQ(g.fenster.FestAnfang, 0);
  EXPECT_EQ(g.seite.Grafikspeicher[1][0], 3.5);
  EXPECT_EQ(seiten, (std::vector<Seitenart>{Seitenart::Inkrementell, Seitenart::Voll}));
  EXPECT_FALSE(g.Zeichnet);
  EXPECT_TRUE(u.Log().empty());
}

TEST_F(Zyklus, ARefreshCopiesTheNewSampleAndDrawsAPage) {
  pegel::test::Schreibzaehler(u.s) = 8;
  pegel::test::Werte(u.s)[3][3] = 4005;
  u.s.Sammler.AktDaten[4][1] = "Mittel";
  u.s.Abfrage.TagWechsel = true;
  EXPECT_EQ(Klick({}, true), Echtdaten::Folge::Aufgefrischt);
  EXPECT_EQ(g.seite.Grafikspeicher[2][3], 4005);
  EXPECT_EQ(g.seite.Schreibposition, 3);
  EXPECT_EQ(g.seite.Anzeige[2].Werttext, FestFormat(4005, 8, 2));
  EXPECT_EQ(g.seite.Anzeige[2].Statistiktexte[1], "Mittel");
  EXPECT_FALSE(u.s.Abfrage.TagWechsel);
  EXPECT_FALSE(g.Zeichnet);
  EXPECT_EQ(seiten, std::vector<Seitenart>{Seitenart::Inkrementell});

  // The window is open but not (yet) active: nothing happens.
  g.LiveGrafikAktiv = false;
  EXPECT_EQ(Klick({}, true), Echtdaten::Folge::Nichts);
  EXPECT_EQ(seiten.size(), 1u);
}

TEST_F(Zyklus, ARefreshFailsWhenTheBufferDoesNotFit) {
  pegel::test::Werte(u.s)[3].push_back(1);
  u.s.Abfrage.TagWechsel = true;
  EXPECT_EQ(Klick({}, true), Echtdaten::Folge::Aufgefrischt);
  EXPECT_EQ(u.Log(), std::vector<std::string>{"Fo_Echtdaten : Fehler beim Refresh von Item 4 !"});
  EXPECT_TRUE(g.Zeichnet);
  EXPECT_TRUE(u.s.Abfrage.TagWechsel);
  EXPECT_TRUE(seiten.empty());

  // More selected parameters than charts: the surplus has no chart to refresh.
  pegel::test::Werte(u.s)[3].pop_back();
  u.s.Auswahl.Grafikanzeige[5] = true;
  EXPECT_EQ(Klick({}, true), Echtdaten::Folge::Aufgefrischt);
  EXPECT_EQ(u.Log().back(), "Fo_Echtdaten : Fehler beim Refresh von Item 5 !");
  EXPECT_TRUE(seiten.empty());
}

}  // namespace
}  // namespace pegel::chart
