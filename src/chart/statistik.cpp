#include "statistik.h"

#include <algorithm>

namespace pegel::chart {

void Statistik(TGrafikstatistik& s, const std::vector<double>& werte, int hoechsterIndex,
               double minimumStart, double maximumStart) {
  s.Anzahl = 0;
  s.Minimum = minimumStart;
  s.Maximum = maximumStart;
  double summe = 0;
  const int ende = std::min(hoechsterIndex + 1, static_cast<int>(werte.size()));
  for (int j = 0; j < ende; ++j) {
    const double v = werte[static_cast<std::size_t>(j)];
    if (v == NoValue) continue;
    // The first value sets both ends: the start values would otherwise cut off a range
    // above 30000 or below -9999.
    if (s.Anzahl == 0 || v > s.Maximum) s.Maximum = v;
    if (s.Anzahl == 0 || v < s.Minimum) s.Minimum = v;
    summe += v;
    ++s.Anzahl;
  }
  s.Mittelwert = s.Anzahl > 0 ? summe / s.Anzahl : 0.0;
}

}  // namespace pegel::chart
