#include <gtest/gtest.h>

#include <limits>

#include "cp1252.h"
#include "text_format.h"

namespace pegel {
namespace {

TEST(ZahlLesen, DecimalCommaOnlyPointToo) {
  for (const auto& [text, wert] :
       {std::pair{"  -0,25\t", -0.25}, {"+7", 7.0}, {"1,5E3", 1500.0}, {"2e-2", 0.02}}) {
    EXPECT_DOUBLE_EQ(ZahlLesen(text).value_or(-1), wert) << text;
  }
  for (const char* t : {"", "   ", "12.5", "1.000,5", "abc", "1,2,3", "1e", "--1", "1 2", ",",
                        "nan", "inf", "1e999", "12a", "0x10"}) {
    EXPECT_FALSE(ZahlLesen(t).has_value()) << t;
  }
  EXPECT_DOUBLE_EQ(*ZahlLesenPunktKomma("12.5"), 12.5);
  EXPECT_DOUBLE_EQ(*ZahlLesenPunktKomma(" -1000,0 "), -1000.0);
  EXPECT_FALSE(ZahlLesenPunktKomma("1.000,5").has_value());
  EXPECT_FALSE(ZahlLesenPunktKomma(std::string(10000, '1')).has_value());
}

TEST(GanzzahlLesen, RangeAndBlanks) {
  EXPECT_EQ(*GanzzahlLesen(" -42 "), -42);
  EXPECT_EQ(*GanzzahlLesen("2147483647"), 2147483647);
  for (const char* t : {"2147483648", "12,0", "+-3", ""}) EXPECT_FALSE(GanzzahlLesen(t)) << t;
  EXPECT_EQ(*GanzzahlAmAnfang("2 digital"), 2);
  EXPECT_EQ(*GanzzahlAmAnfang("  -1x"), -1);
  EXPECT_FALSE(GanzzahlAmAnfang("x1").has_value());
  EXPECT_FALSE(GanzzahlAmAnfang("99999999999 Punkte").has_value());
}

// Significant digits, the exponent form beyond them, ties to even, no "-0", non-finite.
TEST(FestFormat, Table) {
  struct Fall {
    double v;
    int p, d;
    const char* text;
  };
  const Fall faelle[] = {
      {1234567.891, 7, 2, "1234568,00"},
      {-0.125, 7, 3, "-0,125"},
      {42.0, 7, 0, "42"},
      {0.000123456789, 4, 8, "0,00012350"},
      {123456789.0, 7, 2, "1,234568E8"},
      {-100000000.0, 7, 2, "-1E8"},
      {9999999.6, 7, 2, "1E7"},
      {9999999.4, 7, 2, "9999999,00"},
      {0.125, 7, 2, "0,12"},
      {0.375, 7, 2, "0,38"},
      {2.5, 7, 0, "2"},
      {3.5, 7, 0, "4"},
      {-2.5, 7, 0, "-2"},
      {-0.004, 7, 2, "0,00"},
      {1234568.5, 7, 2, "1234568,00"},
      {1e300, 12, 2, "1E300"},
      {5e-324, 7, 2, "0,00"},
      {std::numeric_limits<double>::quiet_NaN(), 7, 2, "NAN"},
      {-std::numeric_limits<double>::infinity(), 7, 2, "-INF"},
  };
  for (const auto& f : faelle) EXPECT_EQ(FestFormat(f.v, f.p, f.d), f.text) << f.v;
  EXPECT_EQ(FestFormat(1.5, 255, 255).substr(0, 4), "1,50");
}

TEST(Datum, EncodeDecodeAndTexts) {
  const TDateTime t = DatumKodieren(2026, 3, 1) + ZeitKodieren(9, 5, 3, 7);
  EXPECT_DOUBLE_EQ(DatumKodieren(2026, 12, 6), 46362.0);
  EXPECT_THROW(DatumKodieren(2026, 2, 29), std::out_of_range);
  EXPECT_NO_THROW(DatumKodieren(2024, 2, 29));
  EXPECT_THROW(ZeitKodieren(24, 0, 0), std::out_of_range);
  EXPECT_EQ(DatumZeitText(t), "01.03.2026 09:05:03");
  EXPECT_EQ(LogDateiStempel(t), Ansi("01.Mär.26, 09:05:03"));
  EXPECT_EQ(MemoStempel(t), "01.03.,09:05:03:007");
  EXPECT_EQ(LangesDatum(DatumKodieren(2026, 12, 6)), "Sonntag, 6. Dezember 2026");
  EXPECT_EQ(LangesDatum(DatumKodieren(2026, 3, 4)), Ansi("Mittwoch, 4. März 2026"));
  EXPECT_EQ(KurzerMonatsname(13), "");
  EXPECT_EQ(Wochentag(DatumKodieren(2026, 12, 5)), 7);  // Saturday
  // A time that rounds to midnight belongs to the next day.
  const TDateTime spaet = DatumKodieren(2026, 12, 31) + 0.9999999999;
  EXPECT_EQ(DatumText(spaet) + " " + ZeitText(spaet), "01.01.2027 00:00:00");
}

TEST(Datum, ParseTimeAndDate) {
  EXPECT_DOUBLE_EQ(*ZeitLesen("10:15:00"), ZeitKodieren(10, 15, 0));
  EXPECT_DOUBLE_EQ(*ZeitLesen(" 8:05 "), ZeitKodieren(8, 5, 0));
  for (const char* t : {"", "24:00:00", "10:60:00", "10:15:60", "10-15-00", "10:15:00x", "abc",
                        "1:2:3:4", "100:00:00"}) {
    EXPECT_FALSE(ZeitLesen(t).has_value()) << t;
  }
  EXPECT_DOUBLE_EQ(*DatumLesen("6.1.2026"), DatumKodieren(2026, 1, 6));
  EXPECT_FALSE(DatumLesen("31.02.2026").has_value());
  EXPECT_FALSE(DatumLesen("06.12.26").has_value());
}

}  // namespace
}  // namespace pegel
