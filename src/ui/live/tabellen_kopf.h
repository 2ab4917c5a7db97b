// The headers of the live table's view: the corner shows the text of cell (0, 0), and the
// parameter columns open wide enough for their names as far as the view's width allows.
// A name that still does not fit ends in "…" and shows whole as the header's tooltip.
#pragma once

#include <QHeaderView>
#include <QObject>
#include <QStringList>
#include <vector>

class QAbstractButton;
class QTableView;

namespace pegel::ui {

class LiveTabellenModell;

// One width per entry of `gewuenscht` (each column's own header width in pixels): the wish
// kept within [minimum, maximum]. When these do not fit into `verfuegbar` pixels, the
// narrow columns keep theirs and the wide ones share the rest equally, but none gets less
// than `minimum` (the view scrolls then). A maximum below the minimum counts as the minimum.
std::vector<int> SpaltenBreiten(const std::vector<int>& gewuenscht, int verfuegbar, int minimum,
                                int maximum);

// Column headers whose text, when too long for its column, ends in "…". Qt draws such a
// text centred and cuts it on both sides, so neither end of the name can be read.
class Spaltenkoepfe : public QHeaderView {
  Q_OBJECT
 public:
  explicit Spaltenkoepfe(QWidget* parent = nullptr);
  // The text as drawn in the column's present width.
  QString Angezeigt(int spalte) const;

 protected:
  void initStyleOptionForIndex(QStyleOptionHeader* option, int spalte) const override;
};

class TabellenKopf : public QObject {
  Q_OBJECT
 public:
  static constexpr int MinBreite = 80;   // the grid's default column width
  static constexpr int MaxBreite = 240;  // a long name beyond this is cut, with its tooltip

  // Attaches to `view`, which shows `modell`, and gives it Spaltenkoepfe as its column
  // headers (set their properties afterwards); both must outlive this object.
  TabellenKopf(QTableView& view, LiveTabellenModell& modell, QObject* parent = nullptr);

  // Fits the column widths again when the header texts or the view's width changed since
  // the last fit; a width the operator dragged is kept until then.
  void BreitenAnpassen();

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  void EckeZeichnen(QAbstractButton& ecke);

  QTableView& view_;
  LiveTabellenModell& modell_;
  QAbstractButton* ecke_ = nullptr;  // Qt's corner button; null if a Qt version has none
  QStringList texte_;                // the header texts of the last fit
  int breite_ = -1;                  // the view's width at the last fit
};

}  // namespace pegel::ui
