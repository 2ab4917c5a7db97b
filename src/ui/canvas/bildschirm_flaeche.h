// The chart window's drawing surface on the screen: a borderless child widget that keeps
// the page image and is both the page fit's surface and the canvas the page is drawn on.
// Placing or mapping it anew restarts drawing on a fresh image of the new size.
#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <memory>

#include "abbildung.h"
#include "blatt_anpassen.h"
#include "canvas.h"
#include "qt_canvas.h"

namespace pegel::ui {

class BildschirmFlaeche : public QWidget, public chart::Flaeche, public chart::Canvas {
  Q_OBJECT

 public:
  // `fenster` is the chart window whose inner area the page is fitted into; it owns this.
  explicit BildschirmFlaeche(QWidget* fenster);
  ~BildschirmFlaeche() override;

  // Ends drawing of the current page and shows it.
  void Zeigen();
  const QImage& Bild() const { return bild_; }
  const Abbildung& Mapping() const { return abbildung_; }

  // chart::Flaeche
  std::pair<int, int> Innengroesse() override;
  bool Platzieren(int links, int oben, int breite, int hoehe) override;
  bool Abbilden(int w, int h, std::int32_t pw, std::int32_t ph) override;

  // chart::Canvas, forwarded to a QtCanvas on the page image
  void StiftFarbe(chart::Farbe f) override { Leinwand().StiftFarbe(f); }
  void StiftBreite(int b) override { Leinwand().StiftBreite(b); }
  void PinselFarbe(chart::Farbe f) override { Leinwand().PinselFarbe(f); }
  void MoveTo(int x, int y) override { Leinwand().MoveTo(x, y); }
  void LineTo(int x, int y) override { Leinwand().LineTo(x, y); }
  void Rechteck(int x1, int y1, int x2, int y2) override { Leinwand().Rechteck(x1, y1, x2, y2); }
  void FuellRechteck(int x1, int y1, int x2, int y2) override {
    Leinwand().FuellRechteck(x1, y1, x2, y2);
  }
  bool TextAusrichtung(chart::Ausrichtung a) override { return Leinwand().TextAusrichtung(a); }
  bool TextFarbe(chart::Farbe f) override { return Leinwand().TextFarbe(f); }
  bool SchriftWaehlen(const chart::Schrift* neu, const chart::Schrift*& vorher) override {
    return Leinwand().SchriftWaehlen(neu, vorher);
  }
  bool Text(int x, int y, const std::string& t) override { return Leinwand().Text(x, y, t); }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QtCanvas& Leinwand();
  void Beenden();

  QImage bild_;
  Abbildung abbildung_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<QtCanvas> canvas_;
};

}  // namespace pegel::ui
