// Every key of the INI file that the program reads or writes, with its section, type,
// default and limits, and the one way to read and write them (IniEinstellungen). A key is
// a handle defined here and nowhere else: the handle types can only be made by the table
// (struct Schluessel), and the INI engine (ini_datei.h) is included by no other source file,
// which a test of the project checks. Per-parameter keys live in one section per property
// with the key "Item{n}"; the user scale lives in one section "Item_{n}" per parameter.
#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pegel {

class IniDatei;

// Which keys a handle stands for.
enum class Je {
  Einzeln,    // one key: [sektion] name
  Parameter,  // [sektion] Item{n} for parameter n
  Skala,      // [Item_{n}] name for parameter n
};

// What a read integer outside min..max becomes.
enum class Grenzregel {
  Keine,    // it stays; the reader decides (the table documents the range)
  Klemmen,  // the nearest limit
  Vorgabe,  // the default
};

// An integer key (decimal; a text that is no Int32 reads as the default).
class GanzSchluessel {
 public:
  std::string_view sektion;
  std::string_view name;
  std::int32_t vorgabe;
  std::int32_t min;
  std::int32_t max;
  Grenzregel regel;
  Je je;
  constexpr bool Enthaelt(std::int64_t v) const { return v >= min && v <= max; }

 private:
  friend struct Schluessel;
  constexpr GanzSchluessel(std::string_view s, std::string_view n, std::int32_t v,
                           std::int32_t mi = std::numeric_limits<std::int32_t>::min(),
                           std::int32_t ma = std::numeric_limits<std::int32_t>::max(),
                           Grenzregel r = Grenzregel::Keine, Je j = Je::Einzeln)
      : sektion(s), name(n), vorgabe(v), min(mi), max(ma), regel(r), je(j) {}
};

// A Boolean key: an integer, non-zero = true; written as 1 or 0.
class BoolSchluessel {
 public:
  std::string_view sektion;
  std::string_view name;
  bool vorgabe;
  Je je;

 private:
  friend struct Schluessel;
  constexpr BoolSchluessel(std::string_view s, std::string_view n, bool v, Je j = Je::Einzeln)
      : sektion(s), name(n), vorgabe(v), je(j) {}
};

// A text key, taken as stored (Windows-1252).
class TextSchluessel {
 public:
  std::string_view sektion;
  std::string_view name;
  std::string_view vorgabe;
  Je je;

 private:
  friend struct Schluessel;
  constexpr TextSchluessel(std::string_view s, std::string_view n, std::string_view v,
                           Je j = Je::Einzeln)
      : sektion(s), name(n), vorgabe(v), je(j) {}
};

// A number stored as text. With `punktUndKomma` both "." and "," count as the decimal mark;
// otherwise only ",".
class ZahlSchluessel {
 public:
  std::string_view sektion;
  std::string_view name;
  std::string_view vorgabe;
  bool punktUndKomma;
  Je je;

 private:
  friend struct Schluessel;
  constexpr ZahlSchluessel(std::string_view s, std::string_view n, std::string_view v, bool pk,
                           Je j)
      : sektion(s), name(n), vorgabe(v), punktUndKomma(pk), je(j) {}
};

// The key table.
struct Schluessel {
  using G = GanzSchluessel;
  using B = BoolSchluessel;
  using T = TextSchluessel;
  using Z = ZahlSchluessel;
  static constexpr auto K = Grenzregel::Klemmen;
  static constexpr auto V = Grenzregel::Vorgabe;
  static constexpr auto N = Grenzregel::Keine;
  static constexpr std::int32_t IMin = std::numeric_limits<std::int32_t>::min();
  static constexpr std::int32_t IMax = std::numeric_limits<std::int32_t>::max();

