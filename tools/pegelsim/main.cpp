// pegelsim: plays the collector in a plant directory, for the demo and the tests.
#include <atomic>
#include <csignal>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "optionen.h"
#include "simulator.h"

namespace {

// A signal handler can reach nothing but static storage.
std::atomic<bool> halt{false};

extern "C" void Anhalten(int) { halt = true; }

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  pegelsim::Optionen o;
  try {
    o = pegelsim::OptionenLesen(args);
  } catch (const kommandozeile::Aufruffehler& e) {
    std::cerr << "pegelsim: " << e.what() << "\n" << pegelsim::Hilfe();
    return 2;
  }
  if (o.hilfe) {
    std::cout << pegelsim::Hilfe();
    return 0;
  }
  if (o.version) {
    std::cout << "pegelsim " PEGEL_VERSION "\n";
    return 0;
  }
  std::signal(SIGINT, Anhalten);
  std::signal(SIGTERM, Anhalten);
  try {
    pegelsim::Simulator sim(o, std::cout, halt);
    sim.Laufen();
  } catch (const std::exception& e) {
    std::cerr << "pegelsim: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
