// The daily print's Qt destinations: the archived page as a real PDF (read back with
// pdftotext), an archive file that cannot be written, and the jobs that reach a private CUPS
// queue.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <cstdio>
#include <memory>

#include "anlage_dateien.h"
#include "anwendung.h"
#include "cp1252.h"
#include "druck_archiv.h"
#include "gruppen_druck.h"
#include "hilfen.h"
#include "privater_cups.h"
#include "qt_drucker.h"
#include "qt_seiten_senke.h"
#include "test_dienste.h"
#include "text_format.h"

namespace pegel {
namespace {

namespace fs = std::filesystem;

test::PrivaterCups* cups = nullptr;

std::string Befehl(const std::string& befehl) {
  std::string aus;
  if (FILE* p = ::popen(befehl.c_str(), "r")) {
    char puffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(puffer, 1, sizeof puffer, p)) > 0) aus.append(puffer, n);
    ::pclose(p);
  }
  return aus;
}

// A day of 100 rows of three parameters and the printer service of Qt.
class TagesdruckQt : public ::testing::Test {
 protected:
  test::TempVerz verz;
  PegelStatus s;
  test::TestClock uhr;
  test::RecordingMessages meldungen;
  test::CountingEvents ereignisse;
  test::RecordingSink senke;
  ui::QtDrucker drucker;
  Logbuch log{s, uhr, &senke};
  Dienste d{uhr, meldungen, ereignisse, log, drucker};
  ui::DruckerSeitenSenke druckerSeiten{drucker.Drucker()};
  ui::PdfSeitenSenke archiv;
  const TDateTime tag = DatumKodieren(2026, 12, 5);

  void SetUp() override {
    s.PfadeSetzen(verz.pfad());
    s.Abfrage.PrintDate = tag;
    test::DateiSchreiben(verz / "20261205.PGH", test::Kopf("3", "1000",
                                                           {{Ansi("Pegel Süd"), "1", "0", "m"},
                                                            {"Zulauf", "1", "1", "l/s"},
                                                            {"Pumpe", "2", "0", "an"}}));
    std::string t;
    for (int r = 0; r < 100; ++r) {
      t += "1;" + ZeitText(r / 86400.0) + ";" + std::to_string(r % 10) + ",5;" +
           std::to_string(20 + r) + ";" + (r % 3 ? "1" : "0") + "\r\n";
    }
    test::DateiSchreiben(verz / "20261205.DAT", t);
  }
  std::vector<std::string> Log() const { return senke.Meldungen(); }
  bool Geloggt(const std::string& m) const {
    const auto l = Log();
    return std::find(l.begin(), l.end(), m) != l.end();
  }
  int Drucken() {
    tagesdruck::Tagesdruck t(&druckerSeiten, &archiv);
    t.GruppeDrucken(s, d);
    return 0;
  }
};

TEST_F(TagesdruckQt, ArchivierteSeiteZeigtTagNamenUndStatistik) {
  test::DateiSchreiben(s.Pfade.GruppenDatei, test::GruppenSatz(756, {1, 2, 3}, "Becken/1", true));
  s.Druck.DruckerNr = -2;  // no printer may be used: the archive is still written
  Drucken();
  const fs::path pdf = verz / "Druckarchiv" / "20261205_Becken_1.pdf";
  ASSERT_TRUE(fs::exists(pdf));
  EXPECT_FALSE(fs::exists(fs::path(pdf).concat(".teil")));
  EXPECT_TRUE(Geloggt(Ansi("Ausdruck nicht möglich ! Seite abgelegt in ") + pdf.string()));
  const std::string text = Befehl("pdftotext -layout '" + pdf.string() + "' -");
  for (const char* erwartet :
       {"Daten vom : 05.12.2026", "Pegel Süd [m]", "Zulauf [l/s]", "Pumpe [an]", "Min.=0,50",
        "Max.=9,50", "Anzahl=100", "Min.=20,00", "Max.=119,00", "Sekunde(n)"}) {
    EXPECT_NE(text.find(erwartet), std::string::npos) << erwartet << "\n" << text;
  }
}

// A page whose file cannot be written is said once; the next group is archived.
TEST_F(TagesdruckQt, UnschreibbareArchivdateiHaeltDieNaechsteGruppeNichtAuf) {
  test::DateiSchreiben(s.Pfade.GruppenDatei, test::GruppenSatz(756, {1}, "A", true) +
                                                 test::GruppenSatz(756, {2}, "B", true));
  s.Druck.DruckerNr = -2;
  const fs::path a = tagesdruck::ArchivDatei(verz.pfad(), tag, "A", "");
  fs::create_directories(fs::path(a).concat(".teil"));  // stands where the file is written
  Drucken();
  EXPECT_TRUE(Geloggt("Druckarchiv : " + a.string() + " kann nicht geschrieben werden"));
  EXPECT_FALSE(fs::is_regular_file(a));
  EXPECT_TRUE(fs::exists(tagesdruck::ArchivDatei(verz.pfad(), tag, "B", "")));

  // A file where the archive folder belongs: one line per page, the run goes on.
  senke.zeilen.clear();
  fs::remove_all(verz / "Druckarchiv");
  test::DateiSchreiben(verz / "Druckarchiv", "kein Ordner");
  Drucken();
  EXPECT_TRUE(Geloggt("Druckarchiv : " + a.string() + " kann nicht geschrieben werden"));
  EXPECT_TRUE(
      Geloggt("Druckarchiv : " + tagesdruck::ArchivDatei(verz.pfad(), tag, "B", "").string() +
              " kann nicht geschrieben werden"));
}

