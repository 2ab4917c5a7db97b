// The value table: the stored values of the chosen parameters over the chosen rows of a
// day, the span statistics with the time integral, the span kept in the settings file,
// and the export of the table as a worksheet file. The history browser hands in the table
// and the day's key and shows the window modally through Zeigen.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <optional>
#include <string>

#include "dienste.h"
#include "state.h"
#include "werte_tabelle.h"

namespace pegel::ui {

class WerteTabellenModell;
class TextGitterModell;

class TFo_Wertliste : public QDialog {
  Q_OBJECT
 public:
  TFo_Wertliste(pegel::PegelStatus& s, pegel::Dienste& d, QWidget* parent = nullptr);
  ~TFo_Wertliste() override;

  // Shows `tabelle` (which the window copies; the day grid behind it must stay unchanged
  // until this returns) with the export's day key `tageskennung`, modally. The window lets
  // go of the table before it returns.
  void Zeigen(const pegel::WerteTabelle& tabelle, const std::string& tageskennung);

  // The table shown from now on, without showing the window (Zeigen does both); nullopt
  // lets go of it. The statistics and the span's length start empty.
  void TabelleSetzen(const std::optional<pegel::WerteTabelle>& tabelle,
                     const std::string& tageskennung);

  // The event handlers, public so that the program's tests can drive them.
  void FormShow();
  void btStartZeitClick();
  void btStopZeitClick();
  void btSichernClick();
  void btStatistikClick();
  void btExportClick();
  // The same table as an .xlsx workbook, for programs that refuse the old format and for
  // tables beyond its row limit.
  void btExportXlsxClick();

  // The day key of the export's file name, set by the browser.
  std::string Tageskennung;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  // The time text of the selected row of grEcht (the first row when none is selected).
  QString ZeitDerAuswahl() const;
  // Runs a handler; an exception it lets through is logged instead of crossing Qt.
  template <class F>
  void Geschuetzt(const char* wo, F&& f);
  // Column widths, header width and horizontal scrolling of grStat follow grEcht, so that
  // a parameter's statistics stand below its values.
  void GitterKoppeln();
  void KopfBreitenAngleichen();
  // Every column as wide as its title needs, within limits; grStat follows.
  void SpaltenBreitenSetzen();
  // grStat's columns as wide as grEcht's (after grStat was filled anew).
  void StatBreitenUebernehmen();

  pegel::PegelStatus& s_;
  pegel::Dienste& d_;
  std::optional<pegel::WerteTabelle> tabelle_;

  QLineEdit* eStart_;
  QLineEdit* eStop_;
  QPushButton* btStartZeit_;
  QPushButton* btStopZeit_;
  QPushButton* btSichern_;
  QPushButton* btStatistik_;
  QLabel* lbDiff_;
  QPushButton* btExport_;
  QPushButton* btExportXlsx_;
  QTableView* grEcht_;
  QSplitter* Splitter1_;
  QTableView* grStat_;
  WerteTabellenModell* echtModell_;
  TextGitterModell* statModell_;
};

}  // namespace pegel::ui
