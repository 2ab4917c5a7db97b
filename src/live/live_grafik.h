// The working state and the logic of the live chart window, without widgets: the point
// arrays copied from the ring, the fixed time window with its change of day and its moving
// scale, the choice between a full and an incremental page, the guards against re-entry and
// the loading of a parameter group. The page itself is drawn by the chart renderer in the
// live style. Charts are numbered 1..N here as on the page; InitFeld and RefreshGraf keep the
// 0-based chart index of the live table's calls and are the only places that convert it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "dienste.h"
#include "schriften.h"
#include "seite.h"
#include "seite_zeichnen.h"
#include "state.h"

namespace pegel::live {

using chart::ChartSeite;
using chart::Seitenart;
using chart::Ziel;

// The fixed time window (GanzerTag): its first and last label time, the minutes between
// labels and the span in hours.
struct FestesFenster {
  TDateTime FestAnfang = 0;
  TDateTime FestEnd = 0;
  double LabelMinuten = 0;
  double Spanne = 0;
};

// Fills seite.Zeitlabels (at their present count) with the time texts of the fixed window from
// FestAnfang on, one per trunc(k * PunkteProLabel) of `puffer` slots, LabelMinuten apart, and
// sets FestEnd to the last label's time. Without labels FestEnd = FestAnfang.
void InitTimeSkale(ChartSeite& seite, FestesFenster& fenster, int puffer);

class LiveGrafik {
 public:
  // The references must outlive the object.
  LiveGrafik(PegelStatus& s, Dienste& d);

  ChartSeite seite;
  chart::SchriftTabelle schriften;
  FestesFenster fenster;
  // The statistics of the previous refresh, against which FinishRefresh decides.
  std::array<chart::TGrafikstatistik, chart::MaxGrafiken + 1> GrafikstatistikVorher{};

  // The window is open and may be refreshed (read by the live table's timer).
  bool LiveGrafikAktiv = false;
  bool Zeichnet = false;    // a refresh cycle is running
  bool DruckAktiv = false;  // the page goes to the printer
  bool Schliesst = false;   // the window is closing: nothing is drawn
  bool Neuaufbau = false;   // the next refresh must be a full page
  bool Ladefehler = false;  // the last group load failed
  bool DigNull = false;     // the live table's "Digitale Null-Linie"
  std::string Schriftname = "Arial";

  // Sets Schreibposition; sets the point arrays up for N charts (1..9) and returns N - 1,
  // else -1. Logs "Echtzeitgrafik : Fehler bei Grafikspeicher-Init." on an exception.
  int InitGraf(int n, int cursor);
  // Chart k + 1 (k 0-based, as the live table counts) takes type and scaling and a copy of
  // the values (through IntervallChecken); returns its highest index, or -1 for a type that
  // is neither analog nor digital or a chart that was not set up.
  int InitFeld(int k, Grafiktyp typ, int hoechster, const std::vector<double>& werte,
               int skalierung);
  void InitRefresh() { Zeichnet = true; }
  // Copies the values into chart k + 1 (k 0-based) when its length matches; 0 while the
  // window is not active, -1 for an unknown chart or another length.
  int RefreshGraf(int k, const std::vector<double>& werte, int hoechster, int cursor);
  // The end of a refresh cycle: compares the statistics and draws a full page through
  // `zeichnen(Voll)` when a range grew or a rebuild is due, else an incremental one. Nothing
  // while inactive or printing (Zeichnet then stays set).
  void FinishRefresh(const std::function<void(Seitenart)>& zeichnen);
  // Copies the values into chart i (1..N): in slot order, or by time into the fixed window
  // (which moves on with the samples). Returns the highest index, or -1 after an error or
  // when events served during the copy closed the window or set the charts up anew.
  int IntervallChecken(int i, const std::vector<double>& werte);
  void ReleaseGraf();
  // The window closes: nothing is refreshed or drawn any more, also by a page in progress.
  void Schliessen() {
    LiveGrafikAktiv = false;
    Schliesst = true;
    seite.Schliesst = true;
  }

  // The page on `c`, in the live style of the window's modes. See chart::SeiteZeichnen.
  bool RefreshAusgabe(chart::Canvas& c, chart::SeitenUmfeld& u, Ziel ziel, Seitenart art);

  // Paint and resize: whether a full page is to be drawn now. While closing, printing or
  // refreshing only the log hears of it. Before a full page every analog chart's range is
  // reset to its current data.
  bool FormPaint();
  bool FormResize();

  // The display data of parameter j for chart k (1..9): name, unit, sum settings, colours,
  // limits, scale and the collector's texts.
  void AnzeigeUebernehmen(int k, int j);

  // Charts 1, 2, ... take the parameters marked in Grafikanzeige, in table order: their
  // display data and their ring rows. False as soon as one chart does not take the whole
  // ring (another type than analog or digital, more charts than set up). A failing copy of
  // the display data logs `uebergabeFehler` and goes on.
  bool ParameterUebernehmen(const std::string& uebergabeFehler);

  // Loads group g (1..20): its members become the charted parameters. False (after
  // "Fehler bei der Grafik-Initialisierung !", Ladefehler set) when the group cannot be
  // charted; the window then closes. `zeichnen` paints the page.
  bool Grafik_Laden(int g, const std::function<void()>& zeichnen);

  // The fixed time window for span entry k of the settings (0..8, "andere" = spAndere
  // minutes), from the time `jetzt`. False after "Ungültiges Zeitintervall !".
  bool Zeitfenster(int k, int spAndere, TDateTime jetzt);

  // Page settings when the window is shown: page size, Textrand as the loader read it,
  // modes and the collector's interval.
  void FensterZeigen();

 private:
  void StatistikNeu();
  PegelStatus& s_;
  Dienste& d_;
  bool ganzerTag_ = false;  // the modes as the window was shown
  bool mitCursor_ = false;
  std::uint64_t speicherStand_ = 0;  // counts every new set-up of the chart arrays
};

}  // namespace pegel::live
