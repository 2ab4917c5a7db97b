// Files of a plant directory built byte by byte, not through the code under test.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pegel::test {

// One group record of 756 bytes, or of 276 in the old format.
inline std::string GruppenSatz(std::size_t laenge, const std::vector<std::int32_t>& mitglieder,
                               const std::string& name, bool drucken) {
  auto int32 = [](std::string& b, std::size_t pos, std::int32_t v) {
    for (int i = 0; i < 4; ++i)
      b[pos + i] = static_cast<char>(static_cast<std::uint32_t>(v) >> (8 * i));
  };
  const std::size_t nameOff = laenge == 756 ? 720 : 240;
  std::string b(laenge, '\0');
  for (std::size_t i = 0; i < mitglieder.size(); ++i) int32(b, 4 * i, mitglieder[i]);
  b[nameOff] = static_cast<char>(name.size());
  b.replace(nameOff + 1, name.size(), name);
  int32(b, nameOff + 31, static_cast<std::int32_t>(mitglieder.size()));
  b[nameOff + 35] = drucken ? 1 : 0;
  return b;
}

// A day header with the given count, interval line and parameter blocks.
inline std::string Kopf(const std::string& n, const std::string& intervall,
                        const std::vector<std::array<std::string, 4>>& par,
                        const char* nl = "\r\n") {
  std::string t = n + nl;
  for (std::size_t i = 0; i < par.size(); ++i) t += "ITEM" + std::to_string(i + 1) + nl;
  t += std::string("frei") + nl + intervall + nl + "frei" + nl;
  for (std::size_t i = 0; i < 2 * par.size(); ++i) t += std::string("0") + nl;
  t += std::string("frei") + nl;
  for (const auto& p : par) {
    for (const auto& z : p) t += z + nl;
  }
  return t;
}

}  // namespace pegel::test
