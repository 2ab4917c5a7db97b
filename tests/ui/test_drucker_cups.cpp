// The Qt printer service against a private CUPS scheduler: the list by name, the default's
// description, a stored printer found again by name after queues came and went, the printable
// size per orientation, and a job that reaches the queue.
#include <QApplication>
#include <QPainter>
#include <QtTest>
#include <algorithm>

#include "drucker_dialog.h"
#include "drucker_wahl.h"
#include "konfiguration.h"
#include "privater_cups.h"
#include "qt_drucker.h"
#include "test_dienste.h"

using namespace pegel;
using namespace pegel::ui;

namespace {

using Liste = std::vector<std::string>;

// The Qt printer service with recording messages and log.
struct Aufbau {
  test::TempVerz verz;
  PegelStatus s;
  test::TestClock uhr;
  test::RecordingMessages meldungen;
  test::CountingEvents ereignisse;
  test::RecordingSink senke;
  QtDrucker drucker;
  Logbuch log{s, uhr, &senke};
  Dienste d{uhr, meldungen, ereignisse, log, drucker};

  Aufbau() { s.PfadeSetzen(verz.pfad()); }
};

}  // namespace

class TestDruckerCups : public QObject {
  Q_OBJECT

 public:
  explicit TestDruckerCups(test::PrivaterCups& cups) : cups_(cups) {}

 private:
  test::PrivaterCups& cups_;

  // Adds a queue for one test and removes it afterwards, so the next test finds the two
  // queues of the start.
  struct Queue {
    test::PrivaterCups& cups;
    std::string name;
    std::string fehler;
    Queue(test::PrivaterCups& c, std::string n, const std::string& modell = "")
        : cups(c), name(std::move(n)), fehler(cups.QueueNeu(name, "file:///dev/null", modell)) {}
    ~Queue() {
      if (fehler.empty()) cups.QueueWeg(name);
    }
  };

 private slots:
  void listsThePrivateQueuesByNameAndDescribesTheDefault() {
    QtDrucker drucker;
    QCOMPARE(drucker.Druckerliste(), (Liste{"Buero-FAX", "PDF"}));
    QVERIFY(drucker.Verfuegbar());
    QCOMPARE(QString::fromStdString(drucker.StandardBeschreibung()),
             QStringLiteral("PDF,Generic CUPS-PDF Printer (w/ options),cups-pdf:/"));

    const Queue archiv(cups_, "Archiv");
    QVERIFY2(archiv.fehler.empty(), archiv.fehler.c_str());
    QCOMPARE(drucker.Druckerliste(), (Liste{"Archiv", "Buero-FAX", "PDF"}));
  }

  // The stored "PDF" at position 1 is found at 2 once "Archiv" sorts before it; a stored
  // "Archiv" whose queue is gone is refused although its old position now holds the fax.
  void findsTheStoredPrinterByNameAfterQueuesComeAndGo() {
    Aufbau a;
    QCOMPARE(DruckerSetzen(a.d, 1, "PDF").grund, DruckerGrund::Gleich);
    {
      const Queue archiv(cups_, "Archiv");
      QVERIFY2(archiv.fehler.empty(), archiv.fehler.c_str());
      const DruckerWahl w = DruckerSetzen(a.d, 1, "PDF");
      QCOMPARE(w.grund, DruckerGrund::Verschoben);
      QCOMPARE(w.position, 2);
      QCOMPARE(w.meldung, std::string("Drucker PDF hat jetzt die Nummer 2 (gespeichert war 1)"));
      QCOMPARE(a.drucker.Drucker().printerName(), QStringLiteral("PDF"));
      QCOMPARE(DruckerSetzen(a.d, 0, "Archiv").grund, DruckerGrund::Gleich);
      QCOMPARE(a.drucker.Drucker().printerName(), QStringLiteral("Archiv"));
    }
    const DruckerWahl weg = DruckerSetzen(a.d, 0, "Archiv");
    QCOMPARE(weg.grund, DruckerGrund::NichtVorhanden);
    QCOMPARE(weg.meldung, std::string("Drucker Archiv nicht mehr vorhanden"));
    QVERIFY(a.drucker.Drucker().printerName() != QStringLiteral("Buero-FAX"));

    QCOMPARE(DruckerSetzen(a.d, -1, "").grund, DruckerGrund::Standard);
    QCOMPARE(a.drucker.Drucker().printerName(), QStringLiteral("PDF"));
    QCOMPARE(a.meldungen.gezeigt, Liste{});
  }

