// The texts around the strips: the footer line, a strip's title and the live page's
// statistics header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"
#include "log.h"
#include "schriften.h"
#include "seite.h"

namespace pegel::chart {

// Clears the footer band from depth `fuellTiefe` to the bottom edge (x 100 .. pw - 100)
// white, then writes the two texts in font 6, black, bottom at depth ph - 100.
// Throws GeometrieFehler.
void Fusszeile(Canvas& c, const SchriftTabelle& f, Log& log, std::int32_t pw, std::int32_t ph,
               std::int32_t fuellTiefe, std::int32_t x1, const std::string& text1, std::int32_t x2,
               const std::string& text2);

// "Meßintervall : {zahl}{einheit}" (the unit with its leading blank).
std::string IntervallText(std::int32_t zahl, const std::string& einheit);

// "{Name} [{Einheit}]" in font 4, black, bottom on the strip's top edge.
void Titel(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s, const ChartAnzeige& a);

// The live page's header above the strip: clears it, then the statistics texts in blue,
// font 3, from x = P1.x + 50 + textrand. Analog: "Min.=", "Max.=", "Mit.=", the sum
// (unless text 5 is "n.v.") and "Wert = "; digital: the sum, or with the sum unit "h" the
// operating hours. A sum whose text is not a number, or whose divisor is 0, is left out.
void LiveKopf(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s,
              const ChartAnzeige& a, std::int32_t textrand);

// The computed header above a strip, from the chart's statistics, in blue, font 3, from
// x = P1.x + 50 + textrand. Analog: "Min.=", "Max.=", "Mittel=" (6 digits, 2 decimals) and
// "Anzahl=" (5 digits); digital: "Betriebszeit=" of the values above 0.6 times the sample
// interval (`messintervall` ms), in " Sek." below a minute, " Min." below an hour, else
// " Std.". Throws GeometrieFehler.
void BerechneterKopf(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s,
                     const TGrafikstatistik& st, const std::vector<double>& werte,
                     std::int32_t textrand, std::int32_t messintervall);

// The printed page's header, from the chart's statistics, in blue, font 3, from
// x = P1.x + textrand (the indent that keeps long titles clear, as on the live page):
// analog "Min.=", "Max.=", "Mittel=" (6 digits, 2 decimals; left out while no value counts),
// "Anzahl=" (5 digits) and, while AktMax is above 0 and the divisor is not 0,
// "Summe={AktMax / GrafikSumTeiler} {GrafikSumEinheit}" (9 digits, 1 decimal); digital only
// "Betriebszeit={AktMax} h" (5 digits, 2 decimals) while AktMax is above 0.
// Throws GeometrieFehler.
void DruckKopf(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s,
               const TGrafikstatistik& st, const ChartAnzeige& a, std::int32_t textrand);

}  // namespace pegel::chart
