// Qt's standard dialogs speak German once the application is set up, whatever the
// machine's locale, and the viewer's yes/no questions come as question or warning boxes.
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "anwendung_qt.h"
#include "qt_dienste.h"
#include "standardtexte.h"

using pegel::ui::QtMeldungen;

class TestStandarddialoge : public QObject {
  Q_OBJECT
 private slots:
  void knoepfeSindDeutsch_data() {
    QTest::addColumn<QMessageBox::StandardButton>("knopf");
    QTest::addColumn<QString>("text");
    QTest::newRow("Ja") << QMessageBox::Yes << "&Ja";
    QTest::newRow("Nein") << QMessageBox::No << "&Nein";
    QTest::newRow("Abbrechen") << QMessageBox::Cancel << "Abbrechen";
  }
  void knoepfeSindDeutsch() {
    QFETCH(QMessageBox::StandardButton, knopf);
    QFETCH(QString, text);
    const QString katalog =
        QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).filePath("qtbase_de.qm");
    if (!QFile::exists(katalog)) {
      QSKIP(qPrintable(katalog + " fehlt (Paket qt6-translations-l10n), Qt bleibt englisch"));
    }
    QMessageBox box;
    box.setStandardButtons(knopf);
    QCOMPARE(box.button(knopf)->text(), text);
  }

  void ohneKatalogStartetDasProgrammTrotzdem() {
    QTemporaryDir leer;
    QVERIFY(!pegel::ui::DeutscheStandardtexte(*qApp, leer.path()));
  }

  // The real box: its kind and buttons are what the operator sees.
  void fragenKommenAlsFrageOderWarnung_data() {
    QTest::addColumn<bool>("warnung");
    QTest::addColumn<QMessageBox::StandardButton>("klick");
    QTest::newRow("Frage, Ja") << false << QMessageBox::Yes;
    QTest::newRow("Frage, Nein") << false << QMessageBox::No;
    QTest::newRow("Warnung, Ja") << true << QMessageBox::Yes;
    QTest::newRow("Warnung, Nein") << true << QMessageBox::No;
  }
  void fragenKommenAlsFrageOderWarnung() {
    QFETCH(bool, warnung);
    QFETCH(QMessageBox::StandardButton, klick);
    QMessageBox::Icon symbol = QMessageBox::NoIcon;
    QMessageBox::StandardButtons knoepfe;
    auto* warten = new QTimer(this);
    warten->setInterval(10);
    connect(warten, &QTimer::timeout, this, [&, warten] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      warten->deleteLater();
      symbol = box->icon();
      knoepfe = box->standardButtons();
      box->button(klick)->click();
    });
    warten->start();
    QtMeldungen meldungen;
    const std::string text = "Datenanzeige weiter arbeiten lassen ?";
    const bool ja = warnung ? meldungen.WarnFrage(text) : meldungen.Frage(text);
    QCOMPARE(ja, klick == QMessageBox::Yes);
    QCOMPARE(symbol, warnung ? QMessageBox::Warning : QMessageBox::Question);
    QCOMPARE(knoepfe, QMessageBox::Yes | QMessageBox::No);
  }
};

// The application as the program sets it up, instead of QTEST_MAIN's plain one.
int main(int argc, char** argv) {
  pegel::ui::PegelApplication app(argc, argv);
  TestStandarddialoge test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_standarddialoge.moc"
