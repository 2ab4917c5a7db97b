#include "zeitachse.h"

#include <algorithm>
#include <cmath>

#include "geometrie.h"
#include "raster.h"
#include "text_format.h"

namespace pegel::chart {

namespace {

void Marke(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s, std::int32_t x,
           const std::string& text) {
  c.MoveTo(x, Tiefe(s.P2.d));
  c.LineTo(x, Tiefe(Plus(s.P2.d, 10)));
  New_TextAusgabe(c, f, log, x, text, 2, Schwarz, 1, Tiefe(Plus(s.P2.d, 50)));
}

}  // namespace

void RollendeZeitachse(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s, int n) {
  if (n < 1) return;
  const int l = std::min(n, 24);
  const double schritt = static_cast<double>(n) / l;
  const int dezimalen = schritt != std::trunc(schritt) ? 1 : 0;
  const double dx = static_cast<double>(Minus(Minus(s.P2.x, s.P1.x), 100)) / l;
  for (int m = 1; m <= l + 1; ++m) {
    const std::int32_t x = Rund((m - 1) * dx + Plus(s.P1.x, 50));
    Marke(c, f, log, s, x, FestFormat((m - 1) * schritt + 1, 4, dezimalen));
  }
}

void LabelZeitachse(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s, int n,
                    const std::vector<std::string>& labels, double punkteProLabel,
                    bool letzterAmEnde) {
  if (n < 1) return;
  const Raster r = SlotRaster(s, n);
  const int hoechster = static_cast<int>(labels.size()) - 1;
  int k = 0;
  // The slot of label k, found once per label rather than once per slot.
  int slotFuer = -1;
  std::int32_t slot = 0;
  for (int j = 0; j <= n && k <= hoechster; ++j) {
    try {
      const bool amEnde = letzterAmEnde && j == n;
      if (slotFuer != k) {
        slot = Abgeschnitten(k * punkteProLabel);
        slotFuer = k;
      }
      if (j < slot && !amEnde) {
        // The slots before the label's (or before the last slot, which may take it) draw
        // nothing.
        j = (letzterAmEnde ? std::min(slot, n) : slot) - 1;
        continue;
      }
      Marke(c, f, log, s, r.X(j), labels.at(static_cast<std::size_t>(k)));
      ++k;
    } catch (const std::exception& e) {
      // One slot that cannot be placed must not cost the rest of the axis; the reason goes to
      // the conditional log.
      log.LogFehler(std::string("Zeitachse : ") + e.what());
    }
  }
}

Markenteilung DruckMarken(int zeilen) {
  Markenteilung m;
  if (zeilen < 1) return m;
  int d = 1;
  m.anzahl = zeilen;
  while (m.anzahl > 16) {
    ++d;
    m.anzahl = zeilen / d;
  }
  m.abstand = std::max(1.0, static_cast<double>(zeilen) / m.anzahl);
  return m;
}

}  // namespace pegel::chart
