// Golden runs: pegeltool's JSON of `config`, `day` and `poll` on the fixture plants of
// tests/data/golden, compared byte for byte with the recorded output (and, for `poll`, with
// the files the run leaves in the plant). A change that alters any reported field, message,
// log line or written key shows here. The only thing replaced is the temporary directory the
// plant is copied to, which appears in some log lines, by "<ANLAGE>".
//
// PEGEL_GOLDEN_AUFNEHMEN=1 writes the expected files instead of comparing; do that only for a
// new case, never to make a failing case pass.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "test_dienste.h"

namespace {

namespace fs = std::filesystem;
using pegel::test::DateiLesen;
using pegel::test::DateiSchreiben;
using pegel::test::TempVerz;

const fs::path Fixturen = fs::path(PEGEL_TESTDATA_DIR) / "golden";
const fs::path Erwartet = Fixturen / "erwartet";

struct Fall {
  std::string name;               // names the expected files
  std::string anlage;             // fixture plant below tests/data/golden
  std::vector<std::string> args;  // after the plant directory
  // Files of the plant compared after the run; with any, also the names left in the plant.
  std::vector<std::string> danach;
};

std::ostream& operator<<(std::ostream& o, const Fall& f) { return o << f.name; }

std::string Ersetzt(std::string text, const std::string& alt, const std::string& neu) {
  for (std::size_t p = text.find(alt); p != std::string::npos; p = text.find(alt, p + neu.size())) {
    text.replace(p, alt.size(), neu);
  }
  return text;
}

class Golden : public ::testing::TestWithParam<Fall> {
 protected:
  void Vergleichen(const fs::path& erwartet, const std::string& ist) {
    if (std::getenv("PEGEL_GOLDEN_AUFNEHMEN") != nullptr) {
      DateiSchreiben(erwartet, ist);
      return;
    }
    ASSERT_TRUE(fs::exists(erwartet)) << erwartet;
    EXPECT_EQ(ist, DateiLesen(erwartet)) << erwartet.filename();
  }
};

TEST_P(Golden, AusgabeWieAufgezeichnet) {
  const Fall& f = GetParam();
  TempVerz arbeit;
  const fs::path anlage = arbeit / "anlage";
  fs::copy(Fixturen / f.anlage, anlage, fs::copy_options::recursive);
  const std::string kommando = f.args.front();
  std::string cmd = "PEGEL_JETZT='2026-12-06 12:00:00' \"" PEGELTOOL "\" " + kommando + " \"" +
                    anlage.string() + "\"";
  for (std::size_t i = 1; i < f.args.size(); ++i) cmd += " \"" + f.args[i] + "\"";
  const fs::path aus = arbeit / "aus.json";
  const int status = std::system((cmd + " > \"" + aus.string() + "\" 2>/dev/null").c_str());
  ASSERT_TRUE(WIFEXITED(status));
  const std::string ausgabe = "rc=" + std::to_string(WEXITSTATUS(status)) + "\n" +
                              Ersetzt(DateiLesen(aus), anlage.string(), "<ANLAGE>");
  Vergleichen(Erwartet / (f.name + ".json"), ausgabe);
  if (!f.danach.empty()) {
    std::vector<std::string> namen;
    for (const auto& e : fs::directory_iterator(anlage)) namen.push_back(e.path().filename());
    std::sort(namen.begin(), namen.end());
    std::string liste;
    for (const auto& n : namen) liste += n + "\n";
    Vergleichen(Erwartet / (f.name + ".dateien"), liste);
  }
  for (const auto& datei : f.danach) {
    Vergleichen(Erwartet / (f.name + "." + datei),
                Ersetzt(DateiLesen(anlage / datei), anlage.string(), "<ANLAGE>"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Anlagen, Golden,
    ::testing::Values(
        Fall{"config_klaerwerk", "klaerwerk", {"config", "--json"}, {}},
        Fall{"config_zuviele", "zuviele", {"config", "--json"}, {}},
        Fall{"config_v5", "v5", {"config", "--json"}, {}},
        Fall{"day_gestern_zeilen", "klaerwerk", {"day", "20261205", "--rows", "6:9", "--json"}, {}},
        Fall{"day_183_felder", "klaerwerk", {"day", "20261204", "--json"}, {}},
        Fall{"day_ohne_kopf", "klaerwerk", {"day", "20261203", "--json"}, {}},
        Fall{"day_semikolon_am_ende", "klaerwerk", {"day", "20261202", "--json"}, {}},
        Fall{"day_heute_zeit_ungueltig",
             "klaerwerk",
             {"day", "20261206", "--rows", "12:14", "--json"},
             {}},
        Fall{"poll_klaerwerk",
             "klaerwerk",
             {"poll", "--passes", "1", "--every", "0", "--json"},
             {"PEGELDDE.INI", "_PEGELWART_LOGALL.TXT"}},
        Fall{"poll_pumpwerk",
             "pumpwerk",
             {"poll", "--passes", "1", "--every", "0", "--json"},
             {"PEGELDDE.INI", "_PEGELWART_LOGALL.TXT"}},
        Fall{"poll_zuviele",
             "zuviele",
             {"poll", "--passes", "1", "--every", "0", "--json"},
             {"PEGELDDE.INI", "PEGELWART.GRP"}}),
    [](const ::testing::TestParamInfo<Fall>& info) { return info.param.name; });

}  // namespace
