// The history browser on the offscreen platform, on a plant directory written by the test:
// calendar -> day -> stretch -> span -> chart and back, Busy over a running hand-off, the
// button after a refused hand-off, "Daten suchen" with the table, and the protocol pane.
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>
#include <fstream>
#include <optional>

#include "anlage_dateien.h"
#include "cp1252.h"
#include "datei_liste.h"
#include "historie/fo_history.h"
#include "historie/spur_regler.h"
#include "protokoll_datei.h"
#include "qt_text.h"
#include "test_dienste.h"
#include "text_format.h"

using namespace pegel;
using namespace pegel::ui;

namespace {

// 08:00:00 + 10 s steps: 60 rows, then 30 rows from 09:00:00, then 3 rows from 10:00:00.
// Pegel is the row number / 2, Pumpe alternates, Zulauf is 100 + the row number.
std::string Tagesdaten() {
  std::string t;
  int zeile = 0;
  const auto abschnitt = [&](int start, int n) {
    for (int i = 0; i < n; ++i, ++zeile) {
      t += "1;" + ZeitText((start + 10 * i) / 86400.0) + ";" + FestFormat(zeile / 2.0, 15, 1) +
           ";" + std::to_string(zeile % 2) + ";" + std::to_string(100 + zeile) + "\r\n";
    }
  };
  abschnitt(8 * 3600, 60);
  abschnitt(9 * 3600, 30);
  abschnitt(10 * 3600, 3);
  return t;
}

std::string DreiParameter() {
  return test::Kopf(
      "3", "10000",
      {{"Pegel", "1", "0", "m"}, {"Pumpe", "2", "0", "an"}, {"Zulauf", "1", "2", "l/s"}});
}

struct Browser {
  test::Umgebung u;
  TFo_History fenster{u.s, u.d};
  std::vector<HistorienBereich> gezeigt;
  std::function<void()> imDiagramm;  // runs inside the chart callback
  bool diagrammAntwort = true;

  Browser() {
    test::DateiSchreiben(u.s.Pfade.IniDatei, "[DDE]\r\nIntervall=10\r\n");
    test::DateiSchreiben(u.verz / "20261205.DAT", Tagesdaten());
    test::DateiSchreiben(u.verz / "20261205.PGH", DreiParameter());
    test::DateiSchreiben(u.verz / "20261203.DAT", Tagesdaten().substr(0, 200));
    test::DateiSchreiben(u.verz / "20261203.PGH", DreiParameter());
    std::filesystem::copy_file(std::filesystem::path(PEGEL_TESTDATA_DIR) / "rtf" / "richedit.rtf",
                               u.verz / "PRK261205.RTF");
    u.s.Takt.DDEIntervallMs = 10000;
    u.uhr.jetzt = DatumKodieren(2027, 3, 1) + 0.5;
    fenster.GrafikSetzen([this](const HistorienBereich& b) {
      gezeigt.push_back(b);
      if (imDiagramm) imDiagramm();
      return diagrammAntwort;
    });
    fenster.show();
    QCoreApplication::processEvents();  // the first listing, queued by the showing
  }
  template <class W>
  W* K(const char* name) {
    W* w = fenster.findChild<W*>(name);
    if (!w) qFatal("%s fehlt", name);
    return w;
  }
  void TagWaehlen(int jahr, int monat, int tag) {
    auto* kal = K<QCalendarWidget>("Kal1");
    const QSignalBlocker stumm(kal);
    kal->setSelectedDate(QDate(jahr, monat, tag));
    fenster.Kal1Click();
  }
  QString Text(const char* label) { return K<QLabel>(label)->text(); }
  QStringList Eintraege(const char* liste) {
    QStringList l;
    auto* w = K<QListWidget>(liste);
    for (int i = 0; i < w->count(); ++i) l << w->item(i)->text();
    return l;
  }
  void ParameterWaehlen(std::initializer_list<int> zeilen) {
    auto* l = K<QListWidget>("lbPars");
    l->clearSelection();
    for (int z : zeilen) l->item(z)->setSelected(true);
  }
  void MaskeEingeben(const QString& maske) {
    auto* cb = K<QComboBox>("cbExt");
    cb->setEditText(maske);
    QTest::keyClick(cb->lineEdit(), Qt::Key_Return);
  }
  std::vector<std::string> Meldungen() const { return u.meldungen.gezeigt; }
};

}  // namespace

