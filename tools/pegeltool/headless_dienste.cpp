#include "headless_dienste.h"

#include "cp1252.h"

namespace pegeltool {

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
