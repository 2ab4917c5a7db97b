// The history chart's logic: its loads (hand-off, group, day menu, old data), the chart
// set-up's refusals, the scale override and the page it draws, on a temporary plant
// directory with a recording canvas.
#include <gtest/gtest.h>

#include <functional>

#include "anlage_dateien.h"
#include "aufzeichnung.h"
#include "cp1252.h"
#include "hist_grafik.h"
#include "tagesdateien.h"
#include "test_dienste.h"
#include "text_format.h"

namespace pegel::historie {
namespace {

using chart::test::Aufruf;

// Events that run a hook, so that a test can act while a load serves them.
class HakenEreignisse : public PendingEvents {
 public:
  std::function<void()> haken;
  void Verarbeiten() override {
    if (haken) haken();
  }
};

class HistGrafikTest : public ::testing::Test {
 protected:
  test::Umgebung u;
  HakenEreignisse ereignisse;
  Dienste d{u.uhr, u.meldungen, ereignisse, u.log, u.drucker};
  HistGrafik m{u.s, d};
  chart::test::AufzeichnendeCanvas c;
  chart::SeitenUmfeld umfeld{u.log, u.ereignisse, u.uhr, nullptr, {}};

  void SetUp() override {
    m.schriften.SeitenSchriftenErzeugen();
    m.seite.Seitenbreite = 297;
    m.seite.Seitenhoehe = 210;
  }

  // Day files of `tag`: `par` parameters named P1.. (types as given, reference 0, unit m),
  // sampled every `intervall` ms; row j holds wert(j, i) for parameter i.
  void TagSchreiben(TDateTime tag, const std::vector<int>& typen, int zeilen,
                    const std::function<double(int, int)>& wert,
                    const std::string& intervall = "60000") {
    std::vector<std::array<std::string, 4>> par;
    for (std::size_t i = 0; i < typen.size(); ++i) {
      par.push_back({"P" + std::to_string(i + 1), std::to_string(typen[i]), "0", "m"});
    }
    test::DateiSchreiben(PghDatei(u.verz.pfad(), tag),
                         test::Kopf(std::to_string(typen.size()), intervall, par));
    std::string dat;
    for (int j = 0; j < zeilen; ++j) {
      dat += "x;" + ZeitText(j / 1440.0);
      for (std::size_t i = 1; i <= typen.size(); ++i) {
        dat += ";" + FestFormat(wert(j, static_cast<int>(i)), 12, 2);
      }
      dat += "\r\n";
    }
    test::DateiSchreiben(DatDatei(u.verz.pfad(), tag), dat);
  }

