// The Qt implementation of the printer service.
#pragma once

#include <QPrinter>
#include <memory>

#include "services.h"

namespace pegelui {

// The printers known to Qt's print system; holds the current printer.
class QtDrucker : public pegel::PrinterService {
 public:
  QtDrucker();
  std::vector<std::string> Druckerliste() override;
  std::string StandardBeschreibung() override;
  bool Setzen(int n) override;
  bool Verfuegbar() override;
  bool Ausrichtung(bool quer) override;
  std::optional<std::pair<int, int>> SeitengroesseMm() override;
  QPrinter& Drucker() { return *drucker_; }

 private:
  std::unique_ptr<QPrinter> drucker_;
};

}  // namespace pegelui
