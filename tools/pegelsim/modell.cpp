#include "modell.h"

#include <algorithm>
#include <cmath>

namespace pegelsim {

namespace {
constexpr double Pi = 3.14159265358979323846;
constexpr double Pumpenleistung = 200.0;  // m³/h
constexpr double Sumpfflaeche = 20.0;     // m²
constexpr double Einschalten = 3.0;       // m
constexpr double Ausschalten = 0.8;       // m
}  // namespace

Modell::Modell(const std::vector<Parameter>& par, std::uint64_t seed)
    : par_(par), zufall_(seed), werte_(par.size(), 0.0) {
  const int anzahl = par.empty() ? 0 : par.back().station + 1;
  stationen_.resize(static_cast<std::size_t>(anzahl));
  for (auto& s : stationen_) {
    s.phase = (Zufall() + 1.0) * 0.05;
    s.pegel = 1.0 + (Zufall() + 1.0);
    s.fluss = 120.0 + 20.0 * Zufall();
  }
}

double Modell::Zufall() {
  // From the raw bits, so that the values do not depend on a library's distributions.
  return static_cast<double>(zufall_() >> 11) * 0x1.0p-52 - 1.0;
}

const std::vector<double>& Modell::Schritt(double sekunden, double tagesanteil) {
  for (auto& s : stationen_) {
    const double tag = std::sin(2 * Pi * (tagesanteil - 0.3 + s.phase));
    s.rauschen = 0.98 * s.rauschen + 1.5 * Zufall();
    s.zulauf = std::max(0.0, 80.0 + 40.0 * tag + s.rauschen);
    const double netto = s.zulauf - (s.pumpe ? Pumpenleistung : 0.0);
    s.pegel = std::clamp(s.pegel + netto / 3600.0 / Sumpfflaeche * sekunden, 0.05, 5.0);
    if (s.pegel > Einschalten) s.pumpe = true;
    if (s.pegel < Ausschalten) s.pumpe = false;
    s.fluss = std::clamp(
        s.fluss + 0.02 * Zufall() * std::sqrt(sekunden) + 0.001 * (120.0 - s.fluss), 20.0, 400.0);
  }
  for (std::size_t i = 0; i < par_.size(); ++i) {
    const auto& p = par_[i];
    const auto& s = stationen_.at(static_cast<std::size_t>(p.station));
    double& w = werte_[i];
    switch (p.art) {
      case Art::PegelMeter:
        w = s.pegel;
        break;
      case Art::Zulauf:
        w = s.zulauf;
        break;
      case Art::Pumpe:
        w = s.pumpe ? 1.0 : 0.0;
        break;
      case Art::PegelZentimeter:
        w = s.fluss;
        break;
      case Art::Temperatur:
        w = 12.0 + 3.0 * std::sin(2 * Pi * (tagesanteil - 0.4 + s.phase)) + 0.1 * Zufall();
        break;
      case Art::Druck:
        w = (s.pumpe ? 3.2 : 0.4) + 0.05 * Zufall();
        break;
    }
  }
  return werte_;
}

}  // namespace pegelsim
