// The value table as ";"-separated text, the way German spreadsheet programs read it:
// cells exactly as stored (numbers with their decimal comma), lines ended by CR LF.
#pragma once

#include <filesystem>

#include "export_ergebnis.h"
#include "werte_tabelle.h"

namespace pegel {

enum class CsvKodierung {
  // The stored bytes unchanged: what a spreadsheet program on a German Windows assumes
  // for a .csv without a byte order mark.
  Windows1252,
  // UTF-8 with a byte order mark: without the mark Excel reads the file as the system's
  // 8-bit code page and shows "m³" as "mÂ³"; with it, Excel and LibreOffice detect UTF-8.
  Utf8,
};

// Writes every cell of `tabelle`, row by row, to `datei`. A cell holding ";", a double quote,
// CR or LF is written in double quotes with its quotes doubled. The file is written beside
// `datei` and renamed only when complete; on failure `datei` is untouched.
// Throws std::bad_alloc only.
ExportErgebnis WriteCSV(const WerteTabelle& tabelle, const std::filesystem::path& datei,
                        CsvKodierung kodierung);

}  // namespace pegel
