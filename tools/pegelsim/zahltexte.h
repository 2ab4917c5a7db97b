// Number texts for the data files, with a decimal comma. A day of 180 parameters every
// second is 15.5 million values; levels and flows repeat their few thousand distinct
// texts, so each text is formatted once and then taken from a table.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

namespace pegelsim {

class ZahlTexte {
 public:
  // `wert` rounded to `dezimalen` (0..4) decimals, as "12,34".
  const std::string& Text(double wert, int dezimalen);
  // The number that Text() writes, as a reader of the file gets it back.
  static double Gerundet(double wert, int dezimalen);

 private:
  static constexpr std::size_t MaxEintraege = 1 << 20;
  std::unordered_map<std::int64_t, std::string> tabelle_[5];
  std::string frei_;
};

}  // namespace pegelsim
