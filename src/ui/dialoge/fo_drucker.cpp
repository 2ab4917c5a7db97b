#include "fo_drucker.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "qt_text.h"

namespace pegel::ui {

TFo_Drucker::TFo_Drucker(pegel::PegelStatus& s, pegel::Dienste& d, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      s_(s),
      d_(d) {
  setObjectName("Fo_Drucker");
  setWindowTitle(T(" Drucker auswählen"));
  setModal(true);

  auto* haupt = new QVBoxLayout(this);
  auto* kopf = new QHBoxLayout;
  auto* label1 = new QLabel(T("Standard :"), this);
  label1->setObjectName("Label1");
  label1->setStyleSheet("font-weight: bold;");
  Label2_ = new QLabel(T("kein Drucker"), this);
  Label2_->setObjectName("Label2");
  Label2_->setStyleSheet("color: blue; font-weight: bold;");
  kopf->addWidget(label1);
  kopf->addWidget(Label2_, 1);
  haupt->addLayout(kopf);

  ListBox1_ = new QListWidget(this);
  ListBox1_->setObjectName("ListBox1");
  ListBox1_->setMinimumHeight(140);
  haupt->addWidget(ListBox1_);

  auto* unten = new QHBoxLayout;
  auto* format = new QGroupBox(T(" Ausgabe-Format "), this);
  format->setObjectName("GroupBox1");
  auto* f = new QGridLayout(format);
  auto* label3 = new QLabel(T("Höhe x Breite"), format);
  label3->setObjectName("Label3");
  f->addWidget(label3, 0, 0, 1, 4);
  e_hoehe_ = new QLineEdit(T("199"), format);
  e_hoehe_->setObjectName("e_hoehe");
  e_hoehe_->setMaximumWidth(60);
  e_breite_ = new QLineEdit(T("284"), format);
  e_breite_->setObjectName("e_breite");
  e_breite_->setMaximumWidth(60);
  auto* label6 = new QLabel(T("x"), format);
  label6->setObjectName("Label6");
  auto* label5 = new QLabel(T("mm"), format);
  label5->setObjectName("Label5");
  f->addWidget(e_hoehe_, 1, 0);
  f->addWidget(label6, 1, 1);
  f->addWidget(e_breite_, 1, 2);
  f->addWidget(label5, 1, 3);
  unten->addWidget(format);

  auto* rg1 = new QGroupBox(T(" Ausrichtung "), this);
  rg1->setObjectName("rg1");
  auto* r = new QHBoxLayout(rg1);
  hoch_ = new QRadioButton(T("Hoch"), rg1);
  hoch_->setObjectName("rg1_Hoch");
  quer_ = new QRadioButton(T("Quer"), rg1);
  quer_->setObjectName("rg1_Quer");
  quer_->setChecked(true);
  r->addWidget(hoch_);
  r->addWidget(quer_);
  unten->addWidget(rg1);
  haupt->addLayout(unten);

  btSichern_ = new QPushButton(T(" Einstellungen übernehmen"), this);
  btSichern_->setObjectName("btSichern");
  btSichern_->setStyleSheet("font-weight: bold;");
  haupt->addWidget(btSichern_);

  connect(ListBox1_, &QListWidget::currentRowChanged, this, [this] {
    if (!anzeigen_) ListBox1Click();
  });
  connect(quer_, &QRadioButton::toggled, this, [this] {
    if (!anzeigen_) rg1Click();
  });
  connect(btSichern_, &QPushButton::clicked, this, &TFo_Drucker::btSichernClick);
}

void TFo_Drucker::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;
  dlg_.Zeigen(s_, d_);
  Anzeigen();
  // The first activation of this showing; where the platform reports none, this stands in.
  QTimer::singleShot(0, this, &TFo_Drucker::FormActivate);
}

void TFo_Drucker::changeEvent(QEvent* e) {
  QDialog::changeEvent(e);
  if (e->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TFo_Drucker::FormActivate() {
  if (!dlg_.Startet()) return;
  dlg_.Aktivieren(s_);
  Anzeigen();
}

void TFo_Drucker::Anzeigen() {
  anzeigen_ = true;
  Label2_->setText(Q(dlg_.Standard));
  QStringList namen;
  for (const std::string& n : dlg_.Liste) namen << Q(n);
  QStringList bisher;
  for (int i = 0; i < ListBox1_->count(); ++i) bisher << ListBox1_->item(i)->text();
  if (bisher != namen) {
    ListBox1_->clear();
    ListBox1_->addItems(namen);
  }
  ListBox1_->setCurrentRow(dlg_.Zeile);
  if (dlg_.Zeile < 0) ListBox1_->clearSelection();
  (dlg_.Quer ? quer_ : hoch_)->setChecked(true);
  e_breite_->setText(Q(dlg_.Breite));
  e_hoehe_->setText(Q(dlg_.Hoehe));
  anzeigen_ = false;
}

void TFo_Drucker::Uebernehmen() {
  dlg_.Breite = A(e_breite_->text());
  dlg_.Hoehe = A(e_hoehe_->text());
}

void TFo_Drucker::ListBox1Click() {
  Uebernehmen();
  dlg_.ZeileWaehlen(ListBox1_->currentRow(), d_);
  Anzeigen();
}

void TFo_Drucker::rg1Click() {
  Uebernehmen();
  dlg_.AusrichtungWaehlen(quer_->isChecked(), d_);
  Anzeigen();
}

void TFo_Drucker::btSichernClick() {
  Uebernehmen();
  dlg_.Zeile = ListBox1_->currentItem() != nullptr && ListBox1_->currentItem()->isSelected()
                   ? ListBox1_->currentRow()
                   : -1;
  if (dlg_.Sichern(s_, d_)) accept();
}

}  // namespace pegel::ui
