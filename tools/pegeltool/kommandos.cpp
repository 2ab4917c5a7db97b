#include "kommandos.h"

#include <filesystem>

namespace pegeltool {

std::vector<Kommando> AlleKommandos() {
  return {
      KommandoConfig(),    //
      KommandoDay(),       //
      KommandoPoll(),      //
      KommandoPrinters(),  //
      KommandoStats(),     //
      KommandoExport(),    //
      KommandoPrint(),     //
      KommandoChart(),     //
  };
}

kommandozeile::Option JsonOption(bool& json) {
  return {"--json", "", "ein JSON-Objekt statt Text ausgeben",
          [&json](const std::string&) { json = true; }};
}

std::string Anlagenverzeichnis(const std::string& verz) {
  std::error_code ec;
  if (!std::filesystem::is_directory(verz, ec)) {
    throw kommandozeile::Aufruffehler(verz + " ist kein Verzeichnis");
  }
  return verz;
}

}  // namespace pegeltool
