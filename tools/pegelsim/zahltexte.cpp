#include "zahltexte.h"

#include <algorithm>
#include <cmath>

#include "text_format.h"

namespace pegelsim {

namespace {
constexpr double Faktor[] = {1, 10, 100, 1000, 10000};
}  // namespace

double ZahlTexte::Gerundet(double wert, int dezimalen) {
  const double f = Faktor[std::clamp(dezimalen, 0, 4)];
  const double skaliert = std::nearbyint(wert * f);
  return std::fabs(skaliert) < 1e15 ? skaliert / f : wert;
}

const std::string& ZahlTexte::Text(double wert, int dezimalen) {
  dezimalen = std::clamp(dezimalen, 0, 4);
  const double skaliert = std::nearbyint(wert * Faktor[dezimalen]);
  if (!(std::fabs(skaliert) < 1e15)) {
    frei_ = pegel::FestFormat(wert, 15, dezimalen);
    return frei_;
  }
  const auto schluessel = static_cast<std::int64_t>(skaliert);
  auto& t = tabelle_[dezimalen];
  if (auto it = t.find(schluessel); it != t.end()) return it->second;
  std::string text = pegel::FestFormat(skaliert / Faktor[dezimalen], 15, dezimalen);
  if (t.size() >= MaxEintraege) {
    frei_ = std::move(text);
    return frei_;
  }
  return t.emplace(schluessel, std::move(text)).first->second;
}

}  // namespace pegelsim
