// The seam through which the first pass of a new day starts the daily group print.
// The polling owns the day change itself (statistics, buffer, counters); this only adds
// the print. The default prints nothing.
#pragma once

#include "dienste.h"
#include "state.h"

namespace pegel {

class Tageswechsel {
 public:
  virtual ~Tageswechsel() = default;
  // Prints the marked groups from the day files of s.Abfrage.PrintDate. Must catch and log its
  // own failures; anything it throws is caught and logged by the polling pass.
  virtual void GruppeDrucken(PegelStatus& s, Dienste& d) {
    (void)s;
    (void)d;
  }
};

}  // namespace pegel
