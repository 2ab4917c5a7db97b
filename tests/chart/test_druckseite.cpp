// The printed day page on the one renderer: the pieces in which it differs from the history
// page, drawn on a recording canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "aufzeichnung.h"
#include "cp1252.h"
#include "seite_zeichnen.h"
#include "test_dienste.h"
#include "zeitachse.h"

namespace pegel::chart {
namespace {

using test::Aufruf;

class Druckseite : public ::testing::Test {
 protected:
  pegel::test::Umgebung u;
  SchriftTabelle f{u.log};
  test::AufzeichnendeCanvas c;
  SeitenUmfeld umfeld{u.log, u.ereignisse, u.uhr, nullptr, {}};
  const Seitenstil stil = DruckStil();

  void SetUp() override {
    f.AusgabeNameSetzen("Druck_New_TextAusgabe");
    f.SeitenSchriftenErzeugen();
  }
  // A page of 284 x 199 mm of the day 05.12.2026, one chart per type in `typen`, each with
  // these values, black as the print fills it.
  ChartSeite Seite(const std::vector<int>& typen, const std::vector<double>& werte) {
    ChartSeite s = test::TestSeite(typen, 0, 0);
    s.Seitenbreite = 284;
    s.Seitenhoehe = 199;
    for (int i = 1; i <= s.Anzahl; ++i) {
      s.Grafikspeicher.at(i) = werte;
      s.Anzeige.at(i).Kurvenfarbe = Schwarz;
    }
    s.Tag = DatumKodieren(2026, 12, 5);
    s.IntervallZahl = 1;
    s.IntervallEinheit = " Sekunde(n)";
    return s;
  }
  bool Zeichnen(ChartSeite& s) {
    c.aufrufe.clear();
    return SeiteZeichnen(s, stil, c, f, umfeld, Ziel::Drucker, Seitenart::Voll);
  }
  // The trace's lines: black with the trace's pen width.
  std::vector<Aufruf> Kurve() const {
    std::vector<Aufruf> k;
    for (const auto& a : c.Alle(Aufruf::Linie, Schwarz)) {
      if (a.breite == 4) k.push_back(a);
    }
    return k;
  }
  std::vector<std::string> Texte() const {
    std::vector<std::string> t;
    for (const auto& a : c.Alle(Aufruf::Text)) t.push_back(a.text);
    return t;
  }
};

TEST_F(Druckseite, FussAnDenPositionenDesDrucksMitDemTag) {
  ChartSeite s = Seite({1}, {1, 2, 3});
  ASSERT_TRUE(Zeichnen(s));
  const Aufruf datum = c.TextMit("Daten vom");
  EXPECT_EQ(datum.text, "Daten vom : 05.12.2026");
  EXPECT_EQ(std::tuple(datum.x1, datum.y1), std::tuple(1350, -(1990 - 100)));
  EXPECT_EQ(c.TextMit(Ansi("Meßintervall")).x1, 750);
  // Cleared from 10 mm above the bottom edge.
  EXPECT_EQ(c.Alle(Aufruf::Fuellung, Weiss).at(1).y1, -(1990 - 100));
}

TEST_F(Druckseite, BandhoeheZweiAnalogEinDigitalBei199mm) {
  ChartSeite s = Seite({1, 2, 1}, {1, 0, 1});
  ASSERT_TRUE(Zeichnen(s));
  // (1990 - 200 - 3 * 100 - 1 * 100) div 2 analog strips.
  EXPECT_EQ(s.Streifen[1].P2.d - s.Streifen[1].P1.d, 695);
  EXPECT_EQ(s.Streifen[3].P2.d - s.Streifen[3].P1.d, 695);
  EXPECT_EQ(s.Streifen[2].P2.d - s.Streifen[2].P1.d, 100);
  EXPECT_EQ(s.Streifen[1].P2.x, 2840 - 200);
}

// The statistics line: computed values at the print's positions, and the day's sum or
// operating time only while AktMax is above 0.
TEST_F(Druckseite, StatistikzeileMitSummeUndBetriebszeitAusAktMax) {
  struct Fall {
    int typ;
    double aktMax;
    double teiler;
    std::vector<std::string> erwartet;
    std::vector<std::string> nicht;
  };
  const std::vector<Fall> faelle = {
      {1, 1235, 10, {"Min.=2,00", "Max.=9,00", "Mittel=5,00", "Anzahl=3", "Summe=123,5 m3"}, {}},
      {1, -1.0, 10, {"Anzahl=3"}, {"Summe="}},
      {1, 0.0, 10, {"Anzahl=3"}, {"Summe="}},
      // A divisor of 0 gives no sum rather than an infinite one.
      {1, 50.0, 0, {"Anzahl=3"}, {"Summe="}},
      {2, 3.25, 1, {"Betriebszeit=3,25 h"}, {"Anzahl=", "Min.="}},
      {2, -1.0, 1, {}, {"Betriebszeit=", "Anzahl="}},
  };
  for (const auto& fall : faelle) {
    SCOPED_TRACE(std::to_string(fall.typ) + " AktMax " + std::to_string(fall.aktMax));
    ChartSeite s = Seite({fall.typ}, {2, 4, NoValue, 9});
    s.Anzeige[1].AktMax = fall.aktMax;
    s.Anzeige[1].GrafikSumTeiler = fall.teiler;
    ASSERT_TRUE(Zeichnen(s));
    for (const auto& t : fall.erwartet) EXPECT_TRUE(c.HatText(t)) << t;
    for (const auto& t : fall.nicht) EXPECT_FALSE(c.HatText(t)) << t;
  }
  ChartSeite s = Seite({1}, {2, 4, 9});
  s.Anzeige[1].AktMax = 100;
  Zeichnen(s);
  const std::int32_t x1 = s.Streifen[1].P1.x;
  EXPECT_EQ(c.TextMit("Min.=").x1, x1 + 450);
  EXPECT_EQ(c.TextMit("Mittel=").x1, x1 + 1050);
  EXPECT_EQ(c.TextMit("Anzahl=").x1, x1 + 1350);
  EXPECT_EQ(c.TextMit("Summe=").x1, x1 + 1750);
  EXPECT_EQ(c.TextMit("Summe=").farbe, Blau);
  // The live page's indent moves every statistics text, not the title.
  s.Textrand = 300;
  Zeichnen(s);
  EXPECT_EQ(c.TextMit("Min.=").x1, x1 + 450 + 300);
  EXPECT_EQ(c.TextMit("Summe=").x1, x1 + 1750 + 300);
  EXPECT_EQ(c.TextMit("Pegel 1").x1, x1 + 50);
}

TEST_F(Druckseite, BandOhneWerteZeigtRahmenTitelUndAnzahlNull) {
  ChartSeite s = Seite({1, 1}, {NoValue, NoValue, NoValue});
  s.Anzeige[1].AktMax = 5;
  ASSERT_TRUE(Zeichnen(s));
  EXPECT_EQ(c.Alle(Aufruf::Rechteck, Blau).size(), 2u);
  EXPECT_TRUE(c.HatText("Pegel 1 [m]"));
  EXPECT_TRUE(c.HatText("Anzahl=0"));
  for (const auto& t : Texte()) {
    EXPECT_EQ(t.find("30000"), std::string::npos) << t;
    EXPECT_EQ(t.find("nan"), std::string::npos) << t;
  }
  EXPECT_TRUE(c.Alle(Aufruf::Linie, Blau).empty()) << "no marks at the start values";
  EXPECT_TRUE(u.Log().empty());
}

// The trace: black, broken at a gap, no warning colour and no clamping to a user scale.
TEST_F(Druckseite, SchwarzeKurveMitLueckenOhneWarnfarbe) {
  ChartSeite s = Seite({1}, {1, 5, NoValue, 2, 3});
  s.Anzeige[1].UpWarn = 2;
  s.Anzeige[1].LoWarn = 1;
  s.Streifen[1].Skalierung = 2;
  s.Anzeige[1].MinSkal = 2;
  s.Anzeige[1].MaxSkal = 3;
  ASSERT_TRUE(Zeichnen(s));
  const std::vector<Aufruf> kurve = Kurve();
  EXPECT_TRUE(c.Alle(Aufruf::Linie, s.Anzeige[1].Warnfarbe).empty());
  // The dot at slot 0, 0-1, then 3-4: nothing joins slot 1 to slot 3.
  EXPECT_EQ(kurve.size(), 3u);
  EXPECT_EQ(s.Grafikspeicher[1][1], 5) << "values are not clamped";
  EXPECT_TRUE(c.Alle(Aufruf::Linie, Rot).empty());
}

// A chart with the user scale prints scaled from its minimum, exactly like mode 1.
TEST_F(Druckseite, BenutzerskalaWirdVomMinimumGedruckt) {
  ChartSeite eins = Seite({1}, {10, 20, 15});
  eins.Streifen[1].Skalierung = 1;
  Zeichnen(eins);
  const auto linienEins = c.Alle(Aufruf::Linie);
  ChartSeite zwei = Seite({1}, {10, 20, 15});
  zwei.Streifen[1].Skalierung = 2;
  zwei.Anzeige[1].MinSkal = -100;
  zwei.Anzeige[1].MaxSkal = 500;
  Zeichnen(zwei);
  EXPECT_EQ(zwei.Streifen[1].Nulllinie, eins.Streifen[1].Nulllinie);
  EXPECT_EQ(c.Alle(Aufruf::Linie).size(), linienEins.size());
}

// Grid silver with grey values, zero line green, width 3, from the strip's edge, no "0.0".
TEST_F(Druckseite, SilbernesRasterUndNulllinieOhneText) {
  ChartSeite s = Seite({1}, {-5, 10, 3});
  ASSERT_TRUE(Zeichnen(s));
  EXPECT_FALSE(c.Alle(Aufruf::Linie, Silber).empty());
  EXPECT_FALSE(c.Alle(Aufruf::Text, Grau).empty());
  const auto gruen = c.Alle(Aufruf::Linie, Gruen);
  ASSERT_EQ(gruen.size(), 1u);
  EXPECT_EQ(std::tuple(gruen[0].x1, gruen[0].breite), std::tuple(s.Streifen[1].P1.x, 3));
  EXPECT_FALSE(c.HatText("0.0"));
}

TEST_F(Druckseite, DigitaleBalkenSchwarzWeissOhneRot) {
  ChartSeite s = Seite({2}, {1, 0, NoValue, 1});
  ASSERT_TRUE(Zeichnen(s));
  EXPECT_TRUE(c.Alle(Aufruf::Fuellung, Rot).empty());
  // Two high bars black, two off slots (NoValue counts as off) with their black null bar.
  const auto schwarz = c.Alle(Aufruf::Fuellung, Schwarz);
  EXPECT_EQ(schwarz.size(), 4u);
}

// The print's label rule: at most 16 labels, rows div d of them, MarkenAbstand rows apart;
// the page draws exactly that many.
TEST_F(Druckseite, ZeitmarkenJeZeilenzahl) {
  struct Fall {
    int zeilen;
    int anzahl;
    double abstand;
  };
  const std::vector<Fall> faelle = {
      {100, 16, 100.0 / 16},  // d = 6
      {17, 8, 17.0 / 8},      // d = 2
      {16, 16, 1.0},          // one per row
      {1440, 16, 90.0},       // d = 90
      {1, 1, 1.0},
  };
  for (const auto& fall : faelle) {
    SCOPED_TRACE(fall.zeilen);
    const Markenteilung m = DruckMarken(fall.zeilen);
    EXPECT_EQ(m.anzahl, fall.anzahl);
    EXPECT_DOUBLE_EQ(m.abstand, fall.abstand);
    if (fall.zeilen < 2) continue;
    ChartSeite s = Seite({1}, std::vector<double>(static_cast<std::size_t>(fall.zeilen), 1.0));
    for (int k = 0; k < m.anzahl; ++k) s.Zeitlabels.push_back("L" + std::to_string(k));
    s.PunkteProLabel = m.abstand;
    ASSERT_TRUE(Zeichnen(s));
    int labels = 0;
    for (const auto& t : Texte()) labels += t.rfind('L', 0) == 0 ? 1 : 0;
    EXPECT_EQ(labels, fall.anzahl);
  }
}

// A day of a single row: the value as a dot at the left end with its statistics; a digital
// value as a bar of at most 4 mm there.
TEST_F(Druckseite, EinzeiligerTagZeigtDenWertLinks) {
  ChartSeite s = Seite({1, 2}, {7.5});
  ASSERT_TRUE(Zeichnen(s));
  EXPECT_TRUE(c.HatText("Min.=7,50"));
  EXPECT_TRUE(c.HatText("Anzahl=1"));
  const std::vector<Aufruf> kurve = Kurve();
  ASSERT_EQ(kurve.size(), 1u);
  EXPECT_EQ(kurve[0].x1, s.Streifen[1].P1.x + 50);
  const auto balken = c.Alle(Aufruf::Fuellung, Schwarz);
  ASSERT_EQ(balken.size(), 1u);
  EXPECT_EQ(std::tuple(balken[0].x1, balken[0].x2),
            std::tuple(s.Streifen[2].P1.x + 50, s.Streifen[2].P1.x + 50 + 40));
  EXPECT_TRUE(u.Log().empty());
}

TEST_F(Druckseite, TextfehlerNennenDieDruckausgabe) {
  ChartSeite s = Seite({1}, {1, 2});
  c.textFehler = true;
  Zeichnen(s);
  EXPECT_TRUE(u.Geloggt("Fehler 3 in Druck_New_TextAusgabe"));
}

}  // namespace
}  // namespace pegel::chart
