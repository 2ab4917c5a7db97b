#include "qt_drucker.h"

#include <QPageLayout>
#include <QPrinterInfo>
#include <algorithm>
#include <cmath>

#include "drucker_anschluss.h"
#include "qt_text.h"

namespace pegel::ui {

QtDrucker::QtDrucker() : drucker_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  RandAufMinimum();
}

bool QtDrucker::RandAufMinimum() {
  // The printable area starts at the printer's least margins, as a page drawn from its top left
  // corner expects; Qt's own default margins are wider.
  const QPageLayout layout = drucker_->pageLayout();
  return drucker_->setPageMargins(layout.minimumMargins(), layout.units());
}

QStringList QtDrucker::Namen() {
  QStringList namen = QPrinterInfo::availablePrinterNames();
  std::sort(namen.begin(), namen.end(), [](const QString& a, const QString& b) {
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
  });
  return namen;
}

std::vector<std::string> QtDrucker::Druckerliste() {
  std::vector<std::string> namen;
  for (const QString& n : Namen()) namen.push_back(A(n));
  return namen;
}

std::string QtDrucker::StandardBeschreibung() {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return "";
  return A(info.printerName() + "," + info.makeAndModel() + "," +
           DruckerAnschluss(info.printerName()));
}

bool QtDrucker::Uebernehmen(const QString& name) {
  const QPageLayout::Orientation ausrichtung = drucker_->pageLayout().orientation();
  drucker_->setPrinterName(name);
  if (!drucker_->isValid() || drucker_->printerName() != name) return false;
  // Each printer brings its own paper, as it is set up in the print system; Qt would keep the
  // previous printer's size.
  const QPageSize papier = QPrinterInfo::printerInfo(name).defaultPageSize();
  if (papier.isValid() && !drucker_->setPageSize(papier)) return false;
  return drucker_->setPageOrientation(ausrichtung) && RandAufMinimum();
}

bool QtDrucker::Setzen(int n) {
  if (n == -1) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    return !info.isNull() && Uebernehmen(info.printerName());
  }
  const QStringList namen = Namen();
  if (n < 0 || n >= namen.size()) return false;
  return Uebernehmen(namen.at(n));
}

bool QtDrucker::Verfuegbar() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

bool QtDrucker::Ausrichtung(bool quer) {
  if (!Verfuegbar()) return false;
  return drucker_->setPageOrientation(quer ? QPageLayout::Landscape : QPageLayout::Portrait) &&
         RandAufMinimum();
}

std::optional<std::pair<int, int>> QtDrucker::SeitengroesseMm() {
  if (!Verfuegbar()) return std::nullopt;
  const QRectF r = drucker_->pageLayout().paintRect(QPageLayout::Millimeter);
  // A thousandth of a millimetre is conversion noise, not a millimetre less.
  const auto ganz = [](qreal mm) { return static_cast<int>(std::floor(mm + 0.001)); };
  return std::pair{ganz(r.width()), ganz(r.height())};
}

}  // namespace pegel::ui
