// The parameter display settings' logic: what the dialog shows for one parameter, the change
// tracking, and saving the warning limits, the user scale, the scaling reference and the two
// colours. The widget shows a ParameterMaske and forwards the operator's edits.
#pragma once

#include <optional>
#include <string>

#include "dienste.h"
#include "state.h"

namespace pegel {

// Reads a number typed by the operator: "." and "," both count as the decimal mark (the text
// is rewritten with ","). When it is no number, `wert` becomes `ersatz` and the log gets
// "Unerlaubter Eintrag > {text} < bei DDE-Werten !"; returns false then.
bool TextZuZahl(std::string& text, double& wert, double ersatz, Logbuch& log);

// A value as the dialog's edits show it: fixed, precision 8, two decimals.
std::string ZahlAnzeige(double wert);

// The controls of one parameter.
struct ParameterMaske {
  std::string Titel;  // " {display name} "
  std::string Typ;    // "Analog", "Digital" or "Typ ?"
  // The reference buttons and the warning frame: enabled for an analog parameter, disabled
  // for a digital one, left as they are for another type.
  std::optional<bool> Analog;
  std::string Item, Einheit, Oben, Unten;                // read-only
  std::string WarnOben, WarnUnten, SkalOben, SkalUnten;  // editable
  std::int32_t GrafikRef = 0;
  std::int32_t ColorWarn = 0;
  std::int32_t ColorNorm = 0;
};

class ParameterEinstellung {
 public:
  ParameterEinstellung(PegelStatus& s, Dienste& d) : s_(s), d_(d) {}

  // Lines of the parameter list: the display names that were loaded.
  int Anzahl() const;
  // The parameter shown (0-based line), -1 before the first.
  int Aktuell() const { return akt_; }

  // Shows line `zeile` (0-based): the values of its record, its colours as the INI file holds
  // them. Nothing to show for a line outside the list.
  std::optional<ParameterMaske> Zeigen(int zeile);
  // The operator changed an input of the parameter shown.
  void Aendern() { geaendert_ = akt_ >= 0; }
  bool Geaendert() const { return geaendert_; }

  // Another line chosen: with changes, asks "Änderungen speichern ?" and saves `eingabe` on
  // Yes; then shows the new line.
  std::optional<ParameterMaske> Wechseln(int zeile, const ParameterMaske& eingabe);
  // Saves what `eingabe` holds for the parameter shown and returns the controls as they show
  // afterwards. An edit the operator did not touch keeps the record's value and the INI text
  // in full (a limit of 0.004 shown as "0,00" stays 0.004); a touched one is read with
  // TextZuZahl and shown again with two decimals. A failed INI write is shown as a message.
  ParameterMaske Speichern(const ParameterMaske& eingabe);
  // The dialog closes: with changes, asks and saves on Yes; then counts the charted parameters
  // by type (AnzAnalog, AnzDigital). With no parameters nothing changes.
  void Schliessen(const ParameterMaske& eingabe);

 private:
  PegelStatus& s_;
  Dienste& d_;
  int akt_ = -1;
  bool geaendert_ = false;
  ParameterMaske gezeigt_;
};

}  // namespace pegel
