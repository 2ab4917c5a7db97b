// The short number form must read exactly as the general path (from_chars) reads it.
#include <gtest/gtest.h>

#include <charconv>
#include <random>

#include "text_format.h"

namespace pegel {
namespace {

TEST(ZahlKurzform, GleichWieDerAllgemeineWeg) {
  std::mt19937_64 zufall(11);
  for (int i = 0; i < 200000; ++i) {
    std::string text = zufall() % 3 == 0 ? "-" : "";
    const int stellen = 1 + static_cast<int>(zufall() % 15);
    const int komma = static_cast<int>(zufall() % (stellen + 1));
    for (int k = 0; k < stellen; ++k) {
      if (k == komma) text += ',';
      text += static_cast<char>('0' + zufall() % 10);
    }
    std::string c = text;
    std::replace(c.begin(), c.end(), ',', '.');
    double erwartet = 0;
    std::from_chars(c.data(), c.data() + c.size(), erwartet);
    const auto gelesen = ZahlLesen(text);
    ASSERT_TRUE(gelesen && *gelesen == erwartet && std::signbit(*gelesen) == std::signbit(erwartet))
        << text;
  }
  EXPECT_EQ(ZahlLesen(",5"), 0.5);
  EXPECT_EQ(ZahlLesen("+7,25"), 7.25);
  EXPECT_EQ(ZahlLesen("0,1234567890123456789"), 0.1234567890123456789);
  EXPECT_FALSE(ZahlLesen("1,2,3") || ZahlLesen(",") || ZahlLesen("1.5"));
}

}  // namespace
}  // namespace pegel
