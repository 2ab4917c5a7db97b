// The options of a command-line program as one table: the parser reads the arguments with
// it and the help lists it, so that help and parser cannot drift apart. Standard C++ only,
// shared by pegelsim and pegeltool.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "text_format.h"

namespace kommandozeile {

// A usage error; what() is the German text for stderr. The programs exit with 2.
struct Aufruffehler : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Option {
  std::string name;   // "--passes"
  std::string wert;   // name of the value in the help ("N"); empty for a switch
  std::string hilfe;  // one line of help
  // Takes the value (empty for a switch). Throws Aufruffehler for a value it refuses.
  std::function<void(const std::string& wert)> setzen;
  std::string kurz = {};  // a short form ("-h"), or empty
};

using Tabelle = std::vector<Option>;

// Reads `args` against the table: an option takes the next argument as its value; an
// argument that does not begin with "-" (or is "-" alone) is a free argument, returned in
// order. Throws Aufruffehler for an unknown option, a missing value or a refused value.
std::vector<std::string> Lesen(const Tabelle& t, const std::vector<std::string>& args);

// One line per option ("  --passes N   ..."), the descriptions in one column, wrapped at
// `Breite` characters.
std::string Hilfe(const Tabelle& t);

// `anfang` as it is, then `woerter` separated by blanks, wrapped into lines of at most
// `Breite` characters (a longer word stays whole); every line after the first begins with
// `einzug` blanks. Ends with "\n".
std::string Umbrechen(const std::string& anfang, const std::vector<std::string>& woerter,
                      std::size_t einzug);
// The same with the words of `text`, split at blanks.
std::string Umbrechen(const std::string& anfang, const std::string& text, std::size_t einzug);

inline constexpr std::size_t Breite = 100;

// The options as the items of a synopsis: "[--passes N]", "[--json]".
std::vector<std::string> Kurzform(const Tabelle& t);

// A whole number from `min` to `max` as the value of `option`. Throws Aufruffehler.
std::int64_t Ganzzahl(const std::string& option, const std::string& text, std::int64_t min,
                      std::int64_t max);

// "YYYY-MM-DD hh:mm:ss" (or "YYYY-MM-DD", or with "T" between date and time) as a
// TDateTime. Empty when malformed.
std::optional<pegel::TDateTime> ZeitpunktLesen(const std::string& text);

}  // namespace kommandozeile
