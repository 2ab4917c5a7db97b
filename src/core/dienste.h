// The services a core operation may need, bundled so that they travel as one argument.
#pragma once

#include "logbuch.h"
#include "services.h"

namespace pegel {

struct Dienste {
  Clock& uhr;
  Messages& meldungen;
  PendingEvents& ereignisse;
  Logbuch& log;
  PrinterService& drucker;
};

}  // namespace pegel
