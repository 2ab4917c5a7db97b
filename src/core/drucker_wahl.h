// The program's record of the chosen printer, and how it is found again in the platform's
// printer list.
//
// The record keeps the printer as its position in the list and its name. A printer that is
// added or removed moves the others, so the position alone may point at another printer, a fax
// even; the name decides, and the position only says where the name was.
#pragma once

#include <string>
#include <vector>

#include "dienste.h"

namespace pegel {

enum class DruckerGrund {
  Standard,        // stored -1: the system default printer
  Gleich,          // the name is still at the stored position
  Verschoben,      // the name is now at another position
  Gesperrt,        // stored below -1: no printer may be used
  Fax,             // the stored name is a fax
  NichtVorhanden,  // the name is no longer in the list
  NichtGesetzt,    // allowed, but the platform could not make it current
};

// What a stored printer means in today's list.
struct DruckerWahl {
  DruckerGrund grund = DruckerGrund::NichtVorhanden;
  // The list position to make current (-1: the system default); -2 when refused.
  int position = -2;
  // The log line that says what happened, Windows-1252; empty when there is nothing to say
  // (the printer is where it was, the default, or locked).
  std::string meldung;

  bool Erlaubt() const {
    return grund == DruckerGrund::Standard || grund == DruckerGrund::Gleich ||
           grund == DruckerGrund::Verschoben;
  }
};

// True when a printer of this name is a fax: the name holds "Fax" or "FAX" (these two forms
// only; "fax" is a printer).
bool IstFax(const std::string& name);

// Finds the stored printer (`nr`, `name`, Windows-1252) in `liste`, by exact name: -1 is the
// system default whatever the list; below -1 and fax names are refused; a name that is not in
// the list is refused, whatever now stands at the stored position. Pure; never throws beyond
// std::bad_alloc.
DruckerWahl DruckerSuchen(int nr, const std::string& name, const std::vector<std::string>& liste);

// n >= -1: makes list position n (or the system default for -1) the current printer;
// a failure shows "Fehler beim Einstellen des Druckers (Menü Gruppierung) !".
// Values below -1 (no printer may be used) are ignored. For a position just taken from a fresh
// list; a stored printer goes through the overload with its name.
void DruckerSetzen(Dienste& d, int n);

// Makes the stored printer current, found by name in the platform's list as DruckerSuchen
// says. A refused printer is not touched (the current printer stays) and shows no message. When
// the platform cannot make an allowed printer current (or its list cannot be read), shows the
// message above and returns NichtGesetzt. Returns the decision; the caller logs its meldung.
DruckerWahl DruckerSetzen(Dienste& d, int nr, const std::string& name);

}  // namespace pegel
