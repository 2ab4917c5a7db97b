#include "qt_drucker.h"

#include <QPageLayout>
#include <QPrinterInfo>

#include "qt_text.h"

namespace pegelui {

QtDrucker::QtDrucker() : drucker_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

std::vector<std::string> QtDrucker::Druckerliste() {
  std::vector<std::string> namen;
  for (const QString& n : QPrinterInfo::availablePrinterNames()) namen.push_back(A(n));
  return namen;
}

std::string QtDrucker::StandardBeschreibung() {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return "";
  return A(info.printerName() + "," + info.makeAndModel() + "," + info.location());
}

bool QtDrucker::Setzen(int n) {
  const QStringList namen = QPrinterInfo::availablePrinterNames();
  if (n == -1) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return false;
    drucker_->setPrinterName(info.printerName());
    return true;
  }
  if (n < 0 || n >= namen.size()) return false;
  drucker_->setPrinterName(namen.at(n));
  return drucker_->isValid();
}

bool QtDrucker::Verfuegbar() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

bool QtDrucker::Ausrichtung(bool quer) {
  if (!Verfuegbar()) return false;
  return drucker_->setPageOrientation(quer ? QPageLayout::Landscape : QPageLayout::Portrait);
}

std::optional<std::pair<int, int>> QtDrucker::SeitengroesseMm() {
  if (!Verfuegbar()) return std::nullopt;
  const QRectF r = drucker_->pageLayout().fullRect(QPageLayout::Millimeter);
  return std::pair{static_cast<int>(r.width()), static_cast<int>(r.height())};
}

}  // namespace pegelui
