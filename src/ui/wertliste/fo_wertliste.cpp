#include "fo_wertliste.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "export_ergebnis.h"
#include "live/tabellen_kopf.h"
#include "qt_text.h"
#include "wert_statistik.h"
#include "werte_tabellen_modell.h"
#include "wertliste_spanne.h"
#include "xls_datei.h"
#include "xlsx_datei.h"

namespace pegel::ui {

namespace {

// The hourglass while a long computation or export runs.
class Sanduhr {
 public:
  Sanduhr() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~Sanduhr() { QApplication::restoreOverrideCursor(); }
  Sanduhr(const Sanduhr&) = delete;
  Sanduhr& operator=(const Sanduhr&) = delete;
};

constexpr int SpaltenBreite = 80;

// A grid as the window's string grids were: columns 80 and rows 18 pixels, whole rows
// selected, columns resizable, nothing editable.
QTableView* Gitter(const char* name, QWidget* parent) {
  auto* g = new QTableView(parent);
  g->setObjectName(name);
  g->setHorizontalHeader(new Spaltenkoepfe(g));
  g->horizontalHeader()->setDefaultSectionSize(SpaltenBreite);
  g->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  // Fixed row heights let the view place any of 86,400 rows without measuring one.
  g->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  g->verticalHeader()->setDefaultSectionSize(18);
  g->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  g->setSelectionBehavior(QAbstractItemView::SelectRows);
  g->setSelectionMode(QAbstractItemView::SingleSelection);
  g->setEditTriggers(QAbstractItemView::NoEditTriggers);
  g->setWordWrap(false);
  g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  return g;
}

QPushButton* Knopf(const QString& text, const char* name, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  return b;
}

// A button that shows an icon and says what it does in its hint.
QPushButton* Symbolknopf(QStyle::StandardPixmap symbol, const QString& hinweis, const char* name,
                         QWidget* parent) {
  auto* b = Knopf(QString(), name, parent);
  b->setIcon(parent->style()->standardIcon(symbol));
  b->setToolTip(hinweis);
  b->setAccessibleName(hinweis);
  return b;
}

// The statistics grid before anything was computed: titles and row names, empty values.
std::vector<std::vector<std::string>> LeereStatistik(const pegel::WerteTabelle* t) {
  const std::size_t spalten = t != nullptr ? t->Spalten() : 1;
  std::vector<std::vector<std::string>> g(pegel::StatistikZeilenzahl,
                                          std::vector<std::string>(spalten));
  for (std::size_t z = 1; z < pegel::StatistikZeilenzahl; ++z) g[z][0] = pegel::StatistikZeilen[z];
  for (std::size_t k = 1; k < spalten; ++k) g[0][k] = t->Titel(k);
  return g;
}

}  // namespace

TFo_Wertliste::TFo_Wertliste(pegel::PegelStatus& s, pegel::Dienste& d, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint),
      s_(s),
      d_(d) {
  setObjectName("Fo_Wertliste");
  setWindowTitle(T(" Werte-Tabelle für statistische Berechnungen"));
  setModal(true);
  QFont schrift("Arial");
  schrift.setPixelSize(12);
  setFont(schrift);
  setMinimumSize(500, 430);
  resize(980, 640);

  auto* haupt = new QHBoxLayout(this);

  // The left pane: the span, its statistics and the export.
  auto* links = new QWidget(this);
  links->setObjectName("Panel1");
  links->setFixedWidth(200);
  auto* spalte = new QVBoxLayout(links);
  spalte->setContentsMargins(0, 0, 0, 0);
  auto* label3 = new QLabel(T("Berechnungszeitraum"), links);
  label3->setObjectName("Label3");
  label3->setStyleSheet("color: blue; font-weight: bold;");
  spalte->addWidget(label3);

  auto* spanne = new QGridLayout;
  const QString hinweisZeit = T("Zeit der ausgewählten Zeile übernehmen");
  auto* label1 = new QLabel(T("Beginn"), links);
  label1->setObjectName("Label1");
  eStart_ = new QLineEdit(T("00:00:00"), links);
  eStart_->setObjectName("eStart");
  btStartZeit_ = Symbolknopf(QStyle::SP_ArrowLeft, hinweisZeit, "btStartZeit", links);
  auto* label2 = new QLabel(T("Ende"), links);
  label2->setObjectName("Label2");
  eStop_ = new QLineEdit(T("00:00:00"), links);
  eStop_->setObjectName("eStop");
  btStopZeit_ = Symbolknopf(QStyle::SP_ArrowLeft, hinweisZeit, "btStopZeit", links);
  spanne->addWidget(label1, 0, 0);
  spanne->addWidget(eStart_, 0, 1);
  spanne->addWidget(btStartZeit_, 0, 2);
  spanne->addWidget(label2, 1, 0);
  spanne->addWidget(eStop_, 1, 1);
  spanne->addWidget(btStopZeit_, 1, 2);
  spalte->addLayout(spanne);

  auto* knoepfe = new QHBoxLayout;
  btSichern_ = Symbolknopf(QStyle::SP_DialogSaveButton, T("Auswahl speichern"), "btSichern", links);
  btStatistik_ = Knopf(T("Statistik"), "btStatistik", links);
  // Return in a time field computes; otherwise it would press the next button in the
  // focus chain, which takes a row's time and overwrites what was typed.
  btStatistik_->setDefault(true);
  knoepfe->addWidget(btSichern_);
  knoepfe->addWidget(btStatistik_, 1);
  spalte->addLayout(knoepfe);

  auto* diff = new QHBoxLayout;
  auto* label4 = new QLabel(T("Zeitdifferenz :"), links);
  label4->setObjectName("Label4");
  lbDiff_ = new QLabel(T("00:00:00"), links);
  lbDiff_->setObjectName("lbDiff");
  diff->addWidget(label4);
  diff->addWidget(lbDiff_, 1);
  spalte->addLayout(diff);

  spalte->addSpacing(12);
  btExport_ = Knopf(T("Exportieren"), "btExport", links);
  btExport_->setToolTip(T("Gesamte Tabelle als MS-Excel Tabelle speichern"));
  spalte->addWidget(btExport_);
  btExportXlsx_ = Knopf(T("Exportieren (.xlsx)"), "btExportXlsx", links);
  btExportXlsx_->setToolTip(T("Gesamte Tabelle als Excel-Arbeitsmappe (.xlsx) speichern"));
  spalte->addWidget(btExportXlsx_);
  spalte->addStretch(1);
  auto* zurueck = Knopf(T("Zurück"), "BitBtn1", links);
  spalte->addWidget(zurueck);
  haupt->addWidget(links);

  // The right pane: values above, statistics below, the explanation underneath.
  auto* rechts = new QVBoxLayout;
  Splitter1_ = new QSplitter(Qt::Vertical, this);
  Splitter1_->setObjectName("Splitter1");
  Splitter1_->setChildrenCollapsible(false);
  grEcht_ = Gitter("grEcht", Splitter1_);
  echtModell_ = new WerteTabellenModell(this);
  grEcht_->setModel(echtModell_);
  grStat_ = Gitter("grStat", Splitter1_);
  statModell_ = new TextGitterModell(this);
  grStat_->setModel(statModell_);
  Splitter1_->addWidget(grEcht_);
  Splitter1_->addWidget(grStat_);
  // The statistics' eight rows stay whole; the values take the rest of the height.
  grStat_->setMinimumHeight(grStat_->horizontalHeader()->sizeHint().height() +
                            8 * grStat_->verticalHeader()->defaultSectionSize() +
                            grStat_->horizontalScrollBar()->sizeHint().height() +
                            2 * grStat_->frameWidth());
  Splitter1_->setStretchFactor(0, 1);
  Splitter1_->setStretchFactor(1, 0);
  rechts->addWidget(Splitter1_, 1);
  auto* label5 =
      new QLabel(T(" Die Integralsumme ist die echte Menge bei zeitbezogenen Werten."), this);
  label5->setObjectName("Label5");
  auto* label6 =
      new QLabel(T("Bsp.: Zulauf in m³/h  Integral = Zulauf in m³ im ausgewählten Zeitraum"), this);
  label6->setObjectName("Label6");
  rechts->addWidget(label5);
  rechts->addWidget(label6);
  haupt->addLayout(rechts, 1);

  GitterKoppeln();
  statModell_->GitterSetzen(LeereStatistik(nullptr));

  connect(btStartZeit_, &QPushButton::clicked, this, &TFo_Wertliste::btStartZeitClick);
  connect(btStopZeit_, &QPushButton::clicked, this, &TFo_Wertliste::btStopZeitClick);
  connect(btSichern_, &QPushButton::clicked, this, &TFo_Wertliste::btSichernClick);
  connect(btStatistik_, &QPushButton::clicked, this, &TFo_Wertliste::btStatistikClick);
  connect(btExport_, &QPushButton::clicked, this, &TFo_Wertliste::btExportClick);
  connect(btExportXlsx_, &QPushButton::clicked, this, &TFo_Wertliste::btExportXlsxClick);
  connect(zurueck, &QPushButton::clicked, this, &QDialog::close);
}

TFo_Wertliste::~TFo_Wertliste() = default;

void TFo_Wertliste::GitterKoppeln() {
  QHeaderView* oben = grEcht_->horizontalHeader();
  QHeaderView* unten = grStat_->horizontalHeader();
  connect(oben, &QHeaderView::sectionResized, unten,
          [unten](int i, int, int neu) { unten->resizeSection(i, neu); });
  connect(unten, &QHeaderView::sectionResized, oben,
          [oben](int i, int, int neu) { oben->resizeSection(i, neu); });
  QScrollBar* a = grEcht_->horizontalScrollBar();
  QScrollBar* b = grStat_->horizontalScrollBar();
  connect(a, &QScrollBar::valueChanged, b, &QScrollBar::setValue);
  connect(b, &QScrollBar::valueChanged, a, &QScrollBar::setValue);
}

void TFo_Wertliste::SpaltenBreitenSetzen() {
  // A title wider than the column's 80 pixels widens it, up to twice that; a longer one is
  // cut with "…" and shows whole as the header's hint.
  QHeaderView* kopf = grEcht_->horizontalHeader();
  const QFontMetrics fm(kopf->font());
  for (int k = 0; k < echtModell_->columnCount(); ++k) {
    const QString titel = echtModell_->headerData(k, Qt::Horizontal, Qt::DisplayRole).toString();
    kopf->resizeSection(
        k, std::clamp(fm.horizontalAdvance(titel) + 16, SpaltenBreite, 2 * SpaltenBreite));
  }
  StatBreitenUebernehmen();
}

void TFo_Wertliste::StatBreitenUebernehmen() {
  QHeaderView* oben = grEcht_->horizontalHeader();
  QHeaderView* unten = grStat_->horizontalHeader();
  for (int k = 0; k < std::min(oben->count(), unten->count()); ++k) {
    unten->resizeSection(k, oben->sectionSize(k));
  }
}

void TFo_Wertliste::KopfBreitenAngleichen() {
  QHeaderView* a = grEcht_->verticalHeader();
  QHeaderView* b = grStat_->verticalHeader();
  a->setMinimumWidth(0);
  b->setMinimumWidth(0);
  const int breite = std::max(a->sizeHint().width(), b->sizeHint().width());
  a->setMinimumWidth(breite);
  b->setMinimumWidth(breite);
}

template <class F>
void TFo_Wertliste::Geschuetzt(const char* wo, F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    d_.log.LogAll(std::string("Fo_Wertliste : Fehler in ") + wo + " (" + e.what() + ")");
  }
}

