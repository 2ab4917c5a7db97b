#include "kopf_fuss.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "cp1252.h"
#include "geometrie.h"
#include "text_format.h"

namespace pegel::chart {

namespace {

// The sum of text 5 in the display unit; empty when it cannot be shown.
std::optional<std::string> SummenText(const ChartAnzeige& a) {
  const auto summe = ZahlLesen(a.Statistiktexte[5]);
  if (!summe || a.GrafikSumTeiler == 0) return std::nullopt;
  const double wert = *summe / a.GrafikSumTeiler;
  if (!std::isfinite(wert)) return std::nullopt;
  return FestFormat(wert, 12, 2) + " " + a.GrafikSumEinheit;
}

}  // namespace

void Fusszeile(Canvas& c, const SchriftTabelle& f, Log& log, std::int32_t pw, std::int32_t ph,
               std::int32_t fuellTiefe, std::int32_t x1, const std::string& text1, std::int32_t x2,
               const std::string& text2) {
  c.PinselFarbe(Weiss);
  c.FuellRechteck(100, Tiefe(fuellTiefe), Minus(pw, 100), Tiefe(ph));
  const std::int32_t y = Tiefe(Minus(ph, 100));
  New_TextAusgabe(c, f, log, x1, text1, 0, Schwarz, 6, y);
  New_TextAusgabe(c, f, log, x2, text2, 0, Schwarz, 6, y);
}

std::string IntervallText(std::int32_t zahl, const std::string& einheit) {
  return Ansi("Meßintervall : ") + GanzText(zahl) + einheit;
}

void Titel(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s,
           const ChartAnzeige& a) {
  New_TextAusgabe(c, f, log, Plus(s.P1.x, 50), a.Name + " [" + a.Einheit + "]", 0, Schwarz, 4,
                  Tiefe(s.P1.d));
}

void LiveKopf(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s,
              const ChartAnzeige& a, std::int32_t textrand) {
  c.PinselFarbe(Weiss);
  c.FuellRechteck(Plus(s.P1.x, 4), Tiefe(Minus(s.P1.d, 40)), Minus(s.P2.x, 4),
                  Tiefe(Minus(s.P1.d, 4)));
  const std::int32_t xs = Plus(Plus(s.P1.x, 50), textrand);
  const std::int32_t y = Tiefe(s.P1.d);
  auto text = [&](std::int32_t dx, const std::string& t) {
    New_TextAusgabe(c, f, log, Plus(xs, dx), t, 0, Blau, 3, y);
  };
  const auto& st = a.Statistiktexte;
  if (s.Typ == Grafiktyp::Digital) {
    if (a.GrafikSumEinheit != "h") {
      if (auto summe = SummenText(a)) text(400, "Summe : " + *summe);
    } else {
      text(400, "Betriebszeit heute : " + st[4] + " h");
    }
    return;
  }
  text(400, "Min.=" + st[2]);
  text(700, "Max.=" + st[3]);
  text(1000, "Mit.=" + st[1]);
  if (st[5] != "n.v.") {
    if (auto summe = SummenText(a)) text(1400, "Summe = " + *summe);
  }
  text(1800, "Wert = " + a.Werttext);
}

void BerechneterKopf(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s,
                     const TGrafikstatistik& st, const std::vector<double>& werte,
                     std::int32_t textrand, std::int32_t messintervall) {
  const std::int32_t xs = Plus(Plus(s.P1.x, 50), textrand);
  const std::int32_t y = Tiefe(s.P1.d);
  auto text = [&](std::int32_t dx, const std::string& t) {
    New_TextAusgabe(c, f, log, Plus(xs, dx), t, 0, Blau, 3, y);
  };
  if (s.Typ == Grafiktyp::Digital) {
    const auto an = std::count_if(werte.begin(), werte.end(), [](double v) { return v > 0.6; });
    double t = static_cast<double>(an) * messintervall / 1000.0;
    std::string einheit = " Sek.";
    if (t >= 3600) {
      t /= 3600;
      einheit = " Std.";
    } else if (t >= 60) {
      t /= 60;
      einheit = " Min.";
    }
    text(400, "Betriebszeit=" + FestFormat(t, 6, 2) + einheit);
    return;
  }
  text(400, "Min.=" + FestFormat(st.Minimum, 6, 2));
  text(700, "Max.=" + FestFormat(st.Maximum, 6, 2));
  text(1000, "Mittel=" + FestFormat(st.Mittelwert, 6, 2));
  text(1300, "Anzahl=" + FestFormat(st.Anzahl, 5, 0));
}

void DruckKopf(Canvas& c, const SchriftTabelle& f, Log& log, const TStreifen& s,
               const TGrafikstatistik& st, const ChartAnzeige& a, std::int32_t textrand) {
  const std::int32_t y = Tiefe(s.P1.d);
  const std::int32_t xs = Plus(s.P1.x, textrand);
  auto text = [&](std::int32_t dx, const std::string& t) {
    New_TextAusgabe(c, f, log, Plus(xs, dx), t, 0, Blau, 3, y);
  };
  if (s.Typ == Grafiktyp::Digital) {
    if (a.AktMax > 0) text(450, "Betriebszeit=" + FestFormat(a.AktMax, 5, 2) + " h");
    return;
  }
  // Without a counted value the start values are no minimum or maximum, and there is no mean.
  if (st.Anzahl > 0) {
    text(450, "Min.=" + FestFormat(st.Minimum, 6, 2));
    text(750, "Max.=" + FestFormat(st.Maximum, 6, 2));
    text(1050, "Mittel=" + FestFormat(st.Mittelwert, 6, 2));
  }
  text(1350, "Anzahl=" + FestFormat(st.Anzahl, 5, 0));
  if (a.AktMax > 0 && a.GrafikSumTeiler != 0) {
    const double summe = a.AktMax / a.GrafikSumTeiler;
    if (std::isfinite(summe)) {
      text(1750, "Summe=" + FestFormat(summe, 9, 1) + " " + a.GrafikSumEinheit);
    }
  }
}

}  // namespace pegel::chart
