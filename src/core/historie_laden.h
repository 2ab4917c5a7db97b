// Loading a stored day in the history browser (the work of lstDATClick): which file,
// which header, both passes over the data file with the stretches, the column check.
// Everything the window shows afterwards comes back in one value; the function shows
// nothing and logs nothing itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "abschnitte.h"
#include "gitter.h"
#include "historie_kopf.h"
#include "tageskopf.h"
#include "text_format.h"

namespace pegel {

// What the window knows when a day is to be loaded.
struct LadeAuftrag {
  std::filesystem::path Suchverzeichnis;            // the directory listed in lstDAT
  std::vector<std::filesystem::path> eintraege;     // lstDAT's entries (bare names)
  std::optional<std::size_t> gewaehlt;              // the selected entry
  std::optional<std::filesystem::path> Vorauswahl;  // a bare name from "Daten suchen"
  std::int32_t DDEIntervallMs = 0;                  // the interval when no header can be read
  TDateTime jetzt = 0;  // the chart's day when the name holds no valid date
};

// Which header describes the loaded day.
enum class KopfQuelle {
  Eigener,  // the data file's own PGH
  Ersatz,   // the PGH of the fallback entry
  Keiner,   // none could be read: no parameter names, interval DDEIntervallMs
};

struct HistorienLadung {
  // The data file read (Suchverzeichnis + name) and the header used.
  std::filesystem::path datei;
  std::filesystem::path kopfDatei;  // empty with KopfQuelle::Keiner
  KopfQuelle kopfQuelle = KopfQuelle::Keiner;

  // HistKopf: names, types, references and units of the header used, its interval
  // display (from Messintervall also without a header) and, once the data file was read,
  // Itemcount := Spaltenzahl (which is below 1 for a last line with fewer than 3 fields).
  Kopfdaten HistKopf;
  std::vector<std::string> lbPars;  // one entry per header parameter
  std::int32_t Messintervall = 0;   // ms: the header's, or DDEIntervallMs
  TDateTime Zeitluecke = 0;         // gap threshold, as a fraction of a day

  // The day: lbDatum, Tageskennung and the chart's date, always from the data file's own
  // name (or its list entry); GrafikTag is `jetzt` when the name holds no valid date.
  HistorienTag tag;
  TDateTime GrafikTag = 0;

  std::size_t gezaehlt = 0;      // lines of the first pass
  std::int32_t Zeilenzahl = 0;   // rows actually read and usable (lbAnz); 0 = nothing loaded
  std::int32_t Spaltenzahl = 0;  // fields of the last row read minus 2
  gitter DatenGitter;            // exactly Zeilenzahl rows
  Abschnitte abschnitte;         // lbix1, lbix2 and cbIntervalle ("Gesamtzeit" first)
  std::string lbZeit1, lbZeit2;  // time texts of the first and last row

  // Where reading stopped early (0-based row of the bad line), for a caller that reports it.
  std::optional<std::size_t> abbruchZeile;

  // Message boxes to show, in order, and lines for LogAll, in order (Windows-1252).
  std::vector<std::string> meldungen;
  std::vector<std::string> log;

  bool Geladen() const { return Zeilenzahl >= 1; }
};

// The message when neither the data file's header nor the fallback header can be read.
std::string PghFehltText();

// Loads a day as lstDATClick does:
// - the data file is Suchverzeichnis + Vorauswahl (fallback: the first entry) or else + the
//   selected entry (fallback: the last entry); without a selection and Vorauswahl nothing is
//   loaded ("History : Fehler 1");
// - its header is the same path with ".PGH"; if it cannot be read, the fallback entry's
//   header; if neither, the message PghFehltText() and Messintervall := DDEIntervallMs;
// - the day (lbDatum, Tageskennung, chart date) comes from the selected entry, or from the
//   data file's name when it was chosen through Vorauswahl, never from a fallback header;
// - the data file is read in the two passes of ReadDataF; the stretches are found from
//   the times; a line with too many fields or a time that does not convert ends the read
//   there ("History : Fehler 5 (Zeile n)", n counted from 1) and the rows before it stay
//   loaded; the column check compares Spaltenzahl with the header's count.
// Failures go into `log` with the texts of the browser ("History : Fehler 1" .. 6,
// "History : Fehler beim Lesen (1)", "History : Datei konnte nicht geöffnet werden !").
// Never throws (but std::bad_alloc when not even a log line can be stored).
HistorienLadung HistorienTagLaden(const LadeAuftrag& auftrag);

}  // namespace pegel
