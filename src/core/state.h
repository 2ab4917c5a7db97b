// The program-wide state. The application owns one PegelStatus and hands it by reference to
// whoever needs it; a test builds its own. It is made of parts that say what they hold and
// who writes them:
// - the parameter table (Par()): written only by the configuration module;
// - the chart selection, the day statistics and the collector's current texts, per
//   parameter, written by the live table, the polling and the loader;
// - the ring buffer of the live display;
// - small structs of settings (collector interval, live display, print, formats), written by
//   the loader and the settings dialogs;
// - the run-state of the polling, the stored-day state, the groups and the display settings
//   dialog's controls.
// Per-parameter arrays are indexed 1..MaxItems (slot 0 unused) so that parameter n is entry
// n; indices that come from files or settings are accessed with at().
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "gitter.h"
#include "grenzen.h"
#include "parameter.h"
#include "ring.h"
#include "tageskopf.h"
#include "text_format.h"

namespace pegel {

inline constexpr double MinimumStart = 99999.0;
inline constexpr double MaximumStart = -99999.0;
inline constexpr double AktMaxStart = -1.0;
inline constexpr int MaxGruppen = 20;
inline constexpr int MaxPuffer = 480;  // longest buffer the settings dialog offers

template <class T>
using JeParameter = std::array<T, MaxItems + 1>;

// The statistics of one parameter over the current day, kept by the polling.
struct TagesStatistik {
  double Minimum = MinimumStart;
  double Maximum = MaximumStart;
  double Mittelwert = 0;  // running mean of the accepted analog values
  double Anzahl = 0;      // analog: accepted values today; digital: hours in state on
  // Accepted values today of either type: the first one becomes Minimum and Maximum,
  // whatever the start values and the limits are.
  std::int64_t Angenommen = 0;
};

// The collector's current texts from AKTDAT.PGV, written by the polling.
struct SammlerTexte {
  JeParameter<std::array<std::string, 9>> AktDaten{};  // fields 1..8
  JeParameter<double> AktMax{};                        // highest field 5 seen today
  SammlerTexte() { AktMax.fill(AktMaxStart); }
};

// Which parameters the charts show: the live table's selection, or the members of the group
// chosen last.
struct ChartAuswahl {
  JeParameter<bool> Grafikanzeige{};
  std::int32_t AnzAnalog = 0;  // counts of the selection by type
  std::int32_t AnzDigital = 0;
  std::int32_t AktGruppe = 0;  // group last chosen in a chart window, 0 = none
};

// The collector's sampling interval ([DDE] Intervall and Einheit), read by the loader.
struct SammlerTakt {
  std::int32_t DDEIntervall = 0;  // seconds
  std::int32_t DDEIntervallMs = 0;
  std::int32_t DDEIntervallWert = 0;  // as written
  std::int32_t DDEEinheit = 0;        // 0 seconds, 1 minutes
};

// The live display's settings ([Grafik], [PegelWart] Textrand), read by the loader and the
// display settings dialog; GanzerTag and MitCursor are taken from the dialog at Start.
struct AnzeigeEinstellungen {
  std::int32_t GrafikIntervall = 0;  // polling period and its unit (0 seconds, 1 minutes)
  std::int32_t GrafikIntervallEinheit = 0;
  std::int32_t TimerSampleMs = 10000;  // period of the polling timer
  std::int32_t Puffer = 0;             // buffer length to allocate; the ring keeps what it got
  bool AutoStartAktiv = false;
  bool FehlerLog = false;  // the conditional log writer writes
  // Load today's day file at Start; also the polling's one-shot marker that keeps the first
  // pass from resetting what was loaded.
  bool AlteDaten = false;
  std::int32_t Textrand = 0;  // extra indent of chart texts
  bool GanzerTag = false;
  bool MitCursor = false;
};

// The printer and the printed page ([DDE] Drucker, Druckername, [PegelWart]).
struct DruckEinstellungen {
  std::int32_t DruckerNr = -1;  // -2 none allowed, -1 system default, else list position
  std::string DruckerName;
  bool Querformat = true;
  std::int32_t Druckbreite = 284;  // mm
  std::int32_t Druckhoehe = 199;   // mm
};

// Number formats of the value table ([Formate]).
struct ZahlFormate {
  std::uint8_t PR = 12;
  std::uint8_t NK = 3;
};

// The files of the program directory.
struct Dateipfade {
  std::filesystem::path ProgDir;
  std::filesystem::path IniDatei;  // PEGELDDE.INI, or PegelWart_V5.ini after the switch
  std::filesystem::path GruppenDatei;
  std::filesystem::path AktDatDatei;
};

// The run-state of the polling passes (and of Start, which begins them).
struct AbfrageZustand {
  TDateTime Heute = 0;
  TDateTime PrintDate = 0;
  TDateTime LetzterLauf = 0;
  int Jahr = 0;
  int Monat = 0;
  int Tag = 0;
  std::filesystem::path SampleDatei;
  bool Lesen_Fertig = true;  // no pass running: others may read the ring
  bool TagWechsel = false;   // a day change happened; the live table clears it
  std::int32_t Durchlaeufe = 0;
  std::int32_t TabellenZeile = 4;  // row of the live table's sample ring
  std::int32_t AktItem = 0;
  std::string LetzteZeit;
  double IntervallStunden = 0;
};

// The stored day loaded last and the header readers' results.
struct TagesDaten {
  Kopfdaten TagKopf;
  Kopfdaten HistKopf;
  std::int32_t Messintervall = 0;  // ms, written by every header reader
  std::int32_t Spaltenzahl = 0;
  gitter DatenGitter;  // the cells of the day loaded last
};

// One parameter group as held in memory (the file record is 756 bytes).
struct TGruppe {
  std::array<std::int32_t, MaxItems> Mitglieder{};  // members first, then 0
  std::string Name;                                 // at most 30 characters
  std::int32_t Mitgliederzahl = 0;
  bool Drucken = false;
};

struct GruppenDaten {
  std::array<TGruppe, MaxGruppen + 1> GruppenTabelle{};  // 1..20
  std::int32_t GruppenAnzahl = 0;  // records read from the group file at launch
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

class PegelStatus {
 public:
  // The parameter table; ParameterSchreiber is its writer.
  const ParameterTabelle& Par() const { return par_; }

  ChartAuswahl Auswahl;
  JeParameter<TagesStatistik> Statistik{};
  SammlerTexte Sammler;
  Ringpuffer Ring;

  SammlerTakt Takt;
  AnzeigeEinstellungen Anzeige;
  DruckEinstellungen Druck;
  ZahlFormate Formate;
  Dateipfade Pfade;

  AbfrageZustand Abfrage;
  bool KonfigOK = false;
  TagesDaten Tage;
  GruppenDaten Gruppen;
  EinstellWerte Einstell;

  // Tools that must not change a plant directory set this: INI writes stay in memory,
  // the group file is neither converted nor deleted and the log file is not written.
  bool NurLesen = false;

  // Fixes the paths of all files in the program directory.
  void PfadeSetzen(const std::filesystem::path& progDir);
  // The run-state at program start: Lesen_Fertig, the empty ring, TabellenZeile, TagWechsel,
  // Heute and PrintDate.
  void ProgrammStart(TDateTime jetzt);

 private:
  friend class ParameterSchreiber;
  ParameterTabelle par_;
};

}  // namespace pegel
