// pegelsim writes a plant directory; the day readers and pegeltool day read it back.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>

#include "optionen.h"
#include "tagesdateien.h"
#include "test_dienste.h"

namespace pegel {
namespace {

using test::DateiLesen;
using test::TempVerz;
using test::Umgebung;

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
  EXPECT_EQ(gestern.j["erste_zeit"], "23:59:30");
  EXPECT_EQ(gestern.j["letzte_zeit"], "23:59:59");
  EXPECT_EQ(gestern.j["log"].size(), 0u);
  EXPECT_EQ(gestern.j["kopf"]["Messintervall"], 1000);
  EXPECT_EQ(gestern.j["kopf"]["parameter"][1]["Einheit"], "m³/h");
  EXPECT_EQ(gestern.j["kopf"]["parameter"][4]["name"], "Temperatur Rücklauf 1");
  ASSERT_EQ(gestern.j["zellen"].size(), 2u);
  EXPECT_EQ(gestern.j["zellen"][1].size(), 9u);

  const auto heute = Day(v, "20261207");
  EXPECT_EQ(heute.j["erste_zeit"], "00:00:00");
  EXPECT_EQ(heute.j["letzte_zeit"], "00:00:29");

  const auto fehlt = Day(v, "20261208");
  EXPECT_EQ(fehlt.rc, 1);
  EXPECT_EQ(fehlt.j["zeilen"], 0);
  EXPECT_EQ(Ausfuehren(std::string(PEGELTOOL) + " day '" + v.pfad().string() +
                       "' 2026-12-07 2>/dev/null"),
            2);
}

TEST(Pegelsim, SameSeedSameDataAndBackfilledDaysReadBack) {
  TempVerz a, b, c;
  const std::string opt =
      "--start '2026-03-01 12:00:00' --fast --samples 5 --backfill 1 "
      "--interval 60 --params 13";
  ASSERT_EQ(Sim(a, opt + " --seed 4"), 0);
  ASSERT_EQ(Sim(b, opt + " --seed 4"), 0);
  ASSERT_EQ(Sim(c, opt + " --seed 5"), 0);
  EXPECT_EQ(DateiLesen(a / "20260228.DAT"), DateiLesen(b / "20260228.DAT"));
  EXPECT_NE(DateiLesen(a / "20260228.DAT"), DateiLesen(c / "20260228.DAT"));

  Umgebung u;
  ASSERT_TRUE(ReadHeaderF(u.s, a / "20260228.PGH"));
  EXPECT_EQ(u.s.TagKopf.Itemcount, 13);
  EXPECT_EQ(u.s.TagKopf.IntervallZahl, 1);
  EXPECT_EQ(u.s.TagKopf.IntervallEinheit, " Minute(n)");
  EXPECT_EQ(u.s.TagKopf.Par[4].Name, Ansi("Wasserstand Überlaufbecken 1"));
  EXPECT_EQ(ReadDataF(u.s, u.log, a / "20260228.DAT", u.s.DatenGitter), 1440);
  EXPECT_EQ(u.s.DatenGitter.Zelle(1439, 1), "23:59:00");
  EXPECT_TRUE(u.Log().empty());
  const auto ini = DateiLesen(a / "PEGELDDE.INI");
  EXPECT_NE(ini.find("Itemcount=13\r\n"), std::string::npos);
  EXPECT_NE(ini.find("Einheit=1\r\n"), std::string::npos);  // 60 s given as 1 minute
}

TEST(Pegelsim, WaitsForTheLockAndLeavesAnExistingIni) {
  TempVerz v;
  const std::string ini = "[dde]\r\nITEMCOUNT = 3\r\n; eigene Anlage\r\n";
  test::DateiSchreiben(v / "PEGELDDE.INI", ini);
  test::DateiSchreiben(v / "$lock_SMP", "");
  std::thread lauf(
      [&] { EXPECT_EQ(Sim(v, "--start '2026-12-06 10:00:00' --fast --samples 1"), 0); });
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  EXPECT_FALSE(std::filesystem::exists(v / "20261206.SMP"));
  std::filesystem::remove(v / "$lock_SMP");
  lauf.join();
  EXPECT_EQ(Zeilen(v / "20261206.SMP"), 1u);
  EXPECT_FALSE(std::filesystem::exists(v / "$lock_SMP"));
  EXPECT_EQ(DateiLesen(v / "PEGELDDE.INI"), ini);
  const auto zeile = DateiLesen(v / "20261206.DAT");
  EXPECT_EQ(std::count(zeile.begin(), zeile.end(), ';'), 4);  // leading field, time, 3 values
}

TEST(PegelsimOptionen, StartTimeAndUsageErrors) {
  const auto t = pegelsim::StartLesen("2026-12-06 23:59:30");
  ASSERT_TRUE(t);
  EXPECT_EQ(DatumZeitText(*t), "06.12.2026 23:59:30");
  EXPECT_FALSE(pegelsim::StartLesen("2026-02-30 10:00:00"));
  EXPECT_FALSE(pegelsim::StartLesen("06.12.2026 10:00:00"));
  EXPECT_THROW(pegelsim::OptionenLesen({"--fast"}), std::invalid_argument);
  EXPECT_THROW(pegelsim::OptionenLesen({"--params", "181"}), std::invalid_argument);
  EXPECT_THROW(pegelsim::OptionenLesen({"--samples", "3", "--duration", "3"}),
               std::invalid_argument);
  EXPECT_EQ(pegelsim::OptionenLesen({"--duration", "90", "--interval", "30"}).intervall, 30);
}

}  // namespace
}  // namespace pegel
