#include "form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "fo_einstell1.h"
#include "konfiguration.h"
#include "puffer.h"
#include "qt_dienste.h"
#include "qt_text.h"

namespace pegel::ui {
namespace {

QPushButton* Knopf(QWidget* eltern, const char* name, const char* text) {
  auto* b = new QPushButton(T(text), eltern);
  b->setObjectName(name);
  return b;
}

QTimer* Zeitgeber(QObject* eltern, const char* name, int ms) {
  auto* t = new QTimer(eltern);
  t->setObjectName(name);
  t->setInterval(ms);
  return t;
}

}  // namespace

TForm1::TForm1(pegel::PegelStatus& s, pegel::Dienste& d, pegel::Viewer& viewer,
               TFo_Einstell1& einstellungen, MemoSenke* memo, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      s_(s),
      d_(d),
      viewer_(viewer),
      einstellungen_(einstellungen) {
  setObjectName("Form1");
  setWindowTitle(T(" Grafische Prozessdatenanzeige"));
  QFont schrift("Arial");
  schrift.setPixelSize(13);
  setFont(schrift);
  resize(410, 410);
  setMinimumSize(410, 410);

  auto* mitte = new QWidget(this);
  auto* haupt = new QVBoxLayout(mitte);

  GroupBox1_ = new QGroupBox(T(" Status "), mitte);
  GroupBox1_->setObjectName("GroupBox1");
  GroupBox1_->setStyleSheet("QGroupBox { color: blue; font-weight: bold; }");
  auto* status = new QGridLayout(GroupBox1_);
  lbAus_ = new QLabel(T("Nicht aktiv"), GroupBox1_);
  lbAus_->setObjectName("lbAus");
  lbAus_->setStyleSheet("color: black; font-weight: normal;");
  Label1_ = new QLabel(T("Letzter Wert von:"), GroupBox1_);
  Label1_->setObjectName("Label1");
  Label1_->setStyleSheet("color: teal; font-weight: bold;");
  lbLesen_ = new QLabel(T("00:00:00"), GroupBox1_);
  lbLesen_->setObjectName("lbLesen");
  lbLesen_->setStyleSheet("color: teal; font-weight: bold;");
  lbLesen_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lbLesen_->setVisible(false);
  status->addWidget(lbAus_, 0, 0, 1, 2);
  status->addWidget(Label1_, 1, 0);
  status->addWidget(lbLesen_, 1, 1);
  haupt->addWidget(GroupBox1_);

  auto* knoepfe = new QGridLayout;
  btStarten_ = Knopf(mitte, "btStarten", "Start");
  btStoppen_ = Knopf(mitte, "btStoppen", "Stop");
  btStoppen_->setEnabled(false);
  btHistoryZeigen_ = Knopf(mitte, "btHistoryZeigen", "Gespeicherte Daten");
  btHistoryZeigen_->setEnabled(false);  // until the history browser is handed in (AktionSetzen)
  btEchtdatenZeigen_ = Knopf(mitte, "btEchtdatenZeigen", "Echtzeit-Daten");
  btEchtdatenZeigen_->setEnabled(false);
  btBeenden_ = Knopf(mitte, "btBeenden", "Beenden");
  knoepfe->addWidget(btStarten_, 0, 0);
  knoepfe->addWidget(btStoppen_, 0, 1);
  knoepfe->addWidget(btHistoryZeigen_, 1, 0);
  knoepfe->addWidget(btEchtdatenZeigen_, 1, 1);
  knoepfe->addWidget(btBeenden_, 2, 1);
  haupt->addLayout(knoepfe);

  lbAnzeige_ = new QLabel(T("Anzeige erst möglich, wenn Werte im Puffer sind."), mitte);
  lbAnzeige_->setObjectName("lbAnzeige");
  lbAnzeige_->setStyleSheet("color: red; font-weight: bold;");
  lbAnzeige_->setWordWrap(true);
  lbAnzeige_->setVisible(false);
  haupt->addWidget(lbAnzeige_);

  MemF_ = new QPlainTextEdit(mitte);
  MemF_->setObjectName("MemF");
  MemF_->setReadOnly(true);
  MemF_->setLineWrapMode(QPlainTextEdit::NoWrap);
  MemF_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MemF_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MemF_->setMaximumBlockCount(20000);  // the log file keeps every line
  haupt->addWidget(MemF_, 1);
  setCentralWidget(mitte);
  if (memo != nullptr) memo->SetzeMemo(MemF_);

  TimerSample_ = Zeitgeber(this, "TimerSample", s_.Anzeige.TimerSampleMs);
  timerLabel_ = Zeitgeber(this, "timerLabel", 500);
  TimerStart_ = Zeitgeber(this, "TimerStart", 1000);

  auto* menue = menuBar();
  menue->setObjectName("MainMenu1");
  auto* einst = menue->addMenu(T("Einstellungen"));
  Grafik1_ = einst->addAction(T("Grafik"));
  Grafik1_->setObjectName("Grafik1");
  auto* parameter = einst->addAction(T("Parameter"));
  parameter->setObjectName("Datenerfassung1");
  parameter->setEnabled(false);
  auto* gruppierung = einst->addAction(T("Gruppierung"));
  gruppierung->setObjectName("Gruppierung1");
  gruppierung->setEnabled(false);
  auto* drucker = einst->addAction(T("Drucker && Bildschirmansicht"));
  drucker->setObjectName("Drucker1");
  drucker->setEnabled(false);
  auto* test = menue->addMenu(T("Test"));
  auto* gestern = test->addAction(T("Anzeige gestern"));
  gestern->setObjectName("Anzeige1");
  gestern->setEnabled(false);
  auto* mitternacht = test->addAction(T("Druck Mitternacht"));
  mitternacht->setObjectName("Drucken1");
  mitternacht->setEnabled(false);
  auto* statistik = test->addAction(T("Statistik initialisieren"));
  statistik->setObjectName("Statistikinitialisieren1");

  connect(btStarten_, &QPushButton::clicked, this, &TForm1::btStartenClick);
  connect(btStoppen_, &QPushButton::clicked, this, &TForm1::btStoppenClick);
  connect(btEchtdatenZeigen_, &QPushButton::clicked, this, &TForm1::btEchtdatenZeigenClick);
  connect(btBeenden_, &QPushButton::clicked, this, &QWidget::close);
  connect(TimerSample_, &QTimer::timeout, this, &TForm1::TimerSampleTimer);
  connect(timerLabel_, &QTimer::timeout, this, [this] { viewer_.TimerLabelTimer(); });
  connect(TimerStart_, &QTimer::timeout, this, &TForm1::btEchtdatenZeigenClick);
  connect(Grafik1_, &QAction::triggered, this, &TForm1::Grafik1Click);
  connect(statistik, &QAction::triggered, this, &TForm1::Statistikinitialisieren1Click);
  connect(&einstellungen_, &TFo_Einstell1::NeustartNoetig, this, [this] {
    lbAus_->setVisible(true);
    viewer_.StartSperren();
    TimerSample_->stop();
  });

  viewer_.FensterStatus().BeobachterSetzen(this);
  FensterGeaendert(viewer_.Zustand());
}

TForm1::~TForm1() {
  viewer_.FensterStatus().BeobachterSetzen(nullptr);
  if (sanduhr_) QApplication::restoreOverrideCursor();
  if (s_.KonfigOK) s_.Ring.Freigeben();
}

bool TForm1::AktionSetzen(const QString& name, std::function<void()> handler) {
  if (auto* aktion = findChild<QAction*>(name); aktion != nullptr) {
    aktion->setEnabled(true);
    connect(aktion, &QAction::triggered, this, [handler] { handler(); });
    return true;
  }
  if (auto* knopf = findChild<QPushButton*>(name); knopf != nullptr) {
    knopf->setEnabled(true);
    connect(knopf, &QPushButton::clicked, this, [handler] { handler(); });
    return true;
  }
  return false;
}

void TForm1::LiveTabelleSetzen(std::function<void()> zeigen) {
  liveTabelle_ = std::move(zeigen);
  FensterGeaendert(viewer_.Zustand());
}

void TForm1::FensterGeaendert(const pegel::FensterZustand& z) {
  btStarten_->setEnabled(z.btStarten);
  btStoppen_->setEnabled(z.btStoppen);
  btBeenden_->setEnabled(z.btBeenden);
  btEchtdatenZeigen_->setEnabled(z.btEchtdatenZeigen && static_cast<bool>(liveTabelle_));
  lbAus_->setVisible(z.lbAus);
  Grafik1_->setEnabled(z.menuGrafik);
  lbLesen_->setVisible(z.lbLesen);
  lbLesen_->setText(Q(z.lbLesenText));
  lbAnzeige_->setVisible(z.lbAnzeige);
  const auto schalten = [](QTimer* t, bool an) {
    if (an && !t->isActive()) t->start();
    if (!an) t->stop();
  };
  TimerSample_->setInterval(s_.Anzeige.TimerSampleMs);
  schalten(TimerSample_, z.TimerSample);
  schalten(timerLabel_, z.timerLabel);
  schalten(TimerStart_, z.TimerStart);
  if (z.Sanduhr != sanduhr_) {
    sanduhr_ = z.Sanduhr;
    if (sanduhr_) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
      QApplication::restoreOverrideCursor();
    }
  }
}

void TForm1::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (gezeigt_) return;
  gezeigt_ = true;
  // After the window is on screen, so that messages of the loader have a parent.
  QTimer::singleShot(0, this, &TForm1::FormShow);
}

