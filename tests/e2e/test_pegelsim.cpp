// pegelsim writes a plant directory across midnight; pegeltool day reads both days back.
// Its values depend on the seed and the sample time alone, its AKTDAT.PGV carries the day's
// figures, and it keeps the sample file's lock protocol.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "anlage.h"
#include "test_dienste.h"
#include "text_format.h"

namespace pegel {
namespace {

using test::DateiLesen;
using test::DateiSchreiben;
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

std::vector<std::string> Zeilen(const std::string& text) {
  std::vector<std::string> z;
  for (std::size_t p = 0, e; (e = text.find("\r\n", p)) != std::string::npos; p = e + 2) {
    z.push_back(text.substr(p, e - p));
  }
  return z;
}

TEST(Pegelsim, CrossesMidnightAndPegeltoolSummarisesBothDays) {
  TempVerz v;
  ASSERT_EQ(Sim(v,
                "--start '2026-12-06 23:59:30' --fast --samples 60 --params 7 "
                "--lines-per-sample 2"),
            0);
  for (const char* tag : {"20261206", "20261207"}) {
    EXPECT_TRUE(std::filesystem::exists(v / (std::string(tag) + ".PGH"))) << tag;
    EXPECT_EQ(Zeilen(DateiLesen(v / (std::string(tag) + ".DAT"))).size(), 60u) << tag;
    EXPECT_EQ(DateiLesen(v / (std::string(tag) + ".SMP")),
              DateiLesen(v / (std::string(tag) + ".DAT")));
  }
  EXPECT_FALSE(std::filesystem::exists(v / "$lock_SMP"));

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

std::vector<std::string> Felder(const std::string& zeile) {
  std::vector<std::string> f;
  for (std::size_t p = 0;; ++p) {
    const std::size_t e = std::min(zeile.find(';', p), zeile.size());
    f.push_back(zeile.substr(p, e - p));
    if (e == zeile.size()) return f;
    p = e;
  }
}

double Zahl(const std::string& text) { return ZahlLesen(text).value_or(NoValue); }

// One back-filled day at a 10 s interval, written once for the tests of the values.
class Werte : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    tag = new TempVerz;
    ASSERT_EQ(Sim(*tag,
                  "--start '2026-12-07 00:00:00' --backfill 1 --fast --samples 0 "
                  "--interval 10 --seed 7"),
              0);
    for (const auto& z : Zeilen(DateiLesen(*tag / "20261206.DAT"))) zeilen.push_back(z);
  }
  static void TearDownTestSuite() { delete tag; }
  // The back-filled line of that time.
  static std::string Zeile(const std::string& zeit) {
    for (const auto& z : zeilen) {
      if (Felder(z).at(1) == zeit) return z;
    }
    return "";
  }
  static inline TempVerz* tag = nullptr;
  static inline std::vector<std::string> zeilen;
};

TEST_F(Werte, HaengenNurVonStartwertUndProbenzeitAb) {
  ASSERT_EQ(zeilen.size(), 8640u);
  // Two fast runs, the second continuing the first's day, and a live run: each line is the
  // back-filled one of the same time.
  TempVerz schnell, live, anders;
  ASSERT_EQ(Sim(schnell, "--start '2026-12-06 23:58:00' --fast --samples 6 --interval 10 --seed 7"),
            0);
  ASSERT_EQ(Sim(schnell, "--start '2026-12-06 23:59:00' --fast --samples 6 --interval 10 --seed 7"),
            0);
  ASSERT_EQ(Sim(live, "--start '2026-12-06 23:59:40' --samples 2 --interval 1 --seed 7"), 0);
  ASSERT_EQ(Sim(anders, "--start '2026-12-06 23:59:40' --fast --samples 1 --seed 8"), 0);
  const auto fortgesetzt = Zeilen(DateiLesen(schnell / "20261206.DAT"));
  ASSERT_EQ(fortgesetzt.size(), 12u);
  EXPECT_EQ(fortgesetzt, std::vector<std::string>(zeilen.end() - 12, zeilen.end()));
  const auto zweiSekunden = Zeilen(DateiLesen(live / "20261206.DAT"));
  ASSERT_EQ(zweiSekunden.size(), 2u);
  EXPECT_EQ(zweiSekunden[0], Zeile("23:59:40"));
  EXPECT_NE(Zeilen(DateiLesen(anders / "20261206.DAT")).at(0), Zeile("23:59:40"))
      << "another seed, other values";
}

TEST_F(Werte, BleibenInDenGrenzenUndPumpenSchaltenEinUndAus) {
  const auto par = pegelsim::AnlageBauen(12);
  int schaltungen = 0;  // of the first pump
  for (std::size_t r = 0; r < zeilen.size(); ++r) {
    const auto f = Felder(zeilen[r]);
    ASSERT_EQ(f.size(), par.size() + 2) << zeilen[r];
    for (std::size_t n = 0; n < par.size(); ++n) {
      const double w = Zahl(f[n + 2]);
      ASSERT_TRUE(w >= par[n].loLimit && w <= par[n].upLimit) << par[n].name << ": " << zeilen[r];
      if (par[n].grafiktyp == 2) {
        ASSERT_TRUE(f[n + 2] == "0" || f[n + 2] == "1") << zeilen[r];
      }
    }
    schaltungen += r > 0 && f[4] != Felder(zeilen[r - 1])[4];
  }
  EXPECT_GE(schaltungen, 20) << "a sump pumped down a few dozen times a day";
}

TEST(Pegelsim, AktdatTraegtDieTageswerteAllerProbenDesTages) {
  // Two runs on one day: the second one's figures cover the first one's samples too.
  TempVerz v;
  ASSERT_EQ(Sim(v, "--start '2026-12-06 10:00:00' --fast --samples 30 --seed 3"), 0);
  ASSERT_EQ(Sim(v, "--start '2026-12-06 10:00:30' --fast --samples 30 --seed 3"), 0);
  const auto par = pegelsim::AnlageBauen(12);
  const auto tag = Zeilen(DateiLesen(v / "20261206.DAT"));
  const auto akt = Zeilen(DateiLesen(v / "AKTDAT.PGV"));
  ASSERT_EQ(tag.size(), 60u);
  ASSERT_EQ(akt.size(), par.size());
  for (std::size_t n = 0; n < par.size(); ++n) {
    SCOPED_TRACE(par[n].name);
    double summe = 0, minimum = 1e300, maximum = -1e300, menge = 0, stunden = 0;
    for (const auto& z : tag) {
      const double w = Zahl(Felder(z).at(n + 2));
      summe += w;
      minimum = std::min(minimum, w);
      maximum = std::max(maximum, w);
      menge += w * 1.0 / 3600.0;  // one second per sample
      if (w > 0.5) stunden += 1.0 / 3600.0;
    }
    const auto T = [](double x) { return FestFormat(x, 7, 2); };
    const std::string mmm = T(summe / 60) + ";" + T(minimum) + ";" + T(maximum) + ";";
    const bool pumpe = par[n].art == pegelsim::Art::Pumpe;
    const std::string feld4 = pumpe ? T(stunden) : "n.v.";
    const std::string feld5 = pumpe                                 ? T(stunden)
                              : par[n].art == pegelsim::Art::Zulauf ? T(menge)
                                                                    : "n.v.";
    EXPECT_EQ(akt[n], mmm + feld4 + ";" + feld5 + ";" + mmm);
  }
}

TEST(Pegelsim, SchreibtKeineProbeSolangeEineFremdeSperreBesteht) {
  TempVerz v;
  ASSERT_EQ(Sim(v, "--samples 0"), 0);
  DateiSchreiben(v / "$lock_SMP", "");
  const auto gesperrt = std::filesystem::last_write_time(v / "$lock_SMP");
  int rc = -1;
  std::thread sammler(
      [&] { rc = Sim(v, "--start '2026-12-06 10:00:00' --fast --samples 3 --seed 3"); });
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  const bool geschrieben = std::filesystem::exists(v / "20261206.SMP");
  const bool sperreUnberuehrt = std::filesystem::exists(v / "$lock_SMP") &&
                                std::filesystem::last_write_time(v / "$lock_SMP") == gesperrt;
  std::filesystem::remove(v / "$lock_SMP");
  sammler.join();
  EXPECT_FALSE(geschrieben) << "no sample while the viewer's lock exists";
  EXPECT_TRUE(sperreUnberuehrt);
  ASSERT_EQ(rc, 0);
  EXPECT_EQ(DateiLesen(v / "20261206.SMP"), DateiLesen(v / "20261206.DAT"));
  EXPECT_EQ(Zeilen(DateiLesen(v / "20261206.SMP")).size(), 3u);
}

}  // namespace
}  // namespace pegel
