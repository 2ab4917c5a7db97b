// Replacing a file so that a crash or a failed write never leaves it half-written: the new
// contents go to a temporary file in the same directory, which is renamed over the old one
// only when it is complete.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string_view>
#include <system_error>

namespace pegel {

// A temporary file beside `ziel` that becomes `ziel` on Uebernehmen(). Choosing the name
// creates nothing; whoever writes the file (a stream or a library given Temp()) creates
// it. Until Uebernehmen() succeeds `ziel` is untouched, and the destructor removes the
// temporary file if it was not taken over.
class ErsatzDatei {
 public:
  explicit ErsatzDatei(const std::filesystem::path& ziel);
  ~ErsatzDatei();
  ErsatzDatei(const ErsatzDatei&) = delete;
  ErsatzDatei& operator=(const ErsatzDatei&) = delete;

  const std::filesystem::path& Temp() const { return temp_; }
  // Gives the temporary file the permissions of an existing `ziel` and renames it over
  // `ziel`. Returns the rename's error (the temporary file is then removed), or no error.
  std::error_code Uebernehmen();

 private:
  std::filesystem::path ziel_;
  std::filesystem::path temp_;
  bool uebernommen_ = false;
};

// Writes `datei` through `schreiben`, which gets a binary stream on the temporary file.
// Returns no error when the file is complete under its name; otherwise the first error
// (opening, writing or renaming), `datei` is untouched and no temporary file is left.
// An exception from `schreiben` propagates, with the temporary file removed.
std::error_code DateiSchreiben(const std::filesystem::path& datei,
                               const std::function<void(std::ostream&)>& schreiben);

// Writes `inhalt` as DateiSchreiben does. False when anything failed.
bool DateiErsetzen(const std::filesystem::path& datei, std::string_view inhalt);

}  // namespace pegel
