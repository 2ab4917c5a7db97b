// A Qt model over the core's live table: row 0 and column 0 become the headers, cell (0, 0)
// the view's corner, the rest the cells. The core tells it once per polling pass that cells
// changed.
#pragma once

#include <QAbstractTableModel>

#include "live_tabelle.h"

namespace pegel::ui {

class LiveTabellenModell : public QAbstractTableModel, public pegel::LiveTabelleBeobachter {
  Q_OBJECT
 public:
  // The table must outlive the model.
  explicit LiveTabellenModell(pegel::LiveTabelle& tabelle, QObject* parent = nullptr);
  ~LiveTabellenModell() override;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // Display text, and for a parameter column the whole text again as its tooltip, since
  // a long name may not fit its column.
  QVariant headerData(int section, Qt::Orientation o, int role) const override;
  // The text of cell (0, 0), for the corner where the headers meet; empty before the
  // table has columns.
  QString Ecke() const;

  void TabelleGeaendert() override;

 private:
  pegel::LiveTabelle& tabelle_;
  int spalten_ = 0;
};

}  // namespace pegel::ui