  bool Zeichnen() {
    c.aufrufe.clear();
    return HistorienSeiteZeichnen(m, c, m.schriften, umfeld, chart::Ziel::Datei);
  }
  std::vector<std::string> Titel() const {
    std::vector<std::string> t;
    for (int k = 1; k <= m.seite.Anzahl; ++k) t.push_back(m.seite.Anzeige[k].Name);
    return t;
  }
  // A hand-off of one chart of `typ` over these values, sampled every second.
  static HistorienBereich Bereich(std::vector<double> werte, int typ = 1, int parameter = 1) {
    HistorienBereich b;
    b.Zeilen = static_cast<std::int32_t>(werte.size());
    b.Messintervall = 1000;
    HistorienKurve k;
    k.Parameter = parameter;
    k.Typ = typ;
    k.Werte = std::move(werte);
    b.Kurven = {k};
    return b;
  }
  void Gruppe(int g, std::vector<std::int32_t> mitglieder) {
    TGruppe& gr = u.s.Gruppen.GruppenTabelle[g];
    gr.Mitglieder.fill(0);
    std::copy(mitglieder.begin(), mitglieder.end(), gr.Mitglieder.begin());
    gr.Mitgliederzahl = static_cast<std::int32_t>(mitglieder.size());
  }
};

const TDateTime Gestern = DatumKodieren(2026, 12, 5);  // the test clock's day is 06.12.2026

TEST_F(HistGrafikTest, TagesmenueLaedtInsEigeneGitterUndLaesstDenTagDesBrowsers) {
  // The browser's day: another day's grid and header.
  TagSchreiben(DatumKodieren(2026, 11, 1), {1, 1, 1, 1, 1}, 300, [](int, int) { return 7.0; });
  ASSERT_EQ(ReadDataF(u.s, u.log, DatDatei(u.verz.pfad(), DatumKodieren(2026, 11, 1)),
                      u.s.Tage.DatenGitter),
            300);
  u.s.Tage.HistKopf.Itemcount = 5;
  u.s.Tage.HistKopf.Par[1].Name = "Browser";

  TagSchreiben(Gestern, {1, 2, 1}, 1440, [](int j, int i) { return i == 2 ? j % 2 : j + i; });
  ASSERT_EQ(m.TagWaehlen(TagWahl::Gestern), Ladeergebnis::Geladen);

  EXPECT_EQ(u.s.Tage.DatenGitter.Zeilen(), 300u);
  EXPECT_EQ(u.s.Tage.DatenGitter.Zelle(0, 2), "7,00");
  EXPECT_EQ(u.s.Tage.HistKopf.Itemcount, 5);
  EXPECT_EQ(u.s.Tage.HistKopf.Par[1].Name, "Browser");

  EXPECT_EQ(Titel(), (std::vector<std::string>{"P1", "P2", "P3"}));
  EXPECT_EQ(std::tuple(m.SelStart, m.SelEnd, m.Zeilen, m.Itemcount), std::tuple(1, 1440, 1440, 3));
  EXPECT_EQ(m.seite.Grafikspeicher[3].at(10), 10.0 + 3);
  // 1440 rows: 16 labels, 90 rows apart.
  EXPECT_EQ(m.seite.Zeitlabels.size(), 16u);
  EXPECT_EQ(m.seite.PunkteProLabel, 1440.0 / 16);
  EXPECT_EQ(m.seite.Zeitlabels.at(1), "01:30:00");
  ASSERT_TRUE(Zeichnen());
  EXPECT_EQ(c.TextMit("Daten vom").text, "Daten vom : 05.12.2026");
  EXPECT_EQ(c.TextMit(Ansi("Meßintervall")).text, Ansi("Meßintervall : 1 Minute(n)"));
}

// The day menu counts from the clock when it is chosen, also after midnight while the
// viewer stood still and its PrintDate is days old.
TEST_F(HistGrafikTest, TageDesMenuesAusDerUhr) {
  u.s.Abfrage.Heute = DatumKodieren(2026, 12, 1);
  u.s.Abfrage.PrintDate = DatumKodieren(2026, 11, 30);
  u.uhr.jetzt = DatumKodieren(2026, 12, 7) + ZeitKodieren(0, 0, 30);
  const struct {
    TagWahl wahl;
    TDateTime tag;
  } faelle[] = {{TagWahl::Heute, DatumKodieren(2026, 12, 7)},
                {TagWahl::Gestern, DatumKodieren(2026, 12, 6)},
                {TagWahl::Vorgestern, DatumKodieren(2026, 12, 5)}};
  for (const auto& f : faelle) {
    TagSchreiben(f.tag, {1}, 10, [&](int, int) { return f.tag; });
  }
  for (const auto& f : faelle) {
    ASSERT_EQ(m.TagWaehlen(f.wahl), Ladeergebnis::Geladen);
    EXPECT_EQ(m.seite.Tag, f.tag);
    EXPECT_EQ(m.seite.Grafikspeicher[1].at(0), f.tag);
  }
}

// The own loads take colours, warning limits and the user scale from the parameter records,
// as the browser's hand-off does, not from the previous load.
TEST_F(HistGrafikTest, EigeneLadungenNehmenFarbenUndGrenzenAusDenParametern) {
  test::ItemcountSetzen(u.s, 2);
  test::Par(u.s, 2).ColorNorm = chart::Rgb(0, 160, 0);
  test::Par(u.s, 2).ColorWarn = chart::Rgb(255, 128, 0);
  test::Par(u.s, 2).UpWarn = 80;
  test::Par(u.s, 2).MaxSkal = 120;
  m.seite.Anzeige[1].Kurvenfarbe = chart::Rot;  // left from an earlier load
  TagSchreiben(Gestern, {1, 1}, 20, [](int j, int) { return j; });
  u.s.Auswahl.AktGruppe = 1;
  Gruppe(1, {2});
  ASSERT_EQ(m.TagWaehlen(TagWahl::Gestern), Ladeergebnis::Geladen);
  const chart::ChartAnzeige& a = m.seite.Anzeige[1];
  EXPECT_EQ(a.Name, "P2");
  EXPECT_EQ(std::tuple(a.Kurvenfarbe, a.Warnfarbe, a.UpWarn, a.MaxSkal),
            std::tuple(chart::Rgb(0, 160, 0), chart::Rgb(255, 128, 0), 80.0, 120.0));
}

TEST_F(HistGrafikTest, GruppeLaesstMitgliederJenseitsDesTagesAusMitEinerLogzeile) {
  TagSchreiben(Gestern, {1, 1, 1, 1}, 30, [](int j, int i) { return 10 * i + j; });
  ASSERT_EQ(m.TagWaehlen(TagWahl::Gestern), Ladeergebnis::Geladen);
  const auto zeilenVorher = u.Log().size();

  Gruppe(3, {9, 2, 7, 4, 2});
  ASSERT_TRUE(m.Gruppe1Click(3));
  EXPECT_EQ(u.s.Auswahl.AktGruppe, 3);
  EXPECT_EQ(Titel(), (std::vector<std::string>{"P2", "P4"}));
  EXPECT_EQ(m.seite.Grafikspeicher[2].at(5), 10 * 4 + 5);
  ASSERT_EQ(u.Log().size(), zeilenVorher + 1);
  EXPECT_EQ(u.Log().back(),
            "HistoryGrafik : Gruppe 3: Parameter 7, 9 nicht in den Tagesdaten (4 Parameter), "
            "nicht angezeigt.");
  EXPECT_TRUE(u.meldungen.gezeigt.empty());
  EXPECT_FALSE(m.Ladefehler);

  // No member in the day: the charts stay and the window stays open.
  Gruppe(4, {5, 6});
  EXPECT_FALSE(m.Gruppe1Click(4));
  EXPECT_EQ(u.meldungen.gezeigt.back(), Ansi("Gruppe nicht in gewählter Datei vorhanden!"));
  EXPECT_EQ(Titel(), (std::vector<std::string>{"P2", "P4"}));
  EXPECT_FALSE(m.Ladefehler);

  // An empty group cannot be charted: the window closes.
  Gruppe(5, {});
  EXPECT_FALSE(m.Gruppe1Click(5));
  EXPECT_EQ(u.meldungen.gezeigt.back(), "Fehler bei der Grafik-Initialisierung !");
  EXPECT_TRUE(m.Ladefehler);
}

TEST_F(HistGrafikTest, GruppeUeberDenBereichDesBrowsers) {
  TagSchreiben(Gestern, {1, 1, 1}, 50, [](int j, int i) { return 100 * i + j; });
  ASSERT_EQ(ReadDataF(u.s, u.log, DatDatei(u.verz.pfad(), Gestern), u.s.Tage.DatenGitter), 50);
  ReadHeaderF(u.s, PghDatei(u.verz.pfad(), Gestern));
  KopfUebernehmen(u.s.Tage.TagKopf, u.s.Tage.HistKopf);
  HistorienBereich b = Bereich(std::vector<double>(10, 1.0));
  b.Itemcount = 3;
  b.SelStart = 11;
  b.SelEnd = 20;
  b.Zeitlabels = {"00:10:00", "00:15:00"};
  ASSERT_TRUE(m.Laden(b));

  Gruppe(1, {3, 2});
  ASSERT_TRUE(m.Gruppe1Click(1));
  EXPECT_EQ(Titel(), (std::vector<std::string>{"P2", "P3"}));
  // Rows 11..20 of the browser's day, labels kept.
  EXPECT_EQ(m.seite.Grafikspeicher[2],
            (std::vector<double>{310, 311, 312, 313, 314, 315, 316, 317, 318, 319}));
  EXPECT_EQ(m.seite.Zeitlabels, b.Zeitlabels);
}

TEST_F(HistGrafikTest, InitGrafUndInitFeldWeisenAb) {
  EXPECT_EQ(m.InitGraf(0, 0), -1);
  EXPECT_EQ(m.InitGraf(10, 0), -1);
  ASSERT_EQ(m.InitGraf(2, 0), 1);
  const std::vector<double> werte{1, 2, 3};
  const struct { int k, typ; } abgewiesen[] = {{0, 3}, {0, 7}, {0, -1}, {-1, 1}, {2, 1}, {9, 2}};
  for (const auto& f : abgewiesen) {
    EXPECT_EQ(m.InitFeld(f.k, f.typ, werte, 0), -1) << f.k << " " << f.typ;
  }
  EXPECT_TRUE(m.seite.Grafikspeicher[1].empty() && m.seite.Grafikspeicher[2].empty());
  EXPECT_EQ(m.InitFeld(1, 2, werte, 1), 2);
  EXPECT_EQ(m.seite.Streifen[2].Typ, Grafiktyp::Digital);
  EXPECT_EQ(m.seite.Streifen[2].Skalierung, 1);
}

// A hand-off that cannot be charted in full leaves the charts as they were.
TEST_F(HistGrafikTest, AbgewieseneUebergabeBehaeltDieGrafiken) {
  ASSERT_TRUE(m.Laden(Bereich({1, 2, 3}, 1, 4)));
  HistorienBereich kurz = Bereich({1, 2, 3});
  kurz.Kurven[0].Werte.pop_back();
  HistorienBereich zehn = Bereich({1, 2, 3});
  zehn.Kurven.assign(10, zehn.Kurven[0]);
  for (const HistorienBereich& f : {Bereich({1, 2, 3}, 3, 4), kurz, zehn}) {
    EXPECT_FALSE(m.Laden(f));
  }
  EXPECT_EQ(m.seite.Anzahl, 1);
  EXPECT_EQ(m.seite.Grafikspeicher[1], (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(u.Log().at(0),
            "HistoryGrafik : Parameter 4 hat den Grafiktyp 3, Grafik nicht geladen.");
  EXPECT_EQ(u.Log().at(1), "HistoryGrafik : Parameter 1 hat 2 von 3 Werten, Grafik nicht geladen.");
}

// Digital charts count operating time with the loaded day's interval, which the polling's
// Messintervall does not change afterwards; a hand-off without it takes the browser's header.
TEST_F(HistGrafikTest, BetriebszeitMitDemIntervallDesGeladenenTages) {
  TagSchreiben(Gestern, {2}, 100, [](int j, int) { return j < 90 ? 1.0 : 0.0; });
  ASSERT_EQ(m.TagWaehlen(TagWahl::Gestern), Ladeergebnis::Geladen);
  u.s.Tage.Messintervall = 1000;
  Zeichnen();
  EXPECT_EQ(c.TextMit("Betriebszeit=").text, "Betriebszeit=1,50 Std.");

  std::vector<double> werte(100, 0.0);
  std::fill_n(werte.begin(), 45, 1.0);
  HistorienBereich b = Bereich(werte, 2);
  b.Messintervall = 0;
  u.s.Tage.HistKopf.IntervallZahl = 10;
  u.s.Tage.HistKopf.IntervallEinheit = " Sekunde(n)";
  ASSERT_TRUE(m.Laden(b));
  Zeichnen();
  EXPECT_EQ(c.TextMit("Betriebszeit=").text, "Betriebszeit=7,50 Min.");
  EXPECT_EQ(c.TextMit(Ansi("Meßintervall")).text, Ansi("Meßintervall : 10 Sekunde(n)"));
}

TEST_F(HistGrafikTest, ErsterWertWirdMinimumUndMaximumAuchBeiEinerZeile) {
  ASSERT_TRUE(m.Laden(Bereich({45000, 45500, 46000})));
  Zeichnen();
  EXPECT_EQ(c.TextMit("Min.=").text, "Min.=45000,00");
  EXPECT_EQ(c.TextMit("Max.=").text, "Max.=46000,00");
  // A single row has no slot distance: it is drawn at the left end.
  ASSERT_TRUE(m.Laden(Bereich({7})));
  EXPECT_TRUE(Zeichnen());
  EXPECT_EQ(c.TextMit("Anzahl=").text, "Anzahl=1");
}

// The two input boxes: a lower limit cuts the trace, a grid distance that is not positive
// draws no grid (and the page ends), an answer that is no number changes nothing, and
// "Standard wiederherstellen" brings back each chart's own scaling.
TEST_F(HistGrafikTest, SkalaAendernUndStandardWiederherstellen) {
  std::vector<double> werte;
  for (int j = 0; j <= 100; ++j) werte.push_back(j);
  HistorienBereich b = Bereich(werte);
  b.Kurven[0].Kurvenfarbe = chart::Rgb(0, 0, 128);
  ASSERT_TRUE(m.Laden(b));
  ASSERT_TRUE(Zeichnen());
  EXPECT_TRUE(m.Standardskala);
  EXPECT_GT(m.Skalenteilung, 0);  // the grid's proposal for the box
  EXPECT_FALSE(c.Alle(Aufruf::Linie, chart::Silber).empty());

  u.meldungen.eingaben = {"50", "0"};
  m.UntereGrenze1Click();
  EXPECT_EQ(u.meldungen.gezeigt, (std::vector<std::string>{"Grafik-Skalierung|Untere Grenze ?",
                                                           "Grafik-Skalierung|Skalenteilung ?"}));
  EXPECT_FALSE(m.Standardskala);
  EXPECT_EQ(std::tuple(m.UntereGrenze, m.Skalenteilung, m.SkalaModus), std::tuple(50.0, 0.0, 1));
  ASSERT_TRUE(Zeichnen());
  EXPECT_TRUE(c.Alle(Aufruf::Linie, chart::Silber).empty());
  EXPECT_EQ(m.seite.Streifen[1].Skalierung, 1);
  // Values below 50 are gaps: the trace begins at the slot of 50.
  std::size_t segmente = 0;
  for (const Aufruf& a : c.Alle(Aufruf::Linie, chart::Rgb(0, 0, 128))) segmente += a.breite == 4;
  EXPECT_EQ(segmente, 50u);

  for (const char* falsch : {"-2", "abc"}) {
    u.meldungen.eingaben = {std::string(falsch)};
    m.Schrittweite1Click();
  }
  EXPECT_EQ(m.Skalenteilung, -2.0);
  ASSERT_TRUE(Zeichnen());
  EXPECT_TRUE(c.Alle(Aufruf::Linie, chart::Silber).empty());

  m.Standardwiederherstellen1Click();
  ASSERT_TRUE(Zeichnen());
  EXPECT_EQ(m.seite.Streifen[1].Skalierung, 0);
  EXPECT_FALSE(c.Alle(Aufruf::Linie, chart::Silber).empty());
}

// Events served during a load may close the window or choose another day: the load stops,
// and a second load does not start inside the first.
TEST_F(HistGrafikTest, LadenWaehrendEreignissenUndSchliessen) {
  TagSchreiben(Gestern, {1, 1}, 20, [](int j, int) { return j; });
  Ladeergebnis innen = Ladeergebnis::Geladen;
  ereignisse.haken = [&] {
    innen = m.TagWaehlen(TagWahl::Heute);
    EXPECT_FALSE(m.Gruppe1Click(1));
    m.Schliessen();
  };
  EXPECT_EQ(m.TagWaehlen(TagWahl::Gestern), Ladeergebnis::Abgewiesen);
  EXPECT_EQ(innen, Ladeergebnis::Beschaeftigt);
  EXPECT_FALSE(m.Laedt);
  EXPECT_EQ(m.seite.Anzahl, 0);
  EXPECT_FALSE(Zeichnen());
  EXPECT_TRUE(c.aufrufe.empty());
}

}  // namespace
}  // namespace pegel::historie
