// The chart page renderer: up to nine strips with their traces, drawn fully or incrementally,
// on any canvas, in the style of the page that asks (live, history, daily print).
#pragma once

#include <functional>

#include "blatt_anpassen.h"
#include "canvas.h"
#include "ereignisse.h"
#include "log.h"
#include "schriften.h"
#include "seite.h"
#include "seitenstil.h"
#include "uhr.h"

namespace pegel::chart {

// What a page needs besides its data and style. The references must outlive the call.
struct SeitenUmfeld {
  Log& log;
  PendingEvents& ereignisse;  // served once per chart
  Clock& uhr;                 // the footer's date and time
  // The screen surface fitted on a full page; nullptr for a printer or a file.
  Flaeche* flaeche = nullptr;
  // Called when the page completes (the live table's refresh timer).
  std::function<void()> fertig;
};

// Draws the page of `seite` in `stil` on `c` with the fonts of `f`. A full page fits the
// surface (screen only), clears the page and draws time axes and scale marks or grid; an
// incremental page redraws footer, frames, headers and traces over the existing image.
// Updates the layout, Nulllinie and the statistics records in `seite`, may clamp values of a
// user-scaled chart in Grafikspeicher (rolling traces) and sets RasterVorschlag (grid).
// Returns true when the page completed and `fertig` was called. Returns false without calling
// it when the window is closing (also after serving pending events), when clearing the page
// fails ("{fenster}.Ausgabe : Fehler-1") and, when the style says so, when a trace fails
// ("{praefix}Analoge Grafik abgebrochen ..." / "{praefix}Digitale Grafik abgebrochen ...").
// Never throws.
bool SeiteZeichnen(ChartSeite& seite, const Seitenstil& stil, Canvas& c, const SchriftTabelle& f,
                   SeitenUmfeld& u, Ziel ziel, Seitenart art);

}  // namespace pegel::chart
