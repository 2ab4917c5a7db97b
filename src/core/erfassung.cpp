#include "erfassung.h"

#include <cmath>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "am_ende.h"
#include "cp1252.h"
#include "hilfen.h"
#include "meldungstexte.h"
#include "puffer.h"
#include "tagesdateien.h"
#include "text_format.h"
#include "zeilen_leser.h"

namespace pegel {
namespace fs = std::filesystem;

namespace {

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
  // Each step on its own: an observer that fails must not keep the others from running, and
  // the pass must end. A failure is logged and otherwise swallowed on purpose.
  auto schritt = [this](const char* was, auto&& f) {
    try {
      f();
    } catch (const std::exception& e) {
      d_.log.LogAll(std::string("Fo_Main : Fehler nach dem Durchlauf (") + was + "): " + e.what());
    }
  };
  schritt("Echtzeit-Daten", [this] { EchtdatenFreigeben(); });
  schritt("TimerSample", [this] {
    if (laeuft_) fenster_.Setzen(&FensterZustand::TimerSample, true);
  });
  schritt("Tabelle", [this] { tabelle_.Benachrichtigen(); });
}

void Erfassung::EchtdatenFreigeben() {
  if (!s_.Ring.Leer()) fenster_.Setzen(&FensterZustand::btEchtdatenZeigen, true);
}

bool Erfassung::LockAbwarten() {
  const fs::path lock = s_.Pfade.ProgDir / LockDateiName;
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
  std::ofstream(s_.Pfade.ProgDir / LockDateiName, std::ios::binary | std::ios::trunc);
}

bool Erfassung::Umbenennen(const fs::path& von, fs::path& nach, int& fehlversuche) {
  fehlversuche = 0;
  while (fehlversuche < UmbenennVersuche) {
    nach = TempName(s_.Pfade.ProgDir, d_.uhr);
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
  AlleZuruecksetzen(s_, d_.log, text::PufferResetMain, false);
  s_.Ring.Leeren();
}

void Erfassung::Tageswechseln() {
  AllesZuruecksetzen();
  if (s_.Abfrage.Durchlaeufe > 0) {
    s_.Abfrage.PrintDate = s_.Abfrage.Heute - 1;
    try {
      tageswechsel_.GruppeDrucken(s_, d_);
    } catch (const std::exception& e) {
      // The print logs its own failures; whatever escapes it must not end the pass.
      d_.log.LogAll(text::TagesdruckFehler);
      d_.log.LogFehler(e.what());
    }
    for (std::int32_t n = 1; n <= s_.Par().Itemcount() && n <= MaxItems; ++n) {
      s_.Sammler.AktMax.at(static_cast<std::size_t>(n)) = AktMaxStart;
    }
    s_.Abfrage.TagWechsel = true;
    s_.Abfrage.Durchlaeufe = 0;
  }
}

void Erfassung::TimerSampleTimer() {
  try {
    if (!s_.Abfrage.Lesen_Fertig) {
      d_.log.LogFehler(text::LesenNichtFertig);
      return;
    }
    s_.Abfrage.Heute = d_.uhr.Jetzt();
    s_.Abfrage.PrintDate = s_.Abfrage.Heute - 1;
    const DatumTeile heute = DatumZerlegen(s_.Abfrage.Heute);
    s_.Abfrage.Jahr = heute.jahr;
    s_.Abfrage.Monat = heute.monat;
    s_.Abfrage.Tag = heute.tag;
    s_.Abfrage.SampleDatei = s_.Pfade.ProgDir / (DatumZuDateiname(s_.Abfrage.Heute) + ".SMP");
    std::error_code ec;
    if (!fs::exists(s_.Abfrage.SampleDatei, ec)) return;
    if (!LockAbwarten()) {
      d_.log.LogAll(text::LockTimeOut);
      return;
    }
    LockNehmen();
    // From here on the pass ends the same way however it ends: the collector must never
    // find our lock left behind, and the next tick must poll again.
    AmEnde ende([this] {
      std::error_code e;
      fs::remove(s_.Pfade.ProgDir / LockDateiName, e);
      s_.Abfrage.Lesen_Fertig = true;
      NachDemDurchlauf();
    });
    s_.Abfrage.Lesen_Fertig = false;
    fenster_.Setzen(&FensterZustand::TimerSample, false);
    try {
      if (std::trunc(s_.Abfrage.LetzterLauf) != std::trunc(s_.Abfrage.Heute) &&
          !s_.Anzeige.AlteDaten) {
        Tageswechseln();
      }
      s_.Anzeige.AlteDaten = false;
      // The time this pass was started for, not a fresh reading: a pass that began before
      // midnight and waited for the lock past it still belongs to the old day, so the first
      // pass of the new day sees the change.
      s_.Abfrage.LetzterLauf = s_.Abfrage.Heute;
      fenster_.Setzen(&FensterZustand::lbLesen, true);
      fenster_.Setzen(&FensterZustand::timerLabel, true);
      s_.Abfrage.AktItem = 0;
      SampleVerarbeiten(s_.Abfrage.SampleDatei, true);
      ++s_.Abfrage.Durchlaeufe;
      AktDatLesen();
    } catch (const std::exception&) {
      d_.log.LogAll(text::DurchlaufFehler);
    }
  } catch (const std::exception&) {
    d_.log.LogAll(text::DurchlaufFehler);
  }
}

void Erfassung::SampleVerarbeiten(const fs::path& datei, bool loeschen) {
  AmEnde cursor([this] { fenster_.Setzen(&FensterZustand::Sanduhr, false); });
  fs::path temp;
  try {
    fs::path pgh = datei;
    pgh.replace_extension(".PGH");
    if (!ReadHeaderF(s_, pgh)) d_.meldungen.Info(text::PghUngueltig);
    int fehlversuche = 0;
    if (!Umbenennen(datei, temp, fehlversuche)) {
      d_.log.LogAll(text::UmbenennenEchtzeit);
      return;
    }
  } catch (const std::exception&) {
    d_.log.LogAll(text::Fehler3a);
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
        if (zeilen_ != vorher) fenster_.LesenText(s_.Abfrage.LetzteZeit);
      });
      std::ifstream ein(temp, std::ios::binary);
      if (!ein) throw std::runtime_error("open");
      gelesen = Eintragen(ein);
    }
    if (!gelesen) return;
    if (loeschen) {
      std::error_code ec;
      if (!fs::remove(temp, ec) || ec) {
        d_.log.LogAll(text::NichtGeloescht(temp.string()));
      }
    }
    // A file without lines says nothing about the columns; the header stays as read.
    if (letzteFelder_ == 0) return;
    const std::int32_t spaltenzahl = letzteFelder_ - 2;
    s_.Tage.Spaltenzahl = spaltenzahl;
    if (spaltenzahl > 0 && spaltenzahl != s_.Tage.TagKopf.Itemcount) {
      d_.meldungen.Info(text::Spaltenzahl(s_.Tage.TagKopf.Itemcount, spaltenzahl));
    }
    s_.Tage.TagKopf.Itemcount = spaltenzahl;
  } catch (const std::exception&) {
    d_.log.LogAll(text::Fehler3);
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
        d_.log.LogAll(text::ZeileOhneZeit.Ansi() + ZeileZitiert(z));
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
    } catch (const std::exception&) {
      d_.log.LogAll(text::Fehler3b);
      return false;
    }
  }
  if (leser.Fehler()) {
    d_.log.LogAll(text::LesenFehler2);
    return false;
  }
  return true;
}

