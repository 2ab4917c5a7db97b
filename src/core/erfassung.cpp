#include "erfassung.h"

#include <cmath>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "am_ende.h"
#include "cp1252.h"
#include "hilfen.h"
#include "puffer.h"
#include "tagesdateien.h"
#include "text_format.h"
#include "zeilen_leser.h"

namespace pegel {
namespace fs = std::filesystem;

namespace {

constexpr const char* ResetMeldung = "Fo_Main : Fehler bei der Puffer-Initialisierung !";
constexpr const char* NeuesteZeile = ">>>>>>>>>>";
constexpr std::size_t ZitatLaenge = 60;

// Field `feld` of a sample line; a view with a null data pointer when the line has fewer
// fields.
std::string_view FeldText(std::string_view zeile, int feld) {
  std::size_t anfang = 0;
  for (int i = 0; i < feld; ++i) {
    const std::size_t p = zeile.find(';', anfang);
    if (p == std::string_view::npos) return {};
    anfang = p + 1;
  }
  const std::size_t ende = zeile.find(';', anfang);
  return zeile.substr(anfang, ende == std::string_view::npos ? ende : ende - anfang);
}

// A line quoted for the log, cut so that a hostile line cannot flood it.
std::string ZeileZitiert(std::string_view zeile) {
  if (zeile.size() <= ZitatLaenge) return "\"" + std::string(zeile) + "\"";
  return "\"" + std::string(zeile.substr(0, ZitatLaenge)) + "...\"";
}

}  // namespace

Erfassung::Erfassung(PegelStatus& s, Dienste& d, LiveTabelle& tabelle, Fenster& fenster,
                     Tageswechsel& tageswechsel)
    : s_(s), d_(d), tabelle_(tabelle), fenster_(fenster), tageswechsel_(tageswechsel) {}

void Erfassung::NachDemDurchlauf() {
  // Each step on its own: an observer that fails must not keep the others from running.
  try {
    EchtdatenFreigeben();
  } catch (...) {
  }
  try {
    if (laeuft_) fenster_.Setzen(&FensterZustand::TimerSample, true);
  } catch (...) {
  }
  try {
    tabelle_.Benachrichtigen();
  } catch (...) {
  }
}

void Erfassung::EchtdatenFreigeben() {
  if (s_.PufferZeiger >= 5) fenster_.Setzen(&FensterZustand::btEchtdatenZeigen, true);
}

bool Erfassung::LockAbwarten() {
  const fs::path lock = s_.ProgDir / LockDateiName;
  std::error_code ec;
  int versuche = 0;
  while (fs::exists(lock, ec)) {
    d_.ereignisse.Verarbeiten();
    ++versuche;
    Delay(d_.uhr, 100);
    if (versuche >= LockVersuche) return false;
  }
  return true;
}

void Erfassung::LockNehmen() {
  // Only the existence counts; a failure to create it is ignored as the collector's
  // side of the protocol does not depend on it.
  std::ofstream(s_.ProgDir / LockDateiName, std::ios::binary | std::ios::trunc);
}

bool Erfassung::Umbenennen(const fs::path& von, fs::path& nach, int& fehlversuche) {
  fehlversuche = 0;
  while (fehlversuche < UmbenennVersuche) {
    nach = TempName(s_.ProgDir, d_.uhr);
    std::error_code ec;
    // A rename must never replace a file: the name may be that of a temporary file
    // left behind by an earlier failure.
    if (!fs::exists(nach, ec) && !ec) {
      fs::rename(von, nach, ec);
      if (!ec) return true;
    }
    ++fehlversuche;
    d_.ereignisse.Verarbeiten();
  }
  return false;
}

void Erfassung::AllesZuruecksetzen() {
  for (std::int32_t n = 1; n <= s_.Itemcount && n <= MaxItems; ++n) {
    StatistikZuruecksetzen(s_, n, d_.log, ResetMeldung);
  }
  s_.PufferZeiger = 4;
}

void Erfassung::Tageswechseln() {
  AllesZuruecksetzen();
  if (s_.Durchlaeufe > 0) {
    s_.PrintDate = s_.Heute - 1;
    try {
      tageswechsel_.GruppeDrucken(s_, d_);
    } catch (...) {
      d_.log.LogAll("Fo_Main : Fehler beim Tagesdruck");
    }
    for (std::int32_t n = 1; n <= s_.Itemcount && n <= MaxItems; ++n) {
      s_.AktMax.at(static_cast<std::size_t>(n)) = AktMaxStart;
    }
    s_.TagWechsel = true;
    s_.Durchlaeufe = 0;
  }
}

void Erfassung::TimerSampleTimer() {
  try {
    if (!s_.Lesen_Fertig) {
      d_.log.LogFehler("TimerSampleTimer : Lesen_Fertig=FALSE");
      return;
    }
    s_.Heute = d_.uhr.Jetzt();
    s_.PrintDate = s_.Heute - 1;
    const DatumTeile heute = DatumZerlegen(s_.Heute);
    s_.Jahr = heute.jahr;
    s_.Monat = heute.monat;
    s_.Tag = heute.tag;
    s_.SampleDatei = s_.ProgDir / (DatumZuDateiname(s_.Heute) + ".SMP");
    std::error_code ec;
    if (!fs::exists(s_.SampleDatei, ec)) return;
    if (!LockAbwarten()) {
      d_.log.LogAll("SampleFile-Lock : TimeOut.");
      return;
    }
    LockNehmen();
    // From here on the pass ends the same way however it ends: the collector must never
    // find our lock left behind, and the next tick must poll again.
    AmEnde ende([this] {
      std::error_code e;
      fs::remove(s_.ProgDir / LockDateiName, e);
      s_.Lesen_Fertig = true;
      NachDemDurchlauf();
    });
    s_.Lesen_Fertig = false;
    fenster_.Setzen(&FensterZustand::TimerSample, false);
    try {
      if (std::trunc(s_.LetzterLauf) != std::trunc(s_.Heute) && !s_.AlteDaten) Tageswechseln();
      s_.AlteDaten = false;
      // The time this pass was started for, not a fresh reading: a pass that began before
      // midnight and waited for the lock past it still belongs to the old day, so the first
      // pass of the new day sees the change.
      s_.LetzterLauf = s_.Heute;
      fenster_.Setzen(&FensterZustand::lbLesen, true);
      fenster_.Setzen(&FensterZustand::timerLabel, true);
      s_.AktItem = 0;
      SampleVerarbeiten(s_.SampleDatei, true);
      ++s_.Durchlaeufe;
      AktDatLesen();
    } catch (...) {
      d_.log.LogAll("TimerSampleTimer : Fehler");
    }
  } catch (...) {
    d_.log.LogAll("TimerSampleTimer : Fehler");
  }
}

void Erfassung::SampleVerarbeiten(const fs::path& datei, bool loeschen) {
  AmEnde cursor([this] { fenster_.Setzen(&FensterZustand::Sanduhr, false); });
  fs::path temp;
  try {
    fs::path pgh = datei;
    pgh.replace_extension(".PGH");
    if (!ReadHeaderF(s_, pgh)) {
      d_.meldungen.Info(Ansi("PGH-Datei für diese Messung nicht gefunden oder ungültig !"));
    }
    int fehlversuche = 0;
    if (!Umbenennen(datei, temp, fehlversuche)) {
      d_.log.LogAll("Fo_Main : Fehler beim Umbenennen der Echtzeit-Datei !");
      return;
    }
  } catch (...) {
    d_.log.LogAll("Fo_Main : Fehler 3a");
    return;
  }
  try {
    d_.ereignisse.Verarbeiten();
    fenster_.Setzen(&FensterZustand::Sanduhr, true);
    bool gelesen = false;
    {
      const std::int64_t vorher = zeilen_;
      AmEnde zeit([this, vorher] {
        // lbLesen shows the newest time; it is only seen once the pass lets the window
        // paint, so it is set once instead of once per line.
        StatistikZeilenSchreiben();
        if (zeilen_ != vorher) fenster_.LesenText(s_.LetzteZeit);
      });
      std::ifstream ein(temp, std::ios::binary);
      if (!ein) throw std::runtime_error("open");
      gelesen = Eintragen(ein);
    }
    if (!gelesen) return;
    if (loeschen) {
      std::error_code ec;
      if (!fs::remove(temp, ec) || ec) {
        d_.log.LogAll("Fo_Main : Kann Datei " + temp.string() + Ansi(" nicht löschen !"));
      }
    }
    // A file without lines says nothing about the columns; the header stays as read.
    if (letzteFelder_ == 0) return;
    const std::int32_t spaltenzahl = letzteFelder_ - 2;
    s_.Spaltenzahl = spaltenzahl;
    if (spaltenzahl > 0 && spaltenzahl != s_.TagKopf.Itemcount) {
      d_.meldungen.Info("Parameterzahl in PGH-Datei (" + std::to_string(s_.TagKopf.Itemcount) +
                        ") <> Spaltenzahl der Messdatei (" + std::to_string(spaltenzahl) + ")");
    }
    s_.TagKopf.Itemcount = spaltenzahl;
  } catch (...) {
    d_.log.LogAll("Fo_Main : Fehler 3");
  }
}

bool Erfassung::Eintragen(std::istream& ein) {
  ZeilenLeser leser(ein);
  std::string_view z;
  letzteFelder_ = 0;
  while (leser.Naechste(z)) {
    try {
      // The time is converted before anything of the line is entered: a line whose time
      // does not convert would otherwise advance the ring and the table's newest-row mark
      // without a time, so it is skipped as a whole and the file goes on.
      const std::string_view zeit = FeldText(z, 1);
      if (zeit.data() != nullptr && !ZeitLesen(zeit)) {
        d_.log.LogAll(Ansi("Fo_Main : Zeile ohne gültige Zeit übersprungen: ") + ZeileZitiert(z));
        continue;
      }
      // Fields are short: a plain scan beats a library search per field.
      int feld = 0;
      const char* anfang = z.data();
      const char* const ende = anfang + z.size();
      for (const char* p = anfang;; ++p) {
        if (p == ende || *p == ';') {
          FeldEintragen(std::string_view(anfang, static_cast<std::size_t>(p - anfang)), feld++);
          if (p == ende) break;
          anfang = p + 1;
        }
      }
      letzteFelder_ = feld;
    } catch (...) {
      d_.log.LogAll("Fo_Main : Fehler 3b");
      return false;
    }
  }
  if (leser.Fehler()) {
    d_.log.LogAll("Fo_Main : Fehler beim Lesen (2)");
    return false;
  }
  return true;
}

void Erfassung::StatistikZeilenSchreiben() {
  for (std::size_t n = 1; n < offen_.size(); ++n) {
    if (!offen_[n]) continue;
    offen_[n] = false;
    try {
      const ItemGrenzen& w = s_.ItemWerte.at(n);
      const int spalte = static_cast<int>(n);
      tabelle_.Zahl(spalte, 1, w.Mittelwert, 2);
      tabelle_.Zahl(spalte, 2, w.Minimum, 2);
      tabelle_.Zahl(spalte, 3, w.Maximum, 2);
      tabelle_.Zahl(spalte, 4, w.Anzahl, s_.Grafiktyp.at(n) == 1 ? 0 : 3);
    } catch (...) {
      d_.log.LogAll("Fo_Main : Exception (2)");
    }
  }
}

void Erfassung::FeldEintragen(std::string_view text, int i) {
  if (i == 0) return;
  if (i >= 2) {
    Wert(text);
    return;
  }
  // Converted first, so that a text that is no time changes nothing.
  const std::optional<TDateTime> zeit = ZeitLesen(text);
  if (!zeit) throw std::invalid_argument("keine Zeit");
  s_.AktItem = 0;
  s_.PufferZeiger += 1;
  if (s_.PufferZeiger > s_.PufferLaenge() + 4) s_.PufferZeiger = 5;
  s_.TabellenZeile += 1;
  if (s_.TabellenZeile > LiveTabelle::LetzteRingZeile) {
    s_.TabellenZeile = LiveTabelle::ErsteRingZeile;
  }
  const int vorige = s_.TabellenZeile == LiveTabelle::ErsteRingZeile ? LiveTabelle::LetzteRingZeile
                                                                     : s_.TabellenZeile - 1;
  tabelle_.Text(0, vorige, s_.LetzteZeit);
  tabelle_.Text(0, s_.TabellenZeile, NeuesteZeile);
  s_.LetzteZeit.assign(text);
  s_.ZeitPuffer.at(static_cast<std::size_t>(s_.PufferZeiger - 5)) = *zeit;
  ++zeilen_;
}

void Erfassung::Wert(std::string_view text) {
  const std::int32_t n = ++s_.AktItem;
  if (n > s_.Itemcount) {
    s_.Lesen_Fertig = true;
    return;
  }
  try {
    const double v = text.empty() ? 0.0 : ZahlLesen(text).value_or(0.0);
    const auto idx = static_cast<std::size_t>(n);
    ItemGrenzen& w = s_.ItemWerte.at(idx);
    const bool analog = s_.Grafiktyp.at(idx) == 1;
    if (w.LoLimit <= v && v <= w.UpLimit) {
      if (analog) {
        w.Anzahl += 1;
        const double m = ((w.Anzahl - 1) * w.Mittelwert + v) / w.Anzahl;
        w.Mittelwert = std::isfinite(m) ? m : 0.0;
      } else if (v > 0.5) {
        w.Anzahl += s_.IntervallStunden;
      }
      if (w.Angenommen++ == 0) {
        w.Maximum = v;
        w.Minimum = v;
      }
      if (v > w.Maximum) w.Maximum = v;
      if (v < w.Minimum) w.Minimum = v;
    }
    s_.WertPuffer.at(idx - 1).at(static_cast<std::size_t>(s_.PufferZeiger - 5)) = v;
    tabelle_.Zahl(n, s_.TabellenZeile, v, 2);
    // Rows 1..4 show the statistics after the file's last value of n; they are written
    // once when the file is done (nothing can look at the table while lines are entered).
    offen_[idx] = true;
  } catch (...) {
    d_.log.LogAll("Fo_Main : Exception (2)");
  }
}

}  // namespace pegel
