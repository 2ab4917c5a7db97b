// The bytes and modification time of every file of a directory, so that a test sees any
// change, new file or lost file.
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include "test_dienste.h"

namespace pegel::test {

using Abbild = std::map<std::string, std::pair<std::string, std::filesystem::file_time_type>>;

inline Abbild Aufnehmen(const std::filesystem::path& verz) {
  Abbild a;
  for (const auto& e : std::filesystem::directory_iterator(verz)) {
    a[e.path().filename().string()] = {DateiLesen(e.path()),
                                       std::filesystem::last_write_time(e.path())};
  }
  return a;
}

// Dates every file back an hour first, so that a rewrite within the same second still shows.
inline Abbild GealtertAufnehmen(const std::filesystem::path& verz) {
  for (const auto& e : std::filesystem::directory_iterator(verz)) {
    std::filesystem::last_write_time(
        e.path(), std::filesystem::last_write_time(e.path()) - std::chrono::hours(1));
  }
  return Aufnehmen(verz);
}

}  // namespace pegel::test
