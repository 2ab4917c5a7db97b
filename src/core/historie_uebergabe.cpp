#include "historie_uebergabe.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "grenzen.h"

namespace pegel {

std::string UnbekannterParameterText(int parameter) {
  return "Parameter " + std::to_string(parameter) + " ist nicht vorhanden !";
}

HistorienKurve KurveAusKopf(const Kopfdaten& kopf, const ParameterTabelle& par, int i,
                            std::vector<double> werte) {
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
  c.Werte = std::move(werte);
  return c;
}

UebergabeErgebnis HistorienUebergabe(const gitter& tag, const Kopfdaten& histKopf,
                                     const ParameterTabelle& par, std::int32_t selStart,
                                     std::int32_t selEnd, const std::vector<int>& parameter,
                                     TDateTime tagDatum) {
  UebergabeErgebnis ergebnis;
  // In 64 bits: a band from a bar that was never loaded must not overflow.
  const std::int64_t breite = static_cast<std::int64_t>(selEnd) - selStart + 1;
  const std::int32_t zeilen = breite < 0 ? 0
                                         : static_cast<std::int32_t>(std::min<std::int64_t>(
                                               breite, std::numeric_limits<std::int32_t>::max()));
  if (auto meldung = GrafikUebergabePruefen(zeilen, parameter.size())) {
    ergebnis.Meldung = std::move(meldung);
    return ergebnis;
  }
  for (const int i : parameter) {
    if (i < 1 || i > MaxItems) {
      ergebnis.Meldung = UnbekannterParameterText(i);
      return ergebnis;
    }
  }

  HistorienBereich& b = ergebnis.Bereich;
  b.Itemcount = histKopf.Itemcount;
  b.SelStart = selStart;
  b.SelEnd = selEnd;
  b.Zeilen = zeilen;
  b.Tag = tagDatum;
  const Zeitteilung teilung = ZeitTeilung(zeilen);
  b.Zeitlabels = Zeitlabels(tag, selStart, zeilen, teilung);
  b.PunkteProLabel = teilung.schritt;

  std::vector<std::vector<double>> werte = SpaltenWerte(tag, parameter, selStart, zeilen);
  b.Kurven.reserve(parameter.size());
  for (std::size_t nr = 0; nr < parameter.size(); ++nr) {
    const int i = parameter[nr];
    b.Kurven.push_back(KurveAusKopf(histKopf, par, i, std::move(werte[nr])));
  }
  return ergebnis;
}

}  // namespace pegel
