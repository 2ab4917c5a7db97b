// The history chart window on the offscreen platform: shown with a hand-off, its group and
// day menus, the scale boxes, printing to a PDF printer, yesterday's data, and closing.
#include <QAction>
#include <QMenu>
#include <QPrinter>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "anlage_dateien.h"
#include "cp1252.h"
#include "hist_grafik.h"
#include "historie/fo_histograf.h"
#include "tagesdateien.h"
#include "test_dienste.h"
#include "text_format.h"

using namespace pegel;
using namespace pegel::ui;

namespace {

const TDateTime Gestern = DatumKodieren(2026, 12, 5);  // the test clock's day is 06.12.2026

struct Aufbau {
  test::Umgebung u;
  historie::HistGrafik grafik{u.s, u.d};
  QPrinter drucker;
  std::filesystem::path pdf = u.verz / "seite.pdf";
  TFo_HistoGraf fenster{u.s, u.d, grafik, &drucker};

  Aufbau() {
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(QString::fromStdString(pdf.string()));
    test::DateiSchreiben(u.s.Pfade.GruppenDatei,
                         test::GruppenSatz(756, {1, 3}, "Becken", false) +
                             test::GruppenSatz(756, {2, 7}, "Pumpen", false));
    auto& tabelle = u.s.Gruppen.GruppenTabelle;
    tabelle[1].Mitglieder[0] = 1, tabelle[1].Mitglieder[1] = 3, tabelle[1].Mitgliederzahl = 2;
    tabelle[2].Mitglieder[0] = 2, tabelle[2].Mitglieder[1] = 7, tabelle[2].Mitgliederzahl = 2;
  }

  // Yesterday's files: three parameters (analog, digital, analog) every minute of the day.
  void GesternSchreiben() {
    test::DateiSchreiben(
        PghDatei(u.verz.pfad(), Gestern),
        test::Kopf(
            "3", "60000",
            {{"Pegel", "1", "0", "m"}, {"Pumpe", "2", "0", "-"}, {"Zulauf", "1", "1", "l/s"}}));
    std::string dat;
    for (int j = 0; j < 1440; ++j) {
      dat += "x;" + ZeitText(j / 1440.0) + ";" + FestFormat(2 + std::sin(j / 200.0), 12, 3) + ";" +
             ((j / 120) % 2 ? "1" : "0") + ";" + FestFormat(40 + j % 97, 12, 1) + "\r\n";
    }
    test::DateiSchreiben(DatDatei(u.verz.pfad(), Gestern), dat);
  }

  static HistorienBereich Bereich(int typ = 1) {
    HistorienBereich b;
    b.Itemcount = 3;
    b.SelStart = 1;
    b.SelEnd = 120;
    b.Zeilen = 120;
    b.Zeitlabels = {"00:00:00", "00:30:00", "01:00:00", "01:30:00"};
    b.PunkteProLabel = 30;
    b.Tag = Gestern;
    b.Messintervall = 60000;
    HistorienKurve k;
    k.Parameter = 1;
    k.Name = "Pegel";
    k.Einheit = "m";
    k.Typ = typ;
    k.Kurvenfarbe = chart::Rgb(0, 0, 160);
    for (int j = 0; j < 120; ++j) k.Werte.push_back(5 + 3 * std::sin(j / 10.0));
    b.Kurven = {k};
    return b;
  }

  QAction* Aktion(const char* name) { return fenster.findChild<QAction*>(name); }

  // Runs `f` once the window is shown (inside its modal loop) and closes it afterwards in
  // any case, so a failed check cannot leave the test waiting.
  void ImFenster(std::function<void()> f) {
    auto* warten = new QTimer(&fenster);
    warten->setInterval(10);
    QObject::connect(warten, &QTimer::timeout, &fenster, [this, f, warten] {
      if (!fenster.isVisible()) return;
      warten->stop();
      warten->deleteLater();
      f();
      if (fenster.isVisible()) fenster.close();
    });
    warten->start();
  }
};

// Pixels of the page that are not white.
int Farbpunkte(const QImage& bild) {
  int n = 0;
  for (int y = 0; y < bild.height(); y += 2) {
    const auto* zeile = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
    for (int x = 0; x < bild.width(); x += 2) n += (zeile[x] & 0xffffff) != 0xffffff;
  }
  return n;
}

}  // namespace

