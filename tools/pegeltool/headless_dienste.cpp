#include "headless_dienste.h"

#include <cstdlib>
#include <stdexcept>

#include "cp1252.h"
#include "optionen_tabelle.h"

namespace pegeltool {

LaufUhr::LaufUhr(std::optional<pegel::TDateTime> start) {
  if (start) {
    versatz_ = *start - pegel::LokaleZeitJetzt();
    return;
  }
  const char* jetzt = std::getenv("PEGEL_JETZT");
  if (jetzt == nullptr || *jetzt == '\0') return;
  fest_ = kommandozeile::ZeitpunktLesen(jetzt);
  if (!fest_) throw std::invalid_argument("PEGEL_JETZT: \"JJJJ-MM-TT hh:mm:ss\" erwartet");
}

HeadlessLauf::HeadlessLauf(const std::filesystem::path& verz, bool nurLesen,
                           std::optional<pegel::TDateTime> start)
    : uhr(start) {
  s.NurLesen = nurLesen;
  s.PfadeSetzen(std::filesystem::absolute(verz));
  s.ProgrammStart(uhr.Jetzt());
}

nlohmann::ordered_json Utf8Liste(const std::vector<std::string>& texte) {
  nlohmann::ordered_json liste = nlohmann::ordered_json::array();
  for (const auto& t : texte) liste.push_back(pegel::Cp1252ZuUtf8(t));
  return liste;
}

}  // namespace pegeltool
