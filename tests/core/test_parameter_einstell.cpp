// The parameter display settings: numbers typed with either decimal mark, fallbacks, limits the
// operator did not touch, the change tracking, digital parameters, the counts at close, and
// the INI file's other lines left byte for byte.
#include <gtest/gtest.h>

#include "konfig_hilfen.h"
#include "parameter_einstell.h"
#include "test_dienste.h"

namespace pegel {
namespace {

using test::DateiLesen;
using test::DateiSchreiben;

// Two parameters as the collector writes them, with a comment, a digital second parameter and
// a warning limit finer than the two decimals the dialog shows.
const std::string Sammler =
    "; PEGELDDE - nicht von Hand aendern\r\n"
    "[DDE]\r\nItemcount=2\r\nIntervall=10\r\n"
    "[Items]\r\nItem1=SPS|Pegel\r\nItem2=SPS|Pumpe\r\n"
    "[Itemnames]\r\nItem1=Pegel Becken\r\nItem2=Pumpe 1\r\n"
    "[UpWarn]\r\nItem1=0.004\r\nItem2=1\r\n"
    "[LoWarn]\r\nItem1=-2,5\r\nItem2=0\r\n"
    "[UpLimit]\r\nItem1=10\r\nItem2=1\r\n"
    "[LoLimit]\r\nItem1=-10\r\nItem2=0\r\n"
    "[Grafiktyp]\r\nItem1=1\r\nItem2=2\r\n"
    "[ColorWarn]\r\nItem1=255\r\nItem2=255\r\n"
    "[ColorNorm]\r\nItem1=8421504\r\nItem2=32768\r\n"
    "[GrafikRef]\r\nItem1=0\r\nItem2=0\r\n"
    "[Item_1]\r\nMinSkal=-10\r\nMaxSkal=10\r\n"
    "[Item_2]\r\nMinSkal=0\r\nMaxSkal=1\r\n";

class ParameterEinstellTest : public ::testing::Test {
 protected:
  test::Umgebung u;
  ParameterEinstellung e{u.s, u.d};
  std::string basis;
  void SetUp() override {
    DateiSchreiben(u.s.Pfade.IniDatei, Sammler);
    Initialisierung(u.s, u.d);
    ASSERT_TRUE(u.s.KonfigOK);
    // The loader adds its own keys at the end; everything the dialog does is measured from here.
    basis = IniText();
    ASSERT_EQ(basis.substr(0, Sammler.size()), Sammler);
    u.senke.zeilen.clear();
  }
  std::string IniText() const { return DateiLesen(u.s.Pfade.IniDatei); }
  // The INI file with `alt` replaced by `neu` once.
  static std::string Mit(std::string text, const std::string& alt, const std::string& neu) {
    const auto p = text.find(alt);
    EXPECT_NE(p, std::string::npos) << alt;
    if (p != std::string::npos) text.replace(p, alt.size(), neu);
    return text;
  }
};

TEST(TextZuZahl, EitherDecimalMarkAndTheFallbackLogged) {
  test::Umgebung u;
  struct Fall {
    const char* text;
    double wert;
    bool zahl;
  };
  const Fall faelle[] = {
      {"12,5", 12.5, true}, {"12.5", 12.5, true}, {"abc", 1000.0, false}, {"", 1000.0, false}};
  for (const Fall& f : faelle) {
    u.senke.zeilen.clear();
    std::string t = f.text;
    double w = 0;
    EXPECT_EQ(TextZuZahl(t, w, 1000.0, u.log), f.zahl) << f.text;
    EXPECT_EQ(w, f.wert) << f.text;
    EXPECT_EQ(u.Log().size(), f.zahl ? 0u : 1u) << f.text;
  }
  u.senke.zeilen.clear();
  std::string t = "1.2.3";
  double w = 0;
  TextZuZahl(t, w, 1000.0, u.log);
  EXPECT_EQ(u.Log(), std::vector<std::string>{"Unerlaubter Eintrag > 1,2,3 < bei DDE-Werten !"});
}

// Twelve and a half with a point or a comma is stored as "12,50", what the edit then shows;
// an invalid lower limit stores 1000.0 (not -1000.0); limits not touched keep their full value
// and their text; only the seven keys change.
TEST_F(ParameterEinstellTest, SavingWritesTheSevenKeysAndNothingElse) {
  auto m = e.Zeigen(0);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->Titel, " Pegel Becken ");
  EXPECT_EQ(m->WarnOben, "0,00");
  EXPECT_EQ(m->ColorNorm, 8421504);

