// The program-wide state: the parameter table, the buffers, the settings, the paths and
// the run-state. The application owns one PegelStatus and hands it by reference to
// whoever needs it; a test builds its own. Per-parameter tables are indexed 1..MaxItems
// (slot 0 unused) so that parameter n is entry n. Indices that come from files or
// settings are accessed with at().
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "gitter.h"
#include "grenzen.h"
#include "text_format.h"

namespace pegel {

inline constexpr double MinimumStart = 99999.0;
inline constexpr double MaximumStart = -99999.0;
inline constexpr double AktMaxStart = -1.0;
inline constexpr int MaxGruppen = 20;
inline constexpr int MaxPuffer = 480;  // longest buffer the settings dialog offers

// Capacities of the short strings of ItemDef and ItemSumme; longer input is cut.
inline constexpr std::size_t ItemLaenge = 30;
inline constexpr std::size_t EinheitLaenge = 10;

struct ItemDef {
  std::string Item;      // at most 30 characters
  std::string Itemname;  // at most 30 characters
  std::string Einheit;   // at most 10 characters
  std::int32_t GrafikRef = 0;
  std::int32_t Grafiktyp = 0;
  double UpLimit = 0;
  double LoLimit = 0;
};

struct ItemGrenzen {
  double Minimum = MinimumStart;
  double Maximum = MaximumStart;
  double Mittelwert = 0;
  double UpLimit = 0;
  double LoLimit = 0;
  double UpWarn = 0;
  double LoWarn = 0;
  double Anzahl = 0;  // analog: accepted values today; digital: hours in state on
  // Accepted values today of either type: the first one becomes Minimum and Maximum,
  // whatever the start values and the limits are.
  std::int64_t Angenommen = 0;
  std::int32_t ColorWarn = 0;
  std::int32_t ColorNorm = 0;
  double MinSkal = 0;
  double MaxSkal = 0;
};

struct ItemSumme {
  double GrafikSumTeiler = 1.0;
  std::string GrafikSumEinheit;  // at most 10 characters
};

using WertSpeicher = std::vector<std::vector<double>>;
using GrafSpeicher = std::vector<std::vector<double>>;

// The header of one stored day.
struct Kopfdaten {
  struct Parameter {
    std::string Name;
    std::int32_t Grafiktyp = 0;
    std::int32_t GrafikRef = 0;
    std::string Einheit;
  };
  std::int32_t Itemcount = 0;
  std::array<Parameter, MaxItems + 1> Par{};  // 1..MaxItems
  std::int32_t IntervallZahl = 0;
  std::string IntervallEinheit;
};

// One parameter group as held in memory (the file record is 756 bytes).
struct TGruppe {
  std::array<std::int32_t, MaxItems> Mitglieder{};  // members first, then 0
  std::string Name;                                 // at most 30 characters
  std::int32_t Mitgliederzahl = 0;
  bool Drucken = false;
};

// The controls of the display settings dialog as the configuration loader fills them.
struct EinstellWerte {
  std::int32_t spIntervall = 10;  // 1..59
  std::int32_t coIntervall = 0;   // -1 none, 0 "Sekunde(n)", 1 "Minute(n)"
  std::int32_t spPuffer = 60;     // 1..480
  bool spPufferAktiv = false;
  std::int32_t spAndere = 2;    // 2..60
  std::int32_t coStunden = -1;  // -1 none, 0..8
  bool cbGanzerTag = false;
  bool cbMitCursor = false;
  bool cbAutoStart = true;
  std::string lbInterval;
  std::string lbEinheit;
  std::string lbItems;
};

struct PegelStatus {
  // ---- parameter table (1..MaxItems) ----
  std::array<std::string, MaxItems + 1> Items{};
  std::array<std::string, MaxItems + 1> Itemnames{};
  std::array<ItemDef, MaxItems + 1> ItemDefs{};
  std::array<ItemGrenzen, MaxItems + 1> ItemWerte{};
  std::array<ItemSumme, MaxItems + 1> ItemSummen{};
  std::array<bool, MaxItems + 1> Grafikanzeige{};
  std::array<std::int32_t, MaxItems + 1> GrafikRef{};
  std::array<std::int32_t, MaxItems + 1> Grafiktyp{};
  std::array<std::array<std::string, 9>, MaxItems + 1> AktDaten{};  // fields 1..8
  std::array<double, MaxItems + 1> AktMax{};
  // The display names in parameter order, shown by the three parameter lists.
  std::vector<std::string> ItemListe;
  std::int32_t AnzAnalog = 0;
  std::int32_t AnzDigital = 0;

