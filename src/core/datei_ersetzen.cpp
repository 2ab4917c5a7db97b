#include "datei_ersetzen.h"

#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace pegel {

bool DateiErsetzen(const std::filesystem::path& datei, std::string_view inhalt) {
  std::random_device rd;
  const std::filesystem::path temp = datei.parent_path() / ("." + datei.filename().string() +
                                                            ".neu" + std::to_string(rd() % 100000));
  std::error_code ec;
  {
    std::ofstream f(temp, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f.write(inhalt.data(), static_cast<std::streamsize>(inhalt.size()));
    f.flush();
    if (!f) {
      f.close();
      std::filesystem::remove(temp, ec);
      return false;
    }
  }
  const auto alt = std::filesystem::status(datei, ec);
  if (!ec && std::filesystem::exists(alt))
    std::filesystem::permissions(temp, alt.permissions(), ec);
  ec.clear();
  std::filesystem::rename(temp, datei, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}

}  // namespace pegel
