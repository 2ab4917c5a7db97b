// pegelsim writes bursts of samples in real time while a headless viewer polls at its
// fastest period: every line of the day file must be entered exactly once.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>

#include "gitter.h"
#include "ini_schluessel.h"
#include "konfiguration.h"
#include "test_dienste.h"
#include "text_format.h"

namespace pegel {
namespace {

using test::DateiLesen;
using test::TempVerz;
using test::Umgebung;

int Ausfuehren(const std::string& befehl) {
  const int rc = std::system(befehl.c_str());
  return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

double Wert(std::string_view text) { return text.empty() ? 0.0 : ZahlLesen(text).value_or(0.0); }

TEST(Polling, NichtsGehtVerlorenWaehrendDerSammlerInSchuebenSchreibt) {
  // Both sides run on a clock set to noon of a fixed day, at the machine's pace, so that
  // the run never crosses midnight, whenever the test runs.
  TempVerz v;
  const std::string verz = "'" + v.pfad().string() + "'";
  const std::string sim = std::string(PEGELSIM) + " --dir " + verz;
  ASSERT_EQ(Ausfuehren(sim + " --samples 0 --params 40 > /dev/null"), 0);
  {
    // Every line must come through the sample file, none from loading the day at Start.
    IniEinstellungen ini(v / "PEGELDDE.INI", false);
    ini.Schreiben(Schluessel::Grafik_AlteDaten, false);
    ASSERT_TRUE(ini.Speichern());
  }

  int simRc = -1;
  std::thread sammler([&] {
    simRc = Ausfuehren(sim +
                       " --interval 1 --duration 62 --lines-per-sample 25 --seed 7 "
                       "--start '2026-12-06 12:00:00' > '" +
                       (v / "sim.txt").string() + "'");
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  const auto aus = v.pfad().parent_path() / (v.pfad().filename().string() + "_poll.json");
  const int pollRc = Ausfuehren(std::string(PEGELTOOL) + " poll " + verz +
                                " --passes 64 --every 1000 --start '2026-12-06 12:00:01' "
                                "--json > '" +
                                aus.string() + "'");
  sammler.join();
  ASSERT_EQ(simRc, 0);
  ASSERT_EQ(pollRc, 0);
  const nlohmann::json j = nlohmann::json::parse(DateiLesen(aus));
  std::filesystem::remove(aus);

  Umgebung u;
  u.s.NurLesen = true;
  u.s.PfadeSetzen(v.pfad());
  Initialisierung(u.s, u.d);
  ASSERT_TRUE(u.s.KonfigOK);

  std::filesystem::path dat;
  for (const auto& e : std::filesystem::directory_iterator(v.pfad())) {
    const std::string name = e.path().filename().string();
    const auto x = e.path().extension();
    EXPECT_TRUE(name[0] != '$' && x != ".TMX" && x != ".SMP") << "left behind: " << name;
    if (e.path().extension() == ".DAT") dat = e.path();
  }
  gitter tag;
  ASSERT_EQ(tag.Aufteilen(DateiLesen(dat)), gitter::Ergebnis::Ok);
  const std::size_t zeilen = tag.Zeilen();
  ASSERT_GE(zeilen, 60u * 25u);
  EXPECT_EQ(j["zeilen_gesamt"].get<std::size_t>(), zeilen);

  // The buffer holds the newest lines in time order; the statistics cover them all.
  const std::size_t puffer = static_cast<std::size_t>(u.s.Anzeige.Puffer);
  ASSERT_EQ(j["zeiten"].size(), puffer);
  for (std::size_t k = 0; k < puffer; ++k) {
    EXPECT_EQ(j["zeiten"][k], tag.Zelle(zeilen - puffer + k, 1)) << k;
  }
  ASSERT_EQ(j["parameter"].size(), 40u);
  for (int n = 1; n <= 40; ++n) {
    const auto& p = j["parameter"][static_cast<std::size_t>(n - 1)];
    for (std::size_t k = 0; k < puffer; ++k) {
      ASSERT_EQ(p["werte"][k].get<double>(), Wert(tag.Zelle(zeilen - puffer + k, n + 1)))
          << "parameter " << n << " slot " << k;
    }
    const Parameter& g = u.s.Par().at(n);
    const bool analog = g.Typ == Grafiktyp::Analog;
    // The accepted values of the day file: their count and sum, and the samples "on".
    double angenommen = 0, summe = 0, an = 0;
    for (std::size_t r = 0; r < zeilen; ++r) {
      const double w = Wert(tag.Zelle(r, static_cast<std::size_t>(n + 1)));
      if (w < g.LoLimit || w > g.UpLimit) continue;
      angenommen += 1;
      summe += w;
      if (w > 0.5) an += 1;
    }
    const double stunden = an * (u.s.Takt.DDEIntervallMs / 1000) / 3600.0;
    EXPECT_NEAR(p["Anzahl"].get<double>(), analog ? angenommen : stunden, 1e-9)
        << "parameter " << n;
    if (analog) {
      const double mittel = summe / angenommen;
      EXPECT_NEAR(p["Mittelwert"].get<double>(), mittel, 1e-9 * std::max(1.0, std::abs(mittel)))
          << "parameter " << n;
    }
  }
  for (const auto& m : j["log"]) EXPECT_EQ(m.dump().find("Fo_Main"), std::string::npos) << m;
}

TEST(Polling, PollOhneGueltigeKonfigurationStartetNicht) {
  TempVerz v;
  const auto aus = v / "poll.json";
  EXPECT_EQ(Ausfuehren(std::string(PEGELTOOL) + " poll '" + v.pfad().string() +
                       "' --passes 1 --every 0 --json > '" + aus.string() + "'"),
            1);
  const nlohmann::json j = nlohmann::json::parse(DateiLesen(aus));
  EXPECT_EQ(j["meldungen"].back(), "Fehlerhafte Konfiguration ! PegelWart wird nicht gestartet.");
  EXPECT_EQ(j["tabelle"].size(), 15u);
}

}  // namespace
}  // namespace pegel
