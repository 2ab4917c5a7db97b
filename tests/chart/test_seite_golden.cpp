// Golden pages: every drawing call of a few live pages, as the recording canvas sees them,
// compared with the recorded list in tests/data/golden/erwartet. Guards the renderer as a
// whole where the other chart tests check single rules.
// PEGEL_GOLDEN_AUFNEHMEN=1 writes the expected files instead of comparing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "aufzeichnung.h"
#include "schriften.h"
#include "seite_zeichnen.h"
#include "test_dienste.h"

namespace pegel::chart {
namespace {

using test::Aufruf;
using test::TestSeite;

std::string Liste(const test::AufzeichnendeCanvas& c) {
  static const char* arten[] = {"Linie", "Rechteck", "Fuellung", "Text"};
  std::string out;
  for (const Aufruf& a : c.aufrufe) {
    out += std::string(arten[a.art]) + " " + std::to_string(a.x1) + " " + std::to_string(a.y1);
    if (a.art != Aufruf::Text) out += " " + std::to_string(a.x2) + " " + std::to_string(a.y2);
    out += " farbe=" + std::to_string(a.farbe);
    if (a.art == Aufruf::Linie || a.art == Aufruf::Rechteck) {
      out += " breite=" + std::to_string(a.breite);
    }
    if (a.art == Aufruf::Text) {
      out += " ausrichtung=" + std::to_string(static_cast<int>(a.ausrichtung)) +
             " hoehe=" + std::to_string(a.schrifthoehe) + (a.fett ? " fett" : "") + " \"" + a.text +
             "\"";
    }
    out += "\n";
  }
  return out;
}

class SeiteGolden : public ::testing::Test {
 protected:
  pegel::test::Umgebung u;
  SchriftTabelle f{u.log};
  test::AufzeichnendeCanvas c;
  SeitenUmfeld umfeld{u.log, u.ereignisse, u.uhr, nullptr, [] {}};

  void SetUp() override { f.SeitenSchriftenErzeugen(); }
  std::string Seite(test::LiveSeite& s, bool inkrementell) {
    c.aufrufe.clear();
    const bool fertig = SeiteZeichnen(s, s.Stil(), c, f, umfeld, Ziel::Bildschirm,
                                      inkrementell ? Seitenart::Inkrementell : Seitenart::Voll);
    return std::string(fertig ? "fertig\n" : "abgebrochen\n") + Liste(c);
  }
  void Vergleichen(const std::string& name, const std::string& ist) {
    const auto datei = std::filesystem::path(PEGEL_TESTDATA_DIR) / "golden/erwartet" / name;
    if (std::getenv("PEGEL_GOLDEN_AUFNEHMEN") != nullptr) {
      pegel::test::DateiSchreiben(datei, ist);
      return;
    }
    EXPECT_EQ(ist, pegel::test::DateiLesen(datei)) << name;
  }
};

TEST_F(SeiteGolden, RollendVollUndInkrementell) {
  test::LiveSeite s = TestSeite({1, 2, 1}, 11, 0);
  s.Textrand = 30;
  s.Grafikspeicher[1] = {2, 3, 5, NoValue, 8, 13, 9, 4, 1, -2, 0.5, 6};
  s.Anzeige[1].UpWarn = 10;
  s.Anzeige[1].LoWarn = 0;
  s.Grafikspeicher[2] = {0, 1, 1, NoValue, 0, 1, 0, 0, 1, 1, 0, 1};
  s.Anzeige[2].Statistiktexte[4] = "";
  s.Streifen[3].Skalierung = 2;
  s.Anzeige[3].MinSkal = -5;
  s.Anzeige[3].MaxSkal = 25;
  s.Grafikspeicher[3] = {-10, 0, 5, 10, 15, 20, 30, 12, 12, 12, 12, 12};
  s.Anzeige[3].Statistiktexte[5] = "n.v.";
  s.IntervallEinheit = " Minute(n)";
  std::string ist = Seite(s, false);
  s.Grafikspeicher[1][3] = 40;
  s.Grafikspeicher[2][3] = 1;
  ist += Seite(s, true);
  Vergleichen("seite_rollend.txt", ist);
}

TEST_F(SeiteGolden, CursorUndFesteZeitachse) {
  test::LiveSeite s = TestSeite({1, 2}, 23, 0);
  s.MitCursor = true;
  s.GanzerTag = true;
  s.DigNull = true;
  s.Schreibposition = 9;
  for (int j = 0; j <= 23; ++j) {
    s.Grafikspeicher[1][static_cast<std::size_t>(j)] = j < 15 ? 100 + j * j : NoValue;
    s.Grafikspeicher[2][static_cast<std::size_t>(j)] = (j / 4) % 2;
  }
  s.Streifen[1].Skalierung = 1;
  s.Anzeige[2].GrafikSumEinheit = "h";
  s.PunkteProLabel = 2.0;
  for (int k = 0; k <= 12; ++k) s.Zeitlabels.push_back("12:" + std::to_string(10 + k) + ":00");
  Vergleichen("seite_cursor.txt", Seite(s, false));
}

TEST_F(SeiteGolden, EinSlotUndNurDigital) {
  test::LiveSeite s = TestSeite({2, 2}, 0, 1);
  std::string ist = Seite(s, false);
  s = TestSeite({1}, 0, -3.5);
  ist += Seite(s, false);
  Vergleichen("seite_ein_slot.txt", ist);
}

}  // namespace
}  // namespace pegel::chart
