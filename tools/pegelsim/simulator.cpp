#include "simulator.h"

#include <algorithm>
#include <chrono>
#include <ostream>
#include <thread>

#include "aktdat.h"
#include "dateien.h"
#include "hilfen.h"
#include "ini_datei.h"
#include "plattform.h"

namespace pegelsim {

namespace {

constexpr std::size_t Schreibblock = 8 << 20;

}  // namespace

Simulator::Simulator(const Optionen& o, std::ostream& aus, const std::atomic<bool>& halt)
    : o_(o), aus_(aus), halt_(halt) {}

void Simulator::IniVorbereiten() {
  const auto ini = o_.verz / "PEGELDDE.INI";
  int anzahl = o_.parameter.value_or(12);
  if (std::filesystem::exists(ini)) {
    if (!o_.parameter) {
      const pegel::IniDatei vorhanden(ini, true);
      anzahl = std::clamp(vorhanden.LeseGanz("DDE", "Itemcount", 12), 1, 180);
    }
    par_ = AnlageBauen(anzahl);
    aus_ << "PEGELDDE.INI vorhanden, bleibt unverändert; " << anzahl << " Parameter\n";
    return;
  }
  par_ = AnlageBauen(anzahl);
  ErsetzenDurchUmbenennen(ini, IniText(par_, o_.intervall));
  aus_ << "PEGELDDE.INI angelegt mit " << anzahl << " Parametern\n";
}

void Simulator::PghSchreiben(std::int64_t tag) {
  const auto t = Zeitpunkt(tag * MsProTag);
  const auto pgh = o_.verz / (pegel::DatumZuDateiname(t) + ".PGH");
  if (std::filesystem::exists(pgh)) return;
  ErsetzenDurchUmbenennen(pgh, PghText(par_, o_.intervall * 1000, pegel::DatumText(t)));
}

void Simulator::ZeileAnhaengen(std::string& aus, std::int64_t ms, const std::string& datum,
                               const std::vector<double>& werte) {
  aus += datum;
  aus += ';';
  aus += pegel::ZeitText(Zeitpunkt(ms));
  for (std::size_t i = 0; i < werte.size(); ++i) {
    aus += ';';
    aus += texte_.Text(werte[i], par_[i].dezimalen);
  }
  aus += "\r\n";
}

void Simulator::TagNachtragen(std::int64_t tag) {
  const auto t = Zeitpunkt(tag * MsProTag);
  const std::string basis = pegel::DatumZuDateiname(t);
  const auto dat = o_.verz / (basis + ".DAT");
  if (std::filesystem::exists(dat)) {
    aus_ << "Tag " << basis << ": " << basis << ".DAT vorhanden, übersprungen\n";
    return;
  }
  PghSchreiben(tag);
  const std::string datum = pegel::DatumText(t);
  const std::int64_t schritt = std::int64_t{o_.intervall} * 1000;
  std::string puffer;
  puffer.reserve(Schreibblock + 4096);
  std::int64_t zeilen = 0;
  for (std::int64_t ms = 0; ms < MsProTag; ms += schritt) {
    const std::int64_t zeit = tag * MsProTag + ms;
    ZeileAnhaengen(puffer, zeit, datum, modell_->Werte(zeit));
    ++zeilen;
    if (puffer.size() >= Schreibblock) {
      Anhaengen(dat, puffer);
      puffer.clear();
    }
  }
  Anhaengen(dat, puffer);
  aus_ << "Tag " << basis << ": " << zeilen << " Zeilen nachgetragen\n";
}

std::int64_t Simulator::Laufen() {
  std::filesystem::create_directories(o_.verz);
  IniVorbereiten();
  modell_ = std::make_unique<Modell>(par_, o_.seed);
  AktDaten akt(par_);
  std::vector<double> geschrieben(par_.size());

  const pegel::TDateTime start = o_.start.value_or(pegel::LokaleZeitJetzt());
  // Whole seconds, so that every sample time is exact.
  const std::int64_t startMs = static_cast<std::int64_t>(start * 86400.0 + 0.5) * 1000;
  const std::int64_t startTag = startMs / MsProTag;
  for (std::int64_t d = o_.nachtragen; d >= 1 && !halt_; --d) TagNachtragen(startTag - d);

  std::int64_t proben = -1;  // without a limit: until stopped
  if (o_.proben) proben = *o_.proben;
  if (o_.dauer) proben = *o_.dauer / o_.intervall;

  const std::int64_t schritt = std::int64_t{o_.intervall} * 1000;
  const double zeilenDauer = static_cast<double>(o_.intervall) / o_.zeilenProProbe;
  const auto uhrStart = std::chrono::steady_clock::now();
  std::int64_t tag = -1;
  std::filesystem::path dat, smp;
  std::string datum, zeilen;
  std::int64_t i = 0;
  for (; (proben < 0 || i < proben) && !halt_; ++i) {
    if (!o_.schnell) {
      // In short steps, so that a stop request does not wait for a long interval.
      const auto ziel = uhrStart + std::chrono::seconds(i * o_.intervall);
      while (!halt_ && std::chrono::steady_clock::now() < ziel) {
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
            ziel - std::chrono::steady_clock::now(), std::chrono::milliseconds(100)));
      }
      if (halt_) break;
    }
    const std::int64_t ms = startMs + i * schritt;
    if (ms / MsProTag != tag) {
      tag = ms / MsProTag;
      const std::string basis = pegel::DatumZuDateiname(Zeitpunkt(ms));
      dat = o_.verz / (basis + ".DAT");
      smp = o_.verz / (basis + ".SMP");
      datum = pegel::DatumText(Zeitpunkt(ms));
      PghSchreiben(tag);
      // The day's figures cover the samples already in the day file, as the collector's
      // do after a restart.
      akt.Zuruecksetzen();
      akt.TagesdateiEintragen(dat, zeilenDauer);
      aus_ << "Tag " << basis << " beginnt um " << pegel::ZeitText(Zeitpunkt(ms)) << "\n";
    }
    zeilen.clear();
    // The lines of one sample carry its time; their values are those of the instants
    // between it and the next sample.
    for (int k = 0; k < o_.zeilenProProbe; ++k) {
      const auto& werte = modell_->Werte(ms + k * schritt / o_.zeilenProProbe);
      ZeileAnhaengen(zeilen, ms, datum, werte);
      // The figures are those of the values as written, as a reader of the day file gets
      // them.
      for (std::size_t n = 0; n < werte.size(); ++n) {
        geschrieben[n] = ZahlTexte::Gerundet(werte[n], par_[n].dezimalen);
      }
      akt.Eintragen(geschrieben, zeilenDauer);
    }
    Anhaengen(dat, zeilen);
    SmpAnhaengen(o_.verz, smp, zeilen);
    ErsetzenDurchUmbenennen(o_.verz / "AKTDAT.PGV", akt.Text());
    if ((i + 1) % 1000 == 0) {
      aus_ << (i + 1) << " Proben, zuletzt " << pegel::DatumZeitText(Zeitpunkt(ms)) << "\n";
    }
  }
  aus_ << "Ende nach " << i << " Proben\n";
  aus_.flush();
  return i;
}

}  // namespace pegelsim
