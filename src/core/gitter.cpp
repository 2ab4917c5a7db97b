#include "gitter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>

namespace pegel {

namespace {

constexpr std::uint64_t Einsen = 0x0101010101010101ULL;
constexpr std::uint64_t Sieben = 0x7F7F7F7F7F7F7F7FULL;

// 0x80 in exactly those bytes of v that are zero.
constexpr std::uint64_t NullBytes(std::uint64_t v) {
  return ~(((v & Sieben) + Sieben) | v | Sieben);
}

}  // namespace

gitter::Puffer::Puffer(const Puffer& anderer) {
  Reservieren(anderer.groesse);
  if (anderer.groesse > 0) std::memcpy(daten.get(), anderer.daten.get(), anderer.groesse);
  groesse = anderer.groesse;
}

gitter::Puffer& gitter::Puffer::operator=(const Puffer& anderer) {
  if (this != &anderer) *this = Puffer(anderer);
  return *this;
}

void gitter::Puffer::Reservieren(std::size_t n) {
  if (n <= kapazitaet) return;
  auto neu = std::make_unique_for_overwrite<char[]>(n);
  if (groesse > 0) std::memcpy(neu.get(), daten.get(), groesse);
  daten = std::move(neu);
  kapazitaet = n;
}

std::size_t gitter::Felder(std::size_t zeile) const {
  return zeile < zeilen_.size() ? zeilen_[zeile].felder : 0;
}

gitter::ZeilenSicht gitter::Sicht(std::size_t zeile) const {
  ZeilenSicht s;
  if (zeile >= zeilen_.size()) return s;
  const Zeile& z = zeilen_[zeile];
  s.zeile_ = daten_.daten.get() + z.anfang;
  // erstesFeld may lie at the end of its table for a line of one field, which has no offset
  // to read there.
  s.kurzeVersaetze_ = kurz_.data() + (z.lang ? 0 : z.erstesFeld);
  s.langeVersaetze_ = lang_.data() + (z.lang ? z.erstesFeld : 0);
  s.lang_ = z.lang;
  s.felder_ = z.felder;
  s.ende_ = z.ende - z.anfang;
  s.abgeschlossen_ = z.ende < daten_.groesse;
  return s;
}

std::string_view gitter::Zelle(std::size_t zeile, std::size_t spalte) const {
  return Sicht(zeile).Feld(spalte);
}

void gitter::Freigeben() {
  daten_ = Puffer{};
  std::vector<std::uint16_t>().swap(kurz_);
  std::vector<std::uint32_t>().swap(lang_);
  std::vector<Zeile>().swap(zeilen_);
}

void gitter::Reservieren(std::size_t zeilen, std::size_t trenner) {
  zeilen_.reserve(zeilen);
  kurz_.reserve(trenner);
}

gitter::Ergebnis gitter::Aufteilen(std::string_view bytes) {
  Puffer kopie;
  kopie.Reservieren(bytes.size());
  if (!bytes.empty()) std::memcpy(kopie.daten.get(), bytes.data(), bytes.size());
  kopie.groesse = bytes.size();
  return Aufteilen(std::move(kopie));
}

gitter::Ergebnis gitter::Aufteilen(Puffer bytes) {
  daten_ = Puffer{};
  kurz_.clear();
  lang_.clear();
  zeilen_.clear();
  if (bytes.groesse > MaxBytes) {
    Freigeben();
    return Ergebnis::ZuGross;
  }
  const char* const p = bytes.daten.get();
  const std::size_t groesse = bytes.groesse;
  if (kurz_.capacity() == 0 && groesse > 0) {
    Reservieren(static_cast<std::size_t>(std::count(p, p + groesse, '\n')) + 1,
                static_cast<std::size_t>(std::count(p, p + groesse, ';')));
  }
  // Written through an index rather than push_back: sized once, cut to length at the end.
  kurz_.resize(std::max<std::size_t>(kurz_.capacity(), 64));
  std::size_t k = 0;

  std::size_t anfang = 0;  // of the current line
  std::size_t felder = 1;
  std::size_t erstes = 0;
  bool lang = false;

  const auto feld = [&](std::size_t i) {
    if (felder == Spalten) return false;
    const std::size_t versatz = i + 1 - anfang;
    if (!lang && versatz > std::numeric_limits<std::uint16_t>::max()) {
      // The line outgrows 16-bit offsets: its offsets so far move to lang_.
      lang = true;
      const std::size_t neu = lang_.size();
      lang_.insert(lang_.end(), kurz_.begin() + static_cast<std::ptrdiff_t>(erstes),
                   kurz_.begin() + static_cast<std::ptrdiff_t>(k));
      k = erstes;
      erstes = neu;
    }
    if (lang) {
      lang_.push_back(static_cast<std::uint32_t>(versatz));
    } else {
      if (k == kurz_.size()) kurz_.resize(2 * kurz_.size());
      kurz_[k++] = static_cast<std::uint16_t>(versatz);
    }
    ++felder;
    return true;
  };
  const auto zeile = [&](std::size_t i) {
    std::size_t ende = i;
    if (ende > anfang && p[ende - 1] == '\r') --ende;
    zeilen_.push_back(Zeile{static_cast<std::uint32_t>(anfang), static_cast<std::uint32_t>(ende),
                            static_cast<std::uint32_t>(erstes), static_cast<std::uint8_t>(felder),
                            lang});
    anfang = i + 1;
    felder = 1;
    lang = false;
    erstes = k;
  };
  const auto zeichen = [&](std::size_t i) { return p[i] == ';' ? feld(i) : (zeile(i), true); };

  // Eight bytes at a time: a day file has a separator every five or six bytes, and each
  // word is looked at once, its hits taken lowest address first.
  const std::size_t wortEnde =
      std::endian::native == std::endian::little ? groesse - groesse % 8 : 0;
  bool ok = true;
  for (std::size_t w = 0; ok && w < wortEnde; w += 8) {
    std::uint64_t x;
    std::memcpy(&x, p + w, 8);
    std::uint64_t m = NullBytes(x ^ (Einsen * ';')) | NullBytes(x ^ (Einsen * '\n'));
    while (ok && m != 0) {
      ok = zeichen(w + static_cast<std::size_t>(std::countr_zero(m) / 8));
      m &= m - 1;
    }
  }
  for (std::size_t i = wortEnde; ok && i < groesse; ++i) {
    if (p[i] == ';' || p[i] == '\n') ok = zeichen(i);
  }
  if (!ok) {
    Freigeben();
    return Ergebnis::ZuVieleFelder;
  }
  if (anfang < groesse) zeile(groesse);  // a last line without line break
  kurz_.resize(k);
  daten_ = std::move(bytes);
  return Ergebnis::Ok;
}

}  // namespace pegel
