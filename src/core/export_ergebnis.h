// The outcome of writing the value table to a file, as the text the window shows.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <system_error>

namespace pegel {

struct ExportErgebnis {
  bool ok = false;
  // ok: "Datei > {file} < wurde gespeichert." to show as information; otherwise the
  // error text to show, which names the file and the reason.
  std::string meldung;
};

// The export's file in the program directory: ProgDir + Tageskennung + "_Wertetabelle"
// + endung (".xls", ".xlsx", ".csv").
std::filesystem::path WertetabellenDatei(const std::filesystem::path& progDir,
                                         const std::string& tageskennung,
                                         const std::string& endung);

ExportErgebnis ExportGespeichert(const std::filesystem::path& datei);
// "Datei > {file} < konnte nicht gespeichert werden." and the reason on a second line.
ExportErgebnis ExportFehler(const std::filesystem::path& datei, const std::string& grund);
ExportErgebnis ExportFehler(const std::filesystem::path& datei, std::error_code ec);
// Why a file could not be written, in German: the common causes in words, any other error
// in the system's text.
std::string SchreibFehlerGrund(std::error_code ec);

// An integer with "." between groups of three digits ("65.536").
std::string TausenderText(std::size_t n);

}  // namespace pegel
