// Whole live pages drawn on a recording canvas.
#include <gtest/gtest.h>

#include <algorithm>

#include "aufzeichnung.h"
#include "cp1252.h"
#include "geometrie.h"
#include "refresh_ausgabe.h"
#include "schriften.h"
#include "test_dienste.h"

namespace pegel::chart {
namespace {

using test::Aufruf;
using test::AufzeichnendeCanvas;
using test::TestSeite;

constexpr Farbe Kurve = Rgb(0, 0, 128);
constexpr Farbe Warn = Rgb(255, 0, 255);

class Seite : public ::testing::Test {
 protected:
  pegel::test::Umgebung u;
  SchriftTabelle f{u.log};
  AufzeichnendeCanvas c;
  int timer = 0;
  SeitenUmfeld umfeld{u.log, u.ereignisse, u.uhr, nullptr, [this] { ++timer; }};

  void SetUp() override { f.SeitenSchriftenErzeugen(); }
  bool Zeichnen(ChartSeite& s, bool inkrementell = false) {
    return RefreshAusgabe(s, c, f, umfeld, false, inkrementell);
  }
  // Trace lines of a chart: pen width 4, not the green zero line or the blue marks.
  std::vector<Aufruf> Spur() const {
    std::vector<Aufruf> r;
    for (const auto& a : c.Alle(Aufruf::Linie)) {
      if (a.breite == 4 && a.farbe != Gruen && a.farbe != Blau) r.push_back(a);
    }
    return r;
  }
  // Labels under the strip of a single chart (bottom at depth 1950).
  std::vector<Aufruf> AchsenTexte() const {
    std::vector<Aufruf> r;
    for (const auto& a : c.Alle(Aufruf::Text)) {
      if (a.y1 == -1950) r.push_back(a);
    }
    return r;
  }
};

TEST_F(Seite, FussRahmenTitelUndKopftexte) {
  ChartSeite s = TestSeite({1}, 10, 2.0);
  s.Textrand = 0;
  EXPECT_TRUE(Zeichnen(s));
  EXPECT_EQ(timer, 1);
  EXPECT_EQ(u.ereignisse.aufrufe, 1);

  const Aufruf& blatt = c.aufrufe.front();
  EXPECT_EQ(blatt.art, Aufruf::Fuellung);
  EXPECT_EQ(blatt.x2, 2970);
  EXPECT_EQ(blatt.y2, -2100);

  const Aufruf intervall = c.TextMit(Ansi("Meßintervall : 10 Sekunde(n)"));
  EXPECT_EQ(intervall.x1, 950);
  EXPECT_EQ(intervall.y1, -2000);
  EXPECT_EQ(intervall.schrifthoehe, 44);
  EXPECT_EQ(c.TextMit("Datum/Zeit : ").text, "Datum/Zeit : 06.12.2026 12:00:00");
  EXPECT_EQ(c.TextMit("Datum/Zeit : ").x1, 1550);

  const auto rahmen = c.Alle(Aufruf::Rechteck);
  ASSERT_EQ(rahmen.size(), 1u);
  EXPECT_EQ(rahmen[0].farbe, Blau);
  EXPECT_EQ(rahmen[0].breite, 3);
  EXPECT_EQ(std::vector<int>({rahmen[0].x1, rahmen[0].y1, rahmen[0].x2, rahmen[0].y2}),
            std::vector<int>({100, -100, 2770, -1900}));

  const Aufruf titel = c.TextMit("Pegel 1 [m]");
  EXPECT_EQ(titel.x1, 150);
  EXPECT_EQ(titel.y1, -100);
  EXPECT_TRUE(titel.fett);
  // "Min.=" sits 40 mm right of the title's left end.
  EXPECT_EQ(c.TextMit("Min.=0,50").x1, 550);
  EXPECT_EQ(c.TextMit("Min.=").farbe, Blau);
  EXPECT_EQ(c.TextMit("Max.=2,00").x1, 850);
  EXPECT_EQ(c.TextMit("Mit.=1,00").x1, 1150);
  EXPECT_EQ(c.TextMit("Summe = ").text, "Summe = 123,45 m3");
  EXPECT_EQ(c.TextMit("Summe = ").x1, 1550);
  EXPECT_EQ(c.TextMit("Wert = 1,50").x1, 1950);
}

TEST_F(Seite, TextrandVerschiebtNurDieStatistik) {
  ChartSeite s = TestSeite({1}, 10, 2.0);
  s.Textrand = 120;
  Zeichnen(s);
  EXPECT_EQ(c.TextMit("Pegel 1").x1, 150);
  EXPECT_EQ(c.TextMit("Min.=").x1, 670);
  EXPECT_EQ(c.TextMit("Wert = ").x1, 2070);
}

TEST_F(Seite, SummenregelnDesKopfes) {
  ChartSeite s = TestSeite({1, 2, 2, 1}, 10, 1.0);
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
}

TEST_F(Seite, NurDigitaleStreifen) {
  ChartSeite s = TestSeite({2, 2}, 10, 1.0);
  EXPECT_TRUE(Zeichnen(s));
  EXPECT_EQ(s.Streifen[1].P2.d, 200);
  EXPECT_EQ(s.Streifen[2].P1.d, 300);
  EXPECT_EQ(s.Streifen[2].P2.d, 400);
  EXPECT_TRUE(Spur().empty());
}

TEST_F(Seite, RollendeAchseBeschriftetSlotnummern) {
  ChartSeite s = TestSeite({1}, 479, 2.0);
  Zeichnen(s);
  auto texte = AchsenTexte();
  ASSERT_EQ(texte.size(), 25u);
  EXPECT_EQ(texte[0].text, "1,0");
  EXPECT_EQ(texte[1].text, "21,0");  // step 479 / 24 = 19.96
  EXPECT_EQ(texte[24].text, "480,0");
  EXPECT_EQ(texte[0].x1, 150);
  EXPECT_EQ(texte[24].x1, 2720);
  EXPECT_EQ(texte[12].ausrichtung, Ausrichtung::Mitte);
  EXPECT_EQ(texte[12].schrifthoehe, 36);

  c.aufrufe.clear();
  s = TestSeite({1}, 48, 2.0);
  Zeichnen(s);
  texte = AchsenTexte();
  ASSERT_EQ(texte.size(), 25u);
  EXPECT_EQ(texte[1].text, "3");
  EXPECT_EQ(texte[24].text, "49");

  c.aufrufe.clear();
  s = TestSeite({1}, 9, 2.0);
  Zeichnen(s);
  texte = AchsenTexte();
  ASSERT_EQ(texte.size(), 10u);
  EXPECT_EQ(texte[9].text, "10");
}

TEST_F(Seite, FlacheSpurUndSkalenmarken) {
  ChartSeite s = TestSeite({1}, 4, 5.0);
  Zeichnen(s);
  EXPECT_EQ(s.Grafikstatistik[1].Minimum, 0);
  EXPECT_EQ(s.Grafikstatistik[1].Maximum, 5);
  // Scale 0..5: the zero line at the bottom 5 % with its label, marks 5,00 and 0,00.
  const Aufruf null = c.TextMit("0.0");
  EXPECT_EQ(null.farbe, Gruen);
  EXPECT_EQ(null.x1, 50);
  EXPECT_EQ(null.y1, -(s.Streifen[1].Nulllinie + 20));
  EXPECT_EQ(c.TextMit("5,00").x1, 2800);
  EXPECT_EQ(c.TextMit("5,00").farbe, Blau);
  EXPECT_EQ(c.TextMit("0,00").y1, c.TextMit("0.0").y1);
  // Every point is joined back to its predecessor at the same height.
  const auto spur = Spur();
  ASSERT_EQ(spur.size(), 5u);
  for (const auto& l : spur) EXPECT_EQ(l.farbe, Kurve);
  EXPECT_EQ(spur[1].y1, spur[1].y2);
}

TEST_F(Seite, OhneGueltigeWerteKeineSpurUndKeineMarken) {
  ChartSeite s = TestSeite({1}, 10, NoValue);
  EXPECT_TRUE(Zeichnen(s));
  EXPECT_EQ(s.Grafikstatistik[1].Minimum, 30000.0);
  EXPECT_EQ(s.Grafikstatistik[1].Maximum, -9999.0);
  EXPECT_TRUE(Spur().empty());
  EXPECT_FALSE(c.HatText("-9999"));
  EXPECT_FALSE(c.HatText("30000"));
}

TEST_F(Seite, WarnfarbeUndUpWarnNahNull) {
  ChartSeite s = TestSeite({1}, 9, 0);
  for (int j = 0; j <= 9; ++j) s.Grafikspeicher[0][static_cast<std::size_t>(j)] = j + 1;
  s.Anzeige[1].UpWarn = 8;
  s.Anzeige[1].LoWarn = 2;
  Zeichnen(s);
  auto spur = Spur();
  ASSERT_EQ(spur.size(), 10u);
  // Each segment takes the colour of its newer end: values 1, 2, 8, 9, 10 warn.
  const std::vector<bool> erwartet = {true,  true,  false, false, false,
                                      false, false, true,  true,  true};
  for (std::size_t j = 0; j < spur.size(); ++j) EXPECT_EQ(spur[j].farbe == Warn, erwartet[j]);

  for (double nahNull : {0.001, -0.001, 0.0}) {
    c.aufrufe.clear();
    s.Anzeige[1].UpWarn = nahNull;
    Zeichnen(s);
    spur = Spur();
    EXPECT_TRUE(std::none_of(spur.begin(), spur.end(), [](auto& l) { return l.farbe == Warn; }))
        << nahNull;
  }
}

TEST_F(Seite, BenutzerskalaBegrenztUndWarnt) {
  ChartSeite s = TestSeite({1}, 2, 5);
  s.Streifen[1].Skalierung = 2;
  s.Anzeige[1].MinSkal = 0;
  s.Anzeige[1].MaxSkal = 10;
  s.Grafikspeicher[0] = {-4, 5, 50};
  Zeichnen(s);
  EXPECT_EQ(s.Grafikspeicher[0], (std::vector<double>{0, 5, 10}));
  const auto spur = Spur();
  ASSERT_EQ(spur.size(), 3u);
  EXPECT_EQ(spur[0].farbe, Warn);
  EXPECT_EQ(spur[1].farbe, Kurve);
  EXPECT_EQ(spur[2].farbe, Warn);
  EXPECT_EQ(spur[2].y1, -(100 + 74));  // the top of the user scale
  EXPECT_TRUE(c.HatText("10,00"));
}

TEST_F(Seite, RollendUeberbruecktLuecken) {
  ChartSeite s = TestSeite({1}, 4, 3.0);
  s.Grafikspeicher[0][2] = NoValue;
  Zeichnen(s);
  const auto spur = Spur();
  ASSERT_EQ(spur.size(), 4u);
  EXPECT_EQ(spur[2].x1, Rund(3 * 642.5 + 150));
  EXPECT_EQ(spur[2].x2, Rund(1 * 642.5 + 150));
}

TEST_F(Seite, CursorNurVorDemLetztenSlot) {
  ChartSeite s = TestSeite({1}, 10, 3.0);
  s.MitCursor = true;
  auto cursor = [&] {
    std::vector<Aufruf> r;
    for (const auto& l : c.Alle(Aufruf::Linie, Rot)) {
      if (l.breite == 2) r.push_back(l);
    }
    return r;
  };
  s.Schreibposition = 10;
  Zeichnen(s);
  EXPECT_TRUE(cursor().empty());

  c.aufrufe.clear();
  s.Schreibposition = 5;
  Zeichnen(s);
  ASSERT_EQ(cursor().size(), 1u);
  EXPECT_EQ(cursor()[0].x1, Rund(5.5 * 257 + 150));
  EXPECT_EQ(cursor()[0].y1, -110);
  EXPECT_EQ(cursor()[0].y2, -1890);
}

TEST_F(Seite, CursorModusBrichtAnLueckeUndCursor) {
  ChartSeite s = TestSeite({1}, 10, 3.0);
  s.MitCursor = true;
  s.Schreibposition = 6;
  s.Grafikspeicher[0][3] = NoValue;
  s.Anzeige[1].UpWarn = 1;  // no warning colour in this mode
  Zeichnen(s);
  const auto spur = Spur();
  auto x = [](int j) { return Rund(j * 257.0 + 150); };
  std::vector<std::pair<int, int>> segmente;
  for (const auto& l : spur) {
    EXPECT_EQ(l.farbe, Kurve);
    segmente.push_back({l.x1, l.x2});
  }
  const std::vector<std::pair<int, int>> erwartet = {
      {x(0), x(0) + 1}, {x(1), x(0)}, {x(2), x(1)}, {x(5), x(4)}, {x(6), x(5)},
      {x(7), x(7) + 1}, {x(8), x(7)}, {x(9), x(8)}, {x(10), x(9)}};
  EXPECT_EQ(segmente, erwartet);
}

TEST_F(Seite, DigitalRollendTraegtZustandUndLaesstLetztenBalkenRot) {
  ChartSeite s = TestSeite({2}, 4, 0);
  s.Grafikspeicher[0] = {1, 0, NoValue, 1, 0};
  EXPECT_TRUE(Zeichnen(s));
  // Strip depth 100..200; dx = 642.5.
  auto x = [](int j) { return Rund(j * 642.5 + 150); };
  std::vector<Aufruf> balken;
  for (const auto& a : c.Alle(Aufruf::Fuellung)) {
    if (a.y2 == -190) balken.push_back(a);
  }
  ASSERT_EQ(balken.size(), 7u);
  auto pruefe = [&](std::size_t k, Farbe farbe, int x1, int x2, int oben) {
    EXPECT_EQ(balken[k].farbe, farbe) << k;
    EXPECT_EQ(balken[k].x1, x1) << k;
    EXPECT_EQ(balken[k].x2, x2) << k;
    EXPECT_EQ(balken[k].y1, oben) << k;
  };
  pruefe(0, Rot, x(0), x(1), -120);  // on: high bar
  pruefe(1, Rot, x(1), x(2), -185);  // off: low bar
  pruefe(2, Schwarz, x(0), x(1), -120);
  pruefe(3, Rot, x(3), x(4), -120);
  pruefe(4, Weiss, x(1), x(3), -120);  // the gap shows the state before it
  pruefe(5, Rot, x(4), x(4) + 40, -185);
  pruefe(6, Schwarz, x(3), x(4), -120);
  EXPECT_EQ(s.Grafikstatistik[1].LetzterWert, 0);
}

TEST_F(Seite, DigitalCursorModusMitNullLinie) {
  ChartSeite s = TestSeite({2}, 2, 0);
  s.MitCursor = true;
  s.Grafikspeicher[0] = {1, NoValue, 0};
  s.Schreibposition = 2;
  s.DigNull = true;
  Zeichnen(s);
  std::vector<std::pair<Farbe, int>> balken;
  for (const auto& a : c.Alle(Aufruf::Fuellung)) {
    if (a.y2 == -190) balken.push_back({a.farbe, a.y1});
  }
  const std::vector<std::pair<Farbe, int>> erwartet = {
      {Schwarz, -120}, {Weiss, -120}, {Schwarz, -185}, {Weiss, -120}, {Rot, -185}};
  EXPECT_EQ(balken, erwartet);

  c.aufrufe.clear();
  s.DigNull = false;
  Zeichnen(s);
  EXPECT_TRUE(c.Alle(Aufruf::Fuellung, Rot).empty());
}

TEST_F(Seite, EinzelnerSlotOhneAchse) {
  ChartSeite s = TestSeite({1, 2}, 0, 1.0);
  EXPECT_TRUE(Zeichnen(s));
  EXPECT_TRUE(AchsenTexte().empty());
  const auto spur = Spur();
  ASSERT_EQ(spur.size(), 1u);
  EXPECT_EQ(spur[0].x1, 150);
  const auto rot = c.Alle(Aufruf::Fuellung, Rot);
  ASSERT_EQ(rot.size(), 1u);
  EXPECT_EQ(rot[0].x1, 150);
  EXPECT_EQ(rot[0].x2, 190);
}

TEST_F(Seite, InkrementellOhneAchseUndMarken) {
  ChartSeite s = TestSeite({1}, 10, 2.0);
  Zeichnen(s);
  c.aufrufe.clear();
  EXPECT_TRUE(Zeichnen(s, true));
  EXPECT_EQ(timer, 2);
  EXPECT_TRUE(AchsenTexte().empty());
  EXPECT_FALSE(c.HatText("2,00"));
  EXPECT_NE(c.aufrufe.front().x2, 2970);  // the page is not cleared
  bool innenGeleert = false;
  for (const auto& a : c.Alle(Aufruf::Fuellung, Weiss)) {
    innenGeleert |= a.x1 == 104 && a.y1 == -104 && a.x2 == 2766 && a.y2 == -1896;
  }
  EXPECT_TRUE(innenGeleert);
  EXPECT_EQ(Spur().size(), 11u);
}

TEST_F(Seite, UeberlaufBeendetSeiteOhneTimer) {
  ChartSeite s = TestSeite({1, 1}, 1, 0);
  s.Streifen[1].Skalierung = 1;
  s.Grafikspeicher[0] = {1e15, 1e15 + 1};
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
  s.Grafikspeicher[0] = {1, 1e300};
  EXPECT_FALSE(Zeichnen(s));
  EXPECT_EQ(u.Log(), std::vector<std::string>{"Analoge Grafik abgebrochen ..."});
}

TEST_F(Seite, OhneGrafikenUndBeimSchliessen) {
  ChartSeite s = TestSeite({}, 0, 0);
  EXPECT_TRUE(Zeichnen(s));
  EXPECT_EQ(timer, 1);
  EXPECT_TRUE(c.HatText("Datum/Zeit"));

  c.aufrufe.clear();
  s.Schliesst = true;
  EXPECT_FALSE(Zeichnen(s));
  EXPECT_TRUE(c.aufrufe.empty());
  EXPECT_EQ(timer, 1);

  s.Schliesst = false;
  s.Seitenbreite = 300000000;
  EXPECT_FALSE(Zeichnen(s));
  EXPECT_EQ(u.Log(), std::vector<std::string>{"TFo_Tagesgrafik.Ausgabe : Fehler-1"});
}

class SchliessendeEreignisse : public PendingEvents {
 public:
  ChartSeite* seite = nullptr;
  void Verarbeiten() override { seite->Schliesst = true; }
};

TEST_F(Seite, FensterSchliesstWaehrendDerSeite) {
  ChartSeite s = TestSeite({1, 1}, 5, 1.0);
  SchliessendeEreignisse e;
  e.seite = &s;
  SeitenUmfeld umfeld2{u.log, e, u.uhr, nullptr, [this] { ++timer; }};
  EXPECT_FALSE(RefreshAusgabe(s, c, f, umfeld2, false, false));
  EXPECT_EQ(timer, 0);
  EXPECT_FALSE(c.HatText("Pegel 1"));
}

}  // namespace
}  // namespace pegel::chart
