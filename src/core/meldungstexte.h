// The fixed texts that core shows in message boxes and writes to the event log, one named
// constant each. Texts with a number or a name in them are functions.
#pragma once

#include <cstdint>
#include <string>

#include "meldungstext.h"

namespace pegel::text {

// ---- the ring and the day statistics ----
inline constexpr Meldungstext PufferNichtAngelegt{
    "DDE-Speicher(1) kann nicht initialisiert werden !"};
inline std::string SpalteNichtAngelegt(std::int32_t n) {
  return "DDE-Speicher (Item=" + std::to_string(n) + ") kann nicht initialisiert werden !";
}
// The reset at program start, at the change of day and when the day so far is loaded.
inline constexpr Meldungstext PufferResetMain{"Fo_Main : Fehler bei der Puffer-Initialisierung !"};
// The reset of the menu "Statistik initialisieren".
inline constexpr Meldungstext PufferResetMenue{"Fehler bei der Puffer-Initialisierung !"};

// ---- start and stop ----
inline constexpr Meldungstext StartVerweigert{
    "Fehlerhafte Konfiguration ! PegelWart wird nicht gestartet."};
inline constexpr Meldungstext KeinPufferAngelegt{
    "Kein Datenpuffer angelegt: bitte das Programm neu starten."};
inline constexpr Meldungstext ViewerGestartet{"Viewer gestartet."};
inline constexpr Meldungstext OhneAlteDaten{
    "PEGELDDE.INI > [Grafik] AlteDaten=0, alte Daten nicht gelesen."};
inline constexpr Meldungstext WeiterArbeiten{"Datenanzeige weiter arbeiten lassen ?"};
inline constexpr Meldungstext KeinAusdruck{
    "Achtung: Bei gestoppter Anzeige erfolgt kein automatischer Ausdruck !"};
inline constexpr Meldungstext ViewerGestoppt{"Viewer gestoppt."};
inline constexpr Meldungstext TagesdruckFehler{"Fo_Main : Fehler beim Tagesdruck"};

// ---- the polling pass ----
inline constexpr Meldungstext LesenNichtFertig{"TimerSampleTimer : Lesen_Fertig=FALSE"};
inline constexpr Meldungstext LockTimeOut{"SampleFile-Lock : TimeOut."};
inline constexpr Meldungstext DurchlaufFehler{"TimerSampleTimer : Fehler"};
inline constexpr Meldungstext PghUngueltig{
    "PGH-Datei für diese Messung nicht gefunden oder ungültig !"};
inline constexpr Meldungstext UmbenennenEchtzeit{
    "Fo_Main : Fehler beim Umbenennen der Echtzeit-Datei !"};
inline constexpr Meldungstext Fehler3a{"Fo_Main : Fehler 3a"};
inline constexpr Meldungstext Fehler3b{"Fo_Main : Fehler 3b"};
inline constexpr Meldungstext Fehler3{"Fo_Main : Fehler 3"};
inline constexpr Meldungstext LesenFehler2{"Fo_Main : Fehler beim Lesen (2)"};
inline constexpr Meldungstext Ausnahme2{"Fo_Main : Exception (2)"};
inline constexpr Meldungstext ZeileOhneZeit{"Fo_Main : Zeile ohne gültige Zeit übersprungen: "};
inline std::string NichtGeloescht(const std::string& datei) {
  return "Fo_Main : Kann Datei " + datei + Meldungstext{" nicht löschen !"}.Ansi();
}
inline std::string Spaltenzahl(std::int32_t kopf, std::int32_t spalten) {
  return "Parameterzahl in PGH-Datei (" + std::to_string(kopf) +
         ") <> Spaltenzahl der Messdatei (" + std::to_string(spalten) + ")";
}
inline std::string Fehlversuche(int n) { return "eCount=" + std::to_string(n); }
inline std::string UmbenennenAktDat(const std::string& datei) {
  return "Fehler beim Umbenennen von " + datei;
}
inline std::string AktDatFehler(const std::string& datei) {
  return "Fehler bei Abarbeitung von " + datei;
}
inline constexpr Meldungstext AlteDatenGelesen{"Alte Tagesdaten gelesen."};
inline std::string AlteDatenEinlesen(const std::string& langesDatum) {
  return "Alte Tagesdaten einlesen am " + langesDatum;
}
inline constexpr Meldungstext AlteDatenFehler{"Fo_Main : Fehler beim Lesen der alten Tagesdaten"};

// ---- the chart hand-overs (live table, history browser) ----
inline std::string ZuVieleGrafiken(int max) {
  return "Sie haben mehr als " + std::to_string(max) +
         Meldungstext{" Grafiken ausgewählt !"}.Ansi();
}

// ---- the configuration ----
inline constexpr Meldungstext V5Gelesen{"PegelWart_V5.ini wurde gelesen !"};
inline std::string Drucker(const std::string& name, std::int32_t nr) {
  return "Drucker: " + name + " Nummer = " + std::to_string(nr);
}
inline std::string ZuVieleItems(int max) {
  return "Sie haben mehr als " + std::to_string(max) + " DDE-Items definiert !";
}
inline std::string ItemsNachNeustart(std::int32_t itemcount, std::int32_t zeilen) {
  return "DDE-Itemcount " + std::to_string(itemcount) + " > " + std::to_string(zeilen) +
         Meldungstext{" angelegte Parameter: Parameter "}.Ansi() + std::to_string(zeilen + 1) +
         " bis " + std::to_string(itemcount) + " erst nach einem Neustart.";
}
inline std::string ItemFehlt(int n) { return "DDE-Item Nr." + std::to_string(n) + " fehlt !"; }
inline constexpr Meldungstext KeineItems{"Keine DDE-Items definiert !"};
inline constexpr Meldungstext ItemsAusPgh{"DDE-Items aus PGH-Datei bestimmen ?"};
inline constexpr Meldungstext PghFilter{"Headerdatei [*.pgh]|*.pgh"};
inline constexpr Meldungstext PghFehlerhaft{"PGH-Datei für diese Messung fehlerhaft !"};
inline constexpr Meldungstext IniFehler{"Fehler beim Lesen der .INI-Datei !"};
// The log line beside it, followed by the key and the reason.
inline constexpr Meldungstext IniFehlerGrund{"Fehler beim Lesen der .INI-Datei: "};
inline constexpr Meldungstext IstZuGross{" ist zu groß"};
inline std::string IniNichtGeschrieben(const std::string& datei) {
  return "INI-Datei " + datei + " konnte nicht geschrieben werden !";
}
inline std::string SkalaNichtGefunden(const std::string& sektion, const std::string& name) {
  return "*** " + sektion + " / " + name + " : Min/MaxForUser nicht gefunden.";
}
inline std::string Skala(const std::string& sektion, const std::string& name,
                         const std::string& min, const std::string& max) {
  return sektion + " / " + name + " : Min/Max-Skalierung = " + min + "/" + max;
}
inline constexpr Meldungstext UndefiniertesIntervall{"Undefiniertes Intervall !"};
inline std::string ZuVielePunkte(std::int64_t punkte, int max) {
  return Meldungstext{"Benötigte Punktzahl ("}.Ansi() + std::to_string(punkte) +
         ") > Anzahl darstellbarer Punkte (" + std::to_string(max) + ") !";
}
inline constexpr Meldungstext MainIniFehler{"Main : Fehler beim Lesen der .INI-Datei !"};
inline constexpr Meldungstext DruckerInstallieren{"Bitte installieren Sie einen Drucker !"};

// ---- the display settings dialog ----
inline constexpr Meldungstext Neustart{"Sie müssen das Programm jetzt neu starten."};
inline std::string EinstellungenNichtGespeichert(const std::string& datei) {
  return "Die Einstellungen konnten nicht gespeichert werden: " + datei;
}

}  // namespace pegel::text
