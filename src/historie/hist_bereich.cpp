#include "hist_bereich.h"

#include <algorithm>

#include "gruppen_datei.h"

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
  const Kopfdaten::Parameter& k = kopf.Par.at(static_cast<std::size_t>(i));
  const Parameter& p = par.at(i);
  HistorienKurve c;
  c.Parameter = i;
  c.Name = k.Name;
  c.Einheit = k.Einheit;
  c.Typ = Roh(k.Typ);
  c.Ref = k.GrafikRef;
  c.Kurvenfarbe = p.ColorNorm;
  c.Warnfarbe = p.ColorWarn;
  c.UpWarn = p.UpWarn;
  c.LoWarn = p.LoWarn;
  c.MinSkal = p.MinSkal;
  c.MaxSkal = p.MaxSkal;
  c.Werte = SpaltenWerte(grid, i, ersteZeile, zeilen);
  return c;
}

}  // namespace pegel::historie
