// The main window and the display settings dialog, driven through their components on
// the offscreen platform; questions are answered through the recording messages.
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextBlock>
#include <QTimer>
#include <QtTest>

#include "main/fo_einstell1.h"
#include "main/form1.h"
#include "qt_dienste.h"
#include "test_dienste.h"
#include "viewer.h"

using namespace pegel;
using namespace pegel::ui;

namespace {

const char* kIni =
    "[DDE]\r\nItemcount=2\r\nIntervall=1\r\n"
    "[Grafik]\r\nAutoStart=0\r\nAuswahl=0\r\nAlteDaten=0\r\nIntervall=1\r\n"
    "[Items]\r\nItem1=LT1\r\nItem2=P1\r\n"
    "[Itemnames]\r\nItem1=Pegel\r\nItem2=Pumpe\r\n"
    "[Grafiktyp]\r\nItem2=2\r\n";

// kIni with the collector's interval in seconds.
std::string MitIntervall(const char* sekunden) {
  std::string ini = kIni;
  return ini.replace(ini.find("Intervall=1\r\n[Grafik]"), 11, sekunden);
}

// The enabled buttons Starten, Stoppen and Beenden, the label "Nicht aktiv" and the polling
// timer, as the main window's state table lists them.
struct Zustand {
  bool btStarten, btStoppen, btBeenden, lbAus, TimerSample;
  bool operator==(const Zustand&) const = default;
};
const Zustand Gestoppt{true, false, true, true, false};
const Zustand Laeuft{false, true, false, false, true};
const Zustand StartGesperrt{false, false, true, true, false};

char* toString(const Zustand& z) {
  return QTest::toString(QString("Starten %1 Stoppen %2 Beenden %3 Aus %4 TimerSample %5")
                             .arg(z.btStarten)
                             .arg(z.btStoppen)
                             .arg(z.btBeenden)
                             .arg(z.lbAus)
                             .arg(z.TimerSample));
}

struct Aufbau {
  test::Umgebung u;
  std::unique_ptr<Viewer> viewer;
  std::unique_ptr<TFo_Einstell1> dialog;
  std::unique_ptr<TForm1> form;

  explicit Aufbau(const std::string& ini = kIni) {
    test::DateiSchreiben(u.verz / "PEGELDDE.INI", ini);
    viewer = std::make_unique<Viewer>(u.s, u.d);
    dialog = std::make_unique<TFo_Einstell1>(u.s, u.d);
    form = std::make_unique<TForm1>(u.s, u.d, *viewer, *dialog, nullptr);
    form->show();
    QTRY_VERIFY(form->windowTitle().endsWith(" - Version 1.81"));
  }
  QPushButton* Knopf(const char* name) { return form->findChild<QPushButton*>(name); }
  // What the state table of the main window names.
  Zustand Zeigt() {
    return {Knopf("btStarten")->isEnabled(), Knopf("btStoppen")->isEnabled(),
            Knopf("btBeenden")->isEnabled(), !form->findChild<QLabel*>("lbAus")->isHidden(),
            form->findChild<QTimer*>("TimerSample")->isActive()};
  }
  bool Gezeigt(const std::string& text) {
    const auto& g = u.meldungen.gezeigt;
    return std::find(g.begin(), g.end(), text) != g.end();
  }
  bool InDatei(const char* zeile) {
    return test::DateiLesen(u.verz / "PEGELDDE.INI").find(zeile) != std::string::npos;
  }
};

}  // namespace

class TestForm1 : public QObject {
  Q_OBJECT
 private slots:
  void startUndStopFolgenDerZustandstabelle() {
    Aufbau a;
    QVERIFY(a.u.s.KonfigOK);
    QCOMPARE(a.Zeigt(), Gestoppt);
    QTest::mouseClick(a.Knopf("btStarten"), Qt::LeftButton);
    QCOMPARE(a.Zeigt(), Laeuft);
    QCOMPARE(a.form->findChild<QTimer*>("TimerSample")->interval(), 1000);

    // The close box does nothing while the viewer runs.
    QVERIFY(!a.form->close());
    QVERIFY(a.form->isVisible());

    // "Datenanzeige weiter arbeiten lassen ?" answered Yes: nothing changes.
    a.u.meldungen.antworten = {true};
    QTest::mouseClick(a.Knopf("btStoppen"), Qt::LeftButton);
    QCOMPARE(a.Zeigt(), Laeuft);

    a.u.meldungen.antworten = {false};
    const auto vorher = a.u.meldungen.gezeigt.size();
    QTest::mouseClick(a.Knopf("btStoppen"), Qt::LeftButton);
    QCOMPARE(a.Zeigt(), Gestoppt);
    QCOMPARE(a.u.meldungen.gezeigt.size(), vorher + 2);
    QCOMPARE(a.u.meldungen.gezeigt.back(),
             Ansi("Achtung: Bei gestoppter Anzeige erfolgt kein automatischer Ausdruck !"));
    QVERIFY(a.form->close());
  }

