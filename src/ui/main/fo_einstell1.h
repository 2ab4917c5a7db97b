// The display settings dialog: shows PegelStatus::Einstell and forwards every change to
// the core's dialog logic.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "dienste.h"
#include "state.h"

namespace pegel::ui {

class TFo_Einstell1 : public QDialog {
  Q_OBJECT
 public:
  TFo_Einstell1(pegel::PegelStatus& s, pegel::Dienste& d, QWidget* parent = nullptr);

  // Runs the configuration loader and shows its result; the main window's first show
  // and every opening of the dialog go through here.
  void Laden();
  // Opens the dialog modally after loading.
  int Oeffnen();
  // Shows PegelStatus::Einstell in the controls.
  void Anzeigen();

 signals:
  // The buffer length was changed and saved: the viewer cannot be started any more.
  void NeustartNoetig();

 private:
  void Uebernehmen();
  void coStundenChange();
  void cbMitCursorClick();
  void btSpeichernClick();

  pegel::PegelStatus& s_;
  pegel::Dienste& d_;
  bool anzeigen_ = false;

  QLabel* lbInterval_;
  QLabel* lbEinheit_;
  QLabel* lbItems_;
  QSpinBox* spIntervall_;
  QComboBox* coIntervall_;
  QSpinBox* spPuffer_;
  QComboBox* coStunden_;
  QSpinBox* spAndere_;
  QCheckBox* cbGanzerTag_;
  QCheckBox* cbMitCursor_;
  QCheckBox* cbAutoStart_;
  QPushButton* btSpeichern_;
  QPushButton* btAbbrechen_;
};

}  // namespace pegel::ui
