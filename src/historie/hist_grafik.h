// The working state and the logic of the history chart window, without widgets: the charts
// of a loaded range of a stored day, the loads that fill them (a hand-off, a group, a day of
// the day menu or the main window's old data), the scale override and the guards. The page
// is drawn by the chart renderer in the history style.
//
// Drawing the history page anywhere (a window, a printer, a file):
//
//   pegel::historie::HistGrafik modell(s, d);   // s: PegelStatus, d: Dienste
//   modell.Laden(bereich);                      // a HistorienBereich (grafik_uebergabe.h)
//   modell.seite.Seitenbreite = 297;            // page size in mm (FensterZeigen takes the
//   modell.seite.Seitenhoehe = 210;             // print size of the printer selection)
//   chart::SchriftTabelle schriften(log);       // or modell.schriften
//   schriften.SeitenSchriftenErzeugen();
//   chart::SeitenUmfeld umfeld{log, ereignisse, uhr, nullptr, {}};
//   HistorienSeiteZeichnen(modell, canvas, schriften, umfeld, chart::Ziel::Datei);
//
// The page is always a full page. On a file or a printer pass a canvas in exact 0.1 mm
// (ui::Abbildung::Metrisch); on the screen pass the surface as umfeld.flaeche, which the
// page fits first. Nothing here reads the INI file except FensterZeigen.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"
#include "dienste.h"
#include "gitter.h"
#include "grafik_uebergabe.h"
#include "schriften.h"
#include "seite.h"
#include "seite_zeichnen.h"
#include "state.h"
#include "tageskopf.h"

namespace pegel::historie {

// The entries of the day menu.
enum class TagWahl { Heute, Gestern, Vorgestern };

// Who loads a day: the log line for a header that cannot be read differs.
enum class Tageslader { Hauptfenster, Grafikfenster };

enum class Ladeergebnis {
  Geladen,
  KeinKopf,     // the header could not be read (logged)
  KeineDaten,   // the data file gave no line (logged by the reader)
  Abgewiesen,   // too few rows, no or too many charts, a type that cannot be charted
  Beschaeftigt  // another load is running
};

class HistGrafik {
 public:
  // The references must outlive the object.
  HistGrafik(PegelStatus& s, Dienste& d);

  chart::ChartSeite seite;
  chart::SchriftTabelle schriften;
  std::string Schriftname = "Arial";

  // The loaded range: the day's parameter count and rows SelStart..SelEnd (1-based).
  std::int32_t Itemcount = 0;
  std::int32_t SelStart = 0;
  std::int32_t SelEnd = 0;
  std::int32_t Zeilen = 0;

  // The scale override of "Skala ändern"; without it (Standardskala) the page's grid
  // proposes UntereGrenze, Skalenteilung and SkalaModus for the two input boxes.
  bool Standardskala = true;
  double UntereGrenze = 0;
  double Skalenteilung = 0;
  std::int32_t SkalaModus = 0;

  // The orientation of the page and of every print job ("Quer").
  bool Querformat = true;

  bool DruckAktiv = false;  // the page goes to the printer: the screen is not drawn
  bool Schliesst = false;   // the window is closing: nothing is drawn
  bool Ladefehler = false;  // the last group load failed: the window closes
  bool Laedt = false;       // a load is running (events are served meanwhile)

  // Sets up n charts (1..9) and returns n - 1; otherwise -1 and nothing changes. The
  // second argument is not used.
  int InitGraf(int n, int frei);
  // Chart k (0-based, below the count of InitGraf) takes the type, the scaling reference
  // `ref` and a copy of the values; returns the highest index of the values. Refuses (-1,
  // nothing stored) a type below 0 or of 3 and more, a negative k and a k beyond the charts.
  int InitFeld(int k, int typ, const std::vector<double>& werte, int ref);
  // Releases all value arrays; the page then has no chart.
  void ReleaseGraf();

