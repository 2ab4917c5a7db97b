// The value table as a minimal worksheet file of BIFF records, the format of the value
// table's "Exportieren".
#pragma once

#include <cstddef>
#include <filesystem>

#include "export_ergebnis.h"
#include "werte_tabelle.h"

namespace pegel {

// BIFF cell addresses are 16 bits; the format's readers take at most 256 columns.
inline constexpr std::size_t XlsMaxZeilen = 65536;  // the title row and 65,535 data rows
inline constexpr std::size_t XlsMaxSpalten = 256;
// The integers an RK record holds: 30 bits with sign.
inline constexpr std::int64_t RkMin = -(std::int64_t{1} << 29);
inline constexpr std::int64_t RkMax = (std::int64_t{1} << 29) - 1;
// A cell text is cut to this many bytes (the format's cell text limit), so that a stray
// long field cannot overflow its record's length.
inline constexpr std::size_t XlsMaxText = 255;

// Writes every cell of `tabelle`, row by row, to `datei`: a BOF record, one cell record per
// cell with the table's row and column, an EOF record, nothing else. A cell is
//   - an RK record when its text is a plain integer (sign and digits, blanks around)
//     within RkMin..RkMax,
//   - a NUMBER record for any other number text (decimal comma, exponent, larger
//     integers),
//   - a LABEL record with the text's Windows-1252 bytes otherwise, empty cells included.
// The file is written beside `datei` and renamed only when complete; on failure `datei`
// is untouched. A table above XlsMaxZeilen rows or XlsMaxSpalten columns is refused
// before anything is written, with a message that points to the .xlsx export.
// Throws std::bad_alloc only.
ExportErgebnis WriteXLS(const WerteTabelle& tabelle, const std::filesystem::path& datei);

}  // namespace pegel
