// What the history browser hands to the history chart for a span of rows: the checks
// before the hand-off, the time labels under the axis and a parameter's values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gitter.h"
#include "text_format.h"

namespace pegel {

// The time axis of `zeilen` rows: at most 16 labels, one every `schritt` rows.
struct Zeitteilung {
  std::int32_t labels = 0;
  double schritt = 1.0;  // >= 1.0
};

// L := rows; above 16, rows div d for the first d = 2, 3, ... with rows / d <= 16 (the
// real quotient, so that 300 rows give 15 labels 20 rows apart and 1440 give 16 labels 90
// apart); step := rows / L, at least 1.0. No labels for fewer than one row.
Zeitteilung ZeitTeilung(std::int32_t zeilen);

// The labels for rows `ersteZeile` .. `ersteZeile` + `zeilen` - 1 (1-based): label n is the
// time text (column 1) of the first row j (counted from 0 within the span) with
// Trunc(n * schritt) <= j; at most one per row and at most `teilung.labels`. A row beyond
// the grid gives an empty text.
std::vector<std::string> Zeitlabels(const gitter& grid, std::int32_t ersteZeile,
                                    std::int32_t zeilen, const Zeitteilung& teilung);

// The values of parameter `parameter` (column parameter + 1) in the same rows; a cell that
// does not convert, or lies beyond the grid, gives 0.0.
std::vector<double> SpaltenWerte(const gitter& grid, std::int32_t parameter,
                                 std::int32_t ersteZeile, std::int32_t zeilen);
// The same for several parameters at once, one vector per parameter in their order. The
// rows are read one after the other, each once for all its columns: a day's rows lie far
// apart in memory, and reading them column by column would fetch every row once per
// parameter.
std::vector<std::vector<double>> SpaltenWerte(const gitter& grid, const std::vector<int>& parameter,
                                              std::int32_t ersteZeile, std::int32_t zeilen);

// One chart of the history page as a loader hands it over: the parameter's number in the
// day, its names and types from the day header, its colours, warning limits and user scale
// from the current configuration, and its values over the loaded rows.
struct HistorienKurve {
  std::int32_t Parameter = 0;  // 1-based number of the parameter in the day
  std::string Name;
  std::string Einheit;
  std::int32_t Typ = 1;  // Grafiktyp as read (1 analog, 2 digital; others are refused)
  std::int32_t Ref = 0;  // GrafikRef: 0 zero, 1 minimum, 2 user scale
  std::int32_t Kurvenfarbe = 0;
  std::int32_t Warnfarbe = 0;
  double UpWarn = 0;
  double LoWarn = 0;
  double MinSkal = 0;
  double MaxSkal = 0;
  std::vector<double> Werte;  // one per loaded row
};

// The loaded range of a stored day with up to nine charts: what the history browser's
// hand-off, the main window's loader of old data and the chart's own day menu give the
// history chart.
struct HistorienBereich {
  std::int32_t Itemcount = 0;  // parameters of the day (HistKopf.Itemcount)
  std::int32_t SelStart = 0;   // first and last loaded row, 1-based
  std::int32_t SelEnd = 0;
  std::int32_t Zeilen = 0;  // SelEnd - SelStart + 1
  std::vector<std::string> Zeitlabels;
  double PunkteProLabel = 1.0;
  TDateTime Tag = 0;  // the day of the loaded file
  std::vector<HistorienKurve> Kurven;
  // The loaded day's own sample interval in ms (its header's; the footer and the operating
  // time of digital charts). 0 when the loader does not know it.
  std::int32_t Messintervall = 0;
};

// The message that stops a chart hand-off of `zeilen` rows and `parameter` chosen
// parameters, in the order the checks run; empty when the chart can be drawn.
std::optional<std::string> GrafikUebergabePruefen(std::int32_t zeilen, std::size_t parameter);

}  // namespace pegel
