#include "protokoll_datei.h"

#include <fstream>
#include <system_error>

#include "cp1252.h"
#include "text_format.h"

namespace pegel {

ProtokollDatei ProtokollLesen(const std::filesystem::path& datei, std::size_t grenze) {
  ProtokollDatei p;
  std::error_code fehler;
  if (!std::filesystem::is_regular_file(datei, fehler)) return p;
  const std::uintmax_t groesse = std::filesystem::file_size(datei, fehler);
  if (fehler) return p;
  std::ifstream f(datei, std::ios::binary);
  if (!f) return p;
  // The size may change while the file is read (a log that grows): read what is there.
  const std::size_t soll = groesse < grenze ? static_cast<std::size_t>(groesse) : grenze;
  p.bytes.resize(soll);
  f.read(p.bytes.data(), static_cast<std::streamsize>(soll));
  p.bytes.resize(static_cast<std::size_t>(f.gcount()));
  if (f.bad()) {
    p.bytes.clear();
    return p;
  }
  p.groesse = groesse;
  p.gekuerzt = groesse > p.bytes.size();
  p.gelesen = true;
  return p;
}

std::string ProtokollGekuerztText(std::uintmax_t gezeigt, std::uintmax_t groesse) {
  const auto mb = [](std::uintmax_t b) { return GanzText(static_cast<std::int64_t>(b >> 20)); };
  return Ansi("[Datei gekürzt: angezeigt werden die ersten ") + mb(gezeigt) + " MB von " +
         mb(groesse) + " MB.]";
}

}  // namespace pegel
