// The group dialog: shows the working copy of the groups (GruppenArbeit) and forwards the
// operator's clicks to it.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "dienste.h"
#include "gruppen_bearbeiten.h"
#include "state.h"

namespace pegel::ui {

class TFo_Drucker;

class TFo_Gruppen : public QDialog {
  Q_OBJECT
 public:
  // `drucker` is the printer dialog that "Drucker einstellen" opens; it must outlive this one.
  TFo_Gruppen(pegel::PegelStatus& s, pegel::Dienste& d, TFo_Drucker& drucker,
              QWidget* parent = nullptr);

  int Oeffnen() { return exec(); }

  // Event handlers, public for the tests.
  void cbGrupChange();
  void lbDDEClick();
  void btNeuClick();
  void btLoeschClick();
  void cbDruckClick();
  void BitBtn1Click();
  void btSpeichernClick();

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void GruppeAnzeigen(int i);

  pegel::PegelStatus& s_;
  pegel::Dienste& d_;
  TFo_Drucker& drucker_;
  pegel::GruppenArbeit arbeit_;
  bool anzeigen_ = false;

  QListWidget* lbDDE_;
  QComboBox* cbGrup_;
  QPushButton* btNeu_;
  QPushButton* btLoesch_;
  QCheckBox* cbDruck_;
  QLabel* lbFehlend_;
  QPushButton* BitBtn1_;
  QLabel* Label3_;
  QPushButton* btSpeichern_;
  QPushButton* btAbbrechen_;
};

}  // namespace pegel::ui
