#include "text_format.h"

#include <gtest/gtest.h>

#include "cp1252.h"

namespace pegel {
namespace {

TEST(ZahlLesen, DecimalCommaAndBlanks) {
  EXPECT_DOUBLE_EQ(*ZahlLesen("12,5"), 12.5);
  EXPECT_DOUBLE_EQ(*ZahlLesen("  -0,25\t"), -0.25);
  EXPECT_DOUBLE_EQ(*ZahlLesen("+7"), 7.0);
  EXPECT_DOUBLE_EQ(*ZahlLesen("1,5E3"), 1500.0);
  EXPECT_DOUBLE_EQ(*ZahlLesen("2e-2"), 0.02);
}

TEST(ZahlLesen, RejectsWhatIsNoNumber) {
  for (const char* t : {"", "   ", "12.5", "1.000,5", "abc", "1,2,3", "1e", "--1", "1 2", ",",
                        "nan", "inf", "1e999", "12a", "0x10"}) {
    EXPECT_FALSE(ZahlLesen(t).has_value()) << t;
  }
}

TEST(ZahlLesen, PointAndCommaWhereBothAreAccepted) {
  EXPECT_DOUBLE_EQ(*ZahlLesenPunktKomma("12.5"), 12.5);
  EXPECT_DOUBLE_EQ(*ZahlLesenPunktKomma("12,5"), 12.5);
  EXPECT_DOUBLE_EQ(*ZahlLesenPunktKomma(" -1000.0 "), -1000.0);
  EXPECT_FALSE(ZahlLesenPunktKomma("1.000,5").has_value());
  EXPECT_FALSE(ZahlLesenPunktKomma(std::string(10000, '1')).has_value());
}

TEST(GanzzahlLesen, RangeAndBlanks) {
  EXPECT_EQ(*GanzzahlLesen(" 42 "), 42);
  EXPECT_EQ(*GanzzahlLesen("-5"), -5);
  EXPECT_EQ(*GanzzahlLesen("2147483647"), 2147483647);
  EXPECT_FALSE(GanzzahlLesen("2147483648").has_value());
  EXPECT_FALSE(GanzzahlLesen("12,0").has_value());
  EXPECT_FALSE(GanzzahlLesen("+-3").has_value());
  EXPECT_FALSE(GanzzahlLesen("").has_value());
  EXPECT_EQ(*GanzzahlAmAnfang("2 digital"), 2);
  EXPECT_EQ(*GanzzahlAmAnfang("  -1x"), -1);
  EXPECT_FALSE(GanzzahlAmAnfang("x1").has_value());
  EXPECT_FALSE(GanzzahlAmAnfang("99999999999 Punkte").has_value());
}

TEST(FestFormat, SevenSignificantDigits) {
  EXPECT_EQ(FestFormat(1234567.891, 7, 2), "1234568,00");
  EXPECT_EQ(FestFormat(12.5, 7, 2), "12,50");
  EXPECT_EQ(FestFormat(-0.125, 7, 3), "-0,125");
  EXPECT_EQ(FestFormat(0.0, 7, 2), "0,00");
  EXPECT_EQ(FestFormat(42.0, 7, 0), "42");
  EXPECT_EQ(FestFormat(1.0 / 3.0, 7, 3), "0,333");
  EXPECT_EQ(FestFormat(0.000123456789, 4, 8), "0,00012350");
}

TEST(FestFormat, ExponentFormBeyondThePrecision) {
  EXPECT_EQ(FestFormat(123456789.0, 7, 2), "1,234568E8");
  EXPECT_EQ(FestFormat(-100000000.0, 7, 2), "-1E8");
  EXPECT_EQ(FestFormat(9999999.6, 7, 2), "1E7");  // rounding adds a digit
  EXPECT_EQ(FestFormat(9999999.4, 7, 2), "9999999,00");
}

TEST(FestFormat, TiesToEven) {
  EXPECT_EQ(FestFormat(0.125, 7, 2), "0,12");
  EXPECT_EQ(FestFormat(0.375, 7, 2), "0,38");
  EXPECT_EQ(FestFormat(2.5, 7, 0), "2");
  EXPECT_EQ(FestFormat(3.5, 7, 0), "4");
  EXPECT_EQ(FestFormat(-2.5, 7, 0), "-2");
  EXPECT_EQ(FestFormat(-0.004, 7, 2), "0,00");  // no "-0,00"
  EXPECT_EQ(FestFormat(1234567.5, 7, 2), "1234568,00");
  EXPECT_EQ(FestFormat(1234568.5, 7, 2), "1234568,00");
}

TEST(FestFormat, NonFiniteAndExtremeArguments) {
  EXPECT_EQ(FestFormat(std::numeric_limits<double>::quiet_NaN(), 7, 2), "NAN");
  EXPECT_EQ(FestFormat(-std::numeric_limits<double>::infinity(), 7, 2), "-INF");
  EXPECT_EQ(FestFormat(1e300, 12, 2), "1E300");
  EXPECT_EQ(FestFormat(5e-324, 7, 2), "0,00");
  EXPECT_EQ(FestFormat(1.5, 255, 255).substr(0, 4), "1,50");
}

TEST(Datum, EncodeDecodeRoundTrip) {
  const TDateTime t = DatumKodieren(2026, 12, 6) + ZeitKodieren(16, 11, 2, 345);
  EXPECT_DOUBLE_EQ(DatumKodieren(1899, 12, 30), 0.0);
  EXPECT_DOUBLE_EQ(DatumKodieren(2026, 12, 6), 46362.0);
  const auto d = DatumZerlegen(t);
  const auto z = ZeitZerlegen(t);
  EXPECT_EQ(d.jahr, 2026);
  EXPECT_EQ(d.monat, 12);
  EXPECT_EQ(d.tag, 6);
  EXPECT_EQ(z.stunde, 16);
  EXPECT_EQ(z.minute, 11);
  EXPECT_EQ(z.sekunde, 2);
  EXPECT_EQ(z.milli, 345);
  EXPECT_THROW(DatumKodieren(2026, 2, 29), std::out_of_range);
  EXPECT_NO_THROW(DatumKodieren(2024, 2, 29));
  EXPECT_THROW(ZeitKodieren(24, 0, 0), std::out_of_range);
}

TEST(Datum, TimeThatRoundsToMidnightBelongsToTheNextDay) {
  const TDateTime t = DatumKodieren(2026, 12, 31) + 0.9999999999;
  EXPECT_EQ(DatumText(t), "01.01.2027");
  EXPECT_EQ(ZeitText(t), "00:00:00");
}

TEST(Datum, Texts) {
  const TDateTime t = DatumKodieren(2026, 3, 1) + ZeitKodieren(9, 5, 3, 7);
  EXPECT_EQ(DatumText(t), "01.03.2026");
  EXPECT_EQ(ZeitText(t), "09:05:03");
  EXPECT_EQ(DatumZeitText(t), "01.03.2026 09:05:03");
  EXPECT_EQ(LogDateiStempel(t), Ansi("01.Mär.26, 09:05:03"));
  EXPECT_EQ(MemoStempel(t), "01.03.,09:05:03:007");
  EXPECT_EQ(LangesDatum(DatumKodieren(2026, 12, 6)), "Sonntag, 6. Dezember 2026");
  EXPECT_EQ(LangesDatum(DatumKodieren(2026, 3, 4)), Ansi("Mittwoch, 4. März 2026"));
  const char* kurz[] = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                        "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(KurzerMonatsname(m), Ansi(kurz[m - 1]));
  EXPECT_EQ(KurzerMonatsname(13), "");
  EXPECT_EQ(Wochentag(DatumKodieren(2026, 12, 5)), 7);  // Saturday
}

TEST(Datum, ParseTimeAndDate) {
  EXPECT_DOUBLE_EQ(*ZeitLesen("10:15:00"), ZeitKodieren(10, 15, 0));
  EXPECT_DOUBLE_EQ(*ZeitLesen(" 8:05 "), ZeitKodieren(8, 5, 0));
  for (const char* t : {"", "24:00:00", "10:60:00", "10:15:60", "10-15-00", "10:15:00x", "abc",
                        "1:2:3:4", "100:00:00"}) {
    EXPECT_FALSE(ZeitLesen(t).has_value()) << t;
  }
  EXPECT_DOUBLE_EQ(*DatumLesen("06.12.2026"), 46362.0);
  EXPECT_DOUBLE_EQ(*DatumLesen("6.1.2026"), DatumKodieren(2026, 1, 6));
  EXPECT_FALSE(DatumLesen("31.02.2026").has_value());
  EXPECT_FALSE(DatumLesen("06.12.26").has_value());
}

}  // namespace
}  // namespace pegel
