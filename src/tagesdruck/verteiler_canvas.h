// A canvas that draws every call on several canvases at once, so that a page drawn once
// reaches the printer and the archive alike.
#pragma once

#include <vector>

#include "canvas.h"

namespace pegel::tagesdruck {

class VerteilerCanvas : public chart::Canvas {
 public:
  // The canvases are not owned and must outlive this one; the first decides what a query
  // reports (the font selected before), every one whether a call succeeded.
  explicit VerteilerCanvas(std::vector<chart::Canvas*> ziele) : ziele_(std::move(ziele)) {}

  void StiftFarbe(chart::Farbe f) override {
    for (auto* c : ziele_) c->StiftFarbe(f);
  }
  void StiftBreite(int b) override {
    for (auto* c : ziele_) c->StiftBreite(b);
  }
  void PinselFarbe(chart::Farbe f) override {
    for (auto* c : ziele_) c->PinselFarbe(f);
  }
  void MoveTo(int x, int y) override {
    for (auto* c : ziele_) c->MoveTo(x, y);
  }
  void LineTo(int x, int y) override {
    for (auto* c : ziele_) c->LineTo(x, y);
  }
  void Rechteck(int x1, int y1, int x2, int y2) override {
    for (auto* c : ziele_) c->Rechteck(x1, y1, x2, y2);
  }
  void FuellRechteck(int x1, int y1, int x2, int y2) override {
    for (auto* c : ziele_) c->FuellRechteck(x1, y1, x2, y2);
  }
  bool TextAusrichtung(chart::Ausrichtung a) override {
    return Alle([&](chart::Canvas& c) { return c.TextAusrichtung(a); });
  }
  bool TextFarbe(chart::Farbe f) override {
    return Alle([&](chart::Canvas& c) { return c.TextFarbe(f); });
  }
  bool SchriftWaehlen(const chart::Schrift* neu, const chart::Schrift*& vorher) override {
    bool ok = true;
    for (std::size_t i = 0; i < ziele_.size(); ++i) {
      const chart::Schrift* v = nullptr;
      ok = ziele_[i]->SchriftWaehlen(neu, v) && ok;
      if (i == 0) vorher = v;
    }
    return ok;
  }
  bool Text(int x, int y, const std::string& text) override {
    return Alle([&](chart::Canvas& c) { return c.Text(x, y, text); });
  }

 private:
  template <class F>
  bool Alle(F&& f) {
    bool ok = true;
    for (auto* c : ziele_) ok = f(*c) && ok;
    return ok;
  }
  std::vector<chart::Canvas*> ziele_;
};

}  // namespace pegel::tagesdruck
