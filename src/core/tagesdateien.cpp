#include "tagesdateien.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <limits>
#include <new>
#include <optional>
#include <stdexcept>
#include <utility>

#include "hilfen.h"

namespace pegel {

namespace {

constexpr std::size_t Block = 1 << 20;

// Reads lines ended by LF or CRLF; the last line needs no line break. Lines past the end
// of the file are an error (a truncated header must not read as complete).
class ZeilenLeser {
 public:
  explicit ZeilenLeser(const std::filesystem::path& datei) : f_(datei, std::ios::binary) {}
  bool Offen() const { return static_cast<bool>(f_); }

  std::optional<std::string> Zeile() {
    std::string z;
    if (!std::getline(f_, z)) return std::nullopt;
    if (!z.empty() && z.back() == '\r') z.pop_back();
    return z;
  }
  bool Ueberspringen(std::int64_t anzahl) {
    for (std::int64_t i = 0; i < anzahl; ++i) {
      if (!Zeile()) return false;
    }
    return true;
  }

 private:
  std::ifstream f_;
};

struct Zaehlung {
  std::size_t zeilen = 0;
  std::size_t bytes = 0;
  std::size_t trenner = 0;  // ";" seen, to size the grid's offsets once
};

constexpr std::uint64_t Einsen = 0x0101010101010101ULL;
constexpr std::uint64_t Sieben = 0x7F7F7F7F7F7F7F7FULL;

// 0x80 in exactly those bytes of v that are zero.
constexpr std::uint64_t NullBytes(std::uint64_t v) {
  return ~(((v & Sieben) + Sieben) | v | Sieben);
}

// The number of 0x80 bits of a NullBytes mask. Multiplying sums the bytes into the top one;
// cheaper than a popcount where the target lacks the instruction.
constexpr std::size_t Summe(std::uint64_t maske) {
  return static_cast<std::size_t>(((maske >> 7) * Einsen) >> 56);
}

// Adds the LFs and ";" of p[0..n) to z, eight bytes at a time.
void Zaehlen(const char* p, std::size_t n, Zaehlung& z) {
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t x;
    std::memcpy(&x, p + i, 8);
    z.zeilen += Summe(NullBytes(x ^ (Einsen * '\n')));
    z.trenner += Summe(NullBytes(x ^ (Einsen * ';')));
  }
  for (; i < n; ++i) {
    z.zeilen += p[i] == '\n';
    z.trenner += p[i] == ';';
  }
}

// First pass: lines up to the end of the file. Throws std::runtime_error on a read error.
Zaehlung ZeilenZaehlen(const std::filesystem::path& datei) {
  std::ifstream f(datei, std::ios::binary);
  if (!f) throw std::runtime_error("open");
  std::string puffer(Block, '\0');
  Zaehlung z;
  // Too large for the grid anyway: a non-empty file has a line, so counting further only
  // costs time before the allocation is refused.
  std::error_code ec;
  const auto groesse = std::filesystem::file_size(datei, ec);
  if (!ec && groesse > gitter::MaxBytes) {
    z.zeilen = 1;
    z.bytes = static_cast<std::size_t>(groesse);
    return z;
  }
  char letztes = '\n';
  while (f) {
    f.read(puffer.data(), static_cast<std::streamsize>(puffer.size()));
    const auto gelesen = static_cast<std::size_t>(f.gcount());
    if (gelesen == 0) break;
    Zaehlen(puffer.data(), gelesen, z);
    z.bytes += gelesen;
    letztes = puffer[gelesen - 1];
  }
  if (f.bad()) throw std::runtime_error("read");
  if (letztes != '\n') ++z.zeilen;  // a last line without line break
  return z;
}

// Second pass: the bytes of at most `zeilen` lines of the opened file into `puffer`, which
// is sized from the first pass; it grows only when the last counted line was still being
// written. Throws std::runtime_error on a read error, std::length_error beyond MaxBytes.
void ZeilenLesen(std::ifstream& f, std::size_t zeilen, gitter::Puffer& puffer) {
  std::size_t umbrueche = 0;
  std::size_t& groesse = puffer.groesse;
  groesse = 0;
  while (umbrueche < zeilen) {
    if (puffer.kapazitaet == groesse) {
      if (puffer.kapazitaet > gitter::MaxBytes) throw std::length_error("size");
      puffer.Reservieren(puffer.kapazitaet + std::max(Block, puffer.kapazitaet / 2));
    }
    char* const ziel = puffer.daten.get() + groesse;
    f.read(ziel, static_cast<std::streamsize>(puffer.kapazitaet - groesse));
    const auto gelesen = static_cast<std::size_t>(f.gcount());
    if (gelesen == 0) break;
    const char* p = ziel;
    const char* const e = p + gelesen;
    groesse += gelesen;
    while (p < e) {
      const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(e - p));
      if (!lf) break;
      p = static_cast<const char*>(lf) + 1;
      if (++umbrueche == zeilen) {
        groesse = static_cast<std::size_t>(p - puffer.daten.get());
        break;
      }
    }
  }
  if (f.bad()) throw std::runtime_error("read");
}