  // The history browser's hand-off: the charts of `b`, whose rows come from the browser's
  // day (s.Tage.DatenGitter and s.Tage.HistKopf, which a later group load reads). False,
  // with a log line and the previous charts kept, when the charts cannot be set up: no or
  // more than nine charts, a type that cannot be charted, values that do not fill the rows.
  bool Laden(const HistorienBereich& b);

  // Loads group g (1..20) from the loaded range; sets AktGruppe. Members beyond the day's
  // columns are left out with one log line. A group that is empty or has more than nine
  // members in the day shows "Fehler bei der Grafik-Initialisierung !" and sets Ladefehler
  // (the window then closes); a group with no member in the day, or a number that is no
  // group, shows "Gruppe nicht in gewählter Datei vorhanden!" and keeps the charts. True
  // when the charts were loaded.
  bool Gruppe1Click(int g);
  bool Grafik_Laden(int g);

  // The day of a day menu entry, from the clock now: today, or the day before, or two days
  // before (midnight).
  TDateTime TagVon(TagWahl w) const;
  // The day menu: releases the charts, then charts that day.
  Ladeergebnis TagWaehlen(TagWahl w);
  // Reads the day `tag` (header, then data file) into the chart's own grid and header,
  // never into the browser's, and charts the parameters of group AktGruppe, or parameters
  // 1..9, over all its rows. Messages as the day loaders show them.
  Ladeergebnis TagLaden(TDateTime tag, Tageslader wer);

  // Showing the window: page size of the printer selection, automatic scale, Textrand from
  // the INI file, flags reset.
  void FensterZeigen();
  // The window closes: nothing is drawn any more, also by a page in progress.
  void Schliessen();
  // Whether the screen may be drawn now (not while printing or closing).
  bool BildschirmFrei() const { return !DruckAktiv && !Schliesst; }

  // "Untere Grenze": asks for the lower end, then as Schrittweite1Click; an answer that is
  // no number leaves the override as it was. The caller repaints in every case.
  void UntereGrenze1Click();
  // "Schrittweite": asks for the grid distance.
  void Schrittweite1Click();
  void Standardwiederherstellen1Click() { Standardskala = true; }

  // The page on `c`, with the window's fonts. See HistorienSeiteZeichnen.
  bool Ausgabe(chart::Canvas& c, chart::SeitenUmfeld& u, chart::Ziel ziel);

 private:
  friend bool HistorienSeiteZeichnen(HistGrafik&, chart::Canvas&, const chart::SchriftTabelle&,
                                     chart::SeitenUmfeld&, chart::Ziel);
  // Where the loaded rows come from, for a later group load.
  enum class Quelle { Browser, Eigene };
  bool Anwenden(const HistorienBereich& b, Quelle q);
  // The hand-off of `parameter` over rows ersteZeile..+zeilen of `grid`; events are served
  // once per parameter. False when the window closed meanwhile.
  bool KurvenBauen(HistorienBereich& b, const gitter& grid, const Kopfdaten& kopf,
                   const std::vector<int>& parameter);
  Ladeergebnis TagLadenIntern(TDateTime tag, Tageslader wer);

  PegelStatus& s_;
  Dienste& d_;
  Quelle quelle_ = Quelle::Browser;
  gitter gitter_;   // the chart's own day (day menu, old data)
  Kopfdaten kopf_;  // and its header
  std::array<std::int32_t, chart::MaxGrafiken + 1> skalierung_{};  // as loaded
};

// Draws the history page of `modell` on `c` as a full page with the fonts of `f`: the
// loaded charts, the scale override when Standardskala is off, and afterwards the grid's
// proposal for the scale boxes when it is on. Nothing is drawn while the window is closing.
// Returns what chart::SeiteZeichnen returns (false: closing, the page could not be cleared).
// Never throws.
bool HistorienSeiteZeichnen(HistGrafik& modell, chart::Canvas& c, const chart::SchriftTabelle& f,
                            chart::SeitenUmfeld& u, chart::Ziel ziel);

}  // namespace pegel::historie
