#include "blatt_anpassen.h"

#include <cmath>

#include "geometrie.h"

namespace pegel::chart {

BlattMasse BlattRechnen(int cw, int ch, std::int32_t seitenbreite, std::int32_t seitenhoehe) {
  // Both ratios are compared in single precision, as the window's layout always was.
  const float rWin = static_cast<float>(cw - 10) / static_cast<float>(ch - 30);
  const float rSeite = static_cast<float>(seitenbreite) / static_cast<float>(seitenhoehe);
  if (!std::isfinite(rWin) || !std::isfinite(rSeite) || rSeite <= 0) {
    throw GeometrieFehler("Seitenverhältnis");
  }
  BlattMasse m;
  if (rWin < rSeite) {
    m.breite = Minus(cw, 20);
    m.hoehe = Rund(m.breite / static_cast<double>(rSeite));
    m.links = 10;
    m.oben = Rund(ch / 2.0 + 8 - m.hoehe / 2.0);
  } else {
    m.hoehe = Minus(ch, 40);
    m.breite = Rund(m.hoehe * static_cast<double>(rSeite));
    m.links = Rund(cw / 2.0 - m.breite / 2.0);
    m.oben = 30;
  }
  return m;
}

void BlattAnpassen(Flaeche& flaeche, std::int32_t seitenbreite, std::int32_t seitenhoehe, Log& log,
                   const std::string& fenster) {
  try {
    const auto [cw, ch] = flaeche.Innengroesse();
    const BlattMasse m = BlattRechnen(cw, ch, seitenbreite, seitenhoehe);
    if (!flaeche.Platzieren(m.links, m.oben, m.breite, m.hoehe)) {
      log.LogAll(fenster + ".BlattHistAnpassen : Fehler-2");
    }
    if (!flaeche.Abbilden(m.breite, m.hoehe, Mal(seitenbreite, 10), Mal(seitenhoehe, 10))) {
      throw GeometrieFehler("Abbildung");
    }
  } catch (const std::exception&) {
    log.LogAll(fenster + ".BlattHistAnpassen : Fehler-1");
  }
}

}  // namespace pegel::chart
