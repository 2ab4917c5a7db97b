// The limits and sentinels that every layer shares.
#pragma once

namespace pegel {

// Most parameters the viewer handles; per-parameter tables have slots 1..MaxItems.
inline constexpr int MaxItems = 180;
// Marks a buffer slot or chart point that holds no sample.
inline constexpr double NoValue = -99999.0;

}  // namespace pegel
