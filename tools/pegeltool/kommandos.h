// The subcommands of pegeltool. Each is one Kommando: its name, its free arguments, its
// option table and its run. The table serves the parser and the help alike.
//
// A new subcommand is a file kommando_NAME.cpp with a function that returns its Kommando
// (see kommando_day.cpp), declared here and listed in AlleKommandos() (kommandos.cpp).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "optionen_tabelle.h"

namespace pegeltool {

// Exit codes of every subcommand.
inline constexpr int ExitOk = 0;
inline constexpr int ExitDaten = 1;   // the data are bad
inline constexpr int ExitAufruf = 2;  // usage error
inline constexpr int ExitBelegt = 3;  // the plant directory's guard is held (poll)

struct Kommando {
  std::string name;
  // The free arguments in order, as the help names them; "[X]" is optional.
  std::vector<std::string> argumente;
  std::string zweck;    // one line
  std::string ausgang;  // what the exit codes mean for this command
  // Bound to the values that `ausfuehren` reads.
  kommandozeile::Tabelle optionen;
  // Runs with the free arguments (their count already checked) after the options were
  // read; returns the exit code. Throws kommandozeile::Aufruffehler for a usage error.
  std::function<int(const std::vector<std::string>& frei)> ausfuehren;
};

// config DIR [--json]: the configuration as the first start loads it, read-only.
Kommando KommandoConfig();
// day DIR YYYYMMDD [--rows A:B] [--stretches] [--json]: summary of a stored day, read-only.
Kommando KommandoDay();
// poll DIR [...]: a headless viewer run under the plant directory's guard.
Kommando KommandoPoll();
// printers [DIR] [--json]: the platform's printers and the stored one found by name, read-only.
Kommando KommandoPrinters();
// stats DIR YYYYMMDD --from --to [--params LIST] [--json]: the value table's statistics.
Kommando KommandoStats();
// export DIR YYYYMMDD [...] (--xls F | --xlsx F | --csv F [--utf8]): the value table as a file.
Kommando KommandoExport();
// print DIR YYYYMMDD [--group N] (--pdf FILE | --archive | --printer): the daily group print
// of a stored day by hand.
Kommando KommandoPrint();
// chart DIR YYYYMMDD (--params LIST | --group N) [...]: the history page as PNG or PDF,
// read-only.
Kommando KommandoChart();

// Every subcommand, in the order of the help.
std::vector<Kommando> AlleKommandos();

// The --json switch that every command offers.
kommandozeile::Option JsonOption(bool& json);

// The checked plant directory of a command: Aufruffehler when it is no directory.
std::string Anlagenverzeichnis(const std::string& verz);

}  // namespace pegeltool
