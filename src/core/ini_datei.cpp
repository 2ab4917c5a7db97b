#include "ini_datei.h"

#include <fstream>
#include <system_error>

#include "datei_ersetzen.h"
#include "text_format.h"

namespace pegel {
namespace {

// Larger files are not held whole, and then never written back.
constexpr std::uintmax_t kMaxGroesse = 64u * 1024u * 1024u;

bool IstLeer(char c) { return c == ' ' || c == '\t'; }

std::string_view Beschnitten(std::string_view s) {
  while (!s.empty() && IstLeer(s.front())) s.remove_prefix(1);
  while (!s.empty() && IstLeer(s.back())) s.remove_suffix(1);
  return s;
}

// Folds ASCII and Windows-1252 Latin letters to lower case.
std::string Gefaltet(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) {
      c = static_cast<char>(b + 32);
    }
  }
  return out;
}

std::string OhneUmbruch(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

}  // namespace

IniDatei::IniDatei(std::filesystem::path pfad, bool nurLesen)
    : pfad_(std::move(pfad)), nurLesen_(nurLesen) {
  std::string text;
  std::error_code ec;
  const auto groesse = std::filesystem::file_size(pfad_, ec);
  if (!ec) {
    std::ifstream f(pfad_, std::ios::binary);
    if (f) {
      const std::uintmax_t n = std::min(groesse, kMaxGroesse);
      unvollstaendig_ = groesse > kMaxGroesse;
      text.resize(static_cast<std::size_t>(n));
      f.read(text.data(), static_cast<std::streamsize>(n));
      text.resize(static_cast<std::size_t>(f.gcount()));
    }
  }
  Zerlegen(text);
}

IniDatei IniDatei::AusText(std::string text) {
  IniDatei ini;
  ini.Zerlegen(text);
  return ini;
}

void IniDatei::Zerlegen(std::string_view text) {
  zeilen_.clear();
  const std::size_t lf = text.find('\n');
  zeilenende_ = (lf == std::string_view::npos || (lf > 0 && text[lf - 1] == '\r')) ? "\r\n" : "\n";
  endetMitUmbruch_ = text.empty() || text.back() == '\n';
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t ende = text.find('\n', pos);
    if (ende == std::string_view::npos) ende = text.size();
    std::string_view z = text.substr(pos, ende - pos);
    if (!z.empty() && z.back() == '\r') z.remove_suffix(1);
    zeilen_.push_back(ZeileDeuten(std::string(z)));
    pos = ende + 1;
  }
}

IniDatei::Zeile IniDatei::ZeileDeuten(std::string roh) {
  Zeile z;
  z.roh = std::move(roh);
  const std::string_view t = Beschnitten(z.roh);
  if (!t.empty() && t.front() == '[') {
    std::string_view name = t.substr(1);
    const std::size_t zu = name.find(']');
    if (zu != std::string_view::npos) name = name.substr(0, zu);
    z.art = Zeile::Sektion;
    z.name = Gefaltet(Beschnitten(name));
  } else if (!t.empty() && t.front() != ';') {
    const std::size_t gleich = z.roh.find('=');
    if (gleich != std::string::npos) {
      z.art = Zeile::Schluessel;
      z.name = Gefaltet(Beschnitten(std::string_view(z.roh).substr(0, gleich)));
      z.wertAnfang = gleich + 1;
    }
  }
  return z;
}

std::size_t IniDatei::SektionSuchen(std::string_view sektion) const {
  const std::string name = Gefaltet(Beschnitten(sektion));
  for (std::size_t i = 0; i < zeilen_.size(); ++i) {
    if (zeilen_[i].art == Zeile::Sektion && zeilen_[i].name == name) return i;
  }
  return std::string::npos;
}

