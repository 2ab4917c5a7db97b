// The collector's stored days: the header file YYYYMMDD.PGH and the data file
// YYYYMMDD.DAT, and the readers that load them into the day header and a cell grid.
// Both files are read only; texts stay Windows-1252 bytes as stored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "gitter.h"
#include "logbuch.h"
#include "state.h"

namespace pegel {

// ProgDir / "YYYYMMDD.DAT" and ProgDir / "YYYYMMDD.PGH" of the day of t.
std::filesystem::path DatDatei(const std::filesystem::path& progDir, TDateTime t);
std::filesystem::path PghDatei(const std::filesystem::path& progDir, TDateTime t);
// The header that belongs to a data file: the same path with the extension ".PGH".
std::filesystem::path PghFuerDat(const std::filesystem::path& datDatei);

// Sets IntervallZahl and IntervallEinheit of `kopf` for an interval of `ms` milliseconds:
// whole seconds, shown in minutes (truncated) above 59 seconds.
void IntervallAnzeigeSetzen(Kopfdaten& kopf, std::int32_t ms);

// Copies Itemcount, the interval display and names, types, references and units of
// parameters 1..Itemcount (at most MaxItems) from `quelle` into `ziel`.
void KopfUebernehmen(const Kopfdaten& quelle, Kopfdaten& ziel);

// Reads a header file into `kopf` and `messintervall` (the layout every header reader
// shares). True when the whole header was read; false when the file cannot be opened, its
// count is below 1 or above MaxItems, a type or reference line does not begin with an
// integer, or the file ends early. Never logs and never throws. After a failure
// kopf.Itemcount keeps the count of line 1 and the other fields hold what was read so far.
bool KopfLesen(const std::filesystem::path& datei, Kopfdaten& kopf, std::int32_t& messintervall);

// Reads a header file into s.Tage.TagKopf and s.Tage.Messintervall. True when the whole header was
// read; false when the file cannot be opened, its count is below 1 or above MaxItems,
// a type or reference line does not begin with an integer, or the file ends early.
// Never logs and never throws. After a failure s.Tage.TagKopf.Itemcount keeps the count of
// line 1 and the other fields hold what was read so far.
bool ReadHeaderF(PegelStatus& s, const std::filesystem::path& datei);

// What the two passes over a data file gave; the callers turn it into their own log texts.
struct DatenLesung {
  enum class Fehler {
    Keiner,
    Zaehlen,        // the first pass could not open or read the file
    Freigeben,      // releasing the old rows
    Reservieren,    // no room for the rows or the bytes (also a file beyond gitter::MaxBytes)
    Oeffnen,        // the second pass could not open the file
    Lesen,          // the second pass could not read it
    ZuVieleFelder,  // a line with more than gitter::Spalten fields
  };
  Fehler fehler = Fehler::Keiner;
  std::size_t gezaehlt = 0;     // lines counted by the first pass
  std::size_t fehlerZeile = 0;  // ZuVieleFelder: 0-based index of the first such line
};

// What DatenLesen leaves in the grid when a line has too many fields.
enum class Teillesung {
  Verwerfen,  // the grid is empty
  Behalten,   // the grid holds the lines before the bad one
};

// The two passes of every day file reader: counts the lines, then reads and splits at most
// that many into `grid` (lines appended meanwhile are left for the next read; a file that
// shrank gives fewer rows). When the count fails or is 0 the grid is left untouched; after
// any other failure it is empty, except as `teil` says. Never throws.
DatenLesung DatenLesen(const std::filesystem::path& datei, gitter& grid, Teillesung teil);

// Reads a data file into `grid`, replacing its contents: one row per line, at most as many
// lines as a first pass counted (lines appended meanwhile are left for the next read).
// Returns the number of lines read, or 0 on any failure, which is logged with LogAll.
// Sets s.Tage.Spaltenzahl (fields of the last line minus 2) and s.Tage.TagKopf.Itemcount to it.
// After a failure the grid is empty. Never throws.
std::int32_t ReadDataF(PegelStatus& s, Logbuch& log, const std::filesystem::path& datei,
                       gitter& grid);

}  // namespace pegel
