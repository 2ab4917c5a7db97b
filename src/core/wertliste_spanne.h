// The value table's span (eStart, eStop) as the settings file keeps it: the presets when
// the window is shown and the "Auswahl speichern" button. The window shows and forwards;
// the INI file is read and written here, through the key table.
#pragma once

#include <string>
#include <string_view>

#include "dienste.h"
#include "state.h"
#include "werte_tabelle.h"

namespace pegel {

struct Wertspanne {
  std::string eStart;  // time texts as stored (Windows-1252)
  std::string eStop;
};

// The presets of eStart and eStop: [Wertliste] Startzeit and Stopzeit. When the table has
// fewer than two data rows the keys default to "00:00:01" and "23:59:59"; otherwise to the
// times of its first and last row, so that a span never saved covers the rows shown. A
// missing or unreadable INI file reads as empty. Never throws but std::bad_alloc.
Wertspanne WertlisteVorgabe(const PegelStatus& s, const WerteTabelle& tabelle);

// Writes eStart and eStop to [Wertliste] Startzeit and Stopzeit, every other line of the
// file unchanged (nothing with s.NurLesen). A file that cannot be written shows
// EinstellungenNichtGespeichert and returns false; the old file is then untouched.
bool WertlisteSpanneSpeichern(const PegelStatus& s, Dienste& d, std::string_view eStart,
                              std::string_view eStop);

}  // namespace pegel
