// The x positions of a chart's slots: slot j of 0..n sits at round(j * dx + P1.x + 50)
// with dx = (P2.x - P1.x - 100) / n.
#pragma once

#include <cstdint>

#include "geometrie.h"
#include "seite.h"

namespace pegel::chart {

struct Raster {
  double dx = 0;
  std::int32_t links = 0;  // x of slot 0

  // Throws GeometrieFehler when the position does not fit Int32.
  std::int32_t X(double j) const { return Rund(j * dx + links); }
};

// The slot raster of strip `s` with highest index n. A single slot (n = 0) has no slot
// distance; dx is then 0 and the slot sits at the left end.
inline Raster SlotRaster(const TStreifen& s, int n) {
  Raster r;
  r.links = Plus(s.P1.x, 50);
  if (n > 0) r.dx = static_cast<double>(Minus(Minus(s.P2.x, s.P1.x), 100)) / n;
  return r;
}

}  // namespace pegel::chart
