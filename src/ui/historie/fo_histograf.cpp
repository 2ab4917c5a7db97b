#include "fo_histograf.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "gruppen_datei.h"
#include "gruppen_menue.h"
#include "qt_canvas.h"
#include "qt_text.h"

namespace pegel::ui {

using pegel::historie::HistGrafik;
using pegel::historie::TagWahl;

TFo_HistoGraf::TFo_HistoGraf(pegel::PegelStatus& s, pegel::Dienste& d, HistGrafik& grafik,
                             QPrinter* drucker, QWidget* parent)
    : QDialog(parent, Qt::Window),
      s_(s),
      d_(d),
      grafik_(grafik),
      drucker_(drucker),
      umfeld_{d.log, d.ereignisse, d.uhr, nullptr, {}} {
  setObjectName("Fo_HistoGraf");
  setModal(true);
  setWindowTitle(T("Gespeicherte Daten"));
  QFont schrift("MS Sans Serif");
  schrift.setPixelSize(11);
  setFont(schrift);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* menue = new QMenuBar(this);
  menue->setObjectName("MainMenu1");
  layout->setMenuBar(menue);

  Gruppe1_ = menue->addMenu(T("   Gruppe wählen   "));
  Gruppe1_->setObjectName("Gruppe1");
  auto* format = menue->addMenu(T("Format"));
  format->setObjectName("Format1");
  Quer1_ = format->addAction(T("Quer"));
  Quer1_->setObjectName("Quer1");
  Quer1_->setCheckable(true);
  Quer1_->setChecked(true);
  Drucken1_ = menue->addAction(T("   Drucken   "));
  Drucken1_->setObjectName("Drucken1");
  auto* tag = menue->addMenu(T("  Tag wählen  "));
  tag->setObjectName("Tagwhlen1");
  const struct {
    const char* name;
    const char* text;
    TagWahl wahl;
  } tage[] = {{"Heute1", "Heute", TagWahl::Heute},
              {"Gestern1", "Gestern", TagWahl::Gestern},
              {"Vorgestern1", "Vorgestern", TagWahl::Vorgestern}};
  for (const auto& t : tage) {
    auto* eintrag = tag->addAction(T(t.text));
    eintrag->setObjectName(t.name);
    connect(eintrag, &QAction::triggered, this, [this, w = t.wahl] { TagClick(w); });
  }
  auto* skala = menue->addMenu(T("Skala ändern"));
  skala->setObjectName("Skalierung1");
  auto* untere = skala->addAction(T("Untere Grenze"));
  untere->setObjectName("UntereGrenze1");
  auto* schritt = skala->addAction(T("Schrittweite"));
  schritt->setObjectName("Schrittweite1");
  auto* standard = skala->addAction(T("Standard wiederherstellen"));
  standard->setObjectName("Standardwiederherstellen1");
  auto* zurueck = menue->addAction(T("   Zurück   "));
  zurueck->setObjectName("Zurueck1");

  bereich_ = new QWidget(this);
  bereich_->setObjectName("Zeichenbereich");
  layout->addWidget(bereich_, 1);
  flaeche_ = new pegel::ui::BildschirmFlaeche(bereich_);
  umfeld_.flaeche = flaeche_;

  connect(Quer1_, &QAction::triggered, this, &TFo_HistoGraf::Quer1Click);
  connect(Drucken1_, &QAction::triggered, this, &TFo_HistoGraf::Drucken1Click);
  connect(untere, &QAction::triggered, this, &TFo_HistoGraf::UntereGrenze1Click);
  connect(schritt, &QAction::triggered, this, &TFo_HistoGraf::Schrittweite1Click);
  connect(standard, &QAction::triggered, this, &TFo_HistoGraf::Standardwiederherstellen1Click);
  connect(zurueck, &QAction::triggered, this, &QDialog::close);
}

TFo_HistoGraf::~TFo_HistoGraf() { grafik_.Schliessen(); }

bool TFo_HistoGraf::Zeigen(const pegel::HistorienBereich& b) {
  if (isVisible()) return false;
  grafik_.FensterZeigen();
  if (!grafik_.Laden(b)) return false;
  Anzeigen();
  return true;
}

bool TFo_HistoGraf::AlteDatenZeigen() {
  if (isVisible()) return false;
  grafik_.FensterZeigen();
  const auto tag = grafik_.TagVon(TagWahl::Gestern);
  if (grafik_.TagLaden(tag, pegel::historie::Tageslader::Hauptfenster) !=
      pegel::historie::Ladeergebnis::Geladen) {
    return false;
  }
  Anzeigen();
  return true;
}

int TFo_HistoGraf::Anzeigen() {
  // Maximised; the geometry also holds where no window manager maximises.
  if (const QScreen* bildschirm = screen()) setGeometry(bildschirm->availableGeometry());
  setWindowState(Qt::WindowMaximized);
  return exec();
}

void TFo_HistoGraf::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;
  grafik_.FensterZeigen();
  Quer1_->setChecked(grafik_.Querformat);
  grafik_.schriften.AlleLoeschen();
  GruppenEintragen();
  Drucken1_->setEnabled(drucker_ != nullptr && d_.drucker.Verfuegbar());
  QuerBeschriften();
  grafik_.schriften.NameSetzen(grafik_.Schriftname);
  grafik_.schriften.SeitenSchriftenErzeugen();
  QTimer::singleShot(0, this, &TFo_HistoGraf::FormPaint);
}

