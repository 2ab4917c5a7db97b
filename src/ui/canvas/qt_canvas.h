// The chart canvas on a QPainter: screen, printer, PDF or image alike. The painter keeps
// its identity transform; every point is mapped here, so that texts stay upright.
// Lines that join end to end with the same pen are collected and drawn as polylines in
// pieces of 64 points: that looks the same as drawing every segment and is much faster with
// wide antialiased pens. Traces of more points than pixel columns come reduced by the
// renderer, which learns the columns from PixelProEinheit().
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPoint>
#include <deque>
#include <vector>

#include "abbildung.h"
#include "canvas.h"

namespace pegel::ui {

class QtCanvas : public chart::Canvas {
 public:
  // `painter` must be active and outlive the canvas. `glatt` antialiases the lines: it
  // costs about as much again as the whole page, so the screen draws without it, as the
  // platform's own line drawing always did; image files, drawn once, use it.
  QtCanvas(QPainter& painter, Abbildung abbildung, bool glatt = false);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  // Draws what is still collected; call before the painter ends (the destructor does too).
  void Abschliessen();

  void StiftFarbe(chart::Farbe farbe) override;
  void StiftBreite(int breite) override;
  void PinselFarbe(chart::Farbe farbe) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rechteck(int x1, int y1, int x2, int y2) override;
  void FuellRechteck(int x1, int y1, int x2, int y2) override;
  bool TextAusrichtung(chart::Ausrichtung a) override;
  bool TextFarbe(chart::Farbe farbe) override;
  bool SchriftWaehlen(const chart::Schrift* neu, const chart::Schrift*& vorher) override;
  bool Text(int x, int y, const std::string& text) override;
  double PixelProEinheit() const override;

  static QColor Farbe(chart::Farbe f);

 private:
  QPointF Geraet(QPoint p) const;
  QPen Stift() const;
  struct FontEintrag {
    chart::Schrift schrift;
    QFont font;
    QFontMetricsF metrik;
  };
  const FontEintrag& FontFuer(const chart::Schrift* s);
  const FontEintrag& FontAnlegen(const chart::Schrift& s);

  QPainter& p_;
  Abbildung a_;
  bool glatt_;
  chart::Farbe stiftFarbe_ = chart::Schwarz;
  int stiftBreite_ = 1;
  chart::Farbe pinsel_ = chart::Weiss;
  QPoint pos_;
  std::vector<QPoint> kette_;  // logical points of the polyline being collected

  chart::Ausrichtung ausrichtung_ = chart::Ausrichtung::Links;
  chart::Farbe textFarbe_ = chart::Schwarz;
  const chart::Schrift* schrift_ = nullptr;
  chart::Schrift eigeneSchrift_;
  std::deque<FontEintrag> fonts_;  // stable addresses while the canvas lives
};

}  // namespace pegel::ui
