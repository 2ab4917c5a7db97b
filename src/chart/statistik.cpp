#include "statistik.h"

#include <algorithm>

namespace pegel::chart {

void Statistik(TGrafikstatistik& s, const std::vector<double>& werte, int hoechsterIndex,
               double minimumStart, double maximumStart) {
  // Counted in locals, which the compiler keeps in registers over a day's points.
  std::int32_t anzahl = 0;
  double minimum = minimumStart;
  double maximum = maximumStart;
  double summe = 0;
  const int ende = std::min(hoechsterIndex + 1, static_cast<int>(werte.size()));
  for (int j = 0; j < ende; ++j) {
    const double v = werte[static_cast<std::size_t>(j)];
    if (v == NoValue) continue;
    // The first value sets both ends: the start values would otherwise cut off a range
    // above 30000 or below -9999.
    if (anzahl == 0 || v > maximum) maximum = v;
    if (anzahl == 0 || v < minimum) minimum = v;
    summe += v;
    ++anzahl;
  }
  s.Anzahl = anzahl;
  s.Minimum = minimum;
  s.Maximum = maximum;
  s.Mittelwert = anzahl > 0 ? summe / anzahl : 0.0;
}

}  // namespace pegel::chart
