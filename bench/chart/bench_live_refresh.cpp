// One refresh cycle of the live view for a new sample, as the table's timer runs it: the
// table cells and their one notification, the copy of nine 480-slot buffers into the
// charts, and the page drawn into a 1920 x 1080 image (incremental, and full to compare).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "abbildung.h"
#include "echtdaten.h"
#include "live/live_tabellen_modell.h"
#include "live_grafik.h"
#include "live_tabelle.h"
#include "logbuch.h"
#include "parameter_schreiber.h"
#include "plattform.h"
#include "qt_canvas.h"
#include "qt_dienste.h"
#include "ring_zugriff.h"
#include "seite_zeichnen.h"
#include "state.h"
#include "stille_dienste.h"

namespace {

using namespace pegel;

constexpr int Puffer = 480;
constexpr int Parameter = 20;  // nine of them charted

// A value of parameter j at sample i that repeats with the buffer, so the ranges never
// grow and every refresh may be incremental.
double Wert(int j, long i) {
  const double t = 2 * std::numbers::pi * static_cast<double>(i % Puffer) / Puffer;
  return j % 3 == 2 ? static_cast<double>((i / 40) % 2) : 10 * std::sin(t * (1 + j % 4)) + j;
}

struct LiveAufbau {
  PegelStatus s;
  SystemUhr uhr;
  HeadlessMessages meldungen;
  pegel::ui::QtEreignisse ereignisse;
  NoPrinter drucker;
  Logbuch log{s, uhr, nullptr};
  Dienste d{uhr, meldungen, ereignisse, log, drucker};
  LiveTabelle tabelle;
  pegel::ui::LiveTabellenModell modell{tabelle};
  live::LiveGrafik grafik{s, d};
  live::Echtdaten echtdaten{s, d, grafik, tabelle};
  QImage bild{1920, 1080, QImage::Format_RGB32};
  ui::Abbildung abbildung = ui::Abbildung::Anisotrop(1920, 1080, 2970, 2100);
  chart::SeitenUmfeld umfeld{log, ereignisse, uhr, nullptr, [this] { ++seiten; }};
  long probe = 0;
  int seiten = 0;
  int volleSeiten = 0;

  LiveAufbau() {
    s.NurLesen = true;
    ParameterSchreiber(s).ItemcountSetzen(Parameter);
    s.Anzeige.Puffer = Puffer;
    test::Werte(s).assign(Parameter, std::vector<double>(Puffer));
    test::Zeiten(s).assign(Puffer, 0.0);
    std::vector<bool> auswahl(Parameter, false);
    for (int j = 1; j <= Parameter; ++j) {
      ParameterSchreiber(s).at(j).Itemname = "Parameter " + std::to_string(j);
      ParameterSchreiber(s).at(j).Typ = j % 3 == 2 ? Grafiktyp::Digital : Grafiktyp::Analog;
      ParameterSchreiber(s).at(j).UpWarn = 9;
      ParameterSchreiber(s).at(j).LoWarn = -8;
      ParameterSchreiber(s).at(j).ColorNorm = chart::Rgb(0, 0, 160);
      s.Sammler.AktDaten.at(j) = {"", "1,00", "-9,00", "12,00", "3,5", "1234,5", "", "", ""};
      auswahl[j - 1] = j <= 9;
    }
    tabelle.SpaltenSetzen(Parameter + 1);
    for (probe = 0; probe < Puffer; ++probe) Probe();
    if (echtdaten.btGrafikClick(auswahl, false, {}) != live::Echtdaten::Folge::GrafikZeigen) {
      throw std::runtime_error("hand-over failed");
    }
    grafik.seite.Seitenbreite = 297;
    grafik.seite.Seitenhoehe = 210;
    grafik.seite.IntervallZahl = 1;
    grafik.LiveGrafikAktiv = true;
    grafik.schriften.SeitenSchriftenErzeugen();
    bild.fill(Qt::white);
    if (grafik.FormPaint()) Zeichnen(chart::Seitenart::Voll);
  }

  // What a polling pass leaves behind: the newest slot of every buffer and the cells.
  void Probe() {
    const int slot = static_cast<int>(probe % Puffer);
    test::Schreibzaehler(s) = slot + 5;
    test::Zeiten(s)[slot] = static_cast<double>(probe) / 86400.0;
    s.Abfrage.TabellenZeile = 5 + static_cast<int>(probe % 10);
    tabelle.Text(0, s.Abfrage.TabellenZeile, ">>>>>>>>>>");
    for (int j = 1; j <= Parameter; ++j) {
      const double v = Wert(j, probe);
      test::Werte(s)[j - 1][slot] = v;
      tabelle.Zahl(j, s.Abfrage.TabellenZeile, v, 2);
      tabelle.Zahl(j, 1, v / 2, 2);
      tabelle.Zahl(j, 2, -9, 2);
      tabelle.Zahl(j, 3, 12, 2);
      tabelle.Zahl(j, 4, static_cast<double>(probe), 0);
    }
    tabelle.Benachrichtigen();
  }

  void Zeichnen(chart::Seitenart art) {
    if (art == chart::Seitenart::Voll) ++volleSeiten;
    QPainter p(&bild);
    ui::QtCanvas c(p, abbildung);
    grafik.RefreshAusgabe(c, umfeld, chart::Ziel::Bildschirm, art);
    c.Abschliessen();
  }

  void Zyklus(bool voll) {
    ++probe;
    Probe();
    if (!echtdaten.TimerRefreshFaellig()) throw std::runtime_error("no refresh due");
    grafik.Neuaufbau = voll;
    echtdaten.btGrafikClick({}, true, [this](chart::Seitenart art) { Zeichnen(art); });
  }
};

void Refresh(benchmark::State& state, bool voll) {
  LiveAufbau a;
  const int vorher = a.volleSeiten;
  for (auto _ : state) a.Zyklus(voll);
  state.counters["volle_seiten"] = a.volleSeiten - vorher;
  state.counters["seiten"] = a.seiten;
  if (a.grafik.Zeichnet) state.SkipWithError("a refresh did not complete");
}

void BM_RefreshInkrementell(benchmark::State& state) { Refresh(state, false); }
void BM_RefreshVoll(benchmark::State& state) { Refresh(state, true); }

BENCHMARK(BM_RefreshInkrementell)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_RefreshVoll)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
