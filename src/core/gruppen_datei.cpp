#include "gruppen_datei.h"

#include <fstream>
#include <system_error>

#include "cp1252.h"
#include "datei_ersetzen.h"

namespace pegel {
namespace {

constexpr std::size_t kNameOffsetNeu = 720;
constexpr std::size_t kNameOffsetAlt = 240;
constexpr std::size_t kNameLaenge = 30;

void Int32Schreiben(std::uint8_t* p, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t Int32Lesen(const std::uint8_t* p) {
  std::uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(p[i]) << (8 * i);
  return static_cast<std::int32_t>(u);
}

// Moves an unusable group file out of the way; the previous backup is replaced.
void Beiseitelegen(const PegelStatus& s) {
  if (s.NurLesen) return;
  std::error_code ec;
  std::filesystem::path bak = s.Pfade.GruppenDatei;
  bak += ".bak";
  std::filesystem::rename(s.Pfade.GruppenDatei, bak, ec);
  if (ec) std::filesystem::remove(s.Pfade.GruppenDatei, ec);
}

}  // namespace

std::array<std::uint8_t, GruppenSatzLaenge> GruppeKodieren(const TGruppe& g) {
  std::array<std::uint8_t, GruppenSatzLaenge> satz{};
  for (std::size_t i = 0; i < g.Mitglieder.size(); ++i)
    Int32Schreiben(&satz[4 * i], g.Mitglieder[i]);
  const std::string name = Gekuerzt(g.Name, kNameLaenge);
  satz[kNameOffsetNeu] = static_cast<std::uint8_t>(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    satz[kNameOffsetNeu + 1 + i] = static_cast<std::uint8_t>(name[i]);
  }
  Int32Schreiben(&satz[751], g.Mitgliederzahl);
  satz[755] = g.Drucken ? 1 : 0;
  return satz;
}

TGruppe GruppeDekodieren(const std::uint8_t* satz, std::size_t laenge) {
  TGruppe g;
  const bool alt = laenge == GruppenSatzLaengeAlt;
  const std::size_t mitglieder = alt ? 60 : static_cast<std::size_t>(MaxItems);
  for (std::size_t i = 0; i < mitglieder; ++i) g.Mitglieder[i] = Int32Lesen(satz + 4 * i);
  const std::size_t nameOffset = alt ? kNameOffsetAlt : kNameOffsetNeu;
  const std::size_t n = std::min<std::size_t>(satz[nameOffset], kNameLaenge);
  g.Name.assign(reinterpret_cast<const char*>(satz + nameOffset + 1), n);
  g.Mitgliederzahl = Int32Lesen(satz + nameOffset + 31);
  g.Drucken = satz[nameOffset + 35] != 0;
  return g;
}

std::vector<std::int32_t> GruppenMitglieder(const TGruppe& g) {
  std::vector<std::int32_t> m;
  for (std::int32_t p : g.Mitglieder) {
    if (p <= 0) break;
    m.push_back(p);
  }
  return m;
}

bool GruppenDateiSchreiben(const std::filesystem::path& datei,
                           const std::vector<TGruppe>& gruppen) {
  std::string bytes;
  bytes.reserve(gruppen.size() * GruppenSatzLaenge);
  for (const TGruppe& g : gruppen) {
    const auto satz = GruppeKodieren(g);
    bytes.append(reinterpret_cast<const char*>(satz.data()), satz.size());
  }
  return DateiErsetzen(datei, bytes);
}

std::vector<std::string> GruppenNamenLesen(const std::filesystem::path& datei) {
  std::vector<std::string> namen;
  std::error_code ec;
  const std::uintmax_t groesse = std::filesystem::file_size(datei, ec);
  if (ec || groesse % GruppenSatzLaenge != 0) return namen;
  std::ifstream f(datei, std::ios::binary);
  std::vector<std::uint8_t> satz(GruppenSatzLaenge);
  for (int g = 0; g < MaxGruppen && f; ++g) {
    if (!f.read(reinterpret_cast<char*>(satz.data()), static_cast<std::streamsize>(satz.size()))) {
      break;
    }
    namen.push_back(GruppeDekodieren(satz.data(), GruppenSatzLaenge).Name);
  }
  return namen;
}

void GruppenDateiLesen(PegelStatus& s, Dienste& d) {
  d.log.LogAll("Automatischer Ausdruck folgender Gruppen:");
  s.Gruppen.GruppenAnzahl = 0;
  std::error_code ec;
  if (!std::filesystem::exists(s.Pfade.GruppenDatei, ec)) {
    d.log.LogAll("Keine Gruppen definiert !");
    return;
  }
  const std::uintmax_t groesse = std::filesystem::file_size(s.Pfade.GruppenDatei, ec);
  // Reads `anzahl` records of `laenge` bytes; false on a read error or too many records.
  auto lesen = [&](std::size_t laenge, std::vector<TGruppe>& gruppen) {
    if (ec) return false;
    const std::uintmax_t anzahl = groesse / laenge;
    if (anzahl > static_cast<std::uintmax_t>(MaxGruppen)) return false;
    std::ifstream f(s.Pfade.GruppenDatei, std::ios::binary);
    if (!f) return false;
    std::vector<std::uint8_t> satz(laenge);
    for (std::uintmax_t i = 0; i < anzahl; ++i) {
      if (!f.read(reinterpret_cast<char*>(satz.data()), static_cast<std::streamsize>(laenge))) {
        return false;
      }
      gruppen.push_back(GruppeDekodieren(satz.data(), laenge));
    }
    return true;
  };

  std::vector<TGruppe> gruppen;
  if (!ec && groesse % GruppenSatzLaenge == 0) {
    if (!lesen(GruppenSatzLaenge, gruppen)) {
      d.meldungen.Info(Ansi(
          "Fehler beim Lesen der Gruppendatei ! Sie \r\nmüssen die Gruppierung neu festlegen."));
      Beiseitelegen(s);
      return;
    }
    for (std::size_t i = 0; i < gruppen.size(); ++i) {
      s.Gruppen.GruppenTabelle.at(i + 1) = gruppen[i];
      if (gruppen[i].Drucken) d.log.LogAll(gruppen[i].Name);
    }
    s.Gruppen.GruppenAnzahl = static_cast<std::int32_t>(gruppen.size());
  } else if (!ec && groesse % GruppenSatzLaengeAlt == 0) {
    d.log.LogAll("Gruppendatei wird konvertiert....");
    if (!lesen(GruppenSatzLaengeAlt, gruppen)) {
      d.meldungen.Info(
          Ansi("Fehler beim Konvertieren der Gruppendatei ! Sie \r\nmüssen die Gruppierung neu "
               "festlegen."));
      Beiseitelegen(s);
      return;
    }
    for (std::size_t i = 0; i < gruppen.size(); ++i)
      s.Gruppen.GruppenTabelle.at(i + 1) = gruppen[i];
    s.Gruppen.GruppenAnzahl = static_cast<std::int32_t>(gruppen.size());
    if (!gruppen.empty() && !s.NurLesen) {
      if (GruppenDateiSchreiben(s.Pfade.GruppenDatei, gruppen)) {
        d.log.LogAll("ok.");
      } else {
        d.log.LogAll("Gruppendatei konnte nicht geschrieben werden !");
      }
    }
  } else {
    d.meldungen.Info(
        Ansi("Die Gruppendatei ist sehr alt ! Sie \r\nmüssen die Gruppierung neu festlegen."));
    Beiseitelegen(s);
  }
}

}  // namespace pegel
