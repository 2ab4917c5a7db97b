#include "live_tabellen_modell.h"

#include "qt_text.h"

namespace pegel::ui {

LiveTabellenModell::LiveTabellenModell(pegel::LiveTabelle& tabelle, QObject* parent)
    : QAbstractTableModel(parent), tabelle_(tabelle), spalten_(tabelle.Spalten()) {
  tabelle_.BeobachterSetzen(this);
}

LiveTabellenModell::~LiveTabellenModell() { tabelle_.BeobachterSetzen(nullptr); }

int LiveTabellenModell::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || spalten_ < 1 ? 0 : pegel::LiveTabelle::Zeilen - 1;
}

int LiveTabellenModell::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, spalten_ - 1);
}

QVariant LiveTabellenModell::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole) return {};
  try {
    return Q(tabelle_.Zelle(index.column() + 1, index.row() + 1));
  } catch (...) {
    return {};
  }
}

QVariant LiveTabellenModell::headerData(int section, Qt::Orientation o, int role) const {
  const bool tipp = role == Qt::ToolTipRole && o == Qt::Horizontal;
  if (role != Qt::DisplayRole && !tipp) return {};
  try {
    if (o == Qt::Horizontal) return Q(tabelle_.Zelle(section + 1, 0));
    return Q(tabelle_.Zelle(0, section + 1));
  } catch (...) {
    return {};  // a section the view asks for while the table changes shape
  }
}

QString LiveTabellenModell::Ecke() const {
  try {
    return Q(tabelle_.Zelle(0, 0));
  } catch (...) {
    return {};  // a table without columns has no corner text
  }
}

void LiveTabellenModell::TabelleGeaendert() {
  if (tabelle_.Spalten() != spalten_) {
    beginResetModel();
    spalten_ = tabelle_.Spalten();
    endResetModel();
    return;
  }
  if (spalten_ > 1) {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
  }
}

}  // namespace pegel::ui
