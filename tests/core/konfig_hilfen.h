// Helpers of the configuration tests: a plant directory with an INI file built from lines.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "konfiguration.h"
#include "test_dienste.h"

namespace pegel::test {

// INI text (CRLF) of n parameters named P1..Pn with a complete user scale, so that loading
// writes nothing for them. The collector's interval of 10 s lets the default span pass the check.
inline std::string Parameter(int n) {
  std::string items = "[Items]\r\n", namen = "[Itemnames]\r\n", skalen;
  for (int i = 1; i <= n; ++i) {
    const std::string k = std::to_string(i);
    items += "Item" + k + "=SPS|Wert" + k + "\r\n";
    namen += "Item" + k + "=P" + k + "\r\n";
    skalen += "[Item_" + k + "]\r\nMinSkal=0\r\nMaxSkal=100\r\n";
  }
  return "[DDE]\r\nItemcount=" + std::to_string(n) + "\r\nIntervall=10\r\n" + items + namen +
         skalen;
}

class KonfigTest : public ::testing::Test {
 protected:
  Umgebung u;
  void Ini(const std::string& text) { DateiSchreiben(u.s.Pfade.IniDatei, text); }
  std::string IniText() const { return DateiLesen(u.s.Pfade.IniDatei); }
  void Laden() { Initialisierung(u.s, u.d); }
  const std::vector<std::string>& Meldungen() const { return u.meldungen.gezeigt; }
};

}  // namespace pegel::test
