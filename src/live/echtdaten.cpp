#include "echtdaten.h"

#include "cp1252.h"
#include "ini_datei.h"
#include "text_format.h"
#include "zeitachse.h"

namespace pegel::chart {

Echtdaten::Echtdaten(PegelStatus& s, Dienste& d, LiveGrafik& grafik, LiveTabelle& tabelle)
    : s_(s), d_(d), grafik_(grafik), tabelle_(tabelle) {}

bool Echtdaten::FormShow() {
  try {
    tabelle_.Text(0, 0, "Zeit");
    for (int j = 1; j <= s_.Itemcount && j < tabelle_.Spalten(); ++j) {
      const auto sj = static_cast<std::size_t>(j);
      tabelle_.Text(j, 0, s_.Itemnames.at(sj) + "  [" + s_.ItemDefs.at(sj).Einheit + "]");
    }
    if (tabelle_.Spalten() > 0) {
      tabelle_.Text(0, 1, "Mittelwert");
      tabelle_.Text(0, 2, "Minimum");
      tabelle_.Text(0, 3, "Maximum");
      tabelle_.Text(0, 4, "Anzahl");
    }
    tabelle_.Benachrichtigen();
  } catch (...) {
    // A table without columns (viewer never started) has no cells to label.
  }
  if (s_.AutoStartAktiv) {
    s_.AutoStartAktiv = false;
    return true;
  }
  return false;
}

void Echtdaten::btAuswahlClick(const std::vector<bool>& auswahl) {
  IniDatei ini(s_.IniDatei, s_.NurLesen);
  for (std::size_t i = 0; i < auswahl.size() && i < static_cast<std::size_t>(MaxItems); ++i) {
    s_.Grafikanzeige.at(i + 1) = auswahl[i];
    ini.SchreibeBool("Grafikanzeige", "Item" + std::to_string(i + 1), auswahl[i]);
  }
  if (!ini.Speichern()) {
    d_.meldungen.Fehler("Die Auswahl konnte nicht gespeichert werden: " + s_.IniDatei.string());
  }
}

void Echtdaten::EinheitenLesen(const std::vector<bool>& auswahl) {
  const IniDatei ini(s_.IniDatei, true);
  for (std::size_t i = 0; i < auswahl.size() && i < static_cast<std::size_t>(MaxItems); ++i) {
    const std::size_t j = i + 1;
    const std::string key = "Item" + std::to_string(j);
    s_.Grafikanzeige.at(j) = auswahl[i];
    std::string einheit = Gekuerzt(ini.LeseText("Einheiten", key, "-"), EinheitLaenge);
    einheit = Gekuerzt(ini.LeseText("GrafikEinheit", key, einheit), EinheitLaenge);
    s_.ItemDefs.at(j).Einheit = einheit;
    ItemSumme& summe = s_.ItemSummen.at(j);
    summe.GrafikSumEinheit =
        Gekuerzt(ini.LeseText("GrafikSumEinheit", key, einheit), EinheitLaenge);
    if (const auto t = ZahlLesen(ini.LeseText("GrafikSumTeiler", key, "1"))) {
      summe.GrafikSumTeiler = *t;
    }
  }
}

Echtdaten::Folge Echtdaten::btGrafikClick(const std::vector<bool>& auswahl, bool grafikSichtbar,
                                          const std::function<void(bool)>& zeichnen) {
  if (s_.WertPuffer.empty()) {
    d_.meldungen.Info("Fo_Echtdaten : DDE-Puffer wurde nicht initialisiert !");
    return Folge::Nichts;
  }
  const int schreibposition = s_.PufferZeiger - 5;
  if (grafikSichtbar) {
    if (!grafik_.LiveGrafikAktiv) return Folge::Nichts;
    grafik_.InitRefresh();
    int k = 0;
    for (int j = 1; j <= s_.Itemcount && j <= MaxItems; ++j) {
      const auto sj = static_cast<std::size_t>(j);
      if (!s_.Grafikanzeige.at(sj)) continue;
      ++k;
      try {
        if (k <= MaxGrafiken) {
          auto& texte = grafik_.seite.Anzeige.at(static_cast<std::size_t>(k)).Statistiktexte;
          for (std::size_t f = 1; f <= 8; ++f) texte.at(f) = s_.AktDaten.at(sj).at(f);
        }
        const auto& zeile = s_.WertPuffer.at(sj - 1);
        if (grafik_.RefreshGraf(k - 1, zeile, static_cast<int>(zeile.size()) - 1, schreibposition) <
            0) {
          throw std::out_of_range("Refresh");
        }
      } catch (...) {
        d_.log.LogAll("Fo_Echtdaten : Fehler beim Refresh von Item " + std::to_string(j) + " !");
        return Folge::Aufgefrischt;
      }
    }
    s_.TagWechsel = false;
    grafik_.FinishRefresh(zeichnen);
    return Folge::Aufgefrischt;
  }

  EinheitenLesen(auswahl);
  s_.AnzAnalog = 0;
  s_.AnzDigital = 0;
  for (int j = 1; j <= s_.Itemcount && j <= MaxItems; ++j) {
    const auto sj = static_cast<std::size_t>(j);
    if (!s_.Grafikanzeige.at(sj)) continue;
    if (s_.Grafiktyp.at(sj) == 1) ++s_.AnzAnalog;
    if (s_.Grafiktyp.at(sj) == 2) ++s_.AnzDigital;
  }
  const int n = s_.AnzAnalog + s_.AnzDigital;
  if (n < 1) {
    d_.meldungen.Info(Ansi("Bitte wählen Sie aus der Liste der Parameter !"));
    return Folge::Nichts;
  }
  grafik_.Schriftname = "Arial";
  ChartSeite& seite = grafik_.seite;
  int labels = s_.GanzerTag ? 12 : s_.Puffer;
  for (int teiler = 1; labels > 24;) {
    ++teiler;
    labels = s_.Puffer / teiler;
  }
  labels = std::max(labels, 1);
  seite.PunkteProLabel = std::max(1.0, static_cast<double>(s_.Puffer) / labels);
  seite.Zeitlabels.assign(static_cast<std::size_t>(labels) + 1, "");
  if (grafik_.InitGraf(n, schreibposition) < 0) {
    d_.meldungen.Info(
        Ansi("Sie haben mehr als " + std::to_string(MaxGrafiken) + " Grafiken ausgewählt !"));
    return Folge::Nichts;
  }
  if (s_.GanzerTag) InitTimeSkale(seite, s_.Puffer);
  if (!grafik_.ParameterUebernehmen(
          Ansi("Fo_Echtdaten : Fehler bei Übergabe der Statistik an das Grafikfenster !"))) {
    return Folge::Nichts;
  }
  try {
    d_.drucker.Ausrichtung(true);
  } catch (...) {
  }
  return Folge::GrafikZeigen;
}

bool Echtdaten::TimerRefreshFaellig() {
  if (!grafik_.LiveGrafikAktiv || !s_.Lesen_Fertig || s_.PufferZeiger == LetzterZeiger) {
    return false;
  }
  // After the reset at the change of day no slot is the newest yet; the fixed window
  // could not place it, and the failed refresh would stop the chart for good.
  if (s_.PufferZeiger < 5) return false;
  LetzterZeiger = s_.PufferZeiger;
  return true;
}

}  // namespace pegel::chart
