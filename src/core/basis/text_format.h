// The program's number, date and time texts, fixed whatever the machine's locale:
// decimal comma, "dd.mm.yyyy", "hh:mm:ss", German month and day names.
// Every conversion between numbers or times and text goes through this module.
// All texts are Windows-1252 bytes.
#pragma once

#include <cstddef>
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

// 10^0 .. 10^15: every one an exact double.
inline constexpr double KurzZehner[16] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The common short form [sign] digits [, digits] with at most 15 digits in all and no
// blanks, read inline for loops over millions of cells: the digits as an integer and the
// power of ten are both exact doubles, so one division is correctly rounded and gives
// exactly what ZahlLesen gives. False for any other text (the caller then asks ZahlLesen),
// `wert` unchanged.
inline bool KurzeZahlLesen(std::string_view text, double& wert) {
  const char* p = text.data();
  const char* const ende = p + text.size();
  if (p == ende) return false;
  const bool negativ = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  // More than 19 digits would wrap the integer, but such texts are refused below anyway.
  std::uint64_t ganz = 0;
  const char* const anfang = p;
  while (p < ende && static_cast<unsigned char>(*p - '0') < 10) {
    ganz = ganz * 10 + static_cast<std::uint64_t>(*p++ - '0');
  }
  std::ptrdiff_t ziffern = p - anfang;
  std::ptrdiff_t nachkomma = 0;
  if (p < ende && *p == ',') {
    const char* const komma = ++p;
    while (p < ende && static_cast<unsigned char>(*p - '0') < 10) {
      ganz = ganz * 10 + static_cast<std::uint64_t>(*p++ - '0');
    }
    nachkomma = p - komma;
    ziffern += nachkomma;
  }
  if (p != ende || ziffern == 0 || ziffern > 15) return false;
  const double w = static_cast<double>(ganz) / KurzZehner[static_cast<std::size_t>(nachkomma)];
  wert = negativ ? -w : w;
  return true;
}

// The short form at `p` inside a larger buffer, read up to the first byte that is neither
// a digit nor the first ",": for loops over millions of cells, without a bounds check per
// byte. `p` must be followed, before the buffer ends, by a byte that stops the reading (in
// a day file every field is, by its ";" or the line break). Returns the position behind
// the number, or nullptr (`wert` unchanged) when no number of the short form with at most
// 15 digits begins at `p`. The caller checks that the number ends where its text does;
// then `wert` is exactly what ZahlLesen gives for that text.
inline const char* KurzeZahlAb(const char* p, double& wert) {
  // Unsigned bytes: no sign extension in the loops, which run once per digit of a day.
  const auto* q = reinterpret_cast<const unsigned char*>(p);
  const bool negativ = *q == '-';
  if (*q == '+' || *q == '-') ++q;
  const unsigned char* const anfang = q;
  std::uint64_t ganz = 0;
  for (unsigned d; (d = *q - 48u) < 10; ++q) ganz = ganz * 10 + d;
  std::ptrdiff_t ziffern = q - anfang;
  std::ptrdiff_t nachkomma = 0;
  if (*q == ',') {
    const unsigned char* const komma = ++q;
    for (unsigned d; (d = *q - 48u) < 10; ++q) ganz = ganz * 10 + d;
    nachkomma = q - komma;
    ziffern += nachkomma;
  }
  if (ziffern == 0 || ziffern > 15) return nullptr;
  // Below 10^15, so signed: the conversion needs no unsigned fix-up.
  const double w = static_cast<double>(static_cast<std::int64_t>(ganz)) /
                   KurzZehner[static_cast<std::size_t>(nachkomma)];
  wert = negativ ? -w : w;
  return reinterpret_cast<const char*>(q);
}

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
