#include "einstell_dialog.h"

#include <algorithm>

#include "cp1252.h"
#include "ini_datei.h"
#include "konfiguration.h"

namespace pegel {

void EinstellDialogOeffnen(PegelStatus& s, Dienste& d) { Initialisierung(s, d); }

void coStundenChange(PegelStatus& s, Dienste& d) {
  IniDatei ini(s.IniDatei, s.NurLesen);
  cbGanzerTagClick(s, d, ini);
  if (!ini.Speichern()) d.log.LogAll("INI-Datei konnte nicht geschrieben werden !");
}

void cbMitCursorClick(PegelStatus& s, Dienste& d) {
  if (!s.Einstell.cbMitCursor) {
    coStundenChange(s, d);
  } else {
    s.Einstell.cbGanzerTag = false;
    s.Einstell.spPufferAktiv = true;
  }
}

bool EinstellungenSpeichern(PegelStatus& s, Dienste& d) {
  EinstellWerte& e = s.Einstell;
  e.spPuffer = std::clamp(e.spPuffer, 1, MaxPuffer);
  e.spAndere = std::clamp(e.spAndere, 2, 60);
  IniDatei ini(s.IniDatei, s.NurLesen);
  // "andere" is checked here, not only the presets when they are chosen.
  if (e.cbGanzerTag) cbGanzerTagClick(s, d, ini);
  // Against the ring as it is: that is what runs until the next start.
  const bool neustart = !s.PufferAngelegt() || e.spPuffer != s.PufferLaenge();
  if (neustart) d.meldungen.Info(Ansi("Sie müssen das Programm jetzt neu starten."));
  e.spIntervall = std::clamp(e.spIntervall, 1, 59);
  if (!s.PufferAngelegt()) s.Puffer = e.spPuffer;
  ini.SchreibeGanz("Grafik", "Intervall", e.spIntervall);
  ini.SchreibeGanz("Grafik", "Einheit", e.coIntervall);
  ini.SchreibeGanz("Grafik", "Puffer", e.spPuffer);
  ini.SchreibeBool("Grafik", "GanzTag", e.cbGanzerTag);
  ini.SchreibeBool("Grafik", "Cursor", e.cbMitCursor);
  ini.SchreibeGanz("Grafik", "Auswahl", e.coStunden);
  ini.SchreibeGanz("Grafik", "AndereZeit", e.spAndere);
  ini.SchreibeBool("Grafik", "AutoStart", e.cbAutoStart);
  s.AutoStartAktiv = e.cbAutoStart;
  if (!ini.Speichern()) {
    d.meldungen.Fehler("Die Einstellungen konnten nicht gespeichert werden: " +
                       s.IniDatei.string());
  }
  return neustart;
}

}  // namespace pegel
