// Starting and stopping the viewer: the main window's Start and Stop, the state table of
// its buttons, labels and timers, and the polling it drives. The window only shows
// Fenster() and forwards its clicks and timer ticks here.
#pragma once

#include "dienste.h"
#include "erfassung.h"
#include "fenster_zustand.h"
#include "live_tabelle.h"
#include "state.h"
#include "tageswechsel.h"

namespace pegel {

// Holds references to the state and services (which must outlive it) and owns the live
// table, the window state and the polling.
class Viewer {
 public:
  // `tageswechsel` (not owned, may be null) prints the groups at the change of day;
  // without it the day change prints nothing.
  Viewer(PegelStatus& s, Dienste& d, Tageswechsel* tageswechsel = nullptr);
  Viewer(const Viewer&) = delete;
  Viewer& operator=(const Viewer&) = delete;

  LiveTabelle& Tabelle() { return tabelle_; }
  Fenster& FensterStatus() { return fenster_; }
  const FensterZustand& Zustand() const { return fenster_.Zustand(); }
  Erfassung& Abfrage() { return erfassung_; }

  // Start (btStarten): refused with a message without a valid configuration or without
  // an allocated ring; otherwise
  // the running state, today's day file when AlteDaten is set, TimerSample on and one
  // polling pass at once. Does nothing while btStarten is disabled.
  void Starten();
  // Stop (btStoppen): asks first; No stops (TimerSample off) and reads [Grafik] AlteDaten
  // again. Does nothing while btStoppen is disabled.
  void Stoppen();
  // The tick of TimerSample: one polling pass.
  void TimerSampleTimer() { erfassung_.TimerSampleTimer(); }
  // After the first show: with AutoStart, Start and TimerStart on.
  void AutoStart();
  // "Echtzeit-Daten" (also TimerStart's tick): true when the live table may open (the
  // caller then sets the fixed time window when GanzerTag and shows it); false with the
  // red hint shown and the button disabled until a pass stores a sample.
  bool EchtdatenZeigen();
  // timerLabel's tick only switches it off again.
  void TimerLabelTimer() { fenster_.Setzen(&FensterZustand::timerLabel, false); }
  // Menu "Statistik initialisieren": every parameter's statistics and buffer row reset and
  // AktMax := -1; a failing parameter is logged and the others go on.
  void StatistikInitialisieren();
  // Menu "Druck Mitternacht": the daily group print at once, from today's files.
  void DruckMitternacht();
  // A changed buffer length was saved: no Start for the rest of the run.
  void StartSperren() { fenster_.Setzen(&FensterZustand::btStarten, false); }
  // The main window may close only while stopped.
  bool SchliessenErlaubt() const { return fenster_.Zustand().btBeenden; }
  bool Laeuft() const { return fenster_.Zustand().btStoppen; }

 private:
  PegelStatus& s_;
  Dienste& d_;
  Tageswechsel ohneDruck_;
  Tageswechsel& tageswechsel_;
  LiveTabelle tabelle_;
  Fenster fenster_;
  Erfassung erfassung_;
};

}  // namespace pegel
