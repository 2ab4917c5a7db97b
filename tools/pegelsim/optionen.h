// The command line of pegelsim: one option table, read by the parser and listed by the help.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "optionen_tabelle.h"
#include "text_format.h"

namespace pegelsim {

struct Optionen {
  std::filesystem::path verz = ".";
  std::optional<int> parameter;  // --params; default 12, or the count of an existing INI
  int intervall = 1;             // seconds
  int nachtragen = 0;            // --backfill DAYS
  std::optional<std::int64_t> proben;
  std::optional<std::int64_t> dauer;  // seconds
  std::uint64_t seed = 1;
  int zeilenProProbe = 1;
  std::optional<pegel::TDateTime> start;
  bool schnell = false;
  bool hilfe = false;
  bool version = false;
};

// The option table, bound to `o`: reading an option sets its field.
kommandozeile::Tabelle OptionenTabelle(Optionen& o);

// Throws kommandozeile::Aufruffehler with a German message on a usage error.
Optionen OptionenLesen(const std::vector<std::string>& args);

// "YYYY-MM-DD hh:mm:ss" (or "YYYY-MM-DD"). Empty when malformed.
inline std::optional<pegel::TDateTime> StartLesen(const std::string& text) {
  return kommandozeile::ZeitpunktLesen(text);
}

// The usage line and one line per option of the table.
std::string Hilfe();

}  // namespace pegelsim