class TestFoHistory : public QObject {
  Q_OBJECT
 private slots:
  void WalkFromCalendarToChartAndBack();
  void BusyHoldsOffLoadsAndClosingDuringAHandOff();
  void GrafikButtonComesBackAfterEveryRefusal();
  void SearchedFileLoadsWithItsOwnDayAndFillsTheTable();
  void MaskIsCommittedOnEnterAndRefusedOutsideTheDirectory();
  void RtfProtocolIsShownAsRichTextAndPrintedPortrait();
  void LargeProtocolIsCutWithANote();
  void BackupDirectoryWhenTheMonthHasNoDayHere();
};

void TestFoHistory::WalkFromCalendarToChartAndBack() {
  Browser b;
  // March 2027 holds no day here and there is no backup directory: nothing loaded.
  QCOMPARE(b.fenster.Zeilenzahl(), 0);
  QVERIFY(!b.K<SpurRegler>("tb1")->isEnabled());

  // Paging the calendar back lists the month it shows.
  test::DateiSchreiben(b.u.verz / "20270215.DAT", Tagesdaten());
  test::DateiSchreiben(b.u.verz / "20270215.PGH", DreiParameter());
  b.K<QCalendarWidget>("Kal1")->showPreviousMonth();
  QCOMPARE(b.K<QCalendarWidget>("Kal1")->selectedDate(), QDate(2027, 2, 1));
  QCOMPARE(b.Eintraege("lstDAT"), QStringList{"20270215.DAT"});

  b.TagWaehlen(2026, 12, 17);  // the month, not the day
  QCOMPARE(b.Eintraege("lstDAT"), (QStringList{"20261203.DAT", "20261205.DAT"}));
  QCOMPARE(b.Eintraege("lstPRK"), QStringList{"PRK261205.RTF"});
  QCOMPARE(b.Text("lbDatum"), QString("03.12.2026"));
  b.K<QListWidget>("lstDAT")->setCurrentRow(1);
  b.fenster.lstDATClick();
  QCOMPARE(b.fenster.Zeilenzahl(), 93);
  QCOMPARE(b.Text("lbDatum"), QString("05.12.2026"));
  QCOMPARE(b.Text("lbAnz"), QString("93"));
  QCOMPARE(b.Text("lbZeit1"), QString("08:00:00"));
  QCOMPARE(b.Text("lbZeit2"), QString("10:00:20"));
  auto* cb = b.K<QComboBox>("cbIntervalle");
  QCOMPARE(cb->count(), 4);
  QCOMPARE(cb->itemText(1), QString("08:00:00....08:09:50"));
  QCOMPARE(cb->itemText(3), QString("10:00:00...10:00:20"));
  QCOMPARE(b.Eintraege("lbPars"), (QStringList{"Pegel  [m]", "Pumpe  [an]", "Zulauf  [l/s]"}));

  // The second stretch, then tb2 pulled back by ten rows, then tb1 pushed past it.
  b.fenster.cbIntervalleChange(2);
  auto* tb1 = b.K<SpurRegler>("tb1");
  auto* tb2 = b.K<SpurRegler>("tb2");
  QCOMPARE(tb1->minimum(), 61);
  QCOMPARE(tb2->maximum(), 90);
  tb2->setValue(80);
  QCOMPARE(b.Text("lbT1"), QString("09:00:00"));
  QCOMPARE(b.Text("lbT2"), QString("09:03:10"));
  QCOMPARE(tb1->SelStart(), 61);
  QCOMPARE(tb1->SelEnd(), 80);
  QCOMPARE(tb2->SelEnd(), 80);

  b.ParameterWaehlen({2, 0});
  b.fenster.btGrafikClick();
  QCOMPARE(b.gezeigt.size(), std::size_t{1});
  const HistorienBereich& g = b.gezeigt.front();
  QCOMPARE(g.SelStart, 61);
  QCOMPARE(g.SelEnd, 80);
  QCOMPARE(g.Zeilen, 20);
  QCOMPARE(g.Itemcount, 3);
  QCOMPARE(g.Tag, DatumKodieren(2026, 12, 5));
  // 20 rows: 10 labels two rows apart.
  QCOMPARE(g.Zeitlabels.size(), std::size_t{10});
  QCOMPARE(QString::fromStdString(g.Zeitlabels[1]), QString("09:00:20"));
  QCOMPARE(g.Kurven.size(), std::size_t{2});
  QCOMPARE(g.Kurven[0].Name, std::string("Pegel"));  // list order, not click order
  QCOMPARE(g.Kurven[0].Werte.front(), 30.0);         // row 60 / 2
  QCOMPARE(g.Kurven[1].Name, std::string("Zulauf"));
  QCOMPARE(g.Kurven[1].Ref, 2);
  QCOMPARE(g.Kurven[1].Werte.back(), 179.0);  // 100 + row 79
  QVERIFY(b.K<QPushButton>("btGrafik")->isEnabled());

  b.K<QPushButton>("BitBtn1")->click();
  QVERIFY(!b.fenster.isVisible());
  QCOMPARE(b.u.s.Tage.DatenGitter.Zeilen(), std::size_t{0});
  QVERIFY(b.Meldungen().empty());
}

