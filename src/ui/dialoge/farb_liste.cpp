#include "farb_liste.h"

#include <QPainter>
#include <QPixmap>

#include "farben.h"
#include "qt_canvas.h"
#include "qt_text.h"

namespace pegel::ui {
namespace {

using pegel::chart::Rgb;

struct NamedFarbe {
  const char* name;
  pegel::chart::Farbe farbe;
};

// The sixteen standard colours.
constexpr NamedFarbe Farben[] = {
    {"Schwarz", Rgb(0, 0, 0)},      {"Kastanienbraun", Rgb(128, 0, 0)},
    {"Grün", Rgb(0, 128, 0)},       {"Oliv", Rgb(128, 128, 0)},
    {"Marineblau", Rgb(0, 0, 128)}, {"Purpur", Rgb(128, 0, 128)},
    {"Petrol", Rgb(0, 128, 128)},   {"Grau", Rgb(128, 128, 128)},
    {"Silber", Rgb(192, 192, 192)}, {"Rot", Rgb(255, 0, 0)},
    {"Hellgrün", Rgb(0, 255, 0)},   {"Gelb", Rgb(255, 255, 0)},
    {"Blau", Rgb(0, 0, 255)},       {"Fuchsia", Rgb(255, 0, 255)},
    {"Aqua", Rgb(0, 255, 255)},     {"Weiß", Rgb(255, 255, 255)},
};

QIcon Muster(std::int32_t farbe) {
  QPixmap bild(16, 12);
  bild.fill(QtCanvas::Farbe(farbe));
  QPainter p(&bild);
  p.setPen(Qt::black);
  p.drawRect(0, 0, bild.width() - 1, bild.height() - 1);
  return QIcon(bild);
}

}  // namespace

FarbListe::FarbListe(QWidget* parent) : QComboBox(parent) {
  for (const NamedFarbe& f : Farben) addItem(Muster(f.farbe), T(f.name), f.farbe);
  // Wide enough for a custom entry, so that its name is not cut.
  setMinimumContentsLength(26);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
}

int FarbListe::NamenAnzahl() { return static_cast<int>(std::size(Farben)); }

std::int32_t FarbListe::ColorValue() const {
  return currentIndex() < 0 ? 0 : currentData().toInt();
}

void FarbListe::SetColorValue(std::int32_t farbe) {
  // A custom entry of an earlier parameter goes; this parameter may bring its own.
  while (count() > NamenAnzahl()) removeItem(count() - 1);
  int i = findData(farbe);
  if (i < 0) {
    const QColor c = QtCanvas::Farbe(farbe);
    addItem(Muster(farbe), T("Benutzerdefiniert (%1)").arg(c.name(QColor::HexRgb)), farbe);
    i = count() - 1;
  }
  setCurrentIndex(i);
}

}  // namespace pegel::ui
