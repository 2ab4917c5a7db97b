#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "abschnitte.h"
#include "anlage_dateien.h"
#include "historie_laden.h"
#include "spannen_wahl.h"
#include "test_dienste.h"

namespace pegel {
namespace {

using test::DateiSchreiben;
using test::Kopf;
using test::TempVerz;

// One data line at `sekunde` of the day with `werte` values.
std::string Zeile(int sekunde, int werte = 2) {
  std::string z = "1;" + ZeitText(sekunde / 86400.0);
  for (int i = 1; i <= werte; ++i) z += ";" + std::to_string(i) + ",5";
  return z + "\r\n";
}

std::string Zeilen(const std::vector<int>& sekunden, int werte = 2) {
  std::string t;
  for (int s : sekunden) t += Zeile(s, werte);
  return t;
}

std::string ZweiParameter(const std::string& intervall = "10000") {
  return Kopf("2", intervall, {{"Pegel", "1", "0", "m"}, {"Pumpe", "2", "0", "an"}});
}

struct Historie : ::testing::Test {
  TempVerz v;
  LadeAuftrag a;
  Historie() {
    a.Suchverzeichnis = v.pfad();
    a.DDEIntervallMs = 5000;
    a.jetzt = DatumKodieren(2026, 12, 6) + 0.5;
  }
  // Writes the day file (and its header, when given) and chooses it in the list.
  HistorienLadung Laden(const std::string& daten, const std::string& kopf = ZweiParameter(),
                        const std::string& name = "20261205") {
    DateiSchreiben(v / (name + ".DAT"), daten);
    if (!kopf.empty()) DateiSchreiben(v / (name + ".PGH"), kopf);
    a.eintraege = {name + ".DAT"};
    a.gewaehlt = 0;
    return HistorienTagLaden(a);
  }
};

TEST_F(Historie, StretchTextsHaveFourDotsAndThreeForTheLast) {
  const int acht = 8 * 3600;
  const auto e = Laden(Zeilen({acht, acht + 10, acht + 300}));
  EXPECT_EQ(
      e.abschnitte.cbIntervalle,
      (std::vector<std::string>{"Gesamtzeit", "08:00:00....08:00:10", "08:05:00...08:05:00"}));
  EXPECT_EQ(e.abschnitte.lbix1, (std::vector<std::int32_t>{0, 2}));
  EXPECT_EQ(e.abschnitte.lbix2, (std::vector<std::int32_t>{1, 2}));
  EXPECT_EQ(e.lbZeit1, "08:00:00");
  EXPECT_EQ(e.lbZeit2, "08:05:00");
  EXPECT_EQ(e.Zeilenzahl, 3);
  EXPECT_TRUE(e.log.empty());
  EXPECT_TRUE(e.meldungen.empty());
}

TEST(Abschnitte, GapAboveIntervalPlusOneSecondSplitsBackwardsNever) {
  struct Fall {
    std::int32_t intervall;
    std::vector<int> sekunden;
    std::size_t abschnitte;
  };
  const Fall faelle[] = {
      {10000, {100, 111}, 1},       // exactly interval + 1 s
      {9999, {100, 111}, 2},        // 1 ms beyond the threshold
      {10500, {100, 111, 123}, 2},  // 11 s stays, 12 s splits
      {0, {100, 101, 103}, 2},
      {0, {100, 100}, 1},                // an equal time never splits
      {1000, {3600, 100, 86399, 0}, 2},  // backwards (also over midnight) never splits
  };
  for (const auto& f : faelle) {
    gitter g;
    ASSERT_EQ(g.Aufteilen(Zeilen(f.sekunden)), gitter::Ergebnis::Ok);
    EXPECT_EQ(AbschnitteFinden(g, f.intervall).lbix1.size(), f.abschnitte) << f.intervall;
  }

  // The boundary holds at every time of day, however the times round as fractions.
  std::vector<int> alle;
  for (int s = 0; s < 86400; s += 11) alle.push_back(s);
  gitter g;
  ASSERT_EQ(g.Aufteilen(Zeilen(alle, 0)), gitter::Ergebnis::Ok);
  EXPECT_EQ(AbschnitteFinden(g, 10000).lbix1.size(), 1u);
  EXPECT_EQ(AbschnitteFinden(g, 9999).lbix1.size(), alle.size());
  EXPECT_DOUBLE_EQ(Zeitluecke(10000), 11.0 / 86400.0);
}

TEST_F(Historie, SingleSampleIsOneStretchAndTheBarsSpanOneRow) {
  const auto e = Laden(Zeile(3600));
  ASSERT_TRUE(e.Geladen());
  EXPECT_EQ(e.abschnitte.cbIntervalle,
            (std::vector<std::string>{"Gesamtzeit", "01:00:00...01:00:00"}));
  SpannenWahl w;
  w.Laden(e.DatenGitter, e.Zeilenzahl, e.abschnitte);
  EXPECT_EQ(w.tb1().Min, 1);
  EXPECT_EQ(w.tb2().Max, 1);
  EXPECT_EQ(w.Zeilen(), 1);
  w.cbIntervalleChange(1);
  EXPECT_EQ(w.Zeilen(), 1);
  EXPECT_EQ(w.lbT1(), "01:00:00");
}

TEST_F(Historie, FailuresAreLoggedWithTheBrowsersTexts) {
  struct Fall {
    const char* was;
    std::string daten;
    std::vector<std::string> log;
    std::int32_t zeilen;
  };
  const Fall faelle[] = {
      {"leer", "", {}, 0},
      {"zu viele Felder",
       Zeilen({1, 2}) + std::string(182, ';') + "\r\n" + Zeile(4),
       {"History : Fehler 5 (Zeile 3)"},
       2},
      {"Zeit nicht lesbar",
       Zeile(1) + "1;25:00:00;1\r\n" + Zeile(3),
       {"History : Fehler 5 (Zeile 2)"},
       1},
      {"leere letzte Zeile", Zeilen({1, 2}) + "\r\n", {"History : Fehler 5 (Zeile 3)"}, 2},
      {"erste Zeile", "kopf;zeit;wert\r\n" + Zeile(1), {"History : Fehler 5 (Zeile 1)"}, 0},
  };
  for (const auto& f : faelle) {
    const auto e = Laden(f.daten);
    EXPECT_EQ(e.log, f.log) << f.was;
    EXPECT_EQ(e.Zeilenzahl, f.zeilen) << f.was;
    EXPECT_EQ(e.DatenGitter.Zeilen(), static_cast<std::size_t>(f.zeilen)) << f.was;
  }
  EXPECT_EQ(Laden("").meldungen,
            std::vector<std::string>{"Noch keine aktuellen Messwerte vorhanden."});

  a.eintraege = {"fehlt.DAT"};
  EXPECT_EQ(HistorienTagLaden(a).log, std::vector<std::string>{"History : Fehler 2"});
  a.gewaehlt.reset();
  EXPECT_EQ(HistorienTagLaden(a).log, std::vector<std::string>{"History : Fehler 1"});

  // Beyond the grid's 32-bit offsets: no room (a sparse file keeps the test small on disk).
  DateiSchreiben(v / "20261205.DAT", Zeile(1));
  std::filesystem::resize_file(v / "20261205.DAT", gitter::MaxBytes + 1);
  a.eintraege = {"20261205.DAT"};
  a.gewaehlt = 0;
  const auto gross = HistorienTagLaden(a);
  EXPECT_EQ(gross.log, std::vector<std::string>{"History : Fehler 4"});
  EXPECT_FALSE(gross.Geladen());
}

// A bad line ends the read there; the rows before it are the loaded day, not zeros.
TEST_F(Historie, BadLineAtRow500KeepsTheRowsBeforeIt) {
  std::vector<int> sekunden;
  for (int s = 0; s < 1440; ++s) sekunden.push_back(60 * s);
  const std::string schlecht[] = {"1;08:20:00" + std::string(181, ';') + "\r\n",
                                  "1;08:2O:00;1,5;2,5\r\n"};
  for (const auto& zeile : schlecht) {
    std::string daten;
    for (int s = 0; s < 1440; ++s) daten += s == 500 ? zeile : Zeile(sekunden[s]);
    const auto e = Laden(daten, ZweiParameter("60000"));
    EXPECT_EQ(e.log, std::vector<std::string>{"History : Fehler 5 (Zeile 501)"});
    EXPECT_EQ(e.abbruchZeile, 500u);
    EXPECT_EQ(e.gezaehlt, 1440u);
    ASSERT_EQ(e.Zeilenzahl, 500);
    EXPECT_EQ(e.DatenGitter.Zeilen(), 500u);
    EXPECT_EQ(e.lbZeit2, "08:19:00");
    EXPECT_EQ(e.abschnitte.cbIntervalle.back(), "00:00:00...08:19:00");
    EXPECT_EQ(e.abschnitte.lbix2.back(), 499);
    EXPECT_EQ(e.Spaltenzahl, 2);
    EXPECT_TRUE(e.meldungen.empty());
  }
}

TEST_F(Historie, FallbackHeaderThenMessageAndTheCollectorsInterval) {
  DateiSchreiben(v / "20261206.PGH",
                 Kopf("2", "60000", {{"Becken", "1", "0", "m"}, {"Zulauf", "1", "1", "l/s"}}));
  DateiSchreiben(v / "20261206.DAT", Zeile(1));
  DateiSchreiben(v / "20261205.DAT", Zeilen({0, 61, 122}));
  a.eintraege = {"20261205.DAT", "20261206.DAT"};
  a.gewaehlt = 0;  // its own header is missing: the last entry's is read
  auto e = HistorienTagLaden(a);
  EXPECT_EQ(e.kopfQuelle, KopfQuelle::Ersatz);
  EXPECT_EQ(e.lbPars, (std::vector<std::string>{"Becken  [m]", "Zulauf  [l/s]"}));
  EXPECT_EQ(e.Messintervall, 60000);
  EXPECT_EQ(e.abschnitte.lbix1.size(), 1u);  // 61 s apart at a 60 s interval
  EXPECT_TRUE(e.meldungen.empty());
  EXPECT_EQ(e.tag.Tageskennung, "20261205.DAT");

  std::filesystem::remove(v / "20261206.PGH");
  e = HistorienTagLaden(a);
  EXPECT_EQ(e.kopfQuelle, KopfQuelle::Keiner);
  EXPECT_TRUE(e.lbPars.empty());
  EXPECT_EQ(e.Messintervall, 5000);  // DDEIntervallMs
  EXPECT_EQ(e.HistKopf.IntervallZahl, 5);
  EXPECT_EQ(e.abschnitte.lbix1.size(), 3u);
  EXPECT_EQ(e.meldungen, (std::vector<std::string>{
                             Ansi("PGH-Datei für diese Messung nicht gefunden oder ungültig !\r\n"
                                  "Bitte wählen Sie nochmals einen anderen Tag.\r\n"
                                  "PGH-Datei befindet sich evtl. in anderem Verzeichnis."),
                             "Parameterzahl in PGH-Datei (0) <> Spaltenzahl der Messdatei (2)"}));
  EXPECT_EQ(e.HistKopf.Itemcount, 2);
  ASSERT_TRUE(e.Geladen());  // the load goes on with the data file
}

TEST_F(Historie, ExportDayComesFromTheDataFileNotFromTheFallbackHeader) {
  DateiSchreiben(v / "20261201.DAT", Zeile(1));
  DateiSchreiben(v / "20261201.PGH", ZweiParameter());
  DateiSchreiben(v / "Export_20261203.DAT", Zeilen({1, 2}));
  a.eintraege = {"20261201.DAT", "Export_20261203.DAT"};
  a.Vorauswahl = "Export_20261203.DAT";
  const auto e = HistorienTagLaden(a);
  EXPECT_EQ(e.kopfQuelle, KopfQuelle::Ersatz);
  EXPECT_EQ(e.kopfDatei, v / "20261201.PGH");
  EXPECT_EQ(e.tag.Tageskennung, "20261203");
  EXPECT_EQ(e.tag.lbDatum, "03.12.2026");
  EXPECT_EQ(e.GrafikTag, DatumKodieren(2026, 12, 3));
  EXPECT_EQ(e.Zeilenzahl, 2);

  // A name without a date: the message, and the chart shows today.
  DateiSchreiben(v / "abc.DAT", Zeile(1));
  a.Vorauswahl = "abc.DAT";
  const auto ohne = HistorienTagLaden(a);
  EXPECT_EQ(ohne.meldungen.front(), Ansi("Ungültiges Datum ?"));
  EXPECT_EQ(ohne.GrafikTag, a.jetzt);
}

TEST_F(Historie, ColumnCheckShowsTheMismatchAndTakesTheFilesCount) {
  const auto e = Laden(Zeilen({1, 2}, 3));
  EXPECT_EQ(e.meldungen, std::vector<std::string>{
                             "Parameterzahl in PGH-Datei (2) <> Spaltenzahl der Messdatei (3)"});
  EXPECT_EQ(e.HistKopf.Itemcount, 3);
  EXPECT_EQ(e.lbPars, (std::vector<std::string>{"Pegel  [m]", "Pumpe  [an]"}));
}

}  // namespace
}  // namespace pegel
