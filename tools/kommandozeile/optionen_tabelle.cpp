#include "optionen_tabelle.h"

#include <algorithm>

namespace kommandozeile {

namespace {

std::string Kopf(const Option& o) {
  std::string k = o.kurz.empty() ? o.name : o.kurz + ", " + o.name;
  if (!o.wert.empty()) k += " " + o.wert;
  return k;
}

}  // namespace

std::vector<std::string> Lesen(const Tabelle& t, const std::vector<std::string>& args) {
  std::vector<std::string> frei;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() < 2 || a[0] != '-') {
      frei.push_back(a);
      continue;
    }
    const auto o = std::find_if(t.begin(), t.end(), [&a](const Option& x) {
      return a == x.name || (!x.kurz.empty() && a == x.kurz);
    });
    if (o == t.end()) throw Aufruffehler("unbekannte Option '" + a + "'");
    if (o->wert.empty()) {
      o->setzen({});
    } else {
      if (i + 1 >= args.size()) throw Aufruffehler(a + " braucht einen Wert " + o->wert);
      o->setzen(args[++i]);
    }
  }
  return frei;
}

std::string Umbrechen(const std::string& anfang, const std::vector<std::string>& woerter,
                      std::size_t einzug) {
  // Characters, not bytes: a UTF-8 sequence counts once.
  const auto zeichen = [](const std::string& s) {
    return static_cast<std::size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
  };
  std::string aus = anfang;
  std::size_t spalte = zeichen(anfang);
  bool zeilenanfang = true;
  for (const std::string& wort : woerter) {
    if (!zeilenanfang && spalte + 1 + zeichen(wort) > Breite) {
      aus += "\n" + std::string(einzug, ' ');
      spalte = einzug;
      zeilenanfang = true;
    }
    if (!zeilenanfang) {
      aus += ' ';
      ++spalte;
    }
    aus += wort;
    spalte += zeichen(wort);
    zeilenanfang = false;
  }
  return aus + "\n";
}

std::string Umbrechen(const std::string& anfang, const std::string& text, std::size_t einzug) {
  std::vector<std::string> woerter;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t ende = std::min(text.find(' ', pos), text.size());
    if (ende > pos) woerter.push_back(text.substr(pos, ende - pos));
    pos = ende + 1;
  }
  return Umbrechen(anfang, woerter, einzug);
}

std::string Hilfe(const Tabelle& t) {
  std::size_t breite = 0;
  for (const auto& o : t) breite = std::max(breite, Kopf(o).size());
  std::string h;
  for (const auto& o : t) {
    const std::string k = Kopf(o);
    h += Umbrechen("  " + k + std::string(breite - k.size() + 3, ' '), o.hilfe, breite + 5);
  }
  return h;
}

std::vector<std::string> Kurzform(const Tabelle& t) {
  std::vector<std::string> k;
  for (const auto& o : t) k.push_back("[" + o.name + (o.wert.empty() ? "" : " " + o.wert) + "]");
  return k;
}

std::int64_t Ganzzahl(const std::string& option, const std::string& text, std::int64_t min,
                      std::int64_t max) {
  const auto z = pegel::GanzzahlLesen(text);
  if (!z || *z < min || *z > max) {
    throw Aufruffehler(option + ": ganze Zahl von " + std::to_string(min) + " bis " +
                       std::to_string(max) + " erwartet, nicht '" + text + "'");
  }
  return *z;
}

std::optional<pegel::TDateTime> ZeitpunktLesen(const std::string& text) {
  if (text.size() != 10 && text.size() != 19) return std::nullopt;
  if (text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto j = pegel::GanzzahlLesen(text.substr(0, 4));
  const auto m = pegel::GanzzahlLesen(text.substr(5, 2));
  const auto t = pegel::GanzzahlLesen(text.substr(8, 2));
  if (!j || !m || !t) return std::nullopt;
  try {
    pegel::TDateTime d = pegel::DatumKodieren(*j, *m, *t);
    if (text.size() == 19) {
      if (text[10] != ' ' && text[10] != 'T') return std::nullopt;
      const auto zeit = pegel::ZeitLesen(text.substr(11));
      if (!zeit) return std::nullopt;
      d += *zeit;
    }
    return d;
  } catch (const std::out_of_range&) {
    return std::nullopt;
  }
}

}  // namespace kommandozeile
