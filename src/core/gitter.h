// The cells of one loaded day file, held compactly: one buffer with the bytes of the lines
// and the start offset of every field. A cell is a view into that buffer; no cell owns a
// string of its own, so a day of 86,400 lines with 182 fields each stays close to the size
// of the file.
#pragma once

#include <cstddef>
#include <cstdint>
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

  // Number of rows (lines) held.
  std::size_t Zeilen() const { return zeilen_.size(); }
  // Number of fields line `zeile` had; 0 for a row that does not exist.
  std::size_t Felder(std::size_t zeile) const;
  // Field `spalte` of line `zeile`. Empty for a field the line does not have and for a row
  // or column out of range. The view is valid until the grid is changed or released.
  std::string_view Zelle(std::size_t zeile, std::size_t spalte) const;

  // Drops all rows and the buffer.
  void Freigeben();
  // Makes room for `zeilen` rows in advance. Throws std::bad_alloc.
  void ZeilenReservieren(std::size_t zeilen);

  // Replaces the contents with the lines of `bytes`: every LF ends a line (a CR before it
  // is dropped), a last line without LF counts, fields are separated by ";" and kept
  // untrimmed; all other bytes (NUL, lone CR) are ordinary. A line with more than Spalten
  // fields gives ZuVieleFelder, a text above MaxBytes ZuGross; the grid is then empty.
  // Throws std::bad_alloc.
  Ergebnis Aufteilen(std::string bytes);

 private:
  struct Zeile {
    std::uint32_t erstesFeld;  // index into feldAnfang_
    std::uint32_t ende;        // offset of the line's end (without the line break)
  };
  std::string daten_;
  std::vector<std::uint32_t> feldAnfang_;
  std::vector<Zeile> zeilen_;
};

}  // namespace pegel
