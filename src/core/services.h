// The services that core calls out to. Each has a Qt implementation in the UI, a
// recording one in the tests and a headless one in the tools. All texts are
// Windows-1252 bytes; the implementations convert at their boundary. The clock and the
// pending-events hook live in the basis, because the chart renderer uses them too.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ereignisse.h"
#include "text_format.h"
#include "uhr.h"

namespace pegel {

class Messages {
 public:
  virtual ~Messages() = default;
  virtual void Info(const std::string& text) = 0;
  virtual void Fehler(const std::string& text) = 0;
  virtual void Warnung(const std::string& text) = 0;
  // Yes/No question; true for Yes.
  virtual bool Frage(const std::string& text) = 0;
  // Yes/No question shown as a warning, for a step the operator should think twice about;
  // true for Yes. A display without a warning style asks it as a plain question.
  virtual bool WarnFrage(const std::string& text) { return Frage(text); }
  // One-line text prompt; empty when cancelled.
  virtual std::optional<std::string> TextEingabe(const std::string& titel,
                                                 const std::string& prompt,
                                                 const std::string& vorgabe) = 0;
  // File-open dialog; filter in the form "Headerdatei [*.pgh]|*.pgh". Empty when cancelled.
  virtual std::optional<std::filesystem::path> DateiOeffnen(const std::filesystem::path& startVerz,
                                                            const std::string& filter) = 0;
};

// Receives every memo line of the event log (the main window's memo).
class LogSink {
 public:
  virtual ~LogSink() = default;
  virtual void MemoZeile(const std::string& zeile) = 0;
};

// The platform's printers.
class PrinterService {
 public:
  virtual ~PrinterService() = default;
  // The installed printers' names, in a stable order (by name), so that a stored position
  // means the same printer as long as no printer is added or removed.
  virtual std::vector<std::string> Druckerliste() = 0;
  // Name, driver and port of the default printer, separated by commas; empty when there is none.
  virtual std::string StandardBeschreibung() = 0;
  // Makes list position n current (-1: the system default); the orientation stays. False when
  // that fails.
  virtual bool Setzen(int n) = 0;
  // True when a printer can be addressed at all.
  virtual bool Verfuegbar() = 0;
  // Sets the orientation of the current printer; false when no printer can be addressed.
  virtual bool Ausrichtung(bool quer) = 0;
  // Printable width and height of the current printer in whole mm, for the orientation set.
  virtual std::optional<std::pair<int, int>> SeitengroesseMm() = 0;
};

}  // namespace pegel
