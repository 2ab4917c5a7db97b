// The continuous stretches of sampling in a loaded day: a stretch ends where two
// consecutive samples lie further apart than the sample interval plus one second.
// The history browser lists them; `pegeltool day` reports them with AbschnitteFinden.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gitter.h"
#include "text_format.h"

namespace pegel {

// The gap threshold of a sample interval of `messintervallMs`: the interval plus one second,
// as a fraction of a day.
TDateTime Zeitluecke(std::int32_t messintervallMs);

struct Abschnitte {
  // Per stretch k (from 0): the 0-based row of its first and of its last sample.
  std::vector<std::int32_t> lbix1, lbix2;
  // "Gesamtzeit", then per stretch "hh:mm:ss....hh:mm:ss" (its first and last time), the
  // last stretch with three dots instead of four.
  std::vector<std::string> cbIntervalle;
  // Rows covered, from row 0 up to the first row whose time does not convert.
  std::size_t zeilen = 0;
  // That row (0-based), when there is one.
  std::optional<std::size_t> zeitFehler;
};

// Finds the stretches in rows 0 .. `zeilen` - 1 of `grid` (at most its row count) from the
// time in column 1. A stretch ends where a time is more than `messintervallMs` + 1000 ms
// after the one before; a time that goes backwards never ends one. The comparison is made
// in whole milliseconds, so that samples exactly interval + 1 s apart stay together
// however the times round as fractions of a day. Scanning stops at the first time that
// does not convert (hh:mm or hh:mm:ss); the stretches then cover the rows before it.
// Throws only std::bad_alloc.
Abschnitte AbschnitteFinden(const gitter& grid, std::size_t zeilen, std::int32_t messintervallMs);

// All rows of `grid`: what `pegeltool day` lists for a day loaded with ReadDataF.
inline Abschnitte AbschnitteFinden(const gitter& grid, std::int32_t messintervallMs) {
  return AbschnitteFinden(grid, grid.Zeilen(), messintervallMs);
}

}  // namespace pegel
