// pegeltool: works on a plant directory without a display.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "kommandos.h"

namespace {

void Hilfe(std::ostream& out) {
  out << "Aufruf: pegeltool KOMMANDO ...\n"
         "  config VERZ [--json]                          Konfiguration der Anlage VERZ laden\n"
         "  day VERZ JJJJMMTT [--rows A:B] [--json]      Zusammenfassung eines gespeicherten "
         "Tages\n"
         "  poll VERZ [--passes N] [--every MS] [--json] Anzeige starten, N Abfragen, Zustand "
         "ausgeben\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    Hilfe(args.empty() ? std::cerr : std::cout);
    return args.empty() ? 2 : 0;
  }
  const std::string kommando = args[0];
  args.erase(args.begin());
  try {
    if (kommando == "config") return pegeltool::KommandoConfig(args);
    if (kommando == "day") return pegeltool::KommandoDay(args);
    if (kommando == "poll") return pegeltool::KommandoPoll(args);
  } catch (const std::exception& e) {
    std::cerr << "pegeltool: " << e.what() << "\n";
    return 1;
  }
  std::cerr << "pegeltool: unbekanntes Kommando '" << kommando << "'\n";
  Hilfe(std::cerr);
  return 2;
}
