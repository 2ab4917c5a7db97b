// The printer dialog: shows a DruckerDialog and forwards the operator's clicks to it.
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "dienste.h"
#include "drucker_dialog.h"
#include "state.h"

namespace pegel::ui {

class TFo_Drucker : public QDialog {
  Q_OBJECT
 public:
  TFo_Drucker(pegel::PegelStatus& s, pegel::Dienste& d, QWidget* parent = nullptr);

  // Opens the dialog modally.
  int Oeffnen() { return exec(); }
  // The dialog's record of the chosen printer (-2 none allowed, -1 the default, else a line).
  int DruckerNr() const { return dlg_.DruckerNr; }
  const std::string& DruckerName() const { return dlg_.DruckerName; }

  // Event handlers, public for the tests.
  void ListBox1Click();
  void rg1Click();
  void btSichernClick();

 protected:
  void showEvent(QShowEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void FormActivate();
  void Anzeigen();
  void Uebernehmen();

  pegel::PegelStatus& s_;
  pegel::Dienste& d_;
  pegel::DruckerDialog dlg_;
  bool anzeigen_ = false;

  QLabel* Label2_;
  QListWidget* ListBox1_;
  QLineEdit* e_hoehe_;
  QLineEdit* e_breite_;
  QRadioButton* hoch_;
  QRadioButton* quer_;
  QPushButton* btSichern_;
};

}  // namespace pegel::ui
