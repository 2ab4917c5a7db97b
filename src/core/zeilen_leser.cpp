#include "zeilen_leser.h"

#include <cstring>

namespace pegel {

bool ZeilenLeser::Nachladen() {
  puffer_.erase(0, pos_);
  pos_ = 0;
  const std::size_t alt = puffer_.size();
  puffer_.resize(alt + Block);
  ein_.read(puffer_.data() + alt, static_cast<std::streamsize>(Block));
  const auto gelesen = static_cast<std::size_t>(ein_.gcount());
  puffer_.resize(alt + gelesen);
  if (ein_.bad()) {
    fehler_ = true;
    return false;
  }
  if (gelesen == 0) ende_ = true;
  return gelesen > 0;
}

bool ZeilenLeser::Naechste(std::string_view& zeile) {
  if (fehler_) return false;
  std::size_t gesucht = pos_;  // bytes before this offset hold no LF
  std::size_t ende = 0;
  while (true) {
    const void* lf = std::memchr(puffer_.data() + gesucht, '\n', puffer_.size() - gesucht);
    if (lf != nullptr) {
      ende = static_cast<std::size_t>(static_cast<const char*>(lf) - puffer_.data());
      break;
    }
    if (!ende_) {
      gesucht = puffer_.size() - pos_;  // the same bytes after Nachladen moved them
      if (Nachladen()) continue;
      if (fehler_) return false;
    }
    if (pos_ >= puffer_.size()) return false;
    ende = puffer_.size();  // the last line has no line break
    break;
  }
  zeile = std::string_view(puffer_.data() + pos_, ende - pos_);
  pos_ = ende < puffer_.size() ? ende + 1 : ende;
  if (!zeile.empty() && zeile.back() == '\r') zeile.remove_suffix(1);
  return true;
}

}  // namespace pegel
