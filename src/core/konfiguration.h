// Loading the configuration from the INI file into the parameter table, the settings and
// the controls of the display settings dialog (PegelStatus::Einstell).
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "dienste.h"
#include "ini_datei.h"
#include "state.h"

namespace pegel {

inline constexpr const char* KeinDrucker = "Kein Drucker ausgewählt";  // UTF-8; use Ansi()

// The spans of the live chart offered by the dialog's list coStunden.
inline constexpr int SpannenAnzahl = 9;
// Entry text of span k (0..8), Windows-1252; empty for any other k.
std::string SpannenText(int k);
// Seconds of span k; "andere" (8) is spAndere minutes. -1 for any other k.
std::int64_t Spannensekunden(int k, int spAndere);

// Reads everything anew: group file, printer, intervals, chart settings and the
// parameters 1..Itemcount. Reports through messages, the log and s.KonfigOK; writes the
// keys it writes back (Textrand, AlteDaten, MinSkal/MaxSkal, and those of the span check)
// once at its end. Puffer is taken only while the buffers are not allocated; spPuffer
// always shows the stored value. Never throws.
void Initialisierung(PegelStatus& s, Dienste& d);

// Takes the parameters from a PGH header file: item names, display names, types,
// references and units. True on success; false when the file cannot be opened or read,
// or names no parameter or more than MaxItems (then Itemcount is 0).
bool ItemsAusPGH(PegelStatus& s, const std::filesystem::path& datei);

// The span check of the display settings: the points of the selected span against the
// longest buffer (480). Steps the span down and writes Auswahl, AndereZeit and Puffer to
// `ini` when it had to reduce it. A collector interval below 1 second counts as 1 second.
void cbGanzerTagClick(PegelStatus& s, Dienste& d, IniDatei& ini);

// [Formate] PR and NK. False after "Main : Fehler beim Lesen der .INI-Datei !".
bool FormateLesen(PegelStatus& s, Dienste& d);
// [PegelWart] Querformat, Druckbreite, Druckhoehe.
void DruckformatLesen(PegelStatus& s);

// What the main window does when it is first shown, before an automatic start:
// Initialisierung, the formats, the buffers when the configuration is valid, the print
// format and the printer's orientation ("Bitte installieren Sie einen Drucker !" is logged
// with AutoStart, shown without).
void ErstesZeigen(PegelStatus& s, Dienste& d);

}  // namespace pegel
