// The ring buffer's allocation and the reset of the day statistics.
#pragma once

#include <cstdint>
#include <string>

#include "dienste.h"
#include "state.h"

namespace pegel {

// 1 <= n <= MaxItems: the buffer becomes n empty rows and n - 1 is returned.
// Any other n: -1, the buffer is unchanged. Never throws.
std::int32_t PufferAnlegen(std::int32_t n, WertSpeicher& puffer);

// Sets row `zeile` to `laenge` slots, all NoValue (also slots that existed before), and
// returns laenge; -1 for a row outside the buffer, a negative length or any error.
std::int32_t SpalteAnlegen(std::int32_t zeile, std::int32_t laenge, WertSpeicher& puffer);

// Releases every row, then the row array. Returns 0.
std::int32_t PufferFreigeben(WertSpeicher& puffer);

// Anzahl := 0, Minimum := 99999, Maximum := -99999 and every slot 0..Puffer-1 of row n-1
// := NoValue. Mittelwert is left alone. A row that cannot be written is logged with
// `meldung` (LogAll) and the function returns false.
bool StatistikZuruecksetzen(PegelStatus& s, std::int32_t n, Logbuch& log,
                            const std::string& meldung);

// The allocation when the main window is first shown with a valid configuration:
// Itemcount rows, Puffer time slots, Puffer slots per row, every parameter reset and
// AktMax := -1. Shows "DDE-Speicher(1) kann nicht initialisiert werden !" or
// "DDE-Speicher (Item={n}) kann nicht initialisiert werden !" and goes on.
void PufferEinrichten(PegelStatus& s, Dienste& d);

}  // namespace pegel
