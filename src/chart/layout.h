// The strip layout of a chart page: 10 mm top and left margin, 20 mm right margin, 10 mm
// between strips, digital strips 10 mm high, analog strips sharing the rest, the lowest
// 20 mm for the footer.
#pragma once

#include <array>
#include <cstdint>

#include "seite.h"

namespace pegel::chart {

// Sets P1 and P2 of charts 1..anzahl (0..9) from their Typ (digital, anything else
// analog) on a page of pw x ph (0.1 mm). Returns the analog strip height AH (0 without
// charts). Throws GeometrieFehler on overflow; anzahl outside 0..9 throws std::out_of_range.
std::int32_t SeitenLayout(std::array<TStreifen, MaxGrafiken + 1>& streifen, int anzahl,
                          std::int32_t pw, std::int32_t ph);

}  // namespace pegel::chart
