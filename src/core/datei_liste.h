// The history browser's directories and their listings: the day and protocol files of a
// month or a day, matched with the wildcards of the operators' platform, and the
// collector's backup directory.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text_format.h"

namespace pegel {

// Shown when a typed mask is refused.
std::string DateiMaskeUngueltigText();

// A mask of the protocol pane's file type box as a file-name pattern. "*:PGI" and "*:INI"
// (entries of the box) mean the extensions PGI and INI and become "*.PGI" and "*.INI".
// Empty when the mask could reach outside the directory: it holds "/", "\", ":" or "..".
std::optional<std::string> DateiMaskePruefen(std::string_view maske);

// Whether `name` matches the wildcard pattern `muster` as the platform's directory listing
// matches it: "*" stands for any run of characters (none, and dots too), "?" for exactly one;
// letters match without regard to case (Windows-1252). The whole name must match.
bool MusterPasst(std::string_view muster, std::string_view name);

// The pattern DateiListe matches a checked mask with: "*" + yy + mm (+ dd when `exakt`)
// + mask, with yy the year's last two digits (the whole year when it does not have four)
// and mm, dd padded to two digits. For "*.*" the date is dropped and the pattern is "*".
std::string DateiMuster(std::string_view maske, bool exakt, TDateTime datum);

struct DateiListeErgebnis {
  // Bare names of the regular files that match, as on disk, sorted by their Windows-1252
  // text without regard to case.
  std::vector<std::filesystem::path> namen;
  // Set when the mask was refused; the caller shows it and lists nothing.
  std::optional<std::string> fehler;
};

// The files of `verzeichnis` whose names match DateiMuster(mask, exakt, datum); folders and
// other entries are never listed. A directory that does not exist or cannot be read gives an
// empty list, not an error. Names are matched on their Windows-1252 text. Never throws
// (a failed allocation gives an empty list).
DateiListeErgebnis DateiListe(std::string_view maske, bool exakt, TDateTime datum,
                              const std::filesystem::path& verzeichnis);

// The files of `verzeichnis` matching the checked mask alone, without a date: what
// "Daten suchen" lists of the chosen file's directory. Otherwise as DateiListe.
DateiListeErgebnis DateiListeOhneDatum(std::string_view maske,
                                       const std::filesystem::path& verzeichnis);

// The directory that [DDE] Sicherung names (the value as read from the INI file,
// Windows-1252), always with a trailing separator so that file names can be appended;
// `progDir` with a trailing separator when the key is missing or its value is empty.
std::filesystem::path SicherungsVerzeichnis(const std::optional<std::string>& iniWert,
                                            const std::filesystem::path& progDir);

// SicherungsVerzeichnis of the [DDE] Sicherung key of the INI file `iniDatei`, which is
// only read. A missing or unreadable file gives `progDir`. Never throws but std::bad_alloc.
std::filesystem::path SicherungAusIni(const std::filesystem::path& iniDatei,
                                      const std::filesystem::path& progDir);

// Whether two directory paths name the same directory, with or without a trailing
// separator (compared as text, after "." and ".." are resolved lexically).
bool GleichesVerzeichnis(const std::filesystem::path& a, const std::filesystem::path& b);

// The Windows-1252 text of a file name as found on disk (UTF-8 on this platform).
std::string NamensText(const std::filesystem::path& name);

}  // namespace pegel
