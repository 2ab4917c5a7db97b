// The span selection of the history browser without widgets: the two track bars tb1 and
// tb2 (first and last row of the span, 1-based), their selection band, the time labels
// lbT1/lbT2 and the stretch chosen in cbIntervalle. The window mirrors this state into its
// widgets after every call and forwards the user's moves to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "abschnitte.h"
#include "gitter.h"

namespace pegel {

// One track bar as the platform's control behaves: the position always lies within
// Min..Max, and a range whose minimum would lie above its maximum is refused.
struct Spurbalken {
  std::int32_t Min = 1;
  std::int32_t Max = 1;
  std::int32_t Position = 1;
  std::int32_t SelStart = 1;  // the band drawn on the bar
  std::int32_t SelEnd = 1;
};

class SpannenWahl {
 public:
  // Takes a loaded day: both bars span rows 1..`zeilen` with tb1 at 1 and tb2 at `zeilen`,
  // lbT1/lbT2 the times of the first and last row, "Gesamtzeit" chosen. With `zeilen` < 1
  // the bars are disabled and every change is ignored. `grid` (the day's rows) is not
  // copied and must outlive this object or the next Laden; the stretches are copied.
  void Laden(const gitter& grid, std::int32_t zeilen, const Abschnitte& abschnitte);
  // Forgets the day: disabled, empty labels.
  void Leeren();

  // The user moved a bar to `position` (clamped to its range). Runs tb1Change/tb2Change
  // when the position changed. Does nothing while disabled.
  void tb1Verschieben(std::int32_t position);
  void tb2Verschieben(std::int32_t position);

  // The user chose entry `k` of cbIntervalle (0 = "Gesamtzeit", k >= 1 stretch k): both
  // bars are first widened to the whole day, then narrowed to the stretch, with tb1 at the
  // start and tb2 at the end. An entry that does not exist is ignored.
  void cbIntervalleChange(std::size_t k);

  const Spurbalken& tb1() const { return tb1_; }
  const Spurbalken& tb2() const { return tb2_; }
  const std::string& lbT1() const { return lbT1_; }
  const std::string& lbT2() const { return lbT2_; }
  bool Aktiv() const { return zeilen_ >= 1; }
  std::size_t Intervall() const { return intervall_; }  // chosen cbIntervalle entry

  // The selected span: first and last row (1-based) and the number of rows
  // (tb1.SelEnd - tb1.SelStart + 1; 0 while disabled).
  std::int32_t ErsteZeile() const { return tb1_.SelStart; }
  std::int32_t LetzteZeile() const { return tb1_.SelEnd; }
  std::int32_t Zeilen() const { return Aktiv() ? tb1_.SelEnd - tb1_.SelStart + 1 : 0; }

 private:
  enum class Balken { Eins, Zwei };
  Spurbalken& Bar(Balken b) { return b == Balken::Eins ? tb1_ : tb2_; }
  // The control's setters: each runs the bar's change handler when its position moved.
  bool MinSetzen(Balken b, std::int32_t wert);
  bool MaxSetzen(Balken b, std::int32_t wert);
  void PositionSetzen(Balken b, std::int32_t wert);
  void BereichSetzen(std::int32_t min, std::int32_t max);
  void Geaendert(Balken b);
  void tb1Change();
  void tb2Change();
  void Spiegeln();
  std::string Zeit(std::int32_t position) const;

  const gitter* grid_ = nullptr;
  Abschnitte abschnitte_;
  std::int32_t zeilen_ = 0;
  Spurbalken tb1_, tb2_;
  std::string lbT1_, lbT2_;
  std::size_t intervall_ = 0;
};

}  // namespace pegel
