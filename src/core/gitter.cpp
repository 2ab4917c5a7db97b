#include "gitter.h"

#include <algorithm>
#include <cstring>

namespace pegel {

std::size_t gitter::Felder(std::size_t zeile) const {
  if (zeile >= zeilen_.size()) return 0;
  const std::size_t naechstes =
      zeile + 1 < zeilen_.size() ? zeilen_[zeile + 1].erstesFeld : feldAnfang_.size();
  return naechstes - zeilen_[zeile].erstesFeld;
}

std::string_view gitter::Zelle(std::size_t zeile, std::size_t spalte) const {
  if (spalte >= Spalten) return {};
  const std::size_t felder = Felder(zeile);
  if (spalte >= felder) return {};
  const std::size_t k = zeilen_[zeile].erstesFeld + spalte;
  const std::size_t anfang = feldAnfang_[k];
  // A field ends at the ";" before the next field, the last one at the line's end.
  const std::size_t ende = spalte + 1 < felder ? feldAnfang_[k + 1] - 1 : zeilen_[zeile].ende;
  return std::string_view(daten_.data() + anfang, ende - anfang);
}

void gitter::Freigeben() {
  std::string().swap(daten_);
  std::vector<std::uint32_t>().swap(feldAnfang_);
  std::vector<Zeile>().swap(zeilen_);
}

void gitter::ZeilenReservieren(std::size_t zeilen) { zeilen_.reserve(zeilen); }

gitter::Ergebnis gitter::Aufteilen(std::string bytes) {
  feldAnfang_.clear();
  zeilen_.clear();
  daten_.clear();
  if (bytes.size() > MaxBytes) {
    Freigeben();
    return Ergebnis::ZuGross;
  }
  const char* const p = bytes.data();
  const std::size_t groesse = bytes.size();

  // Every field begins after a ";" or at a line start, so this bound is exact enough to
  // reserve once and never reallocate.
  const std::size_t trenner = static_cast<std::size_t>(std::count(p, p + groesse, ';'));
  const std::size_t umbrueche = static_cast<std::size_t>(std::count(p, p + groesse, '\n'));
  feldAnfang_.reserve(trenner + umbrueche + 1);
  zeilen_.reserve(umbrueche + 1);

  std::size_t pos = 0;
  while (pos < groesse) {
    const void* lf = std::memchr(p + pos, '\n', groesse - pos);
    const std::size_t zeilenEnde =
        lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - p) : groesse;
    std::size_t ende = zeilenEnde;
    if (lf && ende > pos && p[ende - 1] == '\r') --ende;

    const std::size_t erstes = feldAnfang_.size();
    feldAnfang_.push_back(static_cast<std::uint32_t>(pos));
    std::size_t felder = 1;
    for (std::size_t i = pos; i < ende; ++i) {
      if (p[i] == ';') {
        if (++felder > Spalten) {
          Freigeben();
          return Ergebnis::ZuVieleFelder;
        }
        feldAnfang_.push_back(static_cast<std::uint32_t>(i + 1));
      }
    }
    zeilen_.push_back(Zeile{static_cast<std::uint32_t>(erstes), static_cast<std::uint32_t>(ende)});
    pos = zeilenEnde + 1;
  }
  daten_ = std::move(bytes);
  return Ergebnis::Ok;
}

}  // namespace pegel