  void memoFolgtNeuenZeilenAusserBeimZuruecklesen() {
    Aufbau a;
    auto* memo = a.form->findChild<QPlainTextEdit*>("MemF");
    MemoSenke senke;
    senke.SetzeMemo(memo);
    QScrollBar* leiste = memo->verticalScrollBar();
    int nr = 0;
    const auto zeilen = [&](int n) {
      for (int i = 0; i < n; ++i) senke.MemoZeile("Zeile " + std::to_string(++nr));
    };
    const auto letzteGanzSichtbar = [memo] {
      const QRect r = memo->cursorRect(QTextCursor(memo->document()->lastBlock()));
      return r.top() >= 0 && r.bottom() < memo->viewport()->height();
    };

    zeilen(100);
    QVERIFY(letzteGanzSichtbar());
    // The window made shorter (or placed by the window manager after the first lines):
    // the newest line stays in view, and so do the next ones.
    a.form->resize(a.form->width(), 700);
    QTRY_COMPARE(a.form->height(), 700);
    a.form->resize(a.form->width(), 410);
    QTRY_COMPARE(a.form->height(), 410);
    QVERIFY(letzteGanzSichtbar());
    zeilen(5);
    QVERIFY(letzteGanzSichtbar());

    // The operator scrolled up to read: new lines leave the view where it is.
    leiste->triggerAction(QAbstractSlider::SliderPageStepSub);
    const int gelesen = leiste->value();
    zeilen(5);
    QCOMPARE(leiste->value(), gelesen);
    QVERIFY(!letzteGanzSichtbar());
    // Back at the bottom, the memo follows again.
    leiste->triggerAction(QAbstractSlider::SliderToMaximum);
    zeilen(5);
    QVERIFY(letzteGanzSichtbar());
  }

  void startMitUngueltigerKonfigurationAendertKeinenKnopf() {
    Aufbau a("[DDE]\r\nItemcount=0\r\n[Grafik]\r\nAutoStart=0\r\n");
    QVERIFY(!a.u.s.KonfigOK);
    QTest::mouseClick(a.Knopf("btStarten"), Qt::LeftButton);
    QVERIFY(a.Gezeigt("Fehlerhafte Konfiguration ! PegelWart wird nicht gestartet."));
    QCOMPARE(a.Zeigt(), Gestoppt);
  }

  void autoStartLaeuftOhneZutun() {
    Aufbau a(
        "[DDE]\r\nItemcount=1\r\n[Itemnames]\r\nItem1=Pegel\r\n[Grafik]\r\nAutoStart=1\r\n"
        "AlteDaten=0\r\nAuswahl=0\r\n");
    QTRY_VERIFY(!a.Knopf("btStarten")->isEnabled());
    QVERIFY(a.form->findChild<QTimer*>("TimerStart")->isActive());
  }

  void spanneWirdBeimErstenLadenVerkuerzt() {
    // One sample a minute: "24 Stunden" needs 1440 points and steps down to "6 Stunden".
    std::string ini = MitIntervall("Intervall=60");
    ini.replace(ini.find("Auswahl=0"), 9, "Auswahl=7");
    Aufbau a(ini);
    QVERIFY(a.Gezeigt(Ansi("Benötigte Punktzahl (1440) > Anzahl darstellbarer Punkte (480) !")));
    QCOMPARE(a.dialog->findChild<QComboBox*>("coStunden")->currentText(), QString("6 Stunden"));
    QCOMPARE(a.dialog->findChild<QSpinBox*>("spPuffer")->value(), 60);  // the stored length
    QVERIFY(a.InDatei("Auswahl=5\r\n"));
  }

  void neuePufferlaengeVerlangtNeustart() {
    // One sample every 10 s: "1 Stunde" needs 360 points and fits into 480.
    Aufbau a(MitIntervall("Intervall=10"));
    QVERIFY(a.form->findChild<QAction*>("Grafik1")->isEnabled());
    QTimer::singleShot(0, [&a] {
      a.dialog->findChild<QComboBox*>("coStunden")->setCurrentIndex(3);
      QTest::mouseClick(a.dialog->findChild<QPushButton*>("btSpeichern"), Qt::LeftButton);
    });
    a.form->Grafik1Click();
    QVERIFY(a.Gezeigt(Ansi("Sie müssen das Programm jetzt neu starten.")));
    QCOMPARE(a.Zeigt(), StartGesperrt);
    QVERIFY(a.InDatei("Puffer=480\r\n"));
    QVERIFY(a.InDatei("AutoStart=0\r\n"));
  }
};

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
