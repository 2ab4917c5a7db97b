#include "seiten_datei.h"

#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <cmath>

#include "qt_canvas.h"
#include "schriften.h"
#include "seite_zeichnen.h"

namespace pegel::ui {

namespace {

// A file is drawn in one go; there is no window whose events would wait.
class KeineEreignisse : public PendingEvents {
 public:
  void Verarbeiten() override {}
};

QString Pfad(const std::filesystem::path& p) { return QString::fromStdU16String(p.u16string()); }

bool GroesseOk(int breiteMm, int hoeheMm) {
  // Beyond 10 m a page no longer fits the 0.1 mm integer geometry comfortably.
  return breiteMm > 0 && hoeheMm > 0 && breiteMm <= 10000 && hoeheMm <= 10000;
}

}  // namespace

bool SeiteAlsPdf(const std::filesystem::path& datei, int breiteMm, int hoeheMm,
                 const SeitenZeichner& zeichnen) {
  if (!GroesseOk(breiteMm, hoeheMm)) return false;
  QPdfWriter pdf(Pfad(datei));
  pdf.setResolution(1200);
  const QPageSize groesse(QSizeF(breiteMm, hoeheMm), QPageSize::Millimeter, QString(),
                          QPageSize::ExactMatch);
  pdf.setPageLayout(QPageLayout(groesse, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  QPainter p;
  if (!p.begin(&pdf)) return false;
  {
    QtCanvas c(p, Abbildung::Metrisch(pdf.resolution()));
    zeichnen(c);
  }
  return p.end();
}

bool SeiteAlsPng(const std::filesystem::path& datei, int breiteMm, int hoeheMm, int dpi,
                 const SeitenZeichner& zeichnen) {
  if (!GroesseOk(breiteMm, hoeheMm) || dpi < 1 || dpi > 2400) return false;
  const int w = static_cast<int>(std::lround(breiteMm * dpi / 25.4));
  const int h = static_cast<int>(std::lround(hoeheMm * dpi / 25.4));
  if (w < 1 || h < 1 || static_cast<double>(w) * h > 400e6) return false;
  QImage bild(w, h, QImage::Format_RGB32);
  if (bild.isNull()) return false;
  bild.fill(Qt::white);
  const int proMeter = static_cast<int>(std::lround(dpi / 0.0254));
  bild.setDotsPerMeterX(proMeter);
  bild.setDotsPerMeterY(proMeter);
  {
    QPainter p(&bild);
    QtCanvas c(p, Abbildung::Metrisch(dpi), true);
    zeichnen(c);
  }
  // Quality 80 deflates at zlib's fastest level: for a chart page of mostly white lines that
  // halves the time of writing against the default level, for a file some 6 % larger.
  QImageWriter schreiber(Pfad(datei), "PNG");
  schreiber.setQuality(80);
  return schreiber.write(bild);
}

bool ChartSeiteSchreiben(chart::ChartSeite& seite, const chart::Seitenstil& stil,
                         const std::filesystem::path& datei, DateiArt art, int dpi, Log& log,
                         Clock& uhr) {
  chart::SchriftTabelle schriften(log);
  schriften.SeitenSchriftenErzeugen();
  KeineEreignisse ereignisse;
  chart::SeitenUmfeld umfeld{log, ereignisse, uhr, nullptr, {}};
  bool fertig = false;
  const SeitenZeichner zeichnen = [&](chart::Canvas& c) {
    fertig = chart::SeiteZeichnen(seite, stil, c, schriften, umfeld, chart::Ziel::Datei,
                                  chart::Seitenart::Voll);
  };
  const bool geschrieben =
      art == DateiArt::Pdf
          ? SeiteAlsPdf(datei, seite.Seitenbreite, seite.Seitenhoehe, zeichnen)
          : SeiteAlsPng(datei, seite.Seitenbreite, seite.Seitenhoehe, dpi, zeichnen);
  return geschrieben && fertig;
}

}  // namespace pegel::ui
