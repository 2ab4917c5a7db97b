// The fixed texts of the history chart's logic, one named constant each. Texts with a
// number or a name in them are functions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "meldungstext.h"

namespace pegel::text {

inline constexpr Meldungstext GruppeNichtVorhanden{"Gruppe nicht in gewählter Datei vorhanden!"};
inline constexpr Meldungstext HistGrafikInitFehler{"Fehler bei der Grafik-Initialisierung !"};
inline constexpr Meldungstext PghGestern{
    "PGH-Datei für gestrige Daten nicht gefunden oder ungültig !"};
inline std::string PghHauptfenster(const std::string& datei) {
  return "PGH-Datei " + datei + Meldungstext{" nicht gefunden oder ungültig !"}.Ansi();
}
inline constexpr Meldungstext PghLesefehler{"Fo_MainGestern(PGH)"};
inline constexpr Meldungstext HauptfensterFehler8{"Fo_Main : Fehler 8"};
inline constexpr Meldungstext SkalierungTitel{"Grafik-Skalierung"};
inline constexpr Meldungstext UntereGrenzeFrage{"Untere Grenze ?"};
inline constexpr Meldungstext SkalenteilungFrage{"Skalenteilung ?"};

// Lines of the history chart's own loads, which say what was left out and why.
inline std::string MitgliederAusgelassen(std::int32_t gruppe, const std::vector<int>& parameter,
                                         std::int32_t itemcount) {
  std::string t = "HistoryGrafik : Gruppe " + std::to_string(gruppe) + ": Parameter ";
  for (std::size_t i = 0; i < parameter.size(); ++i) {
    if (i > 0) t += ", ";
    t += std::to_string(parameter[i]);
  }
  return t + " nicht in den Tagesdaten (" + std::to_string(itemcount) +
         " Parameter), nicht angezeigt.";
}
inline std::string GrafiktypAbgewiesen(std::int32_t parameter, std::int32_t typ) {
  return "HistoryGrafik : Parameter " + std::to_string(parameter) + " hat den Grafiktyp " +
         std::to_string(typ) + ", Grafik nicht geladen.";
}
inline std::string WerteUnvollstaendig(std::int32_t parameter, std::size_t werte,
                                       std::int32_t zeilen) {
  return "HistoryGrafik : Parameter " + std::to_string(parameter) + " hat " +
         std::to_string(werte) + " von " + std::to_string(zeilen) +
         " Werten, Grafik nicht geladen.";
}
inline std::string GrafikzahlAbgewiesen(std::size_t n) {
  return "HistoryGrafik : " + std::to_string(n) + " Grafiken, Grafik nicht geladen.";
}
inline std::string ZeilenFehlen(std::int32_t bis, std::size_t vorhanden) {
  return "HistoryGrafik : Zeile " + std::to_string(bis) + " nicht geladen (" +
         std::to_string(vorhanden) + " Zeilen), Gruppe nicht geladen.";
}
inline std::string TagNichtGeladen(const std::string& grund) {
  return "HistoryGrafik : Tag nicht geladen: " + grund;
}

}  // namespace pegel::text