void TFo_Wertliste::TabelleSetzen(const std::optional<pegel::WerteTabelle>& tabelle,
                                  const std::string& tageskennung) {
  echtModell_->TabelleSetzen(nullptr);
  tabelle_ = tabelle;
  Tageskennung = tageskennung;
  echtModell_->TabelleSetzen(tabelle_ ? &*tabelle_ : nullptr);
  statModell_->GitterSetzen(LeereStatistik(tabelle_ ? &*tabelle_ : nullptr));
  SpaltenBreitenSetzen();
  lbDiff_->setText(T("00:00:00"));
  if (echtModell_->rowCount() > 0) {
    grEcht_->setCurrentIndex(echtModell_->index(0, 0));
  }
  KopfBreitenAngleichen();
}

void TFo_Wertliste::Zeigen(const pegel::WerteTabelle& tabelle, const std::string& tageskennung) {
  TabelleSetzen(tabelle, tageskennung);
  exec();
  TabelleSetzen(std::nullopt, tageskennung);
}

void TFo_Wertliste::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!e->spontaneous()) FormShow();
}

void TFo_Wertliste::FormShow() {
  Geschuetzt("FormShow", [this] {
    if (!tabelle_) return;
    const pegel::Wertspanne v = pegel::WertlisteVorgabe(s_, *tabelle_);
    eStart_->setText(Q(v.eStart));
    eStop_->setText(Q(v.eStop));
  });
}