// The index of the first line of p[0..n) with more than gitter::Spalten fields and the
// offset where it begins; the line count and n when there is none.
std::pair<std::size_t, std::size_t> ErsteZuLangeZeile(const char* p, std::size_t n) {
  std::size_t zeile = 0;
  std::size_t anfang = 0;
  while (anfang < n) {
    const void* lf = std::memchr(p + anfang, '\n', n - anfang);
    const std::size_t ende = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - p) : n;
    const auto trenner = static_cast<std::size_t>(std::count(p + anfang, p + ende, ';'));
    if (trenner + 1 > gitter::Spalten) return {zeile, anfang};
    ++zeile;
    anfang = ende + 1;
  }
  return {zeile, n};
}

// After a split that failed on a line with too many fields (the bytes are gone with it):
// reads the lines again and splits those before the first bad one. Returns its index.
std::size_t ZeilenDavorLesen(const std::filesystem::path& datei, std::size_t zeilen,
                             std::size_t bytes, gitter& grid) {
  std::ifstream f(datei, std::ios::binary);
  if (!f) throw std::runtime_error("open");
  gitter::Puffer puffer;
  puffer.Reservieren(bytes + 4096);
  ZeilenLesen(f, zeilen, puffer);
  const auto [zeile, anfang] = ErsteZuLangeZeile(puffer.daten.get(), puffer.groesse);
  puffer.groesse = anfang;
  if (grid.Aufteilen(std::move(puffer)) != gitter::Ergebnis::Ok) grid.Freigeben();
  return zeile;
}

}  // namespace

std::filesystem::path DatDatei(const std::filesystem::path& progDir, TDateTime t) {
  return progDir / (DatumZuDateiname(t) + ".DAT");
}

std::filesystem::path PghDatei(const std::filesystem::path& progDir, TDateTime t) {
  return progDir / (DatumZuDateiname(t) + ".PGH");
}

std::filesystem::path PghFuerDat(const std::filesystem::path& datDatei) {
  std::filesystem::path p = datDatei;
  return p.replace_extension(".PGH");
}

void IntervallAnzeigeSetzen(Kopfdaten& kopf, std::int32_t ms) {
  const std::int32_t s = ms / 1000;
  if (s > 59) {
    kopf.IntervallZahl = s / 60;
    kopf.IntervallEinheit = " Minute(n)";
  } else {
    kopf.IntervallZahl = s;
    kopf.IntervallEinheit = " Sekunde(n)";
  }
}

void KopfUebernehmen(const Kopfdaten& quelle, Kopfdaten& ziel) {
  ziel.Itemcount = quelle.Itemcount;
  ziel.IntervallZahl = quelle.IntervallZahl;
  ziel.IntervallEinheit = quelle.IntervallEinheit;
  const int n = std::clamp(quelle.Itemcount, 0, MaxItems);
  for (int i = 1; i <= n; ++i)
    ziel.Par.at(static_cast<std::size_t>(i)) = quelle.Par.at(static_cast<std::size_t>(i));
}

bool KopfLesen(const std::filesystem::path& datei, Kopfdaten& kopf, std::int32_t& messintervall) {
  try {
    ZeilenLeser f(datei);
    if (!f.Offen()) return false;
    const auto erste = f.Zeile();
    const std::int32_t n = erste ? GanzzahlLesen(*erste).value_or(0) : 0;
    kopf.Itemcount = n;
    // Checked before skipping, so that a count of 10^9 does not read the file 10^9 times.
    if (n < 1 || n > MaxItems) return false;
    if (!f.Ueberspringen(n + 1)) return false;
    const auto intervall = f.Zeile();
    if (!intervall) return false;
    messintervall = GanzzahlLesen(*intervall).value_or(0);
    IntervallAnzeigeSetzen(kopf, messintervall);
    if (!f.Ueberspringen(1 + 2 * static_cast<std::int64_t>(n) + 1)) return false;
    for (int i = 1; i <= n; ++i) {
      auto& par = kopf.Par.at(static_cast<std::size_t>(i));
      const auto name = f.Zeile();
      const auto typ = f.Zeile();
      const auto ref = f.Zeile();
      const auto einheit = f.Zeile();
      if (!name || !typ || !ref || !einheit) return false;
      const auto typZahl = GanzzahlAmAnfang(*typ);
      const auto refZahl = GanzzahlAmAnfang(*ref);
      if (!typZahl || !refZahl) return false;
      par.Name = *name;
      par.Typ = GrafiktypAus(*typZahl);
      par.GrafikRef = *refZahl;
      par.Einheit = *einheit;
    }
    return true;
  } catch (...) {
    // A failed allocation or stream error is a header that could not be read.
    return false;
  }
}

