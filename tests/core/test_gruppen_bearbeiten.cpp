// The group dialog's rules: member and group limits, names cut to 30 bytes, deleting,
// new records, print marks, saving (bytes, failure, the charts' current group) and members
// that name no parameter any more.
#include <gtest/gtest.h>

#include <numeric>

#include "anlage_dateien.h"
#include "gruppen_bearbeiten.h"
#include "gruppen_datei.h"
#include "test_dienste.h"

namespace pegel {
namespace {

using test::DateiLesen;
using test::DateiSchreiben;
using test::GruppenSatz;

class GruppenBearbeiten : public ::testing::Test {
 protected:
  test::Umgebung u;
  GruppenArbeit a;

  // The file as the program's start reads it, and the dialog opened on it.
  void Datei(const std::string& bytes) {
    DateiSchreiben(u.s.Pfade.GruppenDatei, bytes);
    GruppenDateiLesen(u.s, u.d);
    a.Laden(u.s);
  }
  // n groups "G1".."Gn" of members {1, 2}.
  void Gruppen(int n) {
    std::string b;
    for (int i = 1; i <= n; ++i) b += GruppenSatz(756, {1, 2}, "G" + std::to_string(i), false);
    Datei(b);
  }
  GruppeNeu Neu(std::vector<int> zeilen, std::optional<std::string> name = "Neu") {
    u.meldungen.eingaben.push_back(name);
    return a.Neu(zeilen, u.d);
  }
  std::string GruppenBytes() const { return DateiLesen(u.s.Pfade.GruppenDatei); }
};

TEST_F(GruppenBearbeiten, MembersTwoToNineAndAtMostTwentyGroups) {
  Gruppen(0);
  struct Fall {
    int auswahl;
    GruppeNeu ergebnis;
    std::vector<std::string> gezeigt;
  };
  const std::string prompt = "Neue Gruppe|Name der neuen Gruppe ?";
  const Fall faelle[] = {
      {0, GruppeNeu::ZuWenige, {}},
      {1, GruppeNeu::ZuWenige, {}},
      {2, GruppeNeu::Angelegt, {prompt}},
      {9, GruppeNeu::Angelegt, {prompt}},
      {10, GruppeNeu::ZuViele, {Ansi("Sie haben mehr als 9 Werte ausgewählt !")}},
  };
  for (const Fall& f : faelle) {
    u.meldungen.gezeigt.clear();
    u.meldungen.eingaben.clear();
    std::vector<int> zeilen(static_cast<std::size_t>(f.auswahl));
    std::iota(zeilen.begin(), zeilen.end(), 0);
    EXPECT_EQ(Neu(zeilen), f.ergebnis) << f.auswahl;
    EXPECT_EQ(u.meldungen.gezeigt, f.gezeigt) << f.auswahl;
  }
  // A line selected twice is one member.
  EXPECT_EQ(Neu({4, 4}), GruppeNeu::ZuWenige);

  Gruppen(20);
  u.meldungen.gezeigt.clear();
  EXPECT_EQ(Neu({0, 1}), GruppeNeu::ZuVieleGruppen);
  EXPECT_EQ(u.meldungen.gezeigt, std::vector<std::string>{"Max. 20 Gruppen erlaubt !"});
  EXPECT_EQ(a.Gruppen().size(), 20u);
  // A cancelled prompt adds nothing.
  Gruppen(1);
  u.meldungen.eingaben.clear();
  EXPECT_EQ(Neu({0, 1}, std::nullopt), GruppeNeu::Abgebrochen);
  EXPECT_EQ(a.Gruppen().size(), 1u);
}

// The name is cut in bytes of the file's encoding, so it never reaches the member count that
// follows it in the record.
TEST_F(GruppenBearbeiten, NamesAreCutTo30BytesAndTheRecordStaysIntact) {
  Gruppen(0);
  const std::string a31(31, 'A');
  const std::string umlaute = Ansi("Überlauf Süd ÄÖÜäöüß Pumpwerk 1234");  // 34 bytes
  const std::pair<std::string, std::string> faelle[] = {
      {a31, std::string(30, 'A')},
      {umlaute, umlaute.substr(0, 30)},
      {"", ""},
      {"Zulauf", "Zulauf"},
  };
  for (const auto& [eingabe, erwartet] : faelle) {
    ASSERT_EQ(Neu({0, 2}, eingabe), GruppeNeu::Angelegt);
  }
  ASSERT_TRUE(a.Speichern(u.s, u.d));
  std::string erwartet;
  for (const auto& f : faelle) erwartet += GruppenSatz(756, {1, 3}, f.second, false);
  EXPECT_EQ(GruppenBytes(), erwartet);
}

// Whatever the deleted group left behind, a new record holds its members in ascending order
// and zeros after them, and no print mark.
TEST_F(GruppenBearbeiten, ANewRecordHoldsExactlyItsMembersAndZeros) {
  Datei(GruppenSatz(756, {1, 2, 3, 4, 5, 6, 7, 8, 9}, "Voll", true));
  a.Waehlen(0, 10, 10);
  ASSERT_TRUE(a.Loeschen());
  ASSERT_EQ(Neu({7, 2}, "Zwei"), GruppeNeu::Angelegt);
  EXPECT_EQ(a.Gewaehlt(), 0);
  ASSERT_TRUE(a.Speichern(u.s, u.d));
  EXPECT_EQ(GruppenBytes(), GruppenSatz(756, {3, 8}, "Zwei", false));
  EXPECT_EQ(u.s.Gruppen.GruppenAnzahl, 1);
  EXPECT_EQ(u.s.Gruppen.GruppenTabelle.at(1).Mitgliederzahl, 2);
}

TEST_F(GruppenBearbeiten, DeletingTheTwentiethAndDeletingWithNothingSelected) {
  Gruppen(20);
  const std::string vorher = GruppenBytes();
  EXPECT_FALSE(a.Loeschen());
  ASSERT_TRUE(a.Waehlen(19, 10, 10));
  ASSERT_TRUE(a.Loeschen());
  EXPECT_EQ(a.Gewaehlt(), -1);
  ASSERT_TRUE(a.Speichern(u.s, u.d));
  EXPECT_EQ(GruppenBytes(), vorher.substr(0, 19 * 756));
  EXPECT_EQ(u.s.Gruppen.GruppenAnzahl, 19);
  // The table holds nothing behind the groups that a stale number could reach.
  EXPECT_EQ(u.s.Gruppen.GruppenTabelle.at(20).Name, "");
  EXPECT_EQ(u.s.Gruppen.GruppenTabelle.at(20).Mitglieder[0], 0);

  // Deleting from the middle moves the rest up, in order.
  ASSERT_TRUE(a.Waehlen(0, 10, 10));
  ASSERT_TRUE(a.Loeschen());
  ASSERT_TRUE(a.Speichern(u.s, u.d));
  EXPECT_EQ(GruppenBytes(), vorher.substr(756, 18 * 756));
}

TEST_F(GruppenBearbeiten, PrintMarksAndAPrinterThatMayNotBeUsed) {
  Datei(GruppenSatz(756, {1, 2}, "A", false) + GruppenSatz(756, {2, 3}, "B", true));
  a.DruckenSetzen(true);  // nothing selected: no group changes
  EXPECT_FALSE(a.Gruppen()[0].Drucken);
  EXPECT_TRUE(a.Waehlen(1, 10, 10)->drucken);
  a.DruckerGewaehlt(-1);
  EXPECT_TRUE(a.Gruppen()[1].Drucken);
  a.DruckerGewaehlt(-2);
  EXPECT_FALSE(a.Gruppen()[1].Drucken);
  a.Waehlen(0, 10, 10);
  a.DruckenSetzen(true);
  ASSERT_TRUE(a.Speichern(u.s, u.d));
  EXPECT_EQ(GruppenBytes(),
            GruppenSatz(756, {1, 2}, "A", true) + GruppenSatz(756, {2, 3}, "B", false));
}

// Saving unchanged gives back the bytes that were read, also from a file of the old format,
// which the start converted: its records are saved in the new format, never read as new ones.
TEST_F(GruppenBearbeiten, SavingUnchangedKeepsTheBytesAndAnOldFileIsSavedConverted) {
  const std::string neu =
      GruppenSatz(756, {4, 9, 17}, Ansi("Rücklauf"), true) + GruppenSatz(756, {1, 2}, "B", false);
  Datei(neu);
  ASSERT_TRUE(a.Speichern(u.s, u.d));
  EXPECT_EQ(GruppenBytes(), neu);

  u.s.NurLesen = true;  // the start does not rewrite it: the dialog is the first to save
  Datei(GruppenSatz(276, {4, 9, 17}, Ansi("Rücklauf"), true) +
        GruppenSatz(276, {1, 2}, "B", false));
  u.s.NurLesen = false;
  ASSERT_EQ(a.Gruppen().size(), 2u);
  ASSERT_TRUE(a.Speichern(u.s, u.d));
  EXPECT_EQ(GruppenBytes(), neu);
}

TEST_F(GruppenBearbeiten, AFailedSaveNamesFileAndReasonAndChangesNothing) {
  Gruppen(2);
  const auto tabelle = u.s.Gruppen.GruppenTabelle;
  u.s.Auswahl.AktGruppe = 2;
  a.Waehlen(1, 10, 10);
  a.Loeschen();
  u.s.Pfade.GruppenDatei = u.verz / "fehlt" / "PEGELWART.GRP";
  EXPECT_FALSE(a.Speichern(u.s, u.d));
  ASSERT_EQ(u.meldungen.gezeigt.size(), 1u);
  const std::string& m = u.meldungen.gezeigt[0];
  EXPECT_NE(m.find(u.s.Pfade.GruppenDatei.string()), std::string::npos) << m;
  EXPECT_NE(m.find("No such file or directory"), std::string::npos) << m;
  EXPECT_EQ(u.s.Gruppen.GruppenAnzahl, 2);
  EXPECT_EQ(u.s.Gruppen.GruppenTabelle.at(2).Name, tabelle.at(2).Name);
  EXPECT_EQ(u.s.Auswahl.AktGruppe, 2);
}

// The charts' current group is a record number: after a save it names the same group or none.
TEST_F(GruppenBearbeiten, TheChartsCurrentGroupFollowsItsGroupOrIsReset) {
  struct Fall {
    int akt, loeschen, danach;
  };
  for (const Fall f : {Fall{3, 1, 2}, Fall{2, 1, 0}, Fall{1, 2, 1}, Fall{0, 0, 0}}) {
    Gruppen(3);
    u.s.Auswahl.AktGruppe = f.akt;
    a.Waehlen(f.loeschen, 10, 10);
    a.Loeschen();
    ASSERT_TRUE(a.Speichern(u.s, u.d));
    EXPECT_EQ(u.s.Auswahl.AktGruppe, f.danach) << f.akt << "/" << f.loeschen;
  }
}

// A group made when there were more parameters: its members above Itemcount are shown as
// missing and left out by every reader, with one log line per load.
TEST_F(GruppenBearbeiten, MembersAboveItemcountAreMarkedAndLeftOut) {
  Datei(GruppenSatz(756, {2, 5, 12, 40}, "Alt", false));
  const auto anzeige = a.Waehlen(0, 10, 10);
  ASSERT_TRUE(anzeige);
  EXPECT_EQ(anzeige->zeilen, (std::vector<int>{1, 4}));
  EXPECT_EQ(anzeige->fehlend, (std::vector<std::int32_t>{12, 40}));
  // The list may show fewer lines than Itemcount when loading stopped early.
  EXPECT_EQ(a.Waehlen(0, 3, 10)->zeilen, (std::vector<int>{1}));

  u.senke.zeilen.clear();
  EXPECT_EQ(GruppenMitgliederLaden(u.s.Gruppen.GruppenTabelle.at(1), 10, u.log),
            (std::vector<std::int32_t>{2, 5}));
  EXPECT_EQ(u.Log(), std::vector<std::string>{"Gruppe Alt: Parameter 12, 40 nicht vorhanden"});
  u.senke.zeilen.clear();
  EXPECT_EQ(GruppenMitgliederLaden(u.s.Gruppen.GruppenTabelle.at(1), 40, u.log).size(), 4u);
  EXPECT_TRUE(u.Log().empty());
}

}  // namespace
}  // namespace pegel