void TestFoHistory::BusyHoldsOffLoadsAndClosingDuringAHandOff() {
  Browser b;
  b.TagWaehlen(2026, 12, 5);
  b.K<QListWidget>("lstDAT")->setCurrentRow(1);
  b.fenster.lstDATClick();
  QCOMPARE(b.fenster.Zeilenzahl(), 93);
  bool imAufruf = false;
  b.imDiagramm = [&] {
    imAufruf = true;
    QVERIFY(b.fenster.Busy());
    QVERIFY(!b.K<QPushButton>("btGrafik")->isEnabled());
    // Another day, the list, "Zurück" and the window's close all do nothing meanwhile.
    b.TagWaehlen(2026, 12, 3);
    b.K<QListWidget>("lstDAT")->setCurrentRow(0);
    b.fenster.lstDATClick();
    b.K<QPushButton>("BitBtn1")->click();
    b.fenster.close();
    QCOMPARE(b.fenster.Zeilenzahl(), 93);
    QCOMPARE(b.u.s.Tage.DatenGitter.Zeilen(), std::size_t{93});
    QVERIFY(b.fenster.isVisible());
  };
  b.fenster.btGrafikClick();
  QVERIFY(imAufruf);
  QVERIFY(!b.fenster.Busy());
  // Afterwards the list loads again.
  b.K<QListWidget>("lstDAT")->setCurrentRow(0);
  b.fenster.lstDATClick();
  QCOMPARE(b.Text("lbDatum"), QString("03.12.2026"));
}

void TestFoHistory::GrafikButtonComesBackAfterEveryRefusal() {
  Browser b;
  b.TagWaehlen(2026, 12, 5);
  b.K<QListWidget>("lstDAT")->setCurrentRow(1);
  b.fenster.lstDATClick();
  auto* knopf = b.K<QPushButton>("btGrafik");
  struct Fall {
    std::vector<int> zeilen;
    int tb2;
    std::string meldung;
  } faelle[] = {
      {{}, 93, Ansi("Sie haben keine Parameter ausgewählt !")},
      {{0}, 1, Ansi("Weniger als zwei Messwerte. Grafische Anzeige nicht möglich !")},
  };
  for (const auto& f : faelle) {
    b.fenster.cbIntervalleChange(0);
    b.K<QListWidget>("lbPars")->clearSelection();
    for (int z : f.zeilen) b.K<QListWidget>("lbPars")->item(z)->setSelected(true);
    b.K<SpurRegler>("tb1")->setValue(1);
    b.K<SpurRegler>("tb2")->setValue(f.tb2);
    b.u.meldungen.gezeigt.clear();
    knopf->click();
    QCOMPARE(b.Meldungen(), std::vector<std::string>{f.meldung});
    QVERIFY(knopf->isEnabled());
  }
  QVERIFY(b.gezeigt.empty());
  // The chart itself refuses.
  b.diagrammAntwort = false;
  b.fenster.cbIntervalleChange(0);
  b.ParameterWaehlen({0});
  knopf->click();
  QCOMPARE(b.gezeigt.size(), std::size_t{1});
  QVERIFY(knopf->isEnabled());
}

