#include "layout.h"

#include <stdexcept>

#include "geometrie.h"

namespace pegel::chart {

std::int32_t SeitenLayout(std::array<TStreifen, MaxGrafiken + 1>& streifen, int anzahl,
                          std::int32_t pw, std::int32_t ph) {
  if (anzahl < 0 || anzahl > MaxGrafiken) throw std::out_of_range("Grafikanzahl");
  if (anzahl == 0) return 0;
  int digital = 0;
  for (int i = 1; i <= anzahl; ++i) digital += streifen.at(i).Typ == Grafiktyp::Digital ? 1 : 0;
  const int analog = anzahl - digital;
  const std::int32_t rest = Minus(Minus(Minus(ph, 200), 100 * anzahl), 100 * digital);
  // Without an analog chart the height is not used; the division by N keeps it defined.
  const std::int32_t ah = Div(rest, analog > 0 ? analog : anzahl);
  for (int i = 1; i <= anzahl; ++i) {
    TStreifen& s = streifen.at(i);
    s.P1.x = 100;
    s.P1.d = i == 1 ? 100 : Plus(streifen.at(i - 1).P2.d, 100);
    s.P2.x = Minus(pw, 200);
    s.P2.d = Plus(s.P1.d, s.Typ == Grafiktyp::Digital ? 100 : ah);
  }
  return ah;
}

}  // namespace pegel::chart
