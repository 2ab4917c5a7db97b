#include "aktdat.h"

#include <algorithm>

#include "text_format.h"

namespace pegelsim {

namespace {
std::string Zahl(double v) { return pegel::FestFormat(v, 7, 2); }
}  // namespace

AktDaten::AktDaten(const std::vector<Parameter>& par) : par_(par), z_(par.size()) {}

void AktDaten::Zuruecksetzen() {
  for (auto& z : z_) z = Zahlen{};
}

void AktDaten::Eintragen(const std::vector<double>& werte, double sekunden) {
  for (std::size_t i = 0; i < z_.size() && i < werte.size(); ++i) {
    auto& z = z_[i];
    const double w = werte[i];
    z.minimum = z.anzahl == 0 ? w : std::min(z.minimum, w);
    z.maximum = z.anzahl == 0 ? w : std::max(z.maximum, w);
    z.summe += w;
    ++z.anzahl;
    // Flow in m³/h times hours gives m³; pump state times hours gives operating hours.
    z.integral += w * sekunden / 3600.0;
    z.fenster.push_back(w);
    while (z.fenster.size() > Fenster) z.fenster.pop_front();
  }
}

std::string AktDaten::Text() const {
  std::string t;
  for (std::size_t i = 0; i < z_.size(); ++i) {
    const auto& z = z_[i];
    const auto& p = par_[i];
    if (z.anzahl == 0) {
      t += "n.v.;n.v.;n.v.;n.v.;n.v.;n.v.;n.v.;n.v.;\r\n";
      continue;
    }
    const bool pumpe = p.art == Art::Pumpe;
    t += Zahl(z.summe / static_cast<double>(z.anzahl)) + ";" + Zahl(z.minimum) + ";" +
         Zahl(z.maximum) + ";";
    t += (pumpe ? Zahl(z.integral) : std::string("n.v.")) + ";";
    t += (pumpe || p.art == Art::Zulauf ? Zahl(z.integral) : std::string("n.v.")) + ";";
    if (pumpe) {
      t += "n.v.;n.v.;n.v.;";
    } else {
      double s = 0, mi = z.fenster.front(), ma = z.fenster.front();
      for (double w : z.fenster) {
        s += w;
        mi = std::min(mi, w);
        ma = std::max(ma, w);
      }
      t += Zahl(s / static_cast<double>(z.fenster.size())) + ";" + Zahl(mi) + ";" + Zahl(ma) + ";";
    }
    t += "\r\n";
  }
  return t;
}

}  // namespace pegelsim
