#include "fo_history.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <future>
#include <type_traits>

#include "cp1252.h"
#include "datei_liste.h"
#include "historie_laden.h"
#include "historie_uebergabe.h"
#include "protokoll_datei.h"
#include "qt_text.h"
#include "rtf_leser.h"
#include "rtf_text_dokument.h"
#include "spur_regler.h"
#include "text_format.h"

namespace pegel::ui {

namespace {

// Runs `f` beside the event queue and serves the queue every few milliseconds until it is
// done, so that the window repaints and stays responsive however long a load takes. `f`
// must touch nothing the event handlers change; the callers hold Busy for that.
template <class F>
std::invoke_result_t<F> Nebenbei(F f) {
  auto ergebnis = std::async(std::launch::async, std::move(f));
  while (ergebnis.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return ergebnis.get();
}

// Sets a flag for the life of the scope.
class Belegt {
 public:
  explicit Belegt(bool& flag) : flag_(flag) { flag_ = true; }
  ~Belegt() { flag_ = false; }
  Belegt(const Belegt&) = delete;
  Belegt& operator=(const Belegt&) = delete;

 private:
  bool& flag_;
};

// The hourglass for the life of the scope.
class Sanduhr {
 public:
  Sanduhr() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~Sanduhr() { QApplication::restoreOverrideCursor(); }
  Sanduhr(const Sanduhr&) = delete;
  Sanduhr& operator=(const Sanduhr&) = delete;
};

QString Pfadtext(const std::filesystem::path& p) {
  const std::u8string u = p.u8string();
  return QString::fromUtf8(reinterpret_cast<const char*>(u.data()),
                           static_cast<qsizetype>(u.size()));
}

QLabel* Beschriftung(const QString& text, const char* name, QWidget* eltern) {
  auto* l = new QLabel(text, eltern);
  l->setObjectName(name);
  return l;
}

}  // namespace

TFo_History::TFo_History(pegel::PegelStatus& s, pegel::Dienste& d, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      s_(s),
      d_(d) {
  setObjectName("Fo_History");
  setWindowTitle(T("  Gespeicherte Daten"));
  setModal(true);
  QFont schrift("Arial");
  schrift.setPixelSize(12);
  setFont(schrift);
  setMinimumSize(675, 500);
  resize(1000, 640);

  druckDialog_ = [this](QPrinter& drucker) {
    QPrintDialog dialog(&drucker, this);
    return dialog.exec() == QDialog::Accepted;
  };

  auto* haupt = new QHBoxLayout(this);

  // Left: where the days are.
  auto* links = new QVBoxLayout;
  Kal1_ = new QCalendarWidget(this);
  Kal1_->setObjectName("Kal1");
  // Month and day names in German like every date the program shows, whatever the machine's
  // locale.
  Kal1_->setLocale(QLocale(QLocale::German, QLocale::Germany));
  Kal1_->setFirstDayOfWeek(Qt::Monday);
  Kal1_->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
  Kal1_->setGridVisible(true);
  Kal1_->setCursor(Qt::PointingHandCursor);
  links->addWidget(Kal1_);
  cbExakt_ = new QCheckBox(T("Tagesgenau suchen"), this);
  cbExakt_->setObjectName("cbExakt");
  links->addWidget(cbExakt_);
  btSucheDaten_ = new QToolButton(this);
  btSucheDaten_->setObjectName("btSucheDaten");
  btSucheDaten_->setText(T(" Daten suchen "));
  links->addWidget(btSucheDaten_);
  auto* quelle = new QHBoxLayout;
  quelle->addWidget(Beschriftung(T("Quelle :"), "Label1", this));
  lbDir_ = Beschriftung(T("C:\\DDE"), "lbDir", this);
  lbDir_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  quelle->addWidget(lbDir_, 1);
  links->addLayout(quelle);
  lstDAT_ = new QListWidget(this);
  lstDAT_->setObjectName("lstDAT");
  links->addWidget(lstDAT_, 1);
  haupt->addLayout(links);

  // Middle: the loaded day, the span and the parameters.
  auto* mitte = new QVBoxLayout;
  auto* tag = new QGridLayout;
  lbDatum_ = Beschriftung(T("Datum"), "lbDatum", this);
  lbDatum_->setStyleSheet("font-weight: bold;");
  tag->addWidget(lbDatum_, 0, 0);
  lbZeit1_ = Beschriftung(T("00:00:01"), "lbZeit1", this);
  tag->addWidget(lbZeit1_, 0, 1);
  tag->addWidget(Beschriftung(T(". . . ."), "Label3", this), 0, 2);
  lbZeit2_ = Beschriftung(T("23:59:59"), "lbZeit2", this);
  tag->addWidget(lbZeit2_, 0, 3);
  lbAnz_ = Beschriftung(QString(), "lbAnz", this);
  lbAnz_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  tag->addWidget(lbAnz_, 0, 4);
  tag->addWidget(Beschriftung(T("Messungen"), "Label5", this), 0, 5);
  tag->setColumnStretch(6, 1);
  mitte->addLayout(tag);
  auto* label4 =
      Beschriftung(T("Wählen Sie ein Intervall der Messungen im Zeitraum von "), "Label4", this);
  mitte->addWidget(label4);
  tb1_ = new SpurRegler(this);
  tb1_->setObjectName("tb1");
  tb2_ = new SpurRegler(this);
  tb2_->setObjectName("tb2");
  for (SpurRegler* tb : {tb1_, tb2_}) {
    tb->setToolTip(T("Funktion zum Zoomen innerhalb des Tages"));
    tb->setMinimum(1);
    tb->setEnabled(false);
    mitte->addWidget(tb);
  }
  auto* spanne = new QHBoxLayout;
  lbT1_ = Beschriftung(QString(), "lbT1", this);
  spanne->addWidget(lbT1_);
  spanne->addWidget(Beschriftung(T("bis"), "Label6", this));
  lbT2_ = Beschriftung(QString(), "lbT2", this);
  spanne->addWidget(lbT2_);
  spanne->addStretch(1);
  spanne->addWidget(Beschriftung(T("Intervalle"), "Label7", this));
  cbIntervalle_ = new QComboBox(this);
  cbIntervalle_->setObjectName("cbIntervalle");
  cbIntervalle_->setMinimumContentsLength(20);
  spanne->addWidget(cbIntervalle_);
  mitte->addLayout(spanne);
  mitte->addWidget(Beschriftung(T("Parameter"), "Label8", this));
  lbPars_ = new QListWidget(this);
  lbPars_->setObjectName("lbPars");
  lbPars_->setSelectionMode(QAbstractItemView::MultiSelection);
  mitte->addWidget(lbPars_, 1);
  rgRef_ = new QGroupBox(T(" Grafikanzeige "), this);
  rgRef_->setObjectName("rgRef");
  auto* refLayout = new QVBoxLayout(rgRef_);
  refKnoepfe_ = new QButtonGroup(this);
  const char* refTexte[] = {"bezogen auf Null", "bezogen auf Minimum", "bezogen auf Benutzerskala"};
  for (int i = 0; i < 3; ++i) {
    auto* knopf = new QRadioButton(T(refTexte[i]), rgRef_);
    knopf->setObjectName(QString("rgRef%1").arg(i));
    refKnoepfe_->addButton(knopf, i);
    refLayout->addWidget(knopf);
  }
  refBenutzer_ = qobject_cast<QRadioButton*>(refKnoepfe_->button(2));
  rgRef_->setVisible(false);
  mitte->addWidget(rgRef_);
  auto* knoepfe = new QHBoxLayout;
  btGrafik_ = new QPushButton(T(" Grafik"), this);
  btGrafik_->setObjectName("btGrafik");
  btTabelle_ = new QPushButton(T(" Werte-Tabelle"), this);
  btTabelle_->setObjectName("btTabelle");
  btTabelle_->setToolTip(T("Statistik und Export der tabellarischen Daten"));
  btTabelle_->setEnabled(false);
  BitBtn1_ = new QPushButton(T("Zurück"), this);
  BitBtn1_->setObjectName("BitBtn1");
  BitBtn1_->setAutoDefault(false);
  btGrafik_->setAutoDefault(false);
  btTabelle_->setAutoDefault(false);
  knoepfe->addWidget(btGrafik_);
  knoepfe->addWidget(btTabelle_);
  knoepfe->addStretch(1);
  knoepfe->addWidget(BitBtn1_);
  mitte->addLayout(knoepfe);
  haupt->addLayout(mitte, 1);

  // Right: the protocol files.
  auto* rechts = new QVBoxLayout;
  auto* ext = new QHBoxLayout;
  ext->addWidget(Beschriftung(T("Protokolle"), "Label2", this));
  cbExt_ = new QComboBox(this);
  cbExt_->setObjectName("cbExt");
  cbExt_->setEditable(true);
  cbExt_->setInsertPolicy(QComboBox::NoInsert);
  cbExt_->setToolTip(T("Dateityp wählen"));
  cbExt_->addItems({"*.RTF", "*.PGH", "*.TXT", "*.LOG", "*.DAT", "*.*", "*:PGI", "*:INI"});
  cbExt_->setCurrentIndex(0);
  maske_ = cbExt_->currentText();
  ext->addWidget(cbExt_, 1);
  SpeedButton1_ = new QToolButton(this);
  SpeedButton1_->setObjectName("SpeedButton1");
  SpeedButton1_->setText(T("Drucken"));
  SpeedButton1_->setToolTip(T("Protokoll drucken"));
  ext->addWidget(SpeedButton1_);
  rechts->addLayout(ext);
  lstPRK_ = new QListWidget(this);
  lstPRK_->setObjectName("lstPRK");
  lstPRK_->setMaximumHeight(140);
  rechts->addWidget(lstPRK_);
  Memo1_ = new QTextEdit(this);
  Memo1_->setObjectName("Memo1");
  Memo1_->setReadOnly(true);
  Memo1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1_->setLineWrapMode(QTextEdit::NoWrap);
  rechts->addWidget(Memo1_, 1);
  haupt->addLayout(rechts, 1);

  connect(Kal1_, &QCalendarWidget::clicked, this, [this] { Kal1Click(); });
  // Paging to another month moves the date there (same day, or the month's last), as a
  // click on that month would, and lists it.
  connect(Kal1_, &QCalendarWidget::currentPageChanged, this, [this](int jahr, int monat) {
    const QDate alt = Kal1_->selectedDate();
    if (alt.year() == jahr && alt.month() == monat) return;
    const QDate erster(jahr, monat, 1);
    {
      const QSignalBlocker stumm(Kal1_);
      Kal1_->setSelectedDate(QDate(jahr, monat, std::min(alt.day(), erster.daysInMonth())));
    }
    Kal1Click();
  });
  connect(btSucheDaten_, &QToolButton::clicked, this, &TFo_History::btSucheDatenClick);
  connect(lstDAT_, &QListWidget::itemClicked, this, [this] { lstDATClick(); });
  connect(tb1_, &QSlider::valueChanged, this, &TFo_History::tb1Change);
  connect(tb2_, &QSlider::valueChanged, this, &TFo_History::tb2Change);
  connect(cbIntervalle_, &QComboBox::activated, this, &TFo_History::cbIntervalleChange);
  connect(lbPars_, &QListWidget::itemSelectionChanged, this, &TFo_History::lbParsClick);
  connect(refKnoepfe_, &QButtonGroup::idClicked, this, &TFo_History::rgRefClick);
  connect(btGrafik_, &QPushButton::clicked, this, &TFo_History::btGrafikClick);
  connect(btTabelle_, &QPushButton::clicked, this, &TFo_History::btTabelleClick);
  connect(lstPRK_, &QListWidget::itemClicked, this, [this] { lstPRKClick(); });
  // A typed mask counts once it is committed: Enter, or a choice from the list.
  // One Enter can reach the box as several signals (the line edit's, the box's choice of a
  // matching entry): they are gathered into one commit.
  connect(cbExt_, &QComboBox::activated, this, &TFo_History::ExtBestaetigt);
  connect(cbExt_->lineEdit(), &QLineEdit::returnPressed, this, &TFo_History::ExtBestaetigt);
  connect(SpeedButton1_, &QToolButton::clicked, this, &TFo_History::SpeedButton1Click);
  connect(BitBtn1_, &QPushButton::clicked, this, &TFo_History::BitBtn1Click);
}

TFo_History::~TFo_History() = default;

void TFo_History::GrafikSetzen(std::function<bool(const pegel::HistorienBereich&)> zeigen) {
  grafik_ = std::move(zeigen);
}

void TFo_History::TabelleSetzen(
    std::function<void(const pegel::WerteTabelle&, const std::string&)> zeigen) {
  tabelle_ = std::move(zeigen);
  btTabelle_->setEnabled(tabelle_ && zeilenzahl_ >= 1);
}

void TFo_History::DruckDialogSetzen(std::function<bool(QPrinter&)> dialog) {
  druckDialog_ = std::move(dialog);
}

void TFo_History::Melden(const std::string& text) {
  // Core's line breaks are CR LF; the message box breaks on LF alone.
  std::string t;
  t.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    t += text[i];
  }
  d_.meldungen.Info(t);
}

void TFo_History::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;
  // Every showing starts afresh in the program directory with this month.
  suchverzeichnis_ = pegel::SicherungsVerzeichnis(std::nullopt, s_.Pfade.ProgDir);
  vorauswahl_.reset();
  busy_ = false;
  LadungLeeren();
  Memo1_->clear();
  const pegel::DatumTeile heute = pegel::DatumZerlegen(d_.uhr.Jetzt());
  {
    const QSignalBlocker stumm(Kal1_);
    Kal1_->setSelectedDate(QDate(heute.jahr, heute.monat, heute.tag));
  }
  // After the window is on screen, so that a long load already shows the window.
  QMetaObject::invokeMethod(this, &TFo_History::Kal1Click, Qt::QueuedConnection);
}

void TFo_History::closeEvent(QCloseEvent* e) {
  if (busy_) {
    e->ignore();
    return;
  }
  QDialog::closeEvent(e);
}

void TFo_History::reject() {
  if (busy_) return;
  QDialog::reject();
}

void TFo_History::done(int r) {
  if (busy_) return;
  // The day is released with the window; the chart and the table are closed by now.
  LadungLeeren();
  QDialog::done(r);
}

void TFo_History::LadungLeeren() {
  zeilenzahl_ = 0;
  wahl_.Leeren();
  s_.Tage.DatenGitter.Freigeben();
  tageskennung_.clear();
  refGeladen_.clear();
  lbPars_->clear();
  cbIntervalle_->clear();
  rgRef_->setVisible(false);
  btTabelle_->setEnabled(false);
  lbAnz_->clear();
  Spiegeln();
}

void TFo_History::Kal1Click() {
  if (busy_) return;
  try {
    const std::filesystem::path progDir =
        pegel::SicherungsVerzeichnis(std::nullopt, s_.Pfade.ProgDir);
    suchverzeichnis_ = progDir;
    lbDir_->setText(Pfadtext(suchverzeichnis_));
    vorauswahl_.reset();
    lstDAT_->clear();
    datNamen_.clear();
    lstPRK_->clear();
    prkNamen_.clear();
    if (ListenUndLaden(progDir)) return;
    // No day here: the collector's backup directory.
    const std::filesystem::path sicherung = pegel::SicherungAusIni(s_.Pfade.IniDatei, progDir);
    suchverzeichnis_ = sicherung;
    lbDir_->setText(Pfadtext(suchverzeichnis_));
    if (!pegel::GleichesVerzeichnis(sicherung, progDir)) ListenUndLaden(sicherung);
  } catch (const std::exception& f) {
    d_.log.LogAll(std::string("History : Kal1Click ") + f.what());
  }
}

bool TFo_History::ListenUndLaden(const std::filesystem::path& verzeichnis) {
  ProtokollListe(verzeichnis, true);
  const QDate tag = Kal1_->selectedDate();
  const auto l =
      pegel::DateiListe("*.DAT", cbExakt_->isChecked(),
                        pegel::DatumKodieren(tag.year(), tag.month(), tag.day()), verzeichnis);
  DatListe(l.namen);
  if (datNamen_.empty()) return false;
  lstDAT_->setCurrentRow(0);
  lstDATClick();
  return true;
}

bool TFo_History::ProtokollListe(const std::filesystem::path& verzeichnis, bool mitDatum) {
  lstPRK_->clear();
  prkNamen_.clear();
  const QDate tag = Kal1_->selectedDate();
  const std::string maske = A(maske_);
  const auto l =
      mitDatum
          ? pegel::DateiListe(maske, cbExakt_->isChecked(),
                              pegel::DatumKodieren(tag.year(), tag.month(), tag.day()), verzeichnis)
          : pegel::DateiListeOhneDatum(maske, verzeichnis);
  if (l.fehler) {
    Melden(*l.fehler);
    return false;
  }
  prkNamen_ = l.namen;
  for (const auto& n : prkNamen_) lstPRK_->addItem(Pfadtext(n));
  return true;
}

void TFo_History::DatListe(const std::vector<std::filesystem::path>& namen) {
  lstDAT_->clear();
  datNamen_ = namen;
  for (const auto& n : datNamen_) lstDAT_->addItem(Pfadtext(n));
}

void TFo_History::btSucheDatenClick() {
  if (busy_) return;
  try {
    lstDAT_->clear();
    datNamen_.clear();
    lstPRK_->clear();
    prkNamen_.clear();
    const auto datei = d_.meldungen.DateiOeffnen(
        pegel::SicherungsVerzeichnis(std::nullopt, s_.Pfade.ProgDir), "Daten [*.dat]|*.dat");
    if (!datei) return;
    {
      const QSignalBlocker stumm(cbExakt_);
      cbExakt_->setChecked(false);
    }
    suchverzeichnis_ = datei->parent_path() / "";
    vorauswahl_ = datei->filename();
    lbDir_->setText(Pfadtext(suchverzeichnis_));
    DatListe(pegel::DateiListeOhneDatum("*.DAT", suchverzeichnis_).namen);
    ProtokollListe(suchverzeichnis_, false);
    // The chosen file is loaded even when its name does not end in .DAT.
    lstDAT_->setCurrentRow(-1);
    lstDATClick();
  } catch (const std::exception& f) {
    d_.log.LogAll(std::string("History : btSucheDatenClick ") + f.what());
  }
}

void TFo_History::lstDATClick() {
  if (busy_) return;
  Belegt belegt(busy_);
  try {
    Sanduhr sanduhr;
    cbIntervalle_->clear();
    cbIntervalle_->addItem(T("Gesamtzeit"));
    lbPars_->clear();
    rgRef_->setVisible(false);

    pegel::LadeAuftrag a;
    a.Suchverzeichnis = suchverzeichnis_;
    a.eintraege = datNamen_;
    const int zeile = lstDAT_->currentRow();
    if (zeile >= 0 && lstDAT_->item(zeile)->isSelected()) {
      a.gewaehlt = static_cast<std::size_t>(zeile);
    }
    a.Vorauswahl = vorauswahl_;
    a.DDEIntervallMs = s_.Takt.DDEIntervallMs;
    a.jetzt = d_.uhr.Jetzt();
    vorauswahl_.reset();

    pegel::HistorienLadung l = Nebenbei([a] { return pegel::HistorienTagLaden(a); });
    for (const auto& zeile_ : l.log) d_.log.LogAll(zeile_);

    // The new day replaces the old one in the shared state; the span refers to it.
    wahl_.Leeren();
    s_.Tage.HistKopf = l.HistKopf;
    s_.Tage.Messintervall = l.Messintervall;
    s_.Tage.Spaltenzahl = l.Spaltenzahl;
    s_.Tage.DatenGitter = std::move(l.DatenGitter);
    zeilenzahl_ = l.Zeilenzahl;
    tageskennung_ = l.tag.Tageskennung;
    grafikTag_ = l.GrafikTag;
    lbDatum_->setText(l.tag.lbDatum.empty() ? T("Datum") : Q(l.tag.lbDatum));
    lbAnz_->setText(QString::number(zeilenzahl_));
    lbZeit1_->setText(Q(l.lbZeit1));
    lbZeit2_->setText(Q(l.lbZeit2));
    refGeladen_.clear();
    for (std::size_t i = 0; i < l.lbPars.size(); ++i) {
      lbPars_->addItem(Q(l.lbPars[i]));
      refGeladen_.push_back(l.HistKopf.Par.at(i + 1).GrafikRef);
    }
    if (lbPars_->count() > 0) lbPars_->item(0)->setSelected(true);
    cbIntervalle_->clear();
    for (const auto& t : l.abschnitte.cbIntervalle) cbIntervalle_->addItem(Q(t));
    cbIntervalle_->setCurrentIndex(0);
    wahl_.Laden(s_.Tage.DatenGitter, zeilenzahl_, l.abschnitte);
    btTabelle_->setEnabled(tabelle_ && zeilenzahl_ >= 1);
    Spiegeln();
    lbParsClick();
    for (const auto& m : l.meldungen) Melden(m);
  } catch (const std::exception& f) {
    d_.log.LogAll(std::string("History : Fehler 1 ") + f.what());
  }
}

void TFo_History::Spiegeln() {
  const QSignalBlocker stumm1(tb1_);
  const QSignalBlocker stumm2(tb2_);
  const auto setzen = [](SpurRegler* tb, const pegel::Spurbalken& b) {
    tb->setRange(b.Min, b.Max);
    tb->setValue(b.Position);
    tb->AuswahlSetzen(b.SelStart, b.SelEnd);
    // About 20 ticks over the range, as the manual ticks of a day's bar.
    tb->setTickInterval(std::max(1, (b.Max - b.Min) / 20));
  };
  setzen(tb1_, wahl_.tb1());
  setzen(tb2_, wahl_.tb2());
  tb1_->setEnabled(wahl_.Aktiv());
  tb2_->setEnabled(wahl_.Aktiv());
  lbT1_->setText(Q(wahl_.lbT1()));
  lbT2_->setText(Q(wahl_.lbT2()));
}

void TFo_History::tb1Change(int position) {
  if (busy_ || zeilenzahl_ < 1) {
    Spiegeln();
    return;
  }
  wahl_.tb1Verschieben(position);
  Spiegeln();
}

void TFo_History::tb2Change(int position) {
  if (busy_ || zeilenzahl_ < 1) {
    Spiegeln();
    return;
  }
  wahl_.tb2Verschieben(position);
  Spiegeln();
}

void TFo_History::cbIntervalleChange(int index) {
  if (busy_ || index < 0) return;
  wahl_.cbIntervalleChange(static_cast<std::size_t>(index));
  Spiegeln();
}

void TFo_History::lbParsClick() {
  const auto gewaehlt = lbPars_->selectedItems();
  if (gewaehlt.size() != 1) {
    rgRef_->setVisible(false);
    return;
  }
  RefZeigen(lbPars_->row(gewaehlt.front()) + 1);
  rgRef_->setVisible(true);
}

// Reference 2 (the user scale) has a button of its own, shown only for a parameter whose
// header names it, so that the operator sees it and can return to it after trying the
// other two.
void TFo_History::RefZeigen(int parameter) {
  if (parameter < 1 || parameter > pegel::MaxItems) return;
  const std::size_t i = static_cast<std::size_t>(parameter);
  const std::int32_t ref = s_.Tage.HistKopf.Par.at(i).GrafikRef;
  const bool benutzer = ref == 2 || (i - 1 < refGeladen_.size() && refGeladen_[i - 1] == 2);
  refBenutzer_->setVisible(benutzer);
  QAbstractButton* knopf = refKnoepfe_->button(ref);
  if (knopf) {
    knopf->setChecked(true);
  } else {
    // A reference the browser does not know: no button is on.
    refKnoepfe_->setExclusive(false);
    for (QAbstractButton* b : refKnoepfe_->buttons()) b->setChecked(false);
    refKnoepfe_->setExclusive(true);
  }
}

void TFo_History::rgRefClick(int ref) {
  const int zeile = lbPars_->currentRow();
  if (zeile < 0 || zeile >= pegel::MaxItems) return;
  // Holds for the loaded day only: the next load reads the header again.
  s_.Tage.HistKopf.Par.at(static_cast<std::size_t>(zeile) + 1).GrafikRef = ref;
}

std::vector<int> TFo_History::GewaehlteParameter() const {
  std::vector<int> p;
  for (int i = 0; i < lbPars_->count(); ++i) {
    if (lbPars_->item(i)->isSelected()) p.push_back(i + 1);
  }
  return p;
}

void TFo_History::btGrafikClick() {
  if (zeilenzahl_ < 1 || busy_) return;
  btGrafik_->setEnabled(false);
  // Enabled again on every way out, also when the chart refuses or something throws.
  struct Wieder {
    QPushButton* knopf;
    ~Wieder() { knopf->setEnabled(true); }
  } wieder{btGrafik_};
  Belegt belegt(busy_);
  try {
    const std::vector<int> parameter = GewaehlteParameter();
    const std::int32_t von = wahl_.ErsteZeile();
    const std::int32_t bis = wahl_.LetzteZeile();
    const pegel::TDateTime tag = grafikTag_;
    const pegel::gitter& grid = s_.Tage.DatenGitter;
    const pegel::Kopfdaten& kopf = s_.Tage.HistKopf;
    const pegel::ParameterTabelle& par = s_.Par();
    pegel::UebergabeErgebnis e = Nebenbei(
        [&] { return pegel::HistorienUebergabe(grid, kopf, par, von, bis, parameter, tag); });
    if (e.Meldung) {
      Melden(*e.Meldung);
      return;
    }
    if (grafik_) grafik_(e.Bereich);
  } catch (const std::exception& f) {
    d_.log.LogAll(std::string("History : Grafik_Laden ") + f.what());
  }
}

void TFo_History::btTabelleClick() {
  if (zeilenzahl_ < 1 || busy_ || !tabelle_) return;
  Belegt belegt(busy_);
  try {
    const std::vector<int> parameter = GewaehlteParameter();
    if (parameter.empty()) {
      Melden(pegel::Ansi("Sie haben keine Parameter ausgewählt !"));
      return;
    }
    const std::int32_t von = wahl_.ErsteZeile();
    const std::int32_t zeilen = wahl_.Zeilen();
    if (von < 1 || zeilen < 1) return;
    const pegel::WerteTabelle tabelle(s_.Tage.DatenGitter, static_cast<std::size_t>(von) - 1,
                                      static_cast<std::size_t>(zeilen),
                                      pegel::ParameterSpalten(s_.Tage.HistKopf, parameter));
    tabelle_(tabelle, tageskennung_);
  } catch (const std::exception& f) {
    d_.log.LogAll(std::string("History : btTabelleClick ") + f.what());
  }
}

void TFo_History::lstPRKClick() {
  const int zeile = lstPRK_->currentRow();
  if (busy_ || zeile < 0 || static_cast<std::size_t>(zeile) >= prkNamen_.size()) return;
  Belegt belegt(busy_);
  try {
    Sanduhr sanduhr;
    // Reading and parsing beside the event queue: a protocol may be many megabytes.
    struct Gelesen {
      pegel::ProtokollDatei datei;
      std::optional<pegel::RtfDokument> rtf;
    };
    const std::filesystem::path pfad =
        suchverzeichnis_ / prkNamen_[static_cast<std::size_t>(zeile)];
    const Gelesen g = Nebenbei([pfad] {
      Gelesen e{pegel::ProtokollLesen(pfad), std::nullopt};
      if (e.datei.gelesen && pegel::IstRtf(e.datei.bytes)) e.rtf = pegel::RtfLesen(e.datei.bytes);
      return e;
    });
    QTextDocument* neu = nullptr;
    if (g.rtf) {
      neu = RtfTextDokument(*g.rtf, Memo1_);
    } else {
      neu = new QTextDocument(Memo1_);
      neu->setDefaultFont(Memo1_->font());
      if (g.datei.gelesen) neu->setPlainText(Q(g.datei.bytes));
    }
    if (g.datei.gekuerzt) {
      QTextCursor c(neu);
      c.movePosition(QTextCursor::End);
      QTextCharFormat hinweis;
      hinweis.setForeground(Qt::red);
      hinweis.setFontWeight(QFont::Bold);
      c.insertBlock();
      c.insertText(Q(pegel::ProtokollGekuerztText(g.datei.bytes.size(), g.datei.groesse)), hinweis);
    }
    // A document wraps to the view; a log keeps its lines and scrolls sideways.
    Memo1_->setLineWrapMode(g.rtf ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    // The documents made here belong to the view and go when replaced; the view deletes the
    // one it was built with itself.
    QTextDocument* alt = Memo1_->document();
    const bool unserer = alt && alt->parent() == Memo1_;
    Memo1_->setDocument(neu);
    if (unserer) delete alt;
  } catch (const std::exception& f) {
    d_.log.LogAll(std::string("History : lstPRKClick ") + f.what());
  }
}

void TFo_History::ExtBestaetigt() {
  if (extFaellig_) return;
  extFaellig_ = true;
  QTimer::singleShot(0, this, [this] {
    extFaellig_ = false;
    cbExtChange();
  });
}

void TFo_History::cbExtChange() {
  if (busy_) return;
  const QString text = cbExt_->currentText().trimmed();
  if (!pegel::DateiMaskePruefen(A(text))) {
    Melden(pegel::DateiMaskeUngueltigText());
    cbExt_->setEditText(maske_);
    return;
  }
  maske_ = text;
  lstPRK_->clear();
  prkNamen_.clear();
  Kal1Click();
}

void TFo_History::SpeedButton1Click() {
  try {
    QPrinter drucker(QPrinter::HighResolution);
    if (!drucker.setPageOrientation(QPageLayout::Portrait)) {
      Melden(pegel::Ansi("System kann nicht auf Hochformat umschalten !"));
    }
    if (!druckDialog_ || !druckDialog_(drucker)) return;
    // QTextDocument::print opens and ends the job itself, also for an empty document.
    Memo1_->document()->print(&drucker);
  } catch (const std::exception& f) {
    d_.log.LogAll(std::string("History : Protokoll drucken ") + f.what());
  }
}

void TFo_History::BitBtn1Click() {
  if (busy_) return;
  close();
}

}  // namespace pegel::ui
