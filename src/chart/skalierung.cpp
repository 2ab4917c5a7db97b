#include "skalierung.h"

#include <cmath>

#include "geometrie.h"
#include "text_format.h"

namespace pegel::chart {

double Skalieren(TStreifen& s, TGrafikstatistik& st, double minSkal, double maxSkal) {
  const int modus = s.Skalierung;
  double r = modus == 2 ? maxSkal - minSkal : st.Maximum - st.Minimum;
  if (r == 0) {
    if (st.Maximum > 0) {
      st.Minimum = 0;
    } else if (st.Maximum == 0) {
      st.Maximum = 1.0;
    } else {
      st.Maximum = 0;
    }
    r = st.Maximum - st.Minimum;
  }
  if (modus == 0) {
    if (st.Minimum > 0) r = st.Maximum;
    if (r == 0) r = st.Maximum;
  } else if (modus == 1) {
    if (r == 0) r = st.Maximum;
  } else if (modus == 2) {
    r = maxSkal - minSkal;
  }
  if (r < 0) r = -r;
  r = 1.1 * r;
  const std::int32_t hoehe = Minus(s.P2.d, s.P1.d);
  st.Faktor = r <= 0 ? 0.0 : hoehe / r;

  // The base value sits at the strip's bottom; mode 0 with positive values starts at zero.
  bool mitBasis = true;
  double basis = 0;
  if (st.Minimum <= 0) {
    basis = modus >= 2 ? minSkal : st.Minimum;
  } else if (modus >= 2) {
    basis = minSkal;
  } else if (modus == 1) {
    basis = st.Minimum;
  } else {
    mitBasis = false;
  }
  s.Nulllinie = mitBasis ? Plus(s.P2.d, Rund(basis * st.Faktor)) : s.P2.d;
  s.Nulllinie = Minus(s.Nulllinie, Rund(0.05 * r * st.Faktor));
  return r;
}

bool NulllinieZeichnen(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s,
                       std::int32_t xLinks, int breite, bool mitText) {
  if (!(s.P1.d < s.Nulllinie && s.Nulllinie < s.P2.d)) return false;
  c.StiftBreite(breite);
  c.StiftFarbe(Gruen);
  c.MoveTo(xLinks, Tiefe(s.Nulllinie));
  c.LineTo(s.P2.x, Tiefe(s.Nulllinie));
  if (mitText) {
    New_TextAusgabe(c, f, log, Minus(s.P1.x, 50), "0.0", 0, Gruen, 1, Tiefe(Plus(s.Nulllinie, 20)));
  }
  return true;
}

void SkalenMarken(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s, double faktor,
                  double oben, double unten, bool mitText) {
  c.StiftFarbe(Blau);
  const std::int32_t x1 = Minus(s.P2.x, 10);
  const std::int32_t x2 = Plus(s.P2.x, 10);
  const std::int32_t xText = Plus(s.P2.x, 30);
  auto marke = [&](double wert) {
    const std::int32_t y = WertY(wert, faktor, s.Nulllinie);
    c.MoveTo(x1, y);
    c.LineTo(x2, y);
    if (mitText) {
      New_TextAusgabe(c, f, log, xText, FestFormat(wert, 5, 2), 0, Blau, 1, Minus(y, 20));
    }
    return y;
  };
  const std::int32_t yOben = marke(oben);
  // Compare before drawing: the bottom mark is left out when it would crowd the top one.
  const std::int32_t yUnten = WertY(unten, faktor, s.Nulllinie);
  if (Minus(yOben, yUnten) > 100) marke(unten);
}

void SkalenRaster(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s,
                  const TGrafikstatistik& st, double r, std::int32_t ah,
                  const std::optional<Skalenwahl>& vorgabe, Skalenwahl& vorschlag) {
  const std::int32_t schritte = Div(ah, 40);
  if (schritte <= 0) return;
  c.StiftFarbe(Silber);
  double schritt = r / schritte;
  if (schritt > 1.0) schritt = std::trunc(schritt);
  double anfang = schritt;
  if (vorgabe) {
    anfang = 0.0;
    schritt = vorgabe->Skalenteilung;
  } else {
    vorschlag = {st.Minimum, schritt, s.Skalierung};
  }
  // A step or factor that is not positive would repeat one line for ever.
  if (!(schritt > 0) || !(st.Faktor > 0)) return;
  const std::int32_t xText = Plus(s.P2.x, 30);
  auto linie = [&](double v) {
    const std::int32_t y = WertY(v, st.Faktor, s.Nulllinie);
    const std::int32_t tiefe = Minus(0, y);
    if (s.P1.d < tiefe && tiefe < s.P2.d) {
      c.MoveTo(s.P1.x, y);
      c.LineTo(s.P2.x, y);
      New_TextAusgabe(c, f, log, xText, FestFormat(v, 6, 2), 0, Grau, 1, Minus(y, 20));
    }
    return tiefe;
  };
  // The strip holds at most its height in 0.1 mm of lines.
  const std::int32_t hoechstens = Plus(Minus(s.P2.d, s.P1.d), 2);
  if (st.Maximum > 0) {
    double v = anfang;
    for (std::int32_t i = 0; i < hoechstens && linie(v) >= s.P1.d; ++i) v += schritt;
  }
  if (st.Minimum < 0) {
    double v = anfang;
    for (std::int32_t i = 0; i < hoechstens && linie(v) <= s.P2.d; ++i) v -= schritt;
  }
}

}  // namespace pegel::chart
