// Value statistics of one chart, the basis of its scaling.
#pragma once

#include <vector>

#include "seite.h"

namespace pegel::chart {

// Anzahl, Minimum and Maximum over the values 0..hoechsterIndex (within the array) that
// are not NoValue. A chart without valid values gets Minimum 30000.0 and Maximum -9999.0.
// The other fields of the record are left alone.
void Statistik(TGrafikstatistik& s, const std::vector<double>& werte, int hoechsterIndex);

}  // namespace pegel::chart
