#include "einstell_dialog.h"

#include <algorithm>

#include "ini_schluessel.h"
#include "konfiguration.h"
#include "meldungstexte.h"

namespace pegel {

void EinstellDialogOeffnen(PegelStatus& s, Dienste& d) { Initialisierung(s, d); }

void cbGanzerTagClick(PegelStatus& s, Dienste& d) {
  IniEinstellungen ini(s.Pfade.IniDatei, s.NurLesen);
  SpannePruefen(s, d, ini);
  if (!ini.Speichern()) {
    d.log.LogAll(text::IniNichtGeschrieben(s.Pfade.IniDatei.filename().string()));
  }
}

void coStundenChange(PegelStatus& s, Dienste& d) { cbGanzerTagClick(s, d); }

void cbMitCursorClick(PegelStatus& s, Dienste& d) {
  if (!s.Einstell.cbMitCursor) {
    cbGanzerTagClick(s, d);
  } else {
    s.Einstell.cbGanzerTag = false;
    s.Einstell.spPufferAktiv = true;
  }
}

bool EinstellungenSpeichern(PegelStatus& s, Dienste& d) {
  EinstellWerte& e = s.Einstell;
  e.spPuffer = std::clamp(e.spPuffer, 1, MaxPuffer);
  e.spAndere = std::clamp(e.spAndere, 2, 60);
  IniEinstellungen ini(s.Pfade.IniDatei, s.NurLesen);
  // "andere" is checked here, not only the presets when they are chosen.
  if (e.cbGanzerTag) SpannePruefen(s, d, ini);
  // Against the ring as it is: that is what runs until the next start.
  const bool neustart = !s.Ring.Angelegt() || e.spPuffer != s.Ring.Laenge();
  if (neustart) d.meldungen.Info(text::Neustart);
  e.spIntervall = std::clamp(e.spIntervall, 1, 59);
  if (!s.Ring.Angelegt()) s.Anzeige.Puffer = e.spPuffer;
  using S = Schluessel;
  ini.Schreiben(S::Grafik_Intervall, e.spIntervall);
  ini.Schreiben(S::Grafik_Einheit, e.coIntervall);
  ini.Schreiben(S::Grafik_Puffer, e.spPuffer);
  ini.Schreiben(S::Grafik_GanzTag, e.cbGanzerTag);
  ini.Schreiben(S::Grafik_Cursor, e.cbMitCursor);
  ini.Schreiben(S::Grafik_Auswahl, e.coStunden);
  ini.Schreiben(S::Grafik_AndereZeit, e.spAndere);
  ini.Schreiben(S::Grafik_AutoStart, e.cbAutoStart);
  s.Anzeige.AutoStartAktiv = e.cbAutoStart;
  if (!ini.Speichern()) {
    d.meldungen.Fehler(text::EinstellungenNichtGespeichert(s.Pfade.IniDatei.string()));
  }
  return neustart;
}

}  // namespace pegel
