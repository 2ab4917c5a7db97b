// What the history chart's own loaders (a group, a day of its day menu, the main window's
// old data) hand to the chart: the same hand-off as the history browser's, built from a
// loaded day's grid and header and the current parameter records.
#pragma once

#include <cstdint>
#include <vector>

#include "gitter.h"
#include "grafik_uebergabe.h"
#include "parameter.h"
#include "state.h"
#include "tageskopf.h"

namespace pegel::historie {

// The parameters a group shows in a day of `itemcount` parameters: its members (up to the
// first entry below 1) in number order, each once. Members beyond the day's columns are
// listed in `ausgelassen`, also in number order.
struct Parameterwahl {
  std::vector<int> parameter;
  std::vector<int> ausgelassen;
};
Parameterwahl GruppenWahl(const TGruppe& gruppe, std::int32_t itemcount);

// Parameters 1..9 of a day, as far as it has them.
std::vector<int> ErsteParameter(std::int32_t itemcount);

// Chart data of parameter `i` over rows ersteZeile .. ersteZeile + zeilen - 1 (1-based) of
// `grid`: name, unit, type and reference from the day's header; colours, warning limits
// and user scale from the parameter records (default records for a parameter the
// configuration does not have); a cell that does not convert gives 0.0. Throws
// std::out_of_range for i outside 1..MaxItems.
HistorienKurve KurveBauen(const gitter& grid, const Kopfdaten& kopf, const ParameterTabelle& par,
                          int i, std::int32_t ersteZeile, std::int32_t zeilen);

}  // namespace pegel::historie
