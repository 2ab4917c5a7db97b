// The day's running figures per parameter and the text of the current-values file
// AKTDAT.PGV: one line per parameter with 8 fields, each ended by ";".
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "anlage.h"

namespace pegelsim {

class AktDaten {
 public:
  explicit AktDaten(const std::vector<Parameter>& par);

  // Starts a new day.
  void Zuruecksetzen();
  // Enters one sample of all parameters, `sekunden` after the previous one.
  void Eintragen(const std::vector<double>& werte, double sekunden);

  // Fields 1-5: mean, minimum, maximum, operating hours today, sum (volume of a flow,
  // operating hours of a pump, else "n.v."). Fields 6-8: mean, minimum and maximum of the
  // last 60 samples for analog parameters, "n.v." for pumps.
  std::string Text() const;

 private:
  struct Zahlen {
    double summe = 0, minimum = 0, maximum = 0, integral = 0;
    long anzahl = 0;
    std::deque<double> fenster;
  };
  const std::vector<Parameter>& par_;
  std::vector<Zahlen> z_;
  static constexpr std::size_t Fenster = 60;
};

}  // namespace pegelsim
