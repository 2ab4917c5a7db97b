// The drawing surface the chart page is drawn on. Logical units are 0.1 mm with the y axis
// pointing up, so a point at depth d below the top page edge is drawn at y = -d.
// Implementations: the QPainter adapter (screen, printer, PDF, PNG) and a recording one in
// the tests. Methods that can fail report it with false; nothing here throws.
#pragma once

#include <string>

#include "farben.h"

namespace pegel::chart {

// A font as the font table creates it: face, cell height in logical units, weight
// (100, 400 or 700), italic and underline.
struct Schrift {
  std::string name = "Arial";
  int hoehe = 0;
  int gewicht = 400;
  bool kursiv = false;
  bool unterstrichen = false;
};

// Horizontal alignment of a text about its reference point, which lies on the text's
// bottom edge.
enum class Ausrichtung { Links = 0, Rechts = 1, Mitte = 2 };

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Pen for lines and outlines; width in logical units.
  virtual void StiftFarbe(Farbe farbe) = 0;
  virtual void StiftBreite(int breite) = 0;
  // Solid brush for FuellRechteck.
  virtual void PinselFarbe(Farbe farbe) = 0;

  virtual void MoveTo(int x, int y) = 0;
  // Line from the current position to (x, y), which becomes the current position.
  virtual void LineTo(int x, int y) = 0;
  // Outline only, with the pen.
  virtual void Rechteck(int x1, int y1, int x2, int y2) = 0;
  // Brush only, no outline.
  virtual void FuellRechteck(int x1, int y1, int x2, int y2) = 0;

  virtual bool TextAusrichtung(Ausrichtung a) = 0;
  virtual bool TextFarbe(Farbe farbe) = 0;
  // Selects `neu` (nullptr: the canvas's own font) and gives back the font selected before.
  // The Schrift objects are owned by the font table and outlive their selection.
  virtual bool SchriftWaehlen(const Schrift* neu, const Schrift*& vorher) = 0;
  // Text in Windows-1252 with its bottom edge on (x, y), aligned as last set.
  virtual bool Text(int x, int y, const std::string& text) = 0;

  // Device pixels per logical unit along x, so that a trace of more points than the device
  // shows can be reduced to what it shows; 0 (the default) when the device has no pixels to
  // speak of, and every point is drawn.
  virtual double PixelProEinheit() const { return 0; }
};

}  // namespace pegel::chart
