// The traces of an analog chart. A trace of more slots than its strip has device pixel
// columns reaches the canvas reduced per column (spur_reduktion.h).
#pragma once

#include <vector>

#include "canvas.h"
#include "seite.h"

namespace pegel::chart {

// Rolling mode: every valid value joined back to the previous valid one (gaps bridged),
// the first drawn as a dot. With Skalierung 2 values outside MinSkal..MaxSkal are clamped
// in `werte` itself and drawn in Warnfarbe; so are values at or beyond UpWarn/LoWarn
// unless UpWarn lies within +-0.001. Uses st.Faktor and s.Nulllinie; updates
// st.LetztX/LetztY. Throws GeometrieFehler when a point does not fit.
void AnalogRollend(Canvas& c, const TStreifen& s, TGrafikstatistik& st, const ChartAnzeige& a,
                   std::vector<double>& werte);

// Cursor mode: broken at every gap and between the newest slot (schreibposition) and the
// oldest; no clamping and no warning colour. Throws GeometrieFehler.
void AnalogCursor(Canvas& c, const TStreifen& s, TGrafikstatistik& st, const ChartAnzeige& a,
                  const std::vector<double>& werte, int schreibposition);

// With gaps (history page): a NoValue entry, and a value below the chart's st.Minimum, breaks
// the trace; values at or beyond UpWarn/LoWarn are drawn in Warnfarbe unless UpWarn lies
// within +-0.001; no clamping and no dot for a single point. Throws GeometrieFehler.
void AnalogLuecken(Canvas& c, const TStreifen& s, TGrafikstatistik& st, const ChartAnzeige& a,
                   const std::vector<double>& werte);

// The red cursor line halfway between slot schreibposition and the next, when
// 0 <= schreibposition < n; afterwards the pen is `kurvenfarbe`. Throws GeometrieFehler.
void CursorLinie(Canvas& c, const TStreifen& s, int n, int schreibposition, Farbe kurvenfarbe);

}  // namespace pegel::chart
