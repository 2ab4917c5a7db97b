// Checked integer geometry: every conversion of a real coordinate to an integer and every
// integer operation on coordinates throws GeometrieFehler instead of overflowing.
#pragma once

#include <cstdint>
#include <stdexcept>

namespace pegel::chart {

class GeometrieFehler : public std::range_error {
 public:
  using std::range_error::range_error;
};

// Nearest integer, ties to even. Throws GeometrieFehler for NaN, infinity or a value
// outside Int32.
std::int32_t Rund(double v);
// The integer part (toward zero); fails as Rund.
std::int32_t Abgeschnitten(double v);

// Int32 arithmetic that throws GeometrieFehler on overflow.
std::int32_t Plus(std::int32_t a, std::int32_t b);
std::int32_t Minus(std::int32_t a, std::int32_t b);
std::int32_t Mal(std::int32_t a, std::int32_t b);
// Integer division truncating toward zero; throws GeometrieFehler for b = 0 or overflow.
std::int32_t Div(std::int32_t a, std::int32_t b);

// A depth below the top edge as a logical y coordinate.
inline std::int32_t Tiefe(std::int32_t d) { return Minus(0, d); }

}  // namespace pegel::chart