void TestFoHistory::SearchedFileLoadsWithItsOwnDayAndFillsTheTable() {
  Browser b;
  // An exported day elsewhere without its own header: the header of the first entry is
  // taken, the day still comes from the file's name.
  test::TempVerz anderswo;
  test::DateiSchreiben(anderswo / "20261111.DAT", Tagesdaten());
  test::DateiSchreiben(anderswo / "20261101.DAT", "1;00:00:00;1;1;1\r\n");
  test::DateiSchreiben(anderswo / "20261101.PGH", DreiParameter());
  b.u.meldungen.dateien.push_back(anderswo / "20261111.DAT");
  std::optional<std::string> kennung;
  std::size_t zeilen = 0, spalten = 0;
  std::string zelle;
  QVERIFY(!b.K<QPushButton>("btTabelle")->isEnabled());
  b.fenster.TabelleSetzen([&](const WerteTabelle& t, const std::string& k) {
    kennung = k;
    zeilen = t.Zeilen();
    spalten = t.Spalten();
    zelle = std::string(t.Zelle(1, 1));
  });
  b.fenster.btSucheDatenClick();
  QCOMPARE(b.Eintraege("lstDAT"), (QStringList{"20261101.DAT", "20261111.DAT"}));
  QCOMPARE(b.fenster.Zeilenzahl(), 93);
  QCOMPARE(b.Text("lbDatum"), QString("11.11.2026"));
  QCOMPARE(b.fenster.Tageskennung(), std::string("20261111"));
  QVERIFY(b.K<QPushButton>("btTabelle")->isEnabled());
  b.ParameterWaehlen({2});
  b.fenster.cbIntervalleChange(3);
  b.K<QPushButton>("btTabelle")->click();
  QCOMPARE(kennung, std::optional<std::string>("20261111"));
  QCOMPARE(zeilen, std::size_t{4});  // title row + three rows of the last stretch
  QCOMPARE(spalten, std::size_t{2});
  QCOMPARE(zelle, std::string("190"));
}

void TestFoHistory::MaskIsCommittedOnEnterAndRefusedOutsideTheDirectory() {
  Browser b;
  test::DateiSchreiben(b.u.verz / "A261205.PGI", "x");
  std::filesystem::create_directory(b.u.verz / "ORDNER261205.RTF");
  b.TagWaehlen(2026, 12, 5);
  // Folders are never listed.
  QCOMPARE(b.Eintraege("lstPRK"), QStringList{"PRK261205.RTF"});
  // Typing alone changes nothing; Enter commits.
  b.K<QComboBox>("cbExt")->setEditText("*:PGI");
  QCOMPARE(b.Eintraege("lstPRK"), QStringList{"PRK261205.RTF"});
  QTest::keyClick(b.K<QComboBox>("cbExt")->lineEdit(), Qt::Key_Return);
  QCOMPARE(b.Eintraege("lstPRK"), QStringList{"A261205.PGI"});
  for (const char* boese : {"../*.RTF", "..\\*.*", "/etc/*", "C:*.INI"}) {
    b.MaskeEingeben(boese);
    QCOMPARE(b.Meldungen().back(), DateiMaskeUngueltigText());
    QCOMPARE(b.K<QComboBox>("cbExt")->currentText(), QString("*:PGI"));
    QCOMPARE(b.Eintraege("lstPRK"), QStringList{"A261205.PGI"});
  }
}

