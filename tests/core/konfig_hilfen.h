// Helpers of the configuration tests: a plant directory with an INI file built from lines.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "konfiguration.h"
#include "test_dienste.h"

namespace pegel::test {

// INI text (CRLF) from (section, line) pairs; lines of one section are grouped in the
// order the sections first appear.
inline std::string IniAus(const std::vector<std::pair<std::string, std::string>>& zeilen) {
  std::vector<std::pair<std::string, std::string>> sektionen;
  for (const auto& [sektion, zeile] : zeilen) {
    auto it = sektionen.begin();
    while (it != sektionen.end() && it->first != sektion) ++it;
    if (it == sektionen.end()) {
      sektionen.emplace_back(sektion, "");
      it = sektionen.end() - 1;
    }
    it->second += zeile + "\r\n";
  }
  std::string text;
  for (const auto& [sektion, inhalt] : sektionen) text += "[" + sektion + "]\r\n" + inhalt;
  return text;
}

// Lines of n parameters named P1..Pn with a complete user scale, so that loading writes
// nothing for them. The collector's interval of 10 s lets the default span pass the check.
inline std::vector<std::pair<std::string, std::string>> Parameter(int n) {
  std::vector<std::pair<std::string, std::string>> z = {{"DDE", "Itemcount=" + std::to_string(n)},
                                                        {"DDE", "Intervall=10"}};
  for (int i = 1; i <= n; ++i) {
    const std::string k = "Item" + std::to_string(i);
    z.push_back({"Items", k + "=SPS|Wert" + std::to_string(i)});
    z.push_back({"Itemnames", k + "=P" + std::to_string(i)});
    z.push_back({"Item_" + std::to_string(i), "MinSkal=0"});
    z.push_back({"Item_" + std::to_string(i), "MaxSkal=100"});
  }
  return z;
}

class KonfigTest : public ::testing::Test {
 protected:
  Umgebung u;
  void Ini(const std::string& text) { DateiSchreiben(u.s.IniDatei, text); }
  void Ini(const std::vector<std::pair<std::string, std::string>>& zeilen) { Ini(IniAus(zeilen)); }
  std::string IniText() const { return DateiLesen(u.s.IniDatei); }
  void Laden() { Initialisierung(u.s, u.d); }
  const std::vector<std::string>& Meldungen() const { return u.meldungen.gezeigt; }
};

}  // namespace pegel::test
