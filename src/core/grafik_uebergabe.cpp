#include "grafik_uebergabe.h"

#include <algorithm>
#include <cmath>

#include "cp1252.h"
#include "meldungstexte.h"
#include "text_format.h"

namespace pegel {

namespace {

constexpr std::int32_t MaxLabels = 16;
constexpr std::size_t MaxGrafiken = 9;

// Row `j` of the span as a grid index; past the end for rows before the grid.
std::size_t Zeile(std::int32_t ersteZeile, std::int32_t j) {
  const std::int64_t r = static_cast<std::int64_t>(ersteZeile) - 1 + j;
  return r < 0 ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(r);
}

}  // namespace

Zeitteilung ZeitTeilung(std::int32_t zeilen) {
  Zeitteilung t;
  if (zeilen < 1) return t;
  std::int64_t l = zeilen;
  if (l > MaxLabels) {
    // The first d with zeilen / d <= 16 is zeilen / 16 rounded up (at least 2 here).
    const std::int64_t d = (l + MaxLabels - 1) / MaxLabels;
    l = zeilen / d;
  }
  t.labels = static_cast<std::int32_t>(l);
  t.schritt = std::max(1.0, static_cast<double>(zeilen) / static_cast<double>(l));
  return t;
}

std::vector<std::string> Zeitlabels(const gitter& grid, std::int32_t ersteZeile,
                                    std::int32_t zeilen, const Zeitteilung& teilung) {
  std::vector<std::string> labels;
  std::int32_t n = 0;
  for (std::int32_t j = 0; j < zeilen && n < teilung.labels; ++j) {
    if (std::trunc(n * teilung.schritt) <= j) {
      labels.emplace_back(grid.Zelle(Zeile(ersteZeile, j), 1));
      ++n;
    }
  }
  return labels;
}

std::vector<double> SpaltenWerte(const gitter& grid, std::int32_t parameter,
                                 std::int32_t ersteZeile, std::int32_t zeilen) {
  std::vector<double> werte;
  if (zeilen < 1) return werte;
  werte.reserve(static_cast<std::size_t>(zeilen));
  const std::size_t spalte =
      parameter < 0 ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(parameter) + 1;
  for (std::int32_t j = 0; j < zeilen; ++j) {
    werte.push_back(ZahlLesen(grid.Zelle(Zeile(ersteZeile, j), spalte)).value_or(0.0));
  }
  return werte;
}

std::vector<std::vector<double>> SpaltenWerte(const gitter& grid, const std::vector<int>& parameter,
                                              std::int32_t ersteZeile, std::int32_t zeilen) {
  std::vector<std::vector<double>> werte(parameter.size());
  if (zeilen < 1) return werte;
  std::vector<std::size_t> spalten;
  spalten.reserve(parameter.size());
  for (std::size_t k = 0; k < parameter.size(); ++k) {
    werte[k].reserve(static_cast<std::size_t>(zeilen));
    const int p = parameter[k];
    spalten.push_back(p < 0 ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(p) + 1);
  }
  for (std::int32_t j = 0; j < zeilen; ++j) {
    const gitter::ZeilenSicht zeile = grid.Sicht(Zeile(ersteZeile, j));
    for (std::size_t k = 0; k < spalten.size(); ++k) {
      werte[k].push_back(ZahlLesen(zeile.Feld(spalten[k])).value_or(0.0));
    }
  }
  return werte;
}

std::optional<std::string> GrafikUebergabePruefen(std::int32_t zeilen, std::size_t parameter) {
  if (zeilen < 2) {
    return Ansi("Weniger als zwei Messwerte. Grafische Anzeige nicht möglich !");
  }
  if (parameter == 0) return Ansi("Sie haben keine Parameter ausgewählt !");
  if (parameter > MaxGrafiken) {
    return text::ZuVieleGrafiken(MaxGrafiken);
  }
  return std::nullopt;
}

}  // namespace pegel
