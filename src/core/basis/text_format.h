// The program's number, date and time texts, fixed whatever the machine's locale:
// decimal comma, "dd.mm.yyyy", "hh:mm:ss", German month and day names.
// Every conversion between numbers or times and text goes through this module.
// All texts are Windows-1252 bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pegel {

// Days since 30.12.1899; the time of day is the fraction.
using TDateTime = double;

// ---- numbers -------------------------------------------------------------------------------

// Strict number text: optional sign, digits, optional "," with digits, optional exponent;
// blanks (space, tab) around it are allowed. Nothing else is a number (no ".", no
// thousands separator, no "inf"/"nan", nothing out of double's range).
std::optional<double> ZahlLesen(std::string_view text);

// For texts where "." and "," are both accepted as the decimal mark: every "." and ","
// is replaced by "," first, then read as ZahlLesen.
std::optional<double> ZahlLesenPunktKomma(std::string_view text);

// Whole decimal integer within Int32 (optional sign, blanks around allowed).
std::optional<std::int32_t> GanzzahlLesen(std::string_view text);

// The integer at the beginning of a line (after leading blanks); the rest is ignored.
// Empty when the line does not begin with an integer or it leaves the Int32 range.
std::optional<std::int32_t> GanzzahlAmAnfang(std::string_view text);

// "Fixed, precision P, D decimals": rounds to P significant digits, then writes D
// decimals with a decimal comma (ties to even at both steps). A value with more than P
// digits before the decimal mark is written in exponent form ("1,234568E8").
// P is limited to 1..18 and D to 0..18.
std::string FestFormat(double wert, int praezision, int dezimalen);

// Decimal integer text.
std::string GanzText(std::int64_t wert);

// ---- dates and times -----------------------------------------------------------------------

struct DatumTeile {
  int jahr = 0;
  int monat = 0;
  int tag = 0;
};

struct ZeitTeile {
  int stunde = 0;
  int minute = 0;
  int sekunde = 0;
  int milli = 0;
};

// Throws std::out_of_range for a date that does not exist (31.02., month 13, ...).
TDateTime DatumKodieren(int jahr, int monat, int tag);
// Throws std::out_of_range unless 0..23, 0..59, 0..59, 0..999.
TDateTime ZeitKodieren(int stunde, int minute, int sekunde, int milli = 0);

// The date part, and the time of day rounded to milliseconds (a time that rounds up to
// 24:00 belongs to the next day).
DatumTeile DatumZerlegen(TDateTime t);
ZeitTeile ZeitZerlegen(TDateTime t);
// 1 = Sunday .. 7 = Saturday.
int Wochentag(TDateTime t);

std::string DatumText(TDateTime t);       // "06.12.2026"
std::string ZeitText(TDateTime t);        // "16:11:02"
std::string DatumZeitText(TDateTime t);   // "06.12.2026 16:11:02"
std::string LangesDatum(TDateTime t);     // "Sonntag, 6. Dezember 2026"
std::string KurzerMonatsname(int monat);  // 1..12: "Jan" .. "Dez" ("Mär" in Windows-1252)

// A time of day "h:mm" or "h:mm:ss" (one or two digits each, blanks around allowed),
// as a fraction of a day. Empty for anything else.
std::optional<TDateTime> ZeitLesen(std::string_view text);
// A date "d.m.yyyy" (day and month with one or two digits). Empty for anything else.
std::optional<TDateTime> DatumLesen(std::string_view text);

// Stamp of a log file line: "05.Dez.26, 16:11:28".
std::string LogDateiStempel(TDateTime t);
// Stamp of a memo line: "05.12.,16:11:28:123".
std::string MemoStempel(TDateTime t);

}  // namespace pegel
