// How a chart page looks: the pieces in which the live page, the history page and the daily
// group print differ, as data and small choices handed to the one renderer. Everything else
// (layout, fonts, text output, scaling, zero line, slot raster) is the same on every page.
#pragma once

#include <cstdint>
#include <string>

namespace pegel::chart {

// Where a page is drawn: on the screen the surface is fitted into the window first.
enum class Ziel { Bildschirm, Drucker, Datei };

// A full page clears the page and draws axes and scale marks; an incremental page draws
// footer, frames, headers and traces over the previous image.
enum class Seitenart { Voll, Inkrementell };

// The strip's frame: an outline with a cleared header band (live), or a rectangle filled white
// with the frame's pen (history).
enum class Rahmenart { Umrandet, Gefuellt };

// The statistics line above a strip.
enum class Kopfart {
  Sammlertexte,  // the collector's texts ("Min.=", "Max.=", "Mit.=", sum, "Wert = "); only
                 // when text 4 is set (live)
  Berechnet,     // computed from the chart's values ("Min.=", "Max.=", "Mittel=", "Anzahl=";
                 // digital: "Betriebszeit=" in Sek./Min./Std. of the sample interval)
  Druck,         // computed like Berechnet, and the day's sum or operating time from the
                 // chart's AktMax ("Summe=", "Betriebszeit= .. h") while it is above 0
};

// The labels under a strip.
enum class Achsenart {
  Slotnummern,  // 1 .. n + 1 along the rolling buffer, at most 25 (live)
  Zeitlabels,   // the page's Zeitlabels, one every PunkteProLabel slots
};

// The values beside the strip's right edge.
enum class Skalenart {
  Marken,  // blue ticks with the top and bottom value (live)
  Raster,  // a silver grid line every R / (AH div 40) with grey values, and blue ticks
           // without texts after the trace
};

// How an analog trace joins its points.
enum class Analogart {
  Rollend,  // every valid value joined to the previous one, gaps bridged, the first a dot;
            // user scale clamps; warning colour (live)
  Cursor,   // broken at gaps and at the cursor; no clamping, no warning colour (live)
  Luecken,  // broken at gaps and below the chart's minimum; warning colour; no dot (history)
  Schwarz,  // broken at gaps only, in black; no clamping, no warning colour (printed page)
};

// How a digital chart shows its states.
enum class Digitalart {
  Rollend,       // stretches in the earlier state's colour, the newest bar red (live)
  Cursor,        // every slot, the cursor's slot red (live)
  Schwarzweiss,  // every slot: on black, off white with a black null bar (history)
};

struct Seitenstil {
  // The window's name in the page's log lines ("{name}.Ausgabe : Fehler-1",
  // "{name}.BlattHistAnpassen : ...") and the prefix of the trace messages.
  std::string fenster = "TFo_Tagesgrafik";
  std::string spurPraefix;

  // Footer: cleared from depth PH - fussFuellung to the bottom; the interval text at
  // fussXIntervall, the date at fussXDatum ("Datum/Zeit : " with the clock's time, or
  // "Daten vom : " with the page's day).
  std::int32_t fussFuellung = 140;
  std::int32_t fussXIntervall = 950;
  std::int32_t fussXDatum = 1550;
  bool fussMitUhrzeit = true;

  Rahmenart rahmen = Rahmenart::Umrandet;
  Kopfart kopf = Kopfart::Sammlertexte;
  Achsenart achse = Achsenart::Slotnummern;
  bool letzterLabelAmEnde = true;  // the last slot always takes the next label
  bool cursorlinie = false;
  Skalenart skala = Skalenart::Marken;
  Analogart analog = Analogart::Rollend;
  Digitalart digital = Digitalart::Rollend;
  bool digitaleNulllinie = false;  // the cursor mode's null bar ("Digitale Null-Linie")
  // The zero line: from 1 mm left of the strip with width 4 and the text "0.0" (screen), or
  // from the strip's left edge with width 3 and no text (printed page).
  bool nulllinieMitText = true;
  // The user scale is not used: a chart with Skalierung 2 is scaled from its minimum.
  bool ohneBenutzerskala = false;
  // A failed trace ends the page (live: the refresh stops until the chart is opened again),
  // or only its strip (history).
  bool spurfehlerBeendetSeite = true;
  // Start values of a chart's statistics; the first valid value always becomes its minimum
  // and maximum, so they remain only when no value counts.
  double minimumStart = 30000.0;
  double maximumStart = -9999.0;
};

// The live page: rolling buffer (slot numbers) or fixed time window (time labels with the last
// slot labelled), and with `mitCursor` the cursor line and the cursor traces.
Seitenstil LiveStil(bool ganzerTag, bool mitCursor, bool digitaleNulllinie);

// The history page: filled frames, computed headers, time labels without a forced last one,
// the silver grid, traces with gaps, black and white digital bars; a failed trace costs only
// its strip.
Seitenstil HistorienStil();

// The daily group print: the history page's pieces on paper, with the print's own footer
// positions, the statistics with the day's sum or operating time, a black trace with gaps,
// a zero line without text and no user scale. The text output logs as
// "Druck_New_TextAusgabe" when the font table is named so.
Seitenstil DruckStil();

}  // namespace pegel::chart
