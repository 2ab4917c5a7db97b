// The value table window on the offscreen platform: the span presets, taking a row's
// time, the statistics as shown, the span written to the INI file, the exports with their
// messages and failures, and a day-sized table that the view reads only where it draws.
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <map>

#include "cp1252.h"
#include "export_ergebnis.h"
#include "gitter.h"
#include "qt_text.h"
#include "test_dienste.h"
#include "text_format.h"
#include "wertliste/fo_wertliste.h"
#include "wertliste/werte_tabellen_modell.h"

using namespace pegel;
using namespace pegel::ui;

namespace {

const std::string Kennung = "20261205.DAT";

// A day grid of "time;value;..." lines and a table over all its rows.
struct Tag {
  gitter g;
  WerteTabelle tabelle{g, 0, 0, {}};
  Tag(const std::vector<std::string>& zeilen, const std::vector<std::string>& titel) {
    std::string text;
    for (const auto& z : zeilen) text += "0;" + z + "\r\n";
    QCOMPARE(g.Aufteilen(std::string_view(text)), gitter::Ergebnis::Ok);
    std::vector<WerteSpalte> spalten;
    for (std::size_t k = 0; k < titel.size(); ++k) spalten.push_back({k + 2, Ansi(titel[k])});
    tabelle = WerteTabelle(g, 0, zeilen.size(), std::move(spalten));
  }
};

// The example of the integral: a flow in m³/h at one-minute steps beside a level in m.
const std::vector<std::string> Beispiel = {"08:00:00;2;1,5", "08:01:00;5;1,5", "08:02:00;5;1,6",
                                           "08:03:00;1;1,4"};
const std::vector<std::string> BeispielTitel = {"Zulauf  [m³/h]", "Pegel  [m]"};

struct Aufbau {
  test::Umgebung u;
  TFo_Wertliste fenster{u.s, u.d};

  template <class W>
  W* Teil(const char* name) {
    return fenster.findChild<W*>(name);
  }
  QLineEdit* eStart() { return Teil<QLineEdit>("eStart"); }
  QLineEdit* eStop() { return Teil<QLineEdit>("eStop"); }
  void Klick(const char* knopf) { QTest::mouseClick(Teil<QPushButton>(knopf), Qt::LeftButton); }
  // grStat's text in statistics row `zeile` (1..8) of table column `spalte` (1..).
  QString Stat(int zeile, int spalte) {
    auto* m = Teil<QTableView>("grStat")->model();
    return m->data(m->index(zeile - 1, spalte - 1)).toString();
  }
  // Shows `tabelle` modally, runs `f` inside the window and closes it afterwards in any
  // case, so that a failed check cannot leave the test waiting.
  void Zeigen(const WerteTabelle& tabelle, std::function<void()> f) {
    QTimer::singleShot(0, &fenster, [this, f] {
      f();
      fenster.close();
    });
    fenster.Zeigen(tabelle, Kennung);
  }
  std::filesystem::path Export(const char* endung) {
    return WertetabellenDatei(u.s.Pfade.ProgDir, Kennung, endung);
  }
};

// Every entry of a directory with its bytes ("/" for a directory).
std::map<std::string, std::string> Inhalt(const std::filesystem::path& verz) {
  std::map<std::string, std::string> m;
  for (const auto& e : std::filesystem::directory_iterator(verz)) {
    m[e.path().filename().string()] = e.is_directory() ? "/" : test::DateiLesen(e.path());
  }
  return m;
}

// Counts what a view asks of its model.
class ZaehlModell : public QIdentityProxyModel {
 public:
  mutable int aufrufe = 0;
  QVariant data(const QModelIndex& i, int role) const override {
    ++aufrufe;
    return QIdentityProxyModel::data(i, role);
  }
};

}  // namespace

