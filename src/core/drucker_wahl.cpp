#include "drucker_wahl.h"

#include "cp1252.h"

namespace pegel {

void DruckerSetzen(Dienste& d, int n) {
  if (n < -1) return;
  bool ok = false;
  try {
    ok = d.drucker.Setzen(n);
  } catch (...) {
    ok = false;
  }
  if (!ok) d.meldungen.Info(Ansi("Fehler beim Einstellen des Druckers (Menü Gruppierung) !"));
}

}  // namespace pegel
