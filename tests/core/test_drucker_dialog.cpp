// The printer dialog's logic against a fake print system: the fax rule, the five keys, the page
// size check, one initialisation per showing, the stored printer found by name at load and
// before a print, and a printer that cannot be set at an automatic start.
#include <gtest/gtest.h>

#include "drucker_dialog.h"
#include "konfig_hilfen.h"
#include "test_dienste.h"

namespace pegel {
namespace {

using test::DateiLesen;
using test::DateiSchreiben;

class DruckerDialogTest : public ::testing::Test {
 protected:
  test::Umgebung u;
  DruckerDialog dlg;
  void Ini(const std::string& t) { DateiSchreiben(u.s.Pfade.IniDatei, t); }
  std::string IniText() const { return DateiLesen(u.s.Pfade.IniDatei); }
  void Oeffnen() {
    dlg.Zeigen(u.s, u.d);
    dlg.Aktivieren(u.s);
  }
};

// Saving a fax stores -2 and the fax's name, so it never prints; the keys go where they belong
// and the collector's lines stay as they were.
TEST_F(DruckerDialogTest, SavingStoresTheFiveKeysAndAFaxAsMinusTwo) {
  const std::string sammler = "; Sammler\r\n[DDE]\r\nItemcount=0\r\n";
  Ini(sammler);
  u.drucker.liste = {"Buero-FAX", "PDF"};
  Oeffnen();
  dlg.ZeileWaehlen(1, u.d);
  dlg.AusrichtungWaehlen(false, u.d);
  EXPECT_EQ(dlg.Breite, "210");
  EXPECT_EQ(dlg.Hoehe, "297");
  ASSERT_TRUE(dlg.Sichern(u.s, u.d));
  EXPECT_EQ(IniText(),
            "; Sammler\r\n[DDE]\r\nItemcount=0\r\nDrucker=1\r\nDruckername=PDF\r\n"
            "\r\n[PegelWart]\r\nDruckbreite=210\r\nDruckhoehe=297\r\nQuerformat=0\r\n");
  EXPECT_EQ(u.s.Druck.DruckerNr, 1);
  EXPECT_EQ(u.s.Druck.Druckbreite, 210);
  EXPECT_FALSE(u.s.Druck.Querformat);

  u.drucker.gesetzt.clear();
  dlg.ZeileWaehlen(0, u.d);
  EXPECT_EQ(dlg.DruckerNr, -2);
  EXPECT_EQ(u.drucker.gesetzt, std::vector<int>{}) << "a fax is never made current";
  u.meldungen.gezeigt.clear();
  ASSERT_TRUE(dlg.Sichern(u.s, u.d));
  EXPECT_EQ(u.meldungen.gezeigt,
            std::vector<std::string>{"Das Fax ist als Drucker nicht zugelassen !"});
  EXPECT_NE(IniText().find("Drucker=-2\r\nDruckername=Buero-FAX\r\n"), std::string::npos);
  EXPECT_EQ(u.s.Druck.DruckerNr, -2);
}

TEST_F(DruckerDialogTest, NothingSelectedClosesAndStoresNothing) {
  Ini("[DDE]\r\nDrucker=0\r\nDruckername=Laser\r\n");  // no longer installed
  u.drucker.liste = {"PDF"};
  Oeffnen();
  EXPECT_EQ(dlg.Zeile, -1);
  EXPECT_TRUE(dlg.Sichern(u.s, u.d));
  EXPECT_EQ(IniText(), "[DDE]\r\nDrucker=0\r\nDruckername=Laser\r\n");
}

// A whole number outside 50..2000 mm is refused (0 would divide by zero in the page fit); a
// text that is no whole number is stored as typed and used as the default.
TEST_F(DruckerDialogTest, PageSizesOutsideTheRangeAreRefused) {
  struct Fall {
    const char* breite;
    const char* hoehe;
    bool schliesst;
    int druckbreite;
  };
  const Fall faelle[] = {
      {"0", "199", false, 0},    {"284", "-5", false, 0},   {"2001", "199", false, 0},
      {"49", "199", false, 0},   {"284", "2001", false, 0}, {"50", "2000", true, 50},
      {"abc", "199", true, 284},
  };
  for (const Fall& f : faelle) {
    Ini("[DDE]\r\n");
    u.meldungen.gezeigt.clear();
    Oeffnen();
    dlg.Zeile = 0;
    dlg.Breite = f.breite;
    dlg.Hoehe = f.hoehe;
    EXPECT_EQ(dlg.Sichern(u.s, u.d), f.schliesst) << f.breite;
    if (f.schliesst) {
      EXPECT_NE(IniText().find(std::string("Druckbreite=") + f.breite + "\r\n"), std::string::npos);
      EXPECT_EQ(u.s.Druck.Druckbreite, f.druckbreite);
    } else {
      EXPECT_EQ(IniText(), "[DDE]\r\n") << f.breite;
      EXPECT_EQ(u.meldungen.gezeigt,
                std::vector<std::string>{Ansi("Höhe und Breite müssen zwischen 50 und 2000 mm "
                                              "liegen !")});
    }
  }
}

// While the dialog opens, the orientation buttons do not touch the printer; the first
// activation fills the controls from the file, a later one (after a message box) keeps the
// operator's choices.
TEST_F(DruckerDialogTest, InitialisedOncePerShowing) {
  Ini("[PegelWart]\r\nQuerformat=1\r\nDruckbreite=250\r\nDruckhoehe=180\r\n");
  dlg.Zeigen(u.s, u.d);
  dlg.AusrichtungWaehlen(false, u.d);
  EXPECT_FALSE(u.drucker.quer.has_value());
  dlg.Aktivieren(u.s);
  EXPECT_TRUE(dlg.Quer);
  EXPECT_EQ(dlg.Breite, "250");

  dlg.AusrichtungWaehlen(false, u.d);
  EXPECT_EQ(u.drucker.quer, false);
  EXPECT_EQ(dlg.Breite, "210");
  dlg.Aktivieren(u.s);
  EXPECT_FALSE(dlg.Quer);
  EXPECT_EQ(dlg.Breite, "210");
  EXPECT_EQ(dlg.Hoehe, "297");
}

TEST_F(DruckerDialogTest, ShowingFindsTheStoredPrinterByNameOrSaysThereIsNone) {
  Ini("[DDE]\r\nDrucker=0\r\nDruckername=PDF\r\n");
  u.drucker.liste = {"Archiv", "PDF"};
  Oeffnen();
  EXPECT_EQ(dlg.Zeile, 1);
  EXPECT_EQ(dlg.Standard, "PDF,cups-pdf,PDF");

  u.drucker.liste = {};
  Oeffnen();
  EXPECT_EQ(dlg.DruckerNr, -2);
  EXPECT_EQ(dlg.Standard, "Kein Drucker angeschlossen");
  EXPECT_EQ(u.meldungen.gezeigt, std::vector<std::string>{"Es ist kein Drucker vorhanden !"});
}

// Before each print the stored name decides (the rules themselves: test_drucker_wahl).
TEST_F(DruckerDialogTest, BeforeAPrintThePrinterIsLookedUpByName) {
  u.drucker.liste = {"Archiv", "Buero-FAX", "PDF"};
  struct Fall {
    int nr;
    const char* name;
    bool druckt;
    std::vector<int> gesetzt;
    std::vector<std::string> log;
  };
  const Fall faelle[] = {
      {1, "PDF", true, {2}, {"Drucker PDF hat jetzt die Nummer 2 (gespeichert war 1)"}},
      {1, "Buero-FAX", false, {}, {"Drucker Buero-FAX ist ein Fax und wird nicht benutzt"}},
      {0, "Laser", false, {}, {"Drucker Laser nicht mehr vorhanden"}},
  };
  for (const Fall& f : faelle) {
    u.drucker.gesetzt.clear();
    u.senke.zeilen.clear();
    u.s.Druck.DruckerNr = f.nr;
    u.s.Druck.DruckerName = f.name;
    EXPECT_EQ(DruckerVorDemDruck(u.s, u.d), f.druckt) << f.name;
    EXPECT_EQ(u.drucker.gesetzt, f.gesetzt) << f.name;
    EXPECT_EQ(u.Log(), f.log) << f.name;
  }
}

// At the start the stored printer is looked up by name. One that cannot be set is only logged
// when the display starts by itself: nobody is there to click the message away.
TEST_F(DruckerDialogTest, AtStartAPrinterThatCannotBeSetNeverBlocksAnAutomaticStart) {
  const std::string setzfehler = Ansi("Fehler beim Einstellen des Druckers (Menü Gruppierung) !");
  for (const bool autoStart : {true, false}) {
    Ini("[DDE]\r\nItemcount=0\r\nDrucker=0\r\nDruckername=PDF\r\n[Grafik]\r\nAutoStart=" +
        std::string(autoStart ? "1" : "0") + "\r\n");
    u.drucker.verfuegbar = false;
    u.meldungen.gezeigt.clear();
    u.senke.zeilen.clear();
    Initialisierung(u.s, u.d);
    const auto& m = u.meldungen.gezeigt;
    EXPECT_EQ(std::count(m.begin(), m.end(), setzfehler), autoStart ? 0 : 1);
    EXPECT_EQ(u.Geloggt(setzfehler), autoStart);
  }
  u.drucker.verfuegbar = true;
  Ini("[DDE]\r\nItemcount=0\r\nDrucker=0\r\nDruckername=Laser\r\n");
  u.drucker.gesetzt.clear();
  u.senke.zeilen.clear();
  Initialisierung(u.s, u.d);
  EXPECT_TRUE(u.drucker.gesetzt.empty());
  EXPECT_TRUE(u.Geloggt("Drucker Laser nicht mehr vorhanden"));
}

}  // namespace
}  // namespace pegel
