#include "fo_tagesgrafik.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "drucker_dialog.h"
#include "gruppen_datei.h"
#include "gruppen_menue.h"
#include "qt_canvas.h"
#include "qt_text.h"

namespace pegel::ui {

using pegel::live::LiveGrafik;

TFo_Tagesgrafik::TFo_Tagesgrafik(pegel::PegelStatus& s, pegel::Dienste& d, LiveGrafik& grafik,
                                 QPrinter* drucker, QWidget* parent)
    : QDialog(parent, Qt::Window),
      s_(s),
      d_(d),
      grafik_(grafik),
      drucker_(drucker),
      umfeld_{d.log, d.ereignisse, d.uhr, nullptr, {}} {
  setObjectName("Fo_Tagesgrafik");
  setModal(true);
  QFont schrift("MS Sans Serif");
  schrift.setPixelSize(11);
  setFont(schrift);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* menue = new QMenuBar(this);
  menue->setObjectName("MainMenu1");
  layout->setMenuBar(menue);
  Gruppe1_ = menue->addMenu(T("    Gruppe wählen    "));
  Gruppe1_->setObjectName("Gruppe1");
  auto* format = menue->addMenu(T("Format"));
  format->setObjectName("Format1");
  quer1_ = format->addAction(QString());
  quer1_->setObjectName("quer1");
  quer1_->setCheckable(true);
  quer1_->setChecked(true);
  Drucken1_ = menue->addAction(T("    Drucken    "));
  Drucken1_->setObjectName("Drucken1");
  auto* gestern = menue->addAction(T("  Daten von gestern   "));
  gestern->setObjectName("TagWahl1");
  gestern->setEnabled(false);  // until the history chart is handed in (GesternSetzen)
  auto* zurueck = menue->addAction(T("    Zurück    "));
  zurueck->setObjectName("Zurueck1");
  auto* neu = menue->addAction(T("  Neu zeichnen  "));
  neu->setObjectName("Neuzeichnen1");

  bereich_ = new QWidget(this);
  bereich_->setObjectName("Zeichenbereich");
  layout->addWidget(bereich_, 1);
  flaeche_ = new pegel::ui::BildschirmFlaeche(bereich_);
  umfeld_.flaeche = flaeche_;
  umfeld_.fertig = [this] {
    if (timerRefresh_) timerRefresh_(true);
  };

  connect(quer1_, &QAction::triggered, this, &TFo_Tagesgrafik::quer1Click);
  connect(Drucken1_, &QAction::triggered, this, &TFo_Tagesgrafik::Drucken1Click);
  connect(zurueck, &QAction::triggered, this, &QDialog::close);
  connect(neu, &QAction::triggered, this, &TFo_Tagesgrafik::FormPaint);
}

TFo_Tagesgrafik::~TFo_Tagesgrafik() { grafik_.Schliessen(); }

void TFo_Tagesgrafik::LiveTabelleSetzen(std::function<void(bool)> timerRefresh,
                                        std::function<void()> panelEin) {
  timerRefresh_ = std::move(timerRefresh);
  panelEin_ = std::move(panelEin);
}

void TFo_Tagesgrafik::GesternSetzen(std::function<void()> zeigen) {
  auto* gestern = findChild<QAction*>("TagWahl1");
  gestern->setEnabled(true);
  connect(gestern, &QAction::triggered, this, [zeigen = std::move(zeigen)] { zeigen(); });
}

void TFo_Tagesgrafik::QuerBeschriften() {
  quer1_->setText(
      T("B x H  =  %1 x %2").arg(grafik_.seite.Seitenbreite).arg(grafik_.seite.Seitenhoehe));
}

int TFo_Tagesgrafik::Zeigen() {
  // Maximised; the geometry also holds where no window manager maximises.
  if (const QScreen* bildschirm = screen()) setGeometry(bildschirm->availableGeometry());
  setWindowState(Qt::WindowMaximized);
  return exec();
}

void TFo_Tagesgrafik::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;
  grafik_.FensterZeigen();
  setWindowTitle(T(" Echtzeitgrafik  - Version " PEGEL_VERSION));
  grafik_.schriften.AlleLoeschen();
  GruppenEintragen();
  Drucken1_->setEnabled(drucker_ != nullptr && d_.drucker.Verfuegbar());
  QuerBeschriften();
  grafik_.schriften.NameSetzen(grafik_.Schriftname);
  grafik_.schriften.SeitenSchriftenErzeugen();
  QTimer::singleShot(0, this, &TFo_Tagesgrafik::FormPaint);
}

