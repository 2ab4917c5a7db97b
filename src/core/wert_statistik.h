// Span statistics of the value table: per parameter column the minimum and maximum with
// their times, the mean, the count, the arithmetic sum and the time integral over a span
// of the day. Problems come back as message texts; the caller shows them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "werte_tabelle.h"

namespace pegel {

// How a column's unit turns a rate into a quantity.
struct Einheitsteile {
  std::string einheit;        // between "[" and "]"; empty when there is none
  std::string mengeneinheit;  // the part before "/", shown after the integral
  double zeiteinheit = 0;     // seconds of the part after "/"; 0: no "/", no integral
};

// The unit of a column title "name  [unit]": the text after the last "[" up to the first
// "]" among the next 11 characters (a unit has at most 10), nothing when there is no "]"
// among them. With a "/" in the unit, the part after it (at most 5 characters, compared
// in upper case) gives the time unit, tested in this order:
//   contains "ST" -> 3600, is "H" -> 3600, contains "MIN" -> 60,
//   is "D" or begins with "TAG" -> 86400, anything else -> 1.
// The day test comes last so that no unit that named hours or minutes changes meaning.
Einheitsteile EinheitAusTitel(std::string_view titel);

// Column 0 of the result grid: row 0 is empty, rows 1..8 carry these labels.
inline constexpr std::array<const char*, 9> StatistikZeilen = {
    "",           "Minimum", "t-Min.",       "Maximum",      "t-Max.",
    "Mittelwert", "Anzahl",  "Arithm.Summe", "Integralsumme"};
inline constexpr std::size_t StatistikZeilenzahl = StatistikZeilen.size();
// Shown as the integral of a column whose unit names no time unit, or whose integral is
// not above zero.
inline constexpr const char* KeinIntegral = "----------";

struct SpaltenStatistik {
  Einheitsteile einheit;
  double Min = 0;
  double Max = 0;
  double Mittel = 0;
  double Summe = 0;
  double Integral = 0;
  std::string tMin;  // time text of the first row that reached Min
  std::string tMax;
  bool HatIntegral() const { return einheit.zeiteinheit > 0.1; }
};

struct StatistikErgebnis {
  // Texts to show in message boxes, in this order.
  std::vector<std::string> meldungen;
  // The span's length for lbDiff ("-" in front when the end lies before the beginning);
  // empty when the span's times did not convert, and lbDiff keeps its text.
  std::string lbDiff;
  // Rows of the span that counted; each counts in every column.
  std::int64_t anzahl = 0;
  // Table column k is spalten[k - 1]; empty unless anzahl >= 1.
  std::vector<SpaltenStatistik> spalten;
  // The texts of grStat, grStat[zeile][spalte]: StatistikZeilenzahl rows, one column per
  // table column. Without counted rows the value cells are empty. Empty when the span's
  // times did not convert: grStat then stays as it is.
  std::vector<std::vector<std::string>> grStat;
};

// The statistics of every parameter column of `tabelle` over the rows whose time lies in
// eStart..eStop (time texts "hh:mm:ss"), numbers formatted fixed with precision PR and NK
// decimals. Rows are read in order and the first row after eStop ends the reading. Each
// value counts in the integral with the time since the row before it, inside the span or
// not (for the table's first row, since eStart), divided by the column's time unit; the
// integral is shown for a column with a time unit when it is above zero, otherwise the
// column shows KeinIntegral (SpaltenStatistik::Integral keeps the value either way).
// Messages: "Falsches Zeitformat !" when eStart or eStop is no time (nothing else is
// computed); "Falsches Zeitformat in Zeile {r} !" when row r has a time or, inside the
// span, a value that does not convert: the reading ends there and row r counts in no
// column; "Keine Daten im ausgewählten Zeitraum gefunden !" when no row counted.
// A whole day's table is computed on all cores, each core taking a block of columns; the
// function returns when all are done. Throws std::bad_alloc only.
StatistikErgebnis btStatistikClick(const WerteTabelle& tabelle, std::string_view eStart,
                                   std::string_view eStop, int PR, int NK);
// The same with the columns split into `bloecke` blocks, each but the first computed on a
// thread of its own (0: as many as the table's size and the machine's cores suggest). The
// result does not depend on it: every column adds its rows in row order.
StatistikErgebnis btStatistikClick(const WerteTabelle& tabelle, std::string_view eStart,
                                   std::string_view eStop, int PR, int NK, std::size_t bloecke);

}  // namespace pegel
