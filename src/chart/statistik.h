// Value statistics of one chart, the basis of its scaling and of the computed headers.
#pragma once

#include <vector>

#include "seite.h"

namespace pegel::chart {

// Anzahl, Minimum, Maximum and Mittelwert over the values 0..hoechsterIndex (within the array)
// that are not NoValue; the first such value becomes Minimum and Maximum. A chart without
// valid values keeps the start values and Mittelwert 0. The other fields are left alone.
void Statistik(TGrafikstatistik& s, const std::vector<double>& werte, int hoechsterIndex,
               double minimumStart = 30000.0, double maximumStart = -9999.0);

}  // namespace pegel::chart
