#include "optionen.h"

#include <stdexcept>

namespace pegelsim {

const char* const Aufruf =
    "Aufruf: pegelsim [--dir VERZ] [--params N] [--interval SEKUNDEN] [--backfill TAGE]\n"
    "                [--samples N | --duration SEKUNDEN] [--seed ZAHL] [--lines-per-sample K]\n"
    "                [--start \"JJJJ-MM-TT hh:mm:ss\"] [--fast]\n";

namespace {

std::int64_t Ganzzahl(const std::string& option, const std::string& text, std::int64_t min,
                      std::int64_t max) {
  const auto z = pegel::GanzzahlLesen(text);
  if (!z || *z < min || *z > max) {
    throw std::invalid_argument(option + ": ganze Zahl von " + std::to_string(min) + " bis " +
                                std::to_string(max) + " erwartet, nicht '" + text + "'");
  }
  return *z;
}

}  // namespace

std::optional<pegel::TDateTime> StartLesen(const std::string& text) {
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

Optionen OptionenLesen(const std::vector<std::string>& args) {
  Optionen o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto wert = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::invalid_argument(a + ": Wert fehlt");
      return args[++i];
    };
    if (a == "--help" || a == "-h") {
      o.hilfe = true;
    } else if (a == "--dir") {
      o.verz = wert();
    } else if (a == "--params") {
      o.parameter = static_cast<int>(Ganzzahl(a, wert(), 1, 180));
    } else if (a == "--interval") {
      o.intervall = static_cast<int>(Ganzzahl(a, wert(), 1, 3600));
    } else if (a == "--backfill") {
      o.nachtragen = static_cast<int>(Ganzzahl(a, wert(), 0, 3660));
    } else if (a == "--samples") {
      o.proben = Ganzzahl(a, wert(), 0, 2000000000);
    } else if (a == "--duration") {
      o.dauer = Ganzzahl(a, wert(), 0, 2000000000);
    } else if (a == "--seed") {
      o.seed = static_cast<std::uint64_t>(Ganzzahl(a, wert(), 0, 2147483647));
    } else if (a == "--lines-per-sample") {
      o.zeilenProProbe = static_cast<int>(Ganzzahl(a, wert(), 1, 100000));
    } else if (a == "--start") {
      const std::string& t = wert();
      o.start = StartLesen(t);
      if (!o.start) throw std::invalid_argument("--start: \"JJJJ-MM-TT hh:mm:ss\" erwartet");
    } else if (a == "--fast") {
      o.schnell = true;
    } else {
      throw std::invalid_argument("unbekannte Option '" + a + "'");
    }
  }
  if (o.proben && o.dauer) {
    throw std::invalid_argument("--samples und --duration schließen einander aus");
  }
  if (o.schnell && !o.proben && !o.dauer) {
    throw std::invalid_argument("--fast braucht --samples oder --duration");
  }
  return o;
}

}  // namespace pegelsim