void TForm1::FormShow() {
  setWindowTitle(windowTitle() + T(" - Version " PEGEL_VERSION));
  pegel::ErstesZeigen(s_, d_);
  einstellungen_.Anzeigen();
  TimerSample_->setInterval(s_.Anzeige.TimerSampleMs);
  viewer_.AutoStart();
}

void TForm1::closeEvent(QCloseEvent* e) {
  if (!viewer_.SchliessenErlaubt()) {
    e->ignore();
    return;
  }
  e->accept();
}

void TForm1::btStartenClick() { viewer_.Starten(); }

void TForm1::btStoppenClick() { viewer_.Stoppen(); }

void TForm1::TimerSampleTimer() { viewer_.TimerSampleTimer(); }

void TForm1::btEchtdatenZeigenClick() {
  if (!viewer_.EchtdatenZeigen()) return;
  viewer_.FensterStatus().Setzen(&pegel::FensterZustand::TimerStart, false);
  if (!liveTabelle_) return;
  showMinimized();
  liveTabelle_();
  showNormal();
}

void TForm1::Grafik1Click() {
  einstellungen_.Oeffnen();
  TimerSample_->setInterval(s_.Anzeige.TimerSampleMs);
}

void TForm1::Statistikinitialisieren1Click() { viewer_.StatistikInitialisieren(); }

}  // namespace pegel::ui
