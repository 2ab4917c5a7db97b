#include "viewer.h"

#include "cp1252.h"
#include "ini_schluessel.h"
#include "meldungstexte.h"
#include "puffer.h"

namespace pegel {

Viewer::Viewer(PegelStatus& s, Dienste& d, Tageswechsel* tageswechsel)
    : s_(s),
      d_(d),
      tageswechsel_(tageswechsel != nullptr ? *tageswechsel : ohneDruck_),
      erfassung_(s, d, tabelle_, fenster_, tageswechsel_) {
  erfassung_.ViewerLaeuft(false);
}

void Viewer::Starten() {
  if (!fenster_.Zustand().btStarten) return;
  // A configuration that became valid only after the first show has no ring: it is
  // allocated at the next program start.
  if (!s_.KonfigOK || !s_.Ring.Angelegt()) {
    if (s_.KonfigOK) d_.log.LogAll(text::KeinPufferAngelegt);
    d_.meldungen.Fehler(text::StartVerweigert);
    return;
  }
  s_.Abfrage.IntervallStunden = static_cast<double>(s_.Takt.DDEIntervallMs / 1000) / 3600.0;
  s_.Abfrage.LetzteZeit.clear();
  s_.Abfrage.Durchlaeufe = 0;
  s_.Abfrage.LetzterLauf = 0;
  s_.Abfrage.Heute = d_.uhr.Jetzt();
  s_.Abfrage.PrintDate = s_.Abfrage.Heute - 1;
  tabelle_.SpaltenSetzen(s_.Par().Itemcount() + 1);
  s_.Anzeige.MitCursor = s_.Einstell.cbMitCursor;
  s_.Anzeige.GanzerTag = s_.Einstell.cbGanzerTag;
  d_.log.LogAll(text::ViewerGestartet);
  fenster_.Setzen(&FensterZustand::btStarten, false);
  fenster_.Setzen(&FensterZustand::btBeenden, false);
  fenster_.Setzen(&FensterZustand::btStoppen, true);
  fenster_.Setzen(&FensterZustand::lbAus, false);
  fenster_.Setzen(&FensterZustand::menuGrafik, false);
  erfassung_.ZeilenZuruecksetzen();
  erfassung_.ViewerLaeuft(true);
  if (s_.Anzeige.AlteDaten) {
    erfassung_.AlteTagesdatenLesen();
  } else {
    d_.log.LogAll(text::OhneAlteDaten);
  }
  fenster_.Setzen(&FensterZustand::TimerSample, true);
  erfassung_.TimerSampleTimer();
  tabelle_.Benachrichtigen();  // the new shape, also when the pass found no file
}

void Viewer::Stoppen() {
  if (!fenster_.Zustand().btStoppen) return;
  if (d_.meldungen.WarnFrage(text::WeiterArbeiten)) return;
  d_.meldungen.Warnung(text::KeinAusdruck);
  fenster_.Setzen(&FensterZustand::btStarten, true);
  fenster_.Setzen(&FensterZustand::btBeenden, true);
  fenster_.Setzen(&FensterZustand::btStoppen, false);
  d_.log.LogAll(text::ViewerGestoppt);
  fenster_.Setzen(&FensterZustand::lbAus, true);
  erfassung_.ViewerLaeuft(false);
  fenster_.Setzen(&FensterZustand::TimerSample, false);
  fenster_.Setzen(&FensterZustand::menuGrafik, true);
  // The key's one default (1) holds here too; the loader writes the key back at every run,
  // so only a key deleted while the viewer runs would see it.
  s_.Anzeige.AlteDaten =
      IniEinstellungen(s_.Pfade.IniDatei, true).Lesen(Schluessel::Grafik_AlteDaten);
}

void Viewer::AutoStart() {
  if (!s_.Anzeige.AutoStartAktiv) return;
  Starten();
  fenster_.Setzen(&FensterZustand::TimerStart, true);
}

bool Viewer::EchtdatenZeigen() {
  if (s_.Ring.Leer()) {
    fenster_.Setzen(&FensterZustand::lbAnzeige, true);
    fenster_.Setzen(&FensterZustand::btEchtdatenZeigen, false);
    return false;
  }
  fenster_.Setzen(&FensterZustand::lbAnzeige, false);
  fenster_.Setzen(&FensterZustand::TimerStart, false);
  return true;
}

void Viewer::StatistikInitialisieren() {
  AlleZuruecksetzen(s_, d_.log, text::PufferResetMenue, true);
}

void Viewer::DruckMitternacht() {
  s_.Abfrage.PrintDate = d_.uhr.Jetzt();
  try {
    tageswechsel_.GruppeDrucken(s_, d_);
  } catch (const std::exception& e) {
    // The print logs its own failures; whatever escapes it must not reach the menu handler.
    d_.log.LogAll(text::TagesdruckFehler);
    d_.log.LogFehler(e.what());
  }
}

}  // namespace pegel
