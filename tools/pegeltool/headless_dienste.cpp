#include "headless_dienste.h"

#include <cstdlib>
#include <stdexcept>

#include "cp1252.h"
#include "text_format.h"

namespace pegeltool {

HeadlessUhr::HeadlessUhr() {
  const char* jetzt = std::getenv("PEGEL_JETZT");
  if (jetzt == nullptr || *jetzt == '\0') return;
  fest_ = pegel::IsoZeitpunktLesen(jetzt);
  if (!fest_) throw std::invalid_argument("PEGEL_JETZT: \"JJJJ-MM-TT hh:mm:ss\" erwartet");
}

pegel::TDateTime HeadlessUhr::Jetzt() { return fest_ ? *fest_ : SystemUhr::Jetzt(); }

HeadlessLauf::HeadlessLauf(const std::filesystem::path& verz, bool nurLesen) {
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
