// The short number form must read exactly as the general path (from_chars) reads it.
#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <string>

#include "text_format.h"

namespace pegel {
namespace {

double Allgemein(std::string text) {
  for (char& c : text) {
    if (c == ',') c = '.';
  }
  double wert = 0;
  std::from_chars(text.data(), text.data() + text.size(), wert);
  return wert;
}

TEST(ZahlKurzform, GleichWieDerAllgemeineWeg) {
  std::mt19937_64 zufall(11);
  for (int i = 0; i < 200000; ++i) {
    const int stellen = 1 + static_cast<int>(zufall() % 15);
    std::string ziffern;
    for (int k = 0; k < stellen; ++k) ziffern.push_back(static_cast<char>('0' + zufall() % 10));
    const std::size_t komma = zufall() % (ziffern.size() + 1);
    std::string text =
        (zufall() % 3 == 0 ? "-" : "") + ziffern.substr(0, komma) + "," + ziffern.substr(komma);
    const auto gelesen = ZahlLesen(text);
    ASSERT_TRUE(gelesen.has_value()) << text;
    const double erwartet = Allgemein(text);
    ASSERT_EQ(*gelesen, erwartet) << text;
    ASSERT_EQ(std::signbit(*gelesen), std::signbit(erwartet)) << text;
  }
}

TEST(ZahlKurzform, GrenzfaelleBleibenBeimAllgemeinenWeg) {
  EXPECT_EQ(ZahlLesen("1234567890123456"), 1234567890123456.0);  // 16 digits
  EXPECT_EQ(ZahlLesen("0,1234567890123456789"), 0.1234567890123456789);
  EXPECT_EQ(ZahlLesen(",5"), 0.5);
  EXPECT_EQ(ZahlLesen("5,"), 5.0);
  EXPECT_EQ(ZahlLesen("+7,25"), 7.25);
  EXPECT_TRUE(std::signbit(*ZahlLesen("-0,0")));
  EXPECT_FALSE(ZahlLesen(",").has_value());
  EXPECT_FALSE(ZahlLesen("1,2,3").has_value());
  EXPECT_FALSE(ZahlLesen("1.5").has_value());
  EXPECT_FALSE(ZahlLesen("--1").has_value());
  EXPECT_EQ(ZahlLesen(" 1,5e2 "), 150.0);
}

}  // namespace
}  // namespace pegel
