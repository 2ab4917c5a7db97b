// The group file: the record layout, reading, conversion of the old format, and files of
// any size or content.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "anlage_dateien.h"
#include "gruppen_datei.h"
#include "test_dienste.h"

namespace pegel {
namespace {

using test::DateiLesen;
using test::DateiSchreiben;
using test::GruppenSatz;
using test::Umgebung;

class GruppenDatei : public ::testing::Test {
 protected:
  Umgebung u;
  std::filesystem::path bak = u.verz / "PEGELWART.GRP.bak";
  void Lesen() { GruppenDateiLesen(u.s, u.d); }
};

// The layout itself is checked byte for byte through the conversion below.
TEST(GruppenSatz, NamesAreCutTo30EitherWay) {
  TGruppe g;
  g.Name = std::string(31, 'N');
  const auto satz = GruppeKodieren(g);
  EXPECT_EQ(satz[720], 30);
  EXPECT_EQ(satz[751], 0) << "the 31st character must not spill into the member count";

  std::string roh = GruppenSatz(756, {5, 6}, "Abc", false);
  roh[720] = static_cast<char>(255);
  const TGruppe d = GruppeDekodieren(reinterpret_cast<const std::uint8_t*>(roh.data()), 756);
  EXPECT_EQ(d.Name.size(), 30u);
  EXPECT_EQ(d.Mitgliederzahl, 2);
}

TEST_F(GruppenDatei, NoFileAndAnEmptyFileMeanNoGroups) {
  Lesen();
  EXPECT_EQ(u.Log(), (std::vector<std::string>{"Automatischer Ausdruck folgender Gruppen:",
                                               "Keine Gruppen definiert !"}));
  DateiSchreiben(u.s.Pfade.GruppenDatei, "");
  u.senke.zeilen.clear();
  Lesen();
  EXPECT_EQ(u.Log(), std::vector<std::string>{"Automatischer Ausdruck folgender Gruppen:"});
  EXPECT_TRUE(u.meldungen.gezeigt.empty());
  EXPECT_EQ(u.s.Gruppen.GruppenAnzahl, 0);
  EXPECT_TRUE(std::filesystem::exists(u.s.Pfade.GruppenDatei));
}

TEST_F(GruppenDatei, ReadsRecordsAndLogsTheMarkedGroupsByName) {
  DateiSchreiben(u.s.Pfade.GruppenDatei, GruppenSatz(756, {1, 2, 3}, "Pumpen S\xFC\x64", true) +
                                             GruppenSatz(756, {4, 5}, "Becken", false) +
                                             GruppenSatz(756, {7, 9}, "Zulauf", true));
  Lesen();
  EXPECT_EQ(u.Log(), (std::vector<std::string>{"Automatischer Ausdruck folgender Gruppen:",
                                               "Pumpen S\xFC\x64", "Zulauf"}));
  ASSERT_EQ(u.s.Gruppen.GruppenAnzahl, 3);
  EXPECT_EQ(GruppenMitglieder(u.s.Gruppen.GruppenTabelle.at(1)),
            (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(u.s.Gruppen.GruppenTabelle.at(2).Name, "Becken");
}

TEST_F(GruppenDatei, ExactlyTwentyRecordsAreReadAndKept) {
  std::string datei;
  for (int g = 1; g <= MaxGruppen; ++g)
    datei += GruppenSatz(756, {g, g + 1}, "G" + std::to_string(g), false);
  DateiSchreiben(u.s.Pfade.GruppenDatei, datei);
  Lesen();
  EXPECT_TRUE(u.meldungen.gezeigt.empty());
  EXPECT_EQ(u.s.Gruppen.GruppenAnzahl, MaxGruppen);
  EXPECT_EQ(u.s.Gruppen.GruppenTabelle.at(MaxGruppen).Name, "G20");
  EXPECT_EQ(DateiLesen(u.s.Pfade.GruppenDatei), datei);
}

TEST_F(GruppenDatei, TheOldFormatIsConvertedWithMembersBeyond60Zero) {
  std::vector<std::int32_t> sechzig;
  for (int i = 1; i <= 60; ++i) sechzig.push_back(i);
  DateiSchreiben(u.s.Pfade.GruppenDatei,
                 GruppenSatz(276, sechzig, "Alle", true) + GruppenSatz(276, {8, 9}, "Zwei", false));
  Lesen();
  EXPECT_EQ(u.Log(), (std::vector<std::string>{"Automatischer Ausdruck folgender Gruppen:",
                                               "Gruppendatei wird konvertiert....", "ok."}));
  const std::string neu = DateiLesen(u.s.Pfade.GruppenDatei);
  ASSERT_EQ(neu.size(), 1512u);
  EXPECT_EQ(neu.substr(0, 756), GruppenSatz(756, sechzig, "Alle", true));
  EXPECT_EQ(neu.substr(756), GruppenSatz(756, {8, 9}, "Zwei", false));
  ASSERT_EQ(u.s.Gruppen.GruppenAnzahl, 2);
  EXPECT_EQ(u.s.Gruppen.GruppenTabelle.at(1).Mitglieder[60], 0);
  EXPECT_TRUE(u.meldungen.gezeigt.empty());
  EXPECT_FALSE(std::filesystem::exists(bak));
}

TEST_F(GruppenDatei, UnusableFilesAreReportedAndMovedAside) {
  const std::pair<std::size_t, const char*> faelle[] = {
      {1000, "Die Gruppendatei ist sehr alt ! Sie \r\nm\xFCssen die Gruppierung neu festlegen."},
      {21 * 756,
       "Fehler beim Lesen der Gruppendatei ! Sie \r\nm\xFCssen die Gruppierung neu "
       "festlegen."},
      {21 * 276,
       "Fehler beim Konvertieren der Gruppendatei ! Sie \r\nm\xFCssen die Gruppierung "
       "neu festlegen."},
  };
  for (const auto& [groesse, meldung] : faelle) {
    SCOPED_TRACE(groesse);
    u.meldungen.gezeigt.clear();
    const std::string inhalt(groesse, '\x01');
    DateiSchreiben(u.s.Pfade.GruppenDatei, inhalt);
    Lesen();
    EXPECT_EQ(u.meldungen.gezeigt, std::vector<std::string>{meldung});
    EXPECT_EQ(u.s.Gruppen.GruppenAnzahl, 0);
    EXPECT_FALSE(std::filesystem::exists(u.s.Pfade.GruppenDatei));
    EXPECT_EQ(DateiLesen(bak), inhalt) << "the previous backup is replaced";
  }
}

// Random files, of record-sized lengths more often than not, must give a message or a
// table of at most 20 groups whose members and names stay in their bounds.
TEST_F(GruppenDatei, AnyContentOfAnySizeIsSafe) {
  std::mt19937 zufall(20261206);
  for (int runde = 0; runde < 300; ++runde) {
    std::size_t groesse = zufall() % 20000;
    if (runde % 3 == 0) groesse = (zufall() % 22) * 756;
    if (runde % 3 == 1) groesse = (zufall() % 22) * 276;
    std::string inhalt(groesse, '\0');
    for (char& c : inhalt) c = static_cast<char>(zufall());
    DateiSchreiben(u.s.Pfade.GruppenDatei, inhalt);
    u.s.Gruppen.GruppenTabelle = {};
    Lesen();
    ASSERT_LE(u.s.Gruppen.GruppenAnzahl, MaxGruppen);
    for (int g = 1; g <= u.s.Gruppen.GruppenAnzahl; ++g) {
      const TGruppe& grp = u.s.Gruppen.GruppenTabelle.at(static_cast<std::size_t>(g));
      ASSERT_LE(grp.Name.size(), 30u);
      ASSERT_LE(GruppenMitglieder(grp).size(), 180u);
    }
  }
}

}  // namespace
}  // namespace pegel
