// The Qt implementation of the printer service.
#pragma once

#include <QPrinter>
#include <QStringList>
#include <memory>

#include "services.h"

namespace pegel::ui {

// The printers known to Qt's print system (CUPS on Linux); holds the current printer.
//
// Under CUPS, Qt and libcups find the scheduler once per process, from CUPS_SERVER (else
// client.conf) at their first call. A test that points them at a private scheduler sets
// CUPS_SERVER before anything in the process touches printing.
class QtDrucker : public pegel::PrinterService {
 public:
  QtDrucker();
  // The names in the order of Druckerliste(): sorted without regard to case, then by bytes, so a
  // position means the same printer however the print system happens to order its answer.
  static QStringList Namen();
  std::vector<std::string> Druckerliste() override;
  // "name,driver,port" of the system default: the driver is the make and model, the port the
  // connection (drucker_anschluss.h). Empty when there is no default printer.
  std::string StandardBeschreibung() override;
  // Makes position n of Namen() (or the system default for -1) current. The orientation stays;
  // the paper becomes the printer's default paper, with the printer's own least margins.
  bool Setzen(int n) override;
  bool Verfuegbar() override;
  bool Ausrichtung(bool quer) override;
  // The printable area for the current orientation, cut down to whole millimetres so that a
  // page of this size stays inside it.
  std::optional<std::pair<int, int>> SeitengroesseMm() override;
  QPrinter& Drucker() { return *drucker_; }

 private:
  bool Uebernehmen(const QString& name);
  bool RandAufMinimum();
  std::unique_ptr<QPrinter> drucker_;
};

}  // namespace pegel::ui