class TestFoWertliste : public QObject {
  Q_OBJECT
 private slots:
  void statistikDesBeispiels() {
    Aufbau a;
    a.u.s.Formate.NK = 5;
    Tag t(Beispiel, BeispielTitel);
    a.Zeigen(t.tabelle, [&] {
      // Without a saved span the rows give it.
      QCOMPARE(a.eStart()->text(), QString("08:00:00"));
      QCOMPARE(a.eStop()->text(), QString("08:03:00"));
      a.Klick("btStatistik");
      QCOMPARE(a.Teil<QLabel>("lbDiff")->text(), QString("00:03:00"));
      auto* stat = a.Teil<QTableView>("grStat")->model();
      QCOMPARE(stat->rowCount(), 8);
      QCOMPARE(stat->columnCount(), 2);
      QCOMPARE(stat->headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("Zulauf  [m³/h]"));
      QCOMPARE(stat->headerData(7, Qt::Vertical).toString(), QString("Integralsumme"));
      const QStringList zulauf = {"1,00000", "08:03:00", "5,00000", "08:01:00", "3,25000", "4",
                                  "13,00000",
                                  // 5 * 60/3600 + 5 * 60/3600 + 1 * 60/3600 m³
                                  QString::fromUtf8("0,18333  m³")};
      for (int z = 1; z <= 8; ++z) QCOMPARE(a.Stat(z, 1), zulauf[z - 1]);
      QCOMPARE(a.Stat(8, 2), QString("----------"));
      QVERIFY(a.u.meldungen.gezeigt.empty());
      // Each column's statistics stand below its values, also after a column was widened.
      auto* oben = a.Teil<QTableView>("grEcht");
      auto* unten = a.Teil<QTableView>("grStat");
      oben->horizontalHeader()->resizeSection(0, 150);
      QCOMPARE(unten->verticalHeader()->width(), oben->verticalHeader()->width());
      for (int k = 0; k < 2; ++k) {
        QCOMPARE(unten->columnViewportPosition(k), oben->columnViewportPosition(k));
        QCOMPARE(unten->columnWidth(k), oben->columnWidth(k));
      }
    });
    // The window let go of the day grid when it closed.
    QCOMPARE(a.Teil<QTableView>("grEcht")->model()->rowCount(), 0);
  }

  void leereZelleBeendetDasLesenMitMeldung() {
    Aufbau a;
    Tag t({"08:00:00;2;1", "08:01:00;5;1", "08:02:00;5;", "08:03:00;1;1"}, BeispielTitel);
    a.Zeigen(t.tabelle, [&] {
      a.Klick("btStatistik");
      QCOMPARE(a.u.meldungen.gezeigt, std::vector<std::string>{"Falsches Zeitformat in Zeile 3 !"});
      // The rows before the bad one count in every column and are shown.
      QCOMPARE(a.Stat(6, 1), QString("2"));
      QCOMPARE(a.Stat(6, 2), QString("2"));
    });
  }

