// The fixed texts of the live windows' logic, one named constant each.
#pragma once

#include <string>

#include "meldungstext.h"

namespace pegel::text {

// ---- the live table (hand-over and refresh) ----
inline constexpr Meldungstext PufferNichtInitialisiert{
    "Fo_Echtdaten : DDE-Puffer wurde nicht initialisiert !"};
inline constexpr Meldungstext BitteWaehlen{"Bitte wählen Sie aus der Liste der Parameter !"};
inline constexpr Meldungstext UebergabeFehler{
    "Fo_Echtdaten : Fehler bei Übergabe der Statistik an das Grafikfenster !"};
inline std::string RefreshFehler(int j) {
  return "Fo_Echtdaten : Fehler beim Refresh von Item " + std::to_string(j) + " !";
}
inline std::string AuswahlNichtGespeichert(const std::string& datei) {
  return "Die Auswahl konnte nicht gespeichert werden: " + datei;
}
inline constexpr Meldungstext QuerformatFehler{"Fo_Echtdaten : Querformat nicht gesetzt: "};

// ---- the live chart ----
inline constexpr Meldungstext GrafikspeicherInit{
    "Echtzeitgrafik : Fehler bei Grafikspeicher-Init."};
inline constexpr Meldungstext GrafikspeicherInit2{
    "Echtzeitgrafik : Fehler bei Grafikspeicher-Init.(2)"};
inline constexpr Meldungstext GrafikspeicherRefresh{
    "Fo_Tagesgrafik : Fehler bei Grafikspeicher-Refresh(2)"};
inline constexpr Meldungstext FestEndNull{"Fo_Tagesgrafik IntervallChecken : FestEnd=0"};
inline constexpr Meldungstext PaintClosing{"Fo_Tagesgrafik: FormPaint : Closing"};
inline constexpr Meldungstext PaintDruckAktiv{"Fo_Tagesgrafik: FormPaint : DruckAktiv"};
inline constexpr Meldungstext PaintRefreshing{"Fo_Tagesgrafik: FormPaint : Refreshing"};
inline constexpr Meldungstext ResizeClosing{"Fo_Tagesgrafik: FormResize : Closing"};
inline constexpr Meldungstext ResizeDruckAktiv{"Fo_Tagesgrafik: FormResize : DruckAktiv"};
inline constexpr Meldungstext ResizeRefreshing{"Fo_Tagesgrafik: FormResize : Refreshing"};
inline constexpr Meldungstext GrafikInitFehler{"Fehler bei der Grafik-Initialisierung !"};
inline constexpr Meldungstext UngueltigesZeitintervall{"Ungültiges Zeitintervall !"};
inline std::string Tageswechsel(const std::string& t, const std::string& anfang) {
  return "IntervallChecken : Tageswechsel : " + t + " < " + anfang;
}
inline std::string SkalaNeu(const std::string& anfang, const std::string& ende) {
  return "IntervallChecken : Skala neu : " + anfang + ".." + ende;
}
inline std::string AnzeigeVonBis(int von, int bis) {
  return "Anzeige von " + std::to_string(von) + " bis " + std::to_string(bis);
}

}  // namespace pegel::text
