// The two writers of the event log as the layers see them. Core's Logbuch writes the log
// file and the main window's memo; tests record.
#pragma once

#include <string>

namespace pegel {

class Log {
 public:
  virtual ~Log() = default;
  // Writes the message always. Never throws.
  virtual void LogAll(const std::string& meldung) = 0;
  // Writes the message only when [Grafik] FehlerLog is on. Never throws.
  virtual void LogFehler(const std::string& meldung) = 0;
};

}  // namespace pegel
