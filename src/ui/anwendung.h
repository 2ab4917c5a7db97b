// The running program: the state, the Qt services, the viewer and the windows, created
// once in the order of the program start and alive until it ends.
#pragma once

#include <filesystem>
#include <memory>

#include "dienste.h"
#include "echtdaten.h"
#include "historie/fo_history.h"
#include "hist_grafik.h"
#include "historie/fo_histograf.h"
#include "live/fo_echtdaten.h"
#include "live/fo_tagesgrafik.h"
#include "live_grafik.h"
#include "logbuch.h"
#include "main/fo_einstell1.h"
#include "main/form1.h"
#include "qt_dienste.h"
#include "qt_drucker.h"
#include "state.h"
#include "viewer.h"

namespace pegel::ui {

class Anwendung {
 public:
  explicit Anwendung(const std::filesystem::path& progDir);
  TForm1& Hauptfenster() { return *form1_; }
  pegel::Logbuch& Log() { return log_; }

 private:
  pegel::PegelStatus s_;
  QtUhr uhr_;
  QtMeldungen meldungen_;
  QtEreignisse ereignisse_;
  MemoSenke memo_;
  QtDrucker drucker_;
  pegel::Logbuch log_{s_, uhr_, &memo_};
  pegel::Dienste d_{uhr_, meldungen_, ereignisse_, log_, drucker_};
  std::unique_ptr<pegel::Viewer> viewer_;
  std::unique_ptr<pegel::live::LiveGrafik> liveGrafik_;
  std::unique_ptr<pegel::live::Echtdaten> echtdaten_;
  // Created in the order of the program start; destroyed in reverse.
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TFo_Einstell1> einstell1_;
  std::unique_ptr<TFo_Tagesgrafik> tagesgrafik_;
  std::unique_ptr<TFo_Echtdaten> echtdatenFenster_;
  std::unique_ptr<TFo_History> history_;
  std::unique_ptr<pegel::historie::HistGrafik> histGrafik_;
  std::unique_ptr<TFo_HistoGraf> histoGraf_;
};

// The single-instance guard's lock file name for a program file: its name in lower case.
QString InstanzName(const QString& programmDatei);

}  // namespace pegel::ui
