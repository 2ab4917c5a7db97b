// The live chart page: up to nine strips with their traces, drawn fully or incrementally.
#pragma once

#include <functional>

#include "blatt_anpassen.h"
#include "canvas.h"
#include "ereignisse.h"
#include "log.h"
#include "schriften.h"
#include "seite.h"
#include "uhr.h"

namespace pegel::chart {

// What a page needs besides its state. The references must outlive the call.
struct SeitenUmfeld {
  Log& log;
  PendingEvents& ereignisse;  // served once per chart
  Clock& uhr;                 // the footer's date and time
  // The screen surface fitted on a full page; nullptr for a printer or a file.
  Flaeche* flaeche = nullptr;
  // Re-enables the refresh timer of the live table; called when the page completes.
  std::function<void()> timerEin;
};

// Draws the page of `seite` on `c` with the fonts of `f`. A full page (inkrementell =
// false) fits the surface (screen only), clears the page and draws time axes and scale
// marks; an incremental page redraws footer, frames, headers and traces over the existing
// image. Updates the layout, Nulllinie and the statistics records in `seite` and may clamp
// values of a user-scaled chart in Grafikspeicher.
// Returns true when the page completed and timerEin was called. Returns false without
// calling it when the window is closing (also after serving pending events), when clearing
// the page fails ("TFo_Tagesgrafik.Ausgabe : Fehler-1") and when a trace fails
// ("Analoge Grafik abgebrochen ..." / "Digitale Grafik abgebrochen ..."). Never throws.
bool RefreshAusgabe(ChartSeite& seite, Canvas& c, const SchriftTabelle& f, SeitenUmfeld& u,
                    bool zumDrucker, bool inkrementell);

}  // namespace pegel::chart
