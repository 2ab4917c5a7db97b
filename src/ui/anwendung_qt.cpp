#include "anwendung_qt.h"

#include <QtGlobal>
#include <exception>

#include "standardtexte.h"

namespace pegel::ui {

PegelApplication::PegelApplication(int& argc, char** argv) : QApplication(argc, argv) {
  if (!DeutscheStandardtexte(*this)) {
    // Not the operator's concern: only Qt's own buttons and dialogs stay English.
    qInfo("Qt-Standardtexte (qtbase_de.qm) nicht gefunden, Standarddialoge bleiben englisch.");
  }
}

bool PegelApplication::notify(QObject* empfaenger, QEvent* ereignis) {
  try {
    return QApplication::notify(empfaenger, ereignis);
  } catch (const std::exception& e) {
    if (log_ != nullptr) log_->LogAll(std::string("Unerwarteter Fehler: ") + e.what());
  } catch (...) {
    if (log_ != nullptr) log_->LogAll("Unerwarteter Fehler");
  }
  return false;
}

}  // namespace pegel::ui
