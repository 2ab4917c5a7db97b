// The history chart window "Gespeicherte Daten": a stored day's charts, drawn by the chart
// renderer in the history style onto a child surface that keeps the page image. It shows
// and forwards: the loads, the scale override and the guards live in historie::HistGrafik.
#pragma once

#include <QAction>
#include <QDialog>
#include <QMenu>

#include "bildschirm_flaeche.h"
#include "dienste.h"
#include "grafik_uebergabe.h"
#include "hist_grafik.h"
#include "seite_zeichnen.h"
#include "state.h"

class QPrinter;

namespace pegel::ui {

class TFo_HistoGraf : public QDialog {
  Q_OBJECT
 public:
  // `drucker` is the printer the page goes to (may be null: no printing). The references
  // must outlive the window.
  TFo_HistoGraf(pegel::PegelStatus& s, pegel::Dienste& d, pegel::historie::HistGrafik& grafik,
                QPrinter* drucker, QWidget* parent = nullptr);
  ~TFo_HistoGraf() override;

  // The history browser's hand-off: loads the charts and shows the window modally until it
  // is closed. False, without showing anything, when the charts cannot be set up (the
  // reason is logged).
  bool Zeigen(const pegel::HistorienBereich& b);
  // The main window's "Anzeige gestern" and the live chart's "Daten von gestern": charts
  // yesterday (from the clock) and shows the window modally. False when the day could not
  // be charted (logged or shown as the day loaders do).
  bool AlteDatenZeigen();

  // Event handlers, public for the tests.
  void FormPaint();
  void Drucken1Click();
  void Quer1Click();
  void Gruppe1Click(int g);
  void TagClick(pegel::historie::TagWahl w);
  void UntereGrenze1Click();
  void Schrittweite1Click();
  void Standardwiederherstellen1Click();

  pegel::ui::BildschirmFlaeche& Flaeche() { return *flaeche_; }

 protected:
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void done(int r) override;

 private:
  int Anzeigen();
  void GruppenEintragen();
  void QuerBeschriften();
  void SeiteZeichnen();

  pegel::PegelStatus& s_;
  pegel::Dienste& d_;
  pegel::historie::HistGrafik& grafik_;
  QPrinter* drucker_;
  bool zeichnet_ = false;   // a screen page is being drawn
  bool nachholen_ = false;  // and another was asked for meanwhile
  pegel::chart::SeitenUmfeld umfeld_;
  QWidget* bereich_;
  pegel::ui::BildschirmFlaeche* flaeche_;
  QMenu* Gruppe1_;
  QAction* Quer1_;
  QAction* Drucken1_;
};

}  // namespace pegel::ui
