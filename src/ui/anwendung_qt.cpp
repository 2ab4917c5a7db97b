#include "anwendung_qt.h"

#include <exception>

namespace pegelui {

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

}  // namespace pegelui
