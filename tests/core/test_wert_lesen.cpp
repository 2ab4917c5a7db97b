// The fast paths the value table reads a day through must give what the general paths give.
#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <string>

#include "gitter.h"
#include "text_format.h"

namespace pegel {
namespace {

// Random texts near the short number form: digits, signs, commas and a few bytes that
// make it something else (blank, exponent, point, letters), 0..12 characters.
std::string ZufallsText(std::mt19937_64& zufall) {
  static constexpr char Haeufig[] = "0123456789012345678901234567890123456789,-";
  static constexpr char Selten[] = "+ E.e\tx";
  std::string t;
  const std::size_t laenge = zufall() % 13;
  for (std::size_t i = 0; i < laenge; ++i) {
    t += zufall() % 20 == 0 ? Selten[zufall() % (sizeof Selten - 1)]
                            : Haeufig[zufall() % (sizeof Haeufig - 1)];
  }
  return t;
}

// Sign, digits and at most one "," with at most 15 digits in all: the form both fast paths
// must take rather than leave to the general one.
bool IstKurzform(std::string_view t) {
  if (!t.empty() && (t[0] == '-' || t[0] == '+')) t.remove_prefix(1);
  std::size_t kommas = 0;
  std::size_t ziffern = 0;
  for (char c : t) {
    if (c == ',') {
      ++kommas;
    } else if (c >= '0' && c <= '9') {
      ++ziffern;
    } else {
      return false;
    }
  }
  return kommas <= 1 && ziffern >= 1 && ziffern <= 15;
}

TEST(KurzeZahl, BothFastPathsGiveZahlLesensValueToTheBitOrLeaveTheTextToIt) {
  std::mt19937_64 zufall(20261205);
  std::size_t kurzform = 0;
  for (int i = 0; i < 300000; ++i) {
    const std::string text = ZufallsText(zufall);
    const std::optional<double> erwartet = ZahlLesen(text);
    // As in a day's line: the field, then a separator or line break, then anything.
    std::string zeile = text;
    zeile += ";\r\n"[zufall() % 3];
    for (std::size_t k = zufall() % 12; k > 0; --k) zeile += static_cast<char>(zufall());

    double kurz = -1;
    double ab = -1;
    const bool kurzOk = KurzeZahlLesen(text, kurz);
    const char* const ende = KurzeZahlAb(zeile.data(), ab);
    const bool abOk = ende == zeile.data() + text.size();
    ASSERT_EQ(kurzOk, abOk) << '"' << text << '"';
    ASSERT_EQ(kurzOk, IstKurzform(text)) << '"' << text << '"';
    if (kurzOk) {
      ++kurzform;
      ASSERT_TRUE(erwartet) << '"' << text << '"';
      EXPECT_EQ(std::bit_cast<std::uint64_t>(kurz), std::bit_cast<std::uint64_t>(*erwartet))
          << '"' << text << '"';
      EXPECT_EQ(std::bit_cast<std::uint64_t>(ab), std::bit_cast<std::uint64_t>(*erwartet))
          << '"' << text << '"';
    } else {
      EXPECT_EQ(kurz, -1) << '"' << text << '"';  // untouched
    }
  }
  EXPECT_GT(kurzform, 100000u);
  // 15 digits is the most whose integer and power of ten are exact; 16 go the long way.
  double w = 0;
  EXPECT_TRUE(KurzeZahlLesen("-1234567,89012345", w));
  EXPECT_EQ(w, -1234567.89012345);
  EXPECT_FALSE(KurzeZahlLesen("0,1234567890123456", w));
  EXPECT_EQ(KurzeZahlAb("0,1234567890123456;", w), nullptr);
  EXPECT_FALSE(KurzeZahlLesen(" 1", w) || KurzeZahlLesen(",", w) || KurzeZahlLesen("1,2,3", w));
  // A number that goes on past the short form stops there; the caller sees it.
  const char* const e = "1,5E3;";
  EXPECT_EQ(KurzeZahlAb(e, w), e + 3);
}

TEST(ZeilenSicht, GivesEveryFieldAsZelleDoesForShortAndLongLines) {
  std::string text = "a;08:00:00;1,5;;x\r\n";
  text += "b;" + std::string(70000, 'l') + ";2;3\n";  // offsets beyond 16 bits
  text += "\n";
  text += "nur ein Feld\n";
  std::string voll = "v";
  for (int i = 1; i < 182; ++i) voll += ";" + std::to_string(i);
  text += voll;  // 182 fields, no line break at the end
  gitter g;
  ASSERT_EQ(g.Aufteilen(std::string_view(text)), gitter::Ergebnis::Ok);
  ASSERT_EQ(g.Zeilen(), 5u);
  for (std::size_t z = 0; z < 6; ++z) {
    const gitter::ZeilenSicht s = g.Sicht(z);
    EXPECT_EQ(s.Felder(), g.Felder(z));
    for (std::size_t f = 0; f <= gitter::Spalten + 1; ++f) {
      EXPECT_EQ(s.Feld(f), g.Zelle(z, f)) << z << "/" << f;
      EXPECT_EQ(s.FeldAnfang(f), f < s.Felder() ? g.Zelle(z, f).data() : nullptr) << z << "/" << f;
    }
    if (z < 5) {
      EXPECT_EQ(s.Ende(), g.Zelle(z, 0).data() + s.Laenge());
    }
    // Only the last line has no line break behind it to stop a reader.
    EXPECT_EQ(s.Abgeschlossen(), z < 4) << z;
  }
  EXPECT_EQ(g.Sicht(0).Laenge(), 17u);  // without CR LF
  EXPECT_EQ(g.Sicht(1).Feld(2), "2");
  EXPECT_EQ(g.Sicht(1).Laenge(), 70006u);
  EXPECT_EQ(g.Sicht(2).Felder(), 1u);
  EXPECT_EQ(g.Sicht(4).Feld(181), "181");
  EXPECT_EQ(g.Sicht(5).Felder(), 0u);
}

}  // namespace
}  // namespace pegel
