#include "viewer.h"

#include "cp1252.h"
#include "ini_datei.h"
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
  if (!s_.KonfigOK || !s_.PufferAngelegt()) {
    if (s_.KonfigOK) d_.log.LogAll("Kein Datenpuffer angelegt: bitte das Programm neu starten.");
    d_.meldungen.Fehler("Fehlerhafte Konfiguration ! PegelWart wird nicht gestartet.");
    return;
  }
  s_.IntervallStunden = static_cast<double>(s_.DDEIntervallMs / 1000) / 3600.0;
  s_.LetzteZeit.clear();
  s_.Durchlaeufe = 0;
  s_.LetzterLauf = 0;
  s_.Heute = d_.uhr.Jetzt();
  s_.PrintDate = s_.Heute - 1;
  tabelle_.SpaltenSetzen(s_.Itemcount + 1);
  s_.MitCursor = s_.Einstell.cbMitCursor;
  s_.GanzerTag = s_.Einstell.cbGanzerTag;
  d_.log.LogAll("Viewer gestartet.");
  fenster_.Setzen(&FensterZustand::btStarten, false);
  fenster_.Setzen(&FensterZustand::btBeenden, false);
  fenster_.Setzen(&FensterZustand::btStoppen, true);
  fenster_.Setzen(&FensterZustand::lbAus, false);
  fenster_.Setzen(&FensterZustand::menuGrafik, false);
  erfassung_.ZeilenZuruecksetzen();
  erfassung_.ViewerLaeuft(true);
  if (s_.AlteDaten) {
    erfassung_.AlteTagesdatenLesen();
  } else {
    d_.log.LogAll("PEGELDDE.INI > [Grafik] AlteDaten=0, alte Daten nicht gelesen.");
  }
  fenster_.Setzen(&FensterZustand::TimerSample, true);
  erfassung_.TimerSampleTimer();
  tabelle_.Benachrichtigen();  // the new shape, also when the pass found no file
}

void Viewer::Stoppen() {
  if (!fenster_.Zustand().btStoppen) return;
  if (d_.meldungen.WarnFrage("Datenanzeige weiter arbeiten lassen ?")) return;
  d_.meldungen.Warnung("Achtung: Bei gestoppter Anzeige erfolgt kein automatischer Ausdruck !");
  fenster_.Setzen(&FensterZustand::btStarten, true);
  fenster_.Setzen(&FensterZustand::btBeenden, true);
  fenster_.Setzen(&FensterZustand::btStoppen, false);
  d_.log.LogAll("Viewer gestoppt.");
  fenster_.Setzen(&FensterZustand::lbAus, true);
  erfassung_.ViewerLaeuft(false);
  fenster_.Setzen(&FensterZustand::TimerSample, false);
  fenster_.Setzen(&FensterZustand::menuGrafik, true);
  s_.AlteDaten = IniDatei(s_.IniDatei, true).LeseBool("Grafik", "AlteDaten", false);
}

void Viewer::AutoStart() {
  if (!s_.AutoStartAktiv) return;
  Starten();
  fenster_.Setzen(&FensterZustand::TimerStart, true);
}

bool Viewer::EchtdatenZeigen() {
  if (s_.PufferZeiger < 5) {
    fenster_.Setzen(&FensterZustand::lbAnzeige, true);
    fenster_.Setzen(&FensterZustand::btEchtdatenZeigen, false);
    return false;
  }
  fenster_.Setzen(&FensterZustand::lbAnzeige, false);
  fenster_.Setzen(&FensterZustand::TimerStart, false);
  return true;
}

void Viewer::StatistikInitialisieren() {
  for (std::int32_t n = 1; n <= s_.Itemcount && n <= MaxItems; ++n) {
    StatistikZuruecksetzen(s_, n, d_.log, "Fehler bei der Puffer-Initialisierung !");
    s_.AktMax.at(static_cast<std::size_t>(n)) = AktMaxStart;
  }
}

void Viewer::DruckMitternacht() {
  s_.PrintDate = d_.uhr.Jetzt();
  try {
    tageswechsel_.GruppeDrucken(s_, d_);
  } catch (...) {
    d_.log.LogAll("Fo_Main : Fehler beim Tagesdruck");
  }
}

}  // namespace pegel
