// The main window: start and stop, the polling timer, the status and the event log's
// memo. It mirrors the viewer's window state and forwards clicks and ticks to the core.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "dienste.h"
#include "fenster_zustand.h"
#include "state.h"
#include "viewer.h"

class QAction;

namespace pegel::ui {

class TFo_Einstell1;
class MemoSenke;

class TForm1 : public QMainWindow, public pegel::FensterBeobachter {
  Q_OBJECT
 public:
  // All references must outlive the window; `memo` (may be null) gets the memo widget.
  TForm1(pegel::PegelStatus& s, pegel::Dienste& d, pegel::Viewer& viewer,
         TFo_Einstell1& einstellungen, MemoSenke* memo, QWidget* parent = nullptr);
  ~TForm1() override;

  // Shows the live table when it may open; filled by the live display. Without it,
  // "Echtzeit-Daten" stays disabled.
  void LiveTabelleSetzen(std::function<void()> zeigen);
  // Connects the menu entry or button with the objectName `name` (for example
  // "btHistoryZeigen", "Gruppierung1", "Drucker1", "Datenerfassung1", "Anzeige1",
  // "Drucken1") to `handler` and enables it. The windows of the application hand their
  // entry points in through this, so that the main window knows none of them. False when
  // no such entry exists.
  bool AktionSetzen(const QString& name, std::function<void()> handler);

  void FensterGeaendert(const pegel::FensterZustand& z) override;

  // Event handlers, public for the tests.
  void btStartenClick();
  void btStoppenClick();
  void btEchtdatenZeigenClick();
  void TimerSampleTimer();
  void Grafik1Click();
  void Statistikinitialisieren1Click();

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void FormShow();

  pegel::PegelStatus& s_;
  pegel::Dienste& d_;
  pegel::Viewer& viewer_;
  TFo_Einstell1& einstellungen_;
  std::function<void()> liveTabelle_;
  bool gezeigt_ = false;
  bool sanduhr_ = false;

  QGroupBox* GroupBox1_;
  QLabel* lbAus_;
  QLabel* Label1_;
  QLabel* lbLesen_;
  QPushButton* btStarten_;
  QPushButton* btStoppen_;
  QPushButton* btHistoryZeigen_;
  QPushButton* btEchtdatenZeigen_;
  QPushButton* btBeenden_;
  QLabel* lbAnzeige_;
  QPlainTextEdit* MemF_;
  QTimer* TimerSample_;
  QTimer* timerLabel_;
  QTimer* TimerStart_;
  QAction* Grafik1_;
};

}  // namespace pegel::ui
