#include "bildschirm_flaeche.h"

namespace pegel::ui {

BildschirmFlaeche::BildschirmFlaeche(QWidget* fenster) : QWidget(fenster) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

BildschirmFlaeche::~BildschirmFlaeche() { Beenden(); }

void BildschirmFlaeche::Beenden() {
  canvas_.reset();
  if (painter_) painter_->end();
  painter_.reset();
}

void BildschirmFlaeche::Zeigen() {
  Beenden();
  update();
}

QtCanvas& BildschirmFlaeche::Leinwand() {
  if (!canvas_) {
    if (bild_.isNull()) {
      bild_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
      bild_.fill(Qt::white);
    }
    painter_ = std::make_unique<QPainter>(&bild_);
    canvas_ = std::make_unique<QtCanvas>(*painter_, abbildung_);
  }
  return *canvas_;
}

std::pair<int, int> BildschirmFlaeche::Innengroesse() {
  const QWidget* fenster = parentWidget();
  if (fenster == nullptr) return {width(), height()};
  const QRect r = fenster->contentsRect();
  return {r.width(), r.height()};
}

bool BildschirmFlaeche::Platzieren(int links, int oben, int breite, int hoehe) {
  if (breite < 1 || hoehe < 1) return false;
  setGeometry(links, oben, breite, hoehe);
  return true;
}

bool BildschirmFlaeche::Abbilden(int w, int h, std::int32_t pw, std::int32_t ph) {
  if (w < 1 || h < 1 || pw < 1 || ph < 1) return false;
  Beenden();
  abbildung_ = Abbildung::Anisotrop(w, h, pw, ph);
  if (bild_.width() != w || bild_.height() != h) {
    bild_ = QImage(w, h, QImage::Format_RGB32);
    bild_.fill(Qt::white);
  }
  return true;
}

void BildschirmFlaeche::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, bild_);
}

}  // namespace pegel::ui
