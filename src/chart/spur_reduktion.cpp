#include "spur_reduktion.h"

#include <algorithm>
#include <cmath>

namespace pegel::chart {

namespace {

// Reduced points collected before they are drawn: a stretch adds at most three to them.
constexpr std::size_t Stueck = 4096;
// Bars being joined at once: a slot draws at most two, so a few cover every change of state.
constexpr std::size_t OffeneBalken = 6;

}  // namespace

SpurReduktion::SpurReduktion(Canvas& ziel, const TStreifen& s, int n) : ziel_(ziel) {
  const double pixel = ziel.PixelProEinheit();
  const double spalten = (static_cast<double>(s.P2.x) - s.P1.x) * pixel;
  if (pixel > 0 && static_cast<double>(n) + 1 > spalten) {
    pixelProEinheit_ = pixel;
    kette_.reserve(Stueck + 4);
  }
}

// Drawing only calls the canvas, which reports failures instead of throwing, and the run
// never outgrows the room reserved for it, so nothing can escape here.
SpurReduktion::~SpurReduktion() { Abschliessen(); }

void SpurReduktion::SpalteWechseln(int x) {
  spalteX_ = x;
  spalte_ = static_cast<std::int64_t>(std::floor(x * pixelProEinheit_));
  spalteGueltig_ = true;
}

void SpurReduktion::KetteBeginnen(int x, int y) {
  Abschliessen();
  laeuft_ = true;
  Punkt(x, y, farbe_);
}

void SpurReduktion::StreckeBeginnen(const Kettenpunkt& p, std::int64_t spalte, std::uint64_t nr) {
  StreckeSchliessen();
  // Long runs are drawn in pieces, so that what is collected stays small.
  if (kette_.size() >= Stueck) Zeichnen();
  kette_.push_back(p);
  streckeSpalte_ = spalte;
  streckeAnfang_ = nr;
  streckeLaenge_ = 1;
  tief_ = hoch_ = letzter_ = {p, nr};
}

void SpurReduktion::StreckeSchliessen() {
  if (streckeLaenge_ < 2) return;
  const Gezaehlt& a = tief_.nr < hoch_.nr ? tief_ : hoch_;
  const Gezaehlt& b = tief_.nr < hoch_.nr ? hoch_ : tief_;
  const std::uint64_t ende = letzter_.nr;
  if (a.nr > streckeAnfang_ && a.nr < ende) kette_.push_back(a.p);
  if (b.nr > streckeAnfang_ && b.nr < ende && b.nr != a.nr) kette_.push_back(b.p);
  kette_.push_back(letzter_.p);
  streckeLaenge_ = 0;
}

void SpurReduktion::Zeichnen() {
  for (std::size_t i = 1; i < kette_.size(); ++i) {
    ziel_.StiftFarbe(kette_[i].farbe);
    ziel_.MoveTo(kette_[i].x, kette_[i].y);
    ziel_.LineTo(kette_[i - 1].x, kette_[i - 1].y);
  }
  if (!kette_.empty()) kette_.erase(kette_.begin(), kette_.end() - 1);
}

void SpurReduktion::Abschliessen() {
  if (!Reduziert()) return;
  StreckeSchliessen();
  Zeichnen();
  kette_.clear();
  laeuft_ = false;
  if (farbeGesetzt_) ziel_.StiftFarbe(farbe_);
  ziel_.MoveTo(x_, y_);
}

void SpurReduktion::StiftBreite(int breite) {
  Abschliessen();
  ziel_.StiftBreite(breite);
}

void SpurReduktion::PinselFarbe(Farbe farbe) { ziel_.PinselFarbe(farbe); }

void SpurReduktion::Rechteck(int x1, int y1, int x2, int y2) {
  Abschliessen();
  ziel_.Rechteck(x1, y1, x2, y2);
}

void SpurReduktion::FuellRechteck(int x1, int y1, int x2, int y2) {
  Abschliessen();
  ziel_.FuellRechteck(x1, y1, x2, y2);
}

bool SpurReduktion::TextAusrichtung(Ausrichtung a) { return ziel_.TextAusrichtung(a); }

bool SpurReduktion::TextFarbe(Farbe farbe) { return ziel_.TextFarbe(farbe); }

bool SpurReduktion::SchriftWaehlen(const Schrift* neu, const Schrift*& vorher) {
  return ziel_.SchriftWaehlen(neu, vorher);
}

bool SpurReduktion::Text(int x, int y, const std::string& text) {
  Abschliessen();
  return ziel_.Text(x, y, text);
}

BalkenReduktion::BalkenReduktion(Canvas& ziel, const TStreifen& s, int n) : ziel_(ziel) {
  const double pixel = ziel.PixelProEinheit();
  aktiv_ = pixel > 0 && static_cast<double>(n) + 1 > (static_cast<double>(s.P2.x) - s.P1.x) * pixel;
  if (aktiv_) offen_.reserve(OffeneBalken);
}

// As SpurReduktion's: the canvas does not throw and the room is reserved.
BalkenReduktion::~BalkenReduktion() { Abschliessen(); }

bool BalkenReduktion::Ueberlappen(const Balken& a, const Balken& b) {
  const auto [ax1, ax2] = std::minmax(a.x1, a.x2);
  const auto [ay1, ay2] = std::minmax(a.y1, a.y2);
  const auto [bx1, bx2] = std::minmax(b.x1, b.x2);
  const auto [by1, by2] = std::minmax(b.y1, b.y2);
  return std::min(ax2, bx2) > std::max(ax1, bx1) && std::min(ay2, by2) > std::max(ay1, by1);
}

void BalkenReduktion::Abschliessen() {
  if (!aktiv_) return;
  for (const Balken& b : offen_) {
    ziel_.PinselFarbe(b.farbe);
    ziel_.FuellRechteck(b.x1, b.y1, b.x2, b.y2);
  }
  offen_.clear();
  if (pinselGesetzt_) ziel_.PinselFarbe(pinsel_);
}

void BalkenReduktion::FuellRechteck(int x1, int y1, int x2, int y2) {
  if (!aktiv_) return ziel_.FuellRechteck(x1, y1, x2, y2);
  const Balken neu{pinsel_, x1, y1, x2, y2};
  for (std::size_t i = 0; i < offen_.size(); ++i) {
    Balken& b = offen_[i];
    if (b.farbe != neu.farbe || b.y1 != y1 || b.y2 != y2 || b.x2 != x1) continue;
    // Joining moves the new bar before the bars that began after b: only if it lies under
    // none of them.
    const bool frei =
        std::none_of(offen_.begin() + static_cast<std::ptrdiff_t>(i) + 1, offen_.end(),
                     [&](const Balken& c) { return Ueberlappen(c, neu); });
    if (!frei) break;
    b.x2 = x2;
    return;
  }
  if (offen_.size() >= OffeneBalken) Abschliessen();
  offen_.push_back(neu);
}

void BalkenReduktion::PinselFarbe(Farbe farbe) {
  if (!aktiv_) return ziel_.PinselFarbe(farbe);
  pinsel_ = farbe;
  pinselGesetzt_ = true;
}

void BalkenReduktion::StiftFarbe(Farbe farbe) {
  Abschliessen();
  ziel_.StiftFarbe(farbe);
}

void BalkenReduktion::StiftBreite(int breite) {
  Abschliessen();
  ziel_.StiftBreite(breite);
}

void BalkenReduktion::MoveTo(int x, int y) {
  Abschliessen();
  ziel_.MoveTo(x, y);
}

void BalkenReduktion::LineTo(int x, int y) {
  Abschliessen();
  ziel_.LineTo(x, y);
}

void BalkenReduktion::Rechteck(int x1, int y1, int x2, int y2) {
  Abschliessen();
  ziel_.Rechteck(x1, y1, x2, y2);
}

bool BalkenReduktion::TextAusrichtung(Ausrichtung a) { return ziel_.TextAusrichtung(a); }

bool BalkenReduktion::TextFarbe(Farbe farbe) { return ziel_.TextFarbe(farbe); }

bool BalkenReduktion::SchriftWaehlen(const Schrift* neu, const Schrift*& vorher) {
  return ziel_.SchriftWaehlen(neu, vorher);
}

bool BalkenReduktion::Text(int x, int y, const std::string& text) {
  Abschliessen();
  return ziel_.Text(x, y, text);
}

}  // namespace pegel::chart
