// The logic of the display settings dialog; the widget shows PegelStatus::Einstell and
// forwards the user's changes here.
#pragma once

#include "dienste.h"
#include "state.h"

namespace pegel {

// Opening the dialog: runs the configuration loader again.
void EinstellDialogOeffnen(PegelStatus& s, Dienste& d);

// "Grafik fortlaufend anzeigen" ticked: the span check, whose reduction is written to the
// INI file at once.
void cbGanzerTagClick(PegelStatus& s, Dienste& d);
// The span list changed: as cbGanzerTagClick.
void coStundenChange(PegelStatus& s, Dienste& d);

// "Grafik mit Cursor" ticked or cleared.
void cbMitCursorClick(PegelStatus& s, Dienste& d);

// "Speichern": in the fixed-span mode the span is checked first, as the loader checks it at
// the next start, so that what is saved is what will run. Writes the [Grafik] keys and sets
// AutoStartAktiv. Returns true when the saved buffer length differs from the ring as
// allocated (or no ring is allocated), after the message "Sie müssen das Programm jetzt neu
// starten." (the caller then blocks the start). The ring keeps its length until then.
bool EinstellungenSpeichern(PegelStatus& s, Dienste& d);

}  // namespace pegel
