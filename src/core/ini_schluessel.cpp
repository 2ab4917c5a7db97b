#include "ini_schluessel.h"

#include <algorithm>
#include <stdexcept>

#include "ini_datei.h"
#include "text_format.h"

namespace pegel {
namespace {

// Section and key of a handle for parameter n.
struct Ort {
  std::string sektion;
  std::string name;
};

Ort OrtVon(std::string_view sektion, std::string_view name, Je je, int n) {
  switch (je) {
    case Je::Einzeln:
      if (n != 0) throw std::invalid_argument("INI-Schluessel ohne Parameter");
      return {std::string(sektion), std::string(name)};
    case Je::Parameter:
      if (n < 1) throw std::invalid_argument("INI-Schluessel braucht einen Parameter");
      return {std::string(sektion), std::string(name) + std::to_string(n)};
    case Je::Skala:
      if (n < 1) throw std::invalid_argument("INI-Schluessel braucht einen Parameter");
      return {std::string(sektion) + std::to_string(n), std::string(name)};
  }
  throw std::invalid_argument("INI-Schluessel");
}

template <class K>
Ort OrtVon(const K& k, int n) {
  return OrtVon(k.sektion, k.name, k.je, n);
}

}  // namespace

std::string SchluesselName(std::string_view sektion, std::string_view name, Je je, int n) {
  const Ort o = OrtVon(sektion, name, je, n);
  return "[" + o.sektion + "] " + o.name;
}

IniEinstellungen::IniEinstellungen(const std::filesystem::path& pfad, bool nurLesen)
    : ini_(std::make_unique<IniDatei>(pfad, nurLesen)) {}
IniEinstellungen::~IniEinstellungen() = default;
IniEinstellungen::IniEinstellungen(IniEinstellungen&&) noexcept = default;
IniEinstellungen& IniEinstellungen::operator=(IniEinstellungen&&) noexcept = default;

std::int32_t IniEinstellungen::Lesen(const GanzSchluessel& k, int n) const {
  const Ort o = OrtVon(k, n);
  const std::int32_t v = ini_->LeseGanz(o.sektion, o.name, k.vorgabe);
  switch (k.regel) {
    case Grenzregel::Keine:
      return v;
    case Grenzregel::Klemmen:
      return std::clamp(v, k.min, k.max);
    case Grenzregel::Vorgabe:
      return k.Enthaelt(v) ? v : k.vorgabe;
  }
  return v;
}

bool IniEinstellungen::Lesen(const BoolSchluessel& k, int n) const {
  const Ort o = OrtVon(k, n);
  return ini_->LeseBool(o.sektion, o.name, k.vorgabe);
}

std::string IniEinstellungen::Lesen(const TextSchluessel& k, int n) const {
  return Lesen(k, n, k.vorgabe);
}

std::string IniEinstellungen::Lesen(const TextSchluessel& k, int n,
                                    std::string_view vorgabe) const {
  const Ort o = OrtVon(k, n);
  return ini_->LeseText(o.sektion, o.name, vorgabe);
}

std::string IniEinstellungen::AlsText(const GanzSchluessel& k, int n) const {
  const Ort o = OrtVon(k, n);
  return ini_->LeseText(o.sektion, o.name, GanzText(k.vorgabe));
}

std::string IniEinstellungen::Text(const ZahlSchluessel& k, int n) const {
  const Ort o = OrtVon(k, n);
  return ini_->LeseText(o.sektion, o.name, k.vorgabe);
}

std::optional<double> IniEinstellungen::Zahl(const ZahlSchluessel& k, int n) const {
  const std::string t = Text(k, n);
  return k.punktUndKomma ? ZahlLesenPunktKomma(t) : ZahlLesen(t);
}

void IniEinstellungen::Schreiben(const GanzSchluessel& k, std::int64_t wert, int n) {
  const Ort o = OrtVon(k, n);
  ini_->SchreibeGanz(o.sektion, o.name, wert);
}

void IniEinstellungen::Schreiben(const BoolSchluessel& k, bool wert, int n) {
  const Ort o = OrtVon(k, n);
  ini_->SchreibeBool(o.sektion, o.name, wert);
}

void IniEinstellungen::Schreiben(const TextSchluessel& k, std::string_view wert, int n) {
  const Ort o = OrtVon(k, n);
  ini_->SchreibeText(o.sektion, o.name, wert);
}

void IniEinstellungen::Schreiben(const ZahlSchluessel& k, std::string_view text, int n) {
  const Ort o = OrtVon(k, n);
  ini_->SchreibeText(o.sektion, o.name, text);
}

void IniEinstellungen::TextSchreiben(const GanzSchluessel& k, std::string_view text, int n) {
  const Ort o = OrtVon(k, n);
  ini_->SchreibeText(o.sektion, o.name, text);
}

bool IniEinstellungen::Speichern() { return ini_->Speichern(); }

const std::filesystem::path& IniEinstellungen::Pfad() const { return ini_->Pfad(); }

}  // namespace pegel
