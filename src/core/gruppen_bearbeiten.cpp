#include "gruppen_bearbeiten.h"

#include <algorithm>

#include "cp1252.h"
#include "datei_ersetzen.h"
#include "gruppen_datei.h"

namespace pegel {

MitgliederStand MitgliederPruefen(const TGruppe& g, int itemcount) {
  MitgliederStand m;
  for (std::int32_t p : GruppenMitglieder(g))
    (p <= itemcount ? m.vorhanden : m.fehlend).push_back(p);
  return m;
}

std::vector<std::int32_t> GruppenMitgliederLaden(const TGruppe& g, int itemcount, Logbuch& log) {
  MitgliederStand m = MitgliederPruefen(g, itemcount);
  if (!m.fehlend.empty()) {
    std::string liste;
    for (std::int32_t p : m.fehlend) liste += (liste.empty() ? "" : ", ") + std::to_string(p);
    log.LogAll("Gruppe " + g.Name + ": Parameter " + liste + " nicht vorhanden");
  }
  return std::move(m.vorhanden);
}

void GruppenArbeit::Laden(const PegelStatus& s) {
  gruppen_.clear();
  herkunft_.clear();
  const int n = std::clamp(s.Gruppen.GruppenAnzahl, 0, MaxGruppen);
  for (int g = 1; g <= n; ++g) {
    gruppen_.push_back(s.Gruppen.GruppenTabelle.at(static_cast<std::size_t>(g)));
    herkunft_.push_back(g);
  }
  gewaehlt_ = -1;
}

std::optional<GruppenAnzeige> GruppenArbeit::Waehlen(int i, int zeilen, int itemcount) {
  if (i < 0 || i >= static_cast<int>(gruppen_.size())) return std::nullopt;
  gewaehlt_ = i;
  const TGruppe& g = gruppen_.at(static_cast<std::size_t>(i));
  GruppenAnzeige a;
  a.drucken = g.Drucken;
  const MitgliederStand m = MitgliederPruefen(g, std::min(zeilen, itemcount));
  for (std::int32_t p : m.vorhanden) a.zeilen.push_back(p - 1);
  a.fehlend = m.fehlend;
  return a;
}

GruppeNeu GruppenArbeit::Neu(const std::vector<int>& zeilen, Dienste& d) {
  std::vector<int> auswahl = zeilen;
  std::sort(auswahl.begin(), auswahl.end());
  auswahl.erase(std::unique(auswahl.begin(), auswahl.end()), auswahl.end());
  const int anzahl = static_cast<int>(auswahl.size());
  if (anzahl < MinMitglieder) return GruppeNeu::ZuWenige;
  if (anzahl > MaxMitglieder) {
    d.meldungen.Info("Sie haben mehr als " + std::to_string(MaxMitglieder) +
                     Ansi(" Werte ausgewählt !"));
    return GruppeNeu::ZuViele;
  }
  if (gruppen_.size() >= static_cast<std::size_t>(MaxGruppen)) {
    d.meldungen.Info("Max. " + std::to_string(MaxGruppen) + " Gruppen erlaubt !");
    return GruppeNeu::ZuVieleGruppen;
  }
  const auto name = d.meldungen.TextEingabe("Neue Gruppe", "Name der neuen Gruppe ?", "");
  if (!name) return GruppeNeu::Abgebrochen;

  // A fresh record: whatever a deleted group left in this place does not come back.
  TGruppe g;
  g.Name = Gekuerzt(*name, GruppenNameLaenge);
  g.Mitgliederzahl = anzahl;
  g.Drucken = false;
  for (std::size_t k = 0; k < auswahl.size(); ++k) g.Mitglieder.at(k) = auswahl[k] + 1;
  gruppen_.push_back(g);
  herkunft_.push_back(0);
  gewaehlt_ = static_cast<int>(gruppen_.size()) - 1;
  return GruppeNeu::Angelegt;
}

bool GruppenArbeit::Loeschen() {
  if (gewaehlt_ < 0 || gewaehlt_ >= static_cast<int>(gruppen_.size())) return false;
  gruppen_.erase(gruppen_.begin() + gewaehlt_);
  herkunft_.erase(herkunft_.begin() + gewaehlt_);
  gewaehlt_ = -1;
  return true;
}

void GruppenArbeit::DruckenSetzen(bool drucken) {
  if (gewaehlt_ >= 0 && gewaehlt_ < static_cast<int>(gruppen_.size())) {
    gruppen_.at(static_cast<std::size_t>(gewaehlt_)).Drucken = drucken;
  }
}

void GruppenArbeit::DruckerGewaehlt(int druckerNr) {
  if (druckerNr < -1) DruckenSetzen(false);
}

bool GruppenArbeit::Speichern(PegelStatus& s, Dienste& d) {
  std::string bytes;
  for (const TGruppe& g : gruppen_) {
    const auto satz = GruppeKodieren(g);
    bytes.append(reinterpret_cast<const char*>(satz.data()), satz.size());
  }
  const std::error_code ec = DateiSchreiben(s.Pfade.GruppenDatei, [&bytes](std::ostream& f) {
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  });
  if (ec) {
    d.meldungen.Fehler(Ansi("Die Gruppendatei ") + Utf8ZuCp1252(s.Pfade.GruppenDatei.string()) +
                       " konnte nicht geschrieben werden: " + Utf8ZuCp1252(ec.message()) +
                       Ansi(". Die bisherigen Gruppen bleiben erhalten."));
    return false;
  }
  auto& tabelle = s.Gruppen.GruppenTabelle;
  for (std::size_t g = 1; g < tabelle.size(); ++g) {
    tabelle.at(g) = g <= gruppen_.size() ? gruppen_.at(g - 1) : TGruppe{};
  }
  s.Gruppen.GruppenAnzahl = static_cast<std::int32_t>(gruppen_.size());
  // The chart's current group is a record number: it must follow its group or go.
  std::int32_t akt = 0;
  for (std::size_t k = 0; k < herkunft_.size(); ++k) {
    if (s.Auswahl.AktGruppe > 0 && herkunft_[k] == s.Auswahl.AktGruppe) {
      akt = static_cast<std::int32_t>(k) + 1;
    }
  }
  s.Auswahl.AktGruppe = akt;
  for (std::size_t k = 0; k < herkunft_.size(); ++k) herkunft_[k] = static_cast<int>(k) + 1;
  return true;
}

}  // namespace pegel
