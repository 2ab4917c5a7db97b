// The command line of pegeltool: the general options, the choice of the subcommand and
// the help, all written from the option tables of kommandos.h.
#pragma once

#include <string>
#include <vector>

namespace pegeltool {

// Runs pegeltool with the arguments after the program name; returns the exit code.
int Hauptprogramm(const std::vector<std::string>& args);

// The whole help: the general options and every subcommand with its options.
std::string Hilfe();

}  // namespace pegeltool
