// An exception that escapes an event handler is logged, and the event loop goes on.
#include <gtest/gtest.h>

#include <QTimer>
#include <stdexcept>

#include "anwendung_qt.h"
#include "test_dienste.h"

namespace {

TEST(PegelApplication, EscapedExceptionIsLoggedAndTheLoopGoesOn) {
  int argc = 1;
  char name[] = "test";
  char* argv[] = {name, nullptr};
  pegel::ui::PegelApplication app(argc, argv);
  pegel::test::Umgebung u;
  app.LogSetzen(&u.log);
  bool danach = false;
  QTimer::singleShot(0, [] { throw std::runtime_error("kaputt"); });
  QTimer::singleShot(0, [&danach] { danach = true; });
  QTimer::singleShot(10, [] { QCoreApplication::quit(); });
  QCoreApplication::exec();
  EXPECT_TRUE(danach);
  EXPECT_EQ(u.Log(), std::vector<std::string>{"Unerwarteter Fehler: kaputt"});
}

}  // namespace
