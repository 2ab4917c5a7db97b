// A canvas that records every drawing call with the pen, brush and text state in effect,
// and a chart page for the tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "canvas.h"
#include "seite.h"
#include "seitenstil.h"

namespace pegel::chart::test {

struct Aufruf {
  enum Art { Linie, Rechteck, Fuellung, Text } art;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Text: (x1, y1) is the reference point
  Farbe farbe = 0;                     // pen, brush or text colour
  int breite = 0;                      // pen width
  std::string text{};
  Ausrichtung ausrichtung = Ausrichtung::Links;
  int schrifthoehe = 0;
  bool fett = false;
};

class AufzeichnendeCanvas : public Canvas {
 public:
  std::vector<Aufruf> aufrufe;
  bool textFehler = false;  // Text() fails

  void StiftFarbe(Farbe f) override { stift_ = f; }
  void StiftBreite(int b) override { breite_ = b; }
  void PinselFarbe(Farbe f) override { pinsel_ = f; }
  void MoveTo(int x, int y) override { x_ = x, y_ = y; }
  void LineTo(int x, int y) override {
    aufrufe.push_back({Aufruf::Linie, x_, y_, x, y, stift_, breite_});
    x_ = x, y_ = y;
  }
  void Rechteck(int x1, int y1, int x2, int y2) override {
    aufrufe.push_back({Aufruf::Rechteck, x1, y1, x2, y2, stift_, breite_});
  }
  void FuellRechteck(int x1, int y1, int x2, int y2) override {
    aufrufe.push_back({Aufruf::Fuellung, x1, y1, x2, y2, pinsel_});
  }
  bool TextAusrichtung(Ausrichtung a) override { return ausrichtung_ = a, true; }
  bool TextFarbe(Farbe f) override { return textFarbe_ = f, true; }
  bool SchriftWaehlen(const Schrift* neu, const Schrift*& vorher) override {
    vorher = schrift_;
    schrift_ = neu;
    return true;
  }
  bool Text(int x, int y, const std::string& t) override {
    if (textFehler) return false;
    aufrufe.push_back({Aufruf::Text, x, y, 0, 0, textFarbe_, 0, t, ausrichtung_,
                       schrift_ ? schrift_->hoehe : 0, schrift_ && schrift_->gewicht == 700});
    return true;
  }

  // All calls of one kind, in `farbe` if given.
  std::vector<Aufruf> Alle(Aufruf::Art art, std::optional<Farbe> farbe = {}) const {
    std::vector<Aufruf> r;
    for (const auto& a : aufrufe) {
      if (a.art == art && (!farbe || a.farbe == *farbe)) r.push_back(a);
    }
    return r;
  }
  // The first text that begins with `anfang`; art == Linie when there is none.
  Aufruf TextMit(const std::string& anfang) const {
    for (const auto& a : aufrufe) {
      if (a.art == Aufruf::Text && a.text.rfind(anfang, 0) == 0) return a;
    }
    return {};
  }
  bool HatText(const std::string& anfang) const { return TextMit(anfang).art == Aufruf::Text; }
  const Schrift* schrift() const { return schrift_; }

 private:
  Farbe stift_ = Schwarz, pinsel_ = Weiss, textFarbe_ = Schwarz;
  int breite_ = 1, x_ = 0, y_ = 0;
  Ausrichtung ausrichtung_ = Ausrichtung::Links;
  const Schrift* schrift_ = nullptr;
};

// A live page with the modes of the live window, as the tests set them.
struct LiveSeite : ChartSeite {
  bool GanzerTag = false;
  bool MitCursor = false;
  bool DigNull = false;
  Seitenstil Stil() const { return LiveStil(GanzerTag, MitCursor, DigNull); }
};

// A page of 297 x 210 mm with one chart per type in `typen`, each with `n` + 1 slots of
// the value `wert`, a header (text 4 set) and colours that tell the traces apart.
inline LiveSeite TestSeite(const std::vector<int>& typen, int n, double wert) {
  LiveSeite s;
  s.Seitenbreite = 297;
  s.Seitenhoehe = 210;
  s.Anzahl = static_cast<int>(typen.size());
  for (int i = 1; i <= s.Anzahl; ++i) {
    s.Streifen.at(i).Typ = GrafiktypAus(typen.at(static_cast<std::size_t>(i - 1)));
    s.Grafikspeicher.at(i) = std::vector<double>(static_cast<std::size_t>(n + 1), wert);
    ChartAnzeige& a = s.Anzeige.at(i);
    a.Name = "Pegel " + std::to_string(i);
    a.Einheit = "m";
    a.Statistiktexte = {"", "1,00", "0,50", "2,00", "3,5", "1234,5", "", "", ""};
    a.Werttext = "1,50";
    a.GrafikSumEinheit = "m3";
    a.GrafikSumTeiler = 10;
    a.Kurvenfarbe = Rgb(0, 0, 128);
    a.Warnfarbe = Rgb(255, 0, 255);
  }
  s.IntervallZahl = 10;
  s.Schreibposition = n;
  return s;
}

}  // namespace pegel::chart::test
