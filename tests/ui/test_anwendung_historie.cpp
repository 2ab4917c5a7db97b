// The program's wiring of the stored-day windows: "Gespeicherte Daten" reaches the history
// browser, and its " Grafik" and " Werte-Tabelle" open the history chart and the value table
// with the span the operator chose.
#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "anlage_dateien.h"
#include "anwendung.h"
#include "hilfen.h"
#include "historie/fo_history.h"
#include "test_dienste.h"
#include "text_format.h"

using namespace pegel;

namespace {

QWidget* TopFenster(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == name) return w;
  }
  return nullptr;
}

// Closes every modal window that opens while it lives, and notes whose it was.
class ModaleSchliessen {
 public:
  ModaleSchliessen() {
    QObject::connect(&takt_, &QTimer::timeout, [this] {
      QWidget* w = QApplication::activeModalWidget();
      if (w == nullptr) return;
      gesehen << w->objectName();
      if (auto* dialog = qobject_cast<QDialog*>(w)) {
        dialog->reject();
      } else {
        w->close();
      }
    });
    takt_.start(50);
  }
  QStringList gesehen;

 private:
  QTimer takt_;
};

}  // namespace

class TestAnwendungHistorie : public QObject {
  Q_OBJECT
 private slots:
  void BrowserOeffnetDiagrammUndTabelle();
};

void TestAnwendungHistorie::BrowserOeffnetDiagrammUndTabelle() {
  test::TempVerz v;
  const QDate heute = QDate::currentDate();
  const std::string name =
      DatumZuDateiname(DatumKodieren(heute.year(), heute.month(), heute.day()));
  test::DateiSchreiben(
      v / (name + ".PGH"),
      test::Kopf("2", "10000", {{"Pegel", "1", "0", "m"}, {"Zulauf", "1", "0", "l/s"}}));
  test::DateiSchreiben(v / (name + ".DAT"),
                       "1;08:00:00;1,5;10\r\n1;08:00:10;2,5;11\r\n1;08:00:20;3,5;12\r\n"
                       "1;08:00:30;4,5;13\r\n");
  ui::Anwendung a(v.pfad());

  auto* knopf = a.Hauptfenster().findChild<QPushButton*>("btHistoryZeigen");
  QVERIFY(knopf != nullptr);
  QVERIFY(knopf->isEnabled());
  auto* browser = qobject_cast<ui::TFo_History*>(TopFenster("Fo_History"));
  QVERIFY(browser != nullptr);
  browser->show();  // the button exec()s it; shown here so that the test can go on
  QCoreApplication::processEvents();
  auto* tage = browser->findChild<QListWidget*>("lstDAT");
  QVERIFY(tage != nullptr && tage->count() >= 1);
  tage->setCurrentRow(0);
  browser->lstDATClick();
  QCOMPARE(browser->Zeilenzahl(), 4);
  auto* pars = browser->findChild<QListWidget*>("lbPars");
  QCOMPARE(pars->count(), 2);
  pars->item(0)->setSelected(true);
  pars->item(1)->setSelected(true);

  ModaleSchliessen schliessen;
  browser->btGrafikClick();
  QCOMPARE(schliessen.gesehen, QStringList{"Fo_HistoGraf"});
  QVERIFY(browser->findChild<QPushButton*>("btGrafik")->isEnabled());

  auto* tabelle = browser->findChild<QPushButton*>("btTabelle");
  QVERIFY(tabelle->isEnabled());
  browser->btTabelleClick();
  QCOMPARE(schliessen.gesehen, (QStringList{"Fo_HistoGraf", "Fo_Wertliste"}));
  browser->close();
}

QTEST_MAIN(TestAnwendungHistorie)
#include "test_anwendung_historie.moc"
