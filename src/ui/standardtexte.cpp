#include "standardtexte.h"

#include <QTranslator>

namespace pegel::ui {

bool DeutscheStandardtexte(QCoreApplication& app, const QString& verzeichnis) {
  auto* katalog = new QTranslator(&app);
  // The file name is fixed rather than taken from the locale: the program is German on
  // every machine, like its own texts.
  if (!katalog->load(QStringLiteral("qtbase_de"), verzeichnis)) {
    delete katalog;
    return false;
  }
  return QCoreApplication::installTranslator(katalog);
}

}  // namespace pegel::ui
