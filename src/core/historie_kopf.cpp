#include "historie_kopf.h"

#include <algorithm>

#include "cp1252.h"
#include "tagesdateien.h"

namespace pegel {

namespace {

// Characters [von, von + anzahl) of `text`, as far as it has them.
std::string_view Teil(std::string_view text, std::size_t von, std::size_t anzahl) {
  return von < text.size() ? text.substr(von, anzahl) : std::string_view{};
}

// day.month.year from YYYYMMDD.
HistorienTag TagAusAcht(std::string_view acht, std::string kennung) {
  HistorienTag t;
  t.lbDatum = std::string(Teil(acht, 6, 2)) + "." + std::string(Teil(acht, 4, 2)) + "." +
              std::string(Teil(acht, 0, 4));
  t.Tageskennung = std::move(kennung);
  t.Tag = DatumLesen(t.lbDatum);
  return t;
}

}  // namespace

HistorienTag TagAusEintrag(std::string_view eintrag) {
  return TagAusAcht(Teil(eintrag, 0, 8), std::string(eintrag));
}

HistorienTag TagAusDateiname(std::string_view name) {
  const auto punkt = name.rfind('.');
  const std::string_view basis = punkt == std::string_view::npos ? name : name.substr(0, punkt);
  const std::string_view acht = basis.substr(basis.size() - std::min<std::size_t>(8, basis.size()));
  return TagAusAcht(acht, std::string(acht));
}

std::string UngueltigesDatumText() { return Ansi("Ungültiges Datum ?"); }

std::string ParameterEintrag(const Kopfdaten::Parameter& par) {
  return par.Name + "  [" + par.Einheit + "]";
}

std::optional<HistorienKopf> HistorienKopfLesen(const std::filesystem::path& pgh) {
  try {
    HistorienKopf k;
    if (!KopfLesen(pgh, k.kopf, k.Messintervall)) return std::nullopt;
    const int n = std::clamp(k.kopf.Itemcount, 0, MaxItems);
    k.lbPars.reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
      k.lbPars.push_back(ParameterEintrag(k.kopf.Par.at(static_cast<std::size_t>(i))));
    }
    return k;
  } catch (...) {
    // Only a failed allocation gets here: the header counts as unreadable.
    return std::nullopt;
  }
}

}  // namespace pegel
