// A fixed message text of the program: written in UTF-8 in the source, handed out as the
// Windows-1252 bytes that message boxes, the log and the files use. Each text is one named
// constant, defined once beside the other texts of its layer.
#pragma once

#include <string>
#include <string_view>

#include "cp1252.h"

namespace pegel {

struct Meldungstext {
  std::string_view utf8;
  std::string Ansi() const { return Utf8ZuCp1252(utf8); }
  operator std::string() const { return Ansi(); }
};

}  // namespace pegel
