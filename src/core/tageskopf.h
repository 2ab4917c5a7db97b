// The header of one stored day (the PGH file), as the day readers fill it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "grenzen.h"
#include "parameter.h"

namespace pegel {

struct Kopfdaten {
  struct Parameter {
    std::string Name;
    Grafiktyp Typ{};  // as stored
    std::int32_t GrafikRef = 0;
    std::string Einheit;
  };
  std::int32_t Itemcount = 0;
  std::array<Parameter, MaxItems + 1> Par{};  // 1..MaxItems
  std::int32_t IntervallZahl = 0;
  std::string IntervallEinheit;
};

}  // namespace pegel
