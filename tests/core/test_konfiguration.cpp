// The configuration loader: the no-items path, the switch to PegelWart_V5.ini, the
// parameter table with its limits and scales, the intervals, and bad values.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "konfig_hilfen.h"
#include "konfiguration.h"

namespace pegel {
namespace {

using test::DateiLesen;
using test::DateiSchreiben;
using test::KonfigTest;
using test::Parameter;

const std::vector<std::string> kOhneItems = {"Keine DDE-Items definiert !",
                                             "DDE-Items aus PGH-Datei bestimmen ?"};

TEST_F(KonfigTest, NoItemsAndAnswerNoLeavesTheViewerUnableToStart) {
  for (const char* itemcount : {"", "Itemcount=0\r\n", "Itemcount=-5\r\n", "Itemcount=abc\r\n"}) {
    SCOPED_TRACE(itemcount);
    u.meldungen.gezeigt.clear();
    Ini(std::string("[DDE]\r\nIntervall=10\r\n") + itemcount + "[Grafik]\r\nAutoStart=1\r\n");
    Laden();
    EXPECT_EQ(Meldungen(), kOhneItems);
    EXPECT_FALSE(u.s.KonfigOK);
    EXPECT_FALSE(u.s.Anzeige.AutoStartAktiv);
    EXPECT_TRUE(u.meldungen.filter.empty()) << "No opens no file dialog";
  }
  u.meldungen.antworten = {true};  // Yes, but the file dialog is cancelled
  Laden();
  EXPECT_EQ(u.meldungen.filter, std::vector<std::string>{"Headerdatei [*.pgh]|*.pgh"});
  EXPECT_FALSE(u.s.KonfigOK);
}

// A header file as the collector writes it: N, N item names, a line, the interval, a
// line, 2N lines, a line, then four lines per parameter.
std::string Pgh(const std::vector<std::string>& bloecke, int n) {
  std::string t = std::to_string(n) + "\r\n";
  for (int i = 1; i <= n; ++i) t += "SPS|Wert" + std::to_string(i) + "\r\n";
  t += "x\r\n10\r\nx\r\n";
  for (int i = 0; i < 2 * n; ++i) t += "0\r\n";
  t += "x\r\n";
  for (const auto& b : bloecke) t += b;
  return t;
}

// Yes, and a header file: good files define the parameters, unusable ones are reported.
TEST_F(KonfigTest, NoItemsYesAndAHeaderFile) {
  const std::string gut = "A\r\n1\r\n0\r\nm\r\n";
  const std::vector<std::string> faelle = {
      "",                                          // empty file
      Pgh({gut}, 0),                               // no parameters
      Pgh({gut}, 181),                             // more than the table holds
      Pgh({gut}, 2),                               // ends within the second block
      Pgh({gut, "B\r\nanalog\r\n0\r\nm\r\n"}, 2),  // type is no integer
      Pgh({"F\xFCllstand\r\n1\r\n0\r\nm\r\n", "Pumpe 1\r\n2 digital\r\n1\r\nKubikmeter/h\r\n"}, 2),
  };
  for (const auto& pgh : faelle) {
    SCOPED_TRACE(pgh.substr(0, 4));
    Ini("[DDE]\r\nIntervall=10\r\n");
    DateiSchreiben(u.verz / "X.PGH", pgh);
    u.meldungen.gezeigt.clear();
    u.meldungen.antworten = {true};
    u.meldungen.dateien = {u.verz / "X.PGH"};
    Laden();
    const bool gut = &pgh == &faelle.back();
    EXPECT_EQ(u.s.KonfigOK, gut);
    EXPECT_EQ(Meldungen().back(),
              gut ? kOhneItems.back() : "PGH-Datei f\xFCr diese Messung fehlerhaft !");
  }
  EXPECT_EQ(Meldungen(), kOhneItems);
  EXPECT_EQ(u.s.Par().ItemListe(), (std::vector<std::string>{"F\xFCllstand", "Pumpe 1"}));
  EXPECT_EQ(u.s.Par().at(2).Item, "SPS|Wert2");
  EXPECT_EQ(u.s.Par().at(2).Typ, Grafiktyp::Digital);
  EXPECT_EQ(u.s.Par().at(2).GrafikRef, 1);
  EXPECT_EQ(u.s.Par().at(2).Einheit, "Kubikmeter");
  EXPECT_EQ(IniText().find("[Items]"), std::string::npos) << "the parameters are not written";
}

TEST_F(KonfigTest, PegelWartV5IsUsedOnlyWhenTheCollectorsFileNamesNoItems) {
  const std::string sammler = "[DDE]\r\nItemcount=0\r\nIntervall=5\r\n";
  Ini(sammler);
  const auto v5 = u.verz / "PegelWart_V5.ini";
  DateiSchreiben(v5, Parameter(1));
  Laden();
  EXPECT_EQ(u.s.Pfade.IniDatei, v5);
  EXPECT_EQ(u.s.Par().ItemListe(), std::vector<std::string>{"P1"});
  EXPECT_EQ(u.s.Takt.DDEIntervall, 10) << "every value comes from the new file";
  EXPECT_EQ(u.Log().at(2), "PegelWart_V5.ini wurde gelesen !");
  EXPECT_EQ(DateiLesen(u.verz / "PEGELDDE.INI"), sammler);
  EXPECT_NE(DateiLesen(v5).find("AlteDaten=1"), std::string::npos) << "write-backs go to V5";

  // With items of its own the collector's file stays in use.
  test::Umgebung zweite;
  DateiSchreiben(zweite.s.Pfade.IniDatei, Parameter(2));
  DateiSchreiben(zweite.verz / "PegelWart_V5.ini", Parameter(1));
  Initialisierung(zweite.s, zweite.d);
  EXPECT_EQ(zweite.s.Pfade.IniDatei.filename(), "PEGELDDE.INI");
  EXPECT_EQ(zweite.s.Par().Itemcount(), 2);
}

TEST_F(KonfigTest, LimitsAcceptPointAndCommaAndUnitsAreCut) {
  std::string text = Parameter(2) +
                     "[UpLimit]\r\nItem1=12,5\r\nItem2=12.5\r\n[LoLimit]\r\nItem1=-0.25\r\n"
                     "[UpWarn]\r\nItem1= 10,5 \r\n[LoWarn]\r\nItem1=\"1.5\"\r\n"
                     "[Einheiten]\r\nItem1=m\xB3/h\r\nItem2=Kubikmeter je Stunde\r\n"
                     "[GrafikEinheit]\r\nItem2=l/s\r\n"
                     "[GrafikSumTeiler]\r\nItem1=abc\r\nItem2=3,6\r\n";
  Ini(text.replace(text.find("Item1=P1"), 8, "Item1=" + std::string(40, 'N')));
  Laden();
  ASSERT_TRUE(u.s.KonfigOK);
  const ParameterTabelle& p = u.s.Par();
  EXPECT_EQ((std::vector<double>{p.at(1).UpLimit, p.at(2).UpLimit, p.at(1).LoLimit, p.at(1).UpWarn,
                                 p.at(1).LoWarn, p.at(1).GrafikSumTeiler, p.at(2).GrafikSumTeiler}),
            (std::vector<double>{12.5, 12.5, -0.25, 10.5, 1.5, 1.0, 3.6}));
  EXPECT_EQ(u.s.Par().at(1).ItemnameKurz().size(), 30u);
  EXPECT_EQ(u.s.Par().at(1).Einheit, "m\xB3/h");
  EXPECT_EQ(p.at(1).GrafikSumEinheit, "m\xB3/h");
  EXPECT_EQ(u.s.Par().at(2).Einheit, "l/s") << "GrafikEinheit replaces Einheiten";
  EXPECT_TRUE(Meldungen().empty());
}

// A parameter that cannot be read leaves the configuration invalid: the parameters after it
// would run half-loaded. The log names the parameter and the key to mend.
TEST_F(KonfigTest, ALimitThatIsNoNumberStopsLoadingAndInvalidatesTheConfiguration) {
  Ini(Parameter(3) + "[LoWarn]\r\nItem2=zehn\r\n[PegelWart]\r\nTextrand=4\r\n");
  Laden();
  EXPECT_EQ(Meldungen(), std::vector<std::string>{"Fehler beim Lesen der .INI-Datei !"});
  EXPECT_FALSE(u.s.KonfigOK);
  EXPECT_TRUE(u.Geloggt("Fehler beim Lesen der .INI-Datei: [LoWarn] Item2=zehn ist keine Zahl"));
  EXPECT_EQ(u.s.Par().ItemListe(), (std::vector<std::string>{"P1", "P2"}));
  EXPECT_TRUE(u.s.Par().at(3).Itemname.empty()) << "loading stopped at parameter 2";
  EXPECT_NE(IniText().find("AlteDaten=1"), std::string::npos) << "earlier write-backs are kept";
}

TEST_F(KonfigTest, AnEmptyDisplayNameStopsTheParameterLoop) {
  std::string text = Parameter(3);
  Ini(text.replace(text.find("Item2=P2"), 8, "Item2=  "));
  test::Par(u.s, 3).Itemname = "vorher";
  Laden();
  EXPECT_EQ(Meldungen(), std::vector<std::string>{"DDE-Item Nr.2 fehlt !"});
  EXPECT_FALSE(u.s.KonfigOK);
  EXPECT_EQ(u.s.Par().ItemListe(), std::vector<std::string>{"P1"});
  EXPECT_EQ(u.s.Par().at(3).Itemname, "vorher");
}

TEST_F(KonfigTest, MoreThan180ItemsAreCutWithOneMessage) {
  Ini(Parameter(MaxItems));
  Laden();
  EXPECT_TRUE(Meldungen().empty()) << "exactly 180 is within the table";
  EXPECT_EQ(u.s.Par().Itemcount(), MaxItems);

  Ini(Parameter(200));
  Laden();
  EXPECT_EQ(Meldungen(), std::vector<std::string>{"Sie haben mehr als 180 DDE-Items definiert !"});
  EXPECT_EQ(u.s.Par().Itemcount(), 180);
  EXPECT_EQ(u.s.Einstell.lbItems, "180");
  EXPECT_EQ(u.s.Par().ItemListe().size(), 180u);
}

// Parameter 1 has a scale, 2 only the older keys, 3 neither (and limits of its own),
// 4 a scale that is no number.
TEST_F(KonfigTest, UserScaleFallsBackToTheOlderKeysThenToTheLimits) {
  Ini("[DDE]\r\nItemcount=4\r\n[Itemnames]\r\nItem1=A\r\nItem2=B\r\nItem3=C\r\nItem4=D\r\n"
      "[UpLimit]\r\nItem3=20\r\n[LoLimit]\r\nItem3=-5,5\r\n[Item_1]\r\nMinSkal=1,5\r\n"
      "MaxSkal=9.5\r\n[Item_2]\r\nMinSkal=-0\r\nMinForUser=0.5\r\nMaxForUser=99,5\r\n"
      "[Item_4]\r\nMinSkal=tief\r\nMaxSkal=50\r\n");
  Laden();
  ASSERT_TRUE(u.s.KonfigOK);
  // A present scale is not rewritten; a missing one is stored as the fallback's text.
  const IniEinstellungen ini(u.s.Pfade.IniDatei, true);
  std::vector<std::pair<double, double>> werte;
  std::string texte;
  for (int n = 1; n <= 4; ++n) {
    werte.emplace_back(u.s.Par().at(n).MinSkal, u.s.Par().at(n).MaxSkal);
    texte +=
        ini.Text(Schluessel::Skala_MinSkal, n) + "/" + ini.Text(Schluessel::Skala_MaxSkal, n) + " ";
  }
  EXPECT_EQ(werte, (std::vector<std::pair<double, double>>{
                       {1.5, 9.5}, {0.5, 99.5}, {-5.5, 20.0}, {-1000.0, 1000.0}}));
  EXPECT_EQ(texte, "1,5/9.5 0.5/99,5 -5,5/20 tief/50 ");

  std::vector<std::string> skalen;
  for (const auto& l : u.Log()) {
    if (l.find("Item_") != std::string::npos) skalen.push_back(l);
  }
  EXPECT_EQ(skalen, (std::vector<std::string>{
                        "Item_1 / A : Min/Max-Skalierung = 1,5/9.5",
                        "Item_2 / B : Min/Max-Skalierung = 0.5/99,5",
                        "*** Item_3 / C : Min/MaxForUser nicht gefunden.",
                        "Item_3 / C : Min/Max-Skalierung = -5,5/20",
                        "Item_4 / D : Min/Max-Skalierung = tief/50",
                    }));

  // The scales are stored now: a second run finds them and logs no fallback.
  u.senke.zeilen.clear();
  Laden();
  for (const auto& l : u.Log()) EXPECT_EQ(l.find("nicht gefunden"), std::string::npos) << l;
  EXPECT_EQ(u.s.Par().at(3).MinSkal, -5.5);
}

TEST_F(KonfigTest, TheLoadLogsInOrderAndWritesBackOnlyItsOwnKeys) {
  const std::string sammler =
      "; Sammler\r\n[DDE]\r\nItemcount=1\r\nIntervall=10\r\nDrucker=3\r\nDruckername=PDF\r\n"
      "[Items]\r\nItem1=SPS|A\r\n[Itemnames]\r\nItem1=Zulauf\r\n";
  Ini(sammler);
  Laden();
  EXPECT_EQ(u.Log(), (std::vector<std::string>{
                         "Automatischer Ausdruck folgender Gruppen:",
                         "Keine Gruppen definiert !",
                         "Drucker PDF hat jetzt die Nummer 0 (gespeichert war 3)",
                         "Drucker: PDF Nummer = 0",
                         "*** Item_1 / Zulauf : Min/MaxForUser nicht gefunden.",
                         "Item_1 / Zulauf : Min/Max-Skalierung = -1000.0/1000.0",
                     }));
  // The stored printer is found by its name where it is now.
  EXPECT_EQ(u.drucker.gesetzt, std::vector<int>{0});
  EXPECT_EQ(Meldungen(), std::vector<std::string>{});
  EXPECT_EQ(IniText(), sammler +
                           "\r\n[PegelWart]\r\nTextrand=0\r\n"
                           "\r\n[Grafik]\r\nAlteDaten=1\r\n"
                           "\r\n[Item_1]\r\nMinSkal=-1000.0\r\nMaxSkal=1000.0\r\n");
}

// The display interval (clamped to 1..59), its unit and the polling period from them.
TEST_F(KonfigTest, IntervalsAndThePollingPeriod) {
  const std::pair<const char*, std::array<int, 3>> faelle[] = {
      {"", {10, 0, 10000}},
      {"Intervall=-7\r\n", {1, 0, 1000}},
      {"Intervall=100\r\n", {59, 0, 59000}},
      {"Intervall=2\r\nEinheit=1\r\n", {2, 1, 120000}},
      {"Intervall=30\r\nEinheit=5\r\n", {30, -1, 1000}},
      {"Intervall=abc\r\nEinheit=-1\r\n", {10, -1, 1000}},
  };
  for (const auto& [grafik, erwartet] : faelle) {
    Ini(Parameter(1) + "[Grafik]\r\n" + grafik);
    Laden();
    EXPECT_EQ(
        (std::array{u.s.Einstell.spIntervall, u.s.Einstell.coIntervall, u.s.Anzeige.TimerSampleMs}),
        erwartet)
        << grafik;
  }
}

TEST_F(KonfigTest, TheCollectorsInterval) {
  Ini(Parameter(1).insert(7, "Intervall=2\r\nEinheit=1\r\n"));
  Laden();
  EXPECT_EQ(u.s.Takt.DDEIntervall, 120);
  EXPECT_EQ(u.s.Takt.DDEIntervallMs, 120000);
  EXPECT_EQ(u.s.Einstell.lbEinheit, "Minuten");

  // An interval whose milliseconds leave Int32 is a read error, not an overflow; loading
  // stops before the item count is checked, and the count must still fit the tables.
  Ini("[DDE]\r\nItemcount=181\r\nIntervall=2147483647\r\nEinheit=1\r\n");
  Laden();
  EXPECT_EQ(Meldungen(), std::vector<std::string>{"Fehler beim Lesen der .INI-Datei !"});
  EXPECT_EQ(u.s.Par().Itemcount(), MaxItems);
}

// Random files built from the loader's own sections and keys with hostile values: every
// run must end in a message or a safe default, within the tables' bounds.
TEST_F(KonfigTest, HostileValuesNeverLeaveTheTables) {
  const std::vector<std::string> sektionen = {
      "DDE",     "Grafik",  "Item_1", "Item_2",    "Items",           "Itemnames",
      "UpLimit", "LoLimit", "UpWarn", "Einheiten", "GrafikSumTeiler", "GrafikRef"};
  const std::vector<std::string> schluessel = {
      "Itemcount", "Intervall", "Einheit",    "Drucker", "Puffer", "Auswahl", "AndereZeit",
      "MinSkal",   "MaxSkal",   "MinForUser", "Item1",   "Item2",  "Item3",   "Item180"};
  std::vector<std::string> werte = {std::string(10000, '9'), std::string(10000, 'x')};
  for (const char* w : {"0", "1", "2", "-1", "180", "181", "2147483647", "-2147483648",
                        "99999999999", "", "abc", "1e308", "1,5", "-0", "\xFF\x80"}) {
    werte.push_back(w);
  }
  std::mt19937 zufall(4711);
  auto eins = [&zufall](const auto& v) { return v[zufall() % v.size()]; };
  int geladen = 0;
  for (int runde = 0; runde < 400; ++runde) {
    // Mostly a sane start and display names, so that the loop over the parameters runs.
    std::string text = zufall() % 4 ? "[DDE]\r\nItemcount=3\r\n" : "";
    for (int n = 0; n < 16; ++n) {
      const std::string sektion = eins(sektionen);
      text += "[" + sektion + "]\r\n";
      for (int z = zufall() % 5; z > 0; --z) {
        const bool name = sektion == "Itemnames" && zufall() % 4;
        text += (name ? "Item" + std::to_string(1 + zufall() % 3) : eins(schluessel)) + "=" +
                (name ? "Name" : eins(werte)) + "\r\n";
      }
    }
    Ini(text);
    u.s = PegelStatus();
    u.s.PfadeSetzen(u.verz.pfad());
    Laden();
    ASSERT_LE(u.s.Par().Itemcount(), MaxItems);
    ASSERT_GE(u.s.Anzeige.Puffer, 0) << "0 only when loading stopped before the key";
    ASSERT_LE(u.s.Anzeige.Puffer, MaxPuffer);
    ASSERT_LE(u.s.Par().ItemListe().size(),
              static_cast<std::size_t>(std::max(0, u.s.Par().Itemcount())));
    geladen += u.s.Par().ItemListe().empty() ? 0 : 1;
  }
  EXPECT_GT(geladen, 30) << "too few runs reached the parameters";
}

}  // namespace
}  // namespace pegel
