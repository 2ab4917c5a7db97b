// The clock that every layer reads: the time now and a millisecond tick count.
#pragma once

#include <cstdint>

#include "text_format.h"

namespace pegel {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual TDateTime Jetzt() = 0;
  // Millisecond tick count; wraps at 2^32 like the platform's counter.
  virtual std::uint32_t Ticks() = 0;
  // Called by busy waits between two looks at Ticks(): a real clock sleeps briefly,
  // a test clock moves on.
  virtual void Pause() = 0;
};

}  // namespace pegel
