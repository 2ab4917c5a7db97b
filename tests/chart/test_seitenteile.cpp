// The pieces of a chart page: layout, statistics, scaling, fonts, text output, the fixed
// window's labels and the page fit.
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <ostream>

#include "aufzeichnung.h"
#include "blatt_anpassen.h"
#include "geometrie.h"
#include "layout.h"
#include "schriften.h"
#include "skalierung.h"
#include "statistik.h"
#include "test_dienste.h"
#include "zeitachse.h"

namespace pegel::chart {
namespace {

using test::Aufruf;
using test::AufzeichnendeCanvas;

TEST(Layout, AnalogeUndDigitaleStreifen) {
  // Each case: types, page size, chart height, then per strip (top, bottom) depth.
  struct Fall {
    std::vector<int> typen;
    int breite, hoehe, ah;
    std::vector<std::pair<int, int>> tiefen;
  };
  const Fall faelle[] = {
      // The lowest 20 mm of A4 stay free for the footer.
      {std::vector<int>(9, 1), 2970, 2100, 111, {{100, 211}, {311, 422}}},
      {{1, 2, 1}, 2840, 1990, 695, {{100, 795}, {895, 995}, {1095, 1790}}},
      {{2, 2, 2}, 2970, 2100, 1300 / 3, {{100, 200}, {300, 400}, {500, 600}}},
  };
  for (const Fall& f : faelle) {
    std::array<TStreifen, MaxGrafiken + 1> s{};
    for (std::size_t i = 0; i < f.typen.size(); ++i) s.at(i + 1).Typ = GrafiktypAus(f.typen[i]);
    EXPECT_EQ(SeitenLayout(s, static_cast<int>(f.typen.size()), f.breite, f.hoehe), f.ah);
    EXPECT_EQ(std::pair(s[1].P1.x, s[1].P2.x), std::pair(100, f.breite - 200));
    for (std::size_t i = 0; i < f.tiefen.size(); ++i)
      EXPECT_EQ(std::pair(s[i + 1].P1.d, s[i + 1].P2.d), f.tiefen[i]) << f.ah << " " << i;
    if (f.typen.size() == 9) {
      EXPECT_EQ(std::pair(s[9].P1.d, s[9].P2.d), std::pair(1788, 1899));
    }
  }
}

TEST(Statistik, ZaehltNurGueltigeWerte) {
  TGrafikstatistik st;
  Statistik(st, {3, NoValue, -2, 7, 100}, 3);  // the last entry lies beyond the index
  EXPECT_EQ(std::tuple(st.Anzahl, st.Minimum, st.Maximum), std::tuple(3, -2.0, 7.0));
  Statistik(st, {50000, 60000}, 1);  // beyond the start values
  EXPECT_EQ(st.Minimum, 50000);
  Statistik(st, {-20000, -30000}, 1);
  EXPECT_EQ(st.Maximum, -20000);
  Statistik(st, {NoValue, NoValue}, 1);
  EXPECT_EQ(std::tuple(st.Anzahl, st.Minimum, st.Maximum), std::tuple(0, 30000.0, -9999.0));
}

struct SkalaFall {
  const char* name;
  int modus;
  double min, max, minSkal, maxSkal;
  double neuMin, neuMax;  // Minimum/Maximum after the flat-trace rule
  double r;
  std::int32_t nulllinie;
};

// CTest lists each case with its parameter: its name, not the bytes of the struct.
std::ostream& operator<<(std::ostream& o, const SkalaFall& f) { return o << f.name; }

class Skalierung : public ::testing::TestWithParam<SkalaFall> {};

TEST_P(Skalierung, BereichFaktorUndNulllinie) {
  const SkalaFall& f = GetParam();
  TStreifen s;
  s.Skalierung = f.modus;
  s.P1 = {100, 100};
  s.P2 = {2770, 211};
  TGrafikstatistik st;
  st.Minimum = f.min;
  st.Maximum = f.max;
  EXPECT_DOUBLE_EQ(Skalieren(s, st, f.minSkal, f.maxSkal), f.r);
  EXPECT_EQ(std::pair(st.Minimum, st.Maximum), std::pair(f.neuMin, f.neuMax));
  EXPECT_DOUBLE_EQ(st.Faktor, 111 / f.r);
  EXPECT_EQ(s.Nulllinie, f.nulllinie);
}

// Strip depth 100..211. The base value lies 6 units (5 % of 111) above the bottom.
INSTANTIATE_TEST_SUITE_P(Faelle, Skalierung,
                         ::testing::Values(
                             // A flat trace: positive 0..v, zero 0..1, negative v..0.
                             SkalaFall{"FlachPositiv", 0, 5, 5, 0, 0, 0, 5, 5.5, 205},
                             SkalaFall{"FlachNull", 0, 0, 0, 0, 0, 0, 1, 1.1, 205},
                             SkalaFall{"FlachNegativ", 0, -3, -3, 0, 0, -3, 0, 3.3, 104},
                             // Mode 0 with positive values starts at zero, mode 1 at the minimum.
                             SkalaFall{"VonNull", 0, 10, 20, 0, 0, 10, 20, 22, 205},
                             SkalaFall{"VomMinimum", 1, 10, 20, 0, 0, 10, 20, 11, 306},
                             SkalaFall{"Benutzer", 2, 10, 20, 0, 100, 10, 20, 110, 205},
                             SkalaFall{"BenutzerNegativ", 2, -5, 5, -50, 50, -5, 5, 110, 155}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Geometrie, UnplatzierbareWerteWerfen) {
  EXPECT_THROW(WertY(1e300, 1.0, 0), GeometrieFehler);
  EXPECT_THROW(Rund(std::nan("")), GeometrieFehler);
  EXPECT_EQ(Rund(2.5), 2);  // ties to even
  EXPECT_EQ(Rund(-3.5), -4);
}

// Around the ends of Int32 the result decides whether a value is placed or refused; values
// within half a unit of an end round onto it, values beyond throw, and truncation keeps
// what lies less than one unit past an end.
TEST(Geometrie, RandDesWertebereichs) {
  constexpr double Max = 2147483647.0;
  constexpr double Min = -2147483648.0;
  const double inf = std::numeric_limits<double>::infinity();
  struct Fall {
    double v;
    std::optional<std::int32_t> rund, abgeschnitten;  // nullopt: throws
  };
  for (const Fall& f :
       {Fall{Max, 2147483647, 2147483647}, Fall{Max + 0.4, 2147483647, 2147483647},
        Fall{Max + 0.5, std::nullopt, 2147483647},  // ties to even: 2^31
        Fall{Max + 0.9, std::nullopt, 2147483647}, Fall{Max + 1, std::nullopt, std::nullopt},
        Fall{Min, -2147483647 - 1, -2147483647 - 1},
        Fall{Min - 0.5, -2147483647 - 1, -2147483647 - 1},  // ties to even: -2^31
        Fall{Min - 0.6, std::nullopt, -2147483647 - 1}, Fall{Min - 1, std::nullopt, std::nullopt},
        Fall{-0.5, 0, 0}, Fall{1e300, std::nullopt, std::nullopt},
        Fall{inf, std::nullopt, std::nullopt}, Fall{-inf, std::nullopt, std::nullopt}}) {
    SCOPED_TRACE(std::to_string(f.v));
    if (f.rund) {
      EXPECT_EQ(Rund(f.v), *f.rund);
    } else {
      EXPECT_THROW(Rund(f.v), GeometrieFehler);
    }
    if (f.abgeschnitten) {
      EXPECT_EQ(Abgeschnitten(f.v), *f.abgeschnitten);
    } else {
      EXPECT_THROW(Abgeschnitten(f.v), GeometrieFehler);
    }
  }
  EXPECT_EQ(Plus(2147483646, 1), 2147483647);
  EXPECT_THROW(Plus(2147483647, 1), GeometrieFehler);
  EXPECT_THROW(Minus(-2147483647 - 1, 1), GeometrieFehler);
  EXPECT_THROW(Tiefe(-2147483647 - 1), GeometrieFehler);
  EXPECT_EQ(Mal(-65536, 32768), -2147483647 - 1);
  EXPECT_THROW(Mal(65536, 32768), GeometrieFehler);
}

struct SchriftUmgebung {
  pegel::test::Umgebung u;
  SchriftTabelle f{u.log};
  AufzeichnendeCanvas c;
  SchriftUmgebung() { f.SeitenSchriftenErzeugen(); }
};

TEST(Schriften, FlagsUndElfVersuche) {
  SchriftUmgebung t;
  EXPECT_FALSE(t.f.CreateMyScreenFont(3, 0, 50));  // used
  EXPECT_FALSE(t.f.CreateMyScreenFont(11, 0, 50));
  EXPECT_TRUE(t.f.CreateMyScreenFont(8, SchriftDuenn | SchriftFett | SchriftKursiv, 50));
  EXPECT_EQ(t.f.Slot(8)->gewicht, 700);  // bold wins over thin
  EXPECT_TRUE(t.f.Slot(8)->kursiv);

  int versuche = 0;
  t.f.ErzeugerSetzen([&](const Schrift&) { return ++versuche == 11; });
  EXPECT_TRUE(t.f.CreateMyScreenFont(9, 0, 36));
  versuche = -100;
  EXPECT_FALSE(t.f.CreateMyScreenFont(10, 0, 36));
  EXPECT_EQ(versuche, -89);
  EXPECT_EQ(t.u.Log(), std::vector<std::string>{"Font(10) wurde nicht erzeugt !"});
  EXPECT_EQ(t.f.Slot(10), nullptr);
}

TEST(TextAusgabe, JederFehlschlagMeldetSeineNummer) {
  SchriftUmgebung t;
  EXPECT_FALSE(New_TextAusgabe(t.c, t.f, t.u.log, 0, "x", 0, -1, 1, 0));
  EXPECT_FALSE(New_TextAusgabe(t.c, t.f, t.u.log, 0, "x", 0, Schwarz, 8, 0));
  t.c.textFehler = true;
  EXPECT_FALSE(New_TextAusgabe(t.c, t.f, t.u.log, 0, "x", 0, Blau, 1, 0));
  EXPECT_EQ(t.c.schrift(), nullptr);
  EXPECT_EQ(t.u.Log(),
            (std::vector<std::string>{"Fehler 1 in New_Textausgabe", "Fehler 2 in New_Textausgabe",
                                      "Fehler 3 in New_Textausgabe"}));
  EXPECT_TRUE(t.c.aufrufe.empty());
}

TEST(Zeitachse, LabelsAlleLabelsSchritteUndDerLetzteAmEnde) {
  ChartSeite s;
  s.Zeitlabels.assign(13, "12:00:00");
  s.PunkteProLabel = 40;
  SchriftUmgebung t;
  TStreifen st;
  st.P1 = {100, 100};
  st.P2 = {2770, 1900};
  LabelZeitachse(t.c, t.f, t.u.log, st, 479, s.Zeitlabels, s.PunkteProLabel, true);
  const auto texte = t.c.Alle(Aufruf::Text);
  ASSERT_EQ(texte.size(), 13u);
  EXPECT_EQ(texte[1].x1, Rund(40 * 2570.0 / 479 + 150));
  EXPECT_EQ(std::pair(texte[12].x1, texte[12].y1), std::pair(2720, -1950));  // at the last slot

  AufzeichnendeCanvas ohne, leer;
  LabelZeitachse(ohne, t.f, t.u.log, st, 479, s.Zeitlabels, s.PunkteProLabel, false);
  EXPECT_EQ(ohne.Alle(Aufruf::Text).size(), 12u);
  LabelZeitachse(leer, t.f, t.u.log, st, 479, {}, 40, true);
  EXPECT_TRUE(leer.aufrufe.empty());
}

class TestFlaeche : public Flaeche {
 public:
  std::pair<int, int> innen{1000, 700};
  int abbildungen = 0;
  std::pair<int, int> Innengroesse() override { return innen; }
  bool Platzieren(int, int, int, int) override { return false; }
  bool Abbilden(int, int, std::int32_t pw, std::int32_t ph) override {
    abbildungen += pw == 2970 && ph == 2100;
    return true;
  }
};

// A tall window limits the page by its width and centres it vertically; a wide one by its
// height, centred horizontally. Halves round to even.
TEST(BlattAnpassen, BreiteOderHoeheBegrenztUndZentriert) {
  const float r = 297.0f / 210.0f;  // the page's ratio in single precision
  const BlattMasse hoch = BlattRechnen(500, 800, 297, 210);
  const int h = Rund((500 - 20) / static_cast<double>(r));  // 339
  EXPECT_EQ((std::vector<int>{hoch.links, hoch.oben, hoch.breite, hoch.hoehe}),
            (std::vector<int>{10, Rund(800 / 2.0 + 8 - h / 2.0), 500 - 20, h}));
  EXPECT_EQ(hoch.oben, 238) << "408 - 169.5 rounds to even";
  const BlattMasse breit = BlattRechnen(1200, 600, 297, 210);
  const int w = Rund((600 - 40) * static_cast<double>(r));
  EXPECT_EQ((std::vector<int>{breit.links, breit.oben, breit.breite, breit.hoehe}),
            (std::vector<int>{Rund(1200 / 2.0 - w / 2.0), 30, w, 600 - 40}));
}

TEST(BlattAnpassen, FehlerWerdenProtokolliert) {
  pegel::test::Umgebung u;
  TestFlaeche f;
  BlattAnpassen(f, 297, 210, u.log);
  EXPECT_EQ(f.abbildungen, 1);  // placing failed, the mapping is still set
  f.innen = {1000, 30};
  BlattAnpassen(f, 297, 210, u.log);
  EXPECT_EQ(u.Log(), (std::vector<std::string>{"TFo_Tagesgrafik.BlattHistAnpassen : Fehler-2",
                                               "TFo_Tagesgrafik.BlattHistAnpassen : Fehler-1"}));
}

}  // namespace
}  // namespace pegel::chart
