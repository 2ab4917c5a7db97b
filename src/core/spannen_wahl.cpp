#include "spannen_wahl.h"

#include <algorithm>

namespace pegel {

void SpannenWahl::Laden(const gitter& grid, std::int32_t zeilen, const Abschnitte& abschnitte) {
  Leeren();
  if (zeilen < 1) return;
  grid_ = &grid;
  abschnitte_ = abschnitte;
  zeilen_ = zeilen;
  // A range narrowed to a stretch of the day before does not survive.
  for (Spurbalken* b : {&tb1_, &tb2_}) {
    b->Min = 1;
    b->Max = zeilen;
  }
  tb1_.Position = 1;
  tb2_.Position = zeilen;
  Spiegeln();
  lbT1_ = Zeit(1);
  lbT2_ = Zeit(zeilen);
}

void SpannenWahl::Leeren() {
  grid_ = nullptr;
  abschnitte_ = Abschnitte{};
  zeilen_ = 0;
  tb1_ = tb2_ = Spurbalken{};
  lbT1_.clear();
  lbT2_.clear();
  intervall_ = 0;
}

void SpannenWahl::tb1Verschieben(std::int32_t position) {
  if (Aktiv()) PositionSetzen(Balken::Eins, position);
}

void SpannenWahl::tb2Verschieben(std::int32_t position) {
  if (Aktiv()) PositionSetzen(Balken::Zwei, position);
}

void SpannenWahl::cbIntervalleChange(std::size_t k) {
  if (!Aktiv() || abschnitte_.lbix1.empty() || abschnitte_.lbix2.empty() ||
      k >= abschnitte_.cbIntervalle.size() || k > abschnitte_.lbix1.size() ||
      k > abschnitte_.lbix2.size()) {
    return;
  }
  intervall_ = k;
  // The whole day first, so that no minimum is set above the current maximum.
  const std::int32_t erste = abschnitte_.lbix1.front() + 1;
  const std::int32_t letzte = abschnitte_.lbix2.back() + 1;
  lbT1_ = Zeit(erste);
  lbT2_ = Zeit(letzte);
  BereichSetzen(erste, letzte);
  if (k == 0) return;
  const std::int32_t a = abschnitte_.lbix1.at(k - 1) + 1;
  const std::int32_t b = abschnitte_.lbix2.at(k - 1) + 1;
  lbT1_ = Zeit(a);
  lbT2_ = Zeit(b);
  BereichSetzen(a, b);
}

// Both bars to min..max, tb1 at the minimum, tb2 at the maximum. The minimum goes first:
// the range is only ever narrowed after it was widened to the whole day.
void SpannenWahl::BereichSetzen(std::int32_t min, std::int32_t max) {
  for (Balken b : {Balken::Eins, Balken::Zwei}) {
    if (!MinSetzen(b, min)) {
      MaxSetzen(b, max);
      MinSetzen(b, min);
    } else {
      MaxSetzen(b, max);
    }
  }
  PositionSetzen(Balken::Eins, tb1_.Min);
  PositionSetzen(Balken::Zwei, tb2_.Max);
  Spiegeln();
}

bool SpannenWahl::MinSetzen(Balken b, std::int32_t wert) {
  Spurbalken& bar = Bar(b);
  if (wert > bar.Max) return false;
  bar.Min = wert;
  if (bar.Position < wert) {
    bar.Position = wert;
    Geaendert(b);
  }
  return true;
}

bool SpannenWahl::MaxSetzen(Balken b, std::int32_t wert) {
  Spurbalken& bar = Bar(b);
  if (wert < bar.Min) return false;
  bar.Max = wert;
  if (bar.Position > wert) {
    bar.Position = wert;
    Geaendert(b);
  }
  return true;
}

void SpannenWahl::PositionSetzen(Balken b, std::int32_t wert) {
  Spurbalken& bar = Bar(b);
  wert = std::clamp(wert, bar.Min, bar.Max);
  if (wert == bar.Position) return;
  bar.Position = wert;
  Geaendert(b);
}

void SpannenWahl::Geaendert(Balken b) {
  if (b == Balken::Eins) {
    tb1Change();
  } else {
    tb2Change();
  }
}

void SpannenWahl::tb1Change() {
  if (!Aktiv()) return;
  if (tb1_.Position > tb2_.Position) PositionSetzen(Balken::Zwei, tb1_.Position);
  lbT1_ = Zeit(tb1_.Position);
  Spiegeln();
}

void SpannenWahl::tb2Change() {
  if (!Aktiv()) return;
  if (tb2_.Position < tb1_.Position) PositionSetzen(Balken::Eins, tb2_.Position);
  lbT2_ = Zeit(tb2_.Position);
  Spiegeln();
}

void SpannenWahl::Spiegeln() {
  tb1_.SelStart = tb2_.SelStart = tb1_.Position;
  tb1_.SelEnd = tb2_.SelEnd = tb2_.Position;
}

std::string SpannenWahl::Zeit(std::int32_t position) const {
  if (grid_ == nullptr || position < 1) return {};
  return std::string(grid_->Zelle(static_cast<std::size_t>(position - 1), 1));
}

}  // namespace pegel