  // ---- buffers ----
  WertSpeicher WertPuffer;
  std::vector<TDateTime> ZeitPuffer;
  std::int32_t PufferZeiger = 4;  // 4 = empty; newest slot = PufferZeiger - 5

  // ---- settings ----
  std::int32_t Itemcount = 0;
  std::int32_t DDEIntervall = 0;
  std::int32_t DDEIntervallMs = 0;
  std::int32_t DDEIntervallWert = 0;
  std::int32_t DDEEinheit = 0;
  std::int32_t GrafikIntervall = 0;
  std::int32_t GrafikIntervallEinheit = 0;
  std::int32_t Puffer = 0;
  bool AutoStartAktiv = false;
  bool FehlerLog = false;
  bool AlteDaten = false;
  std::int32_t Textrand = 0;
  std::uint8_t PR = 12;
  std::uint8_t NK = 3;
  bool Querformat = true;
  std::int32_t Druckbreite = 284;
  std::int32_t Druckhoehe = 199;
  bool GanzerTag = false;
  bool MitCursor = false;
  std::int32_t DruckerNr = -1;
  std::string DruckerName;

  // ---- paths ----
  std::filesystem::path ProgDir;
  std::filesystem::path IniDatei;
  std::filesystem::path GruppenDatei;
  std::filesystem::path AktDatDatei;
  std::filesystem::path SampleDatei;

  // ---- run-state ----
  TDateTime Heute = 0;
  TDateTime PrintDate = 0;
  TDateTime LetzterLauf = 0;
  int Jahr = 0;
  int Monat = 0;
  int Tag = 0;
  bool Lesen_Fertig = true;
  bool KonfigOK = false;
  bool TagWechsel = false;
  std::int32_t Durchlaeufe = 0;
  std::int32_t TabellenZeile = 4;
  std::int32_t AktItem = 0;
  std::string LetzteZeit;
  double IntervallStunden = 0;

  // ---- stored days ----
  Kopfdaten TagKopf;
  Kopfdaten HistKopf;
  std::int32_t Messintervall = 0;  // ms, written by every header reader
  std::int32_t Spaltenzahl = 0;
  gitter DatenGitter;  // the cells of the day loaded last

  // ---- groups ----
  std::array<TGruppe, MaxGruppen + 1> GruppenTabelle{};  // 1..20
  std::int32_t GruppenAnzahl = 0;  // records read from the group file at launch
  std::int32_t AktGruppe = 0;      // group last chosen in a chart window, 0 = none

  // ---- display settings dialog, as the loader fills it ----
  EinstellWerte Einstell;
  std::int32_t TimerSampleMs = 10000;  // period of the polling timer

  // Tools that must not change a plant directory set this: INI writes stay in memory,
  // the group file is neither converted nor deleted and the log file is not written.
  bool NurLesen = false;

  PegelStatus();

  // The ring as allocated when the main window was first shown: it keeps its length and its
  // rows for the whole run, whatever the INI file says later (0 while not allocated).
  std::int32_t PufferLaenge() const { return static_cast<std::int32_t>(ZeitPuffer.size()); }
  std::int32_t PufferZeilen() const { return static_cast<std::int32_t>(WertPuffer.size()); }
  bool PufferAngelegt() const { return !WertPuffer.empty() && !ZeitPuffer.empty(); }

  // Fixes the paths of all files in the program directory.
  void PfadeSetzen(const std::filesystem::path& progDir);
  // The run-state at program start: Lesen_Fertig, PufferZeiger, TabellenZeile, TagWechsel,
  // Heute and PrintDate.
  void ProgrammStart(TDateTime jetzt);
};

// Cuts a text to a fixed capacity.
std::string Gekuerzt(const std::string& text, std::size_t laenge);

}  // namespace pegel
