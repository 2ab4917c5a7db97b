#include <gtest/gtest.h>

#include "hilfen.h"
#include "puffer.h"
#include "test_dienste.h"

namespace pegel {
namespace {

using test::Umgebung;

TEST(Puffer, AnlegenRefusesBadSizesAndFillsNoValue) {
  WertSpeicher p(3, std::vector<double>(2, 1.0));
  for (int n : {0, 181, -4}) EXPECT_EQ(PufferAnlegen(n, p), -1) << n;
  EXPECT_EQ(p.size(), 3u);  // unchanged after a refusal
  EXPECT_EQ(PufferAnlegen(180, p), 179);
  ASSERT_EQ(PufferAnlegen(2, p), 1);
  EXPECT_EQ(SpalteAnlegen(1, 60, p), 60);
  p[1][3] = 5.0;
  EXPECT_EQ(SpalteAnlegen(1, 61, p), 61);  // old slots are NoValue again
  EXPECT_EQ(p[1], std::vector<double>(61, NoValue));
  EXPECT_EQ(SpalteAnlegen(2, 10, p), -1);
  EXPECT_EQ(SpalteAnlegen(-1, 10, p), -1);
  EXPECT_EQ(SpalteAnlegen(0, -1, p), -1);
  EXPECT_EQ(PufferFreigeben(p), 0);
  EXPECT_TRUE(p.empty());
}

// With 4 slots the counter runs 5, 6, 7, 8, 5: the newest slot wraps to 0 and the time order
// starts after it.
TEST(Ring, TheNewestSlotWrapsAndTheTimeOrderStartsAfterIt) {
  Ringpuffer r;
  ASSERT_EQ(r.ZeilenAnlegen(1), 0);
  ASSERT_EQ(r.SpalteAnlegen(0, 4), 4);
  ASSERT_TRUE(r.ZeitenAnlegen(4));
  EXPECT_TRUE(r.Leer());
  EXPECT_EQ(r.NeuesterSlot(), -1);
  EXPECT_EQ(r.SlotsInZeitfolge(), (std::vector<std::size_t>{0, 1, 2, 3}));
  std::vector<std::int32_t> neueste;
  for (int i = 0; i < 5; ++i) {
    r.Weiterschalten();
    r.WertEintragen(1, i);
    neueste.push_back(r.NeuesterSlot());
  }
  EXPECT_EQ(neueste, (std::vector<std::int32_t>{0, 1, 2, 3, 0}));
  EXPECT_EQ(r.Zeile(1), (std::vector<double>{4, 1, 2, 3}));
  EXPECT_EQ(r.SlotsInZeitfolge(), (std::vector<std::size_t>{1, 2, 3, 0}));
  r.Leeren();
  EXPECT_TRUE(r.Leer());
  EXPECT_THROW(r.WertEintragen(1, 9), std::out_of_range) << "no newest slot while empty";
  EXPECT_THROW(r.Zeile(2), std::out_of_range);
}

TEST(Puffer, EinrichtenAndResetLeaveMittelwert) {
  Umgebung u;
  test::ItemcountSetzen(u.s, 3);
  u.s.Anzeige.Puffer = 60;
  u.s.Statistik.at(2).Mittelwert = 7.5;
  u.s.Statistik.at(2).Anzahl = 4;
  u.s.Sammler.AktMax[2] = 12;
  PufferEinrichten(u.s, u.d);
  EXPECT_TRUE(u.meldungen.gezeigt.empty());
  ASSERT_EQ(test::Werte(u.s).size(), 3u);
  EXPECT_EQ(test::Zeiten(u.s).size(), 60u);
  EXPECT_EQ(test::Werte(u.s)[2][59], NoValue);
  const TagesStatistik& w = u.s.Statistik.at(2);
  EXPECT_EQ((std::vector<double>{double(w.Anzahl), w.Minimum, w.Maximum, w.Mittelwert,
                                 u.s.Sammler.AktMax[2]}),
            (std::vector<double>{0, 99999.0, -99999.0, 7.5, -1.0}));

  test::ItemcountSetzen(u.s, 0);  // without parameters
  PufferEinrichten(u.s, u.d);
  EXPECT_EQ(u.meldungen.gezeigt,
            std::vector<std::string>{"DDE-Speicher(1) kann nicht initialisiert werden !"});
}

TEST(Puffer, ResetOfAnUnallocatedRowIsLoggedAndTheNextGoesOn) {
  Umgebung u;
  u.s.Anzeige.Puffer = 10;
  ASSERT_EQ(PufferAnlegen(1, test::Werte(u.s)), 0);
  ASSERT_EQ(SpalteAnlegen(0, 10, test::Werte(u.s)), 10);
  EXPECT_FALSE(StatistikZuruecksetzen(u.s, 2, u.log, "Fehler bei der Puffer-Initialisierung !"));
  EXPECT_TRUE(StatistikZuruecksetzen(u.s, 1, u.log, "x"));
  EXPECT_FALSE(StatistikZuruecksetzen(u.s, 181, u.log, "y"));
  EXPECT_EQ(u.Log(), (std::vector<std::string>{"Fehler bei der Puffer-Initialisierung !", "y"}));
}

// Day files are named with zeros, the temporary name has none.
TEST(Hilfen, DateiNamen) {
  EXPECT_EQ(DatumZuDateiname(DatumKodieren(2027, 1, 1) + 0.99), "20270101");
  test::TestClock uhr;
  uhr.jetzt = DatumKodieren(2026, 12, 5) + ZeitKodieren(16, 11, 2, 345);
  EXPECT_EQ(TempName("/p", uhr), std::filesystem::path("/p") / "$12516112.345");
  uhr.jetzt = DatumKodieren(2026, 1, 9) + ZeitKodieren(0, 0, 0, 5);
  EXPECT_EQ(TempName("/p", uhr).filename(), "$19000.5");
}

TEST(Hilfen, DelaySurvivesTheTickWrap) {
  test::TestClock uhr;
  uhr.ticks = 0xFFFFFFF0u;
  uhr.schritt = 7;
  Delay(uhr, 100);
  EXPECT_GE(static_cast<std::uint32_t>(uhr.ticks - 0xFFFFFFF0u), 100u);
  EXPECT_LT(static_cast<std::uint32_t>(uhr.ticks - 0xFFFFFFF0u), 107u);
}

}  // namespace
}  // namespace pegel
