// The running program: the state, the Qt services, the viewer and the windows, created
// once in the order of the program start and alive until it ends.
#pragma once

#include <filesystem>
#include <memory>

#include "dienste.h"
#include "echtdaten.h"
#include "fo_drucker.h"
#include "fo_grafeinstell.h"
#include "fo_gruppen.h"
#include "gruppen_druck.h"
#include "hist_grafik.h"
#include "historie/fo_histograf.h"
#include "historie/fo_history.h"
#include "live/fo_echtdaten.h"
#include "live/fo_tagesgrafik.h"
#include "live_grafik.h"
#include "logbuch.h"
#include "main/fo_einstell1.h"
#include "main/form1.h"
#include "qt_dienste.h"
#include "qt_drucker.h"
#include "qt_seiten_senke.h"
#include "state.h"
#include "viewer.h"
#include "wertliste/fo_wertliste.h"

namespace pegel::ui {

class Anwendung {
 public:
  explicit Anwendung(const std::filesystem::path& progDir);
  TForm1& Hauptfenster() { return *form1_; }
  pegel::Logbuch& Log() { return log_; }
  // The value table, which the history browser shows through Zeigen.
  TFo_Wertliste& Wertliste() { return *wertliste_; }

 private:
  pegel::PegelStatus s_;
  QtUhr uhr_;
  QtMeldungen meldungen_;
  QtEreignisse ereignisse_;
  MemoSenke memo_;
  QtDrucker drucker_;
  pegel::Logbuch log_{s_, uhr_, &memo_};
  pegel::Dienste d_{uhr_, meldungen_, ereignisse_, log_, drucker_};
  // The daily group print: the printer's jobs and the archive's files, and the seam through
  // which the polling and the menu "Druck Mitternacht" print. Declared before the viewer,
  // which prints through it, so that it outlives the viewer.
  DruckerSeitenSenke druckerSeiten_{drucker_.Drucker()};
  PdfSeitenSenke archivSeiten_;
  pegel::tagesdruck::Tagesdruck tagesdruck_{&druckerSeiten_, &archivSeiten_};
  std::unique_ptr<pegel::Viewer> viewer_;
  std::unique_ptr<pegel::live::LiveGrafik> liveGrafik_;
  std::unique_ptr<pegel::live::Echtdaten> echtdaten_;
  std::unique_ptr<pegel::historie::HistGrafik> histGrafik_;
  // Created in the order of the program start; destroyed in reverse.
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TFo_Einstell1> einstell1_;
  std::unique_ptr<TFo_Tagesgrafik> tagesgrafik_;
  std::unique_ptr<TFo_Echtdaten> echtdatenFenster_;
  std::unique_ptr<TFo_History> history_;
  std::unique_ptr<TFo_GrafEinstell> grafEinstell_;
  std::unique_ptr<TFo_HistoGraf> histoGraf_;
  // The printer dialog exists before the group dialog, whose "Drucker einstellen" opens it.
  std::unique_ptr<TFo_Drucker> drucker1_;
  std::unique_ptr<TFo_Gruppen> gruppen_;
  std::unique_ptr<TFo_Wertliste> wertliste_;
};

// The single-instance guard's lock file name for a program file: its name in lower case.
QString InstanzName(const QString& programmDatei);

}  // namespace pegel::ui
