// The headless set-up of pegeltool's commands: the plant's state wired to the services of
// stille_dienste.h, and the JSON form of the shown and logged texts.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "dienste.h"
#include "logbuch.h"
#include "plattform.h"
#include "services.h"
#include "state.h"
#include "stille_dienste.h"

namespace pegeltool {

using pegel::CollectingSink;
using pegel::HeadlessMessages;
using pegel::NoEvents;
using pegel::NoPrinter;

// The clock of a headless run: the machine's, or the fixed time that the environment
// variable PEGEL_JETZT gives as "YYYY-MM-DD hh:mm:ss", so that a run can be repeated with
// the same day (scripts, tests). The tick count always runs, so that waits end.
class HeadlessUhr : public pegel::SystemUhr {
 public:
  // Throws std::invalid_argument when PEGEL_JETZT is set but malformed.
  HeadlessUhr();
  pegel::TDateTime Jetzt() override;

 private:
  std::optional<pegel::TDateTime> fest_;
};

// A plant directory's state with the headless services, wired together; the state's
// paths are set and the run-state is that of a program start.
struct HeadlessLauf {
  HeadlessLauf(const std::filesystem::path& verz, bool nurLesen);
  pegel::PegelStatus s;
  HeadlessUhr uhr;
  HeadlessMessages meldungen;
  NoEvents ereignisse;
  CollectingSink senke;
  NoPrinter drucker;
  pegel::Logbuch log{s, uhr, &senke};
  pegel::Dienste d{uhr, meldungen, ereignisse, log, drucker};
};

// Windows-1252 texts as a JSON array of UTF-8 strings.
nlohmann::ordered_json Utf8Liste(const std::vector<std::string>& texte);

}  // namespace pegeltool
