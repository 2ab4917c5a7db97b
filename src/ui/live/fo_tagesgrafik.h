// The live chart window: up to nine strips that follow the ring buffer. The page is drawn
// by the chart renderer onto a child surface that keeps the page image; paint events only
// show that image, while the window's paint, resize and "Neu zeichnen" run the guarded
// redraw of the live chart logic.
#pragma once

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <functional>
#include <memory>

#include "bildschirm_flaeche.h"
#include "dienste.h"
#include "live_grafik.h"
#include "seite_zeichnen.h"
#include "state.h"

class QPrinter;

namespace pegel::ui {

class TFo_Tagesgrafik : public QDialog {
  Q_OBJECT
 public:
  // `drucker` is the printer the page goes to (may be null: no printing).
  TFo_Tagesgrafik(pegel::PegelStatus& s, pegel::Dienste& d, pegel::live::LiveGrafik& grafik,
                  QPrinter* drucker, QWidget* parent = nullptr);
  ~TFo_Tagesgrafik() override;

  // The live table's refresh timer on and off, and its selection panel on again.
  void LiveTabelleSetzen(std::function<void(bool)> timerRefresh, std::function<void()> panelEin);
  // "  Daten von gestern   " shows yesterday's stored data through `zeigen`; until it is
  // handed in the entry stays disabled.
  void GesternSetzen(std::function<void()> zeigen);

  // Shows the window maximised and modal.
  int Zeigen();
  // Draws the page on the screen: a full page or an incremental one.
  void SeiteZeichnen(pegel::chart::Seitenart art);
  // The guarded full redraw of a paint ("Neu zeichnen" and showing the window).
  void FormPaint();
  void Drucken1Click();
  void quer1Click();
  void Gruppe1Click(int g);

  pegel::ui::BildschirmFlaeche& Flaeche() { return *flaeche_; }

 protected:
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void done(int r) override;

 private:
  void GruppenEintragen();
  void QuerBeschriften();

  pegel::PegelStatus& s_;
  pegel::Dienste& d_;
  pegel::live::LiveGrafik& grafik_;
  QPrinter* drucker_;
  std::function<void(bool)> timerRefresh_;
  std::function<void()> panelEin_;
  pegel::chart::SeitenUmfeld umfeld_;
  QWidget* bereich_;
  pegel::ui::BildschirmFlaeche* flaeche_;
  QMenu* Gruppe1_;
  QAction* quer1_;
  QAction* Drucken1_;
};

}  // namespace pegel::ui
