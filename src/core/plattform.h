// The few things the standard library cannot say portably: the local time of day.
// This is the only file with platform calls.
#pragma once

#include <cstdint>

#include "services.h"

namespace pegel {

// The local date and time now, to the millisecond.
TDateTime LokaleZeitJetzt();
// Milliseconds of a monotonic counter, wrapping at 2^32.
std::uint32_t TickZaehler();

// The machine's clock for the tools (the UI has its own).
class SystemUhr : public Clock {
 public:
  TDateTime Jetzt() override { return LokaleZeitJetzt(); }
  std::uint32_t Ticks() override { return TickZaehler(); }
  void Pause() override;
};

}  // namespace pegel
