// The parameter display settings dialog: shows a ParameterMaske of the parameter chosen in the
// list and forwards the operator's edits to ParameterEinstellung.
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <functional>

#include "dienste.h"
#include "parameter_einstell.h"
#include "state.h"

namespace pegel::ui {

class FarbListe;

class TFo_GrafEinstell : public QDialog {
  Q_OBJECT
 public:
  TFo_GrafEinstell(pegel::PegelStatus& s, pegel::Dienste& d, QWidget* parent = nullptr);

  // Closes the live chart when it is open; called when the dialog is shown.
  void LiveGrafikSchliessenSetzen(std::function<void()> schliessen) {
    liveGrafikSchliessen_ = std::move(schliessen);
  }
  int Oeffnen() { return exec(); }

  // Event handlers, public for the tests.
  void lbDDEClick();
  void Geaendert();
  void rgRefClick();

 protected:
  void showEvent(QShowEvent* e) override;
  void done(int r) override;

 private:
  pegel::ParameterMaske Maske() const;
  void Anzeigen(const pegel::ParameterMaske& m);

  pegel::PegelStatus& s_;
  pegel::Dienste& d_;
  pegel::ParameterEinstellung einstellung_;
  std::function<void()> liveGrafikSchliessen_;
  bool laden_ = false;
  bool geschlossen_ = false;
  pegel::ParameterMaske gezeigt_;

  QListWidget* lbDDE_;
  QGroupBox* gbDDE_;
  QLabel* lbTyp_;
  QLineEdit* editItem_;
  QLineEdit* editEinheit_;
  QLineEdit* editOben_;
  QLineEdit* editUnten_;
  QGroupBox* GroupBox2_;
  QLineEdit* edWarnOben_;
  QLineEdit* edWarnUnten_;
  FarbListe* cbColor_warn_;
  FarbListe* cbColor_norm_;
  QGroupBox* rgRef_;
  std::array<QRadioButton*, 3> ref_{};
  QGroupBox* GroupBox3_;
  QLineEdit* eSkalOben_;
  QLineEdit* eSkalunten_;
};

}  // namespace pegel::ui
