#include "abschnitte.h"

#include <algorithm>
#include <cmath>

namespace pegel {

namespace {

constexpr double MsProTag = 86400000.0;

std::int64_t Millisekunden(TDateTime t) { return std::llround(t * MsProTag); }

}  // namespace

TDateTime Zeitluecke(std::int32_t messintervallMs) {
  return (static_cast<double>(messintervallMs) / 1000.0 + 1.0) / 86400.0;
}

Abschnitte AbschnitteFinden(const gitter& grid, std::size_t zeilen, std::int32_t messintervallMs) {
  Abschnitte a;
  a.cbIntervalle.push_back("Gesamtzeit");
  zeilen = std::min(zeilen, grid.Zeilen());
  const std::int64_t luecke = static_cast<std::int64_t>(messintervallMs) + 1000;

  TDateTime beginn = 0, vorige = 0;
  std::int64_t vorigeMs = 0;
  std::size_t r = 0;
  for (; r < zeilen; ++r) {
    const auto t = ZeitLesen(grid.Zelle(r, 1));
    if (!t) {
      a.zeitFehler = r;
      break;
    }
    const std::int64_t ms = Millisekunden(*t);
    if (r == 0) {
      beginn = *t;
      a.lbix1.push_back(0);
    } else if (ms - vorigeMs > luecke) {
      a.cbIntervalle.push_back(ZeitText(beginn) + "...." + ZeitText(vorige));
      a.lbix1.push_back(static_cast<std::int32_t>(r));
      a.lbix2.push_back(static_cast<std::int32_t>(r - 1));
      beginn = *t;
    }
    vorige = *t;
    vorigeMs = ms;
  }
  a.zeilen = r;
  if (r > 0) {
    a.cbIntervalle.push_back(ZeitText(beginn) + "..." + ZeitText(vorige));
    a.lbix2.push_back(static_cast<std::int32_t>(r - 1));
  }
  return a;
}

}  // namespace pegel