void TFo_Tagesgrafik::GruppenEintragen() {
  pegel::ui::GruppenEintragen(*Gruppe1_, s_.Pfade.GruppenDatei, [this](int g) { Gruppe1Click(g); });
}

void TFo_Tagesgrafik::SeiteZeichnen(pegel::chart::Seitenart art) {
  if (flaeche_->width() < 1 && bereich_->width() < 1) return;
  grafik_.RefreshAusgabe(*flaeche_, umfeld_, pegel::chart::Ziel::Bildschirm, art);
  flaeche_->Zeigen();
}

void TFo_Tagesgrafik::FormPaint() {
  if (grafik_.FormPaint()) SeiteZeichnen(pegel::chart::Seitenart::Voll);
}

void TFo_Tagesgrafik::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  if (!isVisible()) return;
  if (grafik_.FormResize()) SeiteZeichnen(pegel::chart::Seitenart::Voll);
}

void TFo_Tagesgrafik::Drucken1Click() {
  if (grafik_.DruckAktiv || drucker_ == nullptr) return;
  // The stored printer by its name: a fax or a printer that is gone gets nothing.
  if (!pegel::DruckerVorDemDruck(s_, d_)) return;
  grafik_.DruckAktiv = true;
  {
    // Every job takes the window's orientation: a portrait protocol print in between must
    // not cut the end of a landscape page off.
    drucker_->setPageOrientation(quer1_->isChecked() ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait);
    QPainter p;
    if (p.begin(drucker_)) {
      pegel::ui::QtCanvas canvas(p, pegel::ui::Abbildung::Metrisch(drucker_->resolution()), true);
      pegel::chart::SeitenUmfeld druck{d_.log, d_.ereignisse, d_.uhr, nullptr, umfeld_.fertig};
      grafik_.RefreshAusgabe(canvas, druck, pegel::chart::Ziel::Drucker,
                             pegel::chart::Seitenart::Voll);
      canvas.Abschliessen();
      p.end();
    } else {
      d_.log.LogAll(pegel::Ansi("Drucken nicht möglich: ") + A(drucker_->printerName()));
    }
  }
  grafik_.DruckAktiv = false;
  SeiteZeichnen(pegel::chart::Seitenart::Voll);
}

void TFo_Tagesgrafik::quer1Click() {
  try {
    d_.drucker.Ausrichtung(quer1_->isChecked());
    if (const auto groesse = d_.drucker.SeitengroesseMm()) {
      grafik_.seite.Seitenbreite = groesse->first;
      grafik_.seite.Seitenhoehe = groesse->second;
    }
    QuerBeschriften();
    FormPaint();
  } catch (const std::exception& e) {
    // The orientation stays as it was; the operator sees it in the menu's caption.
    d_.log.LogFehler(pegel::Ansi("Fo_Tagesgrafik: Format nicht geändert: ") + e.what());
  }
}

void TFo_Tagesgrafik::Gruppe1Click(int g) {
  s_.Auswahl.AktGruppe = g;
  grafik_.Grafik_Laden(g, [this] { FormPaint(); });
  if (grafik_.Ladefehler) close();
}

void TFo_Tagesgrafik::closeEvent(QCloseEvent* e) {
  grafik_.Schliessen();
  QDialog::closeEvent(e);
}

void TFo_Tagesgrafik::done(int r) {
  grafik_.Schliessen();
  if (timerRefresh_) timerRefresh_(false);
  grafik_.schriften.AlleLoeschen();
  if (panelEin_) panelEin_();
  grafik_.seite.Zeitlabels.clear();
  grafik_.ReleaseGraf();
  QDialog::done(r);
}

}  // namespace pegel::ui
