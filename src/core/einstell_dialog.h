// The logic of the display settings dialog; the widget shows PegelStatus::Einstell and
// forwards the user's changes here.
#pragma once

#include "dienste.h"
#include "state.h"

namespace pegel {

// Opening the dialog: runs the configuration loader again and remembers the buffer
// length it read, against which saving compares.
void EinstellDialogOeffnen(PegelStatus& s, Dienste& d, std::int32_t& pufferBeimOeffnen);

// The span list changed (also the tick of "Grafik fortlaufend anzeigen"): the span check,
// whose reduction is written to the INI file at once.
void coStundenChange(PegelStatus& s, Dienste& d);

// "Grafik mit Cursor" ticked or cleared.
void cbMitCursorClick(PegelStatus& s, Dienste& d);

// "Speichern": writes the [Grafik] keys and sets Puffer and AutoStartAktiv. Returns true
// when the buffer length differs from the one read at opening, after the message
// "Sie müssen das Programm jetzt neu starten." (the caller then blocks the start).
bool EinstellungenSpeichern(PegelStatus& s, Dienste& d, std::int32_t pufferBeimOeffnen);

}  // namespace pegel
