// Checked integer geometry: every conversion of a real coordinate to an integer and every
// integer operation on coordinates throws GeometrieFehler instead of overflowing.
// The checks run for every point of a trace, so the common case is inline and only the
// failure leaves it.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace pegel::chart {

class GeometrieFehler : public std::range_error {
 public:
  using std::range_error::range_error;
};

namespace geometrie_detail {

constexpr std::int64_t Min32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t Max32 = std::numeric_limits<std::int32_t>::max();

// The slow paths: check what the inline test let through and throw GeometrieFehler.
std::int32_t RundGeprueft(double v);
std::int32_t AbgeschnittenGeprueft(double v);
[[noreturn]] void Ueberlauf();

// Int32 operands cannot overflow Int64 in one addition or multiplication.
inline std::int32_t Eng(std::int64_t r) {
  if (r < Min32 || r > Max32) Ueberlauf();
  return static_cast<std::int32_t>(r);
}

}  // namespace geometrie_detail

// Nearest integer, ties to even. Throws GeometrieFehler for NaN, infinity or a value
// outside Int32.
inline std::int32_t Rund(double v) {
  // Within these bounds the rounded value is an Int32 as well; NaN fails the test. rint
  // rounds as nearbyint does (the program keeps the default rounding mode) and, unlike it,
  // is computed inline.
  if (v >= static_cast<double>(geometrie_detail::Min32) &&
      v <= static_cast<double>(geometrie_detail::Max32)) {
    return static_cast<std::int32_t>(std::rint(v));
  }
  return geometrie_detail::RundGeprueft(v);
}
// The integer part (toward zero); fails as Rund.
inline std::int32_t Abgeschnitten(double v) {
  if (v >= static_cast<double>(geometrie_detail::Min32) &&
      v <= static_cast<double>(geometrie_detail::Max32)) {
    return static_cast<std::int32_t>(std::trunc(v));
  }
  return geometrie_detail::AbgeschnittenGeprueft(v);
}

// Int32 arithmetic that throws GeometrieFehler on overflow.
inline std::int32_t Plus(std::int32_t a, std::int32_t b) {
  return geometrie_detail::Eng(std::int64_t{a} + b);
}
inline std::int32_t Minus(std::int32_t a, std::int32_t b) {
  return geometrie_detail::Eng(std::int64_t{a} - b);
}
inline std::int32_t Mal(std::int32_t a, std::int32_t b) {
  return geometrie_detail::Eng(std::int64_t{a} * b);
}
// Integer division truncating toward zero; throws GeometrieFehler for b = 0 or overflow.
std::int32_t Div(std::int32_t a, std::int32_t b);

// A depth below the top edge as a logical y coordinate.
inline std::int32_t Tiefe(std::int32_t d) { return Minus(0, d); }

}  // namespace pegel::chart
