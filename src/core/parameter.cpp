#include "parameter.h"

#include <stdexcept>

namespace pegel {

std::string Gekuerzt(const std::string& text, std::size_t laenge) {
  return text.size() > laenge ? text.substr(0, laenge) : text;
}

}  // namespace pegel
