// The state of one chart page: what the renderer reads and the records it writes back.
// The owner (the live chart window, a tool, a test) fills it and keeps it between pages;
// the statistics records persist from one page to the next.
#pragma once

#include <array>
#include <cstdint>
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
  std::int32_t Skalierung = 0;
  Punkt P1;
  Punkt P2;
  std::int32_t Nulllinie = 0;  // depth of the value 0
};

struct TGrafikstatistik {
  std::int32_t Anzahl = 0;
  double Minimum = 30000.0;
  double Maximum = -9999.0;
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
};

// Index 1..9 in the per-chart arrays (slot 0 unused), as charts are numbered from the top.
struct ChartSeite {
  std::int32_t Seitenbreite = 284;  // mm
  std::int32_t Seitenhoehe = 199;   // mm
  std::int32_t Anzahl = 0;          // N, the chart count
  std::array<TStreifen, MaxGrafiken + 1> Streifen{};
  std::vector<std::vector<double>> Grafikspeicher;  // chart i is Grafikspeicher[i - 1]
  std::array<TGrafikstatistik, MaxGrafiken + 1> Grafikstatistik{};
  std::array<TGrafikstatistik, MaxGrafiken + 1> GrafikstatistikVorher{};
  std::array<ChartAnzeige, MaxGrafiken + 1> Anzeige{};

  // Time axis of the fixed window.
  std::vector<std::string> Zeitlabels;
  double PunkteProLabel = 1.0;
  TDateTime FestAnfang = 0;
  TDateTime FestEnd = 0;
  double LabelMinuten = 0;

  std::int32_t Schreibposition = 0;
  bool GanzerTag = false;
  bool MitCursor = false;
  std::int32_t Textrand = 0;
  std::int32_t IntervallZahl = 0;  // the collector's measurement interval
  bool IntervallMinuten = false;   // its unit: minutes, else seconds
  bool DigNull = false;            // "Digitale Null-Linie" of the live table
  bool Schliesst = false;          // the window is closing: draw nothing
};

}  // namespace pegel::chart
