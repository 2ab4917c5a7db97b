// Reading a protocol file of the history browser's second pane: its bytes, at most the
// first 16 MB of it, so that a huge log cannot take the viewer's memory or its time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace pegel {

// The most bytes of a protocol file that are read and shown.
inline constexpr std::size_t MaxProtokollBytes = std::size_t{16} * 1024 * 1024;

struct ProtokollDatei {
  std::string bytes;           // the file's first bytes, at most the limit
  std::uintmax_t groesse = 0;  // the whole file's size
  bool gekuerzt = false;       // the file is larger than what was read
  bool gelesen = false;        // false when it could not be opened or read
};

// Reads at most `grenze` bytes of `datei`. A folder, a missing or unreadable file gives
// gelesen = false and no bytes. Never throws but std::bad_alloc.
ProtokollDatei ProtokollLesen(const std::filesystem::path& datei,
                              std::size_t grenze = MaxProtokollBytes);

// The note shown after a cut file (Windows-1252): how much of how much is shown.
std::string ProtokollGekuerztText(std::uintmax_t gezeigt, std::uintmax_t groesse);

}  // namespace pegel
