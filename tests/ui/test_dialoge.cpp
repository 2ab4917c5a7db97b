// The group, printer and parameter settings dialogs, driven through their components on the
// offscreen platform: each changes one thing and the group file or the INI file is checked
// byte for byte afterwards. Questions and prompts are answered through the recording messages.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "anlage_dateien.h"
#include "farb_liste.h"
#include "fo_drucker.h"
#include "fo_grafeinstell.h"
#include "fo_gruppen.h"
#include "konfiguration.h"
#include "test_dienste.h"

using namespace pegel;
using namespace pegel::ui;

namespace {

const std::string Sammler =
    "; PEGELDDE\r\n[DDE]\r\nItemcount=6\r\nIntervall=10\r\n"
    "[Grafik]\r\nAutoStart=0\r\n"
    "[Items]\r\nItem1=A\r\nItem2=B\r\nItem3=C\r\nItem4=D\r\nItem5=E\r\nItem6=F\r\n"
    "[Itemnames]\r\nItem1=Zulauf\r\nItem2=Ablauf\r\nItem3=Pegel\r\nItem4=Pumpe 1\r\n"
    "Item5=Pumpe 2\r\nItem6=R\xFC"
    "cklauf\r\n"
    "[UpWarn]\r\nItem1=0.004\r\n"
    "[ColorWarn]\r\nItem1=123456\r\n"
    "[ColorNorm]\r\nItem1=255\r\n"
    "[Grafiktyp]\r\nItem4=2\r\n";

struct Anlage {
  test::Umgebung u;
  std::string basis;  // the INI file after loading, before any dialog
  explicit Anlage(const std::string& ini = Sammler, const std::string& gruppen = "") {
    test::DateiSchreiben(u.s.Pfade.IniDatei, ini);
    if (!gruppen.empty()) test::DateiSchreiben(u.s.Pfade.GruppenDatei, gruppen);
    Initialisierung(u.s, u.d);
    basis = test::DateiLesen(u.s.Pfade.IniDatei);
    u.meldungen.gezeigt.clear();
  }
  std::string Ini() const { return test::DateiLesen(u.s.Pfade.IniDatei); }
};

template <class W>
W* Teil(QWidget& eltern, const char* name) {
  auto* w = eltern.findChild<W*>(name);
  if (w == nullptr) qFatal("Komponente %s fehlt", name);
  return w;
}

void ZeileKlicken(QListWidget* liste, int zeile) {
  const QRect r = liste->visualItemRect(liste->item(zeile));
  QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, r.center());
}

}  // namespace

class TestDialoge : public QObject {
  Q_OBJECT

