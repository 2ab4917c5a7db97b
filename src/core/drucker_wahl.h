// The program's record of the chosen printer.
#pragma once

#include "dienste.h"

namespace pegel {

// n >= -1: makes list position n (or the system default for -1) the current printer;
// a failure shows "Fehler beim Einstellen des Druckers (Menü Gruppierung) !".
// Values below -1 (no printer may be used) are ignored.
void DruckerSetzen(Dienste& d, int n);

}  // namespace pegel
