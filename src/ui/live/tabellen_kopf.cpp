#include "tabellen_kopf.h"

#include <QAbstractButton>
#include <QEvent>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTableView>
#include <algorithm>
#include <numeric>

#include "live_tabellen_modell.h"

namespace pegel::ui {

std::vector<int> SpaltenBreiten(const std::vector<int>& gewuenscht, int verfuegbar, int minimum,
                                int maximum) {
  const int obergrenze = std::max(minimum, maximum);
  std::vector<int> breite;
  breite.reserve(gewuenscht.size());
  for (int w : gewuenscht) breite.push_back(std::clamp(w, minimum, obergrenze));
  if (std::accumulate(breite.begin(), breite.end(), 0LL) <= verfuegbar) return breite;

  // From the narrowest on, a column keeps its width while that is within an equal share
  // of what is left; the first one that is not, and all wider ones, get that share.
  std::vector<int> reihe = breite;
  std::sort(reihe.begin(), reihe.end());
  long long rest = std::max(verfuegbar, 0);
  auto offen = static_cast<long long>(reihe.size());
  long long anteil = 0;
  for (int w : reihe) {
    anteil = rest / offen;
    if (w > anteil) break;
    rest -= w;
    --offen;
  }
  const int deckel = static_cast<int>(std::max<long long>(minimum, anteil));
  for (int& b : breite) b = std::min(b, deckel);
  return breite;
}

Spaltenkoepfe::Spaltenkoepfe(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
  // As the table view's own header.
  setSectionsClickable(true);
  setHighlightSections(true);
}

QString Spaltenkoepfe::Angezeigt(int spalte) const {
  QStyleOptionHeader opt;
  initStyleOption(&opt);
  initStyleOptionForIndex(&opt, spalte);
  return opt.text;
}

void Spaltenkoepfe::initStyleOptionForIndex(QStyleOptionHeader* option, int spalte) const {
  QHeaderView::initStyleOptionForIndex(option, spalte);
  const int rand = style()->pixelMetric(QStyle::PM_HeaderMargin, option, this);
  option->text =
      option->fontMetrics.elidedText(option->text, Qt::ElideRight, sectionSize(spalte) - 2 * rand);
}

TabellenKopf::TabellenKopf(QTableView& view, LiveTabellenModell& modell, QObject* parent)
    : QObject(parent), view_(view), modell_(modell) {
  view_.setHorizontalHeader(new Spaltenkoepfe(&view_));
  // Qt's corner button draws an empty header section; this object draws it with the text.
  ecke_ = view_.findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
  if (ecke_ != nullptr) ecke_->installEventFilter(this);
  view_.viewport()->installEventFilter(this);
  connect(&modell_, &QAbstractItemModel::modelReset, this, [this] {
    texte_.clear();  // the view has set every column back to its default width
    BreitenAnpassen();
    if (ecke_ != nullptr) ecke_->update();
  });
  connect(&modell_, &QAbstractItemModel::headerDataChanged, this, [this](Qt::Orientation o) {
    if (o == Qt::Horizontal) BreitenAnpassen();
    if (ecke_ != nullptr) ecke_->update();
  });
}

void TabellenKopf::BreitenAnpassen() {
  QStringList texte;
  for (int i = 0; i < modell_.columnCount(); ++i) {
    texte << modell_.headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
  }
  const int breite = view_.viewport()->width();
  if (texte == texte_ && breite == breite_) return;
  texte_ = texte;
  breite_ = breite;
  QHeaderView* kopf = view_.horizontalHeader();
  std::vector<int> wunsch;
  for (int i = 0; i < texte.size(); ++i) wunsch.push_back(kopf->sectionSizeHint(i));
  const std::vector<int> breiten = SpaltenBreiten(wunsch, breite, MinBreite, MaxBreite);
  for (int i = 0; i < texte.size(); ++i) kopf->resizeSection(i, breiten.at(i));
}

bool TabellenKopf::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == ecke_ && ereignis->type() == QEvent::Paint) {
    EckeZeichnen(*ecke_);
    return true;
  }
  if (objekt == view_.viewport() && ereignis->type() == QEvent::Resize) BreitenAnpassen();
  return false;
}

void TabellenKopf::EckeZeichnen(QAbstractButton& ecke) {
  // As Qt draws the empty corner, with the label column's text and alignment added.
  QStyleOptionHeader opt;
  opt.initFrom(&ecke);
  QStyle::State zustand = QStyle::State_None;
  if (ecke.isEnabled()) zustand |= QStyle::State_Enabled;
  if (ecke.isActiveWindow()) zustand |= QStyle::State_Active;
  if (ecke.isDown()) zustand |= QStyle::State_Sunken;
  opt.state = zustand;
  opt.rect = ecke.rect();
  opt.position = QStyleOptionHeader::OnlyOneSection;
  opt.text = modell_.Ecke();
  opt.textAlignment = view_.verticalHeader()->defaultAlignment();
  QStylePainter maler(&ecke);
  maler.drawControl(QStyle::CE_Header, opt);
}

}  // namespace pegel::ui
