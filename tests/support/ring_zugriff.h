// A test's (or benchmark's) access to the inside of its ring: rows, time slots and the write
// counter, to set up any state without running the polling.
#pragma once

#include <cstdint>
#include <vector>

#include "state.h"

namespace pegel {

class RingZugriff {
 public:
  static WertSpeicher& Werte(Ringpuffer& r) { return r.werte_; }
  static std::vector<TDateTime>& Zeiten(Ringpuffer& r) { return r.zeiten_; }
  static std::int32_t& Zaehler(Ringpuffer& r) { return r.zaehler_; }
};

namespace test {
inline WertSpeicher& Werte(PegelStatus& s) { return RingZugriff::Werte(s.Ring); }
inline std::vector<TDateTime>& Zeiten(PegelStatus& s) { return RingZugriff::Zeiten(s.Ring); }
inline std::int32_t& Schreibzaehler(PegelStatus& s) { return RingZugriff::Zaehler(s.Ring); }
}  // namespace test

}  // namespace pegel
