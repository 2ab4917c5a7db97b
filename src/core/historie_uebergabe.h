// The history browser's hand-off to the history chart: the checks before it, and the
// loaded range with its time labels and charts, built from the day's grid and header and
// the current parameter table. Shows nothing and logs nothing; the window and
// `pegeltool chart` use it alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gitter.h"
#include "grafik_uebergabe.h"
#include "parameter.h"
#include "tageskopf.h"
#include "text_format.h"

namespace pegel {

struct UebergabeErgebnis {
  // The message that stopped the hand-off; the range is then empty.
  std::optional<std::string> Meldung;
  HistorienBereich Bereich;
};

// The chart of parameter i (1..MaxItems) with `werte`: name, unit, type and reference from
// `kopf`, colours, warning limits and user scale from the parameter table. Every loader of the
// history chart builds its charts through it. Throws std::out_of_range for an i outside the
// header or the table.
HistorienKurve KurveAusKopf(const Kopfdaten& kopf, const ParameterTabelle& par, int i,
                            std::vector<double> werte);

// Builds the chart hand-off for rows `selStart` .. `selEnd` (1-based, as the track bars'
// band) of the loaded day `tag`:
// - the checks in this order: fewer than two rows, no parameter chosen, more than nine
//   (GrafikUebergabePruefen); the first that fails is the Meldung;
// - the time labels of the span (ZeitTeilung, Zeitlabels);
// - per chosen parameter, in the given order, a chart: name, unit, type and reference
//   from `histKopf` (the browser's header, with the operator's reference choice), colours,
//   warning limits and user scale from `par` (the current configuration), the values
//   of its column with 0.0 for a cell that does not convert or lies beyond the grid.
// Itemcount is histKopf.Itemcount, Tag is `tagDatum`. A parameter number outside
// 1..MaxItems is refused with a message rather than read. Throws only std::bad_alloc.
UebergabeErgebnis HistorienUebergabe(const gitter& tag, const Kopfdaten& histKopf,
                                     const ParameterTabelle& par, std::int32_t selStart,
                                     std::int32_t selEnd, const std::vector<int>& parameter,
                                     TDateTime tagDatum);

// The message for a parameter number the day does not have.
std::string UnbekannterParameterText(int parameter);

}  // namespace pegel
