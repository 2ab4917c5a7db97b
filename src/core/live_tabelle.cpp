#include "live_tabelle.h"

#include <algorithm>
#include <stdexcept>

#include "text_format.h"

namespace pegel {

void LiveTabelle::SpaltenSetzen(int spalten) {
  spalten = std::max(0, spalten);
  if (spalten == spalten_) return;
  const auto n = static_cast<std::size_t>(Zeilen) * static_cast<std::size_t>(spalten);
  std::vector<Eintrag> zellen(n);
  std::vector<std::string> texte(n);
  const int gemeinsam = std::min(spalten, spalten_);
  for (int z = 0; z < Zeilen; ++z) {
    for (int sp = 0; sp < gemeinsam; ++sp) {
      const std::size_t alt = Index(sp, z);
      const std::size_t neu = static_cast<std::size_t>(z) * static_cast<std::size_t>(spalten) +
                              static_cast<std::size_t>(sp);
      zellen[neu] = zellen_[alt];
      texte[neu] = std::move(texte_[alt]);
    }
  }
  zellen_ = std::move(zellen);
  texte_ = std::move(texte);
  spalten_ = spalten;
  geaendert_ = true;
}

std::size_t LiveTabelle::Index(int spalte, int zeile) const {
  if (spalte < 0 || spalte >= spalten_ || zeile < 0 || zeile >= Zeilen) {
    throw std::out_of_range("LiveTabelle: Zelle ausserhalb der Tabelle");
  }
  return static_cast<std::size_t>(zeile) * static_cast<std::size_t>(spalten_) +
         static_cast<std::size_t>(spalte);
}

void LiveTabelle::Text(int spalte, int zeile, const std::string& text) {
  const std::size_t i = Index(spalte, zeile);
  texte_[i] = text;
  zellen_[i].dezimalen = -1;
  geaendert_ = true;
}

void LiveTabelle::Zahl(int spalte, int zeile, double wert, int dezimalen) {
  Eintrag& e = zellen_[Index(spalte, zeile)];
  e.wert = wert;
  e.dezimalen = static_cast<std::int8_t>(std::max(0, std::min(18, dezimalen)));
  geaendert_ = true;
}

std::string LiveTabelle::Zelle(int spalte, int zeile) const {
  const std::size_t i = Index(spalte, zeile);
  const Eintrag& e = zellen_[i];
  if (e.dezimalen < 0) return texte_[i];
  return FestFormat(e.wert, Genauigkeit, e.dezimalen);
}

std::vector<std::vector<std::string>> LiveTabelle::AlleZeilen() const {
  std::vector<std::vector<std::string>> alle(Zeilen);
  for (int z = 0; z < Zeilen; ++z) {
    for (int sp = 0; sp < spalten_; ++sp) alle[static_cast<std::size_t>(z)].push_back(Zelle(sp, z));
  }
  return alle;
}

void LiveTabelle::Benachrichtigen() {
  if (!geaendert_) return;
  geaendert_ = false;
  if (beobachter_ != nullptr) beobachter_->TabelleGeaendert();
}

}  // namespace pegel
