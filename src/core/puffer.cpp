#include "puffer.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "cp1252.h"

namespace pegel {

std::int32_t PufferAnlegen(std::int32_t n, WertSpeicher& puffer) {
  if (n < 1 || n > MaxItems) return -1;
  try {
    WertSpeicher neu(static_cast<std::size_t>(n));
    puffer.swap(neu);
  } catch (...) {
    return -1;
  }
  return n - 1;
}

std::int32_t SpalteAnlegen(std::int32_t zeile, std::int32_t laenge, WertSpeicher& puffer) {
  if (zeile < 0 || laenge < 0 || static_cast<std::size_t>(zeile) >= puffer.size()) return -1;
  try {
    auto& z = puffer[static_cast<std::size_t>(zeile)];
    z.assign(static_cast<std::size_t>(laenge), NoValue);
  } catch (...) {
    return -1;
  }
  return laenge;
}

std::int32_t PufferFreigeben(WertSpeicher& puffer) {
  for (auto& zeile : puffer) std::vector<double>().swap(zeile);
  WertSpeicher().swap(puffer);
  return 0;
}

bool StatistikZuruecksetzen(PegelStatus& s, std::int32_t n, Logbuch& log,
                            const std::string& meldung) {
  try {
    ItemGrenzen& w = s.ItemWerte.at(static_cast<std::size_t>(n));
    w.Anzahl = 0;
    w.Angenommen = 0;
    w.Minimum = MinimumStart;
    w.Maximum = MaximumStart;
    auto& zeile = s.WertPuffer.at(static_cast<std::size_t>(n - 1));
    std::fill(zeile.begin(), zeile.end(), NoValue);
  } catch (...) {
    log.LogAll(meldung);
    return false;
  }
  return true;
}

void PufferEinrichten(PegelStatus& s, Dienste& d) {
  if (PufferAnlegen(s.Itemcount, s.WertPuffer) < 0) {
    d.meldungen.Info("DDE-Speicher(1) kann nicht initialisiert werden !");
  }
  try {
    s.ZeitPuffer.assign(static_cast<std::size_t>(std::max(0, s.Puffer)), 0.0);
  } catch (const std::bad_alloc&) {
    s.ZeitPuffer.clear();
  }
  for (std::int32_t n = 1; n <= s.Itemcount && n <= MaxItems; ++n) {
    if (SpalteAnlegen(n - 1, s.Puffer, s.WertPuffer) < 0) {
      d.meldungen.Info("DDE-Speicher (Item=" + std::to_string(n) +
                       ") kann nicht initialisiert werden !");
    }
  }
  const std::string meldung = "Fo_Main : Fehler bei der Puffer-Initialisierung !";
  for (std::int32_t n = 1; n <= s.Itemcount && n <= MaxItems; ++n) {
    StatistikZuruecksetzen(s, n, d.log, meldung);
    s.AktMax.at(static_cast<std::size_t>(n)) = AktMaxStart;
  }
}

}  // namespace pegel
