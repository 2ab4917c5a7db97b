// The time axes under a chart strip: slot numbers along the rolling buffer, or the time
// labels of a fixed time window.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"
#include "log.h"
#include "schriften.h"
#include "seite.h"

namespace pegel::chart {

// Rolling buffer of slots 0..n: L = min(n, 24) label intervals, labels 1 .. n + 1 (one
// decimal when the step n / L is fractional), ticks with the current pen. Draws nothing
// for n < 1. Throws GeometrieFehler.
void RollendeZeitachse(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s, int n);

// Fixed time window: label k at slot trunc(k * punkteProLabel), until the labels run out.
// With `letzterAmEnde` the last slot n always takes the next label (live page); the
// history page passes false. A slot whose label fails is skipped. Draws nothing for n < 1.
void LabelZeitachse(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s, int n,
                    const std::vector<std::string>& labels, double punkteProLabel,
                    bool letzterAmEnde);

// The time labels of a printed day of `zeilen` rows: at most 16, the row step d growing from 1
// until rows div d labels fit; `abstand` = rows / labels (at least 1.0) rows apart. No labels
// for fewer than one row.
struct Markenteilung {
  int anzahl = 0;
  double abstand = 1.0;
};
Markenteilung DruckMarken(int zeilen);

}  // namespace pegel::chart
