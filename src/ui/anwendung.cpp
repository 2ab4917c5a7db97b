#include "anwendung.h"

#include <QFileInfo>

namespace pegel::ui {

Anwendung::Anwendung(const std::filesystem::path& progDir) {
  s_.PfadeSetzen(progDir);
  s_.ProgrammStart(uhr_.Jetzt());
  viewer_ = std::make_unique<pegel::Viewer>(s_, d_);
  liveGrafik_ = std::make_unique<pegel::live::LiveGrafik>(s_, d_);
  echtdaten_ = std::make_unique<pegel::live::Echtdaten>(s_, d_, *liveGrafik_, viewer_->Tabelle());
  // The dialog exists before the main window, which hands it the loader's results.
  einstell1_ = std::make_unique<TFo_Einstell1>(s_, d_);
  form1_ = std::make_unique<TForm1>(s_, d_, *viewer_, *einstell1_, &memo_);
  tagesgrafik_ = std::make_unique<TFo_Tagesgrafik>(s_, d_, *liveGrafik_, &drucker_.Drucker());
  echtdatenFenster_ = std::make_unique<TFo_Echtdaten>(s_, d_, *echtdaten_, *liveGrafik_,
                                                      viewer_->Tabelle(), *tagesgrafik_);
  form1_->LiveTabelleSetzen([this] {
    if (s_.Anzeige.GanzerTag) {
      liveGrafik_->Zeitfenster(s_.Einstell.coStunden, s_.Einstell.spAndere, uhr_.Jetzt());
    }
    echtdatenFenster_->exec();
  });
  // The history browser, opened by "Gespeicherte Daten".
  history_ = std::make_unique<TFo_History>(s_, d_);
  form1_->AktionSetzen("btHistoryZeigen", [this] { history_->exec(); });
  histGrafik_ = std::make_unique<pegel::historie::HistGrafik>(s_, d_);
  histoGraf_ = std::make_unique<TFo_HistoGraf>(s_, d_, *histGrafik_, &drucker_.Drucker());
  form1_->AktionSetzen("Anzeige1", [this] { histoGraf_->AlteDatenZeigen(); });
  tagesgrafik_->GesternSetzen([this] { histoGraf_->AlteDatenZeigen(); });
}

QString InstanzName(const QString& programmDatei) {
  return QFileInfo(programmDatei).fileName().toLower();
}

}  // namespace pegel::ui
