// Qt models of the value table window. The table of a stored day can have 86,400 rows of
// 180 columns: the model reads each cell from the day grid only when the view draws it, so
// that nothing per row or per cell is built in advance. Row 0 of a table (the titles)
// becomes the column headers and column 0 (the times, or the statistics' row names) the
// row headers.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QVector>
#include <string>
#include <vector>

#include "werte_tabelle.h"

namespace pegel::ui {

class WerteTabellenModell : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit WerteTabellenModell(QObject* parent = nullptr);

  // Shows `tabelle`, or nothing with nullptr. The table and the day grid behind it must
  // stay unchanged until the next call.
  void TabelleSetzen(const pegel::WerteTabelle* tabelle);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  // The cell's text as stored; numbers right-aligned.
  QVariant data(const QModelIndex& index, int role) const override;
  // Columns: the titles (also as tooltip, a title is often wider than its column); rows:
  // the sample times.
  QVariant headerData(int section, Qt::Orientation o, int role) const override;

 private:
  const pegel::WerteTabelle* tabelle_ = nullptr;
};

// A small grid of texts held whole: the statistics, nine rows by one column per table
// column.
class TextGitterModell : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TextGitterModell(QObject* parent = nullptr);

  // gitter[zeile][spalte] (Windows-1252): row 0 the column titles, column 0 the row names.
  void GitterSetzen(const std::vector<std::vector<std::string>>& gitter);
  // The text of cell (zeile, spalte) of the grid as set; empty outside it.
  QString Zelle(int zeile, int spalte) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;

 private:
  QVector<QVector<QString>> zellen_;
  int spalten_ = 0;
};

// A stored text as QString: the bytes as they are when all are ASCII (the usual number and
// time texts), otherwise converted from Windows-1252.
QString Text(std::string_view ansi);

}  // namespace pegel::ui