std::size_t IniDatei::SchluesselSuchen(std::size_t sektionsZeile,
                                       std::string_view schluessel) const {
  const std::string name = Gefaltet(Beschnitten(schluessel));
  for (std::size_t i = sektionsZeile + 1; i < zeilen_.size(); ++i) {
    if (zeilen_[i].art == Zeile::Sektion) break;
    if (zeilen_[i].art == Zeile::Schluessel && zeilen_[i].name == name) return i;
  }
  return std::string::npos;
}

std::optional<std::string> IniDatei::Wert(std::string_view sektion,
                                          std::string_view schluessel) const {
  const std::size_t s = SektionSuchen(sektion);
  if (s == std::string::npos) return std::nullopt;
  const std::size_t k = SchluesselSuchen(s, schluessel);
  if (k == std::string::npos) return std::nullopt;
  std::string_view w = Beschnitten(std::string_view(zeilen_[k].roh).substr(zeilen_[k].wertAnfang));
  if (w.size() >= 2 && w.front() == '"' && w.back() == '"') w = w.substr(1, w.size() - 2);
  return std::string(w);
}

std::string IniDatei::LeseText(std::string_view sektion, std::string_view schluessel,
                               std::string_view vorgabe) const {
  auto w = Wert(sektion, schluessel);
  return w ? *w : std::string(vorgabe);
}

std::int32_t IniDatei::LeseGanz(std::string_view sektion, std::string_view schluessel,
                                std::int32_t vorgabe) const {
  const auto w = Wert(sektion, schluessel);
  if (!w) return vorgabe;
  return GanzzahlLesen(*w).value_or(vorgabe);
}

bool IniDatei::LeseBool(std::string_view sektion, std::string_view schluessel, bool vorgabe) const {
  return LeseGanz(sektion, schluessel, vorgabe ? 1 : 0) != 0;
}

void IniDatei::SchreibeText(std::string_view sektion, std::string_view schluessel,
                            std::string_view wert) {
  const std::string zeile = std::string(Beschnitten(schluessel)) + "=" + OhneUmbruch(wert);
  geaendert_ = true;
  std::size_t s = SektionSuchen(sektion);
  if (s == std::string::npos) {
    if (!zeilen_.empty() && !Beschnitten(zeilen_.back().roh).empty()) {
      zeilen_.push_back(ZeileDeuten(""));
    }
    zeilen_.push_back(ZeileDeuten("[" + std::string(Beschnitten(sektion)) + "]"));
    zeilen_.push_back(ZeileDeuten(zeile));
    return;
  }
  const std::size_t k = SchluesselSuchen(s, schluessel);
  if (k != std::string::npos) {
    zeilen_[k] = ZeileDeuten(zeile);
    return;
  }
  // New key: after the last non-blank line of the section.
  std::size_t letzte = s;
  for (std::size_t i = s + 1; i < zeilen_.size() && zeilen_[i].art != Zeile::Sektion; ++i) {
    if (!Beschnitten(zeilen_[i].roh).empty()) letzte = i;
  }
  zeilen_.insert(zeilen_.begin() + static_cast<std::ptrdiff_t>(letzte + 1), ZeileDeuten(zeile));
}

void IniDatei::SchreibeGanz(std::string_view sektion, std::string_view schluessel,
                            std::int64_t wert) {
  SchreibeText(sektion, schluessel, GanzText(wert));
}

void IniDatei::SchreibeBool(std::string_view sektion, std::string_view schluessel, bool wert) {
  SchreibeText(sektion, schluessel, wert ? "1" : "0");
}

std::string IniDatei::Text() const {
  std::string out;
  for (std::size_t i = 0; i < zeilen_.size(); ++i) {
    out += zeilen_[i].roh;
    if (i + 1 < zeilen_.size() || endetMitUmbruch_) out += zeilenende_;
  }
  return out;
}

bool IniDatei::Speichern() {
  if (!geaendert_ || nurLesen_) return !unvollstaendig_ || !geaendert_;
  if (unvollstaendig_ || pfad_.empty()) return false;
  if (!DateiErsetzen(pfad_, Text())) return false;
  geaendert_ = false;
  return true;
}

}  // namespace pegel
