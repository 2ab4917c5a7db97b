// A history page of long traces drawn through the Qt canvas, once reduced per pixel column
// and once point by point: the two images agree within one pixel, on the screen and in an
// antialiased image file.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "../chart/aufzeichnung.h"
#include "qt_canvas.h"
#include "schriften.h"
#include "seite_zeichnen.h"
#include "test_dienste.h"

namespace pegel {
namespace {

// The Qt canvas that does not tell its pixel columns, so that every point is drawn.
class Unreduziert : public ui::QtCanvas {
 public:
  using QtCanvas::QtCanvas;
  double PixelProEinheit() const override { return 0; }
};

// Three analog strips of 20,000 noisy values with a spike, gaps and warnings, and one digital.
chart::ChartSeite LangeSeite() {
  chart::ChartSeite s = chart::test::TestSeite({1, 1, 2, 1}, 19999, 0);
  std::uint32_t z = 7;
  for (std::size_t j = 0; j < 20000; ++j) {
    z = z * 1103515245u + 12345u;
    const double rauschen = static_cast<double>((z >> 16) % 101) / 10.0 - 5;
    s.Grafikspeicher[1][j] = 50 + 30 * std::sin(j / 700.0) + rauschen;
    s.Grafikspeicher[2][j] = 10 * std::sin(j / 90.0) + rauschen / 5;
    s.Grafikspeicher[3][j] = (j / 900) % 2;
    s.Grafikspeicher[4][j] = j % 4000 < 2000 ? 100 + rauschen : 20 + rauschen;
  }
  s.Grafikspeicher[1][5555] = 99;
  std::fill(s.Grafikspeicher[1].begin() + 9000, s.Grafikspeicher[1].begin() + 9400, NoValue);
  s.Grafikspeicher[2][14000] = NoValue;
  for (int i : {1, 2, 4}) {
    s.Anzeige[i].UpWarn = 75;
    s.Anzeige[i].LoWarn = -8;
  }
  return s;
}

struct SpurBild : ::testing::Test {
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "test_spur_bild";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance() == nullptr) app = new QGuiApplication(argc, argv);
  }
  static inline QGuiApplication* app = nullptr;

  test::Umgebung u;
  chart::SchriftTabelle f{u.log};
  void SetUp() override { f.SeitenSchriftenErzeugen(); }
  // The device rows of the analog strips of the last page drawn.
  std::vector<std::pair<int, int>> baender;

  template <typename Leinwand>
  QImage Bild(int w, int h, ui::Abbildung abbildung, bool glatt) {
    QImage bild(w, h, QImage::Format_RGB32);
    bild.fill(Qt::white);
    chart::ChartSeite s = LangeSeite();
    QPainter p(&bild);
    Leinwand c(p, abbildung, glatt);
    chart::SeitenUmfeld umfeld{u.log, u.ereignisse, u.uhr, nullptr, {}};
    EXPECT_TRUE(chart::SeiteZeichnen(s, chart::HistorienStil(), c, f, umfeld, chart::Ziel::Datei,
                                     chart::Seitenart::Voll));
    baender.clear();
    for (int i = 1; i <= s.Anzahl; ++i) {
      if (s.Streifen[i].Typ != Grafiktyp::Analog) continue;
      baender.push_back({static_cast<int>(s.Streifen[i].P1.d * std::abs(abbildung.sy)),
                         static_cast<int>(s.Streifen[i].P2.d * std::abs(abbildung.sy))});
    }
    c.Abschliessen();
    return bild;
  }
};

// How far a pixel is from white (0 .. 255) in its most changed channel.
int Tinte(QRgb p) { return 255 - std::min({qRed(p), qGreen(p), qBlue(p)}); }

// The colour of a trace pixel: the normal or the warning colour, or -1 for anything else. An
// antialiased edge counts by its hue.
int Spurfarbe(QRgb p) {
  if (Tinte(p) <= 128) return -1;
  if (qRed(p) > 128 && qBlue(p) > 128 && qGreen(p) < 128) return 1;
  if (qRed(p) < 64 && qGreen(p) < 64 && qBlue(p) > 64 && qBlue(p) < 192) return 0;
  return -1;
}

template <typename Gleich>
int Abweichungen(const QImage& a, const QImage& b, int radius, Gleich&& gleich) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      bool gefunden = false;
      for (int dy = -radius; dy <= radius && !gefunden; ++dy) {
        for (int dx = -radius; dx <= radius && !gefunden; ++dx) {
          gefunden = b.valid(x + dx, y + dy) && gleich(a.pixel(x, y), b.pixel(x + dx, y + dy));
        }
      }
      n += !gefunden;
    }
  }
  return n;
}

