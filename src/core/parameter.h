// The parameter table: one record per parameter number 1..MaxItems, as the configuration
// module fills it from the INI file or a day header. Everyone but that module reads it
// through a const reference (PegelStatus::Par()); the writer is ParameterSchreiber.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "grafiktyp.h"
#include "grenzen.h"

namespace pegel {

// Capacities of the short strings of a parameter record; longer input is cut.
inline constexpr std::size_t ItemLaenge = 30;
inline constexpr std::size_t EinheitLaenge = 10;

// What the collector and the operator define for one parameter: names, type, scaling
// reference, exclusion and warning limits, colours, user scale, units and sum settings.
struct Parameter {
  std::string Item;            // the collector's item name, at most 30 characters
  std::string Itemname;        // the display name as read; the parameter lists and charts show it
  std::string Einheit;         // unit shown in tables and charts, at most 10 characters
  Grafiktyp Typ{};             // 0 until a loader sets it
  std::int32_t GrafikRef = 0;  // scaling reference: 0 zero, 1 minimum, 2 user scale
  double UpLimit = 0;          // exclusion limits: values outside count in no statistics
  double LoLimit = 0;
  double UpWarn = 0;  // warning limits of the displays
  double LoWarn = 0;
  std::int32_t ColorWarn = 0;  // platform colour values (red in the low byte)
  std::int32_t ColorNorm = 0;
  double MinSkal = 0;  // the user scale
  double MaxSkal = 0;
  double GrafikSumTeiler = 1.0;  // divisor applied before a sum is shown
  std::string GrafikSumEinheit;  // unit of a sum, at most 10 characters

  // The display name with the record's capacity of 30 characters.
  std::string ItemnameKurz() const { return Itemname.substr(0, ItemLaenge); }
};

class ParameterTabelle {
 public:
  // Number of parameters (0..MaxItems).
  std::int32_t Itemcount() const { return itemcount_; }
  // Parameter n, 1..MaxItems (also beyond Itemcount). Throws std::out_of_range otherwise.
  const Parameter& at(int n) const { return par_.at(Index(n)); }
  // The display names in parameter order, as the three parameter lists show them; shorter
  // than Itemcount when loading stopped at a parameter without a name.
  const std::vector<std::string>& ItemListe() const { return liste_; }

 private:
  friend class ParameterSchreiber;
  static std::size_t Index(int n) {
    if (n < 1 || n > MaxItems) throw std::out_of_range("Parameter ausserhalb 1..MaxItems");
    return static_cast<std::size_t>(n);
  }
  std::int32_t itemcount_ = 0;
  std::array<Parameter, MaxItems + 1> par_{};  // slot 0 unused
  std::vector<std::string> liste_;
};

// Cuts a text to a fixed capacity.
std::string Gekuerzt(const std::string& text, std::size_t laenge);

}  // namespace pegel
