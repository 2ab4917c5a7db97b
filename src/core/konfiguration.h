// The configuration module: loading the INI file into the parameter table, the settings and
// the controls of the display settings dialog (PegelStatus::Einstell). It is the one writer
// of the parameter table; every INI key it reads or writes comes from the key table.
#pragma once

#include <filesystem>
#include <string>

#include "dienste.h"
#include "ini_schluessel.h"
#include "state.h"

namespace pegel {

// Reads everything anew: group file, printer, intervals, chart settings and the
// parameters 1..Itemcount. Reports through messages, the log and s.KonfigOK; writes the
// keys it writes back (Textrand, AlteDaten, MinSkal/MaxSkal, and those of the span check)
// once at its end. Puffer is taken only while the ring is not allocated; spPuffer always
// shows the stored value. Never throws.
void Initialisierung(PegelStatus& s, Dienste& d);

// Takes the parameters from a PGH header file: item names, display names, types,
// references and units. True on success; false when the file cannot be opened or read,
// or names no parameter or more than MaxItems (then Itemcount is 0).
bool ItemsAusPGH(PegelStatus& s, const std::filesystem::path& datei);

// The span check of the display settings: the points of the selected span against the
// longest buffer (480). Steps the span down and writes Auswahl, AndereZeit and Puffer to
// `ini` when it had to reduce it. A collector interval below 1 second counts as 1 second.
// The dialog's handlers (cbGanzerTagClick, coStundenChange) and the loader call it.
void SpannePruefen(PegelStatus& s, Dienste& d, IniEinstellungen& ini);

// The units and sum settings of parameters 1..anzahl (at most Itemcount) read again from
// the INI file, with the loader's rules: the chart hand-over reads them before it opens the
// chart, so that a unit changed in the file shows without a restart. A file that cannot be
// read reads as empty (the defaults). Throws only std::bad_alloc.
void EinheitenLesen(PegelStatus& s, int anzahl);

// [Formate] PR and NK. False after "Main : Fehler beim Lesen der .INI-Datei !".
bool FormateLesen(PegelStatus& s, Dienste& d);
// [PegelWart] Querformat, Druckbreite, Druckhoehe.
void DruckformatLesen(PegelStatus& s);

// What the main window does when it is first shown, before an automatic start:
// Initialisierung, the formats, the ring when the configuration is valid, the print
// format and the printer's orientation ("Bitte installieren Sie einen Drucker !" is logged
// with AutoStart, shown without).
void ErstesZeigen(PegelStatus& s, Dienste& d);

// What the parameter display settings store for one parameter: the four edits' texts as
// they are written, their values, the scaling reference and the two colours.
struct ParameterAnzeige {
  std::string UpWarnText, LoWarnText, MinSkalText, MaxSkalText;
  double UpWarn = 0, LoWarn = 0, MinSkal = 0, MaxSkal = 0;
  std::int32_t GrafikRef = 0;
  std::int32_t ColorWarn = 0;
  std::int32_t ColorNorm = 0;
};
// Stores the display settings of parameter p (1..Itemcount): its record, the selection
// (Grafikanzeige := true) and the seven keys UpWarn, LoWarn, MinSkal, MaxSkal, GrafikRef,
// ColorWarn and ColorNorm. False (nothing changed) for a p outside 1..Itemcount or when the
// INI file could not be written (the record is changed all the same).
bool ParameterAnzeigeSpeichern(PegelStatus& s, int p, const ParameterAnzeige& a);

}  // namespace pegel
