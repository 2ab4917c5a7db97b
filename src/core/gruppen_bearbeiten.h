// The group dialog's working copy of the groups and its rules: two to nine members, at most
// twenty groups, names of at most 30 bytes, the print marks, and saving into the group file.
// The widget shows what this holds and forwards the operator's clicks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dienste.h"
#include "state.h"

namespace pegel {

inline constexpr int MinMitglieder = 2;
inline constexpr int MaxMitglieder = 9;
inline constexpr std::size_t GruppenNameLaenge = 30;

// The members of a group split by what the parameter table holds now: a member above
// `itemcount` names no parameter (the group was made with more parameters).
struct MitgliederStand {
  std::vector<std::int32_t> vorhanden;  // ascending as stored
  std::vector<std::int32_t> fehlend;
};
MitgliederStand MitgliederPruefen(const TGruppe& g, int itemcount);

// The members a reader of group `g` may use; a member above `itemcount` is left out, with one
// log line for the group ("Gruppe {Name}: Parameter 12, 15 nicht vorhanden"). Every reader
// that charts or prints a group takes its members through here.
std::vector<std::int32_t> GruppenMitgliederLaden(const TGruppe& g, int itemcount, Logbuch& log);

// What the dialog shows for the selected group.
struct GruppenAnzeige {
  std::vector<int> zeilen;            // lines of the parameter list to select (0-based)
  std::vector<std::int32_t> fehlend;  // members that name no parameter now
  bool drucken = false;               // the print mark
};

enum class GruppeNeu {
  ZuWenige,        // fewer than two selected: nothing happens
  ZuViele,         // more than nine: message shown
  ZuVieleGruppen,  // twenty groups exist: message shown
  Abgebrochen,     // the name prompt was cancelled
  Angelegt,        // the group is the last one and selected
};

class GruppenArbeit {
 public:
  // Takes the groups as the group file's reader loaded them at launch, or as the last save
  // left them (s.Gruppen.GruppenTabelle 1..GruppenAnzahl). Nothing is selected.
  void Laden(const PegelStatus& s);

  const std::vector<TGruppe>& Gruppen() const { return gruppen_; }
  // The selected group, 0-based; -1 when none is selected.
  int Gewaehlt() const { return gewaehlt_; }

  // Selects group i (0-based) and says which of the `zeilen` lines to select; empty when i is
  // no group (the selection then stays as it was).
  std::optional<GruppenAnzeige> Waehlen(int i, int zeilen, int itemcount);
  // A click in the parameter list: no group is selected any more.
  void AuswahlAufheben() { gewaehlt_ = -1; }

  // "Gruppieren" with the lines the operator had selected (0-based, in any order), taken before
  // anything else touches the list. Asks for the name; the name is cut to 30 bytes.
  GruppeNeu Neu(const std::vector<int>& zeilen, Dienste& d);
  // Removes the selected group; false when none is selected.
  bool Loeschen();
  // The print mark of the selected group (no group selected: nothing).
  void DruckenSetzen(bool drucken);
  // After the printer dialog: with no printer allowed (below -1) the selected group is not
  // printed.
  void DruckerGewaehlt(int druckerNr);

  // Replaces the group file with the working copy, atomically. On success the program's table
  // takes the groups (records beyond them are cleared) and a chart's current group follows its
  // group to its new number, or becomes 0 when it was deleted. On failure shows a message with
  // the file and the reason, leaves the file and the table as they were, and returns false.
  bool Speichern(PegelStatus& s, Dienste& d);

 private:
  std::vector<TGruppe> gruppen_;
  // Per group its record number in the program's table when it was loaded; 0 for a new one.
  std::vector<int> herkunft_;
  int gewaehlt_ = -1;
};

}  // namespace pegel
