#include <gtest/gtest.h>

#include "cp1252.h"

namespace pegel {
namespace {

TEST(Cp1252, EuroUmlautsAndSuperscript) {
  EXPECT_EQ(Cp1252ZuUtf8("\x80"), "€");  // not the C1 control code 0x80
  EXPECT_EQ(Cp1252ZuUtf8("m\xb3/h"), "m³/h");
  EXPECT_EQ(Cp1252ZuUtf8("F\xfcllstand \xb0"
                         "C"),
            "Füllstand °C");
  EXPECT_EQ(Utf8ZuCp1252("Füllstand in m³ – “ok” €"), "F\xfcllstand in m\xb3 \x96 \x93ok\x94 \x80");
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  std::string alle;
  for (int b = 0; b < 256; ++b) alle.push_back(static_cast<char>(b));
  EXPECT_EQ(Utf8ZuCp1252(Cp1252ZuUtf8(alle)), alle);
}

TEST(Cp1252, UnmappableAndBrokenUtf8) {
  EXPECT_EQ(Utf8ZuCp1252("日本"), "??");
  EXPECT_EQ(Utf8ZuCp1252("a\xc3"), "a\xc3");                // truncated sequence kept as bytes
  EXPECT_EQ(Utf8ZuCp1252("\xe4\xf6\xfc"), "\xe4\xf6\xfc");  // already 8-bit
  EXPECT_EQ(Utf8ZuCp1252("\xed\xa0\x80"), "\xed\xa0\x80");  // surrogate is not UTF-8
}

}  // namespace
}  // namespace pegel
