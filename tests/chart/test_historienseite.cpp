// The history page style on the one renderer: the pieces in which it differs from the live
// page, drawn on a recording canvas.
#include <gtest/gtest.h>

#include "aufzeichnung.h"
#include "cp1252.h"
#include "geometrie.h"
#include "seite_zeichnen.h"
#include "test_dienste.h"

namespace pegel::chart {
namespace {

using test::Aufruf;

class Historienseite : public ::testing::Test {
 protected:
  pegel::test::Umgebung u;
  SchriftTabelle f{u.log};
  test::AufzeichnendeCanvas c;
  SeitenUmfeld umfeld{u.log, u.ereignisse, u.uhr, nullptr, {}};
  const Seitenstil stil = HistorienStil();

  void SetUp() override { f.SeitenSchriftenErzeugen(); }
  // A page of one chart of `typ` with these values, the day 05.12.2026 sampled every
  // `messintervall` ms.
  ChartSeite Seite(int typ, std::vector<double> werte, std::int32_t messintervall = 1000) {
    ChartSeite s = test::TestSeite({typ}, 0, 0);
    s.Grafikspeicher[1] = std::move(werte);
    s.Messintervall = messintervall;
    s.Tag = DatumKodieren(2026, 12, 5);
    s.IntervallZahl = 1;
    s.IntervallEinheit = " Minute(n)";
    return s;
  }
  bool Zeichnen(ChartSeite& s) {
    c.aufrufe.clear();
    return SeiteZeichnen(s, stil, c, f, umfeld, Ziel::Bildschirm, Seitenart::Voll);
  }
};

TEST_F(Historienseite, FussMitDemTagUndGefuellterRahmen) {
  ChartSeite s = Seite(1, {1, 2, 3});
  ASSERT_TRUE(Zeichnen(s));
  EXPECT_EQ(c.TextMit("Daten vom").text, "Daten vom : 05.12.2026");
  EXPECT_EQ(c.TextMit(Ansi("Meßintervall")).text, Ansi("Meßintervall : 1 Minute(n)"));
  // The footer is cleared from 10 mm above the bottom edge, not 14 mm.
  const auto fuellungen = c.Alle(Aufruf::Fuellung, Weiss);
  EXPECT_EQ(fuellungen.at(1).y1, -(2100 - 100));
  // The frame: white inside, then the blue outline over it.
  EXPECT_EQ(std::tuple(fuellungen.at(2).x1, fuellungen.at(2).y1), std::tuple(100, -100));
  EXPECT_EQ(c.Alle(Aufruf::Rechteck, Blau).size(), 1u);
  EXPECT_FALSE(c.HatText("Datum/Zeit"));
}

TEST_F(Historienseite, BerechneterKopfUndBetriebszeitInSekundenMinutenStunden) {
  ChartSeite s = Seite(1, {2, 4, NoValue, 9});
  Zeichnen(s);
  EXPECT_EQ(c.TextMit("Min.=").text, "Min.=2,00");
  EXPECT_EQ(c.TextMit("Mittel=").text, "Mittel=5,00");
  EXPECT_EQ(c.TextMit("Anzahl=").text, "Anzahl=3");
  EXPECT_EQ(c.TextMit("Anzahl=").x1, 100 + 50 + 1300);

  struct Fall {
    int an;
    std::int32_t messintervall;
    std::string text;
  };
  for (const Fall& fall :
       {Fall{90, 60000, "Betriebszeit=1,50 Std."}, Fall{45, 10000, "Betriebszeit=7,50 Min."},
        Fall{30, 1000, "Betriebszeit=30,00 Sek."}}) {
    std::vector<double> werte(100, 0.0);
    std::fill_n(werte.begin(), fall.an, 1.0);
    ChartSeite d = Seite(2, werte, fall.messintervall);
    Zeichnen(d);
    EXPECT_EQ(c.TextMit("Betriebszeit=").text, fall.text);
  }
}

// Values 0..100 scale to R = 110; a strip of 800 (0.1 mm) has 20 grid steps of 5.5, cut to 5.
TEST_F(Historienseite, RasterSchrittAusDerStreifenhoehe) {
  ChartSeite s = Seite(1, {0, 50, 100});
  s.Seitenhoehe = (800 + 200 + 100) / 10;
  Zeichnen(s);
  EXPECT_EQ(s.RasterVorschlag.Skalenteilung, 5.0);
  EXPECT_EQ(s.RasterVorschlag.UntereGrenze, 0.0);
  const auto grau = c.Alle(Aufruf::Text, Grau);
  ASSERT_GE(grau.size(), 3u);
  EXPECT_EQ(std::vector<std::string>({grau[0].text, grau[1].text, grau[19].text}),
            (std::vector<std::string>{"5,00", "10,00", "100,00"}));
  EXPECT_EQ(c.Alle(Aufruf::Linie, Silber).size(), grau.size());
}

TEST_F(Historienseite, UntereGrenzeSchneidetDieSpurInLuecken) {
  ChartSeite s = Seite(1, {60, 70, 40, 30, 80, 90});
  s.Skalenvorgabe = Skalenwahl{50, 10, 1};
  Zeichnen(s);
  // Only 60-70 and 80-90 join; 40 and 30 lie below the lower end.
  std::vector<std::pair<int, int>> strecken;
  for (const auto& l : c.Alle(Aufruf::Linie, s.Anzeige[1].Kurvenfarbe)) {
    if (l.breite == 4) strecken.emplace_back(l.x1, l.x2);
  }
  const auto x = [](int j) { return Rund(j * 2570 / 5.0 + 150); };
  EXPECT_EQ(strecken, (std::vector<std::pair<int, int>>{{x(1), x(0)}, {x(5), x(4)}}));
  EXPECT_EQ(s.Grafikstatistik[1].Minimum, 50.0);
}

TEST_F(Historienseite, DigitalSchwarzWeissOhneRot) {
  ChartSeite s = Seite(2, {1, 0, NoValue});
  Zeichnen(s);
  EXPECT_TRUE(c.Alle(Aufruf::Fuellung, Rot).empty());
  // On: one black high bar; off and missing: white high bar and black null bar each.
  EXPECT_EQ(c.Alle(Aufruf::Fuellung, Schwarz).size(), 1u + 2u);
}

}  // namespace
}  // namespace pegel::chart
