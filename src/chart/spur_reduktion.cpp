#include "spur_reduktion.h"

#include <algorithm>
#include <cmath>

namespace pegel::chart {

SpurReduktion::SpurReduktion(Canvas& ziel, const TStreifen& s, int n) : ziel_(ziel) {
  const double pixel = ziel.PixelProEinheit();
  const double spalten = (static_cast<double>(s.P2.x) - s.P1.x) * pixel;
  if (pixel > 0 && static_cast<double>(n) + 1 > spalten) pixelProEinheit_ = pixel;
}

// Drawing only calls the canvas, which reports failures instead of throwing, and the
// reduction allocates nothing, so nothing can escape here.
SpurReduktion::~SpurReduktion() { Abschliessen(); }

std::int64_t SpurReduktion::Spalte(int x) const {
  return static_cast<std::int64_t>(std::floor(x * pixelProEinheit_));
}

void SpurReduktion::KetteReduzieren() noexcept {
  auto& k = kette_;
  std::size_t w = 1;   // next place to write; the first point stays
  std::size_t g0 = 0;  // first point of the current stretch (already written)
  std::int64_t spalte = Spalte(k[0].x);
  // The stretch g0..g1 lies in one column, and its lines from g0 + 1 on share one colour:
  // keep its lowest and highest point between the ends, in their order, and its last.
  const auto schliessen = [&](std::size_t g1) {
    if (g1 == g0) return;
    std::size_t lo = g0, hi = g0;
    for (std::size_t i = g0 + 1; i <= g1; ++i) {
      if (k[i].y < k[lo].y) lo = i;
      if (k[i].y > k[hi].y) hi = i;
    }
    const std::size_t a = std::min(lo, hi), b = std::max(lo, hi);
    const Kettenpunkt pa = k[a], pb = k[b], pe = k[g1];
    if (a > g0 && a < g1) k[w++] = pa;
    if (b > g0 && b < g1 && b != a) k[w++] = pb;
    k[w++] = pe;
  };
  for (std::size_t i = 1; i < k.size(); ++i) {
    const std::int64_t s = Spalte(k[i].x);
    if (s == spalte && (i == g0 + 1 || k[i].farbe == k[g0 + 1].farbe)) continue;
    schliessen(i - 1);
    k[w++] = k[i];
    g0 = i;
    spalte = s;
  }
  schliessen(k.size() - 1);
  k.resize(w);
}

void SpurReduktion::Abschliessen() {
  if (!Reduziert()) return;
  if (kette_.size() >= 2) {
    KetteReduzieren();
    for (std::size_t i = 1; i < kette_.size(); ++i) {
      ziel_.StiftFarbe(kette_[i].farbe);
      ziel_.MoveTo(kette_[i].x, kette_[i].y);
      ziel_.LineTo(kette_[i - 1].x, kette_[i - 1].y);
    }
  }
  kette_.clear();
  if (farbeGesetzt_) ziel_.StiftFarbe(farbe_);
  ziel_.MoveTo(x_, y_);
}

void SpurReduktion::StiftFarbe(Farbe farbe) {
  if (!Reduziert()) return ziel_.StiftFarbe(farbe);
  farbe_ = farbe;
  farbeGesetzt_ = true;
}

void SpurReduktion::StiftBreite(int breite) {
  Abschliessen();
  ziel_.StiftBreite(breite);
}

void SpurReduktion::PinselFarbe(Farbe farbe) { ziel_.PinselFarbe(farbe); }

void SpurReduktion::MoveTo(int x, int y) {
  if (!Reduziert()) return ziel_.MoveTo(x, y);
  x_ = x;
  y_ = y;
}

void SpurReduktion::LineTo(int x, int y) {
  if (!Reduziert()) return ziel_.LineTo(x, y);
  // The traces draw from each point back to the one before: a line that ends on the newest
  // point of the run continues it; anything else begins a new run.
  const Kettenpunkt von{x_, y_, farbe_};
  if (!kette_.empty() && kette_.back().x == x && kette_.back().y == y) {
    kette_.push_back(von);
  } else {
    Abschliessen();
    kette_.push_back({x, y, farbe_});
    kette_.push_back(von);
  }
  x_ = x;
  y_ = y;
}

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

}  // namespace pegel::chart
