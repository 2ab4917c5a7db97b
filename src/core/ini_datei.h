// The INI file shared with the collector. Sections and keys match without regard to case
// and the first match wins; values are trimmed and lose matching double quotes. A write
// changes only its own line (or appends it) and keeps every other line, comment and the
// order of the file; Speichern() replaces the file atomically through a temporary file in
// the same directory. Bytes are kept as they are (Windows-1252).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pegel {

class IniDatei {
 public:
  // Reads the file. A missing or unreadable file reads as empty. With `nurLesen` the
  // writes stay in memory and Speichern() writes nothing.
  explicit IniDatei(std::filesystem::path pfad, bool nurLesen = false);
  // An INI held in memory only (tests, tools).
  static IniDatei AusText(std::string text);

  // The value, or empty when section or key is missing.
  std::optional<std::string> Wert(std::string_view sektion, std::string_view schluessel) const;
  std::string LeseText(std::string_view sektion, std::string_view schluessel,
                       std::string_view vorgabe) const;
  // A decimal integer; the default when missing or not an Int32.
  std::int32_t LeseGanz(std::string_view sektion, std::string_view schluessel,
                        std::int32_t vorgabe) const;
  // An integer, non-zero = true.
  bool LeseBool(std::string_view sektion, std::string_view schluessel, bool vorgabe) const;

  // Line breaks inside a value are written as blanks, so a value never adds a line.
  void SchreibeText(std::string_view sektion, std::string_view schluessel, std::string_view wert);
  void SchreibeGanz(std::string_view sektion, std::string_view schluessel, std::int64_t wert);
  void SchreibeBool(std::string_view sektion, std::string_view schluessel, bool wert);

  // Writes the file when something changed. False when the write failed (the old file is
  // then untouched) or when the file was too large to be held whole.
  bool Speichern();
  bool Geaendert() const { return geaendert_; }
  const std::filesystem::path& Pfad() const { return pfad_; }
  // The whole file as it would be written.
  std::string Text() const;

 private:
  IniDatei() = default;
  struct Zeile {
    std::string roh;  // without line break
    enum Art { Sonst, Sektion, Schluessel } art = Sonst;
    std::string name;  // folded section or key name
    std::size_t wertAnfang = 0;
  };
  void Zerlegen(std::string_view text);
  static Zeile ZeileDeuten(std::string roh);
  // Index of the first section line with that name, or npos.
  std::size_t SektionSuchen(std::string_view sektion) const;
  std::size_t SchluesselSuchen(std::size_t sektionsZeile, std::string_view schluessel) const;

  std::filesystem::path pfad_;
  std::vector<Zeile> zeilen_;
  std::string zeilenende_ = "\r\n";
  bool endetMitUmbruch_ = true;
  bool nurLesen_ = true;
  bool unvollstaendig_ = false;
  bool geaendert_ = false;
};

}  // namespace pegel
