#include "analog_spur.h"

#include "geometrie.h"
#include "raster.h"
#include "skalierung.h"
#include "spur_reduktion.h"

namespace pegel::chart {

namespace {

int HoechsterIndex(const std::vector<double>& werte) { return static_cast<int>(werte.size()) - 1; }

// The warning test of the live and history traces: off while UpWarn lies within +-0.001.
bool Warnt(const ChartAnzeige& a, double v) {
  return !(-0.001 <= a.UpWarn && a.UpWarn <= 0.001) && (v >= a.UpWarn || v <= a.LoWarn);
}

}  // namespace

void AnalogRollend(Canvas& ziel, const TStreifen& s, TGrafikstatistik& st, const ChartAnzeige& a,
                   std::vector<double>& werte) {
  const int n = HoechsterIndex(werte);
  SpurReduktion c(ziel, s, n);
  const Raster r = SlotRaster(s, n);
  c.StiftBreite(4);
  bool erster = true;
  for (int j = 0; j <= n; ++j) {
    double& v = werte[static_cast<std::size_t>(j)];
    if (v == NoValue) continue;
    bool alarm = false;
    if (s.Skalierung == 2) {
      if (v < a.MinSkal) {
        v = a.MinSkal;
        alarm = true;
      } else if (v > a.MaxSkal) {
        v = a.MaxSkal;
        alarm = true;
      }
    }
    const std::int32_t x = r.X(j);
    const std::int32_t y = WertY(v, st.Faktor, s.Nulllinie);
    c.StiftFarbe(a.Kurvenfarbe);
    c.MoveTo(x, y);
    if (Warnt(a, v)) alarm = true;
    if (alarm) c.StiftFarbe(a.Warnfarbe);
    if (j == 0 || erster) {
      c.LineTo(Plus(x, 1), Plus(y, 1));
      erster = false;
    } else {
      c.LineTo(st.LetztX, st.LetztY);
    }
    st.LetztX = x;
    st.LetztY = y;
  }
}

void AnalogCursor(Canvas& ziel, const TStreifen& s, TGrafikstatistik& st, const ChartAnzeige& a,
                  const std::vector<double>& werte, int schreibposition) {
  const int n = HoechsterIndex(werte);
  SpurReduktion c(ziel, s, n);
  const Raster r = SlotRaster(s, n);
  c.StiftBreite(4);
  c.StiftFarbe(a.Kurvenfarbe);
  for (int j = 0; j <= n; ++j) {
    const double v = werte[static_cast<std::size_t>(j)];
    if (v == NoValue) {
      st.LetztX = KeinPunkt;
      continue;
    }
    const std::int32_t x = r.X(j);
    const std::int32_t y = WertY(v, st.Faktor, s.Nulllinie);
    c.MoveTo(x, y);
    if (j == 0 || j == schreibposition + 1) {
      c.LineTo(Plus(x, 1), Plus(y, 1));
    } else if (st.LetztX != KeinPunkt) {
      c.LineTo(st.LetztX, st.LetztY);
    }
    st.LetztX = x;
    st.LetztY = y;
  }
}

void AnalogLuecken(Canvas& ziel, const TStreifen& s, TGrafikstatistik& st, const ChartAnzeige& a,
                   const std::vector<double>& werte) {
  const int n = HoechsterIndex(werte);
  SpurReduktion c(ziel, s, n);
  const Raster r = SlotRaster(s, n);
  c.StiftBreite(4);
  // A day has some 86,400 points per chart: what stays the same for all of them is read once,
  // and the last point is kept here and handed to `st` when the trace ends, also by an
  // exception.
  const double minimum = st.Minimum;
  const double faktor = st.Faktor;
  const std::int32_t nulllinie = s.Nulllinie;
  const Farbe kurvenfarbe = a.Kurvenfarbe;
  const Farbe warnfarbe = a.Warnfarbe;
  struct Letzter {
    TGrafikstatistik& st;
    std::int32_t x, y;
    ~Letzter() {
      st.LetztX = x;
      st.LetztY = y;
    }
  } letzter{st, st.LetztX, st.LetztY};
  for (int j = 0; j <= n; ++j) {
    const double v = werte[static_cast<std::size_t>(j)];
    if (v == NoValue || v < minimum) {
      letzter.x = KeinPunkt;
      continue;
    }
    const std::int32_t x = r.X(j);
    const std::int32_t y = WertY(v, faktor, nulllinie);
    const bool linie = j > 0 && letzter.x != KeinPunkt;
    c.StiftFarbe(kurvenfarbe);
    if (linie && c.Reduziert()) {
      // While reducing, pen and position are only noted, so their order does not matter.
      if (Warnt(a, v)) c.StiftFarbe(warnfarbe);
      c.LinieZurueck(x, y, letzter.x, letzter.y);
    } else {
      c.MoveTo(x, y);
      if (Warnt(a, v)) c.StiftFarbe(warnfarbe);
      if (linie) c.LineTo(letzter.x, letzter.y);
    }
    letzter.x = x;
    letzter.y = y;
  }
}

void CursorLinie(Canvas& c, const TStreifen& s, int n, int schreibposition, Farbe kurvenfarbe) {
  if (n < 1 || schreibposition < 0 || schreibposition >= n) return;
  const Raster r = SlotRaster(s, n);
  const std::int32_t x = r.X(schreibposition + 0.5);
  c.StiftFarbe(Rot);
  c.StiftBreite(2);
  c.MoveTo(x, Tiefe(Plus(s.P1.d, 10)));
  c.LineTo(x, Tiefe(Minus(s.P2.d, 10)));
  c.StiftFarbe(kurvenfarbe);
}

}  // namespace pegel::chart
