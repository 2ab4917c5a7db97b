// Scaling of an analog chart, its zero line and its scale marks.
#pragma once

#include <cstdint>
#include <optional>

#include "canvas.h"
#include "geometrie.h"
#include "log.h"
#include "schriften.h"
#include "seite.h"

namespace pegel::chart {

// Computes Faktor (0.1 mm per value unit, into `st`) and the depth of the value 0 (into
// s.Nulllinie) from st.Minimum/Maximum and the mode s.Skalierung (0 from zero, 1 from the
// minimum, 2 the user scale minSkal..maxSkal). A flat range moves Minimum or Maximum in
// `st` (positive: 0..v, zero: 0..1, negative: v..0). Returns the range R including the
// 10 % margin. Throws GeometrieFehler when a depth does not fit Int32.
double Skalieren(TStreifen& s, TGrafikstatistik& st, double minSkal, double maxSkal);

// Logical y of value v: round(v * faktor - nulllinie). Throws GeometrieFehler.
inline std::int32_t WertY(double v, double faktor, std::int32_t nulllinie) {
  return Rund(v * faktor - nulllinie);
}

// The green zero line across the strip, from xLinks to P2.x, when Nulllinie lies strictly
// inside the strip; with `mitText` the label "0.0" left of the strip. Leaves the pen green
// with width `breite`; returns whether it drew. Throws GeometrieFehler.
bool NulllinieZeichnen(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s,
                       std::int32_t xLinks, int breite, bool mitText);

// Blue ticks at the right frame edge for the top value `oben` and, when the two are more
// than 10 mm apart, the bottom value `unten`; with `mitText` their values (fixed, 5
// digits, 2 decimals) right of the tick. Throws GeometrieFehler.
void SkalenMarken(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s, double faktor,
                  double oben, double unten, bool mitText);

// The silver grid of the history page over a strip of analog height `ah` (AH div 40 steps
// at most), with the values in grey, font 1, right of the strip. `r` is the range from
// Skalieren. Without `vorgabe` the step is R / steps (its integer part above 1) starting at
// one step, and the proposal (the chart's minimum, the step, its mode) goes into
// `vorschlag`; with it the grid starts at 0 with the given step. No grid for a step, a factor
// or a range that is not positive, and never more lines than fit the strip.
// Throws GeometrieFehler.
void SkalenRaster(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s,
                  const TGrafikstatistik& st, double r, std::int32_t ah,
                  const std::optional<Skalenwahl>& vorgabe, Skalenwahl& vorschlag);

}  // namespace pegel::chart
