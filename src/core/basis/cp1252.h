// Conversion between Windows-1252 (the collector's and the log's 8-bit text) and UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace pegel {

// Windows-1252 bytes to UTF-8. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control code points of the same value,
// so that every byte string survives a round trip.
std::string Cp1252ZuUtf8(std::string_view ansi);

// UTF-8 to Windows-1252. A code point without a Windows-1252 byte becomes '?'; a byte
// sequence that is not valid UTF-8 is taken byte by byte as Windows-1252 (so text that
// already is 8-bit passes through unchanged).
std::string Utf8ZuCp1252(std::string_view utf8);

// Short form for literals written in UTF-8 source: Ansi("für") gives the 8-bit text.
inline std::string Ansi(std::string_view utf8) { return Utf8ZuCp1252(utf8); }

}  // namespace pegel
