#include <gtest/gtest.h>

#include "erfassung_anlage.h"
#include "viewer.h"

namespace pegel::test {
namespace {

// The columns of the state table: btStarten, btStoppen, btBeenden, lbAus, menu Grafik,
// TimerSample.
std::vector<bool> Zeile(const FensterZustand& z) {
  return {z.btStarten, z.btStoppen, z.btBeenden, z.lbAus, z.menuGrafik, z.TimerSample};
}
const std::vector<bool> Gestoppt = {true, false, true, true, true, false};
const std::vector<bool> Laeuft = {false, true, false, false, false, true};

struct ViewerAnlage : Anlage {
  Viewer viewer{s, d, &druck};
};

TEST(Viewer, StartOhneGueltigeKonfigurationWirdAbgelehnt) {
  ViewerAnlage a;
  a.s.KonfigOK = false;
  a.viewer.Starten();
  EXPECT_EQ(
      a.meldungen.gezeigt,
      std::vector<std::string>{"Fehlerhafte Konfiguration ! PegelWart wird nicht gestartet."});
  EXPECT_EQ(Zeile(a.viewer.Zustand()), Gestoppt);
}

// A started viewer; the collector's interval of 10.5 s counts in whole seconds.
struct LaufendeAnlage : ViewerAnlage {
  LaufendeAnlage() {
    s.Takt.DDEIntervallMs = 10500;
    Proben("x;10:00:00;1;2;3\r\n");
    viewer.Starten();
  }
};

TEST(Viewer, StartSchaltetAufLaufenUndFragtSofortAb) {
  LaufendeAnlage a;
  EXPECT_EQ(Zeile(a.viewer.Zustand()), Laeuft);
  EXPECT_FALSE(a.viewer.SchliessenErlaubt());
  EXPECT_DOUBLE_EQ(a.s.Abfrage.IntervallStunden, 10 / 3600.0);
  EXPECT_TRUE(a.Geloggt("PEGELDDE.INI > [Grafik] AlteDaten=0, alte Daten nicht gelesen."));
  EXPECT_EQ(a.viewer.Abfrage().ZeilenGesamt(), 1);  // one pass at once
}

TEST(Viewer, StopMitJaAendertNichts) {
  LaufendeAnlage a;
  a.meldungen.antworten = {true};  // "weiter arbeiten lassen ?" Yes
  a.viewer.Stoppen();
  EXPECT_EQ(Zeile(a.viewer.Zustand()), Laeuft);
  EXPECT_EQ(a.meldungen.warnFragen,
            std::vector<std::string>{"Datenanzeige weiter arbeiten lassen ?"});
}

TEST(Viewer, StopMitNeinWarntHaeltAnUndLiestAlteDatenNeu) {
  LaufendeAnlage a;
  DateiSchreiben(a.s.Pfade.IniDatei, "[Grafik]\r\nAlteDaten=1\r\n");
  a.viewer.Stoppen();
  EXPECT_EQ(Zeile(a.viewer.Zustand()), Gestoppt);
  EXPECT_EQ(a.meldungen.gezeigt.back(),
            "Achtung: Bei gestoppter Anzeige erfolgt kein automatischer Ausdruck !");
  EXPECT_EQ(a.Log().back(), "Viewer gestoppt.");
  EXPECT_TRUE(a.s.Anzeige.AlteDaten);

  // Without the key the key table's one default holds, as for the loader.
  a.viewer.Starten();
  DateiSchreiben(a.s.Pfade.IniDatei, "[Grafik]\r\n");
  a.viewer.Stoppen();
  EXPECT_TRUE(a.s.Anzeige.AlteDaten);
}

TEST(Viewer, EchtdatenErstMitEinemWertImPuffer) {
  ViewerAnlage a;
  a.s.Anzeige.AutoStartAktiv = true;
  a.viewer.AutoStart();
  EXPECT_FALSE(a.viewer.EchtdatenZeigen());
  EXPECT_TRUE(a.viewer.Zustand().lbAnzeige && a.viewer.Zustand().TimerStart);
  a.Proben("x;10:00:00;1;2;3\r\n");
  a.viewer.TimerSampleTimer();
  EXPECT_TRUE(a.viewer.EchtdatenZeigen());
  EXPECT_FALSE(a.viewer.Zustand().lbAnzeige || a.viewer.Zustand().TimerStart);
}

// Between two starts the parameter count may change: the table takes the new shape, and
// the cells of the columns both shapes have keep their content.
TEST(Viewer, EinNeuerStartFormtDieTabelleUmUndBehaeltGemeinsameZellen) {
  ViewerAnlage a;
  a.Proben("x;10:00:00;1;2;3\r\n");
  a.viewer.Starten();
  ASSERT_EQ(a.viewer.Tabelle().Zelle(3, 5), "3,00");
  a.viewer.Stoppen();
  test::ItemcountSetzen(a.s, 2);
  a.viewer.Starten();
  EXPECT_EQ(a.viewer.Tabelle().Spalten(), 3);
  EXPECT_EQ(a.viewer.Tabelle().Zelle(1, 5) + " " + a.viewer.Tabelle().Zelle(2, 5), "1,00 2,00");
  EXPECT_EQ(a.viewer.Tabelle().Zelle(0, 5), ">>>>>>>>>>");
  a.viewer.Stoppen();
  test::ItemcountSetzen(a.s, 3);
  a.viewer.Starten();
  EXPECT_EQ(a.viewer.Tabelle().Zelle(2, 5) + "|" + a.viewer.Tabelle().Zelle(3, 5), "2,00|");
}

TEST(Viewer, StopWaehrendEinesDurchlaufsBleibtGestoppt) {
  struct StopKlick : PendingEvents {
    Viewer* viewer = nullptr;
    void Verarbeiten() override { viewer->Stoppen(); }
  } stop;
  ViewerAnlage a;
  Dienste d{a.uhr, a.meldungen, stop, a.log, a.drucker};
  Viewer viewer(a.s, d);
  stop.viewer = &viewer;
  viewer.Starten();
  a.Proben("x;10:00:00;1;2;3\r\n");
  viewer.TimerSampleTimer();  // the user stops while the pass serves pending events
  EXPECT_EQ(Zeile(viewer.Zustand()), Gestoppt);
}

}  // namespace
}  // namespace pegel::test
