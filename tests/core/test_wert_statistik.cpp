#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "cp1252.h"
#include "text_format.h"
#include "wert_statistik.h"
#include "werte_hilfen.h"

namespace pegel {
namespace {

using test::WerteTag;

// Column k of the result grid as UTF-8, rows 0..8.
std::vector<std::string> Spalte(const StatistikErgebnis& e, std::size_t k) {
  std::vector<std::string> s;
  for (const auto& zeile : e.grStat) s.push_back(Cp1252ZuUtf8(zeile.at(k)));
  return s;
}

std::vector<std::string> Utf8(const std::vector<std::string>& ansi) {
  std::vector<std::string> u;
  for (const auto& a : ansi) u.push_back(Cp1252ZuUtf8(a));
  return u;
}

TEST(WertStatistik, RateInCubicMetresPerHourIntegratesBackwardsOverEachRowsMinute) {
  WerteTag t({"08:00:00;2", "08:01:00;5", "08:02:00;5", "08:03:00;1"}, {"Zulauf  [m³/h]"});
  const auto e = btStatistikClick(t.tabelle, "08:00:00", "08:03:00", 12, 5);
  EXPECT_TRUE(e.meldungen.empty());
  EXPECT_EQ(e.lbDiff, "00:03:00");
  EXPECT_EQ(Spalte(e, 0),
            (std::vector<std::string>{"", "Minimum", "t-Min.", "Maximum", "t-Max.", "Mittelwert",
                                      "Anzahl", "Arithm.Summe", "Integralsumme"}));
  // The first row adds nothing: its time is the span's beginning.
  EXPECT_NEAR(e.spalten.at(0).Integral, (5 * 60 + 5 * 60 + 1 * 60) / 3600.0, 1e-12);
  EXPECT_EQ(Spalte(e, 1),
            (std::vector<std::string>{"Zulauf  [m³/h]", "1,00000", "08:03:00", "5,00000",
                                      "08:01:00", "3,25000", "4", "13,00000", "0,18333  m³"}));
}

TEST(WertStatistik, UnitTitleGivesTimeUnitAndQuantityForEveryColumnBeyondNine) {
  const std::vector<std::string> titel = {
      "Pegel  [m]",           "Zulauf  [m³/Std]",       "Zulauf  [l/Stunde]",
      "Zulauf  [Liter/Std.]",  // "]" is the 11th character
      "Zulauf  [m³/min]",     "Zulauf  [l/s]",          "Zulauf  [m³/d]",
      "Zulauf  [m³/Tag]",     "Zulauf  [Kubikmeter/h]",  // longer than 10: no unit
      "Pumpe [A]  [m³/h]",    "Rücklauf  [m³/h]"};
  // One hour after the first row, whose time is the span's beginning: each value counts
  // 3600 s, divided by its time unit.
  WerteTag t(
      {"08:00:00;24;24;24;24;24;24;24;24;24;24;-3", "09:00:00;24;24;24;24;24;24;24;24;24;24;-3"},
      titel);
  const auto e = btStatistikClick(t.tabelle, "08:00:00", "09:00:00", 12, 3);
  ASSERT_TRUE(e.meldungen.empty());
  EXPECT_EQ(Utf8(e.grStat.at(8)),
            (std::vector<std::string>{"Integralsumme", "----------", "24,000  m³", "24,000  l",
                                      "24,000  Liter", "1440,000  m³", "86400,000  l", "1,000  m³",
                                      "1,000  m³", "----------", "24,000  m³",
                                      "----------"}));  // only a positive integral is shown
  EXPECT_EQ(Utf8(e.grStat.at(0)).back(), titel.back());
  EXPECT_EQ(e.spalten.at(10).Summe, -6);
}

TEST(WertStatistik, RowBeforeTheSpanSetsTheGapAndTheFirstRowAfterItEndsTheReading) {
  WerteTag t({"07:58:00;100", "08:01:00;6", "08:02:00;6", "08:05:00;100", "08:02:30;6"},
             {"Zulauf  [m³/h]"});
  const auto e = btStatistikClick(t.tabelle, "08:00:00", "08:03:00", 12, 3);
  ASSERT_TRUE(e.meldungen.empty());
  EXPECT_EQ(e.anzahl, 2);  // 08:02:30 lies behind the row that ended the reading
  EXPECT_EQ(e.spalten.at(0).Summe, 12);
  // 08:01:00 counts back to 07:58:00, not to the span's beginning.
  EXPECT_NEAR(e.spalten.at(0).Integral, 6 * 180 / 3600.0 + 6 * 60 / 3600.0, 1e-12);
}

TEST(WertStatistik, SpanWithoutRowsOrWithBadTimesGivesMessagesInsteadOfValues) {
  WerteTag t({"08:00:00;1", "08:01:00;2"}, {"A  [m]", "B  [m]"});

  auto e = btStatistikClick(t.tabelle, "10:00:00", "09:00:00", 12, 3);
  EXPECT_EQ(Utf8(e.meldungen),
            std::vector<std::string>{"Keine Daten im ausgewählten Zeitraum gefunden !"});
  EXPECT_EQ(e.lbDiff, "-01:00:00");
  EXPECT_TRUE(e.spalten.empty());
  // Titles and labels, but no values that could be taken for this span's.
  EXPECT_EQ(Spalte(e, 2), (std::vector<std::string>{"B  [m]", "", "", "", "", "", "", "", ""}));

  for (const auto& [start, stop] : {std::pair{"8 Uhr", "09:00:00"}, {"08:00:00", "25:00:00"}}) {
    e = btStatistikClick(t.tabelle, start, stop, 12, 3);
    EXPECT_EQ(e.meldungen, std::vector<std::string>{"Falsches Zeitformat !"});
    EXPECT_TRUE(e.grStat.empty() && e.lbDiff.empty());  // grStat and lbDiff stay as they are
  }
}

TEST(WertStatistik, BadCellDropsItsWholeRowFromEveryColumnAndEndsTheReading) {
  struct Fall {
    std::vector<std::string> zeilen;
    std::vector<std::string> meldungen;
    std::int64_t anzahl;
  };
  const Fall faelle[] = {
      // An empty value in the middle column of row 3: row 3 counts in no column.
      {{"08:00:00;1;10;100", "08:01:00;2;20;200", "08:02:00;4;;400", "08:03:00;8;80;800"},
       {"Falsches Zeitformat in Zeile 3 !"},
       2},
      {{"08:00:00;1;10;100", "08:01:00;2;20;200", "8h02;4;40;400"},
       {"Falsches Zeitformat in Zeile 3 !"},
       2},
      {{"08:00:00;1;10;x"},
       {"Falsches Zeitformat in Zeile 1 !", "Keine Daten im ausgewählten Zeitraum gefunden !"},
       0},
  };
  for (const auto& f : faelle) {
    WerteTag t(f.zeilen, {"A  [m³/h]", "B  [m³/h]", "C  [m³/h]"});
    const auto e = btStatistikClick(t.tabelle, "08:00:00", "09:00:00", 12, 3);
    EXPECT_EQ(Utf8(e.meldungen), f.meldungen);
    EXPECT_EQ(e.anzahl, f.anzahl);
    if (f.anzahl == 2) {
      EXPECT_EQ(e.spalten.at(0).Summe, 1 + 2);
      EXPECT_EQ(e.spalten.at(2).Summe, 100 + 200);
      EXPECT_EQ(e.spalten.at(2).Max, 200);
      EXPECT_NEAR(e.spalten.at(0).Integral, 2 * 60 / 3600.0, 1e-12);
    }
  }
}

TEST(WertStatistik, FirstValueStartsMinimumAndMaximumWhateverItsSize) {
  WerteTag t({"08:00:00;12345678;-20000000", "08:01:00;12345679;-20000000"},
             {"Zähler  [m³]", "Tief  [m]"});
  const auto e = btStatistikClick(t.tabelle, "08:00:00", "08:01:00", 12, 0);
  ASSERT_TRUE(e.meldungen.empty());
  EXPECT_EQ(Spalte(e, 1).at(1), "12345678");
  EXPECT_EQ(Spalte(e, 1).at(2), "08:00:00");
  EXPECT_EQ(Spalte(e, 2).at(3), "-20000000");
  EXPECT_EQ(Spalte(e, 2).at(4), "08:00:00");  // equal values: the first row keeps it
}

// Chosen parameters need not be neighbours in the day's lines, nor in their order.
TEST(WertStatistik, ColumnsInAnyOrderOfTheFieldsGiveEachFieldsResult) {
  WerteTag t({"08:00:00;1;10;100;1000", "08:01:00;2;20;2E2;2000", "08:02:00;3;30;300;3000"},
             {"A  [m]", "B  [m]", "C  [m]", "D  [m]"});
  const auto gerade = btStatistikClick(t.tabelle, "08:00:00", "09:00:00", 12, 3);
  const std::vector<std::size_t> auswahl = {5, 3, 4, 4, 2};  // fields: D, B, C, C, A
  std::vector<WerteSpalte> spalten;
  for (const std::size_t f : auswahl) spalten.push_back({f, "X  [m]"});
  const WerteTabelle tabelle(t.tag, 0, 3, spalten);
  const auto e = btStatistikClick(tabelle, "08:00:00", "09:00:00", 12, 3);
  ASSERT_EQ(e.spalten.size(), auswahl.size());
  for (std::size_t k = 0; k < auswahl.size(); ++k) {
    EXPECT_EQ(e.spalten[k].Summe, gerade.spalten.at(auswahl[k] - 2).Summe) << k;
    EXPECT_EQ(e.spalten[k].Max, gerade.spalten.at(auswahl[k] - 2).Max) << k;
  }
  EXPECT_EQ(e.spalten[2].Summe, 100 + 200 + 300);  // "2E2" through the general path
}

// The columns of a large span are computed in blocks on several threads; a bad cell in
// one block must end the reading for all of them, as on one thread.
TEST(WertStatistik, ColumnBlocksGiveTheResultOfOneBlockToTheBit) {
  std::mt19937_64 zufall(12);
  const std::vector<std::string> werte = {"12,5", "-3", "0", "1,5E2", " 7 ", "+0,25", "99999,99"};
  for (int fall = 0; fall < 30; ++fall) {
    std::vector<std::string> zeilen;
    for (int r = 0; r < 120; ++r) {
      std::string z = ZeitText(ZeitKodieren(8, r / 60, r % 60));
      for (int k = 0; k < 9; ++k) {
        // Now and then a cell that does not convert, in any column.
        z += ";" + (zufall() % 400 == 0 ? std::string(zufall() % 2 ? "x" : "")
                                        : werte[zufall() % werte.size()]);
      }
      zeilen.push_back(z);
    }
    WerteTag t(zeilen, {"A  [m³/h]", "B  [m]", "C  [l/s]", "D  [m³/min]", "E  [m]", "F  [m³/h]",
                        "G  [-]", "H  [m³/d]", "I  [m³/h]"});
    const auto eins = btStatistikClick(t.tabelle, "08:00:05", "08:01:40", 12, 3, 1);
    for (const std::size_t bloecke : {2u, 4u, 9u, 30u}) {
      const auto mehr = btStatistikClick(t.tabelle, "08:00:05", "08:01:40", 12, 3, bloecke);
      EXPECT_EQ(mehr.meldungen, eins.meldungen) << fall;
      EXPECT_EQ(mehr.anzahl, eins.anzahl) << fall;
      EXPECT_EQ(mehr.grStat, eins.grStat) << fall;
      ASSERT_EQ(mehr.spalten.size(), eins.spalten.size());
      for (std::size_t k = 0; k < eins.spalten.size(); ++k) {
        const auto& a = eins.spalten[k];
        const auto& b = mehr.spalten[k];
        EXPECT_TRUE(a.Summe == b.Summe && a.Integral == b.Integral && a.Min == b.Min &&
                    a.Max == b.Max && a.tMin == b.tMin && a.tMax == b.tMax)
            << fall << "/" << k;
      }
    }
  }
}

}  // namespace
}  // namespace pegel
