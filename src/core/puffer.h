// The ring buffer's allocation when the main window is first shown, and the reset of the day
// statistics.
#pragma once

#include <cstdint>
#include <string>

#include "dienste.h"
#include "state.h"

namespace pegel {

// Anzahl := 0, Minimum := 99999, Maximum := -99999 of parameter n's day statistics and every
// slot of its ring row := NoValue. Mittelwert is left alone. A row that cannot be written is
// logged with `meldung` (LogAll) and the function returns false.
bool StatistikZuruecksetzen(PegelStatus& s, std::int32_t n, Log& log, const std::string& meldung);

// The allocation when the main window is first shown with a valid configuration:
// Itemcount rows, Puffer time slots, Puffer slots per row, every parameter reset and
// AktMax := -1. Shows "DDE-Speicher(1) kann nicht initialisiert werden !" or
// "DDE-Speicher (Item={n}) kann nicht initialisiert werden !" and goes on.
void PufferEinrichten(PegelStatus& s, Dienste& d);

// The reset of every parameter's statistics and ring row (StatistikZuruecksetzen with
// `meldung`); with `aktMax` also AktMax := -1. A failing parameter does not stop the others.
void AlleZuruecksetzen(PegelStatus& s, Log& log, const std::string& meldung, bool aktMax);

}  // namespace pegel
