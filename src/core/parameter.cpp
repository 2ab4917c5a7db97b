#include "parameter.h"

#include <stdexcept>

namespace pegel {

std::size_t ParameterTabelle::Index(int n) {
  if (n < 1 || n > MaxItems) throw std::out_of_range("Parameter ausserhalb 1..MaxItems");
  return static_cast<std::size_t>(n);
}

std::string Gekuerzt(const std::string& text, std::size_t laenge) {
  return text.size() > laenge ? text.substr(0, laenge) : text;
}

}  // namespace pegel
