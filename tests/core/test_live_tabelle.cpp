#include <gtest/gtest.h>

#include "erfassung_anlage.h"

namespace pegel::test {
namespace {

TEST(LiveTabelle, ZahlenWerdenErstBeimLesenFormatiert) {
  LiveTabelle t;
  t.SpaltenSetzen(2);
  t.Zahl(1, 1, 1234567.891, 2);
  t.Zahl(1, 2, 12345678.9, 2);
  t.Zahl(1, 4, 0.5, 3);
  EXPECT_EQ(t.Zelle(1, 1), "1234568,00");
  EXPECT_EQ(t.Zelle(1, 2), "1,234568E7");
  EXPECT_EQ(t.Zelle(1, 4), "0,500");
  t.Text(1, 1, "n.v.");
  EXPECT_EQ(t.Zelle(1, 1), "n.v.");
  t.Zahl(1, 1, 2, 0);
  EXPECT_EQ(t.Zelle(1, 1), "2");
  EXPECT_EQ(t.Zelle(0, 0), "");
}

TEST(LiveTabelle, GrenzenUndNeueGroesse) {
  LiveTabelle t;
  t.SpaltenSetzen(3);
  EXPECT_THROW(t.Text(3, 0, "x"), std::out_of_range);
  EXPECT_THROW(t.Zahl(0, 15, 1, 2), std::out_of_range);
  EXPECT_THROW(t.Zelle(-1, 0), std::out_of_range);
  t.Text(2, 14, "bleibt");
  t.Text(0, 0, "Zeit");
  t.SpaltenSetzen(5);
  EXPECT_EQ(t.Zelle(2, 14), "bleibt");
  EXPECT_EQ(t.Zelle(0, 0), "Zeit");
  EXPECT_EQ(t.Zelle(4, 14), "");
  t.SpaltenSetzen(1);
  EXPECT_EQ(t.Zelle(0, 0), "Zeit");
  const auto alle = t.AlleZeilen();
  ASSERT_EQ(alle.size(), 15u);
  EXPECT_EQ(alle[0].size(), 1u);
}

TEST(LiveTabelle, BeobachterHoertNurNachAenderungen) {
  LiveTabelle t;
  ZaehlBeobachter b;
  t.BeobachterSetzen(&b);
  t.SpaltenSetzen(2);
  for (int i = 0; i < 100; ++i) t.Zahl(1, 5, i, 2);
  EXPECT_EQ(b.meldungen, 0);
  t.Benachrichtigen();
  t.Benachrichtigen();
  EXPECT_EQ(b.meldungen, 1);
}

}  // namespace
}  // namespace pegel::test
