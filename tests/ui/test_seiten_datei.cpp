// Pages written as PDF and PNG through the QPainter canvas.
#include <gtest/gtest.h>

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cmath>
#include <regex>

#include "../chart/aufzeichnung.h"
#include "cp1252.h"
#include "qt_canvas.h"
#include "schriften.h"
#include "seite_zeichnen.h"
#include "seiten_datei.h"
#include "test_dienste.h"

namespace pegel {
namespace {

// Two analog strips (one with warnings and a zero crossing, one user-scaled) and two
// digital ones, 120 slots each, with a gap.
chart::ChartSeite Beispielseite() {
  chart::ChartSeite s = chart::test::TestSeite({1, 2, 1, 2}, 119, 0);
  s.IntervallEinheit = " Minute(n)";
  for (std::size_t j = 0; j < 120; ++j) {
    const double t = j / 10.0;
    s.Grafikspeicher[1][j] = 1.2 * std::sin(t / 2.0) + 0.4;
    s.Grafikspeicher[2][j] = std::fmod(t, 4.0) < 1.5;
    s.Grafikspeicher[3][j] = 40 + 25 * std::sin(t / 3.0) + 8 * std::cos(t * 1.7);
    s.Grafikspeicher[4][j] = (j / 17) % 2;
  }
  for (int i = 1; i <= s.Anzahl; ++i) s.Grafikspeicher.at(i)[30] = NoValue;
  s.Anzeige[1].UpWarn = 1.3;
  s.Anzeige[1].LoWarn = -0.6;
  s.Anzeige[2].Einheit = "ein/aus";
  s.Anzeige[3].Einheit = Ansi("m³/h");
  s.Anzeige[3].MinSkal = 20;
  s.Anzeige[3].MaxSkal = 60;
  s.Streifen[3].Skalierung = 2;
  return s;
}

struct Qt : ::testing::Test {
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance() == nullptr) app = new QGuiApplication(argc, argv);
  }
  static inline QGuiApplication* app = nullptr;

  test::Umgebung u;
  chart::SchriftTabelle f{u.log};
  void SetUp() override { f.SeitenSchriftenErzeugen(); }

  ui::SeitenZeichner Zeichner(chart::ChartSeite& s, bool& fertig) {
    return [&](chart::Canvas& c) {
      chart::SeitenUmfeld umfeld{u.log, u.ereignisse, u.uhr, nullptr, {}};
      fertig = chart::SeiteZeichnen(s, chart::LiveStil(false, false, false), c, f, umfeld,
                                    chart::Ziel::Datei, chart::Seitenart::Voll);
    };
  }
};

TEST_F(Qt, PdfHatEineSeiteInSeitengroesse) {
  chart::ChartSeite s = Beispielseite();
  const auto datei = u.verz / "seite.pdf";
  ASSERT_TRUE(ui::ChartSeiteSchreiben(s, chart::LiveStil(false, false, false), datei,
                                      ui::DateiArt::Pdf, 0, u.log, u.uhr));
  bool fertig = false;
  const std::string pdf = test::DateiLesen(datei);
  ASSERT_EQ(pdf.rfind("%PDF", 0), 0u);
  // 297 x 210 mm in points.
  std::smatch m;
  ASSERT_TRUE(
      std::regex_search(pdf, m, std::regex(R"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+))")));
  EXPECT_NEAR(std::stod(m[1]), 297 / 25.4 * 72, 0.5);
  EXPECT_NEAR(std::stod(m[2]), 210 / 25.4 * 72, 0.5);
  const std::regex seite(R"(/Type\s*/Page\b(?!s))");
  EXPECT_EQ(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), seite), {}), 1);
  EXPECT_FALSE(ui::SeiteAlsPdf(u.verz / "nein.pdf", 0, 210, Zeichner(s, fertig)));
  EXPECT_FALSE(ui::SeiteAlsPdf(u.verz / "fehlt" / "x.pdf", 297, 210, Zeichner(s, fertig)));
}

TEST_F(Qt, PngInMillimeternUndAufrecht) {
  chart::ChartSeite s = Beispielseite();
  bool fertig = false;
  const std::filesystem::path datei = PEGEL_BEISPIEL_PNG;
  ASSERT_TRUE(ui::SeiteAlsPng(datei, 297, 210, 150, Zeichner(s, fertig)));
  EXPECT_TRUE(fertig);
  QImage bild(QString::fromStdString(datei.string()));
  ASSERT_FALSE(bild.isNull());
  EXPECT_EQ(bild.width(), 1754);
  EXPECT_EQ(bild.height(), 1240);
  // 0.1 mm at 150 dpi is 150 / 254 px: the frame of chart 1 starts at 10 mm.
  const int rand = static_cast<int>(std::lround(100 * 150 / 254.0));
  EXPECT_EQ(bild.pixelColor(rand + 40, rand), QColor(0, 0, 255));
  EXPECT_EQ(bild.pixelColor(rand + 40, rand - 6), QColor(255, 255, 255));
  // The title stands above the frame, not mirrored below it: ink in the 4 mm above.
  int tinte = 0;
  for (int y = rand - 24; y < rand - 2; ++y) {
    for (int x = rand + 30; x < rand + 200; ++x) tinte += bild.pixelColor(x, y).black() > 128;
  }
  EXPECT_GT(tinte, 100);
  EXPECT_FALSE(ui::SeiteAlsPng(u.verz / "x.png", 297, 210, 0, Zeichner(s, fertig)));
}

}  // namespace
}  // namespace pegel
