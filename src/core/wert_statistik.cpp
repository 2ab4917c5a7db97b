#include "wert_statistik.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <system_error>
#include <thread>

#include "cp1252.h"
#include "text_format.h"

namespace pegel {

namespace {

struct Summen {
  double min = 0;
  double max = 0;
  double summe = 0;
  double integral = 0;
  std::size_t zeileMin = 0;
  std::size_t zeileMax = 0;
};

// A row of the span, found from the times alone: its table row and the seconds since the
// row before it (0 when its time is not later).
struct SpannenZeile {
  std::size_t r;
  double sekunden;
};

// Below this many cells a computation stays on the calling thread: starting threads would
// cost more than they save.
constexpr std::size_t ZellenProThread = 1'000'000;

// The columns k0 .. k1 - 1 (0-based) over the span's rows zeilen[0 .. bis - 1], in row
// order, into s[k0 .. k1 - 1]. Every row's values are read first and added only when all of
// them convert. Returns the index into `zeilen` of the first row with a value that does not
// convert (its values are added nowhere), or `bis`.
std::size_t SpaltenBlock(const WerteTabelle& tabelle, const std::vector<SpannenZeile>& zeilen,
                         std::size_t bis, const std::vector<std::size_t>& felder,
                         const std::vector<double>& zeiteinheit, std::size_t k0, std::size_t k1,
                         Summen* s) {
  std::vector<double> werte(k1 - k0);
  std::vector<std::size_t> mitIntegral;  // the block's columns with a time unit
  // Columns whose field follows the previous column's: usually all of them.
  std::vector<char> folgt(k1 - k0);
  for (std::size_t k = k0; k < k1; ++k) {
    if (zeiteinheit[k] > 0) mitIntegral.push_back(k);
    folgt[k - k0] = k > k0 && felder[k] == felder[k - 1] + 1;
  }
  for (std::size_t i = 0; i < bis; ++i) {
    const gitter::ZeilenSicht zeile = tabelle.Tageszeile(zeilen[i].r);
    // Most cells are short numbers, read in place up to the ";" or line end behind them;
    // the next field then begins behind that ";". Anything else takes the general path.
    const bool kurz = zeile.Abgeschlossen();
    const char* naechstes = nullptr;  // the next field's beginning, when known
    for (std::size_t k = k0; k < k1; ++k) {
      double& w = werte[k - k0];
      const char* const anfang = naechstes != nullptr && folgt[k - k0] ? naechstes
                                 : kurz                                ? zeile.FeldAnfang(felder[k])
                                                                       : nullptr;
      const char* const ende = anfang != nullptr ? KurzeZahlAb(anfang, w) : nullptr;
      naechstes = nullptr;
      if (ende != nullptr && *ende == ';') {
        naechstes = ende + 1;
        continue;
      }
      if (ende != nullptr && ende == zeile.Ende()) continue;
      const std::optional<double> v = ZahlLesen(zeile.Feld(felder[k]));
      if (!v) return i;
      w = *v;
    }
    const std::size_t r = zeilen[i].r;
    if (i == 0) {
      // The first value becomes minimum and maximum, whatever its size.
      for (std::size_t k = k0; k < k1; ++k) s[k].min = s[k].max = werte[k - k0];
      for (std::size_t k = k0; k < k1; ++k) s[k].zeileMin = s[k].zeileMax = r;
    }
    for (std::size_t k = k0; k < k1; ++k) {
      const double v = werte[k - k0];
      Summen& a = s[k];
      a.summe += v;
      if (v < a.min) {
        a.min = v;
        a.zeileMin = r;
      }
      if (v > a.max) {
        a.max = v;
        a.zeileMax = r;
      }
    }
    if (const double sekunden = zeilen[i].sekunden; sekunden > 0) {
      for (const std::size_t k : mitIntegral) {
        s[k].integral += werte[k - k0] * sekunden / zeiteinheit[k];
      }
    }
  }
  return bis;
}

// SpaltenBlock over all columns in `bloecke` blocks (0: by the span's size and the
// machine's cores), each but the first on a thread of its own. Each column adds its rows
// in row order, as one thread would. Returns the index of the first row with a value that
// does not convert in any column, or zeilen.size(); the sums then hold the rows before it.
std::size_t AlleSpalten(const WerteTabelle& tabelle, const std::vector<SpannenZeile>& zeilen,
                        const std::vector<std::size_t>& felder,
                        const std::vector<double>& zeiteinheit, std::size_t bloecke,
                        std::vector<Summen>& s) {
  const std::size_t n = felder.size();
  if (bloecke == 0) {
    const std::size_t kerne = std::max(1u, std::thread::hardware_concurrency());
    bloecke = std::min(kerne, zeilen.size() * n / ZellenProThread);
  }
  bloecke = std::max<std::size_t>(1, std::min(bloecke, n));
  std::vector<std::size_t> grenze(bloecke + 1);
  for (std::size_t b = 0; b <= bloecke; ++b) grenze[b] = n * b / bloecke;
  std::vector<std::size_t> fehler(bloecke, zeilen.size());
  const auto rechnen = [&](std::size_t b, std::size_t bis) {
    std::fill(s.begin() + static_cast<std::ptrdiff_t>(grenze[b]),
              s.begin() + static_cast<std::ptrdiff_t>(grenze[b + 1]), Summen{});
    fehler[b] =
        SpaltenBlock(tabelle, zeilen, bis, felder, zeiteinheit, grenze[b], grenze[b + 1], s.data());
  };
  {
    // Block 0 on this thread, the others on their own; a thread that cannot be started
    // leaves its block to this one. Every thread is joined before anything is read.
    std::vector<std::exception_ptr> ausnahmen(bloecke);
    std::vector<std::jthread> threads;
    threads.reserve(bloecke);
    std::vector<std::size_t> selbst = {0};
    for (std::size_t b = 1; b < bloecke; ++b) {
      try {
        threads.emplace_back([&, b] {
          try {
            rechnen(b, zeilen.size());
          } catch (...) {
            ausnahmen[b] = std::current_exception();
          }
        });
      } catch (const std::system_error&) {
        selbst.push_back(b);  // no thread to be had: computed here instead
      }
    }
    try {
      for (const std::size_t b : selbst) rechnen(b, zeilen.size());
    } catch (...) {
      ausnahmen[0] = std::current_exception();
    }
    threads.clear();  // joins
    for (const std::exception_ptr& e : ausnahmen) {
      if (e) std::rethrow_exception(e);
    }
  }
  // The first bad row ends the reading for every column: a block that went beyond it is
  // computed again up to it (rare, and only after a bad cell).
  const std::size_t erster = *std::min_element(fehler.begin(), fehler.end());
  for (std::size_t b = 0; b < bloecke; ++b) {
    if (fehler[b] != erster) rechnen(b, erster);
  }
  return erster;
}

// The signed length of a span as a time text.
std::string Dauer(TDateTime d) { return d < 0 ? "-" + ZeitText(-d) : ZeitText(d); }

}  // namespace

Einheitsteile EinheitAusTitel(std::string_view titel) {
  Einheitsteile e;
  const auto auf = titel.rfind('[');
  if (auf == std::string_view::npos) return e;
  const std::string_view rest = titel.substr(auf + 1, 11);
  const auto zu = rest.find(']');
  if (zu == std::string_view::npos) return e;
  const std::string_view u = rest.substr(0, zu);
  e.einheit = u;
  const auto strich = u.find('/');
  if (strich == std::string_view::npos) return e;
  e.mengeneinheit = u.substr(0, strich);
  std::string zeit(u.substr(strich + 1, 5));
  for (char& c : zeit) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  const auto enthaelt = [&](std::string_view s) { return zeit.find(s) != std::string::npos; };
  if (enthaelt("ST") || zeit == "H") {
    e.zeiteinheit = 3600;
  } else if (enthaelt("MIN")) {
    e.zeiteinheit = 60;
  } else if (zeit == "D" || zeit.starts_with("TAG")) {
    e.zeiteinheit = 86400;
  } else {
    e.zeiteinheit = 1;
  }
  return e;
}

StatistikErgebnis btStatistikClick(const WerteTabelle& tabelle, std::string_view eStart,
                                   std::string_view eStop, int PR, int NK) {
  return btStatistikClick(tabelle, eStart, eStop, PR, NK, 0);
}

StatistikErgebnis btStatistikClick(const WerteTabelle& tabelle, std::string_view eStart,
                                   std::string_view eStop, int PR, int NK, std::size_t bloecke) {
  StatistikErgebnis erg;
  const std::optional<TDateTime> tStart = ZeitLesen(eStart);
  const std::optional<TDateTime> tStop = ZeitLesen(eStop);
  if (!tStart || !tStop) {
    erg.meldungen.push_back("Falsches Zeitformat !");
    return erg;
  }
  erg.lbDiff = Dauer(*tStop - *tStart);

  const std::size_t n = tabelle.Spalten() - 1;
  std::vector<Einheitsteile> einheiten(n);
  std::vector<std::size_t> felder(n);  // the day grid's field of each column
  std::vector<double> zeiteinheit(n);  // 0 for a column without integral
  for (std::size_t k = 0; k < n; ++k) {
    einheiten[k] = EinheitAusTitel(tabelle.Titel(k + 1));
    felder[k] = tabelle.Feld(k + 1);
    zeiteinheit[k] = einheiten[k].zeiteinheit > 0.1 ? einheiten[k].zeiteinheit : 0;
  }
  // The rows of the span, from the times alone: reading ends at the first row after
  // eStop, or at a time that does not convert.
  std::vector<SpannenZeile> zeilen;
  std::size_t zeitFehler = 0;  // the row with a time that does not convert, if any
  TDateTime vorige = *tStart;
  for (std::size_t r = 1; r < tabelle.Zeilen(); ++r) {
    const std::optional<TDateTime> t = ZeitLesen(tabelle.Zeit(r));
    if (!t) {
      zeitFehler = r;
      break;
    }
    if (*t >= *tStart && *t <= *tStop) {
      zeilen.push_back({r, *t > vorige ? (*t - vorige) * 24 * 60 * 60 : 0});
    }
    vorige = *t;
    if (*t > *tStop) break;
  }

  std::vector<Summen> s(n);
  const std::size_t gezaehlt = AlleSpalten(tabelle, zeilen, felder, zeiteinheit, bloecke, s);
  // A bad value lies before any bad time: the rows were read in order.
  const std::size_t fehlerZeile = gezaehlt < zeilen.size() ? zeilen[gezaehlt].r : zeitFehler;
  if (fehlerZeile != 0) {
    erg.meldungen.push_back("Falsches Zeitformat in Zeile " +
                            GanzText(static_cast<std::int64_t>(fehlerZeile)) + " !");
  }
  const auto anzahl = static_cast<std::int64_t>(gezaehlt);

  erg.grStat.assign(StatistikZeilenzahl, std::vector<std::string>(n + 1));
  for (std::size_t z = 1; z < StatistikZeilenzahl; ++z) erg.grStat[z][0] = StatistikZeilen[z];
  for (std::size_t k = 1; k <= n; ++k) erg.grStat[0][k] = tabelle.Titel(k);
  if (anzahl < 1) {
    erg.meldungen.push_back(Ansi("Keine Daten im ausgewählten Zeitraum gefunden !"));
    return erg;
  }

  erg.anzahl = anzahl;
  erg.spalten.resize(n);
  const std::string anzahlText = GanzText(anzahl);
  for (std::size_t k = 1; k <= n; ++k) {
    const Summen& a = s[k - 1];
    SpaltenStatistik& st = erg.spalten[k - 1];
    st.einheit = std::move(einheiten[k - 1]);
    st.Min = a.min;
    st.Max = a.max;
    st.Summe = a.summe;
    st.Mittel = a.summe / static_cast<double>(anzahl);
    st.Integral = a.integral;
    st.tMin = tabelle.Zeit(a.zeileMin);
    st.tMax = tabelle.Zeit(a.zeileMax);

    const std::array<std::string, StatistikZeilenzahl> texte = {
        erg.grStat[0][k],
        FestFormat(st.Min, PR, NK),
        st.tMin,
        FestFormat(st.Max, PR, NK),
        st.tMax,
        FestFormat(st.Mittel, PR, NK),
        anzahlText,
        FestFormat(st.Summe, PR, NK),
        st.HatIntegral() && st.Integral > 0
            ? FestFormat(st.Integral, PR, NK) + "  " + st.einheit.mengeneinheit
            : std::string(KeinIntegral)};
    for (std::size_t z = 0; z < StatistikZeilenzahl; ++z) erg.grStat[z][k] = texte[z];
  }
  return erg;
}

}  // namespace pegel