  // Only the colour changes: UpWarn 0.004 must not become 0.
  m->ColorNorm = 16711680;
  e.Aendern();
  m = e.Speichern(*m);
  EXPECT_EQ(u.s.Par().at(1).UpWarn, 0.004);
  EXPECT_EQ(IniText(), Mit(basis, "Item1=8421504", "Item1=16711680"));
  EXPECT_EQ(m->WarnOben, "0,00");

  for (const char* zwoelf : {"12.5", "12,5"}) {
    m->WarnOben = zwoelf;
    m->WarnUnten = "tief";
    m->GrafikRef = 2;
    e.Aendern();
    m = e.Speichern(*m);
    EXPECT_EQ(m->WarnOben, "12,50");
    EXPECT_EQ(m->WarnUnten, "1000,00");
    EXPECT_EQ(u.s.Par().at(1).UpWarn, 12.5);
    EXPECT_EQ(u.s.Par().at(1).LoWarn, 1000.0);
    EXPECT_EQ(u.s.Par().at(1).GrafikRef, 2);
    EXPECT_TRUE(u.Geloggt("Unerlaubter Eintrag > tief < bei DDE-Werten !"));
    std::string erwartet = Mit(basis, "Item1=8421504", "Item1=16711680");
    erwartet = Mit(erwartet, "[UpWarn]\r\nItem1=0.004", "[UpWarn]\r\nItem1=12,50");
    erwartet = Mit(erwartet, "[LoWarn]\r\nItem1=-2,5", "[LoWarn]\r\nItem1=1000,00");
    erwartet = Mit(erwartet, "[GrafikRef]\r\nItem1=0", "[GrafikRef]\r\nItem1=2");
    EXPECT_EQ(IniText(), erwartet) << zwoelf;
  }
}

// For a digital parameter the reference and the warning frame are disabled; what it shows is
// saved as for an analog one.
TEST_F(ParameterEinstellTest, ADigitalParametersFramesAreDisabledAndItSavesAllKeys) {
  auto m = e.Zeigen(1);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->Typ, "Digital");
  EXPECT_EQ(m->Analog, std::optional<bool>(false));
  EXPECT_EQ(e.Zeigen(0)->Analog, std::optional<bool>(true));
  m = e.Zeigen(1);
  m->ColorNorm = 0;
  e.Aendern();
  e.Speichern(*m);
  EXPECT_EQ(IniText(), Mit(basis, "Item2=32768", "Item2=0"));
  EXPECT_TRUE(u.s.Auswahl.Grafikanzeige.at(2));
}

// Another parameter chosen after a change asks; No discards, Yes saves the one shown before.
TEST_F(ParameterEinstellTest, ChangesAreSavedOnlyOnYes) {
  auto m = e.Zeigen(0);
  m->WarnOben = "7";
  e.Aendern();
  u.meldungen.antworten = {false};
  e.Wechseln(1, *m);
  EXPECT_EQ(u.meldungen.gezeigt, std::vector<std::string>{Ansi("Änderungen speichern ?")});
  EXPECT_EQ(IniText(), basis);
  EXPECT_FALSE(e.Geaendert());

  m = e.Wechseln(0, *e.Zeigen(1));  // unchanged: no question
  EXPECT_EQ(u.meldungen.gezeigt.size(), 1u);
  m->WarnOben = "7";
  e.Aendern();
  u.meldungen.antworten = {true};
  e.Wechseln(1, *m);
  EXPECT_EQ(u.s.Par().at(1).UpWarn, 7.0);
  EXPECT_EQ(IniText(), Mit(basis, "[UpWarn]\r\nItem1=0.004", "[UpWarn]\r\nItem1=7,00"));
}

TEST_F(ParameterEinstellTest, ClosingCountsTheChartedParametersByType) {
  u.s.Auswahl.Grafikanzeige.fill(false);
  u.s.Auswahl.Grafikanzeige.at(3) = true;  // beyond the list: not counted
  auto m = e.Zeigen(1);
  e.Aendern();
  u.meldungen.antworten = {true};
  e.Schliessen(*m);
  EXPECT_EQ(u.s.Auswahl.AnzAnalog, 0);
  EXPECT_EQ(u.s.Auswahl.AnzDigital, 1);
}

TEST(ParameterEinstellLeer, WithoutParametersNothingIsShownOrChanged) {
  test::Umgebung u;
  ParameterEinstellung e{u.s, u.d};
  u.s.Auswahl.AnzAnalog = 3;
  EXPECT_EQ(e.Anzahl(), 0);
  EXPECT_FALSE(e.Zeigen(0));
  e.Aendern();
  e.Schliessen({});
  EXPECT_EQ(u.s.Auswahl.AnzAnalog, 3);
  EXPECT_TRUE(u.meldungen.gezeigt.empty());
  EXPECT_FALSE(std::filesystem::exists(u.s.Pfade.IniDatei));
}

}  // namespace
}  // namespace pegel
