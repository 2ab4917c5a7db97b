// The mapping of a chart page's logical units (0.1 mm, y up) onto device pixels:
// device = logical * skala + ursprung.
#pragma once

#include <cstdint>

namespace pegel::ui {

struct Abbildung {
  double sx = 1;
  double sy = -1;
  double ox = 0;
  double oy = 0;

  // Screen: the page of pw x ph logical units stretched onto w x h pixels (window extent
  // (pw, -ph) against viewport extent (w, h)).
  static Abbildung Anisotrop(int w, int h, std::int32_t pw, std::int32_t ph) {
    return {static_cast<double>(w) / pw, -static_cast<double>(h) / ph, 0, 0};
  }
  // Printer, PDF and image: exactly 0.1 mm per unit at `dpi` (window extent (2540, -2540)
  // against viewport extent (dpi x 10, dpi x 10)); extents derived from the page size
  // would round off.
  static Abbildung Metrisch(double dpi) { return {dpi * 10 / 2540.0, -(dpi * 10) / 2540.0, 0, 0}; }
};

}  // namespace pegel::ui
