#include "aufruf.h"

#include <algorithm>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "kommandos.h"

namespace pegeltool {
namespace {

using kommandozeile::Aufruffehler;

std::string Argumente(const Kommando& k) {
  std::string a;
  for (const auto& x : k.argumente) a += " " + x;
  return a;
}

std::string Aufruf(const Kommando& k) {
  const std::string anfang = "Aufruf: pegeltool " + k.name + Argumente(k) + " ";
  return kommandozeile::Umbrechen(anfang, kommandozeile::Kurzform(k.optionen), anfang.size());
}

std::string KommandoHilfe(const Kommando& k) {
  return Aufruf(k) + kommandozeile::Umbrechen("  ", k.zweck, 2) + kommandozeile::Hilfe(k.optionen) +
         kommandozeile::Umbrechen("  Exit-Codes: ", k.ausgang, 14);
}

kommandozeile::Tabelle Allgemein(bool& hilfe, bool& version) {
  return {{"--help", "", "diese Hilfe ausgeben; KOMMANDO --help: die des Kommandos",
           [&hilfe](const std::string&) { hilfe = true; }, "-h"},
          {"--version", "", "die Version ausgeben",
           [&version](const std::string&) { version = true; }}};
}

}  // namespace

std::string Hilfe() {
  bool h = false, v = false;
  std::string t =
      "Aufruf: pegeltool KOMMANDO ARGUMENTE [OPTIONEN]\n"
      "        pegeltool [--help | --version]\n\n" +
      kommandozeile::Hilfe(Allgemein(h, v)) + "\nKommandos:\n";
  for (const Kommando& k : AlleKommandos()) {
    t += "\n" + KommandoHilfe(k);
  }
  t += "\nAusgabetext ist UTF-8.\n";
  return t;
}

namespace {

// The free arguments' count against the command's list, where "[X]" is optional.
void AnzahlPruefen(const Kommando& k, const std::vector<std::string>& frei) {
  const auto noetig = static_cast<std::size_t>(std::count_if(
      k.argumente.begin(), k.argumente.end(), [](const std::string& a) { return a[0] != '['; }));
  if (frei.size() < noetig) throw Aufruffehler("Argumente fehlen");
  if (frei.size() > k.argumente.size()) throw Aufruffehler("zu viele Argumente");
}

int Ausfuehren(Kommando& k, const std::vector<std::string>& args) {
  bool hilfe = false;
  k.optionen.push_back(
      {"--help", "", "diese Hilfe ausgeben", [&hilfe](const std::string&) { hilfe = true; }, "-h"});
  try {
    const auto frei = kommandozeile::Lesen(k.optionen, args);
    if (hilfe) {
      std::cout << KommandoHilfe(k);
      return ExitOk;
    }
    AnzahlPruefen(k, frei);
    return k.ausfuehren(frei);
  } catch (const Aufruffehler& e) {
    std::cerr << "pegeltool " << k.name << ": " << e.what() << "\n" << Aufruf(k);
    return ExitAufruf;
  }
}

}  // namespace

int Hauptprogramm(const std::vector<std::string>& args) {
  if (args.empty()) {
    std::cerr << Hilfe();
    return ExitAufruf;
  }
  if (args[0].size() > 1 && args[0][0] == '-') {
    bool hilfe = false, version = false;
    try {
      if (!kommandozeile::Lesen(Allgemein(hilfe, version), args).empty()) {
        throw Aufruffehler("erst das Kommando, dann die Argumente");
      }
    } catch (const Aufruffehler& e) {
      std::cerr << "pegeltool: " << e.what() << "\n" << Hilfe();
      return ExitAufruf;
    }
    std::cout << (hilfe ? Hilfe() : std::string("pegeltool " PEGEL_VERSION "\n"));
    return ExitOk;
  }
  for (Kommando& k : AlleKommandos()) {
    if (k.name == args[0]) return Ausfuehren(k, {args.begin() + 1, args.end()});
  }
  std::cerr << "pegeltool: unbekanntes Kommando '" << args[0] << "'\n" << Hilfe();
  return ExitAufruf;
}

}  // namespace pegeltool
