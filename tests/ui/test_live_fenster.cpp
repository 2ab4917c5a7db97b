// The live table and the live chart window together on the offscreen platform: the
// table's headers, opening the chart from the selection, the page on the surface, a
// refresh driven by the table's timer, closing, and a group that cannot be charted.
#include <QAbstractButton>
#include <QAction>
#include <QHeaderView>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <cstdio>
#include <functional>

#include "cp1252.h"
#include "echtdaten.h"
#include "live/fo_echtdaten.h"
#include "live/fo_tagesgrafik.h"
#include "live/tabellen_kopf.h"
#include "live_grafik.h"
#include "live_tabelle.h"
#include "test_dienste.h"
#include "text_format.h"

using namespace pegel;
using namespace pegel::ui;

namespace {

constexpr int Puffer = 60;

struct Aufbau {
  test::Umgebung u;
  LiveTabelle tabelle;
  live::LiveGrafik grafik{u.s, u.d};
  live::Echtdaten logik{u.s, u.d, grafik, tabelle};
  TFo_Tagesgrafik tagesgrafik{u.s, u.d, grafik, nullptr};
  TFo_Echtdaten echtdaten{u.s, u.d, logik, grafik, tabelle, tagesgrafik};

  // Three parameters (analog, digital, analog) with a full buffer, newest slot 20.
  Aufbau() {
    test::DateiSchreiben(u.s.Pfade.IniDatei, "[Einheiten]\r\nItem1=m\r\nItem3=bar\r\n");
    pegel::test::ItemcountSetzen(u.s, 3);
    u.s.Anzeige.Puffer = Puffer;
    ParameterSchreiber(u.s).ItemListe() = {"Pegel", "Pumpe", "Druck"};
    const int typen[] = {1, 2, 1};
    pegel::test::Werte(u.s).assign(3, std::vector<double>(Puffer));
    pegel::test::Zeiten(u.s).assign(Puffer, 0.0);
    for (int j = 1; j <= 3; ++j) {
      pegel::test::Par(u.s, j).Itemname = u.s.Par().ItemListe()[j - 1];
      pegel::test::Par(u.s, j).Typ = GrafiktypAus(typen[j - 1]);
      pegel::test::Par(u.s, j).ColorNorm = chart::Rgb(0, 0, 160);
      for (int i = 0; i < Puffer; ++i) {
        pegel::test::Werte(u.s)[j - 1][i] =
            typen[j - 1] == 2 ? (i / 7) % 2 : 10 * std::sin(i / (3.0 + j));
      }
    }
    pegel::test::Schreibzaehler(u.s) = 25;
    tabelle.SpaltenSetzen(4);
  }
  QListWidget* Liste() { return echtdaten.findChild<QListWidget*>("lbDDE"); }
  QWidget* Panel() { return echtdaten.findChild<QWidget*>("panelGrafik"); }
  QTimer* TimerRefresh() { return echtdaten.findChild<QTimer*>("TimerRefresh"); }
  QAction* Aktion(const char* name) { return tagesgrafik.findChild<QAction*>(name); }
  void Waehlen(std::initializer_list<int> zeilen) {
    for (int z : zeilen) Liste()->item(z)->setSelected(true);
  }
  // Runs `f` once the chart window is shown (inside its modal loop) and closes the window
  // afterwards in any case, so a failed check cannot leave the test waiting.
  void ImFenster(std::function<void()> f) {
    auto* warten = new QTimer(&echtdaten);
    warten->setInterval(10);
    QObject::connect(warten, &QTimer::timeout, &echtdaten, [this, f, warten] {
      if (!tagesgrafik.isVisible()) return;
      warten->stop();
      warten->deleteLater();
      f();
      if (tagesgrafik.isVisible()) tagesgrafik.close();
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

// Pixels dark enough to be text.
int Textpunkte(const QImage& bild) {
  int n = 0;
  for (int y = 0; y < bild.height(); ++y) {
    for (int x = 0; x < bild.width(); ++x) n += qGray(bild.pixel(x, y)) < 96;
  }
  return n;
}

}  // namespace

class TestLiveFenster : public QObject {
  Q_OBJECT
 private slots:
  void spaltenBreitenTeilenDenPlatz_data() {
    QTest::addColumn<QList<int>>("wunsch");
    QTest::addColumn<int>("verfuegbar");
    QTest::addColumn<QList<int>>("breite");
    const int min = TabellenKopf::MinBreite, max = TabellenKopf::MaxBreite;
    QTest::newRow("Platz genug") << QList{100, 150, 60} << 1000 << QList{100, 150, min};
    QTest::newRow("Obergrenze") << QList{300} << 1000 << QList{max};
    QTest::newRow("genau passend") << QList{100, 150} << 250 << QList{100, 150};
    QTest::newRow("breite teilen den Rest")
        << QList{80, 200, 200} << 380 << QList{80, (380 - 80) / 2, (380 - 80) / 2};
    QTest::newRow("mittlere behalten ihre")
        << QList{90, 120, 200} << 350 << QList{90, 120, 350 - 90 - 120};
    QTest::newRow("nie unter dem Raster") << QList{200, 200, 200} << 150 << QList{min, min, min};
    QTest::newRow("unsichtbare Tabelle") << QList{200} << 0 << QList{min};
  }
  void spaltenBreitenTeilenDenPlatz() {
    QFETCH(QList<int>, wunsch);
    QFETCH(int, verfuegbar);
    QFETCH(QList<int>, breite);
    const auto b = SpaltenBreiten({wunsch.begin(), wunsch.end()}, verfuegbar,
                                  TabellenKopf::MinBreite, TabellenKopf::MaxBreite);
    QCOMPARE(QList<int>(b.begin(), b.end()), breite);
  }

  void kopfZeigtZeitUndGanzeNamen() {
    Aufbau a;
    test::Par(a.u.s, 1).Itemname = Ansi("Wasserstand Überlaufbecken 1");
    test::Par(a.u.s, 1).Einheit = "m";
    a.echtdaten.resize(1000, 420);
    a.echtdaten.show();
    QTRY_VERIFY(a.echtdaten.isVisible());
    auto* view = a.echtdaten.findChild<QTableView*>("grEcht");
    QHeaderView* kopf = view->horizontalHeader();
    QCOMPARE(view->model()->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(),
             QString::fromUtf8("Wasserstand Überlaufbecken 1  [m]"));

    // Room enough: the long name opens its column, "Pumpe  [-]" keeps the grid's width.
    const int lang = std::min(kopf->sectionSizeHint(0), +TabellenKopf::MaxBreite);
    QVERIFY(lang > TabellenKopf::MinBreite);
    QTRY_COMPARE(kopf->sectionSize(0), lang);
    QCOMPARE(kopf->sectionSize(1), TabellenKopf::MinBreite);
    QCOMPARE(kopf->sectionSize(2), TabellenKopf::MinBreite);
    // Narrower: the long one takes what the two short ones leave.
    const int mitte = 2 * TabellenKopf::MinBreite + (TabellenKopf::MinBreite + lang) / 2;
    a.echtdaten.resize(a.echtdaten.width() - (view->viewport()->width() - mitte), 420);
    QTRY_COMPARE(view->viewport()->width(), mitte);
    QTRY_COMPARE(kopf->sectionSize(0), mitte - 2 * TabellenKopf::MinBreite);
    // Too narrow for all: every column keeps the grid's width and the view scrolls; the
    // name shows its start and ends in "…".
    a.echtdaten.resize(a.echtdaten.width() - TabellenKopf::MinBreite, 420);
    QTRY_COMPARE(kopf->sectionSize(0), TabellenKopf::MinBreite);
    const QString gezeigt = static_cast<Spaltenkoepfe*>(kopf)->Angezeigt(0);
    QVERIFY2(gezeigt.startsWith("Wass") && gezeigt.endsWith(QChar(0x2026)), qPrintable(gezeigt));
    QCOMPARE(std::min(kopf->sectionSizeHint(0), +TabellenKopf::MaxBreite), lang);

    // The corner shows cell (0, 0), which the window labels "Zeit".
    auto* ecke = view->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(ecke->width() > ecke->fontMetrics().horizontalAdvance("Zeit"));
    const int mitText = Textpunkte(ecke->grab().toImage());
    a.tabelle.Text(0, 0, "");
    a.tabelle.Benachrichtigen();
    QVERIFY(mitText > 0);
    QCOMPARE(Textpunkte(ecke->grab().toImage()), 0);
  }

  void chartOpensRefreshesAndCloses() {
    Aufbau a;
    a.echtdaten.show();
    QTRY_VERIFY(a.echtdaten.isVisible());
    QCOMPARE(a.Liste()->count(), 3);
    QVERIFY(a.TimerRefresh()->isActive());

    // The table's view follows the core's notification.
    auto* modell = a.echtdaten.findChild<QTableView*>("grEcht")->model();
    QVERIFY(modell->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString().startsWith("Pegel"));
    a.tabelle.Zahl(2, 5, 1.5, 2);
    a.tabelle.Benachrichtigen();
    QCOMPARE(modell->data(modell->index(4, 1), Qt::DisplayRole).toString(),
             QString::fromStdString(FestFormat(1.5, 7, 2)));

    a.Waehlen({0, 1, 2});
    bool gezeichnet = false, aufgefrischt = false, pauseGeloggt = false, zurueck = false;
    a.ImFenster([&] {
      QVERIFY(!a.Panel()->isEnabled());
      QVERIFY(!a.Aktion("Drucken1")->isEnabled() && !a.Aktion("TagWahl1")->isEnabled());
      QTRY_VERIFY(Farbpunkte(a.tagesgrafik.Flaeche().Bild()) > 1000);
      QVERIFY(a.tagesgrafik.Flaeche().width() > 100);
      gezeichnet = true;

      // A new sample: the table's timer refreshes the chart and the page changes.
      QTRY_VERIFY(a.TimerRefresh()->isActive());
      const QImage vorher = a.tagesgrafik.Flaeche().Bild().copy();
      pegel::test::Werte(a.u.s)[0][21] = 25;
      pegel::test::Werte(a.u.s)[2][21] = -25;
      pegel::test::Schreibzaehler(a.u.s) = 26;
      QTRY_COMPARE_WITH_TIMEOUT(a.logik.LetzterZeiger, 26, 3000);
      QTRY_VERIFY(a.tagesgrafik.Flaeche().Bild() != vorher);
      QCOMPARE(a.grafik.seite.Grafikspeicher[1][21], 25.0);
      QTRY_VERIFY(a.TimerRefresh()->isActive());
      aufgefrischt = true;

      // "Neu zeichnen" while a cycle runs only logs.
      a.grafik.Zeichnet = true;
      const QImage waehrend = a.tagesgrafik.Flaeche().Bild().copy();
      a.Aktion("Neuzeichnen1")->trigger();
      QCOMPARE(a.tagesgrafik.Flaeche().Bild(), waehrend);
      pauseGeloggt = a.u.Log().back() == "Fo_Tagesgrafik: FormPaint : Refreshing";
      a.grafik.Zeichnet = false;

      a.Aktion("Zurueck1")->trigger();
      zurueck = !a.tagesgrafik.isVisible();
    });
    QTest::mouseClick(a.echtdaten.findChild<QPushButton*>("btGrafik"), Qt::LeftButton);
    QVERIFY(gezeichnet && aufgefrischt && pauseGeloggt && zurueck);
    QVERIFY(a.Panel()->isEnabled());
    QVERIFY(!a.grafik.LiveGrafikAktiv);
    QVERIFY(!a.TimerRefresh()->isActive());
    QVERIFY(a.grafik.seite.Anzahl == 0 && a.grafik.seite.Grafikspeicher[2].empty());
    QVERIFY(a.u.meldungen.gezeigt.empty());
  }

  void autoStartOpensTheChartAndAnEmptyGroupClosesIt() {
    Aufbau a;
    a.u.s.Auswahl.Grafikanzeige[3] = true;
    a.u.s.Anzeige.AutoStartAktiv = true;
    a.u.s.Gruppen.GruppenTabelle[1].Mitgliederzahl = 0;
    bool offen = false, geschlossen = false;
    a.ImFenster([&] {
      offen = a.tagesgrafik.isVisible() && a.grafik.seite.Anzahl == 1;
      a.tagesgrafik.Gruppe1Click(1);
      geschlossen = !a.tagesgrafik.isVisible();
    });
    a.echtdaten.show();
    QTRY_VERIFY(offen);
    QTRY_VERIFY(geschlossen);
    QVERIFY(a.grafik.Ladefehler);
    QVERIFY(a.u.meldungen.gezeigt ==
            std::vector<std::string>{"Fehler bei der Grafik-Initialisierung !"});
    QTRY_VERIFY(a.Panel()->isEnabled());
    QVERIFY(!a.u.s.Anzeige.AutoStartAktiv);
  }

  void printingGoesToThePrinterAndFailuresAreLogged() {
    Aufbau a;
    QCOMPARE(a.logik.btGrafikClick({true, true, true}, false, {}),
             live::Echtdaten::Folge::GrafikZeigen);
    QPrinter drucker;
    drucker.setOutputFormat(QPrinter::PdfFormat);
    const auto pdf = a.u.verz / "seite.pdf";
    drucker.setOutputFileName(QString::fromStdString(pdf.string()));
    TFo_Tagesgrafik fenster(a.u.s, a.u.d, a.grafik, &drucker);
    fenster.resize(800, 600);
    fenster.show();
    QTRY_VERIFY(Farbpunkte(fenster.Flaeche().Bild()) > 1000);
    // Left in portrait by another job (a protocol print): the page still comes out landscape.
    drucker.setPageOrientation(QPageLayout::Portrait);
    fenster.Drucken1Click();
    QVERIFY(!a.grafik.DruckAktiv);
    const std::string inhalt = test::DateiLesen(pdf);
    QVERIFY(inhalt.rfind("%PDF", 0) == 0);
    QVERIFY(a.u.Log().empty());
    const auto box = inhalt.find("/MediaBox [");
    QVERIFY(box != std::string::npos);
    double x0 = 0, y0 = 0, breite = 0, hoehe = 0;
    QCOMPARE(
        std::sscanf(inhalt.c_str() + box, "/MediaBox [%lf %lf %lf %lf", &x0, &y0, &breite, &hoehe),
        4);
    QVERIFY2(breite > hoehe, inhalt.substr(box, 60).c_str());

    drucker.setOutputFileName(QString::fromStdString((a.u.verz / "fehlt" / "x.pdf").string()));
    fenster.Drucken1Click();
    QVERIFY(!a.grafik.DruckAktiv);
    QVERIFY(!a.u.Log().empty());
    // The log is kept in the Windows code page like every other message.
    QVERIFY(a.u.Log().back().rfind(Ansi("Drucken nicht möglich: "), 0) == 0);
  }
};

QTEST_MAIN(TestLiveFenster)
#include "test_live_fenster.moc"
