// pegeltool: works on a plant directory without a display.
#include <exception>
#include <iostream>

#include "aufruf.h"
#include "kommandos.h"

int main(int argc, char** argv) {
  try {
    return pegeltool::Hauptprogramm({argv + 1, argv + argc});
  } catch (const std::exception& e) {
    std::cerr << "pegeltool: " << e.what() << "\n";
    return pegeltool::ExitDaten;
  }
}
