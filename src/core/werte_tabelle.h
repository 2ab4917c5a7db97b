// The value table of a stored day: chosen rows and parameter columns of a loaded day grid,
// seen as one grid of texts without copying a cell. Row 0 holds the titles (the time
// column's title is empty), column 0 the sample times; cell (r, k) with r, k >= 1 is the
// text of the k-th chosen parameter in the r-th chosen row, exactly as stored. The
// statistics, the exports and the window's table model all read it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "gitter.h"
#include "tageskopf.h"

namespace pegel {

// One parameter column: the field of the day grid it shows (parameter i is field i + 1)
// and its title.
struct WerteSpalte {
  std::size_t feld = 0;
  std::string titel;
};

// Title of a parameter column: name + "  [" + unit + "]".
std::string SpaltenTitel(std::string_view name, std::string_view einheit);

// The columns of the parameters numbered in `parameter` (1..MaxItems, in the given order),
// titled with the names and units of `kopf`. Throws std::out_of_range for a number
// outside 1..MaxItems.
std::vector<WerteSpalte> ParameterSpalten(const Kopfdaten& kopf, const std::vector<int>& parameter);

class WerteTabelle {
 public:
  // Field of the day grid that holds the sample time.
  static constexpr std::size_t ZeitFeld = 1;

  // Day rows ersteZeile .. ersteZeile + zeilenzahl - 1 (0-based; the history browser's
  // 1-based selection SelStart..SelEnd is ersteZeile = SelStart - 1 and zeilenzahl =
  // SelEnd - SelStart + 1). Keeps a reference to `tag`, which must stay unchanged while
  // the table is used. Rows beyond the grid's end read as empty cells, like the empty rows
  // of a day whose second read stopped early. Throws std::out_of_range when the last row's
  // number does not fit std::size_t.
  WerteTabelle(const gitter& tag, std::size_t ersteZeile, std::size_t zeilenzahl,
               std::vector<WerteSpalte> spalten);

  // The title row plus the data rows.
  std::size_t Zeilen() const { return zeilenzahl_ + 1; }
  // The time column plus the parameter columns.
  std::size_t Spalten() const { return spalten_.size() + 1; }

  // The text of a cell; empty outside the table. The view stays valid as long as the day
  // grid and this table are unchanged.
  std::string_view Zelle(std::size_t zeile, std::size_t spalte) const {
    if (zeile == 0)
      return spalte >= 1 && spalte <= spalten_.size() ? spalten_[spalte - 1].titel
                                                      : std::string_view();
    if (zeile > zeilenzahl_ || spalte > spalten_.size()) return {};
    return tag_->Zelle(ersteZeile_ + zeile - 1, spalte == 0 ? ZeitFeld : spalten_[spalte - 1].feld);
  }
  // The day line behind data row `zeile` (1..Zeilen() - 1), for reading a row's cells in
  // turn: cell (zeile, spalte) is Tageszeile(zeile).Feld(Feld(spalte)). A view without
  // fields for row 0 and rows beyond the table or the grid.
  gitter::ZeilenSicht Tageszeile(std::size_t zeile) const {
    if (zeile == 0 || zeile > zeilenzahl_) return {};
    return tag_->Sicht(ersteZeile_ + zeile - 1);
  }
  // The field of the day grid that column `spalte` shows; gitter::Spalten (a field no line
  // has) outside the table.
  std::size_t Feld(std::size_t spalte) const {
    if (spalte == 0) return ZeitFeld;
    return spalte <= spalten_.size() ? spalten_[spalte - 1].feld : gitter::Spalten;
  }
  // The time text of row `zeile` (column 0).
  std::string_view Zeit(std::size_t zeile) const { return Zelle(zeile, 0); }
  // The title of column `spalte`; empty for column 0 and outside the table.
  std::string_view Titel(std::size_t spalte) const { return Zelle(0, spalte); }

 private:
  const gitter* tag_;
  std::size_t ersteZeile_;
  std::size_t zeilenzahl_;
  std::vector<WerteSpalte> spalten_;
};

}  // namespace pegel