// Pixels of `a` without a pixel of the same kind within `radius` pixels in `b`: clearly inked
// against any ink, white against (nearly) white.
int FormAbweichungen(const QImage& a, const QImage& b, int radius) {
  return Abweichungen(a, b, radius, [](QRgb p, QRgb q) {
    return Tinte(p) > 128 ? Tinte(q) > 32 : Tinte(p) == 0 ? Tinte(q) < 32 : true;
  });
}

// Trace pixels of `a` without a pixel of the same trace colour within two pixels in `b`.
int FarbAbweichungen(const QImage& a, const QImage& b) {
  return Abweichungen(
      a, b, 2, [](QRgb p, QRgb q) { return Spurfarbe(p) < 0 || Spurfarbe(p) == Spurfarbe(q); });
}

// Per pixel column, the highest and lowest pixel in a trace colour between depths y0 and y1
// (-1 when there is none).
std::vector<std::pair<int, int>> Ausdehnung(const QImage& b, int y0, int y1) {
  std::vector<std::pair<int, int>> e(static_cast<std::size_t>(b.width()), {-1, -1});
  for (int y = std::max(0, y0); y <= std::min(y1, b.height() - 1); ++y) {
    for (int x = 0; x < b.width(); ++x) {
      if (Spurfarbe(b.pixel(x, y)) < 0) continue;
      auto& [oben, unten] = e[static_cast<std::size_t>(x)];
      if (oben < 0) oben = y;
      unten = y;
    }
  }
  return e;
}

TEST_F(SpurBild, ReducedTracesMatchTheFullOnesWithinOnePixel) {
  struct Fall {
    const char* name;
    int w, h;
    ui::Abbildung abbildung;
    bool glatt;
  };
  for (const Fall& fall :
       {Fall{"Bildschirm", 1920, 1080, ui::Abbildung::Anisotrop(1920, 1080, 2970, 2100), false},
        Fall{"Bilddatei 100 dpi", 1170, 827, ui::Abbildung::Metrisch(100), true}}) {
    SCOPED_TRACE(fall.name);
    const QImage reduziert = Bild<ui::QtCanvas>(fall.w, fall.h, fall.abbildung, fall.glatt);
    const QImage voll = Bild<Unreduziert>(fall.w, fall.h, fall.abbildung, fall.glatt);
    ASSERT_NE(reduziert, QImage());
    int spur = 0;
    for (int y = 0; y < voll.height(); ++y) {
      for (int x = 0; x < voll.width(); ++x) spur += Spurfarbe(voll.pixel(x, y)) >= 0;
    }
    // A pen wider than a pixel column reaches over the neighbouring columns, and which of the
    // points within a column it is drawn through moves an edge pixel by a column, rarely by
    // two; where both trace colours meet at a warning limit, the one drawn last shows.
    EXPECT_LE(FormAbweichungen(reduziert, voll, 1), spur / 200);
    EXPECT_LE(FormAbweichungen(voll, reduziert, 1), spur / 200);
    EXPECT_LE(FormAbweichungen(reduziert, voll, 2), spur / 1000);
    EXPECT_LE(FormAbweichungen(voll, reduziert, 2), spur / 1000);
    EXPECT_LE(FarbAbweichungen(reduziert, voll), spur / 1000);
    EXPECT_LE(FarbAbweichungen(voll, reduziert), spur / 1000);

    // Every strip shows its trace in the same columns (the gaps stay), and its highest and
    // lowest pixel (the spike among them) on the same rows within one pixel.
    ASSERT_EQ(baender.size(), 3u);
    for (const auto& [y0, y1] : baender) {
      const auto r = Ausdehnung(reduziert, y0, y1), v = Ausdehnung(voll, y0, y1);
      int rOben = y1, rUnten = y0, vOben = y1, vUnten = y0;
      for (std::size_t x = 0; x < r.size(); ++x) {
        EXPECT_EQ(r[x].first < 0, v[x].first < 0) << "column " << x;
        if (r[x].first >= 0)
          rOben = std::min(rOben, r[x].first), rUnten = std::max(rUnten, r[x].second);
        if (v[x].first >= 0)
          vOben = std::min(vOben, v[x].first), vUnten = std::max(vUnten, v[x].second);
      }
      EXPECT_NEAR(rOben, vOben, 1);
      EXPECT_NEAR(rUnten, vUnten, 1);
    }
  }
}

}  // namespace
}  // namespace pegel