  // ---- [DDE]: the collector's settings and the printer ----
  // Above 180 the loader cuts it with a message; below 1 it starts the no-items path.
  static constexpr G DDE_Itemcount{"DDE", "Itemcount", 0, IMin, 180, N};
  static constexpr G DDE_Intervall{"DDE", "Intervall", 1};
  // 1 = minutes; every other value counts as seconds.
  static constexpr G DDE_Einheit{"DDE", "Einheit", 0, 0, 1, N};
  // -2 no printer allowed, -1 the system default, else the position in the printer list.
  static constexpr G DDE_Drucker{"DDE", "Drucker", -1};
  static constexpr T DDE_Druckername{"DDE", "Druckername", "Kein Drucker ausgew\xE4hlt"};
  // Backup directory of stored days; a missing key means the program directory.
  static constexpr T DDE_Sicherung{"DDE", "Sicherung", ""};

  // ---- [PegelWart]: the viewer's own settings ----
  static constexpr G PegelWart_Textrand{"PegelWart", "Textrand", 0};
  static constexpr B PegelWart_Querformat{"PegelWart", "Querformat", true};
  // Printed page size in mm; the printer dialog writes the text as typed.
  // Outside 50..2000 mm a page cannot be fitted (0 would divide by zero): the default then.
  static constexpr G PegelWart_Druckbreite{"PegelWart", "Druckbreite", 284, 50, 2000, V};
  static constexpr G PegelWart_Druckhoehe{"PegelWart", "Druckhoehe", 199, 50, 2000, V};
  // Every daily group print is also archived as PDF.
  static constexpr B PegelWart_Druckarchiv{"PegelWart", "Druckarchiv", true};

  // ---- [Formate]: the value table's numbers ----
  static constexpr G Formate_PR{"Formate", "PR", 12, 0, 255, V};
  static constexpr G Formate_NK{"Formate", "NK", 3, 0, 255, V};

  // ---- [Grafik]: the live display ----
  static constexpr G Grafik_Intervall{"Grafik", "Intervall", 10, 1, 59, K};
  // 0 seconds, 1 minutes; the loader keeps other values as "no unit selected".
  static constexpr G Grafik_Einheit{"Grafik", "Einheit", 0, 0, 1, N};
  static constexpr G Grafik_Puffer{"Grafik", "Puffer", 60, 1, 480, K};
  // Entry 0..8 of the span list; the loader keeps other values as "no entry selected".
  static constexpr G Grafik_Auswahl{"Grafik", "Auswahl", 1, 0, 8, N};
  static constexpr G Grafik_AndereZeit{"Grafik", "AndereZeit", 5, 2, 60, K};
  static constexpr B Grafik_AutoStart{"Grafik", "AutoStart", true};
  static constexpr B Grafik_FehlerLog{"Grafik", "FehlerLog", false};
  static constexpr B Grafik_AlteDaten{"Grafik", "AlteDaten", true};
  // Written by the display settings dialog only; the loader always ticks GanzTag.
  static constexpr B Grafik_GanzTag{"Grafik", "GanzTag", true};
  static constexpr B Grafik_Cursor{"Grafik", "Cursor", false};

  // ---- one section per property, key Item{n} ----
  static constexpr T Items{"Items", "Item", "0", Je::Parameter};
  // Empty stops loading.
  static constexpr T Itemnames{"Itemnames", "Item", "", Je::Parameter};
  static constexpr G ColorWarn{"ColorWarn", "Item", 0, IMin, IMax, N, Je::Parameter};
  static constexpr G ColorNorm{"ColorNorm", "Item", 0, IMin, IMax, N, Je::Parameter};
  static constexpr Z UpWarn{"UpWarn", "Item", "0", true, Je::Parameter};
  static constexpr Z LoWarn{"LoWarn", "Item", "0", true, Je::Parameter};
  static constexpr Z UpLimit{"UpLimit", "Item", "1000.0", true, Je::Parameter};
  static constexpr Z LoLimit{"LoLimit", "Item", "-1000.0", true, Je::Parameter};
  static constexpr B Grafikanzeige{"Grafikanzeige", "Item", true, Je::Parameter};
  // 0 zero, 1 minimum, 2 user scale.
  static constexpr G GrafikRef{"GrafikRef", "Item", 0, IMin, IMax, N, Je::Parameter};
  // 1 analog, 2 digital; any other value is kept.
  static constexpr G Grafiktyp{"Grafiktyp", "Item", 1, IMin, IMax, N, Je::Parameter};
  static constexpr T Einheiten{"Einheiten", "Item", "-", Je::Parameter};
  // Default: the value of Einheiten.
  static constexpr T GrafikEinheit{"GrafikEinheit", "Item", "", Je::Parameter};
  // Default: the value of GrafikEinheit.
  static constexpr T GrafikSumEinheit{"GrafikSumEinheit", "Item", "", Je::Parameter};
  // A text that is no number gives 1.0.
  static constexpr Z GrafikSumTeiler{"GrafikSumTeiler", "Item", "1", false, Je::Parameter};

