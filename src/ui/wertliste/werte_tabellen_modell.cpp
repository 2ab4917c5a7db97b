#include "werte_tabellen_modell.h"

#include <algorithm>
#include <limits>

#include "qt_text.h"
#include "text_format.h"

namespace pegel::ui {

namespace {

// The view counts in int; a table is never that large, but a count must not wrap.
int AlsInt(std::size_t n) {
  return static_cast<int>(std::min<std::size_t>(n, std::numeric_limits<int>::max()));
}

}  // namespace

QString Text(std::string_view ansi) {
  const bool ascii = std::all_of(ansi.begin(), ansi.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) return QString::fromLatin1(ansi.data(), static_cast<qsizetype>(ansi.size()));
  return Q(std::string(ansi));
}

WerteTabellenModell::WerteTabellenModell(QObject* parent) : QAbstractTableModel(parent) {}

void WerteTabellenModell::TabelleSetzen(const pegel::WerteTabelle* tabelle) {
  beginResetModel();
  tabelle_ = tabelle;
  endResetModel();
}

int WerteTabellenModell::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || tabelle_ == nullptr ? 0 : AlsInt(tabelle_->Zeilen() - 1);
}

int WerteTabellenModell::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || tabelle_ == nullptr ? 0 : AlsInt(tabelle_->Spalten() - 1);
}

QVariant WerteTabellenModell::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || tabelle_ == nullptr) return {};
  const auto zeile = static_cast<std::size_t>(index.row()) + 1;
  const auto spalte = static_cast<std::size_t>(index.column()) + 1;
  if (role == Qt::DisplayRole) return Text(tabelle_->Zelle(zeile, spalte));
  if (role == Qt::TextAlignmentRole) {
    const bool zahl = pegel::ZahlLesen(tabelle_->Zelle(zeile, spalte)).has_value();
    return QVariant::fromValue(Qt::AlignVCenter | (zahl ? Qt::AlignRight : Qt::AlignLeft));
  }
  return {};
}

QVariant WerteTabellenModell::headerData(int section, Qt::Orientation o, int role) const {
  if (tabelle_ == nullptr || section < 0) return {};
  const auto n = static_cast<std::size_t>(section) + 1;
  if (o == Qt::Horizontal && (role == Qt::DisplayRole || role == Qt::ToolTipRole)) {
    return Text(tabelle_->Titel(n));
  }
  if (o == Qt::Vertical && role == Qt::DisplayRole) return Text(tabelle_->Zeit(n));
  return {};
}

TextGitterModell::TextGitterModell(QObject* parent) : QAbstractTableModel(parent) {}

void TextGitterModell::GitterSetzen(const std::vector<std::vector<std::string>>& gitter) {
  beginResetModel();
  zellen_.clear();
  spalten_ = 0;
  for (const auto& zeile : gitter) {
    QVector<QString> z;
    z.reserve(static_cast<qsizetype>(zeile.size()));
    for (const auto& t : zeile) z.push_back(Text(t));
    spalten_ = std::max(spalten_, AlsInt(zeile.size()));
    zellen_.push_back(std::move(z));
  }
  endResetModel();
}

QString TextGitterModell::Zelle(int zeile, int spalte) const {
  if (zeile < 0 || zeile >= zellen_.size()) return {};
  const auto& z = zellen_[zeile];
  return spalte >= 0 && spalte < z.size() ? z[spalte] : QString();
}

int TextGitterModell::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, static_cast<int>(zellen_.size()) - 1);
}

int TextGitterModell::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, spalten_ - 1);
}

QVariant TextGitterModell::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole) return Zelle(index.row() + 1, index.column() + 1);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignRight);
  return {};
}

QVariant TextGitterModell::headerData(int section, Qt::Orientation o, int role) const {
  if (o == Qt::Horizontal && (role == Qt::DisplayRole || role == Qt::ToolTipRole)) {
    return Zelle(0, section + 1);
  }
  if (o == Qt::Vertical && role == Qt::DisplayRole) return Zelle(section + 1, 0);
  return {};
}

}  // namespace pegel::ui