  // PDF: A4 with no margins in its PPD. Archiv: US Letter by default with 12 pt margins all
  // round, so 588 x 768 pt printable = 207.43 x 270.93 mm.
  void printableSizeFollowsTheOrientationAndSurvivesAChangeOfPrinter() {
    const Queue archiv(cups_, "Archiv", "drv:///sample.drv/generic.ppd");
    QVERIFY2(archiv.fehler.empty(), archiv.fehler.c_str());
    QtDrucker drucker;  // on the default printer, PDF
    using Groesse = std::optional<std::pair<int, int>>;
    QVERIFY(drucker.Ausrichtung(false));
    QCOMPARE(drucker.SeitengroesseMm(), (Groesse{{210, 297}}));
    QVERIFY(drucker.Ausrichtung(true));
    QCOMPARE(drucker.SeitengroesseMm(), (Groesse{{297, 210}}));

    QVERIFY(drucker.Setzen(0));  // Archiv, on its own paper, still landscape
    QCOMPARE(drucker.SeitengroesseMm(), (Groesse{{270, 207}}));
    QVERIFY(drucker.Ausrichtung(false));
    QCOMPARE(drucker.SeitengroesseMm(), (Groesse{{207, 270}}));
    QVERIFY(drucker.Setzen(2));  // PDF, still portrait
    QCOMPARE(drucker.SeitengroesseMm(), (Groesse{{210, 297}}));
    QVERIFY(!drucker.Setzen(3));
  }

  // The program's start, the printer dialog and the check before a print all go by the stored
  // name once a queue added before it has moved "PDF" from position 1 to 2.
  void theStartTheDialogAndThePrintFindThePrinterByNameAfterAQueueWasAdded() {
    Aufbau a;
    test::DateiSchreiben(a.s.Pfade.IniDatei,
                         "[DDE]\r\nItemcount=0\r\nDrucker=1\r\nDruckername=PDF\r\n");
    const Queue archiv(cups_, "Archiv");
    QVERIFY2(archiv.fehler.empty(), archiv.fehler.c_str());

    Initialisierung(a.s, a.d);
    const auto log = a.senke.Meldungen();
    QVERIFY(std::find(log.begin(), log.end(),
                      "Drucker PDF hat jetzt die Nummer 2 (gespeichert war 1)") != log.end());
    QCOMPARE(a.s.Druck.DruckerNr, 2);
    QCOMPARE(a.drucker.Drucker().printerName(), QStringLiteral("PDF"));

    DruckerDialog dlg;
    dlg.Zeigen(a.s, a.d);
    dlg.Aktivieren(a.s);
    QCOMPARE(dlg.Liste, (Liste{"Archiv", "Buero-FAX", "PDF"}));
    QCOMPARE(dlg.Zeile, 2);
    QCOMPARE(QString::fromStdString(dlg.Standard),
             QStringLiteral("PDF,Generic CUPS-PDF Printer (w/ options),cups-pdf:/"));
    dlg.ZeileWaehlen(1, a.d);  // the fax: refused, not made current
    QCOMPARE(dlg.DruckerNr, -2);
    QCOMPARE(a.drucker.Drucker().printerName(), QStringLiteral("PDF"));
    dlg.ZeileWaehlen(0, a.d);
    QCOMPARE(a.drucker.Drucker().printerName(), QStringLiteral("Archiv"));
    QVERIFY(dlg.Sichern(a.s, a.d));
    QCOMPARE(a.s.Druck.DruckerName, std::string("Archiv"));

    // The stored queue is removed: its old position now holds the fax, and nothing prints.
    QVERIFY(cups_.QueueWeg("Archiv").empty());
    a.senke.zeilen.clear();
    QVERIFY(!DruckerVorDemDruck(a.s, a.d));
    QCOMPARE(a.senke.Meldungen(), Liste{"Drucker Archiv nicht mehr vorhanden"});
    QVERIFY(cups_.QueueNeu("Archiv").empty());  // for the Queue's own removal
  }

  void aJobPrintedOnTheFoundQueueArrives() {
    const Queue archiv(cups_, "Archiv");
    QVERIFY2(archiv.fehler.empty(), archiv.fehler.c_str());
    Aufbau a;
    QVERIFY(DruckerSetzen(a.d, 1, "PDF").Erlaubt());
    const std::size_t vorher = cups_.ErledigteAuftraege("PDF").size();
    const std::size_t pdfVorher = cups_.PdfDateien().size();

    QPrinter& p = a.drucker.Drucker();
    p.setDocName("Gruppe Zulauf");
    QPainter maler;
    QVERIFY(maler.begin(&p));
    maler.drawText(QPointF(100, 100), "Zulauf");
    QVERIFY(maler.end());

    QCOMPARE(cups_.AufAuftraegeWarten("PDF", vorher + 1).size(), vorher + 1);
    QCOMPARE(cups_.ErledigteAuftraege("Archiv"), Liste{});
    if (cups_.Modus() == "cups-pdf") {
      const auto dateien = cups_.PdfDateien();
      QCOMPARE(dateien.size(), pdfVorher + 1);
      const auto neu = std::find_if(dateien.begin(), dateien.end(), [](const auto& p) {
        return p.filename().string().find("Gruppe_Zulauf") != std::string::npos;
      });
      QVERIFY(neu != dateien.end());
      QVERIFY(test::DateiLesen(*neu).starts_with("%PDF"));
    }
  }
};

int main(int argc, char** argv) {
  // Before QApplication and any printing: libcups and Qt's print plugin read CUPS_SERVER once.
  test::PrivaterCups cups;
  if (!cups.Laeuft()) return cups.OhneServer();
  QApplication app(argc, argv);
  TestDruckerCups t(cups);
  return QTest::qExec(&t, argc, argv);
}

#include "test_drucker_cups.moc"
