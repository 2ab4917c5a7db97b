// Traces of more slots than device columns, drawn reduced per column: against the same trace
// drawn point by point, every column keeps the same lowest and highest point in every colour,
// every break of the trace stays where it was, and the canvas is left in the same state.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <tuple>
#include <utility>

#include "analog_spur.h"
#include "aufzeichnung.h"
#include "seite_zeichnen.h"
#include "spur_reduktion.h"
#include "test_dienste.h"

namespace pegel::chart {
namespace {

using test::Aufruf;

// A recording canvas with `pixel` device pixels per logical unit (0: no columns known).
class Spaltencanvas : public test::AufzeichnendeCanvas {
 public:
  explicit Spaltencanvas(double pixel) : pixel_(pixel) {}
  double PixelProEinheit() const override { return pixel_; }

 private:
  double pixel_;
};

constexpr Farbe Kurve = Rgb(0, 0, 128);
constexpr Farbe Warnung = Rgb(255, 0, 255);

std::int64_t Spalte(int x, double pixel) {
  return static_cast<std::int64_t>(std::floor(x * pixel));
}

// Per (column, colour): the lowest and highest end of a line drawn in it.
std::map<std::pair<std::int64_t, Farbe>, std::pair<int, int>> Abdeckung(
    const std::vector<Aufruf>& linien, double pixel) {
  std::map<std::pair<std::int64_t, Farbe>, std::pair<int, int>> m;
  for (const Aufruf& l : linien) {
    for (auto [x, y] : {std::pair(l.x1, l.y1), std::pair(l.x2, l.y2)}) {
      const auto key = std::pair(Spalte(x, pixel), l.farbe);
      auto it = m.find(key);
      if (it == m.end()) {
        m[key] = {y, y};
      } else {
        it->second = {std::min(it->second.first, y), std::max(it->second.second, y)};
      }
    }
  }
  return m;
}

// The runs of joined lines (each drawn from a point back to the one before), as the x range
// each covers.
std::vector<std::pair<int, int>> Laeufe(const std::vector<Aufruf>& linien) {
  std::vector<std::pair<int, int>> laeufe;
  for (std::size_t i = 0; i < linien.size(); ++i) {
    const Aufruf& l = linien[i];
    const bool fortsetzung =
        i > 0 && linien[i - 1].x1 == l.x2 && linien[i - 1].y1 == l.y2 && !laeufe.empty();
    if (!fortsetzung) laeufe.push_back({std::min(l.x1, l.x2), std::max(l.x1, l.x2)});
    auto& r = laeufe.back();
    r = {std::min({r.first, l.x1, l.x2}), std::max({r.second, l.x1, l.x2})};
  }
  return laeufe;
}

std::tuple<int, int, int, int, int, Farbe, int, std::string> Feld(const Aufruf& a) {
  return {a.art, a.x1, a.y1, a.x2, a.y2, a.farbe, a.breite, a.text};
}

// A strip 2670 units wide, values 0..100 at y = 5 v - 900.
TStreifen Streifen(std::int32_t skalierung = 0) {
  TStreifen s;
  s.Skalierung = skalierung;
  s.P1 = {100, 100};
  s.P2 = {2770, 900};
  s.Nulllinie = 900;
  return s;
}

// 20,000 noisy values around a slow wave, with a spike, a run of missing values, a single
// missing one and values below zero (gaps on the history page).
std::vector<double> Werte() {
  std::vector<double> w(20000);
  std::uint32_t z = 12345;
  for (std::size_t j = 0; j < w.size(); ++j) {
    z = z * 1103515245u + 12345u;
    w[j] = 50 + 30 * std::sin(j / 500.0) + static_cast<double>((z >> 16) % 21) - 10;
  }
  w[7777] = 100;
  std::fill(w.begin() + 3000, w.begin() + 3100, NoValue);
  w[12000] = NoValue;
  std::fill(w.begin() + 15000, w.begin() + 15011, -5.0);
  return w;
}

ChartAnzeige Anzeige() {
  ChartAnzeige a;
  a.Kurvenfarbe = Kurve;
  a.Warnfarbe = Warnung;
  a.UpWarn = 85;
  a.LoWarn = 15;
  a.MinSkal = 10;
  a.MaxSkal = 90;
  return a;
}

struct Fall {
  const char* name;
  std::int32_t skalierung;
  std::function<void(Canvas&, const TStreifen&, TGrafikstatistik&, std::vector<double>&)> spur;
};

TEST(SpurReduktion, KeepsExtremesColoursAndBreaksOfEveryTraceKind) {
  const ChartAnzeige a = Anzeige();
  const Fall faelle[] = {
      {"mit Luecken", 0,
       [&](Canvas& c, const TStreifen& s, TGrafikstatistik& st, std::vector<double>& w) {
         AnalogLuecken(c, s, st, a, w);
       }},
      {"rollend, Nutzerskala", 2,
       [&](Canvas& c, const TStreifen& s, TGrafikstatistik& st, std::vector<double>& w) {
         AnalogRollend(c, s, st, a, w);
       }},
      {"Cursor", 0,
       [&](Canvas& c, const TStreifen& s, TGrafikstatistik& st, std::vector<double>& w) {
         AnalogCursor(c, s, st, a, w, 9000);
       }},
  };
  // 667 columns for 20,000 slots; and 2670, whose reduced run is drawn in pieces.
  for (const double pixel : {0.25, 1.0})
    for (const Fall& f : faelle) {
      SCOPED_TRACE(f.name + std::string(" ") + std::to_string(pixel));
      const TStreifen s = Streifen(f.skalierung);
      const auto zeichnen = [&](Spaltencanvas& c) {
        TGrafikstatistik st;
        st.Minimum = 0;
        st.Faktor = 5;
        std::vector<double> w = Werte();
        f.spur(c, s, st, w);
        // The next line drawn by the page takes the pen the trace left.
        c.MoveTo(0, 0);
        c.LineTo(1, 1);
        return std::tuple(st.LetztX, st.LetztY, w);
      };
      Spaltencanvas voll(0), reduziert(pixel);
      EXPECT_EQ(zeichnen(voll), zeichnen(reduziert));
      ASSERT_FALSE(voll.aufrufe.empty());
      EXPECT_EQ(Feld(voll.aufrufe.back()), Feld(reduziert.aufrufe.back()));
      voll.aufrufe.pop_back();
      reduziert.aufrufe.pop_back();

      // Four points of some 30 per column, and more where the colour changes.
      EXPECT_LT(reduziert.aufrufe.size(), voll.aufrufe.size() / (pixel < 1 ? 3 : 1.5));
      EXPECT_EQ(Abdeckung(voll.aufrufe, pixel), Abdeckung(reduziert.aufrufe, pixel));
      EXPECT_EQ(Laeufe(voll.aufrufe), Laeufe(reduziert.aufrufe));
      for (const Aufruf& l : reduziert.aufrufe) EXPECT_EQ(l.breite, 4);
    }
}

// A trace with no more slots than columns, and a canvas without columns, get every call as
// drawn: the live pages and the recorded pages stay as they were.
TEST(SpurReduktion, FewSlotsAndCanvasesWithoutColumnsPassStraightThrough) {
  struct Fall {
    std::size_t slots;
    double pixel;
  };
  for (const Fall f : {Fall{480, 0.65}, Fall{2671, 1.0}, Fall{20000, 0.0}}) {
    SCOPED_TRACE(f.slots);
    std::vector<double> w = Werte();
    w.resize(f.slots);
    Spaltencanvas voll(0), durch(f.pixel);
    for (Spaltencanvas* c : {&voll, &durch}) {
      TGrafikstatistik st;
      st.Faktor = 5;
      AnalogLuecken(*c, Streifen(), st, Anzeige(), w);
    }
    ASSERT_EQ(voll.aufrufe.size(), durch.aufrufe.size());
    for (std::size_t i = 0; i < voll.aufrufe.size(); ++i) {
      ASSERT_EQ(Feld(voll.aufrufe[i]), Feld(durch.aufrufe[i])) << i;
    }
  }
}

// What the fills leave inside the box [x1, x2) x [y1, y2) of logical units, filled in order.
std::vector<Farbe> Gefuellt(const std::vector<Aufruf>& aufrufe, int x1, int y1, int x2, int y2) {
  const int w = x2 - x1, h = y2 - y1;
  std::vector<Farbe> bild(static_cast<std::size_t>(w * h), Weiss);
  for (const Aufruf& a : aufrufe) {
    if (a.art != Aufruf::Fuellung) continue;
    const int ax1 = std::max(std::min(a.x1, a.x2), x1), ax2 = std::min(std::max(a.x1, a.x2), x2);
    const int ay1 = std::max(std::min(a.y1, a.y2), y1), ay2 = std::min(std::max(a.y1, a.y2), y2);
    for (int y = ay1; y < ay2; ++y) {
      for (int x = ax1; x < ax2; ++x)
        bild[static_cast<std::size_t>((y - y1) * w + x - x1)] = a.farbe;
    }
  }
  return bild;
}

// On a whole history page only the traces are drawn differently: frames, texts, grid, zero
// line and the blue ticks after the trace are drawn as before, and the digital bars, joined,
// fill the strip as they did bar by bar.
TEST(SpurReduktion, OnAPageEverythingButTheTraceStaysTheSame) {
  pegel::test::Umgebung u;
  SchriftTabelle f{u.log};
  f.SeitenSchriftenErzeugen();
  TStreifen digital;
  const auto zeichnen = [&](Spaltencanvas& c) {
    ChartSeite s = test::TestSeite({1, 2, 1}, 19999, 0);
    s.Grafikspeicher[1] = Werte();
    for (std::size_t j = 0; j < 20000; ++j) s.Grafikspeicher[2][j] = (j / 700) % 2;
    s.Grafikspeicher[2][9999] = NoValue;
    s.Grafikspeicher[3] = Werte();
    for (double& v : s.Grafikspeicher[3]) v -= 50;  // crosses zero: a zero line
    s.Anzeige[1].UpWarn = s.Anzeige[3].UpWarn = 85;
    s.Anzeige[1].LoWarn = s.Anzeige[3].LoWarn = -40;
    SeitenUmfeld umfeld{u.log, u.ereignisse, u.uhr, nullptr, {}};
    EXPECT_TRUE(SeiteZeichnen(s, HistorienStil(), c, f, umfeld, Ziel::Datei, Seitenart::Voll));
    digital = s.Streifen[2];
  };
  Spaltencanvas voll(0), reduziert(0.25);
  zeichnen(voll);
  zeichnen(reduziert);
  const auto spur = [](const Aufruf& a) {
    return a.art == Aufruf::Linie && a.breite == 4 && (a.farbe == Kurve || a.farbe == Warnung);
  };
  const auto ohneSpur = [&](const std::vector<Aufruf>& alle) {
    std::vector<std::tuple<int, int, int, int, int, Farbe, int, std::string>> r;
    for (const Aufruf& a : alle) {
      if (!spur(a) && a.art != Aufruf::Fuellung) r.push_back(Feld(a));
    }
    return r;
  };
  EXPECT_EQ(ohneSpur(voll.aufrufe), ohneSpur(reduziert.aufrufe));
  EXPECT_LT(std::count_if(reduziert.aufrufe.begin(), reduziert.aufrufe.end(), spur),
            std::count_if(voll.aufrufe.begin(), voll.aufrufe.end(), spur) / 3);

  const int x1 = digital.P1.x, x2 = digital.P2.x, y1 = -digital.P2.d, y2 = -digital.P1.d;
  EXPECT_TRUE(Gefuellt(voll.aufrufe, x1, y1, x2, y2) ==
              Gefuellt(reduziert.aufrufe, x1, y1, x2, y2));
  const auto fuellungen = [](const Spaltencanvas& c) { return c.Alle(Aufruf::Fuellung).size(); };
  EXPECT_LT(fuellungen(reduziert), fuellungen(voll) / 100);
}

}  // namespace
}  // namespace pegel::chart