class TestFoHistoGraf : public QObject {
  Q_OBJECT
 private slots:
  // Shown with a hand-off; the scale boxes redraw the page, "Standard wiederherstellen"
  // brings the first page back; "Zurück" closes and releases the charts.
  void zeigenSkalaUndZurueck() {
    Aufbau a;
    bool gezeigt = false, geaendert = false, standard = false, zurueck = false;
    a.ImFenster([&] {
      QCOMPARE(a.fenster.windowTitle(), QString("Gespeicherte Daten"));
      QCOMPARE(a.Aktion("Quer1")->text(), QString("B x H  =  284 x 199"));
      QTRY_VERIFY(Farbpunkte(a.fenster.Flaeche().Bild()) > 1000);
      gezeigt = a.grafik.seite.Anzahl == 1;
      const QImage vorher = a.fenster.Flaeche().Bild().copy();
      a.u.meldungen.eingaben = {"4", "0,5"};
      a.Aktion("UntereGrenze1")->trigger();
      geaendert = !a.grafik.Standardskala && a.grafik.UntereGrenze == 4.0 &&
                  a.grafik.Skalenteilung == 0.5 && a.fenster.Flaeche().Bild() != vorher;
      a.Aktion("Standardwiederherstellen1")->trigger();
      standard = a.grafik.Standardskala && a.fenster.Flaeche().Bild() == vorher;
      a.Aktion("Zurueck1")->trigger();
      zurueck = !a.fenster.isVisible();
    });
    QVERIFY(a.fenster.Zeigen(Aufbau::Bereich()));
    QVERIFY(gezeigt && geaendert && standard && zurueck);
    QCOMPARE(a.u.meldungen.gezeigt,
             (std::vector<std::string>{"Grafik-Skalierung|Untere Grenze ?",
                                       "Grafik-Skalierung|Skalenteilung ?"}));
    QCOMPARE(a.grafik.seite.Anzahl, 0);

    // A hand-off that cannot be charted is refused without showing the window.
    QVERIFY(!a.fenster.Zeigen(Aufbau::Bereich(3)));
    QVERIFY(!a.fenster.isVisible());
  }

  void gruppenMenueUndTagMenue() {
    Aufbau a;
    a.GesternSchreiben();
    a.u.s.Tage.HistKopf.Itemcount = 3;
    a.u.s.Tage.HistKopf.Par[1].Name = "Browser";
    bool gruppe = false, tag = false;
    a.ImFenster([&] {
      auto* menue = a.fenster.findChild<QMenu*>("Gruppe1");
      QCOMPARE(menue->title(), QString::fromUtf8("   Gruppe wählen   "));
      QCOMPARE(menue->actions().size(), 2);
      QCOMPARE(menue->actions().at(1)->text(), QString("Pumpen"));

      // The day menu charts yesterday's first parameters into the window's own grid.
      a.Aktion("Gestern1")->trigger();
      tag = a.grafik.seite.Anzahl == 3 && a.grafik.Zeilen == 1440 &&
            a.grafik.seite.Anzeige[2].Name == "Pumpe" &&
            a.u.s.Tage.HistKopf.Par[1].Name == "Browser" && a.u.s.Tage.DatenGitter.Zeilen() == 0;

      // Group 2 has member 7 beyond the day: one chart and a log line.
      const QImage vorher = a.fenster.Flaeche().Bild().copy();
      menue->actions().at(1)->trigger();
      gruppe = a.u.s.Auswahl.AktGruppe == 2 && a.grafik.seite.Anzahl == 1 &&
               a.grafik.seite.Anzeige[1].Name == "Pumpe" && a.fenster.Flaeche().Bild() != vorher;
    });
    QVERIFY(a.fenster.Zeigen(Aufbau::Bereich()));
    QVERIFY(tag);
    QVERIFY(gruppe);
    QVERIFY(a.u.meldungen.gezeigt.empty());
  }

  // Each job is ended: the PDF is complete after the first print and a second one follows.
  void druckenBeendetDenAuftrag() {
    Aufbau a;
    bool gedruckt = false, wieder = false;
    a.ImFenster([&] {
      a.Aktion("Quer1")->trigger();  // portrait for this job
      a.Aktion("Drucken1")->trigger();
      const std::string inhalt = test::DateiLesen(a.pdf);
      gedruckt = inhalt.rfind("%PDF", 0) == 0 && inhalt.find("%%EOF") != std::string::npos &&
                 !a.grafik.DruckAktiv &&
                 a.drucker.pageLayout().orientation() == QPageLayout::Portrait;
      std::filesystem::remove(a.pdf);
      a.Aktion("Quer1")->trigger();
      a.Aktion("Drucken1")->trigger();
      wieder = std::filesystem::file_size(a.pdf) > 1000 &&
               a.drucker.pageLayout().orientation() == QPageLayout::Landscape;
    });
    QVERIFY(a.fenster.Zeigen(Aufbau::Bereich()));
    QVERIFY(gedruckt);
    QVERIFY(wieder);
    QCOMPARE(a.Aktion("Quer1")->text(), QString("B x H  =  297 x 210"));
  }

  void alteDatenVonGestern() {
    Aufbau a;
    QVERIFY(!a.fenster.AlteDatenZeigen());
    QVERIFY(a.u.Geloggt("PGH-Datei " + PghDatei(a.u.verz.pfad(), Gestern).string() +
                        Ansi(" nicht gefunden oder ungültig !")));
    QVERIFY(a.u.meldungen.gezeigt.empty());

    a.GesternSchreiben();
    bool gezeigt = false;
    a.ImFenster([&] {
      QTRY_VERIFY(Farbpunkte(a.fenster.Flaeche().Bild()) > 1000);
      gezeigt = a.grafik.seite.Anzahl == 3 && a.grafik.seite.Tag == Gestern;
    });
    QVERIFY(a.fenster.AlteDatenZeigen());
    QVERIFY(gezeigt);
  }
};

QTEST_MAIN(TestFoHistoGraf)
#include "test_fo_histograf.moc"
