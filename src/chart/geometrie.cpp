#include "geometrie.h"

#include <cmath>
#include <limits>

namespace pegel::chart {

namespace {

constexpr std::int64_t Min32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t Max32 = std::numeric_limits<std::int32_t>::max();

std::int32_t Pruefen(double r) {
  if (!std::isfinite(r) || r < static_cast<double>(Min32) || r > static_cast<double>(Max32)) {
    throw GeometrieFehler("Koordinate außerhalb des Wertebereichs");
  }
  return static_cast<std::int32_t>(r);
}

// Int32 operands cannot overflow Int64 in one addition or multiplication.
std::int32_t Eng(std::int64_t r) {
  if (r < Min32 || r > Max32) throw GeometrieFehler("Überlauf");
  return static_cast<std::int32_t>(r);
}

}  // namespace

std::int32_t Rund(double v) { return Pruefen(std::isfinite(v) ? std::nearbyint(v) : v); }

std::int32_t Abgeschnitten(double v) { return Pruefen(std::isfinite(v) ? std::trunc(v) : v); }

std::int32_t Plus(std::int32_t a, std::int32_t b) { return Eng(std::int64_t{a} + b); }
std::int32_t Minus(std::int32_t a, std::int32_t b) { return Eng(std::int64_t{a} - b); }
std::int32_t Mal(std::int32_t a, std::int32_t b) { return Eng(std::int64_t{a} * b); }

std::int32_t Div(std::int32_t a, std::int32_t b) {
  if (b == 0) throw GeometrieFehler("Division durch Null");
  return Eng(std::int64_t{a} / b);
}

}  // namespace pegel::chart
