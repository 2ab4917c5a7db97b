// Small shared operations: day file names, temporary names and the active wait.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "services.h"

namespace pegel {

// "YYYYMMDD" of the date part of t.
std::string DatumZuDateiname(TDateTime t);

// progDir / ("$" month day hour minute second "." millisecond), each number without
// leading zeros, from the clock's current time.
std::filesystem::path TempName(const std::filesystem::path& progDir, Clock& uhr);

// Waits until at least ms milliseconds of the tick count have passed, also across a
// wrap of the 32-bit counter. Processes no window messages.
void Delay(Clock& uhr, std::uint32_t ms);

}  // namespace pegel
