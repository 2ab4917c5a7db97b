#include "anlage.h"

#include <algorithm>

#include "cp1252.h"
#include "text_format.h"

namespace pegelsim {

namespace {

using pegel::Ansi;

constexpr std::int32_t Rot = 0x0000FF;
constexpr std::int32_t Gruen = 0x008000;
constexpr std::int32_t Blau = 0xFF0000;
constexpr std::int32_t Schwarz = 0x000000;
constexpr std::int32_t Oliv = 0x008080;
constexpr std::int32_t Lila = 0x800080;

Parameter Vorlage(Art art) {
  switch (art) {
    case Art::PegelMeter:
      return {art, 0, "", "Pegel Pumpensumpf", "m", 1, 0, 3, -1.0, 6.0, 0.5, 3.5, Blau, Rot};
    case Art::Zulauf:
      return {art, 0, "", "Zulaufmenge", Ansi("m³/h"), 1, 0, 2, -10.0, 500.0, 0, 0, Gruen, Rot};
    case Art::Pumpe:
      return {art, 0, "", "Pumpe", "-", 2, 0, 0, -1.0, 2.0, 0, 0, Schwarz, Rot};
    case Art::PegelZentimeter:
      return {
          art,   0,    "", Ansi("Wasserstand Überlaufbecken"), "cm", 1, 1, 2, -50.0, 500.0, 20.0,
          250.0, Oliv, Rot};
    case Art::Temperatur:
      return {art,  0,    "", Ansi("Temperatur Rücklauf"), Ansi("°C"), 1, 2, 2, -30.0, 60.0, 2.0,
              25.0, Lila, Rot};
    case Art::Druck:
      return {art, 0,    "", Ansi("Druck Förderleitung"), "bar", 1, 0, 3, -1.0, 16.0, 0.5,
              6.0, Blau, Rot};
  }
  return {};
}

std::string Zahl(double v) { return pegel::FestFormat(v, 7, 2); }

void Abschnitt(std::string& t, const char* name, const std::vector<Parameter>& par,
               std::string (*wert)(const Parameter&)) {
  t += std::string("[") + name + "]\r\n";
  for (std::size_t i = 0; i < par.size(); ++i) {
    t += "Item" + std::to_string(i + 1) + "=" + wert(par[i]) + "\r\n";
  }
  t += "\r\n";
}

}  // namespace

std::vector<Parameter> AnlageBauen(int anzahl) {
  static constexpr Art reihe[] = {Art::PegelMeter,      Art::Zulauf,     Art::Pumpe,
                                  Art::PegelZentimeter, Art::Temperatur, Art::Druck};
  std::vector<Parameter> par;
  for (int i = 0; i < anzahl; ++i) {
    Parameter p = Vorlage(reihe[i % 6]);
    p.station = i / 6;
    p.item = "SPS" + std::to_string(p.station + 1) + "!DB10,REAL" + std::to_string(4 * (i % 6));
    p.name += " " + std::to_string(p.station + 1);
    par.push_back(p);
  }
  return par;
}

std::string IniText(const std::vector<Parameter>& par, int intervallSekunden) {
  const bool minuten = intervallSekunden >= 60 && intervallSekunden % 60 == 0;
  std::string t = "[DDE]\r\nItemcount=" + std::to_string(par.size()) + "\r\nIntervall=" +
                  std::to_string(minuten ? intervallSekunden / 60 : intervallSekunden) +
                  "\r\nEinheit=" + (minuten ? "1" : "0") + "\r\n\r\n";
  // The longest chart span whose points fit into the viewer's largest buffer (480).
  static const int kSpannen[] = {60, 720, 1800, 3600, 7200, 21600, 43200, 86400};
  int auswahl = 0;
  for (int k = 0; k < 8; ++k) {
    if (kSpannen[k] / std::max(1, intervallSekunden) <= 480) auswahl = k;
  }
  t += "[Grafik]\r\nIntervall=" + std::to_string(std::max(1, std::min(59, intervallSekunden))) +
       "\r\nEinheit=0\r\nPuffer=" + std::string(auswahl == 0 ? "60" : "480") +
       "\r\nAuswahl=" + std::to_string(auswahl) + "\r\nAutoStart=1\r\nAlteDaten=1\r\n\r\n";
  // Room for the parameters' titles before the statistics in the chart headers: "Min.="
  // stands 40 mm + Textrand/10 mm right of the title's start. The longest title,
  // "Wasserstand Überlaufbecken 30 [cm]" in 4 mm bold italic Arial, is 63.6 mm wide, so
  // 300 leaves 6 mm clear.
  t += "[PegelWart]\r\nTextrand=" + std::to_string(DemoTextrand) + "\r\n\r\n";
  Abschnitt(t, "Items", par, [](const Parameter& p) { return p.item; });
  Abschnitt(t, "Itemnames", par, [](const Parameter& p) { return p.name; });
  Abschnitt(t, "Einheiten", par,
            [](const Parameter& p) { return p.einheit.empty() ? std::string("-") : p.einheit; });
  Abschnitt(t, "Grafiktyp", par, [](const Parameter& p) { return std::to_string(p.grafiktyp); });
  Abschnitt(t, "GrafikRef", par, [](const Parameter& p) { return std::to_string(p.grafikRef); });
  // The first station is charted; a chart page holds at most nine strips.
  Abschnitt(t, "Grafikanzeige", par,
            [](const Parameter& p) { return std::string(p.station == 0 ? "1" : "0"); });
  Abschnitt(t, "UpLimit", par, [](const Parameter& p) { return Zahl(p.upLimit); });
  Abschnitt(t, "LoLimit", par, [](const Parameter& p) { return Zahl(p.loLimit); });
  Abschnitt(t, "UpWarn", par, [](const Parameter& p) { return Zahl(p.upWarn); });
  Abschnitt(t, "LoWarn", par, [](const Parameter& p) { return Zahl(p.loWarn); });
  Abschnitt(t, "ColorWarn", par, [](const Parameter& p) { return std::to_string(p.colorWarn); });
  Abschnitt(t, "ColorNorm", par, [](const Parameter& p) { return std::to_string(p.colorNorm); });
  Abschnitt(t, "GrafikSumEinheit", par, [](const Parameter& p) {
    return p.art == Art::Zulauf ? Ansi("m³") : p.art == Art::Pumpe ? std::string("h") : p.einheit;
  });
  for (std::size_t i = 0; i < par.size(); ++i) {
    if (par[i].grafikRef != 2) continue;
    t += "[Item_" + std::to_string(i + 1) + "]\r\nMinSkal=" + Zahl(0.0) +
         "\r\nMaxSkal=" + Zahl(30.0) + "\r\n\r\n";
  }
  return t;
}

}  // namespace pegelsim
