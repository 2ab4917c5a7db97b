#include <gtest/gtest.h>

#include <algorithm>

#include "erfassung_anlage.h"
#include "viewer.h"

namespace pegel::test {
namespace {

FensterZustand Gestoppt() { return FensterZustand{}; }

void LaeuftPruefen(const FensterZustand& z) {
  EXPECT_FALSE(z.btStarten);
  EXPECT_TRUE(z.btStoppen);
  EXPECT_FALSE(z.btBeenden);
  EXPECT_FALSE(z.lbAus);
  EXPECT_FALSE(z.menuGrafik);
  EXPECT_TRUE(z.TimerSample);
}

void GestopptPruefen(const FensterZustand& z) {
  EXPECT_TRUE(z.btStarten);
  EXPECT_FALSE(z.btStoppen);
  EXPECT_TRUE(z.btBeenden);
  EXPECT_TRUE(z.lbAus);
  EXPECT_TRUE(z.menuGrafik);
  EXPECT_FALSE(z.TimerSample);
}

struct ViewerAnlage : Anlage {
  Viewer viewer{s, d, &druck};
  ViewerAnlage() { s.DDEIntervallMs = 10500; }
};

TEST(Viewer, StartOhneGueltigeKonfigurationAendertNichts) {
  ViewerAnlage a;
  a.s.KonfigOK = false;
  a.viewer.Starten();
  EXPECT_EQ(
      a.meldungen.gezeigt,
      std::vector<std::string>{"Fehlerhafte Konfiguration ! PegelWart wird nicht gestartet."});
  EXPECT_EQ(a.viewer.Zustand(), Gestoppt());
  EXPECT_TRUE(a.Log().empty());
}

TEST(Viewer, StartUndStop) {
  ViewerAnlage a;
  a.s.Einstell.cbGanzerTag = true;
  a.Proben("x;10:00:00;1;2;3\r\n");
  GestopptPruefen(a.viewer.Zustand());
  EXPECT_TRUE(a.viewer.SchliessenErlaubt());

  a.viewer.Starten();
  LaeuftPruefen(a.viewer.Zustand());
  EXPECT_FALSE(a.viewer.SchliessenErlaubt());
  EXPECT_EQ(a.viewer.Tabelle().Spalten(), 4);
  EXPECT_TRUE(a.s.GanzerTag);
  EXPECT_DOUBLE_EQ(a.s.IntervallStunden, 10 / 3600.0);  // whole seconds only
  EXPECT_EQ(a.Log(), (std::vector<std::string>{
                         "Viewer gestartet.",
                         "PEGELDDE.INI > [Grafik] AlteDaten=0, alte Daten nicht gelesen."}));
  // Start runs one pass at once.
  EXPECT_EQ(a.s.PufferZeiger, 5);
  EXPECT_EQ(a.viewer.Abfrage().ZeilenGesamt(), 1);

  // Yes: the viewer goes on.
  a.meldungen.antworten = {true};
  a.viewer.Stoppen();
  LaeuftPruefen(a.viewer.Zustand());

  // No: stopped, with the print warning, and AlteDaten read again.
  DateiSchreiben(a.s.IniDatei, "[Grafik]\r\nAlteDaten=1\r\n");
  a.meldungen.gezeigt.clear();
  a.meldungen.antworten = {false};
  a.viewer.Stoppen();
  GestopptPruefen(a.viewer.Zustand());
  EXPECT_EQ(a.meldungen.gezeigt,
            (std::vector<std::string>{
                "Datenanzeige weiter arbeiten lassen ?",
                "Achtung: Bei gestoppter Anzeige erfolgt kein automatischer Ausdruck !"}));
  EXPECT_EQ(a.Log().back(), "Viewer gestoppt.");
  EXPECT_TRUE(a.s.AlteDaten);
  EXPECT_TRUE(a.viewer.SchliessenErlaubt());
}

TEST(Viewer, StartMitAltenDatenLaedtDenTag) {
  ViewerAnlage a;
  a.s.AlteDaten = true;
  DateiSchreiben(a.Datei(".DAT"), "x;00:01:00;1;1;1\r\nx;00:02:00;2;2;2\r\n");
  a.viewer.Starten();
  EXPECT_EQ(a.s.PufferZeiger, 6);
  EXPECT_EQ(a.s.ItemWerte[1].Anzahl, 2);
  // The immediate pass found no sample file, so AlteDaten still protects the day.
  EXPECT_TRUE(a.s.AlteDaten);
  a.Proben("x;00:03:00;3;3;3\r\n");
  a.viewer.TimerSampleTimer();
  EXPECT_EQ(a.s.ItemWerte[1].Anzahl, 3);
  EXPECT_FALSE(a.s.AlteDaten);
}

TEST(Viewer, EchtdatenErstMitEinemWertImPuffer) {
  ViewerAnlage a;
  a.s.AutoStartAktiv = true;
  a.viewer.AutoStart();
  EXPECT_TRUE(a.viewer.Zustand().TimerStart);
  EXPECT_FALSE(a.viewer.EchtdatenZeigen());
  EXPECT_TRUE(a.viewer.Zustand().lbAnzeige);
  EXPECT_FALSE(a.viewer.Zustand().btEchtdatenZeigen);
  EXPECT_TRUE(a.viewer.Zustand().TimerStart);

  a.Proben("x;10:00:00;1;2;3\r\n");
  a.viewer.TimerSampleTimer();
  EXPECT_TRUE(a.viewer.Zustand().btEchtdatenZeigen);
  EXPECT_TRUE(a.viewer.EchtdatenZeigen());
  EXPECT_FALSE(a.viewer.Zustand().lbAnzeige);
  EXPECT_FALSE(a.viewer.Zustand().TimerStart);
}

// Serves the pending events of a pass by clicking Stop, as a user may.
class StopImDurchlauf : public PendingEvents {
 public:
  Viewer* viewer = nullptr;
  void Verarbeiten() override {
    if (viewer != nullptr && viewer->Laeuft()) viewer->Stoppen();
  }
};

TEST(Viewer, StopWaehrendEinesDurchlaufsBleibtGestoppt) {
  ViewerAnlage a;
  StopImDurchlauf stop;
  Dienste d{a.uhr, a.meldungen, stop, a.log, a.drucker};
  Viewer viewer(a.s, d);
  stop.viewer = &viewer;
  viewer.Starten();
  a.Proben("x;10:00:00;1;2;3\r\n");
  viewer.TimerSampleTimer();  // the user stops while the pass serves pending events
  GestopptPruefen(viewer.Zustand());
}

TEST(Viewer, StartIstNachGeaenderterPufferlaengeGesperrt) {
  ViewerAnlage a;
  a.viewer.StartSperren();
  a.viewer.Starten();
  EXPECT_FALSE(a.viewer.Laeuft());
  EXPECT_TRUE(a.Log().empty());
}

TEST(Viewer, MenueTestfunktionen) {
  ViewerAnlage a;
  a.s.ItemWerte[1].Anzahl = 4;
  a.s.AktMax[2] = 9;
  a.s.WertPuffer[2].pop_back();  // a row that cannot be reset
  a.viewer.StatistikInitialisieren();
  EXPECT_EQ(a.s.ItemWerte[1].Anzahl, 0);
  EXPECT_EQ(a.s.AktMax[2], AktMaxStart);
  EXPECT_EQ(a.Log(), std::vector<std::string>{"Fehler bei der Puffer-Initialisierung !"});

  a.viewer.DruckMitternacht();
  EXPECT_EQ(a.druck.druckTage, std::vector<TDateTime>{a.uhr.jetzt});
}

}  // namespace
}  // namespace pegel::test
