// Replacing a shared file so that a crash never leaves it half-written.
#pragma once

#include <filesystem>
#include <string_view>

namespace pegel {

// Writes `inhalt` to a temporary file in the same directory, gives it the old file's
// permissions and renames it over `datei`. False when anything failed; the old file is then
// untouched and no temporary file is left.
bool DateiErsetzen(const std::filesystem::path& datei, std::string_view inhalt);

}  // namespace pegel
