// The cells of one loaded day file, held compactly: one buffer with the bytes of the lines
// and, per line, the start offsets of its fields relative to the line (16 bits for the
// usual short lines, 32 bits for lines beyond 64 KiB). A cell is a view into that buffer;
// no cell owns a string, so a day of 86,400 lines with 182 fields stays close to the size
// of its file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pegel {

class gitter {
 public:
  // Cells per row: the leading field, the time and at most 180 values.
  static constexpr std::size_t Spalten = 182;
  // Offsets are 32-bit; a text beyond this many bytes is refused.
  static constexpr std::size_t MaxBytes = 0x7FFFFFFF;

  enum class Ergebnis { Ok, ZuVieleFelder, ZuGross };

  // Bytes of a file as read: not zero-filled first, because a read overwrites them anyway
  // and filling 90 MB costs time.
  struct Puffer {
    std::unique_ptr<char[]> daten;
    std::size_t groesse = 0;     // bytes in use
    std::size_t kapazitaet = 0;  // bytes allocated

    Puffer() = default;
    // A copy holds the bytes in use only; the state (and with it the grid) stays copyable.
    Puffer(const Puffer& anderer);
    Puffer& operator=(const Puffer& anderer);
    Puffer(Puffer&&) noexcept = default;
    Puffer& operator=(Puffer&&) noexcept = default;

    // Makes room for at least `n` bytes, keeping the ones in use. Throws std::bad_alloc.
    void Reservieren(std::size_t n);
  };

  // The fields of one line, for reading many of its cells in turn: the line's offsets are
  // found once instead of once per cell. Valid until the grid is changed or released.
  class ZeilenSicht {
   public:
    ZeilenSicht() = default;
    // Number of fields the line had; 0 for a row that does not exist.
    std::size_t Felder() const { return felder_; }
    // Field `feld`; empty for a field the line does not have.
    std::string_view Feld(std::size_t feld) const {
      if (feld >= felder_) return {};
      const std::size_t anfang = Versatz(feld);
      // A field ends at the ";" before the next field, the last one at the line's end.
      const std::size_t ende = feld + 1 < felder_ ? Versatz(feld + 1) - 1 : ende_;
      return std::string_view(zeile_ + anfang, ende - anfang);
    }

    // Where field `feld` begins, for readers that find its end themselves; nullptr for a
    // field the line does not have.
    const char* FeldAnfang(std::size_t feld) const {
      return feld < felder_ ? zeile_ + Versatz(feld) : nullptr;
    }
    // The line's end (without its line break) and its length.
    const char* Ende() const { return zeile_ + ende_; }
    std::size_t Laenge() const { return ende_; }
    // True when a line break follows the line in the grid's bytes: every field of the line
    // is then followed by a readable ";", CR or LF.
    bool Abgeschlossen() const { return abgeschlossen_; }

   private:
    friend class gitter;
    std::size_t Versatz(std::size_t feld) const {
      if (feld == 0) return 0;
      return lang_ ? langeVersaetze_[feld - 1] : kurzeVersaetze_[feld - 1];
    }
    const char* zeile_ = nullptr;
    const std::uint16_t* kurzeVersaetze_ = nullptr;  // of fields 1.., relative to zeile_
    const std::uint32_t* langeVersaetze_ = nullptr;
    std::size_t felder_ = 0;
    std::size_t ende_ = 0;  // relative to zeile_
    bool abgeschlossen_ = false;
    bool lang_ = false;
  };

  // Number of rows (lines) held.
  std::size_t Zeilen() const { return zeilen_.size(); }
  // The fields of line `zeile`; a view without fields for a row out of range.
  ZeilenSicht Sicht(std::size_t zeile) const;
  // Number of fields line `zeile` had; 0 for a row that does not exist.
  std::size_t Felder(std::size_t zeile) const;
  // Field `spalte` of line `zeile`. Empty for a field the line does not have and for a row
  // or column out of range. The view is valid until the grid is changed or released.
  std::string_view Zelle(std::size_t zeile, std::size_t spalte) const;

  // Drops all rows and the buffer.
  void Freigeben();
  // Makes room for `zeilen` rows and `trenner` field separators in advance, so that
  // splitting does not reallocate. Throws std::bad_alloc.
  void Reservieren(std::size_t zeilen, std::size_t trenner);

  // Replaces the contents with the lines of `bytes`: every LF ends a line (a CR before it,
  // or at the very end, is dropped), a last line without LF counts, fields are separated by ";" and
  // kept untrimmed; all other bytes (NUL, lone CR) are ordinary. A line with more than Spalten
  // fields gives ZuVieleFelder, a text above MaxBytes ZuGross; the grid is then empty.
  // Throws std::bad_alloc.
  Ergebnis Aufteilen(Puffer bytes);
  // The same for a copy of `bytes`.
  Ergebnis Aufteilen(std::string_view bytes);

 private:
  struct Zeile {
    std::uint32_t anfang;      // offset of the line in daten_
    std::uint32_t ende;        // offset of its end (without the line break)
    std::uint32_t erstesFeld;  // index of field 1's offset in kurz_ or lang_
    std::uint8_t felder;       // 1..Spalten
    bool lang;                 // offsets in lang_ (line of 64 KiB or more)
  };

  Puffer daten_;
  std::vector<std::uint16_t> kurz_;  // fields 1.. of short lines; field 0 starts the line
  std::vector<std::uint32_t> lang_;
  std::vector<Zeile> zeilen_;
};

}  // namespace pegel