void TestFoHistory::RtfProtocolIsShownAsRichTextAndPrintedPortrait() {
  Browser b;
  b.TagWaehlen(2026, 12, 5);
  auto* prk = b.K<QListWidget>("lstPRK");
  prk->setCurrentRow(0);
  b.fenster.lstPRKClick();
  QTextDocument* doc = b.K<QTextEdit>("Memo1")->document();
  const QString text = doc->toPlainText();
  QVERIFY(text.startsWith("Schichtprotokoll Pumpwerk Nord"));
  QVERIFY(text.contains(QString::fromUtf8("Δp 0,2 bar")));
  QVERIFY(!text.contains("\\b"));
  // The title is bold and larger, "rote Warnung" red.
  const QTextBlock titel = doc->firstBlock();
  QVERIFY(titel.begin().fragment().charFormat().font().bold());
  bool rot = false;
  for (QTextBlock blk = doc->begin(); blk.isValid(); blk = blk.next()) {
    for (auto it = blk.begin(); !it.atEnd(); ++it) {
      if (it.fragment().text().contains("rote Warnung"))
        rot = it.fragment().charFormat().foreground().color() == QColor(255, 0, 0);
    }
  }
  QVERIFY(rot);

  // Printed through the dialog, in portrait, and the job is done when print returns.
  const auto pdf = b.u.verz / "druck.pdf";
  b.fenster.DruckDialogSetzen([&](QPrinter& p) {
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(QString::fromStdString(pdf.string()));
    return p.pageLayout().orientation() == QPageLayout::Portrait;
  });
  b.fenster.SpeedButton1Click();
  QVERIFY(std::filesystem::file_size(pdf) > 500);
  QVERIFY(test::DateiLesen(pdf).find("%%EOF") != std::string::npos);
}

void TestFoHistory::LargeProtocolIsCutWithANote() {
  Browser b;
  {
    std::ofstream f(b.u.verz / "LOG261205.TXT", std::ios::binary);
    const std::string zeile = std::string(99, 'x') + "\n";
    for (std::size_t n = 0; n < MaxProtokollBytes / zeile.size() + 1000; ++n) f << zeile;
    f << "ENDE\n";
  }
  b.TagWaehlen(2026, 12, 5);
  b.MaskeEingeben("*.TXT");
  QCOMPARE(b.Eintraege("lstPRK"), QStringList{"LOG261205.TXT"});
  b.K<QListWidget>("lstPRK")->setCurrentRow(0);
  b.fenster.lstPRKClick();
  const QString text = b.K<QTextEdit>("Memo1")->toPlainText();
  QVERIFY(!text.contains("ENDE"));
  QVERIFY(text.endsWith(
      Q(ProtokollGekuerztText(MaxProtokollBytes, MaxProtokollBytes / 100 * 100 + 100 * 1000 + 5))));
  QVERIFY(text.size() > static_cast<qsizetype>(MaxProtokollBytes));
}

void TestFoHistory::BackupDirectoryWhenTheMonthHasNoDayHere() {
  Browser b;
  const auto sich = b.u.verz / "sich";
  std::filesystem::create_directory(sich);
  test::DateiSchreiben(sich / "20270301.DAT", Tagesdaten());
  test::DateiSchreiben(sich / "20270301.PGH", DreiParameter());
  // Without a trailing separator: the directory gets one before names are appended.
  test::DateiSchreiben(b.u.s.Pfade.IniDatei, "[DDE]\r\nSicherung=" + sich.string() + "\r\n");
  b.fenster.hide();
  b.fenster.show();
  QCoreApplication::processEvents();
  QCOMPARE(b.Text("lbDir"), QString::fromStdString((sich / "").string()));
  QCOMPARE(b.Eintraege("lstDAT"), QStringList{"20270301.DAT"});
  QCOMPARE(b.fenster.Zeilenzahl(), 93);
  QCOMPARE(b.Text("lbDatum"), QString("01.03.2027"));
  // A month with no day in either place leaves both lists empty and loads nothing new.
  b.TagWaehlen(2027, 4, 1);
  QVERIFY(b.Eintraege("lstDAT").isEmpty());
  QCOMPARE(b.Text("lbDir"), QString::fromStdString((sich / "").string()));
}

QTEST_MAIN(TestFoHistory)
#include "test_fo_history.moc"
