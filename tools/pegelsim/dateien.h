// Writing the collector's files. Every file is opened, written and closed within one call,
// so that the viewer may take a file away between two calls.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "anlage.h"

namespace pegelsim {

// The day header for the plant (lines with CRLF). Throws std::runtime_error when the file
// cannot be written.
std::string PghText(const std::vector<Parameter>& par, int intervallMs,
                    const std::string& datumText);

// Appends `bytes` to `datei` (created when missing). Throws std::runtime_error.
void Anhaengen(const std::filesystem::path& datei, const std::string& bytes);

// Writes `bytes` whole under a temporary name in the same directory and renames it onto
// `datei`, so that a reader sees the old or the new file, never a part.
void ErsetzenDurchUmbenennen(const std::filesystem::path& datei, const std::string& bytes);

// Appends to the sample file under the lock protocol: waits while "$lock_SMP" exists,
// creates it, appends and closes, deletes it. A lock older than `geduldSekunden` of
// waiting is taken as left behind by a crash and removed (reported on stderr).
void SmpAnhaengen(const std::filesystem::path& verz, const std::filesystem::path& smp,
                  const std::string& bytes, double geduldSekunden = 30.0);

}  // namespace pegelsim
