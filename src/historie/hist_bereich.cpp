#include "hist_bereich.h"

#include <algorithm>

#include "gruppen_datei.h"
#include "historie_uebergabe.h"

namespace pegel::historie {

Parameterwahl GruppenWahl(const TGruppe& gruppe, std::int32_t itemcount) {
  std::vector<int> mitglieder;
  for (std::int32_t p : GruppenMitglieder(gruppe)) mitglieder.push_back(p);
  std::sort(mitglieder.begin(), mitglieder.end());
  mitglieder.erase(std::unique(mitglieder.begin(), mitglieder.end()), mitglieder.end());
  Parameterwahl w;
  for (int p : mitglieder) (p <= itemcount ? w.parameter : w.ausgelassen).push_back(p);
  return w;
}

std::vector<int> ErsteParameter(std::int32_t itemcount) {
  std::vector<int> p;
  for (int i = 1; i <= std::min<std::int32_t>(itemcount, 9); ++i) p.push_back(i);
  return p;
}

HistorienKurve KurveBauen(const gitter& grid, const Kopfdaten& kopf, const ParameterTabelle& par,
                          int i, std::int32_t ersteZeile, std::int32_t zeilen) {
  return KurveAusKopf(kopf, par, i, SpaltenWerte(grid, i, ersteZeile, zeilen));
}

}  // namespace pegel::historie
