#include "anwendung.h"

#include <QFileInfo>

#include "am_ende.h"
#include "druck_archiv.h"

namespace pegel::ui {

Anwendung::Anwendung(const std::filesystem::path& progDir) {
  s_.PfadeSetzen(progDir);
  s_.ProgrammStart(uhr_.Jetzt());
  viewer_ = std::make_unique<pegel::Viewer>(s_, d_, &tagesdruck_);
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
  // The history browser hands its span to the history chart and the value table.
  history_ = std::make_unique<TFo_History>(s_, d_);
  grafEinstell_ = std::make_unique<TFo_GrafEinstell>(s_, d_);
  histGrafik_ = std::make_unique<pegel::historie::HistGrafik>(s_, d_);
  histoGraf_ = std::make_unique<TFo_HistoGraf>(s_, d_, *histGrafik_, &drucker_.Drucker());
  drucker1_ = std::make_unique<TFo_Drucker>(s_, d_);
  gruppen_ = std::make_unique<TFo_Gruppen>(s_, d_, *drucker1_);
  wertliste_ = std::make_unique<TFo_Wertliste>(s_, d_);

  history_->GrafikSetzen(
      [this](const pegel::HistorienBereich& b) { return histoGraf_->Zeigen(b); });
  history_->TabelleSetzen([this](const pegel::WerteTabelle& t, const std::string& kennung) {
    wertliste_->Zeigen(t, kennung);
  });
  form1_->AktionSetzen("btHistoryZeigen", [this] { history_->exec(); });
  form1_->AktionSetzen("Anzeige1", [this] { histoGraf_->AlteDatenZeigen(); });
  tagesgrafik_->GesternSetzen([this] { histoGraf_->AlteDatenZeigen(); });
  grafEinstell_->LiveGrafikSchliessenSetzen([this] {
    if (tagesgrafik_->isVisible()) tagesgrafik_->close();
  });
  form1_->AktionSetzen("Datenerfassung1", [this] { grafEinstell_->Oeffnen(); });
  form1_->AktionSetzen("Gruppierung1", [this] { gruppen_->Oeffnen(); });
  form1_->AktionSetzen("Drucker1", [this] { drucker1_->Oeffnen(); });
  // Test > Druck Mitternacht prints today's pages so far, archived as test pages; a daily
  // print of yesterday that is missing from the archive is said once at the start.
  form1_->AktionSetzen("Drucken1", [this] {
    tagesdruck_.TestdruckSetzen(true);
    pegel::AmEnde zurueck([this] { tagesdruck_.TestdruckSetzen(false); });
    viewer_->DruckMitternacht();
  });
  pegel::tagesdruck::FehlenderTagesdruckMelden(s_, log_, uhr_.Jetzt());
}

QString InstanzName(const QString& programmDatei) {
  return QFileInfo(programmDatei).fileName().toLower();
}

}  // namespace pegel::ui
