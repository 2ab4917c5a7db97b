#include "drucker_dialog.h"

#include "cp1252.h"
#include "ini_schluessel.h"
#include "text_format.h"

namespace pegel {
namespace {

using S = Schluessel;

void FaxMelden(Dienste& d) { d.meldungen.Info("Das Fax ist als Drucker nicht zugelassen !"); }

// The number of a size edit when it is a whole number.
std::optional<std::int32_t> Millimeter(const std::string& text) { return GanzzahlLesen(text); }

bool ImBereich(std::int32_t mm) { return mm >= MinDruckMm && mm <= MaxDruckMm; }

}  // namespace

void DruckerDialog::Zeigen(PegelStatus& s, Dienste& d) {
  dialogStart_ = true;
  const IniEinstellungen ini(s.Pfade.IniDatei, true);
  DruckerNr = ini.Lesen(S::DDE_Drucker);
  DruckerName = ini.Lesen(S::DDE_Druckername);
  Quer = ini.Lesen(S::PegelWart_Querformat);
  Standard = "Kein Drucker angeschlossen";
  Zeile = -1;
  try {
    Liste = d.drucker.Druckerliste();
  } catch (const std::exception& e) {
    d.log.LogAll(Ansi("Fo_Drucker : Druckerliste nicht lesbar: ") + e.what());
    Liste.clear();
  }
  if (Liste.empty()) {
    d.meldungen.Info("Es ist kein Drucker vorhanden !");
    DruckerNr = -2;
    return;
  }
  const DruckerWahl w = DruckerSuchen(DruckerNr, DruckerName, Liste);
  if (w.grund == DruckerGrund::Gleich || w.grund == DruckerGrund::Verschoben) Zeile = w.position;
  std::string standard;
  try {
    standard = d.drucker.StandardBeschreibung();
  } catch (const std::exception& e) {
    d.log.LogAll(Ansi("Fo_Drucker : Standarddrucker nicht lesbar: ") + e.what());
  }
  Standard = standard.empty() ? "Kein Drucker" : standard;
}

void DruckerDialog::Aktivieren(const PegelStatus& s) {
  if (!dialogStart_) return;
  dialogStart_ = false;
  const IniEinstellungen ini(s.Pfade.IniDatei, true);
  Quer = ini.Lesen(S::PegelWart_Querformat);
  Breite = ini.AlsText(S::PegelWart_Druckbreite);
  Hoehe = ini.AlsText(S::PegelWart_Druckhoehe);
}

void DruckerDialog::ZeileWaehlen(int zeile, Dienste& d) {
  if (zeile < 0 || zeile >= static_cast<int>(Liste.size())) return;
  Zeile = zeile;
  Anwenden(d);
}

void DruckerDialog::AusrichtungWaehlen(bool quer, Dienste& d) {
  Quer = quer;
  if (!dialogStart_) Anwenden(d);
}

void DruckerDialog::Anwenden(Dienste& d) {
  if (Zeile >= 0 && Zeile < static_cast<int>(Liste.size())) {
    DruckerNr = Zeile;
    DruckerName = Liste.at(static_cast<std::size_t>(Zeile));
    if (IstFax(DruckerName)) {
      FaxMelden(d);
      DruckerNr = -2;
      return;
    }
    DruckerSetzen(d, DruckerNr);
  }
  try {
    d.drucker.Ausrichtung(Quer);
    if (const auto mm = d.drucker.SeitengroesseMm()) {
      Breite = GanzText(mm->first);
      Hoehe = GanzText(mm->second);
    }
  } catch (const std::exception& e) {
    // The edits keep their sizes; the operator can type them.
    d.log.LogAll(Ansi("Fo_Drucker : Format nicht lesbar: ") + e.what());
  }
}

bool DruckerDialog::Sichern(PegelStatus& s, Dienste& d) {
  if (Zeile < 0 || Zeile >= static_cast<int>(Liste.size())) return true;
  const auto breite = Millimeter(Breite);
  const auto hoehe = Millimeter(Hoehe);
  if ((breite && !ImBereich(*breite)) || (hoehe && !ImBereich(*hoehe))) {
    d.meldungen.Info(Ansi("Höhe und Breite müssen zwischen ") + GanzText(MinDruckMm) + " und " +
                     GanzText(MaxDruckMm) + " mm liegen !");
    return false;
  }
  DruckerNr = Zeile;
  DruckerName = Liste.at(static_cast<std::size_t>(Zeile));
  if (IstFax(DruckerName)) {
    FaxMelden(d);
    DruckerNr = -2;
  }
  IniEinstellungen ini(s.Pfade.IniDatei, s.NurLesen);
  ini.Schreiben(S::DDE_Drucker, DruckerNr);
  ini.Schreiben(S::DDE_Druckername, DruckerName);
  ini.TextSchreiben(S::PegelWart_Druckbreite, Breite);
  ini.TextSchreiben(S::PegelWart_Druckhoehe, Hoehe);
  ini.Schreiben(S::PegelWart_Querformat, Quer);
  if (!ini.Speichern()) {
    d.meldungen.Fehler(Ansi("Die Druckereinstellungen konnten nicht in ") +
                       Utf8ZuCp1252(s.Pfade.IniDatei.filename().string()) +
                       Ansi(" gespeichert werden !"));
  }
  s.Druck.DruckerNr = DruckerNr;
  s.Druck.DruckerName = DruckerName;
  s.Druck.Querformat = Quer;
  s.Druck.Druckbreite = breite.value_or(S::PegelWart_Druckbreite.vorgabe);
  s.Druck.Druckhoehe = hoehe.value_or(S::PegelWart_Druckhoehe.vorgabe);
  DruckerSetzen(d, DruckerNr);
  return true;
}

bool DruckerVorDemDruck(const PegelStatus& s, Dienste& d) {
  const DruckerWahl w = DruckerSetzen(d, s.Druck.DruckerNr, s.Druck.DruckerName);
  if (!w.meldung.empty()) d.log.LogAll(w.meldung);
  return w.Erlaubt();
}

}  // namespace pegel
