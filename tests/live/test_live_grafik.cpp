// The live chart's logic: copying the ring buffer into the charts, the fixed time window,
// the choice between full and incremental pages, the re-entry guards and group loading.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "aufzeichnung.h"
#include "cp1252.h"
#include "live_grafik.h"
#include "seite_zeichnen.h"
#include "test_dienste.h"
#include "text_format.h"
#include "zeitachse.h"

namespace pegel::chart {
namespace {

using live::FestesFenster;
using live::InitTimeSkale;
using live::LiveGrafik;

TDateTime Uhrzeit(int h, int m, int s = 0) { return ZeitKodieren(h, m, s); }

class Live : public ::testing::Test {
 protected:
  pegel::test::Umgebung u;
  LiveGrafik g{u.s, u.d};

  void SetUp() override { u.s.Anzeige.FehlerLog = true; }

  // `n` parameters of `puffer` slots; parameter j holds j * 100 + slot.
  void Puffer(int n, int puffer) {
    pegel::test::ItemcountSetzen(u.s, n);
    u.s.Anzeige.Puffer = puffer;
    pegel::test::Werte(u.s).assign(static_cast<std::size_t>(n), std::vector<double>(puffer));
    for (int j = 0; j < n; ++j) {
      for (int i = 0; i < puffer; ++i) pegel::test::Werte(u.s)[j][i] = (j + 1) * 100 + i;
      pegel::test::Par(u.s, j + 1).Itemname = "P" + std::to_string(j + 1);
      pegel::test::Par(u.s, j + 1).Typ = Grafiktyp::Analog;
    }
    pegel::test::Zeiten(u.s).assign(static_cast<std::size_t>(puffer), 0.0);
  }
  // One chart over one hour from `anfang` in 60 slots (12 labels); the first slot's time.
  void Stunde(TDateTime anfang, TDateTime erste) {
    Puffer(1, 60);
    u.s.Anzeige.GanzerTag = true;
    g.fenster.Spanne = 1;
    g.fenster.LabelMinuten = 5;
    g.fenster.FestAnfang = anfang;
    g.seite.Zeitlabels.assign(13, "");
    g.seite.PunkteProLabel = 5;
    InitTimeSkale(g.seite, g.fenster, 60);
    pegel::test::Zeiten(u.s)[0] = erste;
    ASSERT_EQ(g.InitGraf(1, 0), 0);
  }
  bool Geloggt(const std::string& zeile) const {
    const auto log = u.Log();
    return std::find(log.begin(), log.end(), zeile) != log.end();
  }
};

TEST_F(Live, RollingCopyRefreshAndTheNewestValue) {
  Puffer(1, 10);
  ASSERT_EQ(g.InitGraf(1, 4), 0);
  ASSERT_EQ(g.InitFeld(0, Grafiktyp::Analog, 9, pegel::test::Werte(u.s)[0], 0), 9);
  EXPECT_EQ(g.seite.Grafikspeicher[1], pegel::test::Werte(u.s)[0]);
  EXPECT_EQ(g.seite.Anzeige[1].Werttext, FestFormat(104, 8, 2));

  // A refresh copies only into an active window.
  pegel::test::Werte(u.s)[0][3] = 42;
  EXPECT_EQ(g.RefreshGraf(0, pegel::test::Werte(u.s)[0], 9, 3), 0);
  EXPECT_EQ(g.seite.Grafikspeicher[1][3], 103);
  g.LiveGrafikAktiv = true;
  EXPECT_EQ(g.RefreshGraf(0, pegel::test::Werte(u.s)[0], 9, 3), 9);
  EXPECT_EQ(g.seite.Grafikspeicher[1][3], 42);
  EXPECT_EQ(g.seite.Anzeige[1].Werttext, FestFormat(42, 8, 2));

  // A cursor outside the buffer cannot name a newest value.
  g.seite.Schreibposition = 10;
  EXPECT_EQ(g.IntervallChecken(1, pegel::test::Werte(u.s)[0]), 9);
  EXPECT_EQ(g.seite.Anzeige[1].Werttext, "?");
  EXPECT_EQ(g.IntervallChecken(2, pegel::test::Werte(u.s)[0]), -1);
  // Fewer values than slots: an error, not a read past the end.
  EXPECT_EQ(g.IntervallChecken(1, std::vector<double>(5, 1.0)), -1);
}

TEST(Zeitfenster, InitTimeSkaleLabelsTheWindowAndSetsItsEnd) {
  ChartSeite s;
  s.Zeitlabels.assign(13, "");
  s.PunkteProLabel = 40;
  FestesFenster f;
  f.FestAnfang = 0.25;
  f.LabelMinuten = 120;
  InitTimeSkale(s, f, 480);
  EXPECT_EQ(s.Zeitlabels[1], "08:00:00");
  EXPECT_EQ(s.Zeitlabels[11], "04:00:00");
  EXPECT_EQ(s.Zeitlabels[12], "06:00:00");  // the end of the window, a day later
  EXPECT_DOUBLE_EQ(f.FestEnd, 1.25);
}

TEST_F(Live, FixedWindowPlacesValuesByTimeAndStopsAtTheFirstGap) {
  Stunde(Uhrzeit(10, 0), 0);  // one slot per minute from 10:00
  EXPECT_EQ(g.seite.Zeitlabels.front(), "10:00:00");
  EXPECT_EQ(g.seite.Zeitlabels.back(), "11:00:00");
  auto& w = pegel::test::Werte(u.s)[0];
  std::fill(w.begin(), w.end(), NoValue);
  // Slots in order of arrival; the first one is before the window.
  const std::vector<std::pair<TDateTime, double>> proben = {{Uhrzeit(9, 58), 1},
                                                            {Uhrzeit(10, 0), 2},
                                                            {Uhrzeit(10, 3), 3},
                                                            {Uhrzeit(10, 4), NoValue},
                                                            {Uhrzeit(10, 7), 5}};
  for (std::size_t i = 0; i < proben.size(); ++i) {
    pegel::test::Zeiten(u.s)[i] = proben[i].first;
    w[i] = proben[i].second;
  }
  ASSERT_EQ(g.InitGraf(1, 2), 0);
  ASSERT_EQ(g.InitFeld(0, Grafiktyp::Analog, 59, w, 0), 59);
  const auto& c = g.seite.Grafikspeicher[1];
  EXPECT_EQ(std::tuple(c[0], c[3], c[7]), std::tuple(2.0, 3.0, NoValue));  // nothing after the gap
  EXPECT_EQ(std::count(c.begin(), c.end(), NoValue), 58);
  EXPECT_FALSE(g.Neuaufbau);

  // The last slot of the window takes the sample at its end.
  pegel::test::Zeiten(u.s)[5] = Uhrzeit(10, 59, 45);
  w[5] = 9;
  w[3] = 4;
  g.seite.Schreibposition = 5;
  ASSERT_EQ(g.IntervallChecken(1, w), 59);
  EXPECT_EQ(std::pair(c[59], c[7]), std::pair(9.0, 5.0));
  EXPECT_EQ(g.seite.Anzeige[1].Werttext, FestFormat(9, 8, 2));
}

TEST_F(Live, FixedWindowMovesAtTheChangeOfDayAndByWholeLabelSteps) {
  struct Fall {
    TDateTime anfang, erste;
    const char *von, *bis, *log;
    std::size_t slot;  // where the first sample lands
  };
  const Fall faelle[] = {
      {Uhrzeit(23, 0), Uhrzeit(0, 0, 5), "00:00:00", "01:00:00",
       "IntervallChecken : Tageswechsel : 00:00:05 < 23:00:00", 0},
      {Uhrzeit(10, 0), Uhrzeit(11, 7), "10:10:00", "11:10:00",
       "IntervallChecken : Skala neu : 10:10:00..11:10:00", 57},
  };
  for (const Fall& f : faelle) {
    Stunde(f.anfang, f.erste);
    pegel::test::Werte(u.s)[0][1] = NoValue;
    ASSERT_EQ(g.InitFeld(0, Grafiktyp::Analog, 59, pegel::test::Werte(u.s)[0], 0), 59) << f.von;
    EXPECT_EQ(ZeitText(g.fenster.FestAnfang), f.von);
    EXPECT_EQ(g.seite.Zeitlabels.front(), f.von);
    EXPECT_EQ(g.seite.Zeitlabels.back(), f.bis);
    EXPECT_TRUE(g.Neuaufbau);
    EXPECT_EQ(g.seite.Grafikspeicher[1][f.slot], 100);
    EXPECT_TRUE(Geloggt(f.log)) << f.log;
  }
  EXPECT_TRUE(Geloggt("IntervallChecken : Skala neu : 00:00:00..01:00:00"));

  // Without label steps the window cannot move.
  Stunde(Uhrzeit(10, 0), Uhrzeit(11, 30));
  g.fenster.LabelMinuten = 0;
  EXPECT_EQ(g.InitFeld(0, Grafiktyp::Analog, 59, pegel::test::Werte(u.s)[0], 0), 59);
  EXPECT_TRUE(Geloggt("Fo_Tagesgrafik IntervallChecken : FestEnd=0"));
  EXPECT_EQ(ZeitText(g.fenster.FestAnfang), "10:00:00");
}

// A clock whose every reading is 5 ms later, so the copy serves events every other slot.
class EilendeUhr : public pegel::test::TestClock {
 public:
  std::uint32_t Ticks() override { return ticks += 5; }
};

TEST_F(Live, ClosingTheWindowWhileEventsAreServedEndsTheCopy) {
  struct Ereignisse : PendingEvents {
    std::function<void()> tun = [] {};
    void Verarbeiten() override { tun(); }
  } ereignisse;
  EilendeUhr uhr;
  Dienste d{uhr, u.meldungen, ereignisse, u.log, u.drucker};
  LiveGrafik fenster{u.s, d};
  Puffer(1, 480);
  ASSERT_EQ(fenster.InitGraf(1, 0), 0);
  ASSERT_EQ(fenster.InitFeld(0, Grafiktyp::Analog, 479, pegel::test::Werte(u.s)[0], 0), 479);
  fenster.LiveGrafikAktiv = true;

  // "Zurück" clicked during the copy releases the arrays the copy writes to.
  ereignisse.tun = [&] {
    fenster.LiveGrafikAktiv = false;
    fenster.Schliesst = true;
    fenster.ReleaseGraf();
  };
  EXPECT_EQ(fenster.RefreshGraf(0, pegel::test::Werte(u.s)[0], 479, 0), -1);
  EXPECT_TRUE(fenster.seite.Anzahl == 0 && fenster.seite.Grafikspeicher[2].empty());

  // So does a group chosen meanwhile, which sets the arrays up anew.
  fenster.Schliesst = false;
  ASSERT_EQ(fenster.InitGraf(1, 0), 0);
  bool einmal = true;
  ereignisse.tun = [&] {
    if (einmal) fenster.InitGraf(1, 0);
    einmal = false;
  };
  EXPECT_EQ(fenster.InitFeld(0, Grafiktyp::Analog, 479, pegel::test::Werte(u.s)[0], 0), -1);
}

class Refresh : public Live {
 protected:
  std::vector<Seitenart> seiten;  // the pages drawn
  void SetUp() override {
    Live::SetUp();
    Puffer(2, 10);
    pegel::test::Par(u.s, 2).Typ = Grafiktyp::Digital;
    ASSERT_EQ(g.InitGraf(2, 0), 1);
    ASSERT_EQ(g.InitFeld(0, Grafiktyp::Analog, 9, pegel::test::Werte(u.s)[0], 0), 9);
    ASSERT_EQ(g.InitFeld(1, Grafiktyp::Digital, 9, pegel::test::Werte(u.s)[1], 0), 9);
    g.LiveGrafikAktiv = true;
    ASSERT_TRUE(g.FormPaint());
  }
  void Zyklus() {
    g.InitRefresh();
    ASSERT_EQ(g.RefreshGraf(0, pegel::test::Werte(u.s)[0], 9, 0), 9);
    ASSERT_EQ(g.RefreshGraf(1, pegel::test::Werte(u.s)[1], 9, 0), 9);
    g.FinishRefresh([this](Seitenart art) { seiten.push_back(art); });
  }
};

TEST_F(Refresh, AGrownRangeOrARebuildDrawsAFullPageAndPrintingNone) {
  Zyklus();
  for (double w : {105.0, 500.0, 500.0, -3.0}) {  // inside, above, unchanged, below
    pegel::test::Werte(u.s)[0][4] = w;
    Zyklus();
  }
  g.Neuaufbau = true;
  Zyklus();
  EXPECT_EQ(seiten, (std::vector<Seitenart>{Seitenart::Inkrementell, Seitenart::Inkrementell,
                                            Seitenart::Voll, Seitenart::Inkrementell,
                                            Seitenart::Voll, Seitenart::Voll}));
  EXPECT_FALSE(g.Neuaufbau);
  EXPECT_FALSE(g.Zeichnet);
  EXPECT_EQ(g.GrafikstatistikVorher[1].Maximum, 109);  // the 500 was overwritten
  EXPECT_EQ(g.GrafikstatistikVorher[1].Minimum, -3);

  g.DruckAktiv = true;
  Zyklus();
  EXPECT_TRUE(g.Zeichnet);
  EXPECT_EQ(seiten.size(), 6u);
}

TEST_F(Refresh, PaintAndResizeOnlyLogWhileBusy) {
  g.InitRefresh();
  EXPECT_FALSE(g.FormPaint());
  EXPECT_FALSE(g.FormResize());
  g.Zeichnet = false;
  g.DruckAktiv = true;
  EXPECT_FALSE(g.FormPaint());
  EXPECT_FALSE(g.FormResize());
  g.Schliesst = true;
  EXPECT_FALSE(g.FormPaint());
  EXPECT_FALSE(g.FormResize());
  EXPECT_EQ(u.Log(), (std::vector<std::string>{
                         "Fo_Tagesgrafik: FormPaint : Refreshing",
                         "Fo_Tagesgrafik: FormResize : Refreshing",
                         "Fo_Tagesgrafik: FormPaint : DruckAktiv",
                         "Fo_Tagesgrafik: FormResize : DruckAktiv",
                         "Fo_Tagesgrafik: FormPaint : Closing",
                         "Fo_Tagesgrafik: FormResize : Closing",
                         "Fo_Tagesgrafik: FormResize : DruckAktiv",
                     }));

  // A paint when idle resets the ranges to the current data.
  g.Schliesst = g.DruckAktiv = false;
  g.GrafikstatistikVorher[1].Maximum = 1e9;
  pegel::test::Werte(u.s)[0][4] = 150;
  g.seite.Grafikspeicher[1] = pegel::test::Werte(u.s)[0];
  EXPECT_TRUE(g.FormPaint());
  EXPECT_EQ(g.GrafikstatistikVorher[1].Maximum, 150);
}

TEST_F(Live, TimeSpansOfTheFixedWindow) {
  struct Fall {
    int k;
    TDateTime jetzt;
    double spanne, labelMinuten;
    const char* anfang;
  };
  const Fall faelle[] = {
      {0, Uhrzeit(9, 41, 30), 1.0 / 60, 1.0 / 12, "09:41:00"},
      {1, Uhrzeit(9, 41), 0.2, 1, "09:41:00"},
      {2, Uhrzeit(9, 41), 0.5, 2.5, "09:41:00"},
      {3, Uhrzeit(9, 41), 1, 5, "09:00:00"},
      {3, Uhrzeit(23, 59), 1, 5, "23:00:00"},
      {4, Uhrzeit(23, 10), 2, 10, "22:00:00"},
      {5, Uhrzeit(19, 0), 6, 30, "18:00:00"},
      {5, Uhrzeit(18, 0), 6, 30, "18:00:00"},
      {6, Uhrzeit(12, 0), 12, 60, "12:00:00"},
      {6, Uhrzeit(11, 59), 12, 60, "00:00:00"},
      {7, Uhrzeit(17, 3), 24, 120, "00:00:00"},
      {8, Uhrzeit(9, 41), 0.5, 2.5, "09:41:00"},
  };
  const TDateTime tag = 46362;
  for (const Fall& f : faelle) {
    ASSERT_TRUE(g.Zeitfenster(f.k, 30, tag + f.jetzt)) << f.k;
    EXPECT_DOUBLE_EQ(g.fenster.Spanne, f.spanne) << f.k;
    EXPECT_DOUBLE_EQ(g.fenster.LabelMinuten, f.labelMinuten) << f.k;
    EXPECT_EQ(ZeitText(g.fenster.FestAnfang), f.anfang) << f.k;
    EXPECT_LT(g.fenster.FestAnfang, 1.0) << f.k;
    EXPECT_DOUBLE_EQ(u.s.Abfrage.Heute, tag + f.jetzt);
    EXPECT_DOUBLE_EQ(u.s.Abfrage.PrintDate, u.s.Abfrage.Heute - 1);
  }
  EXPECT_TRUE(Geloggt("Anzeige von 22 bis 25"));

  u.s.Abfrage.Heute = 5;
  for (int k : {-1, 9}) EXPECT_FALSE(g.Zeitfenster(k, 30, tag + Uhrzeit(9, 0)));
  EXPECT_EQ(u.meldungen.gezeigt, std::vector<std::string>(2, Ansi("Ungültiges Zeitintervall !")));
  EXPECT_DOUBLE_EQ(g.fenster.Spanne, 0.5);
  EXPECT_EQ(u.s.Abfrage.Heute, 5);
}

class Gruppe : public Live {
 protected:
  int seiten = 0;
  void SetUp() override {
    Live::SetUp();
    Puffer(4, 10);
  }
  bool Laden(std::vector<std::int32_t> mitglieder, int zahl) {
    TGruppe& gr = u.s.Gruppen.GruppenTabelle[3];
    gr.Mitglieder.fill(0);
    std::copy(mitglieder.begin(), mitglieder.end(), gr.Mitglieder.begin());
    gr.Mitgliederzahl = zahl;
    return g.Grafik_Laden(3, [this] { ++seiten; });
  }
};

TEST_F(Gruppe, MembersBecomeTheCharts) {
  u.s.Auswahl.Grafikanzeige[1] = true;
  pegel::test::Par(u.s, 4).UpWarn = 77;
  u.s.Sammler.AktDaten[4][2] = "Min";
  ASSERT_TRUE(Laden({2, 4, 181, 0, 3}, 2));
  // Only the first two members count; entry 3 comes after the first empty one.
  EXPECT_EQ(std::vector<bool>(u.s.Auswahl.Grafikanzeige.begin() + 1,
                              u.s.Auswahl.Grafikanzeige.begin() + 5),
            (std::vector<bool>{false, true, false, true}));
  EXPECT_EQ(g.seite.Anzahl, 2);
  EXPECT_EQ(g.seite.Anzeige[2].Name, "P4");
  EXPECT_EQ(g.seite.Anzeige[2].UpWarn, 77);
  EXPECT_EQ(g.seite.Anzeige[2].Statistiktexte[2], "Min");
  EXPECT_EQ(g.seite.Grafikspeicher[2], pegel::test::Werte(u.s)[3]);
  EXPECT_EQ(seiten, 1);
  EXPECT_TRUE(g.LiveGrafikAktiv);
  EXPECT_FALSE(g.Ladefehler);
}

TEST_F(Gruppe, ChartsThatCannotBeSetUpEndTheLoad) {
  g.LiveGrafikAktiv = true;
  for (auto [zahl, mitglieder] : {std::pair{0, std::vector<std::int32_t>{}},
                                  std::pair{10, std::vector<std::int32_t>{1, 2, 3, 4}}}) {
    g.Ladefehler = false;
    EXPECT_FALSE(Laden(mitglieder, zahl));
    EXPECT_TRUE(g.Ladefehler);
    EXPECT_FALSE(g.LiveGrafikAktiv);
  }
  EXPECT_EQ(u.meldungen.gezeigt,
            std::vector<std::string>(2, "Fehler bei der Grafik-Initialisierung !"));

  // A member of another type leaves the window without live refresh, but no error.
  g.Ladefehler = false;
  pegel::test::Par(u.s, 2).Typ = GrafiktypAus(0);
  EXPECT_TRUE(Laden({1, 2}, 2));
  EXPECT_FALSE(g.Ladefehler);
  EXPECT_FALSE(g.LiveGrafikAktiv);
  EXPECT_EQ(seiten, 0);
}

TEST_F(Gruppe, ACountAboveTheListedMembersLeavesAnEmptyChartThatStillDraws) {
  ASSERT_TRUE(Laden({1, 2}, 3));
  ASSERT_EQ(g.seite.Anzahl, 3);
  EXPECT_TRUE(g.seite.Grafikspeicher[3].empty());
  EXPECT_TRUE(g.LiveGrafikAktiv);
  test::AufzeichnendeCanvas c;
  g.schriften.SeitenSchriftenErzeugen();
  int timer = 0;
  SeitenUmfeld umfeld{u.log, u.ereignisse, u.uhr, nullptr, [&] { ++timer; }};
  g.InitRefresh();
  ASSERT_EQ(g.RefreshGraf(1, pegel::test::Werte(u.s)[1], 9, 0), 9);
  g.FinishRefresh(
      [&](Seitenart art) { EXPECT_TRUE(g.RefreshAusgabe(c, umfeld, Ziel::Bildschirm, art)); });
  EXPECT_EQ(timer, 1);
  EXPECT_FALSE(c.aufrufe.empty());
}

}  // namespace
}  // namespace pegel::chart