bool ReadHeaderF(PegelStatus& s, const std::filesystem::path& datei) {
  return KopfLesen(datei, s.Tage.TagKopf, s.Tage.Messintervall);
}

DatenLesung DatenLesen(const std::filesystem::path& datei, gitter& grid, Teillesung teil) {
  using F = DatenLesung::Fehler;
  DatenLesung l;
  Zaehlung z;
  try {
    z = ZeilenZaehlen(datei);
  } catch (...) {
    l.fehler = F::Zaehlen;
    return l;
  }
  l.gezaehlt = z.zeilen;
  if (z.zeilen < 1) return l;

  try {
    grid.Freigeben();
  } catch (...) {
    l.fehler = F::Freigeben;
    return l;
  }

  gitter::Puffer puffer;
  try {
    // Offsets in the grid are 32-bit: a file beyond that is refused like a failed allocation.
    if (z.bytes > gitter::MaxBytes ||
        z.zeilen > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
      throw std::bad_alloc();
    }
    grid.Reservieren(z.zeilen, z.trenner);
    // Room for the line that may still have been written during the first pass.
    puffer.Reservieren(z.bytes + 4096);
  } catch (...) {
    grid.Freigeben();
    l.fehler = F::Reservieren;
    return l;
  }

  try {
    std::ifstream f(datei, std::ios::binary);
    if (!f) {
      l.fehler = F::Oeffnen;
    } else {
      ZeilenLesen(f, z.zeilen, puffer);
    }
  } catch (...) {
    l.fehler = F::Lesen;
  }
  if (l.fehler != F::Keiner) {
    grid.Freigeben();
    return l;
  }

  try {
    if (grid.Aufteilen(std::move(puffer)) != gitter::Ergebnis::Ok) {
      grid.Freigeben();
      l.fehler = F::ZuVieleFelder;
      if (teil == Teillesung::Behalten)
        l.fehlerZeile = ZeilenDavorLesen(datei, z.zeilen, z.bytes, grid);
    }
  } catch (...) {
    grid.Freigeben();
    if (l.fehler == F::Keiner) l.fehler = F::Reservieren;
  }
  return l;
}

std::int32_t ReadDataF(PegelStatus& s, Logbuch& log, const std::filesystem::path& datei,
                       gitter& grid) {
  std::error_code ec;
  if (!std::filesystem::exists(datei, ec)) {
    log.LogAll("ReadDataF : Datei " + datei.string() + " nicht gefunden !");
    return 0;
  }

  using F = DatenLesung::Fehler;
  const DatenLesung l = DatenLesen(datei, grid, Teillesung::Verwerfen);
  switch (l.fehler) {
    case F::Keiner:
      break;
    case F::Zaehlen:
      log.LogAll("ReadDataF : Fehler(1)");
      return 0;
    case F::Freigeben:
      log.LogAll("ReadDataF(3)");
      return 0;
    case F::Reservieren:
      log.LogAll("ReadDataF(4)");
      return 0;
    case F::Oeffnen:
    case F::Lesen:
      log.LogAll("ReadDataF(5) : Fehler beim Lesen.");
      return 0;
    case F::ZuVieleFelder:
      log.LogAll("ReadDataF(6)");
      return 0;
  }
  if (l.gezaehlt < 1) {
    log.LogAll("ReadDataF : Keine Messwerte vorhanden.");
    return 0;
  }

  // A file that shrank between the passes holds fewer lines than counted; the rows read
  // are what the caller gets.
  const std::size_t gelesen = grid.Zeilen();
  s.Tage.Spaltenzahl = gelesen == 0 ? -1 : static_cast<std::int32_t>(grid.Felder(gelesen - 1)) - 2;
  if (s.Tage.Spaltenzahl != s.Tage.TagKopf.Itemcount) {
    log.LogAll("ReadDataF : Parameterzahl im Header (" + GanzText(s.Tage.TagKopf.Itemcount) +
               ") <> Spaltenzahl der Messdatei (" + GanzText(s.Tage.Spaltenzahl) + ")");
  }
  s.Tage.TagKopf.Itemcount = s.Tage.Spaltenzahl;
  if (s.Tage.Spaltenzahl < 1) {
    log.LogAll("ReadDataF : Keine Items. Daten fehlerhaft !");
    return 0;
  }
  return static_cast<std::int32_t>(gelesen);
}

}  // namespace pegel
