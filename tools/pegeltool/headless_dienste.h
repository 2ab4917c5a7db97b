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

// The machine's clock, or, with a start time, the machine's clock shifted so that it read
// that time when the run began; it runs on at the machine's pace. Without a start time the
// environment variable PEGEL_JETZT="YYYY-MM-DD hh:mm:ss" fixes the clock at that time, so
// that a run can be repeated exactly (scripts, tests); the tick count always runs, so that
// waits end.
class LaufUhr : public pegel::SystemUhr {
 public:
  // Throws std::invalid_argument when PEGEL_JETZT is used but malformed.
  explicit LaufUhr(std::optional<pegel::TDateTime> start = {});
  pegel::TDateTime Jetzt() override { return fest_ ? *fest_ : SystemUhr::Jetzt() + versatz_; }

 private:
  pegel::TDateTime versatz_ = 0;
  std::optional<pegel::TDateTime> fest_;
};

// A plant directory's state with the headless services, wired together; the state's
// paths are set and the run-state is that of a program start at the clock's time.
struct HeadlessLauf {
  HeadlessLauf(const std::filesystem::path& verz, bool nurLesen,
               std::optional<pegel::TDateTime> start = {});
  pegel::PegelStatus s;
  LaufUhr uhr;
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
