// Whole live pages drawn on a recording canvas.
#include <gtest/gtest.h>

#include <algorithm>

#include "aufzeichnung.h"
#include "cp1252.h"
#include "geometrie.h"
#include "schriften.h"
#include "seite_zeichnen.h"
#include "test_dienste.h"

namespace pegel::chart {
namespace {

using namespace std::string_literals;
using test::Aufruf;
using test::TestSeite;

constexpr Farbe Kurve = Rgb(0, 0, 128);
constexpr Farbe Warn = Rgb(255, 0, 255);

class Seite : public ::testing::Test {
 protected:
  pegel::test::Umgebung u;
  SchriftTabelle f{u.log};
  test::AufzeichnendeCanvas c;
  int timer = 0;
  SeitenUmfeld umfeld{u.log, u.ereignisse, u.uhr, nullptr, [this] { ++timer; }};

  void SetUp() override { f.SeitenSchriftenErzeugen(); }
  bool Zeichnen(test::LiveSeite& s, bool inkrementell = false) {
    c.aufrufe.clear();
    return SeiteZeichnen(s, s.Stil(), c, f, umfeld, Ziel::Bildschirm,
                         inkrementell ? Seitenart::Inkrementell : Seitenart::Voll);
  }
  // Trace lines: pen width 4, not the green zero line or the blue marks.
  std::vector<Aufruf> Spur() const {
    std::vector<Aufruf> r;
    for (const auto& a : c.Alle(Aufruf::Linie)) {
      if (a.breite == 4 && a.farbe != Gruen && a.farbe != Blau) r.push_back(a);
    }
    return r;
  }
  // Labels under the strip of a single chart (bottom at depth 1950).
  std::vector<std::string> Achse() const {
    std::vector<std::string> r;
    for (const auto& a : c.Alle(Aufruf::Text)) {
      if (a.y1 == -1950) r.push_back(a.text);
    }
    return r;
  }
  // The left ends of texts that begin with the given prefixes.
  std::vector<int> Links(const std::vector<std::string>& anfaenge) const {
    std::vector<int> r;
    for (const auto& a : anfaenge) r.push_back(c.TextMit(a).x1);
    return r;
  }
};

TEST_F(Seite, FussRahmenTitelUndKopftexte) {
  test::LiveSeite s = TestSeite({1}, 10, 2.0);
  EXPECT_TRUE(Zeichnen(s));
  EXPECT_EQ(timer, 1);
  EXPECT_EQ(u.ereignisse.aufrufe, 1);
  EXPECT_EQ(std::pair(c.aufrufe.front().x2, c.aufrufe.front().y2), std::pair(2970, -2100));

  const Aufruf intervall = c.TextMit(Ansi("Meßintervall : 10 Sekunde(n)"));
  EXPECT_EQ(std::tuple(intervall.x1, intervall.y1, intervall.schrifthoehe),
            std::tuple(950, -2000, 44));
  const auto rahmen = c.Alle(Aufruf::Rechteck, Blau);
  ASSERT_EQ(rahmen.size(), 1u);
  EXPECT_EQ(std::vector<int>({rahmen[0].x1, rahmen[0].y1, rahmen[0].x2, rahmen[0].y2, 3}),
            std::vector<int>({100, -100, 2770, -1900, rahmen[0].breite}));
  const Aufruf titel = c.TextMit("Pegel 1 [m]");
  EXPECT_EQ(std::pair(titel.x1, titel.y1), std::pair(150, -100));
  EXPECT_TRUE(titel.fett);
  EXPECT_EQ(c.TextMit("Min.=").farbe, Blau);
  EXPECT_EQ(c.TextMit("Summe = ").text, "Summe = 123,45 m3");
  // "Min.=" sits 40 mm right of the title's left end; Textrand shifts the statistics only.
  const std::vector<std::string> texte = {"Datum/Zeit : 06.12.2026 12:00:00",
                                          "Pegel 1",
                                          "Min.=0,50",
                                          "Max.=2,00",
                                          "Mit.=1,00",
                                          "Summe = ",
                                          "Wert = 1,50"};
  EXPECT_EQ(Links(texte), (std::vector<int>{1550, 150, 550, 850, 1150, 1550, 1950}));
  s.Textrand = 120;
  Zeichnen(s);
  EXPECT_EQ(Links(texte), (std::vector<int>{1550, 150, 670, 970, 1270, 1670, 2070}));
}

TEST_F(Seite, SummenregelnDesKopfes) {
  test::LiveSeite s = TestSeite({1, 2, 2, 1}, 10, 1.0);
  s.Anzeige[1].Statistiktexte[5] = "n.v.";
  s.Anzeige[2].GrafikSumEinheit = "h";
  s.Anzeige[2].Statistiktexte[4] = "7,25";
  s.Anzeige[3].GrafikSumEinheit = "kWh";
  s.Anzeige[4].Statistiktexte[4] = "";  // no header at all
  Zeichnen(s);
  EXPECT_FALSE(c.HatText("Summe = "));
  EXPECT_EQ(c.TextMit("Betriebszeit heute : ").text, "Betriebszeit heute : 7,25 h");
  EXPECT_EQ(c.TextMit("Betriebszeit heute : ").x1, 550);
  EXPECT_EQ(c.TextMit("Summe : ").text, "Summe : 123,45 kWh");
  EXPECT_EQ(c.Alle(Aufruf::Text, Blau).size(), 4u + 1 + 1 + 2);  // 2 scale marks
}

TEST_F(Seite, RollendeAchseBeschriftetSlotnummern) {
  test::LiveSeite s = TestSeite({1}, 479, 2.0);
  Zeichnen(s);
  auto texte = Achse();
  ASSERT_EQ(texte.size(), 25u);
  EXPECT_EQ(std::tuple(texte[0], texte[1], texte[24]), std::tuple("1,0"s, "21,0"s, "480,0"s));
  const Aufruf letzter = c.TextMit("480,0");  // step 479 / 24 = 19.96
  EXPECT_EQ(std::tuple(letzter.x1, letzter.ausrichtung, letzter.schrifthoehe),
            std::tuple(2720, Ausrichtung::Mitte, 36));

  s = TestSeite({1}, 48, 2.0);
  Zeichnen(s);
  texte = Achse();
  ASSERT_EQ(texte.size(), 25u);
  EXPECT_EQ(std::pair(texte[1], texte[24]), std::pair("3"s, "49"s));
}

TEST_F(Seite, FlacheSpurSkalenmarkenUndOhneGueltigeWerte) {
  test::LiveSeite s = TestSeite({1}, 4, 5.0);
  Zeichnen(s);
  EXPECT_EQ(std::pair(s.Grafikstatistik[1].Minimum, s.Grafikstatistik[1].Maximum),
            std::pair(0.0, 5.0));
  // Scale 0..5: the zero line near the bottom with its label, marks 5,00 and 0,00.
  const Aufruf null = c.TextMit("0.0");
  EXPECT_EQ(null.farbe, Gruen);
  EXPECT_EQ(std::pair(null.x1, null.y1), std::pair(50, -(s.Streifen[1].Nulllinie + 20)));
  EXPECT_EQ(c.TextMit("5,00").x1, 2800);
  EXPECT_EQ(c.TextMit("0,00").y1, null.y1);
  auto spur = Spur();
  ASSERT_EQ(spur.size(), 5u);
  EXPECT_EQ(spur[1].y1, spur[1].y2);

  s = TestSeite({1}, 10, NoValue);
  EXPECT_TRUE(Zeichnen(s));
  EXPECT_EQ(std::pair(s.Grafikstatistik[1].Minimum, s.Grafikstatistik[1].Maximum),
            std::pair(30000.0, -9999.0));
  EXPECT_TRUE(Spur().empty());
  EXPECT_FALSE(c.HatText("-9999"));
}

TEST_F(Seite, WarnfarbeLueckenUndUpWarnNahNull) {
  test::LiveSeite s = TestSeite({1}, 9, 0);
  for (int j = 0; j <= 9; ++j) s.Grafikspeicher[1][static_cast<std::size_t>(j)] = j + 1;
  s.Grafikspeicher[1][5] = NoValue;
  s.Anzeige[1].UpWarn = 8;
  s.Anzeige[1].LoWarn = 2;
  Zeichnen(s);
  auto spur = Spur();
  ASSERT_EQ(spur.size(), 9u);
  // A segment takes the colour of its newer end: values 1, 2, 8, 9, 10 warn.
  const std::vector<bool> warnt = {true, true, false, false, false, false, true, true, true};
  for (std::size_t k = 0; k < spur.size(); ++k) EXPECT_EQ(spur[k].farbe == Warn, warnt[k]) << k;
  EXPECT_EQ(spur[5].x2, Rund(4 * 2570 / 9.0 + 150));  // the gap is bridged

  for (double nahNull : {0.001, -0.001, 0.0}) {
    s.Anzeige[1].UpWarn = nahNull;
    Zeichnen(s);
    spur = Spur();
    EXPECT_TRUE(std::none_of(spur.begin(), spur.end(), [](auto& l) { return l.farbe == Warn; }));
  }
}

TEST_F(Seite, BenutzerskalaBegrenztUndWarnt) {
  test::LiveSeite s = TestSeite({1}, 2, 5);
  s.Streifen[1].Skalierung = 2;
  s.Anzeige[1].MaxSkal = 10;
  s.Grafikspeicher[1] = {-4, 5, 50};
  Zeichnen(s);
  EXPECT_EQ(s.Grafikspeicher[1], (std::vector<double>{0, 5, 10}));
  const auto spur = Spur();
  ASSERT_EQ(spur.size(), 3u);
  EXPECT_EQ(std::vector<Farbe>({spur[0].farbe, spur[1].farbe, spur[2].farbe}),
            std::vector<Farbe>({Warn, Kurve, Warn}));
  EXPECT_EQ(spur[2].y1, -(100 + 74));  // the top of the user scale
  EXPECT_TRUE(c.HatText("10,00"));
}

TEST_F(Seite, CursorLinieUndCursorModusBrichtAnLueckeUndCursor) {
  test::LiveSeite s = TestSeite({1}, 10, 3.0);
  s.MitCursor = true;
  Zeichnen(s);  // no cursor line at Schreibposition = n
  EXPECT_TRUE(c.Alle(Aufruf::Linie, Rot).empty());

  s.Schreibposition = 6;
  s.Grafikspeicher[1][3] = NoValue;
  s.Anzeige[1].UpWarn = 1;  // no warning colour in this mode
  Zeichnen(s);
  const auto cursor = c.Alle(Aufruf::Linie, Rot);
  ASSERT_EQ(cursor.size(), 1u);
  EXPECT_EQ(std::vector<int>({cursor[0].x1, cursor[0].y1, cursor[0].y2, cursor[0].breite}),
            std::vector<int>({Rund(6.5 * 257 + 150), -110, -1890, 2}));
  auto x = [](int j) { return Rund(j * 257.0 + 150); };
  std::vector<std::pair<int, int>> segmente;
  for (const auto& l : Spur()) {
    EXPECT_EQ(l.farbe, Kurve);
    segmente.push_back({l.x1, l.x2});
  }
  const std::vector<std::pair<int, int>> erwartet = {
      {x(0), x(0) + 1}, {x(1), x(0)}, {x(2), x(1)}, {x(5), x(4)}, {x(6), x(5)},
      {x(7), x(7) + 1}, {x(8), x(7)}, {x(9), x(8)}, {x(10), x(9)}};
  EXPECT_EQ(segmente, erwartet);
}

// Bars of the single digital strip at depth 100..200: (colour, x1, x2, top).
using Balken = std::tuple<Farbe, int, int, int>;
std::vector<Balken> DigitaleBalken(const test::AufzeichnendeCanvas& c) {
  std::vector<Balken> r;
  for (const auto& a : c.Alle(Aufruf::Fuellung)) {
    if (a.y2 == -190) r.push_back({a.farbe, a.x1, a.x2, a.y1});
  }
  return r;
}

TEST_F(Seite, DigitalRollendTraegtZustandUndLaesstLetztenBalkenRot) {
  test::LiveSeite s = TestSeite({2}, 4, 0);
  s.Grafikspeicher[1] = {1, 0, NoValue, 1, 0};
  EXPECT_TRUE(Zeichnen(s));
  auto x = [](int j) { return Rund(j * 642.5 + 150); };
  const std::vector<Balken> erwartet = {
      {Rot, x(0), x(1), -120},      // on: high bar
      {Rot, x(1), x(2), -185},      // off: low bar
      {Schwarz, x(0), x(1), -120},  // the stretch before shows the earlier state
      {Rot, x(3), x(4), -120},
      {Weiss, x(1), x(3), -120},  // the gap is filled with the state before it
      {Rot, x(4), x(4) + 40, -185},
      {Schwarz, x(3), x(4), -120}};
  EXPECT_EQ(DigitaleBalken(c), erwartet);
}

TEST_F(Seite, DigitalCursorModusMitNullLinie) {
  test::LiveSeite s = TestSeite({2}, 2, 0);
  s.MitCursor = true;
  s.Grafikspeicher[1] = {1, NoValue, 0};
  s.DigNull = true;
  Zeichnen(s);
  auto x = [](int j) { return Rund(j * 1285.0 + 150); };
  const std::vector<Balken> erwartet = {{Schwarz, x(0), x(1), -120},
                                        {Weiss, x(1), x(2), -120},
                                        {Schwarz, x(1), x(2), -185},
                                        {Weiss, x(2), x(2) + 40, -120},
                                        {Rot, x(2), x(2) + 40, -185}};
  EXPECT_EQ(DigitaleBalken(c), erwartet);
  s.DigNull = false;
  Zeichnen(s);
  EXPECT_TRUE(c.Alle(Aufruf::Fuellung, Rot).empty());

  s.Grafikspeicher[1] = {0.6, 0.61, 0.5};  // on only above 0.6
  s.DigNull = true;
  Zeichnen(s);
  EXPECT_EQ(DigitaleBalken(c), (std::vector<Balken>{{Weiss, x(0), x(1), -120},
                                                    {Schwarz, x(0), x(1), -185},
                                                    {Schwarz, x(1), x(2), -120},
                                                    {Weiss, x(2), x(2) + 40, -120},
                                                    {Rot, x(2), x(2) + 40, -185}}));
}

TEST_F(Seite, EinzelnerSlotOhneAchseUndInkrementelleSeite) {
  test::LiveSeite s = TestSeite({1, 2}, 0, 1.0);
  EXPECT_TRUE(Zeichnen(s));
  EXPECT_EQ(c.Alle(Aufruf::Text).size(), 2u + 2 + 5 + 1 + 3);  // no axis labels
  ASSERT_EQ(Spur().size(), 1u);
  EXPECT_EQ(Spur()[0].x1, 150);
  const auto rot = c.Alle(Aufruf::Fuellung, Rot);
  ASSERT_EQ(rot.size(), 1u);
  EXPECT_EQ(std::pair(rot[0].x1, rot[0].x2), std::pair(150, 190));

  // An incremental page neither clears the page nor draws the axis and the marks.
  s = TestSeite({1}, 10, 2.0);
  EXPECT_TRUE(Zeichnen(s, true));
  EXPECT_EQ(timer, 2);
  EXPECT_TRUE(Achse().empty());
  EXPECT_FALSE(c.HatText("2,00"));
  EXPECT_NE(c.aufrufe.front().x2, 2970);
  const auto innen = c.Alle(Aufruf::Fuellung, Weiss);
  EXPECT_TRUE(std::any_of(innen.begin(), innen.end(), [](const Aufruf& a) {
    return a.x1 == 104 && a.y1 == -104 && a.x2 == 2766 && a.y2 == -1896;
  }));
  EXPECT_EQ(Spur().size(), 11u);
}

TEST_F(Seite, UeberlaufBeendetSeiteOhneTimer) {
  test::LiveSeite s = TestSeite({1, 1}, 1, 0);
  s.Streifen[1].Skalierung = 1;
  s.Grafikspeicher[1] = {1e15, 1e15 + 1};
  EXPECT_FALSE(Zeichnen(s));
  EXPECT_EQ(timer, 0);
  EXPECT_EQ(u.Log(), (std::vector<std::string>{"Echtzeitgrafik : Fehler bei Schrittweite/Cursor",
                                               "Analoge Grafik abgebrochen ..."}));
  EXPECT_FALSE(c.HatText("Pegel 2"));  // the page ended with the first chart

  // Cursor mode does not clamp: a value far beyond the user scale cannot be placed.
  u.senke.zeilen.clear();
  s = TestSeite({1}, 1, 0);
  s.MitCursor = true;
  s.Streifen[1].Skalierung = 2;
  s.Anzeige[1].MaxSkal = 10;
  s.Grafikspeicher[1] = {1, 1e300};
  EXPECT_FALSE(Zeichnen(s));
  EXPECT_EQ(u.Log(), std::vector<std::string>{"Analoge Grafik abgebrochen ..."});
}

TEST_F(Seite, OhneGrafikenSchliessendUndUngueltigeSeite) {
  test::LiveSeite s = TestSeite({}, 0, 0);
  EXPECT_TRUE(Zeichnen(s));
  EXPECT_EQ(timer, 1);
  EXPECT_TRUE(c.HatText("Datum/Zeit"));

  s.Schliesst = true;
  EXPECT_FALSE(Zeichnen(s));
  EXPECT_TRUE(c.aufrufe.empty());

  // The window closes while pending events are served inside the page.
  struct Schliessend : PendingEvents {
    ChartSeite* seite = nullptr;
    void Verarbeiten() override { seite->Schliesst = true; }
  } e;
  s = TestSeite({1, 1}, 5, 1.0);
  e.seite = &s;
  SeitenUmfeld schliessend{u.log, e, u.uhr, nullptr, [this] { ++timer; }};
  EXPECT_FALSE(SeiteZeichnen(s, s.Stil(), c, f, schliessend, Ziel::Bildschirm, Seitenart::Voll));
  EXPECT_FALSE(c.HatText("Pegel 1"));

  s.Schliesst = false;
  s.Seitenbreite = 300000000;
  EXPECT_FALSE(Zeichnen(s));
  EXPECT_EQ(timer, 1);
  EXPECT_EQ(u.Log(), std::vector<std::string>{"TFo_Tagesgrafik.Ausgabe : Fehler-1"});
}

}  // namespace
}  // namespace pegel::chart
