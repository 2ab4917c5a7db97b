#include "optionen.h"

namespace pegelsim {

using kommandozeile::Aufruffehler;
using kommandozeile::Ganzzahl;

kommandozeile::Tabelle OptionenTabelle(Optionen& o) {
  using W = const std::string&;
  return {
      {"--dir", "VERZ", "Anlagenverzeichnis (Vorgabe: das aktuelle Verzeichnis)",
       [&o](W w) { o.verz = w; }},
      {"--params", "N",
       "Parameterzahl 1..180 einer neu angelegten PEGELDDE.INI (Vorgabe 12, bei vorhandener "
       "INI deren Itemcount)",
       [&o](W w) { o.parameter = static_cast<int>(Ganzzahl("--params", w, 1, 180)); }},
      {"--interval", "SEKUNDEN", "Abstand der Proben, 1..3600 (Vorgabe 1)",
       [&o](W w) { o.intervall = static_cast<int>(Ganzzahl("--interval", w, 1, 3600)); }},
      {"--backfill", "TAGE",
       "so viele ganze vergangene Tage vorab schreiben; ein vorhandener Tag bleibt",
       [&o](W w) { o.nachtragen = static_cast<int>(Ganzzahl("--backfill", w, 0, 3660)); }},
      {"--samples", "N", "nach N Proben enden",
       [&o](W w) { o.proben = Ganzzahl("--samples", w, 0, 2000000000); }},
      {"--duration", "SEKUNDEN", "nach so vielen Sekunden enden",
       [&o](W w) { o.dauer = Ganzzahl("--duration", w, 0, 2000000000); }},
      {"--seed", "ZAHL",
       "Startwert des Modells (Vorgabe 1): gleicher Startwert und gleiche Probenzeit geben "
       "gleiche Werte",
       [&o](W w) { o.seed = static_cast<std::uint64_t>(Ganzzahl("--seed", w, 0, 2147483647)); }},
      {"--lines-per-sample", "K", "K Zeilen je Probe, für Lasttests (Vorgabe 1)",
       [&o](W w) {
         o.zeilenProProbe = static_cast<int>(Ganzzahl("--lines-per-sample", w, 1, 100000));
       }},
      {"--start", "\"JJJJ-MM-TT hh:mm:ss\"", "Zeit der ersten Probe (Vorgabe: jetzt)",
       [&o](W w) {
         o.start = StartLesen(w);
         if (!o.start) throw Aufruffehler("--start: \"JJJJ-MM-TT hh:mm:ss\" erwartet");
       }},
      {"--fast", "", "simulierte Zeit ohne Warten; braucht --samples oder --duration",
       [&o](W) { o.schnell = true; }},
      {"--help", "", "diese Hilfe ausgeben", [&o](W) { o.hilfe = true; }, "-h"},
      {"--version", "", "die Version ausgeben", [&o](W) { o.version = true; }},
  };
}

Optionen OptionenLesen(const std::vector<std::string>& args) {
  Optionen o;
  const auto frei = kommandozeile::Lesen(OptionenTabelle(o), args);
  if (!frei.empty()) throw Aufruffehler("unerwartetes Argument '" + frei.front() + "'");
  if (o.hilfe || o.version) return o;
  if (o.proben && o.dauer) {
    throw Aufruffehler("--samples und --duration schließen einander aus");
  }
  if (o.schnell && !o.proben && !o.dauer) {
    throw Aufruffehler("--fast braucht --samples oder --duration");
  }
  return o;
}

std::string Hilfe() {
  Optionen o;
  return "Aufruf: pegelsim [OPTIONEN]\n"
         "Spielt den Sammler PEGELDDE in einem Anlagenverzeichnis: PEGELDDE.INI (wenn sie\n"
         "fehlt), Tagesdateien, Probendatei und AKTDAT.PGV.\n\n"
         "Optionen:\n" +
         kommandozeile::Hilfe(OptionenTabelle(o)) +
         "\nExit-Codes: 0 fertig, 1 eine Datei war nicht zu schreiben, 2 Aufruffehler.\n";
}

}  // namespace pegelsim
