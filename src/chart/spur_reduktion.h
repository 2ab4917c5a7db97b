// Drawing an analog trace of many more points than the device has pixel columns: a day sampled
// every second has 86,400 points for some 1,800 columns, and a line through all of them with a
// wide pen costs seconds on a raster device. Within one pixel column only the first, lowest,
// highest and last point of a joined run can be seen, so only those are drawn.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"
#include "seite.h"

namespace pegel::chart {

// Stands for the canvas while one analog trace is drawn and passes everything on to `ziel`.
// When the trace has more slots (n + 1) than the strip of `s` has device pixel columns
// (Canvas::PixelProEinheit), it collects the trace's lines into runs of joined points and
// reduces each stretch of a run that lies in one device column and is drawn in one pen colour
// to its first, lowest, highest and last point, in their order. Runs stay apart where the
// trace breaks (a gap, a dot), every line keeps the colour it was drawn in, and the lines
// reach `ziel` as the trace draws them: from a point back to the one before. Otherwise, and on
// a canvas that does not know its columns, every call passes straight through.
// What is collected reaches `ziel` on Abschliessen() and in the destructor, so also when the
// trace ends with an exception; afterwards `ziel`'s pen and position are as the trace left them.
class SpurReduktion : public Canvas {
 public:
  // `ziel` must outlive this object.
  SpurReduktion(Canvas& ziel, const TStreifen& s, int n);
  ~SpurReduktion() override;
  SpurReduktion(const SpurReduktion&) = delete;
  SpurReduktion& operator=(const SpurReduktion&) = delete;

  // True when the trace is reduced.
  bool Reduziert() const { return pixelProEinheit_ > 0; }
  // Draws what is collected.
  void Abschliessen();

  void StiftFarbe(Farbe farbe) override;
  void StiftBreite(int breite) override;
  void PinselFarbe(Farbe farbe) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rechteck(int x1, int y1, int x2, int y2) override;
  void FuellRechteck(int x1, int y1, int x2, int y2) override;
  bool TextAusrichtung(Ausrichtung a) override;
  bool TextFarbe(Farbe farbe) override;
  bool SchriftWaehlen(const Schrift* neu, const Schrift*& vorher) override;
  bool Text(int x, int y, const std::string& text) override;
  double PixelProEinheit() const override { return ziel_.PixelProEinheit(); }

 private:
  struct Kettenpunkt {
    int x = 0, y = 0;
    Farbe farbe = Schwarz;  // of the line that reaches this point (unused for the first)
  };
  std::int64_t Spalte(int x) const;
  // Reduces kette_ in place, per column and colour; allocates nothing.
  void KetteReduzieren() noexcept;

  Canvas& ziel_;
  double pixelProEinheit_ = 0;  // 0: pass everything through
  Farbe farbe_ = Schwarz;       // the pen colour the trace set last
  bool farbeGesetzt_ = false;
  int x_ = 0, y_ = 0;               // the trace's current position
  std::vector<Kettenpunkt> kette_;  // the run being collected, oldest point first
};

}  // namespace pegel::chart
