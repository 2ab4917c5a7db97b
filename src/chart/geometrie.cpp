#include "geometrie.h"

namespace pegel::chart {

namespace geometrie_detail {

namespace {

std::int32_t Pruefen(double r) {
  if (!std::isfinite(r) || r < static_cast<double>(Min32) || r > static_cast<double>(Max32)) {
    throw GeometrieFehler("Koordinate außerhalb des Wertebereichs");
  }
  return static_cast<std::int32_t>(r);
}

}  // namespace

std::int32_t RundGeprueft(double v) { return Pruefen(std::isfinite(v) ? std::nearbyint(v) : v); }

std::int32_t AbgeschnittenGeprueft(double v) {
  return Pruefen(std::isfinite(v) ? std::trunc(v) : v);
}

void Ueberlauf() { throw GeometrieFehler("Überlauf"); }

}  // namespace geometrie_detail

std::int32_t Div(std::int32_t a, std::int32_t b) {
  if (b == 0) throw GeometrieFehler("Division durch Null");
  return geometrie_detail::Eng(std::int64_t{a} / b);
}

}  // namespace pegel::chart
