// The day's running figures per parameter, as a collector keeps them, and the text of the
// current-values file AKTDAT.PGV: one line per parameter with 8 fields, each ended by ";".
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "anlage.h"

namespace pegelsim {

class AktDaten {
 public:
  // The parameters are not owned and must outlive the figures.
  explicit AktDaten(const std::vector<Parameter>& par);

  // Starts a new day.
  void Zuruecksetzen();
  // Enters one sample of all parameters; it stands for `sekunden` of the day.
  void Eintragen(const std::vector<double>& werte, double sekunden);
  // Enters every line of a day file written before this run (today's samples so far),
  // each standing for `sekunden`. A value field that is empty or no number counts as 0,
  // as the viewer counts it. A missing file enters nothing. Throws std::runtime_error when
  // the file exists but cannot be read.
  void TagesdateiEintragen(const std::filesystem::path& dat, double sekunden);

  // Per parameter, over every sample of the day so far:
  //   fields 1-3 and 6-8: mean, minimum, maximum;
  //   field 4: operating hours today (time with a value above 0.5) for a digital parameter;
  //            "n.v." for an analog one, which has no operating time;
  //   field 5: the day's sum: the volume of a flow in m³ (m³/h times hours), the operating
  //            hours of a pump, "n.v." for a level, temperature or pressure, whose sum
  //            means nothing.
  // Every field is "n.v." before the day's first sample.
  std::string Text() const;

 private:
  struct Zahlen {
    double summe = 0, minimum = 0, maximum = 0, integral = 0, betrieb = 0;
    long anzahl = 0;
  };
  void EinenEintragen(std::size_t i, double w, double sekunden);

  const std::vector<Parameter>& par_;
  std::vector<Zahlen> z_;
};

}  // namespace pegelsim
