// The event log: "_PEGELWART_LOGALL.TXT" in the program directory and the main window's
// memo. The file is opened, appended to and closed for every message; it is never
// truncated. Both lines of one message carry the same clock reading.
#pragma once

#include <filesystem>
#include <string>

#include "log.h"
#include "services.h"
#include "state.h"

namespace pegel {

inline constexpr const char* LogDateiName = "_PEGELWART_LOGALL.TXT";

class Logbuch : public Log {
 public:
  // `status` gives the directory, the FehlerLog switch and NurLesen; `sink` may be null.
  Logbuch(const PegelStatus& status, Clock& uhr, LogSink* sink);

  void SenkeSetzen(LogSink* sink) { sink_ = sink; }

  // Writes the file line and the memo line. Never throws; a failing file write loses
  // the file line only.
  void LogAll(const std::string& meldung) override;
  // As LogAll when FehlerLog is on, else nothing.
  void LogFehler(const std::string& meldung) override;

  // "dd.mmm.yy, hh:mm:ss > message" and "dd.mm.,hh:mm:ss:zzz > message".
  static std::string DateiZeile(TDateTime t, const std::string& meldung);
  static std::string MemoZeile(TDateTime t, const std::string& meldung);

 private:
  const PegelStatus& status_;
  Clock& uhr_;
  LogSink* sink_;
};

}  // namespace pegel
