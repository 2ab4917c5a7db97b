#include "modell.h"

#include <algorithm>
#include <cmath>

namespace pegelsim {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double MsProTag = 86400000.0;
constexpr double Pumpenleistung = 200.0;   // m³/h
constexpr double Sumpfflaeche = 20.0;      // m²
constexpr double Einschalten = 3.0;        // m
constexpr double Ausschalten = 0.8;        // m
constexpr double Zulaufmittel = 80.0;      // m³/h
constexpr double Zulaufschwankung = 40.0;  // m³/h, amplitude over the day

// The sump's cycle in inflow volume: filling from Ausschalten to Einschalten takes the
// sump's volume of inflow; pumping it down at Pumpenleistung takes as long as the same
// volume at (Pumpenleistung - inflow), during which the mean inflow keeps coming.
constexpr double Fuellvolumen = Sumpfflaeche * (Einschalten - Ausschalten);  // m³
constexpr double Pumpvolumen = Fuellvolumen * Zulaufmittel / (Pumpenleistung - Zulaufmittel);
constexpr double Zyklusvolumen = Fuellvolumen + Pumpvolumen;
constexpr double Fuellanteil = Fuellvolumen / Zyklusvolumen;

// Channels of the noise, so that no two quantities share their random numbers.
enum Kanal {
  Start,
  ZulaufLangsam,
  ZulaufSchnell,
  Fluss6h,
  Fluss40min,
  Fluss30s,
  SensorPegel,
  SensorTemperatur,
  SensorDruck
};

std::uint64_t Mischen(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

}  // namespace

Modell::Modell(const std::vector<Parameter>& par, std::uint64_t seed)
    : par_(par), seed_(seed), werte_(par.size(), 0.0) {
  const int anzahl = par.empty() ? 0 : par.back().station + 1;
  for (int s = 0; s < anzahl; ++s) {
    stationen_.push_back({(Zufall(s, Start, 0) + 1.0) * 0.05, (Zufall(s, Start, 1) + 1.0) / 2,
                          120.0 + 20.0 * Zufall(s, Start, 2)});
  }
}

double Modell::Zufall(int station, int kanal, std::int64_t index) const {
  std::uint64_t h = Mischen(seed_);
  h = Mischen(h ^ static_cast<std::uint64_t>(station));
  h = Mischen(h ^ static_cast<std::uint64_t>(kanal));
  h = Mischen(h ^ static_cast<std::uint64_t>(index));
  // From the raw bits, so that the values do not depend on a library's distributions.
  return static_cast<double>(h >> 11) * 0x1.0p-52 - 1.0;
}

double Modell::Rauschen(int station, int kanal, double sekunden, double periode) const {
  const double x = sekunden / periode;
  const double knoten = std::floor(x);
  const double f = x - knoten;
  const auto i = static_cast<std::int64_t>(knoten);
  const double a = Zufall(station, kanal, i);
  const double b = Zufall(station, kanal, i + 1);
  return a + (b - a) * f * f * (3.0 - 2.0 * f);
}

Modell::Zustand Modell::StationBei(int station, std::int64_t ms) const {
  const Station& st = stationen_.at(static_cast<std::size_t>(station));
  const double sekunden = static_cast<double>(ms) / 1000.0;
  const double tag = static_cast<double>(ms % static_cast<std::int64_t>(MsProTag)) / MsProTag;
  const double winkel = 2 * Pi * (tag - 0.3 + st.phase);
  Zustand z;
  z.zulauf = std::max(0.0, Zulaufmittel + Zulaufschwankung * std::sin(winkel) +
                               8.0 * Rauschen(station, ZulaufLangsam, sekunden, 600.0) +
                               2.0 * Rauschen(station, ZulaufSchnell, sekunden, 20.0));

  // The inflow so far, in m³, from the daily curve (its noise averages out); the sump is
  // at the point of its cycle that this volume reaches.
  const double stunden = sekunden / 3600.0;
  const double zugeflossen =
      Zulaufmittel * stunden - Zulaufschwankung * 24.0 / (2 * Pi) * std::cos(winkel);
  const double zyklus = zugeflossen / Zyklusvolumen + st.zyklus;
  const double anteil = zyklus - std::floor(zyklus);
  z.pumpe = anteil >= Fuellanteil;
  const double hub = Einschalten - Ausschalten;
  z.pegel = z.pumpe ? Einschalten - hub * (anteil - Fuellanteil) / (1.0 - Fuellanteil)
                    : Ausschalten + hub * anteil / Fuellanteil;
  z.pegel += 0.004 * Zufall(station, SensorPegel, ms);

  z.fluss = std::clamp(st.flussBasis + 25.0 * Rauschen(station, Fluss6h, sekunden, 21600.0) +
                           8.0 * Rauschen(station, Fluss40min, sekunden, 2400.0) +
                           0.5 * Rauschen(station, Fluss30s, sekunden, 30.0),
                       20.0, 400.0);
  z.temperatur = 12.0 + 3.0 * std::sin(2 * Pi * (tag - 0.4 + st.phase)) +
                 0.1 * Zufall(station, SensorTemperatur, ms);
  z.druck = (z.pumpe ? 3.2 : 0.4) + 0.05 * Zufall(station, SensorDruck, ms);
  return z;
}

const std::vector<double>& Modell::Werte(std::int64_t ms) {
  int station = -1;
  Zustand z;
  for (std::size_t i = 0; i < par_.size(); ++i) {
    const Parameter& p = par_[i];
    if (p.station != station) {
      station = p.station;
      z = StationBei(station, ms);
    }
    double& w = werte_[i];
    switch (p.art) {
      case Art::PegelMeter:
        w = z.pegel;
        break;
      case Art::Zulauf:
        w = z.zulauf;
        break;
      case Art::Pumpe:
        w = z.pumpe ? 1.0 : 0.0;
        break;
      case Art::PegelZentimeter:
        w = z.fluss;
        break;
      case Art::Temperatur:
        w = z.temperatur;
        break;
      case Art::Druck:
        w = z.druck;
        break;
    }
  }
  return werte_;
}

}  // namespace pegelsim