void Erfassung::StatistikZeilenSchreiben() {
  // Only columns whose value cell was written are open; the check keeps this free of
  // failures even so.
  for (std::size_t n = 1; n < offen_.size(); ++n) {
    if (!offen_[n]) continue;
    offen_[n] = false;
    const TagesStatistik& st = s_.Statistik[n];
    const int spalte = static_cast<int>(n);
    if (spalte >= tabelle_.Spalten()) continue;
    tabelle_.Zahl(spalte, 1, st.Mittelwert, 2);
    tabelle_.Zahl(spalte, 2, st.Minimum, 2);
    tabelle_.Zahl(spalte, 3, st.Maximum, 2);
    tabelle_.Zahl(spalte, 4, st.Anzahl, s_.Par().at(spalte).Typ == Grafiktyp::Analog ? 0 : 3);
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
  s_.Abfrage.AktItem = 0;
  s_.Ring.Weiterschalten();
  s_.Abfrage.TabellenZeile += 1;
  if (s_.Abfrage.TabellenZeile > LiveTabelle::LetzteRingZeile) {
    s_.Abfrage.TabellenZeile = LiveTabelle::ErsteRingZeile;
  }
  const int vorige = s_.Abfrage.TabellenZeile == LiveTabelle::ErsteRingZeile
                         ? LiveTabelle::LetzteRingZeile
                         : s_.Abfrage.TabellenZeile - 1;
  tabelle_.Text(0, vorige, s_.Abfrage.LetzteZeit);
  tabelle_.Text(0, s_.Abfrage.TabellenZeile, NeuesteZeile);
  s_.Abfrage.LetzteZeit.assign(text);
  s_.Ring.ZeitEintragen(*zeit);
  ++zeilen_;
}

void Erfassung::Wert(std::string_view text) {
  const std::int32_t n = ++s_.Abfrage.AktItem;
  if (n > s_.Par().Itemcount()) {
    s_.Abfrage.Lesen_Fertig = true;
    return;
  }
  try {
    const double v = text.empty() ? 0.0 : ZahlLesen(text).value_or(0.0);
    const auto idx = static_cast<std::size_t>(n);
    const Parameter& par = s_.Par().at(n);
    TagesStatistik& w = s_.Statistik.at(idx);
    if (par.LoLimit <= v && v <= par.UpLimit) {
      const bool analog = par.Typ == Grafiktyp::Analog;
      if (analog) {
        w.Anzahl += 1;
        const double m = ((w.Anzahl - 1) * w.Mittelwert + v) / w.Anzahl;
        w.Mittelwert = std::isfinite(m) ? m : 0.0;
      } else if (v > 0.5) {
        w.Anzahl += s_.Abfrage.IntervallStunden;
      }
      if (w.Angenommen++ == 0) {
        w.Maximum = v;
        w.Minimum = v;
      }
      if (v > w.Maximum) w.Maximum = v;
      if (v < w.Minimum) w.Minimum = v;
    }
    s_.Ring.WertEintragen(n, v);
    tabelle_.Zahl(n, s_.Abfrage.TabellenZeile, v, 2);
    // Rows 1..4 show the statistics after the file's last value of n; they are written
    // once when the file is done (nothing can look at the table while lines are entered).
    offen_[idx] = true;
  } catch (const std::exception&) {
    d_.log.LogAll(text::Ausnahme2);
  }
}

}  // namespace pegel
