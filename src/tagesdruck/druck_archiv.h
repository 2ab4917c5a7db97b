// The print archive: every printed group page as a PDF in Druckarchiv below the plant
// directory, named by day and group, so that a day's print can be found and a missed one
// noticed.
#pragma once

#include <filesystem>
#include <string>

#include "logbuch.h"
#include "state.h"

namespace pegel::tagesdruck {

inline constexpr const char* ArchivOrdner = "Druckarchiv";

// A group name (Windows-1252) as part of a file name, in UTF-8: path separators, control
// characters and the characters other file systems refuse become "_", trailing dots and
// blanks go, and a name that would be empty, "." or ".." becomes "_".
std::string SichererName(const std::string& name);

// progDir / Druckarchiv / "YYYYMMDD_{name}{zusatz}.pdf" for the day of `tag`.
std::filesystem::path ArchivDatei(const std::filesystem::path& progDir, TDateTime tag,
                                  const std::string& gruppe, const std::string& zusatz);

// [PegelWart] Druckarchiv of the plant's INI file (default on).
bool ArchivEingeschaltet(const PegelStatus& s);

// The marked groups' names of the group file, in file order (a marked group without a name
// counts as not marked). Empty when the file is missing or unreadable.
std::vector<std::string> MarkierteGruppen(const std::filesystem::path& gruppenDatei);

// At the viewer's start: when the archive is on, a group is marked, the collector stored the
// day before `jetzt` and the archive holds no page of that day (test pages do not count),
// logs "Kein Tagesdruck für {dd.mm.yyyy} vorhanden" and returns true. That day is not printed
// later; pegeltool print makes the page by hand. Never throws.
bool FehlenderTagesdruckMelden(const PegelStatus& s, Logbuch& log, TDateTime jetzt);

}  // namespace pegel::tagesdruck
