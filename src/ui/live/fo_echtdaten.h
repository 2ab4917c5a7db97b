// The live value table: the latest values of every parameter, the choice of the charted
// parameters, and the 500 ms timer that keeps the live chart current.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <memory>

#include "dienste.h"
#include "echtdaten.h"
#include "live_grafik.h"
#include "state.h"

namespace pegel::ui {

class TFo_Tagesgrafik;
class LiveTabellenModell;
class TabellenKopf;

class TFo_Echtdaten : public QDialog {
  Q_OBJECT
 public:
  TFo_Echtdaten(pegel::PegelStatus& s, pegel::Dienste& d, pegel::live::Echtdaten& logik,
                pegel::live::LiveGrafik& grafik, pegel::LiveTabelle& tabelle,
                TFo_Tagesgrafik& tagesgrafik, QWidget* parent = nullptr);
  ~TFo_Echtdaten() override;

  void btGrafikClick();
  void btAuswahlClick();
  void TimerRefreshTimer();
  // The parameter list refilled from the display names.
  void ListeFuellen();

 protected:
  void showEvent(QShowEvent* e) override;
  void done(int r) override;

 private:
  std::vector<bool> Auswahl() const;

  pegel::PegelStatus& s_;
  pegel::Dienste& d_;
  pegel::live::Echtdaten& logik_;
  pegel::live::LiveGrafik& grafik_;
  TFo_Tagesgrafik& tagesgrafik_;
  QWidget* panelGrafik_;
  QListWidget* lbDDE_;
  QPushButton* btGrafik_;
  QPushButton* btAuswahl_;
  QCheckBox* cbDigNull_;
  QTableView* grEcht_;
  LiveTabellenModell* modell_;
  std::unique_ptr<TabellenKopf> kopf_;  // goes before the view it watches
  QTimer* TimerRefresh_;
};

}  // namespace pegel::ui
