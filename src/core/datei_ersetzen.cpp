#include "datei_ersetzen.h"

#include <cerrno>
#include <fstream>
#include <random>
#include <string>

namespace pegel {

namespace {

// The error a failed stream operation left in errno; a generic I/O error when the
// library did not set one.
std::error_code StromFehler() {
  const int e = errno;
  return e != 0 ? std::error_code(e, std::generic_category())
                : std::make_error_code(std::errc::io_error);
}

}  // namespace

ErsatzDatei::ErsatzDatei(const std::filesystem::path& ziel) : ziel_(ziel) {
  std::random_device rd;
  temp_ = ziel.parent_path() /
          ("." + ziel.filename().string() + ".neu" + std::to_string(rd() % 100000));
}

ErsatzDatei::~ErsatzDatei() {
  if (uebernommen_) return;
  std::error_code ec;  // nothing to report from a destructor; the name was never published
  std::filesystem::remove(temp_, ec);
}

std::error_code ErsatzDatei::Uebernehmen() {
  std::error_code ec;
  const auto alt = std::filesystem::status(ziel_, ec);
  if (!ec && std::filesystem::exists(alt)) {
    // Best effort: the new contents matter more than the old file's mode.
    std::filesystem::permissions(temp_, alt.permissions(), ec);
  }
  ec.clear();
  std::filesystem::rename(temp_, ziel_, ec);
  if (ec) return ec;
  uebernommen_ = true;
  return {};
}

std::error_code DateiSchreiben(const std::filesystem::path& datei,
                               const std::function<void(std::ostream&)>& schreiben) {
  ErsatzDatei ersatz(datei);
  {
    errno = 0;
    std::ofstream f(ersatz.Temp(), std::ios::binary | std::ios::trunc);
    if (!f) return StromFehler();
    errno = 0;
    schreiben(f);
    f.flush();
    if (!f) return StromFehler();
    f.close();
    if (!f) return StromFehler();
  }
  return ersatz.Uebernehmen();
}

bool DateiErsetzen(const std::filesystem::path& datei, std::string_view inhalt) {
  return !DateiSchreiben(datei, [&](std::ostream& f) {
    f.write(inhalt.data(), static_cast<std::streamsize>(inhalt.size()));
  });
}

}  // namespace pegel
