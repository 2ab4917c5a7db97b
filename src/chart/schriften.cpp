#include "schriften.h"

#include "cp1252.h"

namespace pegel::chart {

namespace {

constexpr int Versuche = 11;

std::string FontMeldung(int slot, const char* was) {
  return "Font(" + std::to_string(slot) + ") wurde nicht " + Ansi(was) + " !";
}

}  // namespace

SchriftTabelle::SchriftTabelle(Log& log, std::string name)
    : log_(log), name_(std::move(name)), erzeuger_([](const Schrift&) { return true; }) {}

bool SchriftTabelle::CreateMyScreenFont(int slot, int flags, int hoehe) {
  if (slot < 1 || slot > SchriftSlots || slots_.at(slot)) return false;
  Schrift s;
  s.name = name_;
  s.hoehe = hoehe;
  s.kursiv = (flags & SchriftKursiv) != 0;
  s.unterstrichen = (flags & SchriftUnterstrichen) != 0;
  s.gewicht = (flags & SchriftFett) ? 700 : (flags & SchriftDuenn) ? 100 : 400;
  for (int i = 0; i < Versuche; ++i) {
    if (erzeuger_(s)) {
      slots_.at(slot) = std::make_unique<Schrift>(s);
      return true;
    }
  }
  log_.LogAll(FontMeldung(slot, "erzeugt"));
  return false;
}

bool SchriftTabelle::DeleteMyScreenFont(int slot) {
  if (slot >= 1 && slot <= SchriftSlots) slots_.at(slot).reset();
  return true;
}

void SchriftTabelle::SeitenSchriftenErzeugen() {
  constexpr int Groesse = 5;
  const int hoehen[] = {Groesse * 80 / 11, Groesse * 80 / 10, Groesse * 80 / 9};
  for (int i = 0; i < 3; ++i) {
    CreateMyScreenFont(2 * i + 1, 0, hoehen[i]);
    CreateMyScreenFont(2 * i + 2, SchriftKursiv | SchriftFett, hoehen[i]);
  }
}

void SchriftTabelle::AlleLoeschen() {
  for (int i = 1; i <= SchriftSlots; ++i) DeleteMyScreenFont(i);
}

const Schrift* SchriftTabelle::Slot(int slot) const {
  if (slot < 1 || slot > SchriftSlots) return nullptr;
  return slots_.at(slot).get();
}

bool New_TextAusgabe(Canvas& c, const SchriftTabelle& schriften, Log& log, int x,
                     const std::string& text, int ausrichtung, Farbe farbe, int slot, int y,
                     const std::string& name) {
  auto fehler = [&](int nr) {
    log.LogAll("Fehler " + std::to_string(nr) + " in " +
               (name.empty() ? schriften.AusgabeName() : name));
    return false;
  };
  const Ausrichtung a = ausrichtung == 0   ? Ausrichtung::Links
                        : ausrichtung == 1 ? Ausrichtung::Rechts
                                           : Ausrichtung::Mitte;
  if (farbe < 0 || !c.TextAusrichtung(a) || !c.TextFarbe(farbe)) return fehler(1);
  const Schrift* s = schriften.Slot(slot);
  const Schrift* vorher = nullptr;
  if (s == nullptr || !c.SchriftWaehlen(s, vorher)) return fehler(2);
  const bool gezeichnet = c.Text(x, y, text);
  if (gezeichnet && farbe != Schwarz) c.TextFarbe(Schwarz);
  const Schrift* egal = nullptr;
  const bool zurueck = c.SchriftWaehlen(vorher, egal);
  if (!gezeichnet) return fehler(3);
  if (!zurueck) return fehler(4);
  return true;
}

}  // namespace pegel::chart
