// The printer dialog's logic: the printer list, the orientation, the printed page size and
// the five keys it stores. The widget shows a DruckerDialog and forwards the operator's clicks.
//
// The stored printer is found again by its name, not by its position: a queue that was added
// or removed moves the others, and the old position may then name another printer, a fax even.
#pragma once

#include <string>
#include <vector>

#include "dienste.h"
#include "drucker_wahl.h"
#include "state.h"

namespace pegel {

// The page sizes the chart layouts can fill, in mm; 0 would divide by zero in the page fit.
inline constexpr int MinDruckMm = 50;
inline constexpr int MaxDruckMm = 2000;

class DruckerDialog {
 public:
  // What the controls show.
  std::vector<std::string> Liste;         // the installed printers, in the platform's stable order
  int Zeile = -1;                         // the selected line, -1 none
  std::string Standard = "kein Drucker";  // the default printer's description
  bool Quer = true;                       // "Quer" selected
  std::string Breite = "284";             // the edits' texts, in mm
  std::string Hoehe = "199";
  // The dialog's record of the chosen printer: -2 none allowed, -1 the default, else a line.
  int DruckerNr = -1;
  std::string DruckerName;

  // Showing the dialog: the stored printer and orientation, the list, the stored printer's line
  // (found by name) and the default's description. With no printer at all, says so and sets
  // DruckerNr -2.
  void Zeigen(PegelStatus& s, Dienste& d);
  // The dialog became active. Only the first activation of a showing fills the orientation and
  // the size edits: one after a message box must not undo the operator's choices.
  void Aktivieren(const PegelStatus& s);
  // A line was clicked: refused when it is a fax; else the printer becomes current with the
  // selected orientation and the edits show its printable size.
  void ZeileWaehlen(int zeile, Dienste& d);
  // "Hoch"/"Quer": applied to the current printer once the dialog has opened.
  void AusrichtungWaehlen(bool quer, Dienste& d);
  // "Einstellungen übernehmen". Returns true when the dialog closes: with no line selected
  // nothing is stored; a size outside 50..2000 mm is refused with a message (the dialog stays
  // open, nothing stored). Else stores the five keys and the program's print settings (a fax is
  // stored as -2 with its name, after its message) and makes the printer current.
  bool Sichern(PegelStatus& s, Dienste& d);

  bool Startet() const { return dialogStart_; }

 private:
  void Anwenden(Dienste& d);
  bool dialogStart_ = false;
};

// Before a print: finds the program's stored printer by name and makes it current. Logs what
// the lookup says (moved, gone, a fax). True when printing may go on; false for a printer that
// is not allowed (-2, a fax, gone) or cannot be set, so that nothing lands on a stranger.
bool DruckerVorDemDruck(const PegelStatus& s, Dienste& d);

}  // namespace pegel
