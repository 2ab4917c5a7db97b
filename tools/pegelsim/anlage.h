// The simulated plant: which parameters exist, what they are called and how they are
// shown. Stations of six parameters repeat until the wanted count is reached.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pegelsim {

enum class Art { PegelMeter, Zulauf, Pumpe, PegelZentimeter, Temperatur, Druck };

struct Parameter {
  Art art;
  int station;             // 0-based; the three pump parameters of a station belong together
  std::string item;        // collector's item name (Windows-1252)
  std::string name;        // display name (Windows-1252)
  std::string einheit;     // unit (Windows-1252)
  std::int32_t grafiktyp;  // 1 analog, 2 digital
  std::int32_t grafikRef;  // 0 from zero, 1 from minimum, 2 user scale
  int dezimalen;           // decimals written to the data files
  double loLimit, upLimit, loWarn, upWarn;
  std::int32_t colorNorm, colorWarn;  // Windows colour numbers, low byte red
};

// `anzahl` parameters (1..180).
std::vector<Parameter> AnlageBauen(int anzahl);

// [PegelWart] Textrand of the demo INI, in 0.1 mm: keeps the longest title clear of "Min.=".
inline constexpr int DemoTextrand = 300;

// The INI file text (CRLF lines, Windows-1252) for the plant and a sample interval in seconds.
std::string IniText(const std::vector<Parameter>& par, int intervallSekunden);

}  // namespace pegelsim
