// The screen surface and the line drawing of the QPainter canvas.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <cmath>

#include "canvas/bildschirm_flaeche.h"
#include "canvas/qt_canvas.h"
#include "schriften.h"
#include "seite_zeichnen.h"
#include "test_dienste.h"

namespace pegel {
namespace {

int Tinte(const QImage& bild, QColor farbe, QRect bereich) {
  int n = 0;
  for (int y = bereich.top(); y <= bereich.bottom(); ++y) {
    for (int x = bereich.left(); x <= bereich.right(); ++x) n += bild.pixelColor(x, y) == farbe;
  }
  return n;
}

// Inked pixels of `a` with no pixel of the same colour in `b` within one pixel.
int OhneNachbarn(const QImage& a, const QImage& b) {
  int fehlend = 0;
  for (int y = 1; y < a.height() - 1; ++y) {
    for (int x = 1; x < a.width() - 1; ++x) {
      const QColor farbe = a.pixelColor(x, y);
      fehlend += farbe != Qt::white && Tinte(b, farbe, QRect(x - 1, y - 1, 3, 3)) == 0;
    }
  }
  return fehlend;
}

struct Bildschirm : ::testing::Test {
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) app = new QApplication(argc, argv);
  }
  static inline QApplication* app = nullptr;
};

TEST_F(Bildschirm, SeiteWirdInsFensterEingepasst) {
  test::Umgebung u;
  chart::SchriftTabelle f(u.log);
  f.SeitenSchriftenErzeugen();
  chart::ChartSeite s;
  s.Seitenbreite = 297;
  s.Seitenhoehe = 210;
  QWidget fenster;
  fenster.resize(1000, 700);
  ui::BildschirmFlaeche flaeche(&fenster);
  int timer = 0;
  chart::SeitenUmfeld umfeld{u.log, u.ereignisse, u.uhr, &flaeche, [&] { ++timer; }};
  ASSERT_TRUE(chart::SeiteZeichnen(s, chart::LiveStil(false, false, false), flaeche, f, umfeld,
                                   chart::Ziel::Bildschirm, chart::Seitenart::Voll));
  flaeche.Zeigen();
  EXPECT_EQ(timer, 1);
  EXPECT_EQ(flaeche.geometry(), QRect(34, 30, 933, 660));
  EXPECT_EQ(flaeche.Bild().size(), QSize(933, 660));
  // The footer text at depth 200 mm of 210 lands near the bottom of the surface.
  EXPECT_GT(Tinte(flaeche.Bild(), Qt::black, QRect(300, 600, 300, 30)), 50);
  EXPECT_TRUE(u.Log().empty());
}

TEST_F(Bildschirm, GesammelteSpurGleichtEinzelnenLinien) {
  // A trace drawn as the page does (each point joined back to the previous one), many
  // points per pixel column, against plain single lines with the same pen.
  QImage gesammelt(500, 300, QImage::Format_RGB32);
  QImage einzeln = gesammelt;
  gesammelt.fill(Qt::white);
  einzeln.fill(Qt::white);
  const ui::Abbildung abb{0.125, -0.25, 0, 0};  // 8 points per pixel column
  auto punkt = [](int j) {
    return QPoint(j, -static_cast<int>(600 + 400 * std::sin(j / 100.0) + (j % 7) * 20));
  };
  {
    QPainter p(&gesammelt);
    ui::QtCanvas c(p, abb);
    c.StiftBreite(8);
    for (int j = 0; j < 4000; ++j) {
      c.StiftFarbe(j > 3000 && j < 3200 ? chart::Rot : chart::Blau);
      c.MoveTo(punkt(j).x(), punkt(j).y());
      const QPoint ziel = j == 0 ? punkt(0) + QPoint(1, 1) : punkt(j - 1);
      c.LineTo(ziel.x(), ziel.y());
    }
  }
  {
    QPainter p(&einzeln);
    for (int j = 1; j < 4000; ++j) {
      p.setPen(QPen(j > 3000 && j < 3200 ? Qt::red : Qt::blue, 1.5, Qt::SolidLine, Qt::SquareCap,
                    Qt::BevelJoin));
      p.drawLine(QPointF(punkt(j).x() * 0.125, -punkt(j).y() * 0.25),
                 QPointF(punkt(j - 1).x() * 0.125, -punkt(j - 1).y() * 0.25));
    }
  }
  // The same ink, give or take a pixel at the edges.
  const QRect alles(0, 0, 500, 300);
  for (QColor farbe : {QColor(Qt::blue), QColor(Qt::red)}) {
    const int soll = Tinte(einzeln, farbe, alles);
    EXPECT_NEAR(Tinte(gesammelt, farbe, alles), soll, soll * 0.15) << farbe.name().toStdString();
  }
  EXPECT_LE(OhneNachbarn(gesammelt, einzeln), 20);
  EXPECT_LE(OhneNachbarn(einzeln, gesammelt), 20);
}

}  // namespace
}  // namespace pegel
