// The polling of the collector's files: one pass per tick of TimerSample takes the sample
// file away under the lock-file protocol, enters its lines into the ring buffer, the day
// statistics and the live table, applies AKTDAT.PGV and handles the change of day.
// Everything runs on the GUI thread; waits process pending window messages through
// Dienste::ereignisse, so other timers may run inside a pass and must check Lesen_Fertig.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>
#include <string_view>

#include "dienste.h"
#include "fenster_zustand.h"
#include "live_tabelle.h"
#include "state.h"
#include "tageswechsel.h"

namespace pegel {

inline constexpr const char* LockDateiName = "$lock_SMP";
inline constexpr int LockVersuche = 6;         // waits of 100 ms for the collector's lock
inline constexpr int UmbenennVersuche = 1000;  // tries to take a shared file away

// Holds references only; the state, services, table, window state and the day-change
// seam must outlive it.
class Erfassung {
 public:
  Erfassung(PegelStatus& s, Dienste& d, LiveTabelle& tabelle, Fenster& fenster,
            Tageswechsel& tageswechsel);

  // One polling pass. Never throws; whatever fails inside, the pass ends with the lock
  // file deleted, Lesen_Fertig true and TimerSample enabled again (unless the viewer was
  // stopped meanwhile).
  void TimerSampleTimer();

  // Takes `datei` away by renaming it, enters all its lines and deletes the taken file
  // when `loeschen`. Failures are logged or shown and end the call; never throws.
  void SampleVerarbeiten(const std::filesystem::path& datei, bool loeschen);

  // Enters field `i` of a sample line. Throws for a time field that is no time (the
  // caller ends the file); a failing value field is logged and ignored. The statistics
  // rows 1..4 of the live table follow with StatistikZeilenSchreiben (SampleVerarbeiten
  // calls it when the file is done).
  void FeldEintragen(std::string_view text, int i);
  void StatistikZeilenSchreiben();

  // Consumes AKTDAT.PGV into AktDaten, AktMax and the live table. Never throws.
  void AktDatLesen();

  // Loads today's day file into the buffer, statistics and live table through a TMX
  // copy. The copy and the removal of today's sample file happen under the lock file, so
  // that no line of the collector falls between them. Never throws.
  void AlteTagesdatenLesen();

  // Start resets the line count and tells whether the viewer runs, so that a pass that
  // was running when the viewer stopped does not switch TimerSample on again.
  void ViewerLaeuft(bool laeuft) { laeuft_ = laeuft; }
  void ZeilenZuruecksetzen() { zeilen_ = 0; }
  // Sample lines whose time was entered since the last reset.
  std::int64_t ZeilenGesamt() const { return zeilen_; }

 private:
  bool LockAbwarten();
  bool Umbenennen(const std::filesystem::path& von, std::filesystem::path& nach, int& fehlversuche);
  bool Eintragen(std::istream& ein);
  void Tageswechseln();
  void AllesZuruecksetzen();
  void Wert(std::string_view text);
  void LockNehmen();
  void EchtdatenFreigeben();
  void NachDemDurchlauf();

  PegelStatus& s_;
  Dienste& d_;
  LiveTabelle& tabelle_;
  Fenster& fenster_;
  Tageswechsel& tageswechsel_;
  bool laeuft_ = true;
  std::int64_t zeilen_ = 0;
  std::int32_t letzteFelder_ = 0;           // fields of the last line entered; 0: no line
  std::array<bool, MaxItems + 1> offen_{};  // statistics rows not yet written
};

}  // namespace pegel
