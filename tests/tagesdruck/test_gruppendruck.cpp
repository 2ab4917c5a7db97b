// The daily group print over a plant directory written byte by byte: which groups print, in
// which order, what reaches the printer and the archive, and what the log says.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "anlage_dateien.h"
#include "cp1252.h"
#include "druck_archiv.h"
#include "gruppen_druck.h"
#include "test_dienste.h"
#include "test_senke.h"
#include "text_format.h"

namespace pegel::tagesdruck {
namespace {

namespace fs = std::filesystem;
using chart::test::Aufruf;

// Three parameters: two analog, one digital; `zeilen` rows of the day 05.12.2026.
class Gruppendruck_ : public ::testing::Test {
 protected:
  test::Umgebung u;
  TestSenke drucker;
  TestSenke archiv;
  const TDateTime tag = DatumKodieren(2026, 12, 5);

  void SetUp() override {
    u.s.Abfrage.PrintDate = tag + 0.25;
    u.s.Druck.DruckerNr = 0;
    u.s.Druck.DruckerName = "PDF";
    Tag(100);
  }
  void Tag(int zeilen) {
    test::DateiSchreiben(
        u.s.Pfade.ProgDir / "20261205.PGH",
        test::Kopf(
            "3", "1000",
            {{"Pegel", "1", "0", "m"}, {"Zulauf", "1", "2", "l/s"}, {"Pumpe", "2", "0", "an"}}));
    std::string t;
    for (int r = 0; r < zeilen; ++r) {
      t += "1;" + ZeitText(r / 86400.0) + ";" + std::to_string(r % 7) + ",5;" +
           std::to_string(30000 + r) + ";" + (r % 2 ? "1" : "0") + "\r\n";
    }
    test::DateiSchreiben(u.s.Pfade.ProgDir / "20261205.DAT", t);
  }
  void Gruppen(const std::vector<std::tuple<std::vector<std::int32_t>, std::string, bool>>& g) {
    std::string b;
    for (const auto& [m, name, drucken] : g) b += test::GruppenSatz(756, m, name, drucken);
    test::DateiSchreiben(u.s.Pfade.GruppenDatei, b);
  }
  int Drucken(Druckwahl w = {}) {
    return Gruppendruck(u.s, u.d, &drucker, &archiv, w).GruppeDrucken();
  }
  fs::path Archiv(const std::string& name) { return ArchivDatei(u.s.Pfade.ProgDir, tag, name, ""); }
};

TEST_F(Gruppendruck_, JedeMarkierteGruppeEineSeiteInDateireihenfolge) {
  Gruppen({{{3, 1}, "Becken", true},
           {{2}, "Nicht", false},
           {{2}, "", true},  // marked without a name: not printed
           {{2, 3}, "Zulauf", true}});
  EXPECT_EQ(Drucken(), 2);
  EXPECT_EQ(drucker.Gruppen(), (std::vector<std::string>{"Becken", "Zulauf"}));
  EXPECT_EQ(archiv.Gruppen(), drucker.Gruppen());
  for (const auto* senke : {&drucker, &archiv}) {
    for (const auto& s : senke->seiten) EXPECT_TRUE(s.beendet && !s.abgebrochen);
  }
  // Members in parameter order, whatever the group's order.
  const auto& c = drucker.seiten[0].canvas;
  EXPECT_LT(c.TextMit("Pegel [m]").y1, 0);
  EXPECT_GT(c.TextMit("Pegel [m]").y1, c.TextMit("Pumpe [an]").y1);
  EXPECT_EQ(archiv.seiten[1].auftrag.datei, Archiv("Zulauf"));
  EXPECT_TRUE(drucker.seiten[0].auftrag.quer);
  EXPECT_EQ(u.d.drucker.Druckerliste().size(), 1u);
}

// The log lines of the runs that print nothing.
TEST_F(Gruppendruck_, NichtsZuDruckenSagtWarum) {
  struct Fall {
    std::string name;
    std::function<void()> vorbereiten;
    std::vector<std::string> log;
  };
  const std::vector<Fall> faelle = {
      {"ohne Gruppendatei",
       [] {},
       {"GruppeDrucken: Keine Gruppendatei vorhanden !", "Keine Gruppe zum Ausdrucken markiert !"}},
      {"keine markiert",
       [this] {
         Gruppen({{{1}, "A", false}});
       },
       {"Keine Gruppe zum Ausdrucken markiert !"}},
      {"ohne Kopf",
       [this] {
         Gruppen({{{1}, "A", true}});
         fs::remove(u.s.Pfade.ProgDir / "20261205.PGH");
       },
       {Ansi("GruppeDrucken: PGH-Datei für gestrige Daten nicht gefunden oder ungültig !")}},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    u.senke.zeilen.clear();
    SetUp();
    fs::remove(u.s.Pfade.GruppenDatei);
    f.vorbereiten();
    EXPECT_EQ(Drucken(), 0);
    EXPECT_EQ(u.Log(), f.log);
  }
  EXPECT_TRUE(drucker.seiten.empty());
}

// A parameter in two marked groups: its sum on the first page only, and the live sums reset.
TEST_F(Gruppendruck_, SummeNurAufDerErstenSeiteUndAktMaxZurueckgesetzt) {
  Gruppen({{{1, 3}, "Erste", true}, {{1, 3}, "Zweite", true}});
  u.s.Sammler.AktMax[1] = 1235;
  u.s.Sammler.AktMax[3] = 4.5;
  test::Par(u.s, 1).GrafikSumTeiler = 10;
  test::Par(u.s, 1).GrafikSumEinheit = "m3";
  Drucken();
  ASSERT_EQ(drucker.seiten.size(), 2u);
  EXPECT_TRUE(drucker.seiten[0].canvas.HatText("Summe=123,5 m3"));
  EXPECT_TRUE(drucker.seiten[0].canvas.HatText("Betriebszeit=4,50 h"));
  EXPECT_FALSE(drucker.seiten[1].canvas.HatText("Summe="));
  EXPECT_FALSE(drucker.seiten[1].canvas.HatText("Betriebszeit="));
  EXPECT_EQ(u.s.Sammler.AktMax[1], -1.0);
  EXPECT_EQ(u.s.Sammler.AktMax[3], -1.0);

  // The tool has no live sums: none printed, none reset.
  drucker.seiten.clear();
  u.s.Sammler.AktMax[1] = 1235;
  Druckwahl ohne;
  ohne.aktMax = false;
  Drucken(ohne);
  EXPECT_FALSE(drucker.seiten.at(0).canvas.HatText("Summe="));
  EXPECT_EQ(u.s.Sammler.AktMax[1], 1235);
}

// The page: time labels from the day's rows, the day in the footer, and values above 30000
// (the statistics' start value) as minimum and maximum.
TEST_F(Gruppendruck_, SeiteAusDenTagesdaten) {
  Gruppen({{{2}, "Zulauf", true}});
  Drucken();
  const auto& c = drucker.seiten.at(0).canvas;
  EXPECT_TRUE(c.HatText("Daten vom : 05.12.2026"));
  EXPECT_TRUE(c.HatText(Ansi("Meßintervall : 1 Sekunde(n)")));
  EXPECT_TRUE(c.HatText("Min.=30000,00"));
  EXPECT_TRUE(c.HatText("Max.=30099,00"));
  EXPECT_TRUE(c.HatText("Anzahl=100"));
  // 100 rows: 16 labels 6.25 rows apart, the first the day's first time.
  int labels = 0;
  for (const auto& a : c.Alle(Aufruf::Text)) labels += a.text.find(':') == 2 ? 1 : 0;
  EXPECT_EQ(labels, 16);
  EXPECT_TRUE(c.HatText("00:00:00"));
  EXPECT_TRUE(c.HatText("00:00:06"));  // trunc(1 * 6.25)
}

// Members the day does not have are left out with one line; the rest of the group prints.
TEST_F(Gruppendruck_, MitgliederJenseitsDerSpaltenAusgelassen) {
  Gruppen({{{1, 7, 9}, "Mit Luecken", true}, {{8}, "Nur fremde", true}, {{2}, "Danach", true}});
  EXPECT_EQ(Drucken(), 2);
  EXPECT_EQ(drucker.Gruppen(), (std::vector<std::string>{"Mit Luecken", "Danach"}));
  EXPECT_TRUE(
      u.Geloggt("Druck : Gruppe Mit Luecken: Parameter 7, 9 nicht in den Tagesdaten, "
                "ausgelassen"));
  EXPECT_TRUE(
      u.Geloggt("Druck : Gruppe Nur fremde: Parameter 8 nicht in den Tagesdaten, "
                "ausgelassen"));
}

// Without a usable printer the archive is still written and the log names it; a printer
// that is not there, a fax and a locked choice never print.
TEST_F(Gruppendruck_, OhneDruckerNurDasArchiv) {
  Gruppen({{{1}, "A", true}});
  struct Fall {
    int nr;
    std::string name;
    bool verfuegbar;
  };
  for (const Fall& f : {Fall{-2, "PDF", true}, Fall{0, "Fax Buero", true}, Fall{0, "Weg", true},
                        Fall{0, "PDF", false}}) {
    SCOPED_TRACE(f.name);
    u.senke.zeilen.clear();
    drucker.seiten.clear();
    archiv.seiten.clear();
    u.s.Druck.DruckerNr = f.nr;
    u.s.Druck.DruckerName = f.name;
    u.drucker.liste = {"Fax Buero", "PDF"};
    u.drucker.verfuegbar = f.verfuegbar;
    EXPECT_EQ(Drucken(), 1);
    EXPECT_TRUE(drucker.seiten.empty());
    ASSERT_EQ(archiv.seiten.size(), 1u);
    EXPECT_TRUE(u.Geloggt(Ansi("Ausdruck nicht möglich !")));
    const std::string pfad = archiv.seiten[0].auftrag.datei.string();
    EXPECT_TRUE(u.Geloggt(Ansi("Ausdruck nicht möglich ! Seite abgelegt in ") + pfad));
  }
}

// Failures of one destination or one page: every job begun is ended or aborted, the busy
// flag is clear, and later groups still print.
TEST_F(Gruppendruck_, FehlerEinerSeiteHaltenDieAnderenNichtAuf) {
  Gruppen({{{1}, "A", true}, {{2}, "B", true}});
  archiv.beginnenScheitert = true;
  EXPECT_EQ(Drucken(), 2);
  EXPECT_EQ(drucker.seiten.size(), 2u);
  EXPECT_TRUE(
      u.Geloggt("Druckarchiv : " + Archiv("A").string() + " kann nicht geschrieben werden"));

  u.senke.zeilen.clear();
  drucker.seiten.clear();
  archiv.beginnenScheitert = false;
  archiv.beendenScheitert = true;
  EXPECT_EQ(Drucken(), 2);
  EXPECT_EQ(archiv.seiten.size(), 2u);
  EXPECT_TRUE(
      u.Geloggt("Druckarchiv : " + Archiv("B").string() + " kann nicht geschrieben werden"));

  // A page that cannot be drawn (a width beyond the integer geometry): its jobs are
  // aborted, nothing is left busy, and the next page prints.
  Gruppendruck g(u.s, u.d, &drucker, &archiv, {});
  drucker.seiten.clear();
  archiv.seiten.clear();
  archiv.beendenScheitert = false;
  ASSERT_EQ(g.TagLesen(), 100);
  ASSERT_TRUE(g.DruckVorbereiten());
  u.s.Druck.Druckbreite = 2000000000;
  ASSERT_TRUE(g.GruppeVorbereiten(1, 100));
  g.SeiteDrucken();
  EXPECT_FALSE(g.Druckbusy());
  ASSERT_EQ(drucker.seiten.size(), 1u);
  EXPECT_TRUE(drucker.seiten[0].abgebrochen && !drucker.seiten[0].beendet);
  EXPECT_TRUE(archiv.seiten.at(0).abgebrochen);
  u.s.Druck.Druckbreite = 284;
  ASSERT_TRUE(g.GruppeVorbereiten(2, 100));
  g.SeiteDrucken();
  EXPECT_TRUE(drucker.seiten.at(1).beendet);
}

TEST(Druckarchiv, SichereNamen) {
  const std::vector<std::pair<std::string, std::string>> faelle = {
      {"Becken 1", "Becken 1"},
      {"../../etc/passwd", ".._.._etc_passwd"},
      {"a\\b:c*d?e\"f<g>h|i", "a_b_c_d_e_f_g_h_i"},
      {std::string("Zeile\r\nNeu\x01\x7F", 12), "Zeile__Neu__"},
      {"..", "_"},
      {"", "_"},
      {"Ende. ", "Ende"},
      {Ansi("Süd"), "Süd"},
  };
  for (const auto& [name, sicher] : faelle) EXPECT_EQ(SichererName(name), sicher) << name;
  EXPECT_EQ(ArchivDatei("/anlage", DatumKodieren(2026, 12, 5), "a/b", "_test"),
            fs::path("/anlage/Druckarchiv/20261205_a_b_test.pdf"));
}

TEST_F(Gruppendruck_, ArchivAbschaltbarUndTestdruckMitZusatz) {
  Gruppen({{{1}, "A", true}});
  Tagesdruck t(&drucker, &archiv);
  t.TestdruckSetzen(true);
  t.GruppeDrucken(u.s, u.d);
  ASSERT_EQ(archiv.seiten.size(), 1u);
  EXPECT_EQ(archiv.seiten[0].auftrag.datei, ArchivDatei(u.s.Pfade.ProgDir, tag, "A", "_test"));

  archiv.seiten.clear();
  test::DateiSchreiben(u.s.Pfade.IniDatei, "[PegelWart]\r\nDruckarchiv=0\r\n");
  t.TestdruckSetzen(false);
  t.GruppeDrucken(u.s, u.d);
  EXPECT_TRUE(archiv.seiten.empty());
  EXPECT_EQ(drucker.seiten.size(), 2u);
}

TEST_F(Gruppendruck_, FehlenderTagesdruckWirdGemeldet) {
  const TDateTime heute = tag + 1 + 0.3;
  fs::remove(u.s.Pfade.GruppenDatei);
  EXPECT_FALSE(FehlenderTagesdruckMelden(u.s, u.log, heute)) << "no group marked";
  Gruppen({{{1}, "A", true}});
  EXPECT_TRUE(FehlenderTagesdruckMelden(u.s, u.log, heute));
  EXPECT_TRUE(u.Geloggt(Ansi("Kein Tagesdruck für 05.12.2026 vorhanden")));
  // A test page of that day is no daily print.
  fs::create_directories(u.s.Pfade.ProgDir / ArchivOrdner);
  test::DateiSchreiben(ArchivDatei(u.s.Pfade.ProgDir, tag, "A", "_test"), "%PDF");
  EXPECT_TRUE(FehlenderTagesdruckMelden(u.s, u.log, heute));
  test::DateiSchreiben(Archiv("A"), "%PDF");
  EXPECT_FALSE(FehlenderTagesdruckMelden(u.s, u.log, heute));
  // Without the collector's day, nothing could have been printed.
  EXPECT_FALSE(FehlenderTagesdruckMelden(u.s, u.log, heute + 5));
  fs::remove(Archiv("A"));
  test::DateiSchreiben(u.s.Pfade.IniDatei, "[PegelWart]\r\nDruckarchiv=0\r\n");
  EXPECT_FALSE(FehlenderTagesdruckMelden(u.s, u.log, heute));
}

}  // namespace
}  // namespace pegel::tagesdruck
