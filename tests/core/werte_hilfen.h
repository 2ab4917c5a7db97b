// Value tables for the tests: a day grid built from "time;value;..." lines and a table over
// all of its rows with the given titles.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cp1252.h"
#include "gitter.h"
#include "werte_tabelle.h"

namespace pegel::test {

// Keeps the grid that its table looks at.
struct WerteTag {
  gitter tag;
  WerteTabelle tabelle{tag, 0, 0, {}};

  // `zeilen` are the fields after the leading one; `titel` are UTF-8 and name the value
  // columns in order (field 2, 3, ...).
  WerteTag(const std::vector<std::string>& zeilen, const std::vector<std::string>& titel) {
    std::string text;
    for (const auto& z : zeilen) text += "0;" + z + "\r\n";
    EXPECT_EQ(tag.Aufteilen(std::string_view(text)), gitter::Ergebnis::Ok);
    std::vector<WerteSpalte> spalten;
    for (std::size_t k = 0; k < titel.size(); ++k) spalten.push_back({k + 2, Ansi(titel[k])});
    tabelle = WerteTabelle(tag, 0, zeilen.size(), std::move(spalten));
  }
  WerteTag(const WerteTag&) = delete;
  WerteTag& operator=(const WerteTag&) = delete;
};

}  // namespace pegel::test
