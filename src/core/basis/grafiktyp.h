// How a parameter is charted: a trace of values (analog) or on/off bars (digital). The INI
// file and a day header may hold any other number; it is kept as it stands (the settings
// dialog shows "Typ ?") and is neither analog nor digital.
#pragma once

#include <cstdint>

namespace pegel {

enum class Grafiktyp : std::int32_t { Analog = 1, Digital = 2 };

constexpr Grafiktyp GrafiktypAus(std::int32_t roh) { return static_cast<Grafiktyp>(roh); }
constexpr std::int32_t Roh(Grafiktyp t) { return static_cast<std::int32_t>(t); }
// Analog or digital: a type the charts can draw.
constexpr bool Zeichenbar(Grafiktyp t) { return t == Grafiktyp::Analog || t == Grafiktyp::Digital; }

}  // namespace pegel
