#include "fo_gruppen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>

#include "fo_drucker.h"
#include "qt_text.h"

namespace pegel::ui {

TFo_Gruppen::TFo_Gruppen(pegel::PegelStatus& s, pegel::Dienste& d, TFo_Drucker& drucker,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      s_(s),
      d_(d),
      drucker_(drucker) {
  setObjectName("Fo_Gruppen");
  setWindowTitle(T("Gruppierung der DDE-Parameter"));
  setModal(true);
  QFont schrift("Arial");
  schrift.setPointSize(8);
  setFont(schrift);

  auto* haupt = new QHBoxLayout(this);
  auto* links = new QVBoxLayout;
  auto* label1 = new QLabel(T("DDE-Parameter"), this);
  label1->setObjectName("Label1");
  links->addWidget(label1);
  lbDDE_ = new QListWidget(this);
  lbDDE_->setObjectName("lbDDE");
  lbDDE_->setSelectionMode(QAbstractItemView::MultiSelection);
  lbDDE_->setMinimumSize(200, 300);
  links->addWidget(lbDDE_);
  haupt->addLayout(links);

  auto* rechts = new QVBoxLayout;
  auto* label2 = new QLabel(T("Gruppen"), this);
  label2->setObjectName("Label2");
  rechts->addWidget(label2);
  cbGrup_ = new QComboBox(this);
  cbGrup_->setObjectName("cbGrup");
  cbGrup_->setMinimumWidth(200);
  rechts->addWidget(cbGrup_);
  cbDruck_ = new QCheckBox(T(" Bei Tageswechsel drucken"), this);
  cbDruck_->setObjectName("cbDruck");
  cbDruck_->setVisible(false);
  rechts->addWidget(cbDruck_);
  // Members of the selected group that name no parameter any more.
  lbFehlend_ = new QLabel(this);
  lbFehlend_->setObjectName("lbFehlend");
  lbFehlend_->setStyleSheet("color: red;");
  lbFehlend_->setWordWrap(true);
  lbFehlend_->setVisible(false);
  rechts->addWidget(lbFehlend_);
  btNeu_ = new QPushButton(T("Gruppieren"), this);
  btNeu_->setObjectName("btNeu");
  btLoesch_ = new QPushButton(T("Gruppe löschen"), this);
  btLoesch_->setObjectName("btLoesch");
  rechts->addWidget(btNeu_);
  rechts->addWidget(btLoesch_);
  rechts->addStretch();
  BitBtn1_ = new QPushButton(T("Drucker einstellen"), this);
  BitBtn1_->setObjectName("BitBtn1");
  rechts->addWidget(BitBtn1_);
  Label3_ = new QLabel(T("Kein Drucker ausgewählt"), this);
  Label3_->setObjectName("Label3");
  Label3_->setStyleSheet("color: blue;");
  Label3_->setWordWrap(true);
  rechts->addWidget(Label3_);
  rechts->addSpacing(12);
  auto* knoepfe = new QHBoxLayout;
  btSpeichern_ = new QPushButton(T("Speichern"), this);
  btSpeichern_->setObjectName("btSpeichern");
  btAbbrechen_ = new QPushButton(T("Abbrechen"), this);
  btAbbrechen_->setObjectName("btAbbrechen");
  knoepfe->addWidget(btSpeichern_);
  knoepfe->addWidget(btAbbrechen_);
  rechts->addLayout(knoepfe);
  haupt->addLayout(rechts);
  setFixedSize(sizeHint());

  connect(cbGrup_, &QComboBox::currentIndexChanged, this, [this] {
    if (!anzeigen_) cbGrupChange();
  });
  // Only the operator's clicks start a new group; selections made here do not.
  connect(lbDDE_, &QListWidget::itemPressed, this, [this] { lbDDEClick(); });
  connect(btNeu_, &QPushButton::clicked, this, &TFo_Gruppen::btNeuClick);
  connect(btLoesch_, &QPushButton::clicked, this, &TFo_Gruppen::btLoeschClick);
  connect(cbDruck_, &QCheckBox::clicked, this, &TFo_Gruppen::cbDruckClick);
  connect(BitBtn1_, &QPushButton::clicked, this, &TFo_Gruppen::BitBtn1Click);
  connect(btSpeichern_, &QPushButton::clicked, this, &TFo_Gruppen::btSpeichernClick);
  connect(btAbbrechen_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFo_Gruppen::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;
  anzeigen_ = true;
  const bool bekannt = s_.Druck.DruckerNr >= -1 && !s_.Druck.DruckerName.empty();
  Label3_->setText(bekannt ? Q(s_.Druck.DruckerName) : T("Kein Drucker ausgewählt"));
  lbDDE_->clear();
  const auto& namen = s_.Par().ItemListe();
  const int zeilen = std::min(static_cast<int>(namen.size()), s_.Par().Itemcount());
  for (int j = 0; j < zeilen; ++j) lbDDE_->addItem(Q(namen.at(static_cast<std::size_t>(j))));
  arbeit_.Laden(s_);
  cbGrup_->clear();
  for (const pegel::TGruppe& g : arbeit_.Gruppen()) cbGrup_->addItem(Q(g.Name));
  cbDruck_->setVisible(false);
  lbFehlend_->setVisible(false);
  anzeigen_ = false;
  if (cbGrup_->count() > 0) {
    anzeigen_ = true;
    cbGrup_->setCurrentIndex(0);
    anzeigen_ = false;
    cbGrupChange();
  }
}

void TFo_Gruppen::GruppeAnzeigen(int i) {
  const auto a = arbeit_.Waehlen(i, lbDDE_->count(), s_.Par().Itemcount());
  if (!a) return;
  anzeigen_ = true;
  cbDruck_->setVisible(true);
  cbDruck_->setChecked(a->drucken);
  lbDDE_->clearSelection();
  for (int z : a->zeilen) {
    if (QListWidgetItem* item = lbDDE_->item(z)) item->setSelected(true);
  }
  if (!a->fehlend.empty()) {
    QStringList nr;
    for (std::int32_t p : a->fehlend) nr << QString::number(p);
    lbFehlend_->setText(T("Nicht mehr vorhanden: Parameter ") + nr.join(", "));
  }
  lbFehlend_->setVisible(!a->fehlend.empty());
  anzeigen_ = false;
}

void TFo_Gruppen::cbGrupChange() { GruppeAnzeigen(cbGrup_->currentIndex()); }

void TFo_Gruppen::lbDDEClick() {
  if (anzeigen_) return;
  anzeigen_ = true;
  cbGrup_->setCurrentIndex(-1);
  anzeigen_ = false;
  cbDruck_->setVisible(false);
  lbFehlend_->setVisible(false);
  arbeit_.AuswahlAufheben();
}

void TFo_Gruppen::btNeuClick() {
  // The operator's selection, taken before the new entry selects anything in the list.
  std::vector<int> zeilen;
  for (const QListWidgetItem* item : lbDDE_->selectedItems()) zeilen.push_back(lbDDE_->row(item));
  if (arbeit_.Neu(zeilen, d_) != pegel::GruppeNeu::Angelegt) return;
  anzeigen_ = true;
  cbGrup_->addItem(Q(arbeit_.Gruppen().back().Name));
  cbGrup_->setCurrentIndex(cbGrup_->count() - 1);
  anzeigen_ = false;
  GruppeAnzeigen(arbeit_.Gewaehlt());
}

void TFo_Gruppen::btLoeschClick() {
  const int i = arbeit_.Gewaehlt();
  if (!arbeit_.Loeschen()) return;
  anzeigen_ = true;
  cbGrup_->removeItem(i);
  cbGrup_->setCurrentIndex(-1);
  anzeigen_ = false;
  cbDruck_->setVisible(false);
  lbFehlend_->setVisible(false);
}

void TFo_Gruppen::cbDruckClick() { arbeit_.DruckenSetzen(cbDruck_->isChecked()); }

void TFo_Gruppen::BitBtn1Click() {
  drucker_.Oeffnen();
  if (drucker_.DruckerNr() >= -1) {
    Label3_->setText(Q(drucker_.DruckerName()));
  } else {
    arbeit_.DruckerGewaehlt(drucker_.DruckerNr());
  }
}

void TFo_Gruppen::btSpeichernClick() {
  if (arbeit_.Speichern(s_, d_)) accept();
}

}  // namespace pegel::ui
