#include "spannen.h"

#include <array>

namespace pegel {
namespace {

struct Spanne {
  const char* text;
  std::int64_t sekunden;  // 0 for "andere"
  Spannenbeginn beginn;
};

constexpr std::array<Spanne, SpannenAnzahl> kSpannen = {{
    {"1 Minute", 60, Spannenbeginn::Jetzt},
    {"12 Minuten", 720, Spannenbeginn::Jetzt},
    {"30 Minuten", 1800, Spannenbeginn::Jetzt},
    {"1 Stunde", 3600, Spannenbeginn::VolleStunde},
    {"2 Stunden", 7200, Spannenbeginn::VolleStunde},
    {"6 Stunden", 21600, Spannenbeginn::VolleStunde},
    {"12 Stunden", 43200, Spannenbeginn::HalberTag},
    {"24 Stunden", 86400, Spannenbeginn::Mitternacht},
    {"andere", 0, Spannenbeginn::Jetzt},
}};

}  // namespace

std::string SpannenText(int k) {
  if (k < 0 || k >= SpannenAnzahl) return "";
  return kSpannen[static_cast<std::size_t>(k)].text;
}

std::int64_t Spannensekunden(int k, int spAndere) {
  if (k < 0 || k >= SpannenAnzahl) return -1;
  if (k == SpanneAndere) return static_cast<std::int64_t>(spAndere) * 60;
  return kSpannen[static_cast<std::size_t>(k)].sekunden;
}

std::optional<Zeitfenster> SpannenFenster(int k, int spAndere, TDateTime jetzt) {
  if (k < 0 || k >= SpannenAnzahl) return std::nullopt;
  const ZeitTeile z = ZeitZerlegen(jetzt);
  Zeitfenster f;
  // The seconds over 3600 give the same doubles as the hours written as fractions.
  f.Spanne = static_cast<double>(Spannensekunden(k, spAndere)) / 3600.0;
  f.LabelMinuten = f.Spanne * 60.0 / LabelsJeSpanne;
  switch (kSpannen[static_cast<std::size_t>(k)].beginn) {
    case Spannenbeginn::Jetzt:
      f.FestAnfang = ZeitKodieren(z.stunde, z.minute, 0);
      break;
    case Spannenbeginn::VolleStunde: {
      const int stunden = static_cast<int>(f.Spanne);
      const int anfang = z.stunde + stunden > 24 ? 24 - stunden : z.stunde;
      f.FestAnfang = ZeitKodieren(anfang, 0, 0);
      f.Stunden = std::pair{anfang, z.stunde + stunden};
      break;
    }
    case Spannenbeginn::HalberTag:
      f.FestAnfang = ZeitKodieren(z.stunde >= 12 ? 12 : 0, 0, 0);
      break;
    case Spannenbeginn::Mitternacht:
      f.FestAnfang = 0;
      break;
  }
  return f;
}

}  // namespace pegel