QString TFo_Wertliste::ZeitDerAuswahl() const {
  const QModelIndex i = grEcht_->currentIndex();
  return echtModell_->headerData(i.isValid() ? i.row() : 0, Qt::Vertical, Qt::DisplayRole)
      .toString();
}

void TFo_Wertliste::btStartZeitClick() {
  if (echtModell_->rowCount() > 0) eStart_->setText(ZeitDerAuswahl());
}

void TFo_Wertliste::btStopZeitClick() {
  if (echtModell_->rowCount() > 0) eStop_->setText(ZeitDerAuswahl());
}

void TFo_Wertliste::btSichernClick() {
  Geschuetzt("btSichernClick", [this] {
    pegel::WertlisteSpanneSpeichern(s_, d_, A(eStart_->text()), A(eStop_->text()));
  });
}

void TFo_Wertliste::btStatistikClick() {
  Geschuetzt("btStatistikClick", [this] {
    if (!tabelle_) return;
    pegel::StatistikErgebnis e;
    {
      Sanduhr sanduhr;
      e = pegel::btStatistikClick(*tabelle_, A(eStart_->text()), A(eStop_->text()), s_.Formate.PR,
                                  s_.Formate.NK);
    }
    if (!e.lbDiff.empty()) lbDiff_->setText(Q(e.lbDiff));
    if (!e.grStat.empty()) {
      statModell_->GitterSetzen(e.grStat);
      StatBreitenUebernehmen();
      KopfBreitenAngleichen();
    }
    for (const std::string& m : e.meldungen) d_.meldungen.Info(m);
  });
}

