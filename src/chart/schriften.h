// The font table of a chart page: 10 slots, of which the page uses 1..6, and the text
// output that draws with them. The table owns its Schrift objects; a canvas only
// borrows them while they are selected.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "canvas.h"
#include "log.h"

namespace pegel::chart {

inline constexpr int SchriftSlots = 10;
inline constexpr int SchriftenInGebrauch = 6;

// Style flags of CreateMyScreenFont.
inline constexpr int SchriftKursiv = 1;
inline constexpr int SchriftUnterstrichen = 2;
inline constexpr int SchriftDuenn = 4;
inline constexpr int SchriftFett = 8;

class SchriftTabelle {
 public:
  // Decides whether one attempt to create a font succeeds; the platform's fonts always do.
  // Tests put a failing one here.
  using Erzeuger = std::function<bool(const Schrift&)>;

  SchriftTabelle(Log& log, std::string name = "Arial");

  void ErzeugerSetzen(Erzeuger e) { erzeuger_ = std::move(e); }
  // Face used by fonts created from now on.
  void NameSetzen(std::string name) { name_ = std::move(name); }
  // The name under which New_TextAusgabe logs its failures with these fonts.
  void AusgabeNameSetzen(std::string name) { ausgabeName_ = std::move(name); }
  const std::string& AusgabeName() const { return ausgabeName_; }

  // Creates the font of `slot` (1..10) if the slot is still empty. Tries 11 times; when
  // none succeeds logs "Font({slot}) wurde nicht erzeugt !". False for a bad or used slot
  // or a failed creation.
  bool CreateMyScreenFont(int slot, int flags, int hoehe);
  // Empties the slot (if it holds a font). Always true.
  bool DeleteMyScreenFont(int slot);

  // The six fonts of the page (heights 36, 40, 44 from the canvas font size 5, each
  // regular and bold italic).
  void SeitenSchriftenErzeugen();
  void AlleLoeschen();

  // The font of `slot`, nullptr when the slot is empty or out of 1..10.
  const Schrift* Slot(int slot) const;

 private:
  Log& log_;
  std::string name_;
  std::string ausgabeName_ = "New_Textausgabe";
  Erzeuger erzeuger_;
  std::array<std::unique_ptr<Schrift>, SchriftSlots + 1> slots_{};
};

// Draws `text` with its bottom edge at (x, y), aligned 0 = left, 1 = right, other =
// centred, in `farbe` with the font of `slot`. Each failing step logs
// "Fehler {1..4} in {name}" and returns false: 1 alignment or colour (also a negative
// colour), 2 selecting the font, 3 drawing (the previous font is still reselected),
// 4 reselecting the previous font. `name` empty: the table's AusgabeName (the live and
// history pages use "New_Textausgabe", the printed page "Druck_New_TextAusgabe").
bool New_TextAusgabe(Canvas& c, const SchriftTabelle& schriften, Log& log, int x,
                     const std::string& text, int ausrichtung, Farbe farbe, int slot, int y,
                     const std::string& name = {});

}  // namespace pegel::chart