void TFo_HistoGraf::GruppenEintragen() {
  pegel::ui::GruppenEintragen(*Gruppe1_, s_.Pfade.GruppenDatei, [this](int g) { Gruppe1Click(g); });
}

void TFo_HistoGraf::QuerBeschriften() {
  Quer1_->setText(
      T("B x H  =  %1 x %2").arg(grafik_.seite.Seitenbreite).arg(grafik_.seite.Seitenhoehe));
}

void TFo_HistoGraf::SeiteZeichnen() {
  if (flaeche_->width() < 1 && bereich_->width() < 1) return;
  // The page serves events once per chart; a paint or resize among them is drawn after
  // the page in progress instead of inside it.
  if (zeichnet_) {
    nachholen_ = true;
    return;
  }
  zeichnet_ = true;
  do {
    nachholen_ = false;
    grafik_.Ausgabe(*flaeche_, umfeld_, pegel::chart::Ziel::Bildschirm);
    flaeche_->Zeigen();
  } while (nachholen_ && isVisible() && grafik_.BildschirmFrei());
  zeichnet_ = false;
}

void TFo_HistoGraf::FormPaint() {
  if (!isVisible() || !grafik_.BildschirmFrei()) return;
  SeiteZeichnen();
  QuerBeschriften();
}

void TFo_HistoGraf::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  if (isVisible() && grafik_.BildschirmFrei()) SeiteZeichnen();
}

void TFo_HistoGraf::Drucken1Click() {
  if (grafik_.DruckAktiv || drucker_ == nullptr) return;
  grafik_.DruckAktiv = true;
  // The orientation is set for every job: another window may have turned the printer.
  drucker_->setPageOrientation(grafik_.Querformat ? QPageLayout::Landscape : QPageLayout::Portrait);
  QPainter p;
  if (p.begin(drucker_)) {
    try {
      pegel::ui::QtCanvas canvas(p, pegel::ui::Abbildung::Metrisch(drucker_->resolution()), true);
      pegel::chart::SeitenUmfeld druck{d_.log, d_.ereignisse, d_.uhr, nullptr, {}};
      grafik_.Ausgabe(canvas, druck, pegel::chart::Ziel::Drucker);
      canvas.Abschliessen();
    } catch (const std::exception& e) {
      // The job is dropped rather than left open; the page may be incomplete.
      d_.log.LogAll(std::string("HistoryGrafik : Druck abgebrochen: ") + e.what());
      drucker_->abort();
    }
    p.end();
  } else {
    d_.log.LogAll(pegel::Ansi("Drucken nicht möglich: ") + A(drucker_->printerName()));
  }
  grafik_.DruckAktiv = false;
  FormPaint();
}

void TFo_HistoGraf::Quer1Click() {
  try {
    grafik_.Querformat = Quer1_->isChecked();
    d_.drucker.Ausrichtung(grafik_.Querformat);
    if (const auto groesse = d_.drucker.SeitengroesseMm()) {
      grafik_.seite.Seitenbreite = groesse->first;
      grafik_.seite.Seitenhoehe = groesse->second;
    }
    QuerBeschriften();
    FormPaint();
  } catch (const std::exception& e) {
    // The page keeps its size; the menu's caption shows which.
    d_.log.LogFehler(pegel::Ansi("HistoryGrafik : Format nicht geändert: ") + e.what());
  }
}

void TFo_HistoGraf::Gruppe1Click(int g) {
  grafik_.Gruppe1Click(g);
  if (grafik_.Ladefehler) {
    close();
    return;
  }
  FormPaint();
}

void TFo_HistoGraf::TagClick(TagWahl w) {
  grafik_.TagWaehlen(w);
  FormPaint();
}

void TFo_HistoGraf::UntereGrenze1Click() {
  grafik_.UntereGrenze1Click();
  FormPaint();
}

void TFo_HistoGraf::Schrittweite1Click() {
  grafik_.Schrittweite1Click();
  FormPaint();
}

void TFo_HistoGraf::Standardwiederherstellen1Click() {
  grafik_.Standardwiederherstellen1Click();
  FormPaint();
}

void TFo_HistoGraf::closeEvent(QCloseEvent* e) {
  grafik_.Schliessen();
  QDialog::closeEvent(e);
}

void TFo_HistoGraf::done(int r) {
  grafik_.Schliessen();
  grafik_.schriften.AlleLoeschen();
  grafik_.seite.Zeitlabels.clear();
  grafik_.ReleaseGraf();
  QDialog::done(r);
}

}  // namespace pegel::ui
