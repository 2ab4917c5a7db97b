// The ring buffer of the live display: one row of slots per parameter with the values of the
// newest sample lines, the time of every slot, and the write counter. The counter starts at
// 4 (empty); each sample line advances it, and after the last slot it wraps so that the
// oldest slot is overwritten next. The ring keeps the shape it was allocated with for the
// whole run.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "grenzen.h"
#include "text_format.h"

namespace pegel {

using WertSpeicher = std::vector<std::vector<double>>;

// 1 <= n <= MaxItems: the buffer becomes n empty rows and n - 1 is returned.
// Any other n: -1, the buffer is unchanged. Never throws.
std::int32_t PufferAnlegen(std::int32_t n, WertSpeicher& puffer);

// Sets row `zeile` to `laenge` slots, all NoValue (also slots that existed before), and
// returns laenge; -1 for a row outside the buffer, a negative length or any error.
std::int32_t SpalteAnlegen(std::int32_t zeile, std::int32_t laenge, WertSpeicher& puffer);

// Releases every row, then the row array. Returns 0.
std::int32_t PufferFreigeben(WertSpeicher& puffer);

class Ringpuffer {
 public:
  // ---- allocation, through the operations above ----
  // PufferAnlegen with n rows.
  std::int32_t ZeilenAnlegen(std::int32_t n) { return PufferAnlegen(n, werte_); }
  // SpalteAnlegen of row `zeile` with `laenge` slots.
  std::int32_t SpalteAnlegen(std::int32_t zeile, std::int32_t laenge) {
    return pegel::SpalteAnlegen(zeile, laenge, werte_);
  }
  // `laenge` time slots (negative counts as 0). False when they cannot be allocated; the
  // ring then has no time slots and counts as not allocated.
  bool ZeitenAnlegen(std::int32_t laenge);
  // PufferFreigeben, and the time slots.
  void Freigeben();

  // ---- shape ----
  // Rows and time slots are there (the viewer can start).
  bool Angelegt() const { return !werte_.empty() && !zeiten_.empty(); }
  // The allocated length: slots per row as allocated (0 while not allocated).
  std::int32_t Laenge() const { return static_cast<std::int32_t>(zeiten_.size()); }
  // The allocated rows, one per parameter.
  std::int32_t Zeilen() const { return static_cast<std::int32_t>(werte_.size()); }

  // ---- the write counter ----
  // No sample line since the last reset.
  bool Leer() const { return zaehler_ < Erster; }
  // Slot of the newest sample line; -1 while empty.
  std::int32_t NeuesterSlot() const { return zaehler_ - Erster; }
  // The next sample line's slot becomes the newest: the slot after the newest, or slot 0
  // after the last one (or when empty).
  void Weiterschalten() {
    zaehler_ += 1;
    if (zaehler_ > Laenge() + Erster - 1) zaehler_ = Erster;
  }
  // Empty again; the values stay until they are overwritten or reset.
  void Leeren() { zaehler_ = Erster - 1; }
  // The raw write counter (4 when empty, newest slot + 5). Only the live table's refresh
  // check compares it, and the tools report it.
  std::int32_t Zaehler() const { return zaehler_; }
  // The slots from the oldest to the newest: after the newest (wrapping at the end) while the
  // ring has wrapped, else from slot 0; every slot once. Empty while not allocated.
  std::vector<std::size_t> SlotsInZeitfolge() const;

  // ---- values and times ----
  // The row of parameter n (1..Zeilen()). Throws std::out_of_range otherwise.
  const std::vector<double>& Zeile(std::int32_t n) const { return werte_.at(Index(n)); }
  // Stores v in the newest slot of parameter n's row. Throws std::out_of_range for a row
  // or slot outside the ring (also while empty).
  void WertEintragen(std::int32_t n, double v) {
    werte_.at(Index(n)).at(static_cast<std::size_t>(NeuesterSlot())) = v;
  }
  // Stores the time of the newest slot. Throws std::out_of_range while empty.
  void ZeitEintragen(TDateTime t) { zeiten_.at(static_cast<std::size_t>(NeuesterSlot())) = t; }
  // The time of a slot. Throws std::out_of_range outside the ring.
  TDateTime Zeit(std::int32_t slot) const { return zeiten_.at(static_cast<std::size_t>(slot)); }
  // Every slot of parameter n's row := NoValue. Throws std::out_of_range for a row that was
  // never allocated.
  void ZeileLeeren(std::int32_t n);

 private:
  friend class RingZugriff;                  // tests build their rings through it
  static constexpr std::int32_t Erster = 5;  // the counter of slot 0
  static std::size_t Index(std::int32_t n) {
    if (n < 1) throw std::out_of_range("Ring: Parameter ausserhalb");
    return static_cast<std::size_t>(n - 1);
  }
  WertSpeicher werte_;
  std::vector<TDateTime> zeiten_;
  std::int32_t zaehler_ = Erster - 1;
};

}  // namespace pegel
