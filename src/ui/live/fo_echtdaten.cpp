#include "fo_echtdaten.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

#include "fo_tagesgrafik.h"
#include "live_tabellen_modell.h"
#include "qt_text.h"
#include "tabellen_kopf.h"

namespace pegel::ui {

TFo_Echtdaten::TFo_Echtdaten(pegel::PegelStatus& s, pegel::Dienste& d,
                             pegel::live::Echtdaten& logik, pegel::live::LiveGrafik& grafik,
                             pegel::LiveTabelle& tabelle, TFo_Tagesgrafik& tagesgrafik,
                             QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      s_(s),
      d_(d),
      logik_(logik),
      grafik_(grafik),
      tagesgrafik_(tagesgrafik) {
  setObjectName("Fo_Echtdaten");
  setWindowTitle(T("Echtzeit-Daten"));
  setModal(true);
  QFont schrift("Arial");
  schrift.setPixelSize(11);
  setFont(schrift);
  resize(1000, 420);

  auto* haupt = new QHBoxLayout(this);
  auto* panel2 = new QWidget(this);
  panel2->setObjectName("Panel2");
  panel2->setFixedWidth(165);
  auto* links = new QVBoxLayout(panel2);
  panelGrafik_ = new QWidget(panel2);
  panelGrafik_->setObjectName("panelGrafik");
  auto* auswahl = new QVBoxLayout(panelGrafik_);
  auto* label8 = new QLabel(T("Parameter-Auswahl"), panelGrafik_);
  label8->setObjectName("Label8");
  label8->setStyleSheet("color: blue; font-weight: bold;");
  auswahl->addWidget(label8);
  lbDDE_ = new QListWidget(panelGrafik_);
  lbDDE_->setObjectName("lbDDE");
  lbDDE_->setSelectionMode(QAbstractItemView::MultiSelection);
  auswahl->addWidget(lbDDE_, 1);
  btGrafik_ = new QPushButton(T("Grafik"), panelGrafik_);
  btGrafik_->setObjectName("btGrafik");
  auswahl->addWidget(btGrafik_);
  btAuswahl_ = new QPushButton(T("Auswahl speichern"), panelGrafik_);
  btAuswahl_->setObjectName("btAuswahl");
  auswahl->addWidget(btAuswahl_);
  cbDigNull_ = new QCheckBox(T("Digitale Null-Linie"), panelGrafik_);
  cbDigNull_->setObjectName("cbDigNull");
  cbDigNull_->setVisible(false);
  auswahl->addWidget(cbDigNull_);
  links->addWidget(panelGrafik_, 1);
  auto* zurueck = new QPushButton(T("Zurück"), panel2);
  zurueck->setObjectName("BitBtn1");
  links->addWidget(zurueck, 0, Qt::AlignLeft | Qt::AlignBottom);
  haupt->addWidget(panel2);

  auto* panel1 = new QWidget(this);
  panel1->setObjectName("Panel1");
  auto* rechts = new QVBoxLayout(panel1);
  rechts->setContentsMargins(0, 0, 0, 0);
  grEcht_ = new QTableView(panel1);
  grEcht_->setObjectName("grEcht");
  modell_ = new LiveTabellenModell(tabelle, this);
  grEcht_->setModel(modell_);
  kopf_ = std::make_unique<TabellenKopf>(*grEcht_, *modell_);
  grEcht_->horizontalHeader()->setDefaultSectionSize(80);
  grEcht_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  grEcht_->verticalHeader()->setDefaultSectionSize(18);
  grEcht_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grEcht_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  rechts->addWidget(grEcht_);
  haupt->addWidget(panel1, 1);

  TimerRefresh_ = new QTimer(this);
  TimerRefresh_->setObjectName("TimerRefresh");
  TimerRefresh_->setInterval(500);

  connect(btGrafik_, &QPushButton::clicked, this, &TFo_Echtdaten::btGrafikClick);
  connect(btAuswahl_, &QPushButton::clicked, this, &TFo_Echtdaten::btAuswahlClick);
  connect(zurueck, &QPushButton::clicked, this, &QDialog::close);
  connect(TimerRefresh_, &QTimer::timeout, this, &TFo_Echtdaten::TimerRefreshTimer);
  connect(cbDigNull_, &QCheckBox::toggled, this, [this](bool an) { grafik_.DigNull = an; });

  tagesgrafik_.LiveTabelleSetzen(
      [this](bool an) {
        if (an) {
          TimerRefresh_->start();
        } else {
          TimerRefresh_->stop();
        }
      },
      [this] { panelGrafik_->setEnabled(true); });
}

TFo_Echtdaten::~TFo_Echtdaten() = default;

void TFo_Echtdaten::ListeFuellen() {
  lbDDE_->clear();
  for (const auto& name : s_.Par().ItemListe()) lbDDE_->addItem(Q(name));
  for (int i = 0; i < lbDDE_->count(); ++i) lbDDE_->item(i)->setSizeHint(QSize(0, 14));
}

std::vector<bool> TFo_Echtdaten::Auswahl() const {
  std::vector<bool> a(static_cast<std::size_t>(lbDDE_->count()), false);
  for (int i = 0; i < lbDDE_->count(); ++i)
    a[static_cast<std::size_t>(i)] = lbDDE_->item(i)->isSelected();
  return a;
}

void TFo_Echtdaten::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;
  TimerRefresh_->start();
  ListeFuellen();
  const bool automatisch = logik_.FormShow();
  for (int i = 0; i < lbDDE_->count() && i < pegel::MaxItems; ++i) {
    lbDDE_->item(i)->setSelected(s_.Auswahl.Grafikanzeige.at(static_cast<std::size_t>(i) + 1));
  }
  if (automatisch) QTimer::singleShot(0, this, &TFo_Echtdaten::btGrafikClick);
}

void TFo_Echtdaten::done(int r) {
  TimerRefresh_->stop();
  QDialog::done(r);
}

void TFo_Echtdaten::btAuswahlClick() { logik_.btAuswahlClick(Auswahl()); }

void TFo_Echtdaten::btGrafikClick() {
  const bool sichtbar = tagesgrafik_.isVisible();
  const auto folge = logik_.btGrafikClick(Auswahl(), sichtbar, [this](pegel::chart::Seitenart art) {
    tagesgrafik_.SeiteZeichnen(art);
  });
  if (folge != pegel::live::Echtdaten::Folge::GrafikZeigen) return;
  panelGrafik_->setEnabled(false);
  showMinimized();
  tagesgrafik_.Zeigen();
  showNormal();
}

void TFo_Echtdaten::TimerRefreshTimer() {
  if (!logik_.TimerRefreshFaellig()) return;
  TimerRefresh_->stop();
  btGrafikClick();
}

}  // namespace pegel::ui