 private slots:
  // A click in the list starts a new group from the members shown plus the line clicked; the
  // prompt's name and exactly those members are saved behind the existing groups.
  void groupsANewGroupFromTheOperatorsSelectionAndSavesTheFile() {
    const std::string alt = test::GruppenSatz(756, {1, 2}, "Zu- und Ablauf", true);
    Anlage a(Sammler, alt);
    TFo_Drucker drucker(a.u.s, a.u.d);
    TFo_Gruppen dlg(a.u.s, a.u.d, drucker);
    dlg.show();
    auto* lbDDE = Teil<QListWidget>(dlg, "lbDDE");
    auto* cbGrup = Teil<QComboBox>(dlg, "cbGrup");
    QCOMPARE(lbDDE->count(), 6);
    QCOMPARE(cbGrup->count(), 1);
    QCOMPARE(lbDDE->selectedItems().size(), 2);
    QVERIFY(Teil<QCheckBox>(dlg, "cbDruck")->isChecked());

    ZeileKlicken(lbDDE, 5);
    QCOMPARE(cbGrup->currentIndex(), -1);
    QVERIFY(!Teil<QCheckBox>(dlg, "cbDruck")->isVisible());
    a.u.meldungen.eingaben.push_back(Ansi("Rücklauf und Zulauf"));
    QTest::mouseClick(Teil<QPushButton>(dlg, "btNeu"), Qt::LeftButton);
    QCOMPARE(cbGrup->count(), 2);
    QCOMPARE(cbGrup->currentText(), QString::fromUtf8("Rücklauf und Zulauf"));
    QCOMPARE(lbDDE->selectedItems().size(), 3);
    QTest::mouseClick(Teil<QPushButton>(dlg, "btSpeichern"), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(test::DateiLesen(a.u.s.Pfade.GruppenDatei),
             alt + test::GruppenSatz(756, {1, 2, 6}, Ansi("Rücklauf und Zulauf"), false));
    QCOMPARE(a.u.s.Gruppen.GruppenAnzahl, 2);
  }

  // Deleting the selected group and cancelling leaves the file alone; saving then writes it.
  void groupsDeleteAndCancelKeepsTheFile() {
    const std::string g1 = test::GruppenSatz(756, {1, 2}, "Eins", false);
    const std::string g2 = test::GruppenSatz(756, {3, 4, 9}, "Zwei", false);
    Anlage a(Sammler, g1 + g2);
    TFo_Drucker drucker(a.u.s, a.u.d);
    TFo_Gruppen dlg(a.u.s, a.u.d, drucker);
    dlg.show();
    auto* cbGrup = Teil<QComboBox>(dlg, "cbGrup");
    cbGrup->setCurrentIndex(1);
    QVERIFY(Teil<QLabel>(dlg, "lbFehlend")->isVisible());  // member 9 of 6 parameters
    QTest::mouseClick(Teil<QPushButton>(dlg, "btLoesch"), Qt::LeftButton);
    QCOMPARE(cbGrup->count(), 1);
    QTest::mouseClick(Teil<QPushButton>(dlg, "btAbbrechen"), Qt::LeftButton);
    QCOMPARE(test::DateiLesen(a.u.s.Pfade.GruppenDatei), g1 + g2);
    dlg.show();
    cbGrup->setCurrentIndex(0);
    QTest::mouseClick(Teil<QPushButton>(dlg, "btLoesch"), Qt::LeftButton);
    QTest::mouseClick(Teil<QPushButton>(dlg, "btSpeichern"), Qt::LeftButton);
    QCOMPARE(test::DateiLesen(a.u.s.Pfade.GruppenDatei), g2);
  }

  // "Drucker einstellen" with a fax chosen: no printer may be used, so the selected group loses
  // its print mark, and the saved file says so.
  void groupsAFaxChosenInThePrinterDialogClearsThePrintMark() {
    Anlage a(Sammler, test::GruppenSatz(756, {1, 2}, "Eins", true));
    a.u.drucker.liste = {"Buero-FAX", "PDF"};
    TFo_Drucker drucker(a.u.s, a.u.d);
    TFo_Gruppen dlg(a.u.s, a.u.d, drucker);
    dlg.show();
    QTimer::singleShot(0, &drucker, [&drucker] {
      ZeileKlicken(Teil<QListWidget>(drucker, "ListBox1"), 0);
      QTest::mouseClick(Teil<QPushButton>(drucker, "btSichern"), Qt::LeftButton);
    });
    QTest::mouseClick(Teil<QPushButton>(dlg, "BitBtn1"), Qt::LeftButton);
    QCOMPARE(drucker.DruckerNr(), -2);
    QCOMPARE(Teil<QLabel>(dlg, "Label3")->text(), QString::fromUtf8("Kein Drucker ausgewählt"));
    QTest::mouseClick(Teil<QPushButton>(dlg, "btSpeichern"), Qt::LeftButton);
    QCOMPARE(test::DateiLesen(a.u.s.Pfade.GruppenDatei),
             test::GruppenSatz(756, {1, 2}, "Eins", false));
  }

  // Choosing a printer and "Hoch" refreshes the sizes for the new orientation; what the
  // operator typed afterwards survives a later activation and is stored as typed.
  void printerChoiceAndSizesAreStored() {
    Anlage a;
    a.u.drucker.liste = {"Buero-FAX", "PDF"};
    TFo_Drucker dlg(a.u.s, a.u.d);
    dlg.show();
    QCoreApplication::processEvents();
    auto* liste = Teil<QListWidget>(dlg, "ListBox1");
    QCOMPARE(liste->count(), 2);
    QCOMPARE(Teil<QLineEdit>(dlg, "e_breite")->text(), QString("284"));
    ZeileKlicken(liste, 1);
    QTest::mouseClick(Teil<QRadioButton>(dlg, "rg1_Hoch"), Qt::LeftButton);
    QCOMPARE(Teil<QLineEdit>(dlg, "e_breite")->text(), QString("210"));
    QCOMPARE(Teil<QLineEdit>(dlg, "e_hoehe")->text(), QString("297"));
    auto* breite = Teil<QLineEdit>(dlg, "e_breite");
    breite->selectAll();
    QTest::keyClicks(breite, "200");
    dlg.activateWindow();
    QCoreApplication::processEvents();
    QTest::mouseClick(Teil<QPushButton>(dlg, "btSichern"), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    std::string erwartet = a.basis;
    erwartet.insert(erwartet.find("[Grafik]"), "Drucker=1\r\nDruckername=PDF\r\n");
    erwartet.insert(erwartet.find("Textrand=0\r\n") + 12,
                    "Druckbreite=200\r\nDruckhoehe=297\r\nQuerformat=0\r\n");
    QCOMPARE(a.Ini(), erwartet);
  }

  // Only the normal colour changes: the seven keys are written, the untouched UpWarn keeps
  // 0.004, the custom warning colour stays, every other byte stays; the live chart closes.
  void parameterColourChangeIsSavedOnYes() {
    Anlage a;
    TFo_GrafEinstell dlg(a.u.s, a.u.d);
    int geschlossen = 0;
    dlg.LiveGrafikSchliessenSetzen([&geschlossen] { ++geschlossen; });
    dlg.show();
    QCOMPARE(geschlossen, 1);
    QCOMPARE(Teil<QListWidget>(dlg, "lbDDE")->count(), 6);
    QCOMPARE(Teil<QLineEdit>(dlg, "edWarnOben")->text(), QString("0,00"));
    auto* warn = Teil<FarbListe>(dlg, "cbColor_warn");
    QCOMPARE(warn->ColorValue(), 123456);
    QVERIFY(warn->currentText().startsWith("Benutzerdefiniert"));
    auto* norm = Teil<FarbListe>(dlg, "cbColor_norm");
    QCOMPARE(norm->currentText(), QString("Rot"));
    norm->setCurrentIndex(norm->findText("Blau"));
    a.u.meldungen.antworten = {true};
    QTest::mouseClick(Teil<QPushButton>(dlg, "BitBtn1"), Qt::LeftButton);
    QCOMPARE(a.u.meldungen.gezeigt, std::vector<std::string>{Ansi("Änderungen speichern ?")});
    std::string erwartet = a.basis;
    erwartet.replace(erwartet.find("[ColorNorm]\r\nItem1=255"), 22,
                     "[ColorNorm]\r\nItem1=16711680");
    // Keys the file did not hold yet are added, each in its section.
    erwartet += "\r\n[LoWarn]\r\nItem1=0\r\n\r\n[GrafikRef]\r\nItem1=0\r\n";
    QCOMPARE(a.Ini(), erwartet);
    QCOMPARE(a.u.s.Par().at(1).ColorNorm, 16711680);
    QCOMPARE(a.u.s.Par().at(1).UpWarn, 0.004);
  }

  // A digital parameter: reference and warning frame disabled, the normal colour editable.
  void parameterDigitalFramesAreDisabled() {
    Anlage a;
    TFo_GrafEinstell dlg(a.u.s, a.u.d);
    dlg.show();
    Teil<QListWidget>(dlg, "lbDDE")->setCurrentRow(3);
    QCOMPARE(Teil<QLabel>(dlg, "lbTyp")->text(), QString("Digital"));
    QVERIFY(!Teil<QGroupBox>(dlg, "GroupBox2")->isEnabled());
    QVERIFY(!Teil<QGroupBox>(dlg, "rgRef")->isEnabled());
    QVERIFY(Teil<FarbListe>(dlg, "cbColor_norm")->isEnabled());
    Teil<QListWidget>(dlg, "lbDDE")->setCurrentRow(0);
    QVERIFY(Teil<QGroupBox>(dlg, "GroupBox2")->isEnabled());
    dlg.close();
    QCOMPARE(a.Ini(), a.basis);
  }
};

QTEST_MAIN(TestDialoge)
#include "test_dialoge.moc"
