// A live page of nine analog strips of 480 slots drawn into a 1920 x 1080 image, as the
// screen shows it: full and incremental.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "abbildung.h"
#include "logbuch.h"
#include "qt_canvas.h"
#include "schriften.h"
#include "seite_zeichnen.h"
#include "state.h"

namespace {

using namespace pegel;

class Uhr : public Clock {
 public:
  TDateTime Jetzt() override { return 46362.5; }
  std::uint32_t Ticks() override { return 0; }
  void Pause() override {}
};

class KeineEreignisse : public PendingEvents {
 public:
  void Verarbeiten() override {}
};

chart::ChartSeite NeunStreifen() {
  chart::ChartSeite s;
  s.Seitenbreite = 297;
  s.Seitenhoehe = 210;
  s.Anzahl = 9;
  s.IntervallZahl = 10;
  s.Schreibposition = 479;
  for (int i = 1; i <= 9; ++i) {
    std::vector<double> w(480);
    for (int j = 0; j < 480; ++j) {
      w[j] = 10 * std::sin(j / (20.0 + i)) + 3 * std::sin(j * 0.7 * i) + i;
    }
    s.Grafikspeicher.at(i) = w;
    chart::ChartAnzeige& a = s.Anzeige[i];
    a.Name = "Parameter " + std::to_string(i);
    a.Einheit = "m";
    a.Statistiktexte = {"", "1,00", "-9,00", "12,00", "3,5", "1234,5", "", "", ""};
    a.Werttext = "1,50";
    a.UpWarn = 9;
    a.LoWarn = -8;
    a.Kurvenfarbe = chart::Rgb(0, 0, 160);
    a.Warnfarbe = chart::Rot;
  }
  return s;
}

void Seite(benchmark::State& state, bool inkrementell) {
  PegelStatus status;
  status.NurLesen = true;
  Uhr uhr;
  KeineEreignisse ereignisse;
  Logbuch log(status, uhr, nullptr);
  chart::SchriftTabelle schriften(log);
  schriften.SeitenSchriftenErzeugen();
  chart::ChartSeite seite = NeunStreifen();
  chart::SeitenUmfeld umfeld{log, ereignisse, uhr, nullptr, {}};
  const chart::Seitenstil stil = chart::LiveStil(false, false, false);
  QImage bild(1920, 1080, QImage::Format_RGB32);
  bild.fill(Qt::white);
  const auto abbildung = ui::Abbildung::Anisotrop(1920, 1080, 2970, 2100);
  {
    // The incremental page draws over a full one, as on the screen.
    QPainter p(&bild);
    ui::QtCanvas c(p, abbildung);
    chart::SeiteZeichnen(seite, stil, c, schriften, umfeld, chart::Ziel::Bildschirm,
                         chart::Seitenart::Voll);
  }
  for (auto _ : state) {
    QPainter p(&bild);
    ui::QtCanvas c(p, abbildung);
    const bool fertig = chart::SeiteZeichnen(
        seite, stil, c, schriften, umfeld, chart::Ziel::Bildschirm,
        inkrementell ? chart::Seitenart::Inkrementell : chart::Seitenart::Voll);
    c.Abschliessen();
    p.end();
    benchmark::DoNotOptimize(fertig);
  }
}

void BM_VolleSeite(benchmark::State& state) { Seite(state, false); }
void BM_InkrementelleSeite(benchmark::State& state) { Seite(state, true); }

BENCHMARK(BM_VolleSeite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InkrementelleSeite)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
