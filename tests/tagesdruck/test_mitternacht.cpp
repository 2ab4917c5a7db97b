// The daily print at midnight, in the viewer's polling: the collector stand-in writes samples
// across midnight, the viewer's clock crosses it, and the crossing pass prints yesterday's
// marked groups before it enters its own samples.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "anlage_dateien.h"
#include "gruppen_druck.h"
#include "konfiguration.h"
#include "test_dienste.h"
#include "test_senke.h"
#include "text_format.h"
#include "viewer.h"

namespace pegel::tagesdruck {
namespace {

int Ausfuehren(const std::string& befehl) {
  const int rc = std::system(befehl.c_str());
  return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

TEST(Mitternacht, DerUeberquerendeDurchlaufDrucktJedeMarkierteGruppeUndVerliertNichts) {
  test::Umgebung u;
  const auto sim = [&u](const std::string& start, int proben) {
    return Ausfuehren(std::string(PEGELSIM) + " --dir " + u.verz.pfad().string() +
                      " --params 6 --start \"" + start + "\" --fast --samples " +
                      std::to_string(proben) + " --seed 3 > /dev/null");
  };
  test::DateiSchreiben(u.s.Pfade.GruppenDatei,
                       test::GruppenSatz(756, {2, 3}, "Zulauf", true) +
                           test::GruppenSatz(756, {1}, "Aus", false) +
                           test::GruppenSatz(756, {1, 2, 3}, "Alles", true));
  TestSenke drucker, archiv;
  Tagesdruck druck(&drucker, &archiv);
  const TDateTime tag = DatumKodieren(2026, 12, 6);
  const auto uhr = [&](int h, int m, double s) { return (h * 3600 + m * 60 + s) / 86400; };

  // The collector's first 15 samples of the day's last 30 seconds; the viewer starts with them.
  ASSERT_EQ(sim("2026-12-06 23:59:30", 15), 0);
  u.uhr.jetzt = tag + uhr(23, 59, 45);
  ErstesZeigen(u.s, u.d);
  ASSERT_TRUE(u.s.KonfigOK);
  u.s.Druck.DruckerNr = 0;
  u.s.Druck.DruckerName = "PDF";
  Viewer v(u.s, u.d, &druck);
  v.Starten();
  // The rest of the day, and 30 samples after midnight.
  ASSERT_EQ(sim("2026-12-06 23:59:45", 45), 0);
  u.uhr.jetzt = tag + uhr(23, 59, 59.5);
  v.TimerSampleTimer();
  ASSERT_EQ(u.s.Abfrage.Durchlaeufe, 1);
  ASSERT_TRUE(drucker.seiten.empty());
  const std::int64_t vorher = v.Abfrage().ZeilenGesamt();
  // The flow's sum of the day so far, as the collector's current values give it.
  const double aktMax = 12.5;
  u.s.Sammler.AktMax.at(2) = aktMax;

  u.uhr.jetzt = tag + 1 + uhr(0, 0, 31);
  v.TimerSampleTimer();
  EXPECT_EQ(drucker.Gruppen(), (std::vector<std::string>{"Zulauf", "Alles"}));
  EXPECT_EQ(archiv.Gruppen(), drucker.Gruppen());
  ASSERT_EQ(drucker.seiten.size(), 2u);
  const auto& erste = drucker.seiten[0].canvas;
  EXPECT_TRUE(erste.HatText("Daten vom : 06.12.2026"));
  EXPECT_TRUE(erste.HatText("Anzahl=30")) << "the whole stored day";
  EXPECT_TRUE(erste.HatText("Summe=12,5")) << "the day's sum, on the first page only";
  EXPECT_FALSE(drucker.seiten[1].canvas.HatText("Summe="));
  EXPECT_NE(u.s.Sammler.AktMax.at(2), aktMax) << "reset at the change of day";
  EXPECT_EQ(archiv.seiten[0].auftrag.datei,
            u.s.Pfade.ProgDir / "Druckarchiv" / "20261206_Zulauf.pdf");
  // The crossing pass entered its 30 samples of the new day.
  EXPECT_EQ(v.Abfrage().ZeilenGesamt(), vorher + 30);
  EXPECT_EQ(u.s.Statistik.at(1).Anzahl, 30);
  EXPECT_FALSE(u.Geloggt(Ansi("Ausdruck nicht möglich !")));

  v.TimerSampleTimer();  // the same day: no second print
  EXPECT_EQ(drucker.seiten.size(), 2u);
}

}  // namespace
}  // namespace pegel::tagesdruck
