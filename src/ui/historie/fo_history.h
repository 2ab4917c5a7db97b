// The history browser: finds a stored day by calendar, in the data directory or the
// collector's backup directory, loads it, lets the operator narrow it to a span of rows and
// choose parameters, and hands the selection to the history chart or the value table.
// A second pane lists the directory's protocol files, shows one and prints it.
//
// The window only shows and forwards: listing, loading, the span and the hand-off are
// core's (datei_liste.h, historie_laden.h, spannen_wahl.h, historie_uebergabe.h). The
// loaded day lives in PegelStatus::Tage (DatenGitter, HistKopf) until the window closes;
// the chart and table windows read it while they are open over the browser.
#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dienste.h"
#include "grafik_uebergabe.h"
#include "spannen_wahl.h"
#include "state.h"
#include "werte_tabelle.h"

class QButtonGroup;
class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPrinter;
class QPushButton;
class QRadioButton;
class QTextEdit;
class QToolButton;

namespace pegel::ui {

class SpurRegler;

class TFo_History : public QDialog {
  Q_OBJECT
 public:
  TFo_History(pegel::PegelStatus& s, pegel::Dienste& d, QWidget* parent = nullptr);
  ~TFo_History() override;

  // The history chart, shown modally with the chosen range; false when it refused the
  // range. Without it " Grafik" builds the range and shows nothing.
  void GrafikSetzen(std::function<bool(const pegel::HistorienBereich&)> zeigen);
  // The value table, shown modally over the chosen rows and parameters with the day key of
  // the export file name. Without it " Werte-Tabelle" stays disabled.
  void TabelleSetzen(
      std::function<void(const pegel::WerteTabelle&, const std::string& tageskennung)> zeigen);
  // The print dialog of the protocol print: true when the operator confirmed `drucker`.
  // The platform's print dialog unless replaced (tests print to a file).
  void DruckDialogSetzen(std::function<bool(QPrinter& drucker)> dialog);

  // The event handlers, public so that tests can drive them as the widgets do.
  void Kal1Click();
  void btSucheDatenClick();
  void lstDATClick();
  void tb1Change(int position);
  void tb2Change(int position);
  void cbIntervalleChange(int index);
  void lbParsClick();
  void rgRefClick(int ref);
  void btGrafikClick();
  void btTabelleClick();
  void lstPRKClick();
  void cbExtChange();
  void SpeedButton1Click();
  void BitBtn1Click();

  // A load or a hand-off is running (the event queue is served meanwhile).
  bool Busy() const { return busy_; }
  std::int32_t Zeilenzahl() const { return zeilenzahl_; }
  const std::string& Tageskennung() const { return tageskennung_; }
  const std::filesystem::path& Suchverzeichnis() const { return suchverzeichnis_; }

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void reject() override;
  void done(int r) override;

 private:
  // Lists both panes of `verzeichnis` for the calendar's month or day and loads the first
  // day file; false when no day file was listed.
  bool ListenUndLaden(const std::filesystem::path& verzeichnis);
  // The protocol list for the mask in cbExt; false (after the message) when it is refused.
  bool ProtokollListe(const std::filesystem::path& verzeichnis, bool mitDatum);
  void DatListe(const std::vector<std::filesystem::path>& namen);
  void LadungLeeren();
  void Spiegeln();
  void RefZeigen(int parameter);
  std::vector<int> GewaehlteParameter() const;
  void Melden(const std::string& text);
  void TabelleFreigeben();

  pegel::PegelStatus& s_;
  pegel::Dienste& d_;
  std::function<bool(const pegel::HistorienBereich&)> grafik_;
  std::function<void(const pegel::WerteTabelle&, const std::string&)> tabelle_;
  std::function<bool(QPrinter&)> druckDialog_;

  // Window state.
  std::filesystem::path suchverzeichnis_;
  std::optional<std::filesystem::path> vorauswahl_;
  std::vector<std::filesystem::path> datNamen_;  // lstDAT's entries, as on disk
  std::vector<std::filesystem::path> prkNamen_;  // lstPRK's entries
  bool busy_ = false;
  std::int32_t zeilenzahl_ = 0;
  std::string tageskennung_;
  pegel::TDateTime grafikTag_ = 0;
  std::vector<std::int32_t> refGeladen_;  // the header's references, per list entry
  pegel::SpannenWahl wahl_;
  QString maske_;  // the committed mask of cbExt

  QCalendarWidget* Kal1_;
  QCheckBox* cbExakt_;
  QToolButton* btSucheDaten_;
  QLabel* lbDir_;
  QListWidget* lstDAT_;
  QListWidget* lbPars_;
  QGroupBox* rgRef_;
  QButtonGroup* refKnoepfe_;
  QRadioButton* refBenutzer_;
  QPushButton* btGrafik_;
  QPushButton* btTabelle_;
  QPushButton* BitBtn1_;
  QLabel* lbDatum_;
  QLabel* lbZeit1_;
  QLabel* lbZeit2_;
  QLabel* lbAnz_;
  SpurRegler* tb1_;
  SpurRegler* tb2_;
  QLabel* lbT1_;
  QLabel* lbT2_;
  QComboBox* cbIntervalle_;
  QComboBox* cbExt_;
  QListWidget* lstPRK_;
  QToolButton* SpeedButton1_;
  QTextEdit* Memo1_;
};

}  // namespace pegel::ui
