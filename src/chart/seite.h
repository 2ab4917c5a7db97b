// The data of one chart page: what the renderer reads and the records it writes back. The
// owner (a chart window's logic, a tool, a test) fills it and keeps it between pages; the
// statistics records persist from one page to the next. Charts are numbered 1..Anzahl from
// the top, and every per-chart array is indexed by that number (slot 0 unused).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "farben.h"
#include "grafiktyp.h"
#include "grenzen.h"
#include "text_format.h"

namespace pegel::chart {

inline constexpr int MaxGrafiken = 9;
// LetztX of a chart that has no previous point.
inline constexpr std::int32_t KeinPunkt = -32000;

struct Punkt {
  std::int32_t x = 0;
  std::int32_t d = 0;  // depth below the top page edge
};

struct TStreifen {
  Grafiktyp Typ = Grafiktyp::Analog;
  std::int32_t Skalierung = 0;  // 0 from zero, 1 from the minimum, 2 the user scale
  Punkt P1;
  Punkt P2;
  std::int32_t Nulllinie = 0;  // depth of the value 0
};

struct TGrafikstatistik {
  std::int32_t Anzahl = 0;
  double Minimum = 30000.0;
  double Maximum = -9999.0;
  double Mittelwert = 0;  // computed headers only
  double Faktor = 0;
  std::int32_t LetztX = KeinPunkt;
  std::int32_t LetztY = 0;
  double LetzterWert = 0;
};

// What a chart shows besides its values.
struct ChartAnzeige {
  std::string Name;
  std::string Einheit;
  std::array<std::string, 9> Statistiktexte{};  // 1 mean, 2 min, 3 max, 4 hours, 5 sum
  std::string Werttext;
  std::string GrafikSumEinheit;
  double GrafikSumTeiler = 1.0;
  double UpWarn = 0;
  double LoWarn = 0;
  double MinSkal = 0;
  double MaxSkal = 0;
  Farbe Kurvenfarbe = Schwarz;
  Farbe Warnfarbe = Rot;
  // The printed page: the collector's sum of the day (analog) or operating hours (digital);
  // printed while above 0.
  double AktMax = -1.0;
};

// The history window's scale override ("Skala ändern") and, without it, what the grid
// proposes for its two input boxes.
struct Skalenwahl {
  double UntereGrenze = 0;   // the minimum of every analog chart
  double Skalenteilung = 0;  // the grid step
  std::int32_t SkalaModus = 0;
};

struct ChartSeite {
  std::int32_t Seitenbreite = 284;  // mm
  std::int32_t Seitenhoehe = 199;   // mm
  std::int32_t Anzahl = 0;          // N, the chart count
  std::array<TStreifen, MaxGrafiken + 1> Streifen{};
  std::array<std::vector<double>, MaxGrafiken + 1> Grafikspeicher{};
  std::array<TGrafikstatistik, MaxGrafiken + 1> Grafikstatistik{};
  std::array<ChartAnzeige, MaxGrafiken + 1> Anzeige{};

  // The time axis (Achsenart::Zeitlabels): label k at slot trunc(k * PunkteProLabel).
  std::vector<std::string> Zeitlabels;
  double PunkteProLabel = 1.0;

  std::int32_t Schreibposition = 0;  // the cursor: the newest slot
  std::int32_t Textrand = 0;         // extra indent of the statistics texts
  // The footer: the sample interval as "{zahl}{einheit}" (the unit with its leading blank)
  // and the day of a stored page.
  std::int32_t IntervallZahl = 0;
  std::string IntervallEinheit = " Sekunde(n)";
  TDateTime Tag = 0;
  // The sample interval in ms, for the operating time of computed digital headers.
  std::int32_t Messintervall = 0;

  // Skalenart::Raster: with a value the operator's override applies to every analog chart;
  // the grid writes its proposal into `RasterVorschlag` (the last analog chart wins).
  std::optional<Skalenwahl> Skalenvorgabe;
  Skalenwahl RasterVorschlag;

  bool Schliesst = false;  // the window is closing: draw nothing
};

}  // namespace pegel::chart
