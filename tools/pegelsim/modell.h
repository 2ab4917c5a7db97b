// The process model: pump sumps that fill with a daily inflow and are emptied by a pump
// switching on the level, a river level, a temperature and a line pressure.
//
// Every value is a function of the seed and the sample time alone, not of the samples
// before it: back-filled days, a fast run and a live run give the same value for the same
// instant, so a live run that continues a day goes on where the day's file ends.
#pragma once

#include <cstdint>
#include <vector>

#include "anlage.h"

namespace pegelsim {

class Modell {
 public:
  // The parameters are not owned and must outlive the model.
  Modell(const std::vector<Parameter>& par, std::uint64_t seed);

  // The value of every parameter, in parameter order, at `ms` milliseconds since
  // 30.12.1899 00:00 (local time). The reference stays valid until the next call.
  const std::vector<double>& Werte(std::int64_t ms);

 private:
  struct Station {
    double phase = 0;       // shift of the daily inflow curve, in days
    double zyklus = 0;      // shift of the sump's fill-and-pump cycle, in cycles
    double flussBasis = 0;  // mean river level, cm
  };
  struct Zustand {
    double pegel = 0, zulauf = 0, fluss = 0, temperatur = 0, druck = 0;
    bool pumpe = false;
  };
  // Uniform in [-1, 1): a hash of the seed, the station, a channel and an index.
  double Zufall(int station, int kanal, std::int64_t index) const;
  // Smooth noise in [-1, 1) over time `sekunden`, with knots `periode` seconds apart.
  double Rauschen(int station, int kanal, double sekunden, double periode) const;
  Zustand StationBei(int station, std::int64_t ms) const;

  const std::vector<Parameter>& par_;
  std::uint64_t seed_;
  std::vector<Station> stationen_;
  std::vector<double> werte_;
};

}  // namespace pegelsim
