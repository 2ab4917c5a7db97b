// The value table as an Office Open XML workbook (.xlsx), for spreadsheet programs that
// treat the old worksheet format as legacy or refuse it.
#pragma once

#include <cstddef>
#include <filesystem>

#include "export_ergebnis.h"
#include "werte_tabelle.h"

namespace pegel {

inline constexpr std::size_t XlsxMaxZeilen = 1048576;  // the title row included
inline constexpr std::size_t XlsxMaxSpalten = 16384;
// Longest text of one cell.
inline constexpr std::size_t XlsxMaxText = 32767;

// Writes the cells of `tabelle` to `datei` as one worksheet "Wertetabelle": number texts as
// numbers with their own digits, the times of column 0 as time values shown "hh:mm:ss",
// other texts as text (converted to UTF-8), empty cells left blank; the title row bold, the
// title row and the time column frozen. The file is written beside `datei` and renamed
// only when complete; on failure `datei` is untouched and the message names the file and
// the reason. A table above XlsxMaxZeilen rows or XlsxMaxSpalten columns is refused before
// anything is written. Compresses on every core while it runs. Throws std::bad_alloc only.
ExportErgebnis WriteXLSX(const WerteTabelle& tabelle, const std::filesystem::path& datei);

}  // namespace pegel
