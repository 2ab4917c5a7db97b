#include "plattform.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <thread>

namespace pegel {

TDateTime LokaleZeitJetzt() {
  const auto jetzt = std::chrono::system_clock::now();
  const std::time_t tt = std::chrono::system_clock::to_time_t(jetzt);
  std::tm lokal{};
#ifdef _WIN32
  localtime_s(&lokal, &tt);
#else
  localtime_r(&tt, &lokal);
#endif
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(jetzt.time_since_epoch()).count() %
      1000;
  return DatumKodieren(lokal.tm_year + 1900, lokal.tm_mon + 1, lokal.tm_mday) +
         ZeitKodieren(lokal.tm_hour, lokal.tm_min, std::min(lokal.tm_sec, 59),
                      static_cast<int>(ms));
}

std::uint32_t TickZaehler() {
  const auto t = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(t).count());
}

void SystemUhr::Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }

}  // namespace pegel
