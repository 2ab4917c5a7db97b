#include "logbuch.h"

#include <fstream>

namespace pegel {

Logbuch::Logbuch(const PegelStatus& status, Clock& uhr, LogSink* sink)
    : status_(status), uhr_(uhr), sink_(sink) {}

std::string Logbuch::DateiZeile(TDateTime t, const std::string& meldung) {
  return LogDateiStempel(t) + " > " + meldung;
}

std::string Logbuch::MemoZeile(TDateTime t, const std::string& meldung) {
  return MemoStempel(t) + " > " + meldung;
}

void Logbuch::LogAll(const std::string& meldung) {
  TDateTime t = 0;
  try {
    t = uhr_.Jetzt();
  } catch (...) {
    return;  // without a time stamp there is no line to write; the log cannot log itself
  }
  if (!status_.NurLesen) {
    try {
      std::ofstream f(status_.Pfade.ProgDir / LogDateiName, std::ios::binary | std::ios::app);
      if (f) f << DateiZeile(t, meldung) << "\r\n";
    } catch (...) {
      // The message is then missing from the file; the memo still gets it.
    }
  }
  if (sink_ != nullptr) {
    try {
      sink_->MemoZeile(MemoZeile(t, meldung));
    } catch (...) {
      // A memo that cannot take the line loses it; the file has it, and the log cannot log
      // its own failure.
    }
  }
}

void Logbuch::LogFehler(const std::string& meldung) {
  if (status_.Anzeige.FehlerLog) LogAll(meldung);
}

}  // namespace pegel