void TFo_Wertliste::btExportClick() {
  Geschuetzt("btExportClick", [this] {
    if (!tabelle_) return;
    const auto datei = pegel::WertetabellenDatei(s_.Pfade.ProgDir, Tageskennung, ".xls");
    pegel::ExportErgebnis e;
    {
      Sanduhr sanduhr;
      e = pegel::WriteXLS(*tabelle_, datei);
    }
    const bool zuGross =
        tabelle_->Zeilen() > pegel::XlsMaxZeilen || tabelle_->Spalten() > pegel::XlsMaxSpalten;
    if (e.ok) {
      d_.meldungen.Info(e.meldung);
    } else if (!zuGross) {
      d_.meldungen.Fehler(e.meldung);
    } else if (d_.meldungen.Frage(e.meldung + "\n\n" +
                                  pegel::Ansi("Jetzt als .xlsx-Datei exportieren ?"))) {
      btExportXlsxClick();
    }
  });
}

void TFo_Wertliste::btExportXlsxClick() {
  Geschuetzt("btExportXlsxClick", [this] {
    if (!tabelle_) return;
    const auto datei = pegel::WertetabellenDatei(s_.Pfade.ProgDir, Tageskennung, ".xlsx");
    pegel::ExportErgebnis e;
    {
      Sanduhr sanduhr;
      e = pegel::WriteXLSX(*tabelle_, datei);
    }
    if (e.ok) {
      d_.meldungen.Info(e.meldung);
    } else {
      d_.meldungen.Fehler(e.meldung);
    }
  });
}

}  // namespace pegel::ui
