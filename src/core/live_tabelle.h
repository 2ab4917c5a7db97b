// The cells of the live table: 15 rows x (Itemcount + 1) columns of texts. Column 0 holds
// the row labels and the sample times, column n parameter n. The polling pass writes
// numbers here; they are kept as numbers and formatted only when a cell is read, because
// loading a whole day writes every cell tens of thousands of times and only the last write
// is ever seen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pegel {

// Told once per polling pass (or per loaded day) that cells changed; never per cell.
class LiveTabelleBeobachter {
 public:
  virtual ~LiveTabelleBeobachter() = default;
  virtual void TabelleGeaendert() = 0;
};

class LiveTabelle {
 public:
  static constexpr int Zeilen = 15;
  static constexpr int ErsteRingZeile = 5;
  static constexpr int LetzteRingZeile = 14;
  static constexpr int Genauigkeit = 7;  // significant digits of every number cell

  // Sets the number of columns; cells that exist in both shapes keep their content,
  // new cells are empty. A negative count counts as 0.
  void SpaltenSetzen(int spalten);
  int Spalten() const { return spalten_; }

  // Cell writes. Throw std::out_of_range for a cell outside the table.
  void Text(int spalte, int zeile, const std::string& text);
  void Zahl(int spalte, int zeile, double wert, int dezimalen);

  // The cell's text: numbers fixed-point with 7 significant digits and their decimals.
  // Throws std::out_of_range for a cell outside the table.
  std::string Zelle(int spalte, int zeile) const;
  // All cells, row by row.
  std::vector<std::vector<std::string>> AlleZeilen() const;

  // The observer is not owned; null switches notification off.
  void BeobachterSetzen(LiveTabelleBeobachter* b) { beobachter_ = b; }
  // Tells the observer once if any cell was written since the last call.
  void Benachrichtigen();

 private:
  struct Eintrag {
    double wert = 0;
    std::int8_t dezimalen = -1;  // -1: the cell holds the text in texte_
  };
  std::size_t Index(int spalte, int zeile) const;

  int spalten_ = 0;
  std::vector<Eintrag> zellen_;  // row-major, Zeilen x spalten_
  std::vector<std::string> texte_;
  bool geaendert_ = false;
  LiveTabelleBeobachter* beobachter_ = nullptr;
};

}  // namespace pegel
