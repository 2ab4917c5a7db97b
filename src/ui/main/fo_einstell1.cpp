#include "fo_einstell1.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "einstell_dialog.h"
#include "konfiguration.h"
#include "qt_text.h"
#include "spannen.h"

namespace pegel::ui {
namespace {

QLabel* Beschriftung(QWidget* eltern, const char* name, const char* text) {
  auto* l = new QLabel(T(text), eltern);
  l->setObjectName(name);
  return l;
}

void BlauFett(QLabel* l) { l->setStyleSheet("color: blue; font-weight: bold;"); }

}  // namespace

TFo_Einstell1::TFo_Einstell1(pegel::PegelStatus& s, pegel::Dienste& d, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), s_(s), d_(d) {
  setObjectName("Fo_Einstell1");
  setWindowTitle(T("Einstellungen "));
  setModal(true);

  auto* haupt = new QVBoxLayout(this);
  auto* kopf = new QGridLayout;
  kopf->addWidget(Beschriftung(this, "Label2", "DDE-Client übermittelt alle"), 0, 0);
  lbInterval_ = Beschriftung(this, "lbInterval", "1");
  BlauFett(lbInterval_);
  kopf->addWidget(lbInterval_, 0, 1);
  lbEinheit_ = Beschriftung(this, "lbEinheit", "Sekunden");
  kopf->addWidget(lbEinheit_, 0, 2);
  lbItems_ = Beschriftung(this, "lbItems", "0");
  BlauFett(lbItems_);
  kopf->addWidget(lbItems_, 1, 1);
  kopf->addWidget(Beschriftung(this, "Label6", " Werte "), 1, 2);
  haupt->addLayout(kopf);

  auto* gruppe = new QGroupBox(T(" Echzeitdaten-Anzeige"), this);
  gruppe->setObjectName("GroupBox1");
  auto* g = new QGridLayout(gruppe);
  g->addWidget(Beschriftung(gruppe, "Label4", "Aktualisierung : "), 0, 0);
  spIntervall_ = new QSpinBox(gruppe);
  spIntervall_->setObjectName("spIntervall");
  spIntervall_->setRange(1, 59);
  spIntervall_->setValue(10);
  g->addWidget(spIntervall_, 0, 1);
  coIntervall_ = new QComboBox(gruppe);
  coIntervall_->setObjectName("coIntervall");
  coIntervall_->addItems({T("Sekunde(n)"), T("Minute(n)")});
  g->addWidget(coIntervall_, 0, 2);

  g->addWidget(Beschriftung(gruppe, "Label1", "Puffergrösse :"), 1, 0);
  spPuffer_ = new QSpinBox(gruppe);
  spPuffer_->setObjectName("spPuffer");
  spPuffer_->setRange(1, pegel::MaxPuffer);
  spPuffer_->setValue(60);
  spPuffer_->setEnabled(false);
  g->addWidget(spPuffer_, 1, 1);
  g->addWidget(Beschriftung(gruppe, "Label5", "Intervalle"), 1, 2);

  g->addWidget(Beschriftung(gruppe, "Label7", "Grafik fortlaufend anzeigen"), 2, 0);
  g->addWidget(Beschriftung(gruppe, "Label3", "über"), 2, 1);
  coStunden_ = new QComboBox(gruppe);
  coStunden_->setObjectName("coStunden");
  coStunden_->setToolTip(T("Zeitraum ist abhängig vom DDE-Intervall"));
  for (int k = 0; k < pegel::SpannenAnzahl; ++k) coStunden_->addItem(Q(pegel::SpannenText(k)));
  g->addWidget(coStunden_, 2, 2);

  g->addWidget(Beschriftung(gruppe, "Label8", "Andere:"), 3, 0);
  spAndere_ = new QSpinBox(gruppe);
  spAndere_->setObjectName("spAndere");
  spAndere_->setRange(2, 60);
  spAndere_->setValue(2);
  g->addWidget(spAndere_, 3, 1);
  g->addWidget(Beschriftung(gruppe, "Label9", "Minuten"), 3, 2);

  cbGanzerTag_ = new QCheckBox(T("Grafik fortlaufend anzeigen"), gruppe);
  cbGanzerTag_->setObjectName("cbGanzerTag");
  cbGanzerTag_->setVisible(false);
  cbGanzerTag_->setEnabled(false);
  g->addWidget(cbGanzerTag_, 4, 0, 1, 3);
  cbMitCursor_ = new QCheckBox(T("Grafik mit Cursor"), gruppe);
  cbMitCursor_->setObjectName("cbMitCursor");
  cbMitCursor_->setEnabled(false);
  g->addWidget(cbMitCursor_, 5, 0, 1, 3);
  haupt->addWidget(gruppe);

  cbAutoStart_ = new QCheckBox(T("Grafikanzeige automatisch starten"), this);
  cbAutoStart_->setObjectName("cbAutoStart");
  cbAutoStart_->setChecked(true);
  haupt->addWidget(cbAutoStart_);

  auto* knoepfe = new QHBoxLayout;
  btSpeichern_ = new QPushButton(T("Speichern"), this);
  btSpeichern_->setObjectName("btSpeichern");
  btAbbrechen_ = new QPushButton(T("Abbrechen"), this);
  btAbbrechen_->setObjectName("btAbbrechen");
  knoepfe->addStretch();
  knoepfe->addWidget(btSpeichern_);
  knoepfe->addWidget(btAbbrechen_);
  haupt->addLayout(knoepfe);

  connect(coStunden_, &QComboBox::currentIndexChanged, this, &TFo_Einstell1::coStundenChange);
  connect(cbMitCursor_, &QCheckBox::toggled, this, &TFo_Einstell1::cbMitCursorClick);
  connect(btSpeichern_, &QPushButton::clicked, this, &TFo_Einstell1::btSpeichernClick);
  connect(btAbbrechen_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFo_Einstell1::Laden() {
  pegel::EinstellDialogOeffnen(s_, d_);
  Anzeigen();
}

int TFo_Einstell1::Oeffnen() {
  Laden();
  return exec();
}

void TFo_Einstell1::Anzeigen() {
  anzeigen_ = true;
  const pegel::EinstellWerte& e = s_.Einstell;
  lbInterval_->setText(Q(e.lbInterval));
  lbEinheit_->setText(Q(e.lbEinheit));
  lbItems_->setText(Q(e.lbItems));
  spIntervall_->setValue(e.spIntervall);
  coIntervall_->setCurrentIndex(e.coIntervall);
  spPuffer_->setValue(e.spPuffer);
  spPuffer_->setEnabled(e.spPufferAktiv);
  spAndere_->setValue(e.spAndere);
  coStunden_->setCurrentIndex(e.coStunden);
  cbGanzerTag_->setChecked(e.cbGanzerTag);
  cbMitCursor_->setChecked(e.cbMitCursor);
  cbAutoStart_->setChecked(e.cbAutoStart);
  anzeigen_ = false;
}

void TFo_Einstell1::Uebernehmen() {
  pegel::EinstellWerte& e = s_.Einstell;
  e.spIntervall = spIntervall_->value();
  e.coIntervall = coIntervall_->currentIndex();
  e.spPuffer = spPuffer_->value();
  e.spAndere = spAndere_->value();
  e.coStunden = coStunden_->currentIndex();
  e.cbGanzerTag = cbGanzerTag_->isChecked();
  e.cbMitCursor = cbMitCursor_->isChecked();
  e.cbAutoStart = cbAutoStart_->isChecked();
}

void TFo_Einstell1::coStundenChange() {
  if (anzeigen_) return;
  Uebernehmen();
  pegel::coStundenChange(s_, d_);
  Anzeigen();
}

void TFo_Einstell1::cbMitCursorClick() {
  if (anzeigen_) return;
  Uebernehmen();
  pegel::cbMitCursorClick(s_, d_);
  Anzeigen();
}

void TFo_Einstell1::btSpeichernClick() {
  Uebernehmen();
  if (pegel::EinstellungenSpeichern(s_, d_)) emit NeustartNoetig();
  Anzeigen();
  accept();
}

}  // namespace pegel::ui
