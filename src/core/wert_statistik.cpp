#include "wert_statistik.h"

#include <algorithm>
#include <optional>

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
  for (std::size_t k = 1; k <= n; ++k) einheiten[k - 1] = EinheitAusTitel(tabelle.Titel(k));
  std::vector<Summen> s(n);
  std::vector<double> werte(n);  // one row's values, added only when all of them convert

  std::int64_t anzahl = 0;
  TDateTime vorige = *tStart;
  for (std::size_t r = 1; r < tabelle.Zeilen(); ++r) {
    const std::optional<TDateTime> t = ZeitLesen(tabelle.Zeit(r));
    bool ok = t.has_value();
    if (ok && *t >= *tStart && *t <= *tStop) {
      for (std::size_t k = 0; ok && k < n; ++k) {
        const std::optional<double> v = ZahlLesen(tabelle.Zelle(r, k + 1));
        if (v) werte[k] = *v;
        ok = v.has_value();
      }
      if (ok) {
        ++anzahl;
        const double sekunden = *t > vorige ? (*t - vorige) * 24 * 60 * 60 : 0;
        for (std::size_t k = 0; k < n; ++k) {
          const double v = werte[k];
          Summen& a = s[k];
          a.summe += v;
          if (anzahl == 1 || v < a.min) {
            a.min = v;
            a.zeileMin = r;
          }
          if (anzahl == 1 || v > a.max) {
            a.max = v;
            a.zeileMax = r;
          }
          if (einheiten[k].zeiteinheit > 0.1 && sekunden > 0) {
            a.integral += v * sekunden / einheiten[k].zeiteinheit;
          }
        }
      }
    }
    if (!ok) {
      erg.meldungen.push_back("Falsches Zeitformat in Zeile " +
                              GanzText(static_cast<std::int64_t>(r)) + " !");
      break;
    }
    vorige = *t;
    if (*t > *tStop) break;
  }

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
        st.HatIntegral() ? FestFormat(st.Integral, PR, NK) + "  " + st.einheit.mengeneinheit
                         : std::string(KeinIntegral)};
    for (std::size_t z = 0; z < StatistikZeilenzahl; ++z) erg.grStat[z][k] = texte[z];
  }
  return erg;
}

}  // namespace pegel