// The stored printer, found by name in the private scheduler's list, receives one job per
// marked group.
TEST_F(TagesdruckQt, CupsQueueErhaeltEinenAuftragJeGruppe) {
  if (cups == nullptr) {
    if (test::PrivaterCups::Pflicht()) FAIL() << "the private CUPS scheduler does not run";
    GTEST_SKIP() << "no private CUPS scheduler here";
  }
  test::DateiSchreiben(s.Pfade.GruppenDatei, test::GruppenSatz(756, {1}, "Eins", true) +
                                                 test::GruppenSatz(756, {2}, "Aus", false) +
                                                 test::GruppenSatz(756, {2, 3}, "Zwei", true));
  const auto liste = drucker.Druckerliste();
  const auto pos = std::find(liste.begin(), liste.end(), "PDF");
  ASSERT_NE(pos, liste.end());
  s.Druck.DruckerNr = static_cast<int>(pos - liste.begin());
  s.Druck.DruckerName = "PDF";
  const std::size_t vorher = cups->ErledigteAuftraege("PDF").size();
  Drucken();
  EXPECT_FALSE(Geloggt(Ansi("Ausdruck nicht möglich !")));
  EXPECT_EQ(cups->AufAuftraegeWarten("PDF", vorher + 2).size(), vorher + 2);
  EXPECT_TRUE(fs::exists(tagesdruck::ArchivDatei(verz.pfad(), tag, "Zwei", "")));

  // pegeltool print --printer: the stored printer (here the system default, the PDF queue)
  // receives the same two jobs; the tool inherits the scheduler's CUPS_SERVER.
  test::DateiSchreiben(s.Pfade.IniDatei, "[DDE]\r\nDrucker=-1\r\n");
  const std::string aus = Befehl(std::string(PEGELTOOL) + " print " + verz.pfad().string() +
                                 " 20261205 --printer 2>&1");
  EXPECT_NE(aus.find("2 Seiten"), std::string::npos) << aus;
  EXPECT_EQ(cups->AufAuftraegeWarten("PDF", vorher + 4).size(), vorher + 4);
}

// The program's wiring: Test > Druck Mitternacht prints today's pages so far as test pages,
// and a missing daily print of yesterday is logged at the start.
TEST(TagesdruckAnwendung, TestdruckAusDemMenueUndFehlenderTagesdruck) {
  test::TempVerz v;
  const QDateTime jetzt = QDateTime::currentDateTime();
  const TDateTime heute =
      DatumKodieren(jetzt.date().year(), jetzt.date().month(), jetzt.date().day());
  test::DateiSchreiben(v / "PEGELWART.GRP", test::GruppenSatz(756, {1}, "Becken", true));
  for (const TDateTime t : {heute - 1, heute}) {
    const std::string name = DatumZuDateiname(t);
    test::DateiSchreiben(v / (name + ".PGH"), test::Kopf("1", "1000", {{"Pegel", "1", "0", "m"}}));
    test::DateiSchreiben(v / (name + ".DAT"), "1;00:00:00;1,5\r\n1;00:00:01;2,5\r\n");
  }
  ui::Anwendung a(v.pfad());
  auto* aktion = a.Hauptfenster().findChild<QAction*>("Drucken1");
  ASSERT_NE(aktion, nullptr);
  ASSERT_TRUE(aktion->isEnabled());
  aktion->trigger();
  EXPECT_TRUE(fs::exists(tagesdruck::ArchivDatei(v.pfad(), heute, "Becken", "_test")));
  EXPECT_FALSE(fs::exists(tagesdruck::ArchivDatei(v.pfad(), heute, "Becken", "")));
  const std::string log = test::DateiLesen(v / "_PEGELWART_LOGALL.TXT");
  EXPECT_NE(log.find(Ansi("Kein Tagesdruck für ") + DatumText(heute - 1) + " vorhanden"),
            std::string::npos)
      << log;
}

}  // namespace
}  // namespace pegel

int main(int argc, char** argv) {
  // Before QGuiApplication and any printing: libcups and Qt's print plugin read CUPS_SERVER
  // once. Without a scheduler the PDF cases still run and the CUPS case skips.
  pegel::test::PrivaterCups privat;
  if (privat.Laeuft()) pegel::cups = &privat;
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
