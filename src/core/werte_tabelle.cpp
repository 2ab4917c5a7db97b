#include "werte_tabelle.h"

#include <limits>
#include <stdexcept>
#include <utility>

namespace pegel {

std::string SpaltenTitel(std::string_view name, std::string_view einheit) {
  std::string t(name);
  t += "  [";
  t += einheit;
  t += "]";
  return t;
}

std::vector<WerteSpalte> ParameterSpalten(const Kopfdaten& kopf,
                                          const std::vector<int>& parameter) {
  std::vector<WerteSpalte> spalten;
  spalten.reserve(parameter.size());
  for (const int i : parameter) {
    if (i < 1 || i > MaxItems) throw std::out_of_range("Parameternummer ausserhalb 1..180");
    const auto& p = kopf.Par.at(static_cast<std::size_t>(i));
    spalten.push_back({static_cast<std::size_t>(i) + 1, SpaltenTitel(p.Name, p.Einheit)});
  }
  return spalten;
}

WerteTabelle::WerteTabelle(const gitter& tag, std::size_t ersteZeile, std::size_t zeilenzahl,
                           std::vector<WerteSpalte> spalten)
    : tag_(&tag), ersteZeile_(ersteZeile), zeilenzahl_(zeilenzahl), spalten_(std::move(spalten)) {
  // Day row ersteZeile + zeilenzahl - 1 must not wrap around.
  if (zeilenzahl > 0 && ersteZeile > std::numeric_limits<std::size_t>::max() - zeilenzahl) {
    throw std::out_of_range("Zeilenbereich der Wertetabelle");
  }
}

}  // namespace pegel