  // ---- the user scale, section Item_{n} ("-0" marks a missing value) ----
  static constexpr Z Skala_MinSkal{"Item_", "MinSkal", "-0", true, Je::Skala};
  static constexpr Z Skala_MaxSkal{"Item_", "MaxSkal", "-0", true, Je::Skala};
  // Older names of MinSkal and MaxSkal, read once to fill them.
  static constexpr Z Skala_MinForUser{"Item_", "MinForUser", "-0", true, Je::Skala};
  static constexpr Z Skala_MaxForUser{"Item_", "MaxForUser", "-0", true, Je::Skala};

  // ---- [Wertliste]: the value table's span ----
  static constexpr T Wertliste_Startzeit{"Wertliste", "Startzeit", "00:00:01"};
  static constexpr T Wertliste_Stopzeit{"Wertliste", "Stopzeit", "23:59:59"};
};

// "[sektion] key" of a handle for parameter n (0 for single keys), for log lines.
std::string SchluesselName(std::string_view sektion, std::string_view name, Je je, int n);

// The INI file, read and written through the key table. Reads are as the INI rules say
// (case-insensitive, first match, trimmed, quotes removed, default when missing); writes
// change only their own line and Speichern() replaces the file atomically. A per-parameter
// handle needs n >= 1, a single key n = 0; anything else throws std::invalid_argument.
class IniEinstellungen {
 public:
  // Reads the file; a missing or unreadable file reads as empty. With `nurLesen` the writes
  // stay in memory.
  IniEinstellungen(const std::filesystem::path& pfad, bool nurLesen);
  ~IniEinstellungen();
  IniEinstellungen(IniEinstellungen&&) noexcept;
  IniEinstellungen& operator=(IniEinstellungen&&) noexcept;

  // The value, or the default; integers follow the key's Grenzregel.
  std::int32_t Lesen(const GanzSchluessel& k, int n = 0) const;
  bool Lesen(const BoolSchluessel& k, int n = 0) const;
  std::string Lesen(const TextSchluessel& k, int n = 0) const;
  // With a default of its own (a unit defaults to another key's value).
  std::string Lesen(const TextSchluessel& k, int n, std::string_view vorgabe) const;
  // An integer key as the text it holds, or its default as text.
  std::string AlsText(const GanzSchluessel& k, int n = 0) const;
  // A number key's text, or its default text.
  std::string Text(const ZahlSchluessel& k, int n = 0) const;
  // A number key's value; empty when its text is no number.
  std::optional<double> Zahl(const ZahlSchluessel& k, int n = 0) const;

  void Schreiben(const GanzSchluessel& k, std::int64_t wert, int n = 0);
  void Schreiben(const BoolSchluessel& k, bool wert, int n = 0);
  void Schreiben(const TextSchluessel& k, std::string_view wert, int n = 0);
  void Schreiben(const ZahlSchluessel& k, std::string_view text, int n = 0);
  // An integer key written as the text the operator typed.
  void TextSchreiben(const GanzSchluessel& k, std::string_view text, int n = 0);

  // Writes the file when something changed. False when the write failed (the old file is
  // then untouched).
  bool Speichern();
  const std::filesystem::path& Pfad() const;

 private:
  std::unique_ptr<IniDatei> ini_;
};

}  // namespace pegel
