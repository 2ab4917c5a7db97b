// Colours as the platform's colour integers: red in the low byte, then green, then blue.
#pragma once

#include <cstdint>

namespace pegel::chart {

using Farbe = std::int32_t;

constexpr Farbe Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

inline constexpr Farbe Schwarz = Rgb(0, 0, 0);
inline constexpr Farbe Weiss = Rgb(255, 255, 255);
inline constexpr Farbe Blau = Rgb(0, 0, 255);
inline constexpr Farbe Rot = Rgb(255, 0, 0);
inline constexpr Farbe Gruen = Rgb(0, 128, 0);
inline constexpr Farbe Silber = Rgb(192, 192, 192);
inline constexpr Farbe Grau = Rgb(128, 128, 128);

}  // namespace pegel::chart
