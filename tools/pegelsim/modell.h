// The process model: pump sumps that fill with a daily inflow and are emptied by a pump
// switching on the level, a river level, a temperature and a line pressure. Deterministic
// for a given seed: the same seed and the same steps give the same values.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "anlage.h"

namespace pegelsim {

class Modell {
 public:
  Modell(const std::vector<Parameter>& par, std::uint64_t seed);

  // Moves the model on by `sekunden` to the time of day `tagesanteil` (0..1) and returns
  // the value of every parameter in parameter order. The reference stays valid until the
  // next call.
  const std::vector<double>& Schritt(double sekunden, double tagesanteil);

 private:
  struct Station {
    double pegel = 1.5;  // m
    double zulauf = 80;  // m³/h
    double rauschen = 0;
    bool pumpe = false;
    double fluss = 120;  // cm
    double phase = 0;
  };
  double Zufall();  // uniform in [-1, 1)

  const std::vector<Parameter>& par_;
  std::mt19937_64 zufall_;
  std::vector<Station> stationen_;
  std::vector<double> werte_;
};

}  // namespace pegelsim
