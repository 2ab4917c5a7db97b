// What the value table commands (stats, export) share: their options for the span and the
// parameters, and a stored day loaded as the history browser loads it, seen as a value
// table. Read-only towards the plant directory.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "headless_dienste.h"
#include "historie_laden.h"
#include "kommandos.h"
#include "werte_tabelle.h"

namespace pegeltool {

// "1,3,5" or "2-4" or both mixed ("1,3-5"): parameter numbers 1..MaxItems in the order
// given. Throws kommandozeile::Aufruffehler.
std::vector<int> ParameterListeLesen(const std::string& text);

// `text` when it is a time of day "hh:mm:ss"; throws kommandozeile::Aufruffehler naming
// `option` otherwise.
std::string ZeitOption(const std::string& option, const std::string& text);

// A stored day of the plant, loaded with the plant's configuration (read-only, as the
// program's first start loads it, for the number formats).
struct WerteTag {
  WerteTag(const std::string& verz, const std::string& tag);
  HeadlessLauf lauf;
  pegel::HistorienLadung ladung;
  std::string tag;  // YYYYMMDD

  // The parameters of the day: `parameter`, or every one of the day's columns when it is
  // empty. Throws kommandozeile::Aufruffehler for a number the day does not have.
  std::vector<pegel::WerteSpalte> Spalten(const std::vector<int>& parameter) const;
  // The day's rows whose time lies in von..bis (all rows without a bound), as the
  // contiguous block from the first such row to the last one (rows are in time order).
  pegel::WerteTabelle Tabelle(const std::vector<int>& parameter,
                              const std::optional<std::string>& von = {},
                              const std::optional<std::string>& bis = {}) const;
};

// Loads the day DIR YYYYMMDD of a command's free arguments. Throws
// kommandozeile::Aufruffehler for a malformed day or a missing directory; nullptr with one
// line on stderr when the day cannot be loaded.
std::unique_ptr<WerteTag> WerteTagLaden(const std::string& kommando,
                                        const std::vector<std::string>& frei);

}  // namespace pegeltool
