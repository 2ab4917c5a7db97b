#include "wertliste_spanne.h"

#include "ini_schluessel.h"
#include "meldungstexte.h"

namespace pegel {

Wertspanne WertlisteVorgabe(const PegelStatus& s, const WerteTabelle& tabelle) {
  const IniEinstellungen ini(s.Pfade.IniDatei, true);
  using S = Schluessel;
  const std::size_t letzte = tabelle.Zeilen() - 1;
  if (letzte < 2) return {ini.Lesen(S::Wertliste_Startzeit), ini.Lesen(S::Wertliste_Stopzeit)};
  return {ini.Lesen(S::Wertliste_Startzeit, 0, tabelle.Zeit(1)),
          ini.Lesen(S::Wertliste_Stopzeit, 0, tabelle.Zeit(letzte))};
}

bool WertlisteSpanneSpeichern(const PegelStatus& s, Dienste& d, std::string_view eStart,
                              std::string_view eStop) {
  IniEinstellungen ini(s.Pfade.IniDatei, s.NurLesen);
  ini.Schreiben(Schluessel::Wertliste_Startzeit, eStart);
  ini.Schreiben(Schluessel::Wertliste_Stopzeit, eStop);
  if (ini.Speichern()) return true;
  d.meldungen.Fehler(text::EinstellungenNichtGespeichert(s.Pfade.IniDatei.string()));
  return false;
}

}  // namespace pegel
