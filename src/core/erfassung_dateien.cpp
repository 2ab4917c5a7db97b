// The two other files of the polling: AKTDAT.PGV on every pass and the day file at Start.
#include <fstream>
#include <system_error>

#include "am_ende.h"
#include "erfassung.h"
#include "hilfen.h"
#include "meldungstexte.h"
#include "puffer.h"
#include "text_format.h"

namespace pegel {
namespace fs = std::filesystem;

namespace {

constexpr const char* NichtVerfuegbar = "n.v.";

// Copies `von` into a new file `nach`. False on any error.
bool Kopieren(const fs::path& von, const fs::path& nach) {
  std::error_code ec;
  fs::copy_file(von, nach, fs::copy_options::overwrite_existing, ec);
  return !ec;
}

}  // namespace

void Erfassung::AktDatLesen() {
  const std::string name = s_.Pfade.AktDatDatei.string();
  try {
    std::error_code ec;
    if (!fs::exists(s_.Pfade.AktDatDatei, ec)) return;
    fs::path temp;
    int fehlversuche = 0;
    const bool umbenannt = Umbenennen(s_.Pfade.AktDatDatei, temp, fehlversuche);
    if (fehlversuche > 2) d_.log.LogAll(text::Fehlversuche(fehlversuche));
    if (!umbenannt) {
      d_.log.LogAll(text::UmbenennenAktDat(name));
      return;
    }
    std::ifstream ein(temp, std::ios::binary);
    if (!ein) return;  // as a read error: the taken file stays
    std::string zeile;
    std::size_t k = 0;
    while (std::getline(ein, zeile)) {
      if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
      ++k;
      try {
        auto& texte = s_.Sammler.AktDaten.at(k);
        std::size_t anfang = 0;
        for (int f = 1; f <= 8; ++f) {
          const std::size_t ende = zeile.find(';', anfang);
          if (ende == std::string::npos) break;  // text after the last ";" is ignored
          const std::string feld = zeile.substr(anfang, ende - anfang);
          anfang = ende + 1;
          texte.at(static_cast<std::size_t>(f)) = feld;
          if (f > 5 && feld != NichtVerfuegbar) {
            texte.at(static_cast<std::size_t>(f - 5)) = feld;
            // Like a grid, the table takes no cells beyond its columns; that is no error.
            if (static_cast<int>(k) < tabelle_.Spalten()) {
              tabelle_.Text(static_cast<int>(k), f - 5, feld);
            }
          }
          if (f == 5) {
            const double x = ZahlLesen(feld).value_or(-1.0);
            double& aktMax = s_.Sammler.AktMax.at(k);
            if (x > aktMax) aktMax = x;
          }
        }
      } catch (const std::exception&) {
        d_.log.LogAll(text::AktDatFehler(name));
      }
    }
    if (ein.bad()) return;
    ein.close();
    fs::remove(temp, ec);
  } catch (const std::exception&) {
    d_.log.LogAll(text::AktDatFehler(name));
  }
}

void Erfassung::AlteTagesdatenLesen() {
  try {
    s_.Abfrage.Heute = d_.uhr.Jetzt();
    d_.log.LogAll(text::AlteDatenEinlesen(LangesDatum(s_.Abfrage.Heute)));
    const DatumTeile heute = DatumZerlegen(s_.Abfrage.Heute);
    s_.Abfrage.Jahr = heute.jahr;
    s_.Abfrage.Monat = heute.monat;
    s_.Abfrage.Tag = heute.tag;
    const std::string name = DatumZuDateiname(s_.Abfrage.Heute);
    const fs::path dat = s_.Pfade.ProgDir / (name + ".DAT");
    const fs::path tmx = s_.Pfade.ProgDir / (name + ".TMX");
    std::error_code ec;
    if (!fs::exists(dat, ec)) return;
    {
      // The copy and the removal of the sample file happen under the lock, so that a
      // line the collector writes meanwhile is either in the copy or in the next sample
      // file, never lost between the two. A stale lock only costs the wait.
      const bool gesperrt = LockAbwarten();
      if (gesperrt) LockNehmen();
      AmEnde freigeben([this, gesperrt] {
        std::error_code e;
        if (gesperrt) fs::remove(s_.Pfade.ProgDir / LockDateiName, e);
      });
      if (!Kopieren(dat, tmx)) return;
      fs::remove(s_.Pfade.ProgDir / (name + ".SMP"), ec);
    }
    d_.log.LogAll(text::AlteDatenGelesen);
    s_.Abfrage.Lesen_Fertig = false;
    AmEnde ende([this] {
      s_.Abfrage.Lesen_Fertig = true;
      EchtdatenFreigeben();
      tabelle_.Benachrichtigen();
    });
    AllesZuruecksetzen();
    fenster_.Setzen(&FensterZustand::lbLesen, true);
    fenster_.Setzen(&FensterZustand::timerLabel, true);
    s_.Abfrage.AktItem = 0;
    SampleVerarbeiten(tmx, true);
  } catch (const std::exception&) {
    d_.log.LogAll(text::AlteDatenFehler);
  }
}

}  // namespace pegel
