#include "digital_spur.h"

#include <algorithm>

#include "geometrie.h"
#include "raster.h"
#include "spur_reduktion.h"

namespace pegel::chart {

namespace {

constexpr double Schwelle = 0.6;

struct Balken {
  const TStreifen& s;
  Raster r;
  int n;

  // The last slot has no right neighbour: its bar is at most 4 mm wide.
  std::int32_t Ende(int j) const {
    if (j < n) return r.X(j + 1);
    const double w = n > 0 ? std::min(r.dx, 40.0) : 40.0;
    return Rund(r.X(j) + w);
  }
  void Hoch(Canvas& c, int j) const {
    c.FuellRechteck(r.X(j), Tiefe(Plus(s.P1.d, 20)), Ende(j), Tiefe(Minus(s.P2.d, 10)));
  }
  void Tief(Canvas& c, int j) const {
    c.FuellRechteck(r.X(j), Tiefe(Minus(s.P2.d, 15)), Ende(j), Tiefe(Minus(s.P2.d, 10)));
  }
};

}  // namespace

void DigitalRollend(Canvas& c, const TStreifen& s, TGrafikstatistik& st,
                    const std::vector<double>& werte) {
  const int n = static_cast<int>(werte.size()) - 1;
  const Balken b{s, SlotRaster(s, n), n};
  st.LetzterWert = 0.0;
  bool erster = true;
  for (int j = 0; j <= n; ++j) {
    const double v = werte[static_cast<std::size_t>(j)];
    if (v == NoValue) continue;
    c.PinselFarbe(Rot);
    if (v > Schwelle) {
      b.Hoch(c, j);
    } else {
      b.Tief(c, j);
    }
    const std::int32_t x = b.r.X(j);
    if (!erster) {
      c.PinselFarbe(st.LetzterWert > Schwelle ? Schwarz : Weiss);
      c.FuellRechteck(st.LetztX, Tiefe(Plus(s.P1.d, 20)), x, Tiefe(Minus(s.P2.d, 10)));
    }
    erster = false;
    st.LetztX = x;
    st.LetzterWert = v;
  }
}

void DigitalJeSlot(Canvas& ziel, const TStreifen& s, const std::vector<double>& werte,
                   int rotePosition, bool nullLinie) {
  const int n = static_cast<int>(werte.size()) - 1;
  BalkenReduktion c(ziel, s, n);
  const Balken b{s, SlotRaster(s, n), n};
  for (int j = 0; j <= n; ++j) {
    const Farbe dunkel = j == rotePosition ? Rot : Schwarz;
    if (werte[static_cast<std::size_t>(j)] > Schwelle) {
      c.PinselFarbe(dunkel);
      b.Hoch(c, j);
    } else {
      c.PinselFarbe(Weiss);
      b.Hoch(c, j);
      if (nullLinie) {
        c.PinselFarbe(dunkel);
        b.Tief(c, j);
      }
    }
  }
  c.PinselFarbe(Weiss);
}

}  // namespace pegel::chart
