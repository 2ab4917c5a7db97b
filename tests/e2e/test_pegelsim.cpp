// pegelsim writes a plant directory across midnight; pegeltool day reads both days back.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "test_dienste.h"

namespace pegel {
namespace {

using test::DateiLesen;
using test::TempVerz;

int Ausfuehren(const std::string& befehl) {
  const int rc = std::system(befehl.c_str());
  return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

int Sim(const TempVerz& v, const std::string& optionen) {
  return Ausfuehren(std::string(PEGELSIM) + " --dir '" + v.pfad().string() + "' " + optionen +
                    " > '" + (v / "sim.txt").string() + "'");
}

struct Tool {
  int rc;
  nlohmann::json j;
};

Tool Day(const TempVerz& v, const std::string& tag, const std::string& optionen = "") {
  const auto aus = v / "day.json";
  const int rc = Ausfuehren(std::string(PEGELTOOL) + " day '" + v.pfad().string() + "' " + tag +
                            " --json " + optionen + " > '" + aus.string() + "'");
  return {rc, nlohmann::json::parse(DateiLesen(aus))};
}

std::size_t Zeilen(const std::filesystem::path& p) {
  const auto t = DateiLesen(p);
  return static_cast<std::size_t>(std::count(t.begin(), t.end(), '\n'));
}

TEST(Pegelsim, CrossesMidnightAndPegeltoolSummarisesBothDays) {
  TempVerz v;
  ASSERT_EQ(Sim(v,
                "--start '2026-12-06 23:59:30' --fast --samples 60 --params 7 "
                "--lines-per-sample 2"),
            0);
  for (const char* tag : {"20261206", "20261207"}) {
    EXPECT_TRUE(std::filesystem::exists(v / (std::string(tag) + ".PGH"))) << tag;
    EXPECT_EQ(Zeilen(v / (std::string(tag) + ".DAT")), 60u) << tag;
    EXPECT_EQ(DateiLesen(v / (std::string(tag) + ".SMP")),
              DateiLesen(v / (std::string(tag) + ".DAT")));
  }
  EXPECT_FALSE(std::filesystem::exists(v / "$lock_SMP"));
  const auto akt = DateiLesen(v / "AKTDAT.PGV");
  EXPECT_EQ(std::count(akt.begin(), akt.end(), '\n'), 7);
  EXPECT_EQ(std::count(akt.begin(), akt.end(), ';'), 7 * 8);

  const auto gestern = Day(v, "20261206", "--rows 59:70");
  EXPECT_EQ(gestern.rc, 0);
  EXPECT_EQ(gestern.j["zeilen"], 60);
  EXPECT_EQ(gestern.j["Spaltenzahl"], 7);
  EXPECT_EQ(gestern.j["erste_zeit"].get<std::string>() + "-" +
                gestern.j["letzte_zeit"].get<std::string>(),
            "23:59:30-23:59:59");
  EXPECT_EQ(gestern.j["log"].size(), 0u);
  EXPECT_EQ(gestern.j["kopf"]["parameter"][4]["name"], "Temperatur Rücklauf 1");
  ASSERT_EQ(gestern.j["zellen"].size(), 2u);
  EXPECT_EQ(gestern.j["zellen"][1].size(), 9u);
  EXPECT_EQ(Day(v, "20261207").j["erste_zeit"], "00:00:00");

  const auto fehlt = Day(v, "20261208");
  EXPECT_EQ(fehlt.rc, 1);
  EXPECT_EQ(fehlt.j["zeilen"], 0);
  EXPECT_EQ(Ausfuehren(std::string(PEGELTOOL) + " day '" + v.pfad().string() +
                       "' 2026-12-07 2>/dev/null"),
            2);
}

}  // namespace
}  // namespace pegel
