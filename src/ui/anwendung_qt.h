// The Qt application: German standard dialogs, and the last safety net: an exception that
// escapes an event handler is logged and the program goes on, instead of ending it. Every
// operation catches its own errors first; this only keeps an unforeseen one from crossing
// the event loop.
#pragma once

#include <QApplication>

#include "logbuch.h"

namespace pegel::ui {

class PegelApplication : public QApplication {
 public:
  // Loads Qt's German texts; without them the program runs with Qt's English ones.
  PegelApplication(int& argc, char** argv);
  // The log the net writes to; null until the program's state exists.
  void LogSetzen(pegel::Logbuch* log) { log_ = log; }
  bool notify(QObject* empfaenger, QEvent* ereignis) override;

 private:
  pegel::Logbuch* log_ = nullptr;
};

}  // namespace pegel::ui
