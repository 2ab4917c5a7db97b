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

  // The pen, the position and the lines are called for every point of a trace: they are
  // inline, and only a new run or stretch leaves them.
  void StiftFarbe(Farbe farbe) override {
    if (!Reduziert()) return ziel_.StiftFarbe(farbe);
    farbe_ = farbe;
    farbeGesetzt_ = true;
  }
  void StiftBreite(int breite) override;
  void PinselFarbe(Farbe farbe) override;
  void MoveTo(int x, int y) override {
    if (!Reduziert()) return ziel_.MoveTo(x, y);
    x_ = x;
    y_ = y;
  }
  void LineTo(int x, int y) override {
    if (!Reduziert()) return ziel_.LineTo(x, y);
    // The traces draw from each point back to the one before: a line that ends on the newest
    // point of the run continues it; anything else begins a new run.
    // Read before a new run begins, which leaves them as they are: so they come straight
    // from MoveTo and StiftFarbe instead of from memory.
    const int vonX = x_, vonY = y_;
    const Farbe farbe = farbe_;
    if (!(laeuft_ && neuesterX_ == x && neuesterY_ == y)) KetteBeginnen(x, y);
    Punkt(vonX, vonY, farbe);
    x_ = x;
    y_ = y;
  }
  // MoveTo(x, y), then LineTo(zuX, zuY): the pair a trace calls for each point, without
  // taking the position back from memory in between.
  void LinieZurueck(int x, int y, int zuX, int zuY) {
    if (!Reduziert()) {
      ziel_.MoveTo(x, y);
      return ziel_.LineTo(zuX, zuY);
    }
    const Farbe farbe = farbe_;
    if (!(laeuft_ && neuesterX_ == zuX && neuesterY_ == zuY)) {
      x_ = x;
      y_ = y;
      KetteBeginnen(zuX, zuY);
    }
    Punkt(x, y, farbe);
    x_ = zuX;
    y_ = zuY;
  }
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
  // A point of the stretch being reduced, with its place in the run.
  struct Gezaehlt {
    Kettenpunkt p;
    std::uint64_t nr = 0;
  };
  std::int64_t Spalte(int x) {
    // Neighbouring slots mostly share their logical x.
    if (!spalteGueltig_ || x != spalteX_) SpalteWechseln(x);
    return spalte_;
  }
  void SpalteWechseln(int x);
  // Ends the run being collected and begins a new one at (x, y).
  void KetteBeginnen(int x, int y);
  // Takes the next point of the run.
  void Punkt(int x, int y, Farbe farbe) {
    const std::int64_t spalte = Spalte(x);
    const std::uint64_t nr = punkte_++;
    neuesterX_ = x;
    neuesterY_ = y;
    if (streckeLaenge_ > 0 && spalte == streckeSpalte_ &&
        (streckeLaenge_ == 1 || farbe == streckeFarbe_)) {
      if (streckeLaenge_ == 1) streckeFarbe_ = farbe;
      if (y < tief_.p.y) tief_ = {{x, y, farbe}, nr};
      if (y > hoch_.p.y) hoch_ = {{x, y, farbe}, nr};
      letzter_ = {{x, y, farbe}, nr};
      ++streckeLaenge_;
      return;
    }
    StreckeBeginnen({x, y, farbe}, spalte, nr);
  }
  // Ends the current stretch and begins the next one at `p`.
  void StreckeBeginnen(const Kettenpunkt& p, std::int64_t spalte, std::uint64_t nr);
  // Ends the stretch: its lowest and highest point between its ends, in their order, and its
  // last point go to the reduced run.
  void StreckeSchliessen();
  // Draws the reduced run up to its last point, which stays as the start of what follows.
  void Zeichnen();

  Canvas& ziel_;
  double pixelProEinheit_ = 0;  // 0: pass everything through
  Farbe farbe_ = Schwarz;       // the pen colour the trace set last
  bool farbeGesetzt_ = false;
  int x_ = 0, y_ = 0;  // the trace's current position

  // The run being collected: its reduced points so far (the current stretch's first point
  // last), and its newest point, to which the next line must lead back to continue it.
  std::vector<Kettenpunkt> kette_;
  bool laeuft_ = false;
  int neuesterX_ = 0, neuesterY_ = 0;
  std::uint64_t punkte_ = 0;

  // The current stretch: one column, and from its second point on one colour.
  std::int64_t streckeSpalte_ = 0;
  Farbe streckeFarbe_ = Schwarz;
  std::uint64_t streckeAnfang_ = 0;  // place of its first point
  std::uint64_t streckeLaenge_ = 0;
  Gezaehlt tief_, hoch_, letzter_;

  int spalteX_ = 0;  // the last column asked for, by logical x
  std::int64_t spalte_ = 0;
  bool spalteGueltig_ = false;
};

// Stands for the canvas while the bars of a digital trace are drawn slot by slot. When the
// trace has more slots than the strip has device pixel columns, bars of one colour and height
// that continue one another are joined into one rectangle: a day sampled every second would
// otherwise fill some 170,000 rectangles per strip. A joined bar is drawn no later than any
// bar it overlaps that came after it, so the picture stays as drawn bar by bar. Otherwise every
// call passes straight through. What is collected reaches `ziel` on Abschliessen() and in the
// destructor.
class BalkenReduktion : public Canvas {
 public:
  // `ziel` must outlive this object.
  BalkenReduktion(Canvas& ziel, const TStreifen& s, int n);
  ~BalkenReduktion() override;
  BalkenReduktion(const BalkenReduktion&) = delete;
  BalkenReduktion& operator=(const BalkenReduktion&) = delete;

  bool Reduziert() const { return aktiv_; }
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
  struct Balken {
    Farbe farbe = Weiss;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  };
  static bool Ueberlappen(const Balken& a, const Balken& b);

  Canvas& ziel_;
  bool aktiv_ = false;
  Farbe pinsel_ = Weiss;
  bool pinselGesetzt_ = false;
  std::vector<Balken> offen_;  // in the order they began; at most a few
};

}  // namespace pegel::chart
