#include "fo_grafeinstell.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>

#include "farb_liste.h"
#include "farben.h"
#include "qt_text.h"

namespace pegel::ui {
namespace {

const char* const NurSammler = "Änderung nur über PEGELDDE !";

QLineEdit* NurLesen(QWidget* eltern, const char* name) {
  auto* e = new QLineEdit(eltern);
  e->setObjectName(name);
  e->setReadOnly(true);
  e->setToolTip(T(NurSammler));
  return e;
}

QLineEdit* Zahlfeld(QWidget* eltern, const char* name) {
  auto* e = new QLineEdit(eltern);
  e->setObjectName(name);
  e->setAlignment(Qt::AlignRight);
  return e;
}

QLabel* Beschriftung(QWidget* eltern, const char* text) { return new QLabel(T(text), eltern); }

}  // namespace

TFo_GrafEinstell::TFo_GrafEinstell(pegel::PegelStatus& s, pegel::Dienste& d, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      s_(s),
      d_(d),
      einstellung_(s, d) {
  setObjectName("Fo_GrafEinstell");
  setWindowTitle(T(" Parameter-Anzeige einstellen"));
  setModal(true);

  auto* haupt = new QHBoxLayout(this);
  lbDDE_ = new QListWidget(this);
  lbDDE_->setObjectName("lbDDE");
  lbDDE_->setMinimumWidth(200);
  haupt->addWidget(lbDDE_);

  auto* rechts = new QVBoxLayout;
  gbDDE_ = new QGroupBox(this);
  gbDDE_->setObjectName("gbDDE");
  auto* g = new QGridLayout(gbDDE_);
  lbTyp_ = new QLabel(gbDDE_);
  lbTyp_->setObjectName("lbTyp");
  lbTyp_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lbTyp_->setStyleSheet("font-weight: bold;");
  g->addWidget(Beschriftung(gbDDE_, "Item"), 0, 0);
  editItem_ = NurLesen(gbDDE_, "editItem");
  g->addWidget(editItem_, 0, 1, 1, 2);
  g->addWidget(lbTyp_, 0, 3);
  auto* label5 = Beschriftung(gbDDE_, "Einheit");
  label5->setObjectName("Label5");
  g->addWidget(label5, 1, 0);
  editEinheit_ = NurLesen(gbDDE_, "editEinheit");
  g->addWidget(editEinheit_, 1, 1);

  auto* gb1 = new QGroupBox(T("  Ausschlußgrenzen  "), gbDDE_);
  gb1->setObjectName("GroupBox1");
  auto* g1 = new QGridLayout(gb1);
  g1->addWidget(Beschriftung(gb1, "Oben"), 0, 0);
  editOben_ = NurLesen(gb1, "editOben");
  editOben_->setAlignment(Qt::AlignRight);
  g1->addWidget(editOben_, 0, 1);
  g1->addWidget(Beschriftung(gb1, "Unten"), 1, 0);
  editUnten_ = NurLesen(gb1, "editUnten");
  editUnten_->setAlignment(Qt::AlignRight);
  g1->addWidget(editUnten_, 1, 1);
  g->addWidget(gb1, 2, 0, 1, 2);

  GroupBox2_ = new QGroupBox(T("  Warngrenzen  "), gbDDE_);
  GroupBox2_->setObjectName("GroupBox2");
  auto* g2 = new QGridLayout(GroupBox2_);
  g2->addWidget(Beschriftung(GroupBox2_, "Oben"), 0, 0);
  edWarnOben_ = Zahlfeld(GroupBox2_, "edWarnOben");
  g2->addWidget(edWarnOben_, 0, 1);
  g2->addWidget(Beschriftung(GroupBox2_, "Unten"), 1, 0);
  edWarnUnten_ = Zahlfeld(GroupBox2_, "edWarnUnten");
  g2->addWidget(edWarnUnten_, 1, 1);
  g2->addWidget(Beschriftung(GroupBox2_, "Farbe"), 2, 0);
  cbColor_warn_ = new FarbListe(GroupBox2_);
  cbColor_warn_->setObjectName("cbColor_warn");
  cbColor_warn_->SetColorValue(pegel::chart::Rgb(255, 0, 0));
  g2->addWidget(cbColor_warn_, 2, 1);
  g->addWidget(GroupBox2_, 2, 2, 1, 2);

  g->addWidget(Beschriftung(gbDDE_, "Normalfarbe"), 3, 0);
  cbColor_norm_ = new FarbListe(gbDDE_);
  cbColor_norm_->setObjectName("cbColor_norm");
  g->addWidget(cbColor_norm_, 3, 1);

  rgRef_ = new QGroupBox(T(" Grafikanzeige "), gbDDE_);
  rgRef_->setObjectName("rgRef");
  auto* r = new QVBoxLayout(rgRef_);
  const char* refTexte[] = {"bezogen auf Null", "bezogen auf Minimum", "benutzerdefiniert"};
  for (std::size_t k = 0; k < ref_.size(); ++k) {
    ref_[k] = new QRadioButton(T(refTexte[k]), rgRef_);
    ref_[k]->setObjectName(QString("rgRef_%1").arg(k));
    r->addWidget(ref_[k]);
    connect(ref_[k], &QRadioButton::clicked, this, &TFo_GrafEinstell::rgRefClick);
  }
  g->addWidget(rgRef_, 4, 0, 1, 2);

  GroupBox3_ = new QGroupBox(T(" benutzerdefiniert"), gbDDE_);
  GroupBox3_->setObjectName("GroupBox3");
  auto* g3 = new QGridLayout(GroupBox3_);
  g3->addWidget(Beschriftung(GroupBox3_, "Oben"), 0, 0);
  eSkalOben_ = Zahlfeld(GroupBox3_, "eSkalOben");
  g3->addWidget(eSkalOben_, 0, 1);
  g3->addWidget(Beschriftung(GroupBox3_, "Unten"), 1, 0);
  eSkalunten_ = Zahlfeld(GroupBox3_, "eSkalunten");
  g3->addWidget(eSkalunten_, 1, 1);
  GroupBox3_->setVisible(false);
  g->addWidget(GroupBox3_, 4, 2, 1, 2);
  rechts->addWidget(gbDDE_);
  rechts->addStretch();

  auto* knoepfe = new QHBoxLayout;
  // "Speichern" and "Abbrechen" are never shown: a parameter is saved on the answer to
  // "Änderungen speichern ?".
  auto* btSpeichern = new QPushButton(T("Speichern"), this);
  btSpeichern->setObjectName("btSpeichern");
  btSpeichern->setVisible(false);
  auto* btAbbrechen = new QPushButton(T("Abbrechen"), this);
  btAbbrechen->setObjectName("btAbbrechen");
  btAbbrechen->setVisible(false);
  auto* zurueck = new QPushButton(T("Zurück"), this);
  zurueck->setObjectName("BitBtn1");
  knoepfe->addStretch();
  knoepfe->addWidget(zurueck);
  rechts->addLayout(knoepfe);
  haupt->addLayout(rechts, 1);

  connect(lbDDE_, &QListWidget::currentRowChanged, this, [this] {
    if (!laden_) lbDDEClick();
  });
  for (QLineEdit* e : {edWarnOben_, edWarnUnten_, eSkalOben_, eSkalunten_}) {
    connect(e, &QLineEdit::textChanged, this, &TFo_GrafEinstell::Geaendert);
  }
  for (FarbListe* f : {cbColor_warn_, cbColor_norm_}) {
    connect(f, &QComboBox::currentIndexChanged, this, &TFo_GrafEinstell::Geaendert);
  }
  connect(zurueck, &QPushButton::clicked, this, &QDialog::accept);
}

void TFo_GrafEinstell::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;
  if (liveGrafikSchliessen_) liveGrafikSchliessen_();
  geschlossen_ = false;
  laden_ = true;
  lbDDE_->clear();
  const auto& namen = s_.Par().ItemListe();
  for (int j = 0; j < einstellung_.Anzahl(); ++j) {
    lbDDE_->addItem(Q(namen.at(static_cast<std::size_t>(j))));
  }
  gbDDE_->setEnabled(einstellung_.Anzahl() > 0);
  laden_ = false;
  if (lbDDE_->count() > 0) {
    laden_ = true;
    lbDDE_->setCurrentRow(0);
    laden_ = false;
    lbDDE_->setFocus();
    if (const auto m = einstellung_.Zeigen(0)) Anzeigen(*m);
  }
}

void TFo_GrafEinstell::lbDDEClick() {
  if (const auto m = einstellung_.Wechseln(lbDDE_->currentRow(), Maske())) Anzeigen(*m);
}

void TFo_GrafEinstell::Geaendert() {
  if (!laden_) einstellung_.Aendern();
}

void TFo_GrafEinstell::rgRefClick() {
  GroupBox3_->setVisible(ref_[2]->isChecked());
  Geaendert();
}

pegel::ParameterMaske TFo_GrafEinstell::Maske() const {
  pegel::ParameterMaske m = gezeigt_;
  m.WarnOben = A(edWarnOben_->text());
  m.WarnUnten = A(edWarnUnten_->text());
  m.SkalOben = A(eSkalOben_->text());
  m.SkalUnten = A(eSkalunten_->text());
  for (std::size_t k = 0; k < ref_.size(); ++k) {
    if (ref_[k]->isChecked()) m.GrafikRef = static_cast<std::int32_t>(k);
  }
  m.ColorWarn = cbColor_warn_->ColorValue();
  m.ColorNorm = cbColor_norm_->ColorValue();
  return m;
}

void TFo_GrafEinstell::Anzeigen(const pegel::ParameterMaske& m) {
  laden_ = true;
  gezeigt_ = m;
  gbDDE_->setTitle(Q(m.Titel));
  lbTyp_->setText(Q(m.Typ));
  if (m.Analog) {
    rgRef_->setEnabled(*m.Analog);
    GroupBox2_->setEnabled(*m.Analog);
  }
  // A reference outside 0..2 selects no button.
  for (auto* b : ref_) b->setAutoExclusive(false);
  for (std::size_t k = 0; k < ref_.size(); ++k) {
    ref_[k]->setChecked(static_cast<std::int32_t>(k) == m.GrafikRef);
  }
  for (auto* b : ref_) b->setAutoExclusive(true);
  GroupBox3_->setVisible(m.GrafikRef == 2);
  editItem_->setText(Q(m.Item));
  editOben_->setText(Q(m.Oben));
  editUnten_->setText(Q(m.Unten));
  editEinheit_->setText(Q(m.Einheit));
  edWarnOben_->setText(Q(m.WarnOben));
  edWarnUnten_->setText(Q(m.WarnUnten));
  eSkalunten_->setText(Q(m.SkalUnten));
  eSkalOben_->setText(Q(m.SkalOben));
  cbColor_warn_->SetColorValue(m.ColorWarn);
  cbColor_norm_->SetColorValue(m.ColorNorm);
  laden_ = false;
}

void TFo_GrafEinstell::done(int r) {
  if (!geschlossen_) {
    geschlossen_ = true;
    einstellung_.Schliessen(Maske());
  }
  QDialog::done(r);
}

}  // namespace pegel::ui
