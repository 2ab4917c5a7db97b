// The key table: where a handle reads and writes, how the limits apply, and the entry through
// which the parameter display settings store a parameter.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ini_schluessel.h"
#include "konfig_hilfen.h"
#include "konfiguration.h"

namespace pegel {
namespace {

using S = Schluessel;
using test::DateiLesen;
using test::DateiSchreiben;

class Schluesseltabelle : public ::testing::Test {
 protected:
  test::Umgebung u;
  IniEinstellungen Ini(const std::string& text) {
    DateiSchreiben(u.s.Pfade.IniDatei, text);
    return IniEinstellungen(u.s.Pfade.IniDatei, false);
  }
};

TEST_F(Schluesseltabelle, GrenzenWerdenGeklemmtOderDurchDieVorgabeErsetzt) {
  const auto ini =
      Ini("[Grafik]\r\nPuffer=999\r\nAndereZeit=1\r\nAuswahl=12\r\n"
          "[Formate]\r\nPR=300\r\nNK=-1\r\n");
  EXPECT_EQ(ini.Lesen(S::Grafik_Puffer), S::Grafik_Puffer.max);
  EXPECT_EQ(ini.Lesen(S::Grafik_AndereZeit), S::Grafik_AndereZeit.min);
  EXPECT_EQ(ini.Lesen(S::Formate_PR), S::Formate_PR.vorgabe);
  EXPECT_EQ(ini.Lesen(S::Formate_NK), S::Formate_NK.vorgabe);
  EXPECT_EQ(ini.Lesen(S::Grafik_Auswahl), 12) << "the loader decides about the list entry";
  EXPECT_EQ(ini.AlsText(S::Grafik_Intervall), "10") << "a missing key as its default's text";
}

TEST_F(Schluesseltabelle, ParameterSchluesselLiegenInIhrerSektionOderInItem_n) {
  auto ini =
      Ini("[UpWarn]\r\nItem3=1.5\r\n[GrafikSumTeiler]\r\nItem3=1.5\r\n"
          "[Item_3]\r\nMinSkal=-2,5\r\n");
  EXPECT_EQ(ini.Zahl(S::UpWarn, 3), 1.5) << "limits take \".\" and \",\"";
  EXPECT_EQ(ini.Zahl(S::GrafikSumTeiler, 3), std::nullopt) << "the divisor takes \",\" only";
  EXPECT_EQ(ini.Zahl(S::Skala_MinSkal, 3), -2.5);
  EXPECT_EQ(ini.Text(S::Skala_MaxSkal, 3), "-0") << "the marker of a missing scale";
  EXPECT_EQ(SchluesselName(S::UpWarn.sektion, S::UpWarn.name, S::UpWarn.je, 3), "[UpWarn] Item3");

  ini.Schreiben(S::Grafikanzeige, false, 2);
  ini.Schreiben(S::Skala_MaxSkal, "9,5", 3);
  ini.TextSchreiben(S::PegelWart_Druckbreite, "297 ");
  ASSERT_TRUE(ini.Speichern());
  const std::string text = DateiLesen(u.s.Pfade.IniDatei);
  EXPECT_NE(text.find("[Item_3]\r\nMinSkal=-2,5\r\nMaxSkal=9,5\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[Grafikanzeige]\r\nItem2=0\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[PegelWart]\r\nDruckbreite=297 \r\n"), std::string::npos) << text;
}

TEST_F(Schluesseltabelle, EinHandleOhnePassendeParameternummerIstEinFehler) {
  const auto ini = Ini("");
  EXPECT_THROW(ini.Lesen(S::DDE_Itemcount, 2), std::invalid_argument);
  EXPECT_THROW(ini.Text(S::UpWarn, 0), std::invalid_argument);
  EXPECT_THROW(ini.Text(S::Skala_MinSkal, 0), std::invalid_argument);
}

TEST_F(Schluesseltabelle, AnzeigeeinstellungenEinesParametersSchreibenSiebenSchluessel) {
  DateiSchreiben(u.s.Pfade.IniDatei, test::Parameter(2) + "[Grafikanzeige]\r\nItem2=0\r\n");
  Initialisierung(u.s, u.d);
  ParameterAnzeige a;
  a.UpWarnText = "12,50";
  a.UpWarn = 12.5;
  a.LoWarnText = "0,00";
  a.MinSkalText = "-1,00";
  a.MinSkal = -1;
  a.MaxSkalText = "20,00";
  a.MaxSkal = 20;
  a.GrafikRef = 2;
  a.ColorWarn = 255;
  a.ColorNorm = 16711680;
  EXPECT_FALSE(ParameterAnzeigeSpeichern(u.s, 3, a)) << "no parameter 3";
  ASSERT_TRUE(ParameterAnzeigeSpeichern(u.s, 2, a));
  const Parameter& p = u.s.Par().at(2);
  EXPECT_EQ(std::tuple(p.UpWarn, p.MinSkal, p.MaxSkal, p.GrafikRef, p.ColorWarn, p.ColorNorm),
            std::tuple(12.5, -1.0, 20.0, 2, 255, 16711680));
  EXPECT_TRUE(u.s.Auswahl.Grafikanzeige[2]);
  const IniEinstellungen ini(u.s.Pfade.IniDatei, true);
  EXPECT_EQ(std::vector<std::string>({ini.Text(S::UpWarn, 2), ini.Text(S::LoWarn, 2),
                                      ini.Text(S::Skala_MinSkal, 2), ini.Text(S::Skala_MaxSkal, 2),
                                      ini.AlsText(S::GrafikRef, 2), ini.AlsText(S::ColorWarn, 2),
                                      ini.AlsText(S::ColorNorm, 2)}),
            (std::vector<std::string>{"12,50", "0,00", "-1,00", "20,00", "2", "255", "16711680"}));
}

}  // namespace
}  // namespace pegel
