#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "abschnitte.h"
#include "cp1252.h"
#include "grafik_uebergabe.h"
#include "spannen_wahl.h"

namespace pegel {
namespace {

// Rows at the given seconds of the day, one value each: the row number.
gitter Tag(const std::vector<int>& sekunden) {
  std::string t;
  for (std::size_t r = 0; r < sekunden.size(); ++r) {
    t += "1;" + ZeitText(sekunden[r] / 86400.0) + ";" + std::to_string(r) + "\n";
  }
  gitter g;
  g.Aufteilen(t);
  return g;
}

std::vector<int> Sekunden(int anzahl, int ab = 0) {
  std::vector<int> s;
  for (int i = 0; i < anzahl; ++i) s.push_back(ab + i);
  return s;
}

void BandGespiegelt(const SpannenWahl& w) {
  EXPECT_EQ(w.tb1().SelStart, w.tb1().Position);
  EXPECT_EQ(w.tb2().SelStart, w.tb1().Position);
  EXPECT_EQ(w.tb1().SelEnd, w.tb2().Position);
  EXPECT_EQ(w.tb2().SelEnd, w.tb2().Position);
}

TEST(SpannenWahl, OneBarMovedPastTheOtherPushesItAndTheBandFollows) {
  const gitter g = Tag(Sekunden(10, 3600));
  SpannenWahl w;
  w.Laden(g, 10, AbschnitteFinden(g, 1000));
  EXPECT_EQ(w.lbT2(), "01:00:09");
  w.tb1Verschieben(7);
  w.tb2Verschieben(3);  // tb1 is pushed back with it
  EXPECT_EQ(w.tb1().Position, 3);
  EXPECT_EQ(w.lbT1(), "01:00:02");
  EXPECT_EQ(w.lbT2(), "01:00:02");
  BandGespiegelt(w);
  w.tb1Verschieben(12);  // clamped to the range, and tb2 is pushed
  EXPECT_EQ(w.ErsteZeile(), 10);
  EXPECT_EQ(w.LetzteZeile(), 10);
  BandGespiegelt(w);
}

TEST(SpannenWahl, ChoosingAStretchWidensToTheDayFirstThenNarrows) {
  // Stretches: rows 0-2, 3-5 and 6-9.
  const gitter g = Tag({0, 1, 2, 100, 101, 102, 200, 201, 202, 203});
  const Abschnitte a = AbschnitteFinden(g, 1000);
  ASSERT_EQ(a.cbIntervalle.size(), 4u);
  SpannenWahl w;
  w.Laden(g, 10, a);

  struct Schritt {
    std::size_t k;
    std::int32_t min, max;
    const char *t1, *t2;
  };
  // From the last stretch to the first: its minimum lies above the first one's maximum,
  // which a bar would refuse without widening first.
  const Schritt schritte[] = {{3, 7, 10, "00:03:20", "00:03:23"},
                              {1, 1, 3, "00:00:00", "00:00:02"},
                              {2, 4, 6, "00:01:40", "00:01:42"},
                              {0, 1, 10, "00:00:00", "00:03:23"}};
  for (const auto& s : schritte) {
    w.cbIntervalleChange(s.k);
    for (const Spurbalken* b : {&w.tb1(), &w.tb2()}) {
      EXPECT_EQ(b->Min, s.min) << s.k;
      EXPECT_EQ(b->Max, s.max) << s.k;
    }
    EXPECT_EQ(w.tb1().Position, s.min);
    EXPECT_EQ(w.tb2().Position, s.max);
    EXPECT_EQ(w.lbT1(), s.t1);
    EXPECT_EQ(w.lbT2(), s.t2);
    EXPECT_EQ(w.Intervall(), s.k);
    BandGespiegelt(w);
  }
  w.cbIntervalleChange(4);  // no such entry
  EXPECT_EQ(w.Intervall(), 0u);
}

TEST(ZeitTeilung, AtMostSixteenLabelsAtLeastOneRowApart) {
  struct Fall {
    std::int32_t zeilen, labels;
    double schritt;
  };
  const Fall faelle[] = {{300, 15, 300.0 / 15},
                         {17, 8, 17.0 / 8},
                         {10, 10, 1.0},
                         {1440, 16, 1440.0 / 16},
                         {16, 16, 1.0},
                         {86400, 16, 5400.0},
                         {1, 1, 1.0},
                         {33, 11, 33.0 / 11},
                         {0, 0, 1.0}};
  for (const auto& f : faelle) {
    const Zeitteilung t = ZeitTeilung(f.zeilen);
    EXPECT_EQ(t.labels, f.labels) << f.zeilen;
    EXPECT_DOUBLE_EQ(t.schritt, f.schritt) << f.zeilen;
  }
}

TEST(Zeitlabels, LabelNAtTheFirstRowPastTruncOfNTimesStep) {
  const gitter g = Tag(Sekunden(400));
  // 17 rows from row 5: step 2.125 puts labels at span rows 0, 2, 4, ..., 14.
  const auto l17 = Zeitlabels(g, 5, 17, ZeitTeilung(17));
  std::vector<std::string> erwartet;
  for (int j = 0; j <= 14; j += 2) erwartet.push_back(ZeitText((4 + j) / 86400.0));
  EXPECT_EQ(l17, erwartet);

  const auto l300 = Zeitlabels(g, 1, 300, ZeitTeilung(300));
  ASSERT_EQ(l300.size(), 15u);
  EXPECT_EQ(l300[14], ZeitText(14 * 20 / 86400.0));

  EXPECT_EQ(Zeitlabels(g, 399, 10, ZeitTeilung(10)).back(), "");  // beyond the grid
}

TEST(SpaltenWerte, ACellThatDoesNotConvertGivesZero) {
  gitter g;
  g.Aufteilen(std::string_view("1;00:00:00;1,5;x\n1;00:00:01;-2;3,25\n1;00:00:02;1.5\n"));
  EXPECT_EQ(SpaltenWerte(g, 1, 1, 3), (std::vector<double>{1.5, -2.0, 0.0}));
  EXPECT_EQ(SpaltenWerte(g, 2, 2, 3), (std::vector<double>{3.25, 0.0, 0.0}));
}

TEST(GrafikUebergabe, RefusedWithTheMessageOfTheFirstFailingCheck) {
  const std::pair<std::pair<std::int32_t, std::size_t>, std::optional<std::string>> faelle[] = {
      {{1, 0}, Ansi("Weniger als zwei Messwerte. Grafische Anzeige nicht möglich !")},
      {{2, 0}, Ansi("Sie haben keine Parameter ausgewählt !")},
      {{2, 10}, Ansi("Sie haben mehr als 9 Grafiken ausgewählt !")},
      {{2, 9}, std::nullopt}};
  for (const auto& [eingabe, meldung] : faelle) {
    EXPECT_EQ(GrafikUebergabePruefen(eingabe.first, eingabe.second), meldung);
  }
}

}  // namespace
}  // namespace pegel
