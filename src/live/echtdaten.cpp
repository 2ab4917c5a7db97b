#include "echtdaten.h"

#include "ini_schluessel.h"
#include "konfiguration.h"
#include "live_texte.h"
#include "meldungstexte.h"
#include "spannen.h"
#include "text_format.h"

namespace pegel::live {

Echtdaten::Echtdaten(PegelStatus& s, Dienste& d, LiveGrafik& grafik, LiveTabelle& tabelle)
    : s_(s), d_(d), grafik_(grafik), tabelle_(tabelle) {}

bool Echtdaten::FormShow() {
  // A table without columns (the viewer never started) has no cells to label.
  if (tabelle_.Spalten() > 0) {
    tabelle_.Text(0, 0, "Zeit");
    for (int j = 1; j <= s_.Par().Itemcount() && j < tabelle_.Spalten(); ++j) {
      const Parameter& p = s_.Par().at(j);
      tabelle_.Text(j, 0, p.Itemname + "  [" + p.Einheit + "]");
    }
    tabelle_.Text(0, 1, "Mittelwert");
    tabelle_.Text(0, 2, "Minimum");
    tabelle_.Text(0, 3, "Maximum");
    tabelle_.Text(0, 4, "Anzahl");
    tabelle_.Benachrichtigen();
  }
  if (s_.Anzeige.AutoStartAktiv) {
    s_.Anzeige.AutoStartAktiv = false;
    return true;
  }
  return false;
}

void Echtdaten::btAuswahlClick(const std::vector<bool>& auswahl) {
  IniEinstellungen ini(s_.Pfade.IniDatei, s_.NurLesen);
  for (std::size_t i = 0; i < auswahl.size() && i < static_cast<std::size_t>(MaxItems); ++i) {
    s_.Auswahl.Grafikanzeige.at(i + 1) = auswahl[i];
    ini.Schreiben(Schluessel::Grafikanzeige, auswahl[i], static_cast<int>(i + 1));
  }
  if (!ini.Speichern())
    d_.meldungen.Fehler(text::AuswahlNichtGespeichert(s_.Pfade.IniDatei.string()));
}

void Echtdaten::AuswahlUebernehmen(const std::vector<bool>& auswahl) {
  for (std::size_t i = 0; i < auswahl.size() && i < static_cast<std::size_t>(MaxItems); ++i) {
    s_.Auswahl.Grafikanzeige.at(i + 1) = auswahl[i];
  }
  // The units as the file says now, with the loader's rules.
  EinheitenLesen(s_, static_cast<int>(std::min<std::size_t>(auswahl.size(), MaxItems)));
}

Echtdaten::Folge Echtdaten::btGrafikClick(const std::vector<bool>& auswahl, bool grafikSichtbar,
                                          const std::function<void(Seitenart)>& zeichnen) {
  if (s_.Ring.Zeilen() == 0) {
    d_.meldungen.Info(text::PufferNichtInitialisiert);
    return Folge::Nichts;
  }
  const int schreibposition = s_.Ring.NeuesterSlot();
  if (grafikSichtbar) {
    if (!grafik_.LiveGrafikAktiv) return Folge::Nichts;
    grafik_.InitRefresh();
    int k = 0;
    for (int j = 1; j <= s_.Par().Itemcount() && j <= MaxItems; ++j) {
      const auto sj = static_cast<std::size_t>(j);
      if (!s_.Auswahl.Grafikanzeige.at(sj)) continue;
      ++k;
      try {
        if (k <= chart::MaxGrafiken) {
          auto& texte = grafik_.seite.Anzeige.at(static_cast<std::size_t>(k)).Statistiktexte;
          for (std::size_t f = 1; f <= 8; ++f) texte.at(f) = s_.Sammler.AktDaten.at(sj).at(f);
        }
        const auto& zeile = s_.Ring.Zeile(j);
        if (grafik_.RefreshGraf(k - 1, zeile, static_cast<int>(zeile.size()) - 1, schreibposition) <
            0) {
          throw std::out_of_range("Refresh");
        }
      } catch (const std::exception&) {
        d_.log.LogAll(text::RefreshFehler(j));
        return Folge::Aufgefrischt;
      }
    }
    s_.Abfrage.TagWechsel = false;
    grafik_.FinishRefresh(zeichnen);
    return Folge::Aufgefrischt;
  }

  AuswahlUebernehmen(auswahl);
  s_.Auswahl.AnzAnalog = 0;
  s_.Auswahl.AnzDigital = 0;
  for (int j = 1; j <= s_.Par().Itemcount() && j <= MaxItems; ++j) {
    const auto sj = static_cast<std::size_t>(j);
    if (!s_.Auswahl.Grafikanzeige.at(sj)) continue;
    if (s_.Par().at(j).Typ == Grafiktyp::Analog) ++s_.Auswahl.AnzAnalog;
    if (s_.Par().at(j).Typ == Grafiktyp::Digital) ++s_.Auswahl.AnzDigital;
  }
  const int n = s_.Auswahl.AnzAnalog + s_.Auswahl.AnzDigital;
  if (n < 1) {
    d_.meldungen.Info(text::BitteWaehlen);
    return Folge::Nichts;
  }
  grafik_.Schriftname = "Arial";
  ChartSeite& seite = grafik_.seite;
  const int laenge = s_.Ring.Laenge();
  int labels = s_.Anzeige.GanzerTag ? LabelsJeSpanne : laenge;
  for (int teiler = 1; labels > 24;) {
    ++teiler;
    labels = laenge / teiler;
  }
  labels = std::max(labels, 1);
  seite.PunkteProLabel = std::max(1.0, static_cast<double>(laenge) / labels);
  seite.Zeitlabels.assign(static_cast<std::size_t>(labels) + 1, "");
  if (grafik_.InitGraf(n, schreibposition) < 0) {
    d_.meldungen.Info(text::ZuVieleGrafiken(chart::MaxGrafiken));
    return Folge::Nichts;
  }
  if (s_.Anzeige.GanzerTag) InitTimeSkale(seite, grafik_.fenster, laenge);
  if (!grafik_.ParameterUebernehmen(text::UebergabeFehler)) return Folge::Nichts;
  try {
    d_.drucker.Ausrichtung(true);
  } catch (const std::exception& e) {
    // The chart opens without a printer too; printing then says so.
    d_.log.LogFehler(text::QuerformatFehler.Ansi() + e.what());
  }
  return Folge::GrafikZeigen;
}

bool Echtdaten::TimerRefreshFaellig() {
  if (!grafik_.LiveGrafikAktiv || !s_.Abfrage.Lesen_Fertig || s_.Ring.Zaehler() == LetzterZeiger) {
    return false;
  }
  // After the reset at the change of day no slot is the newest yet; the fixed window
  // could not place it, and the failed refresh would stop the chart for good.
  if (s_.Ring.Leer()) return false;
  LetzterZeiger = s_.Ring.Zaehler();
  return true;
}

}  // namespace pegel::live
