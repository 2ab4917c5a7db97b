// The value table as the worksheet part of an Office Open XML workbook (SpreadsheetML),
// written straight into a streamed ZIP entry: never the whole sheet in memory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "werte_tabelle.h"
#include "zip_archiv.h"

namespace pegel {

// Cell formats of the workbook's styles part, by their index there.
inline constexpr int XlsxStilFett = 1;  // the title row
inline constexpr int XlsxStilZeit = 2;  // "hh:mm:ss"

// The value of a number cell in the file: a number text as ZahlLesen reads it, with blanks
// and a "+" dropped, "," as "." and a digit before and after it (",5" -> "0.5",
// "1," -> "1"), the exponent kept: the digits are the cell's own, nothing goes through a
// double. Appends to `aus` and returns true; false (nothing appended) for a text that is
// no number.
bool XlsxZahl(std::string_view text, std::string& aus);

// A Windows-1252 cell text as XML character data in UTF-8: "&", "<", ">" as entities, CR
// as a character reference (a parser would turn it into LF), the other control characters
// that XML forbids as the workbook format's "_xHHHH_" escapes, and a "_" that would read as
// the start of such an escape as "_x005F_". Appends to `aus`.
void XlsxText(std::string_view ansi, std::string& aus);

// An upper bound of the bytes XlsxBlattSchreiben writes for `tabelle`, from the lengths of
// the day's lines: the ZIP entry needs the 64-bit extension only when this bound comes
// near 4 GiB. Reads no cell.
std::uint64_t XlsxBlattHoechstens(const WerteTabelle& tabelle);

// Writes the sheet into the open streamed entry of `zip`: the title row as bold texts,
// frozen with the time column; the times of column 0 as fractions of a day in the time
// format; number texts as numbers; other texts as inline texts; empty cells not at all.
// A text is cut to XlsxMaxText characters. Throws what ZipArchiv throws.
void XlsxBlattSchreiben(const WerteTabelle& tabelle, ZipArchiv& zip);

}  // namespace pegel
