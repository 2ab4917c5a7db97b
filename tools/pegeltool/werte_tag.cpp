#include "werte_tag.h"

#include <algorithm>
#include <iostream>

#include "cp1252.h"
#include "grenzen.h"
#include "konfiguration.h"
#include "text_format.h"

namespace pegeltool {

namespace {

using kommandozeile::Aufruffehler;

int ParameterNummer(const std::string& t) {
  const auto n = pegel::GanzzahlLesen(t);
  if (!n || *n < 1 || *n > pegel::MaxItems) {
    throw Aufruffehler("--params: Parameternummern von 1 bis " + std::to_string(pegel::MaxItems) +
                       " erwartet, nicht '" + t + "'");
  }
  return *n;
}

bool IstTag(const std::string& t) {
  return t.size() == 8 &&
         std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::vector<int> ParameterListeLesen(const std::string& text) {
  std::vector<int> p;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    const std::size_t ende = std::min(text.find(',', pos), text.size());
    const std::string teil = text.substr(pos, ende - pos);
    const std::size_t strich = teil.find('-', 1);
    if (strich == std::string::npos) {
      p.push_back(ParameterNummer(teil));
    } else {
      const int a = ParameterNummer(teil.substr(0, strich));
      const int b = ParameterNummer(teil.substr(strich + 1));
      if (b < a) throw Aufruffehler("--params: Bereich " + teil + " ist leer");
      for (int n = a; n <= b; ++n) p.push_back(n);
    }
    pos = ende + 1;
  }
  return p;
}

std::string ZeitOption(const std::string& option, const std::string& text) {
  if (!pegel::ZeitLesen(text)) {
    throw Aufruffehler(option + ": Uhrzeit hh:mm:ss erwartet, nicht '" + text + "'");
  }
  return text;
}

WerteTag::WerteTag(const std::string& verz, const std::string& t) : lauf(verz, true), tag(t) {
  pegel::Initialisierung(lauf.s, lauf.d);
  pegel::FormateLesen(lauf.s, lauf.d);
  pegel::LadeAuftrag auftrag;
  auftrag.Suchverzeichnis = lauf.s.Pfade.ProgDir;
  auftrag.Vorauswahl = std::filesystem::path(tag + ".DAT");
  auftrag.DDEIntervallMs = lauf.s.Takt.DDEIntervallMs;
  auftrag.jetzt = lauf.uhr.Jetzt();
  ladung = pegel::HistorienTagLaden(auftrag);
}

std::vector<pegel::WerteSpalte> WerteTag::Spalten(const std::vector<int>& parameter) const {
  const int anzahl = std::clamp(ladung.HistKopf.Itemcount, 0, pegel::MaxItems);
  std::vector<int> p = parameter;
  if (p.empty()) {
    for (int n = 1; n <= anzahl; ++n) p.push_back(n);
  }
  for (const int n : p) {
    if (n > anzahl) {
      throw Aufruffehler("--params: der Tag " + tag + " hat die Parameter 1 bis " +
                         std::to_string(anzahl) + ", nicht " + std::to_string(n));
    }
  }
  return pegel::ParameterSpalten(ladung.HistKopf, p);
}

pegel::WerteTabelle WerteTag::Tabelle(const std::vector<int>& parameter,
                                      const std::optional<std::string>& von,
                                      const std::optional<std::string>& bis) const {
  const pegel::gitter& g = ladung.DatenGitter;
  const auto zeilen = static_cast<std::size_t>(std::max(0, ladung.Zeilenzahl));
  const pegel::TDateTime tVon = von ? pegel::ZeitLesen(*von).value_or(0) : 0;
  const pegel::TDateTime tBis = bis ? pegel::ZeitLesen(*bis).value_or(1) : 1;
  std::size_t erste = zeilen, letzte = 0;
  for (std::size_t r = 0; r < zeilen; ++r) {
    const auto t = pegel::ZeitLesen(g.Zelle(r, pegel::WerteTabelle::ZeitFeld));
    if (!t || *t < tVon) continue;
    if (*t > tBis) break;
    erste = std::min(erste, r);
    letzte = r;
  }
  const std::size_t anzahl = erste < zeilen ? letzte - erste + 1 : 0;
  return pegel::WerteTabelle(g, erste < zeilen ? erste : 0, anzahl, Spalten(parameter));
}

std::unique_ptr<WerteTag> WerteTagLaden(const std::string& kommando,
                                        const std::vector<std::string>& frei) {
  const std::string verz = Anlagenverzeichnis(frei.at(0));
  if (!IstTag(frei.at(1))) {
    throw Aufruffehler("Tag als JJJJMMTT erwartet, nicht '" + frei[1] + "'");
  }
  auto t = std::make_unique<WerteTag>(verz, frei[1]);
  if (!t->ladung.Geladen() || t->ladung.HistKopf.Itemcount < 1) {
    std::cerr << "pegeltool " << kommando << ": keine Daten des Tages " << frei[1] << " in "
              << pegel::Cp1252ZuUtf8(t->lauf.s.Pfade.ProgDir.string()) << "\n";
    return nullptr;
  }
  return t;
}

}  // namespace pegeltool
