// A reader of the worksheet records the value table's .xls export writes (BOF, LABEL,
// NUMBER, RK, EOF), for the tests that read such a file back.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace pegel::test {

struct Satz {
  std::uint16_t id;
  std::string daten;
  std::string roh;  // the whole record, header included
};

inline unsigned U16(const std::string& s, std::size_t i) {
  return static_cast<unsigned char>(s.at(i)) | static_cast<unsigned char>(s.at(i + 1)) << 8;
}

inline std::vector<Satz> Saetze(const std::string& datei) {
  std::vector<Satz> s;
  for (std::size_t i = 0; i + 4 <= datei.size();) {
    const std::size_t n = U16(datei, i + 2);
    s.push_back({static_cast<std::uint16_t>(U16(datei, i)), datei.substr(i + 4, n),
                 datei.substr(i, 4 + n)});
    i += 4 + n;
  }
  return s;
}

struct Zelle {
  unsigned zeile, spalte;
  std::variant<std::string, double> wert;  // LABEL text, or NUMBER/RK value
  std::uint16_t id;
};

inline Zelle Lesen(const Satz& s) {
  Zelle z{U16(s.daten, 0), U16(s.daten, 2), std::string(), s.id};
  EXPECT_EQ(U16(s.daten, 4), 0u);  // format index
  if (s.id == 0x0204) {
    z.wert = s.daten.substr(8, U16(s.daten, 6));
    EXPECT_EQ(s.daten.size(), 8 + U16(s.daten, 6));
  } else if (s.id == 0x0203) {
    std::uint64_t b = 0;
    for (int i = 7; i >= 0; --i) b = b << 8 | static_cast<unsigned char>(s.daten.at(6 + i));
    z.wert = std::bit_cast<double>(b);
  } else if (s.id == 0x027E) {
    const std::uint32_t rk = U16(s.daten, 6) | U16(s.daten, 8) << 16;
    EXPECT_EQ(rk & 3, 2u);  // integer, not divided by 100
    z.wert = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
  } else {
    ADD_FAILURE() << "unexpected record " << s.id;
  }
  return z;
}

}  // namespace pegel::test
