// The spans of the live chart, entries 0..8 of the display settings' list coStunden: the
// span check of the settings uses their seconds, the live chart's fixed time window their
// hours, label distance and start.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "text_format.h"

namespace pegel {

inline constexpr int SpannenAnzahl = 9;
inline constexpr int SpanneAndere = 8;  // "andere": spAndere minutes
inline constexpr int LabelsJeSpanne = 12;

// Where the fixed time window of a span begins.
enum class Spannenbeginn {
  Jetzt,        // the current hour and minute
  VolleStunde,  // the current full hour; earlier when the span would run past midnight
  HalberTag,    // 12:00 in the afternoon, else 0:00
  Mitternacht,  // 0:00
};

// Entry text of span k (0..8), Windows-1252; empty for any other k.
std::string SpannenText(int k);
// Seconds of span k; "andere" is spAndere minutes. -1 for any other k.
std::int64_t Spannensekunden(int k, int spAndere);

// The fixed time window of span k at the time `jetzt`.
struct Zeitfenster {
  double Spanne = 0;        // hours
  double LabelMinuten = 0;  // minutes between the 12 labels
  TDateTime FestAnfang = 0;
  // For the spans that begin at a full hour: the window's first and (exclusive) last hour.
  std::optional<std::pair<int, int>> Stunden;
};
// Empty for a k outside 0..8.
std::optional<Zeitfenster> SpannenFenster(int k, int spAndere, TDateTime jetzt);

}  // namespace pegel
