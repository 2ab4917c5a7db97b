// Fitting the page into the chart window on the screen.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "log.h"

namespace pegel::chart {

// The screen's drawing surface, a child of the chart window (implemented by the UI).
class Flaeche {
 public:
  virtual ~Flaeche() = default;
  // Width and height of the chart window's inner area in pixels.
  virtual std::pair<int, int> Innengroesse() = 0;
  // Places the surface in the window; false when that fails.
  virtual bool Platzieren(int links, int oben, int breite, int hoehe) = 0;
  // Maps the page (pw x ph logical units, y up) onto the surface's w x h pixels.
  virtual bool Abbilden(int w, int h, std::int32_t pw, std::int32_t ph) = 0;
};

struct BlattMasse {
  std::int32_t links = 0;
  std::int32_t oben = 0;
  std::int32_t breite = 0;
  std::int32_t hoehe = 0;
};

// The surface's place for a window of cw x ch pixels and a page of the given size in mm:
// full width less 10 px each side in a relatively tall window, else full height less 30 px
// above and 10 px below, centred. Throws GeometrieFehler for a degenerate window or page.
BlattMasse BlattRechnen(int cw, int ch, std::int32_t seitenbreite, std::int32_t seitenhoehe);

// Fits and maps the surface. Logs "{fenster}.BlattHistAnpassen : Fehler-2" when placing
// fails (and goes on), "{fenster}.BlattHistAnpassen : Fehler-1" for any other failure.
void BlattAnpassen(Flaeche& flaeche, std::int32_t seitenbreite, std::int32_t seitenhoehe, Log& log,
                   const std::string& fenster = "TFo_Tagesgrafik");

}  // namespace pegel::chart
