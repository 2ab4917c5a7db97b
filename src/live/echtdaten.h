// The logic of the live value table window: its fixed cells, the saved chart selection,
// the hand-over of the ring buffer to the live chart and the refresh timer's decision.
#pragma once

#include <functional>
#include <vector>

#include "dienste.h"
#include "live_grafik.h"
#include "live_tabelle.h"
#include "state.h"

namespace pegel::live {

class Echtdaten {
 public:
  // What the window does after btGrafikClick.
  enum class Folge {
    Nichts,        // a message was shown or nothing was to do; the panel stays enabled
    GrafikZeigen,  // the chart is set up: disable the panel and show the chart window
    Aufgefrischt,  // a refresh cycle ran
  };

  // The references must outlive the object.
  Echtdaten(PegelStatus& s, Dienste& d, LiveGrafik& grafik, LiveTabelle& tabelle);

  // Row 0 and the labels of column 0 of the live table; the selection to show
  // (Grafikanzeige). Returns true when the chart is to open by itself (automatic start;
  // AutoStartAktiv is cleared).
  bool FormShow();

  // Stores the selection in Grafikanzeige and in the INI file ([Grafikanzeige] Item{j}).
  void btAuswahlClick(const std::vector<bool>& auswahl);

  // The hand-over. `auswahl` is the list's selection (line j - 1 for parameter j),
  // `grafikSichtbar` whether the chart window is open, `zeichnen` draws the chart page at the
  // end of a refresh cycle.
  Folge btGrafikClick(const std::vector<bool>& auswahl, bool grafikSichtbar,
                      const std::function<void(Seitenart)>& zeichnen);

  // The 500 ms timer: true when a refresh is due (the caller then disables the timer and
  // runs btGrafikClick); remembers the write counter it refreshes for. Not due while the
  // buffer holds no sample since its reset.
  bool TimerRefreshFaellig();

  // The write counter at the last refresh (2 when the program starts).
  std::int32_t LetzterZeiger = 2;

 private:
  // The list's selection into Grafikanzeige, and the units of the listed parameters.
  void AuswahlUebernehmen(const std::vector<bool>& auswahl);
  PegelStatus& s_;
  Dienste& d_;
  LiveGrafik& grafik_;
  LiveTabelle& tabelle_;
};

}  // namespace pegel::live
