#include "ring.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace pegel {

std::int32_t PufferAnlegen(std::int32_t n, WertSpeicher& puffer) {
  if (n < 1 || n > MaxItems) return -1;
  try {
    WertSpeicher neu(static_cast<std::size_t>(n));
    puffer.swap(neu);
  } catch (const std::exception&) {
    return -1;  // the result reports it; the buffer stays as it was
  }
  return n - 1;
}

std::int32_t SpalteAnlegen(std::int32_t zeile, std::int32_t laenge, WertSpeicher& puffer) {
  if (zeile < 0 || laenge < 0 || static_cast<std::size_t>(zeile) >= puffer.size()) return -1;
  try {
    puffer[static_cast<std::size_t>(zeile)].assign(static_cast<std::size_t>(laenge), NoValue);
  } catch (const std::exception&) {
    return -1;  // the result reports it
  }
  return laenge;
}

std::int32_t PufferFreigeben(WertSpeicher& puffer) {
  for (auto& zeile : puffer) std::vector<double>().swap(zeile);
  WertSpeicher().swap(puffer);
  return 0;
}

bool Ringpuffer::ZeitenAnlegen(std::int32_t laenge) {
  try {
    zeiten_.assign(static_cast<std::size_t>(std::max(0, laenge)), 0.0);
  } catch (const std::bad_alloc&) {
    zeiten_.clear();
    return false;  // the caller's Angelegt() then says no
  }
  return true;
}

void Ringpuffer::Freigeben() {
  PufferFreigeben(werte_);
  std::vector<TDateTime>().swap(zeiten_);
}

std::vector<std::size_t> Ringpuffer::SlotsInZeitfolge() const {
  const auto laenge = zeiten_.size();
  std::vector<std::size_t> folge;
  if (laenge == 0) return folge;
  const std::size_t start = Leer() ? 0 : (static_cast<std::size_t>(NeuesterSlot()) + 1) % laenge;
  for (std::size_t i = 0; i < laenge; ++i) folge.push_back((start + i) % laenge);
  return folge;
}

void Ringpuffer::ZeileLeeren(std::int32_t n) {
  auto& zeile = werte_.at(Index(n));
  std::fill(zeile.begin(), zeile.end(), NoValue);
}

}  // namespace pegel
