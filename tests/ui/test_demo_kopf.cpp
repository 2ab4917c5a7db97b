// The demo plant's chart headers: with the Textrand of pegelsim's demo INI, every
// parameter's title ends clear of the statistics that follow it ("Min.=").
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <functional>
#include <regex>

#include "anlage.h"
#include "kopf_fuss.h"
#include "qt_canvas.h"
#include "schriften.h"
#include "test_dienste.h"

namespace pegel {
namespace {

// Draws with the QPainter canvas at 0.1 mm per pixel and returns the first and the last
// column with ink; {-1, -1} without ink.
std::pair<int, int> Tinte(const std::function<void(chart::Canvas&)>& zeichnen) {
  // The text of a header stands between the depths 60 and 100 (0.1 mm).
  QImage bild(3000, 70, QImage::Format_RGB32);
  bild.fill(Qt::white);
  {
    QPainter p(&bild);
    ui::QtCanvas c(p, ui::Abbildung{1, -1, 0, -40});
    zeichnen(c);
  }
  int erste = bild.width(), letzte = -1;
  for (int y = 0; y < bild.height(); ++y) {
    const auto* zeile = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
    for (int x = 0; x < bild.width(); ++x) {
      if (qGray(zeile[x]) < 160) {
        erste = std::min(erste, x);
        letzte = std::max(letzte, x);
      }
    }
  }
  return {letzte < 0 ? -1 : erste, letzte};
}

TEST(DemoKopf, JederTitelEndetVorMin) {
  static int argc = 1;
  static char name[] = "test_demo_kopf";
  static char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  test::Umgebung u;
  chart::SchriftTabelle f{u.log};
  f.SeitenSchriftenErzeugen();

  const auto par = pegelsim::AnlageBauen(180);
  std::smatch m;
  const std::string ini = pegelsim::IniText(par, 1);
  ASSERT_TRUE(std::regex_search(ini, m, std::regex("Textrand=([0-9]+)")));
  const int textrand = std::stoi(m[1]);

  chart::TStreifen s;
  s.P1 = {100, 100};
  s.P2 = {2640, 900};
  // Each kind with a one-digit and with a two-digit station number (digits are of equal
  // width).
  for (std::size_t k = 0; k < 12; ++k) {
    const auto& p = par.at(k < 6 ? k : par.size() - 12 + k);
    SCOPED_TRACE(p.name);
    chart::ChartAnzeige a;
    a.Name = p.name;
    a.Einheit = p.einheit;
    a.Statistiktexte = {"", "1234,56", "-1234,56", "1234,56", "12,34", "n.v."};
    a.GrafikSumEinheit = "h";
    s.Typ = GrafiktypAus(p.grafiktyp);
    const auto titel = Tinte([&](chart::Canvas& c) { chart::Titel(c, f, u.log, s, a); });
    const auto kopf =
        Tinte([&](chart::Canvas& c) { chart::LiveKopf(c, f, u.log, s, a, textrand); });
    ASSERT_GE(titel.first, 0);
    ASSERT_GE(kopf.first, 0);
    // At least 2 mm between the title's last ink and the header's first.
    EXPECT_GE(kopf.first - titel.second, 20);
  }
}

}  // namespace
}  // namespace pegel
