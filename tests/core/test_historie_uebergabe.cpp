#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cp1252.h"
#include "grafik_uebergabe.h"
#include "historie_uebergabe.h"
#include "parameter_schreiber.h"
#include "state.h"

namespace pegel {
namespace {

// A day of `zeilen` rows one second apart from 08:00:00: parameter 1 holds the row number,
// parameter 2 the row number times ten, parameter 3 a text every fifth row.
gitter Tag(int zeilen) {
  std::string text;
  for (int r = 0; r < zeilen; ++r) {
    text += "1;" + ZeitText((8 * 3600 + r) / 86400.0) + ";" + std::to_string(r) + ";" +
            std::to_string(r * 10) + ",5;" + (r % 5 == 0 ? "aus" : "7") + "\r\n";
  }
  gitter g;
  EXPECT_EQ(g.Aufteilen(std::string_view(text)), gitter::Ergebnis::Ok);
  return g;
}

Kopfdaten DreiParameter() {
  Kopfdaten k;
  k.Itemcount = 3;
  k.Par[1] = {"Pegel", Grafiktyp::Analog, 1, "m"};
  k.Par[2] = {"Zulauf", Grafiktyp::Analog, 0, "l/s"};
  k.Par[3] = {"Pumpe", Grafiktyp::Digital, 0, "an"};
  return k;
}

struct Uebergabe : ::testing::Test {
  PegelStatus s;
  Kopfdaten kopf = DreiParameter();
  Uebergabe() {
    ParameterSchreiber w(s);
    w.ItemcountSetzen(3);
    for (int i = 1; i <= 3; ++i) {
      Parameter& p = w.at(i);
      p.Itemname = "anders" + std::to_string(i);  // the header's names win
      p.GrafikRef = 2;                            // and so does its reference
      p.ColorNorm = 0x100 * i;
      p.ColorWarn = 0x10000 * i;
      p.UpWarn = 100.0 * i;
      p.LoWarn = -1.0 * i;
      p.MinSkal = 10.0 * i;
      p.MaxSkal = 20.0 * i;
    }
  }
};

TEST_F(Uebergabe, ChecksRunInOrderAndTheFirstFailureIsTheMessage) {
  const gitter tag = Tag(20);
  const std::string zweiZeilen =
      Ansi("Weniger als zwei Messwerte. Grafische Anzeige nicht möglich !");
  const std::string keiner = Ansi("Sie haben keine Parameter ausgewählt !");
  const std::string zuViele = Ansi("Sie haben mehr als 9 Grafiken ausgewählt !");
  const std::vector<int> zehn{1, 2, 3, 1, 2, 3, 1, 2, 3, 1};
  struct Fall {
    std::int32_t von, bis;
    std::vector<int> parameter;
    std::optional<std::string> meldung;
  } faelle[] = {
      {5, 5, zehn, zweiZeilen},  // one row: the row check comes before the count
      {6, 5, {1}, zweiZeilen},   // a band turned round is no span
      {INT32_MAX, INT32_MIN, {1}, zweiZeilen},
      {5, 6, {}, keiner},
      {5, 6, zehn, zuViele},
      {5, 6, {1, 2, 3, 1, 2, 3, 1, 2, 3}, std::nullopt},  // nine is the most
      {1, 20, {0}, UnbekannterParameterText(0)},
      {1, 20, {MaxItems + 1}, UnbekannterParameterText(MaxItems + 1)},
  };
  for (const auto& f : faelle) {
    const auto e = HistorienUebergabe(tag, kopf, s.Par(), f.von, f.bis, f.parameter, 0);
    EXPECT_EQ(e.Meldung, f.meldung) << f.von << ".." << f.bis;
    if (e.Meldung) {
      EXPECT_TRUE(e.Bereich.Kurven.empty());
    }
  }
}

TEST_F(Uebergabe, SpanOf300RowsGivesFifteenLabelsTwentyRowsApart) {
  const gitter tag = Tag(400);
  const TDateTime datum = DatumKodieren(2026, 12, 5);
  const auto e = HistorienUebergabe(tag, kopf, s.Par(), 51, 350, {2}, datum);
  ASSERT_FALSE(e.Meldung);
  const HistorienBereich& b = e.Bereich;
  EXPECT_EQ(b.Itemcount, 3);
  EXPECT_EQ(b.SelStart, 51);
  EXPECT_EQ(b.SelEnd, 350);
  EXPECT_EQ(b.Zeilen, 300);
  EXPECT_DOUBLE_EQ(b.Tag, datum);
  EXPECT_DOUBLE_EQ(b.PunkteProLabel, 20.0);
  ASSERT_EQ(b.Zeitlabels.size(), 15u);
  // Label n is row SelStart - 1 + 20 n of the grid (0-based), 08:00:00 + that many seconds.
  for (int n = 0; n < 15; ++n) {
    EXPECT_EQ(b.Zeitlabels[n], ZeitText((8 * 3600 + 50 + 20 * n) / 86400.0)) << n;
  }
  ASSERT_EQ(b.Kurven.size(), 1u);
  ASSERT_EQ(b.Kurven[0].Werte.size(), 300u);
  EXPECT_DOUBLE_EQ(b.Kurven[0].Werte.front(), 500.5);  // row 50
  EXPECT_DOUBLE_EQ(b.Kurven[0].Werte.back(), 3490.5);  // row 349
}

TEST_F(Uebergabe, ChartsFollowTheListOrderWithHeaderNamesAndConfiguredColours) {
  const gitter tag = Tag(17);
  kopf.Par[3].GrafikRef = 1;  // the operator's choice in the browser
  const auto e = HistorienUebergabe(tag, kopf, s.Par(), 1, 17, {3, 1}, 0);
  ASSERT_FALSE(e.Meldung);
  const HistorienBereich& b = e.Bereich;
  EXPECT_EQ(b.Zeitlabels.size(), 8u);
  EXPECT_DOUBLE_EQ(b.PunkteProLabel, 17.0 / 8.0);
  ASSERT_EQ(b.Kurven.size(), 2u);

  const HistorienKurve& pumpe = b.Kurven[0];
  EXPECT_EQ(pumpe.Parameter, 3);
  EXPECT_EQ(pumpe.Name, "Pumpe");
  EXPECT_EQ(pumpe.Einheit, "an");
  EXPECT_EQ(pumpe.Typ, 2);
  EXPECT_EQ(pumpe.Ref, 1);
  EXPECT_EQ(pumpe.Kurvenfarbe, 0x300);
  EXPECT_EQ(pumpe.Warnfarbe, 0x30000);
  EXPECT_DOUBLE_EQ(pumpe.UpWarn, 300.0);
  EXPECT_DOUBLE_EQ(pumpe.LoWarn, -3.0);
  EXPECT_DOUBLE_EQ(pumpe.MinSkal, 30.0);
  EXPECT_DOUBLE_EQ(pumpe.MaxSkal, 60.0);
  // "aus" every fifth row is no number and charts as 0.0.
  ASSERT_EQ(pumpe.Werte.size(), 17u);
  for (std::size_t j = 0; j < 17; ++j) EXPECT_DOUBLE_EQ(pumpe.Werte[j], j % 5 == 0 ? 0.0 : 7.0);

  const HistorienKurve& pegel = b.Kurven[1];
  EXPECT_EQ(pegel.Parameter, 1);
  EXPECT_EQ(pegel.Name, "Pegel");
  EXPECT_EQ(pegel.Ref, 1);
  EXPECT_EQ(pegel.Kurvenfarbe, 0x100);
  EXPECT_DOUBLE_EQ(pegel.Werte[16], 16.0);
}

TEST_F(Uebergabe, RowsBeyondTheGridChartAsZeroWithEmptyLabels) {
  // A grid shorter than the band (a day replaced underneath a stale band) is never read
  // past its end.
  const gitter tag = Tag(3);
  const auto e = HistorienUebergabe(tag, kopf, s.Par(), 2, 5, {1}, 0);
  ASSERT_FALSE(e.Meldung);
  EXPECT_EQ(e.Bereich.Kurven[0].Werte, (std::vector<double>{1.0, 2.0, 0.0, 0.0}));
  EXPECT_EQ(e.Bereich.Zeitlabels.size(), 4u);
  EXPECT_EQ(e.Bereich.Zeitlabels[3], "");
}

TEST(SpaltenWerteMehrerer, EachParameterAsItsOwnColumnWouldRead) {
  // Read row by row for all parameters, the values must be those of each column alone: in
  // the grid, across its end, with a text cell, a column the lines do not have, a number
  // below 1 and a parameter asked for twice.
  const gitter tag = Tag(12);
  const std::vector<int> parameter{2, 3, 1, 5, 2, -1, 0};
  struct Band {
    std::int32_t erste, zeilen;
  };
  for (const Band b :
       {Band{1, 12}, Band{4, 3}, Band{10, 6}, Band{13, 2}, Band{-2, 5}, Band{1, 0}}) {
    SCOPED_TRACE("ab " + std::to_string(b.erste) + ", " + std::to_string(b.zeilen) + " Zeilen");
    const auto alle = SpaltenWerte(tag, parameter, b.erste, b.zeilen);
    ASSERT_EQ(alle.size(), parameter.size());
    for (std::size_t k = 0; k < parameter.size(); ++k) {
      EXPECT_EQ(alle[k], SpaltenWerte(tag, parameter[k], b.erste, b.zeilen)) << parameter[k];
    }
  }
}

}  // namespace
}  // namespace pegel
