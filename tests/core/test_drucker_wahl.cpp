// The stored printer is found again by name: the position only says where it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drucker_wahl.h"
#include "test_dienste.h"

namespace pegel {
namespace {

using Liste = std::vector<std::string>;

struct SuchFall {
  const char* was;
  int nr;
  std::string name;
  Liste liste;
  DruckerGrund grund;
  int position;
  std::string meldung;
};

TEST(DruckerSuchen, TheNameDecidesAndFaxesAndLockedNumbersNeverPrint) {
  const Liste zwei = {"Buero-FAX", "PDF"};
  const Liste mitArchiv = {"Archiv", "Buero-FAX", "PDF"};
  const SuchFall faelle[] = {
      {"same place", 1, "PDF", zwei, DruckerGrund::Gleich, 1, ""},
      {"moved on by a queue added before it", 1, "PDF", mitArchiv, DruckerGrund::Verschoben, 2,
       "Drucker PDF hat jetzt die Nummer 2 (gespeichert war 1)"},
      {"moved back, stored position now past the end", 2, "PDF", zwei, DruckerGrund::Verschoben, 1,
       "Drucker PDF hat jetzt die Nummer 1 (gespeichert war 2)"},
      // Position 0 now holds the fax: it must not be taken for the lost printer.
      {"gone, a fax at its position", 0, "Archiv", zwei, DruckerGrund::NichtVorhanden, -2,
       "Drucker Archiv nicht mehr vorhanden"},
      {"gone, no printers at all",
       0,
       "PDF",
       {},
       DruckerGrund::NichtVorhanden,
       -2,
       "Drucker PDF nicht mehr vorhanden"},
      {"names match exactly", 1, "pdf", zwei, DruckerGrund::NichtVorhanden, -2,
       "Drucker pdf nicht mehr vorhanden"},
      {"\"FAX\" even where it is listed", 0, "Buero-FAX", zwei, DruckerGrund::Fax, -2,
       "Drucker Buero-FAX ist ein Fax und wird nicht benutzt"},
      {"\"Fax\"",
       0,
       "Fax Halle 2",
       {"Fax Halle 2"},
       DruckerGrund::Fax,
       -2,
       "Drucker Fax Halle 2 ist ein Fax und wird nicht benutzt"},
      {"\"fax\" is a printer", 0, "telefax-frei", {"telefax-frei"}, DruckerGrund::Gleich, 0, ""},
      {"-2 never prints, whatever the name", -2, "PDF", zwei, DruckerGrund::Gesperrt, -2, ""},
      {"nor any lower number", -7, "PDF", zwei, DruckerGrund::Gesperrt, -2, ""},
      {"-1 is the system default, even with no list",
       -1,
       "Kein Drucker",
       {},
       DruckerGrund::Standard,
       -1,
       ""},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.was);
    const DruckerWahl w = DruckerSuchen(f.nr, f.name, f.liste);
    EXPECT_EQ(w.grund, f.grund);
    EXPECT_EQ(w.position, f.position);
    EXPECT_EQ(w.meldung, f.meldung);
    EXPECT_EQ(w.Erlaubt(), f.position >= -1);
  }
}

struct SetzFall {
  const char* was;
  int nr;
  std::string name;
  bool verfuegbar;
  std::vector<int> gesetzt;  // the positions handed to the platform
  DruckerGrund grund;
  bool meldungGezeigt;
};

TEST(DruckerSetzen, MakesTheFoundPositionCurrentAndLeavesARefusedPrinterAlone) {
  const SetzFall faelle[] = {
      {"moved", 0, "PDF", true, {2}, DruckerGrund::Verschoben, false},
      {"gone", 1, "Laser", true, {}, DruckerGrund::NichtVorhanden, false},
      {"fax", 1, "Buero-FAX", true, {}, DruckerGrund::Fax, false},
      {"locked", -2, "PDF", true, {}, DruckerGrund::Gesperrt, false},
      {"system default", -1, "", true, {-1}, DruckerGrund::Standard, false},
      {"platform refuses", 2, "PDF", false, {2}, DruckerGrund::NichtGesetzt, true},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.was);
    test::Umgebung u;
    u.drucker.liste = {"Archiv", "Buero-FAX", "PDF"};
    u.drucker.verfuegbar = f.verfuegbar;
    const DruckerWahl w = DruckerSetzen(u.d, f.nr, f.name);
    EXPECT_EQ(w.grund, f.grund);
    EXPECT_EQ(u.drucker.gesetzt, f.gesetzt);
    EXPECT_EQ(u.meldungen.gezeigt,
              f.meldungGezeigt ? std::vector<std::string>{"Fehler beim Einstellen des Druckers "
                                                          "(Men\xFC Gruppierung) !"}
                               : std::vector<std::string>{});
    EXPECT_TRUE(u.Log().empty()) << "the caller logs the decision";
  }
}

}  // namespace
}  // namespace pegel
