#include "aktdat.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "text_format.h"
#include "zeilen_leser.h"

namespace pegelsim {

namespace {
std::string Zahl(double v) { return pegel::FestFormat(v, 7, 2); }
}  // namespace

AktDaten::AktDaten(const std::vector<Parameter>& par) : par_(par), z_(par.size()) {}

void AktDaten::Zuruecksetzen() {
  for (auto& z : z_) z = Zahlen{};
}

void AktDaten::EinenEintragen(std::size_t i, double w, double sekunden) {
  auto& z = z_.at(i);
  z.minimum = z.anzahl == 0 ? w : std::min(z.minimum, w);
  z.maximum = z.anzahl == 0 ? w : std::max(z.maximum, w);
  z.summe += w;
  ++z.anzahl;
  // Flow in m³/h times hours gives m³.
  z.integral += w * sekunden / 3600.0;
  if (w > 0.5) z.betrieb += sekunden / 3600.0;
}

void AktDaten::Eintragen(const std::vector<double>& werte, double sekunden) {
  for (std::size_t i = 0; i < z_.size() && i < werte.size(); ++i) {
    EinenEintragen(i, werte[i], sekunden);
  }
}

void AktDaten::TagesdateiEintragen(const std::filesystem::path& dat, double sekunden) {
  std::error_code ec;
  if (!std::filesystem::exists(dat, ec)) return;
  std::ifstream ein(dat, std::ios::binary);
  if (!ein) throw std::runtime_error("kann " + dat.string() + " nicht lesen");
  pegel::ZeilenLeser leser(ein);
  std::string_view zeile;
  while (leser.Naechste(zeile)) {
    // Field 0 is the date, field 1 the time, fields 2.. the values of parameter 1...
    std::size_t feld = 0, anfang = 0;
    for (std::size_t p = 0; p <= zeile.size(); ++p) {
      if (p < zeile.size() && zeile[p] != ';') continue;
      if (feld >= 2 && feld - 2 < z_.size()) {
        const std::string_view text = zeile.substr(anfang, p - anfang);
        EinenEintragen(feld - 2, text.empty() ? 0.0 : pegel::ZahlLesen(text).value_or(0.0),
                       sekunden);
      }
      ++feld;
      anfang = p + 1;
    }
  }
  if (leser.Fehler()) throw std::runtime_error("kann " + dat.string() + " nicht lesen");
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
    const bool digital = p.grafiktyp != 1;
    const std::string mmm = Zahl(z.summe / static_cast<double>(z.anzahl)) + ";" + Zahl(z.minimum) +
                            ";" + Zahl(z.maximum) + ";";
    const std::string summe = digital                ? Zahl(z.betrieb)
                              : p.art == Art::Zulauf ? Zahl(z.integral)
                                                     : std::string("n.v.");
    t += mmm + (digital ? Zahl(z.betrieb) : std::string("n.v.")) + ";" + summe + ";" + mmm;
    t += "\r\n";
  }
  return t;
}

}  // namespace pegelsim