  void spanneAusIniOderZeilen_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("zeilen");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("stop");
    QTest::newRow("gespeichert") << QByteArray("[Wertliste]\r\nStartzeit=08:01:00\r\n") << 4
                                 << "08:01:00"
                                 << "08:03:00";
    QTest::newRow("eine Zeile, nichts gespeichert") << QByteArray() << 1 << "00:00:01"
                                                    << "23:59:59";
    QTest::newRow("eine Zeile, gespeichert")
        << QByteArray("[wertliste]\r\nstopzeit=12:00:00\r\n") << 1 << "00:00:01"
        << "12:00:00";
  }
  void spanneAusIniOderZeilen() {
    QFETCH(QByteArray, ini);
    QFETCH(int, zeilen);
    QFETCH(QString, start);
    QFETCH(QString, stop);
    Aufbau a;
    test::DateiSchreiben(a.u.s.Pfade.IniDatei, ini.toStdString());
    Tag t({Beispiel.begin(), Beispiel.begin() + zeilen}, BeispielTitel);
    a.Zeigen(t.tabelle, [&] {
      QCOMPARE(a.eStart()->text(), start);
      QCOMPARE(a.eStop()->text(), stop);
    });
  }

  void zeitDerGewaehltenZeileUebernehmen() {
    Aufbau a;
    Tag t(Beispiel, BeispielTitel);
    a.Zeigen(t.tabelle, [&] {
      auto* g = a.Teil<QTableView>("grEcht");
      g->selectRow(1);
      a.Klick("btStartZeit");
      g->selectRow(2);
      a.Klick("btStopZeit");
      QCOMPARE(a.eStart()->text(), QString("08:01:00"));
      QCOMPARE(a.eStop()->text(), QString("08:02:00"));
      // Return in a time field computes and leaves the fields as they are.
      a.eStart()->setFocus();
      QTest::keyClick(a.eStart(), Qt::Key_Return);
      QCOMPARE(a.eStart()->text(), QString("08:01:00"));
      QCOMPARE(a.Stat(6, 1), QString("2"));
    });
  }

  void auswahlSpeichernAendertNurIhreZeilen() {
    Aufbau a;
    const std::string vorher =
        "; Sammler\r\n[DDE]\r\nIntervall=1\r\n[Wertliste]\r\nStartzeit = 01:00:00\r\n"
        "Anderes=x\r\n[Grafik]\r\nPuffer=60\r\n";
    test::DateiSchreiben(a.u.s.Pfade.IniDatei, vorher);
    Tag t(Beispiel, BeispielTitel);
    a.Zeigen(t.tabelle, [&] {
      QCOMPARE(a.eStart()->text(), QString("01:00:00"));
      a.eStart()->setText("08:01:00");
      a.eStop()->setText("08:02:00");
      a.Klick("btSichern");
    });
    QCOMPARE(
        test::DateiLesen(a.u.s.Pfade.IniDatei),
        std::string("; Sammler\r\n[DDE]\r\nIntervall=1\r\n[Wertliste]\r\nStartzeit=08:01:00\r\n"
                    "Anderes=x\r\nStopzeit=08:02:00\r\n[Grafik]\r\nPuffer=60\r\n"));
    QVERIFY(a.u.meldungen.gezeigt.empty());
    // The next showing begins with the saved span.
    a.Zeigen(t.tabelle, [&] {
      QCOMPARE(a.eStart()->text(), QString("08:01:00"));
      QCOMPARE(a.eStop()->text(), QString("08:02:00"));
    });
  }

  void exportSchreibtDateienUndMeldetSie() {
    Aufbau a;
    Tag t(Beispiel, BeispielTitel);
    a.Zeigen(t.tabelle, [&] {
      a.Klick("btExport");
      a.Klick("btExportXlsx");
    });
    const auto xls = a.Export(".xls"), xlsx = a.Export(".xlsx");
    QCOMPARE(xls.filename().string(), std::string("20261205.DAT_Wertetabelle.xls"));
    QCOMPARE(a.u.meldungen.gezeigt,
             (std::vector<std::string>{"Datei > " + xls.string() + " < wurde gespeichert.",
                                       "Datei > " + xlsx.string() + " < wurde gespeichert."}));
    QCOMPARE(test::DateiLesen(xls).substr(0, 4), std::string("\x09\x08\x08\x00", 4));
    QCOMPARE(test::DateiLesen(xlsx).substr(0, 4), std::string("PK\x03\x04"));
  }

  void exportFehlerNenntDateiUndGrund_data() {
    QTest::addColumn<QByteArray>("knopf");
    QTest::addColumn<QByteArray>("endung");
    QTest::addColumn<bool>("verzeichnisFehlt");
    QTest::newRow(".xls, kein Verzeichnis") << QByteArray("btExport") << QByteArray(".xls") << true;
    QTest::newRow(".xlsx, Verzeichnis unter dem Namen")
        << QByteArray("btExportXlsx") << QByteArray(".xlsx") << false;
  }
  void exportFehlerNenntDateiUndGrund() {
    QFETCH(QByteArray, knopf);
    QFETCH(QByteArray, endung);
    QFETCH(bool, verzeichnisFehlt);
    Aufbau a;
    const auto verz = a.u.s.Pfade.ProgDir;
    if (verzeichnisFehlt) {
      // The program directory is a file: nothing can be created in it.
      test::DateiSchreiben(verz / "kein_verzeichnis", "x");
      a.u.s.Pfade.ProgDir = verz / "kein_verzeichnis";
    } else {
      // A non-empty directory stands under the export's name: the finished file cannot
      // take its place.
      std::filesystem::create_directories(a.Export(endung.constData()) / "drin");
    }
    const auto vorher = Inhalt(verz);
    Tag t(Beispiel, BeispielTitel);
    a.Zeigen(t.tabelle, [&] { a.Klick(knopf.constData()); });
    const auto datei = a.Export(endung.constData());
    QCOMPARE(a.u.meldungen.gezeigt.size(), std::size_t{1});
    const std::string& m = a.u.meldungen.gezeigt[0];
    QVERIFY2(m.starts_with("Datei > " + datei.string() + " < konnte nicht gespeichert werden.\n"),
             m.c_str());
    QVERIFY2(
        m.size() > ("Datei > " + datei.string() + " < konnte nicht gespeichert werden.\n").size(),
        "the reason follows");
    // Nothing half-written is left, neither under the name nor beside it.
    QCOMPARE(Inhalt(verz), vorher);
  }

  void zuVieleZeilenFuerXlsBietetXlsxAn() {
    Aufbau a;
    std::vector<std::string> zeilen(65536, "12:00:00;1");
    Tag t(zeilen, {"Zulauf  [m³/h]"});
    a.u.meldungen.antworten = {true};
    a.Zeigen(t.tabelle, [&] { a.Klick("btExport"); });
    QCOMPARE(a.u.meldungen.gezeigt.size(), std::size_t{2});
    const std::string& frage = a.u.meldungen.gezeigt[0];
    QVERIFY2(frage.find("65.536") != std::string::npos, frage.c_str());
    QVERIFY2(frage.find(".xlsx") != std::string::npos, frage.c_str());
    QVERIFY(!std::filesystem::exists(a.Export(".xls")));
    QCOMPARE(a.u.meldungen.gezeigt[1],
             "Datei > " + a.Export(".xlsx").string() + " < wurde gespeichert.");
  }

  void tagesTabelleWirdNurGelesenWoGezeichnet() {
    Aufbau a;
    std::vector<std::string> zeilen;
    zeilen.reserve(86400);
    for (int i = 0; i < 86400; ++i) {
      zeilen.push_back(ZeitText(i / 86400.0) + ";" + std::to_string(i % 97) + ";1,5;2");
    }
    Tag t(zeilen, {"A  [m³/h]", "B  [m]", "C  [bar]"});
    a.fenster.TabelleSetzen(t.tabelle, Kennung);
    a.fenster.show();
    auto* g = a.Teil<QTableView>("grEcht");
    QCOMPARE(g->model()->rowCount(), 86400);
    QCOMPARE(g->model()->headerData(86399, Qt::Vertical).toString(), QString("23:59:59"));
    ZaehlModell zaehler;
    zaehler.setSourceModel(g->model());
    g->setModel(&zaehler);
    for (int schritt = 0; schritt <= 10; ++schritt) {
      g->verticalScrollBar()->setValue(g->verticalScrollBar()->maximum() * schritt / 10);
      g->viewport()->grab();
    }
    QVERIFY(zaehler.aufrufe > 0);
    // Eleven screens of some 30 rows by three columns, a handful of roles per cell.
    QVERIFY2(zaehler.aufrufe < 11 * 40 * 3 * 20, QByteArray::number(zaehler.aufrufe));
    // No widget per row or cell.
    QVERIFY(g->findChildren<QWidget*>().size() < 40);
    g->setModel(nullptr);
    a.fenster.TabelleSetzen(std::nullopt, Kennung);
  }
};

QTEST_MAIN(TestFoWertliste)
#include "test_fo_wertliste.moc"
