#include "live_grafik.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "cp1252.h"
#include "geometrie.h"
#include "gruppen_datei.h"
#include "ini_datei.h"
#include "statistik.h"
#include "text_format.h"
#include "zeitachse.h"

namespace pegel::chart {
namespace {

// Serves pending events at most every 10 ms while a long copy runs.
class Zeitscheibe {
 public:
  Zeitscheibe(Dienste& d) : d_(d), start_(d.uhr.Ticks()) {}
  // True when events were served.
  bool Vielleicht() {
    const std::uint32_t jetzt = d_.uhr.Ticks();
    if (static_cast<std::uint32_t>(jetzt - start_) < 10) return false;
    d_.ereignisse.Verarbeiten();
    start_ = jetzt;
    return true;
  }

 private:
  Dienste& d_;
  std::uint32_t start_;
};

}  // namespace

LiveGrafik::LiveGrafik(PegelStatus& s, Dienste& d) : schriften(d.log), s_(s), d_(d) {}

int LiveGrafik::InitGraf(int n, int cursor) {
  seite.Schreibposition = cursor;
  if (n < 1 || n > MaxGrafiken) return -1;
  try {
    ++speicherStand_;
    seite.Grafikspeicher.assign(static_cast<std::size_t>(n), {});
    seite.Anzahl = n;
  } catch (...) {
    d_.log.LogAll("Echtzeitgrafik : Fehler bei Grafikspeicher-Init.");
    return -1;
  }
  return n - 1;
}

int LiveGrafik::InitFeld(int k, int typ, int hoechster, const std::vector<double>& werte,
                         int skalierung) {
  if ((typ != 1 && typ != 2) || k < 0 || k >= seite.Anzahl ||
      static_cast<std::size_t>(k) >= seite.Grafikspeicher.size() || hoechster < 0) {
    return -1;
  }
  try {
    TStreifen& st = seite.Streifen.at(static_cast<std::size_t>(k + 1));
    st.Typ = typ;
    st.Skalierung = skalierung;
    seite.Grafikspeicher[static_cast<std::size_t>(k)].assign(
        static_cast<std::size_t>(hoechster) + 1, NoValue);
    return IntervallChecken(k, werte);
  } catch (...) {
    d_.log.LogAll("Echtzeitgrafik : Fehler bei Grafikspeicher-Init.(2)");
    return -1;
  }
}

int LiveGrafik::RefreshGraf(int k, const std::vector<double>& werte, int hoechster, int cursor) {
  if (!LiveGrafikAktiv) return 0;
  try {
    seite.Schreibposition = cursor;
    if (k < 0 || static_cast<std::size_t>(k) >= seite.Grafikspeicher.size() ||
        static_cast<int>(seite.Grafikspeicher[static_cast<std::size_t>(k)].size()) - 1 !=
            hoechster) {
      return -1;
    }
    return IntervallChecken(k, werte);
  } catch (...) {
    d_.log.LogAll("Fo_Tagesgrafik : Fehler bei Grafikspeicher-Refresh(2)");
    return -1;
  }
}

int LiveGrafik::IntervallChecken(int i, const std::vector<double>& werte) {
  try {
    auto& chart = seite.Grafikspeicher.at(static_cast<std::size_t>(i));
    const int n = static_cast<int>(chart.size()) - 1;
    if (n < 0) return -1;
    double w = 0;
    if (s_.GanzerTag) {
      const TDateTime t = s_.ZeitPuffer.at(static_cast<std::size_t>(seite.Schreibposition));
      const double schritt = seite.LabelMinuten / 1440.0;
      if (t < seite.FestAnfang) {
        d_.log.LogFehler("IntervallChecken : Tageswechsel : " + ZeitText(t) + " < " +
                         ZeitText(seite.FestAnfang));
        seite.FestAnfang = 0;
        seite.FestEnd = schritt;
        Neuaufbau = true;
        InitTimeSkale(seite, s_.Puffer);
        d_.log.LogFehler("IntervallChecken : Skala neu : " + ZeitText(seite.FestAnfang) + ".." +
                         ZeitText(seite.FestEnd));
      }
      if (t > seite.FestEnd) {
        while (t > seite.FestEnd) {
          seite.FestAnfang += schritt;
          seite.FestEnd += schritt;
          // Without a positive step the window would never reach the sample.
          if (seite.FestEnd == 0 || !(schritt > 0)) {
            d_.log.LogAll("Fo_Tagesgrafik IntervallChecken : FestEnd=0");
            break;
          }
        }
        Neuaufbau = true;
        InitTimeSkale(seite, s_.Puffer);
        d_.log.LogFehler("IntervallChecken : Skala neu : " + ZeitText(seite.FestAnfang) + ".." +
                         ZeitText(seite.FestEnd));
      }
      w = (Spanne * 60.0 / static_cast<double>(s_.Puffer)) / 1440.0;
      std::fill(chart.begin(), chart.end(), NoValue);
    }
    try {
      seite.Anzeige.at(static_cast<std::size_t>(i + 1)).Werttext =
          FestFormat(werte.at(static_cast<std::size_t>(seite.Schreibposition)), 8, 2);
    } catch (...) {
      seite.Anzeige.at(static_cast<std::size_t>(i + 1)).Werttext = "?";
    }
    Zeitscheibe scheibe(d_);
    const std::uint64_t stand = speicherStand_;
    for (int j = 0; j <= n; ++j) {
      // Served events may close the window or load a group: `chart` is then gone.
      if (scheibe.Vielleicht() && (Schliesst || stand != speicherStand_)) return -1;
      const auto sj = static_cast<std::size_t>(j);
      if (!s_.GanzerTag) {
        chart.at(sj) = werte.at(sj);
        continue;
      }
      const TDateTime zeit = s_.ZeitPuffer.at(sj);
      if (zeit < seite.FestAnfang) continue;
      int p = std::max(0, Rund((zeit - seite.FestAnfang) / w));
      if (p == n + 1) p = n;
      const double v = werte.at(sj);
      if (v == NoValue) break;
      if (p <= n) chart.at(static_cast<std::size_t>(p)) = v;
    }
    return n;
  } catch (...) {
    return -1;
  }
}

void LiveGrafik::StatistikNeu() {
  for (int i = 1; i <= seite.Anzahl; ++i) {
    const auto si = static_cast<std::size_t>(i);
    if (seite.Streifen.at(si).Typ != 1) continue;
    const auto& werte = seite.Grafikspeicher.at(si - 1);
    Statistik(seite.Grafikstatistik.at(si), werte, static_cast<int>(werte.size()) - 1);
  }
}

void LiveGrafik::FinishRefresh(const std::function<void(bool)>& zeichnen) {
  if (!LiveGrafikAktiv || DruckAktiv) return;
  bool neuSkalieren = false;
  for (int i = 1; i <= seite.Anzahl; ++i) {
    const auto si = static_cast<std::size_t>(i);
    if (seite.Streifen.at(si).Typ == 1) {
      const auto& werte = seite.Grafikspeicher.at(si - 1);
      Statistik(seite.Grafikstatistik.at(si), werte, static_cast<int>(werte.size()) - 1);
    }
    const TGrafikstatistik& neu = seite.Grafikstatistik.at(si);
    const TGrafikstatistik& alt = seite.GrafikstatistikVorher.at(si);
    if (neu.Minimum < alt.Minimum || neu.Maximum > alt.Maximum) {
      neuSkalieren = true;
      seite.GrafikstatistikVorher = seite.Grafikstatistik;
    } else {
      seite.Grafikstatistik = seite.GrafikstatistikVorher;
    }
  }
  if (neuSkalieren || Neuaufbau) {
    Neuaufbau = false;
    zeichnen(false);
  } else {
    zeichnen(true);
  }
  Zeichnet = false;
}

void LiveGrafik::ReleaseGraf() {
  ++speicherStand_;
  seite.Grafikspeicher.clear();
  seite.Anzahl = 0;
}

bool LiveGrafik::FormPaint() {
  if (Schliesst) {
    d_.log.LogAll("Fo_Tagesgrafik: FormPaint : Closing");
    return false;
  }
  if (DruckAktiv) d_.log.LogAll("Fo_Tagesgrafik: FormPaint : DruckAktiv");
  if (Zeichnet) d_.log.LogAll("Fo_Tagesgrafik: FormPaint : Refreshing");
  if (DruckAktiv || Zeichnet) return false;
  StatistikNeu();
  seite.GrafikstatistikVorher = seite.Grafikstatistik;
  return true;
}

bool LiveGrafik::FormResize() {
  if (Schliesst) {
    d_.log.LogAll("Fo_Tagesgrafik: FormResize : Closing");
    if (DruckAktiv) d_.log.LogAll("Fo_Tagesgrafik: FormResize : DruckAktiv");
    return false;
  }
  if (DruckAktiv) {
    d_.log.LogAll("Fo_Tagesgrafik: FormResize : DruckAktiv");
    return false;
  }
  if (Zeichnet) {
    d_.log.LogAll("Fo_Tagesgrafik: FormResize : Refreshing");
    return false;
  }
  StatistikNeu();
  seite.GrafikstatistikVorher = seite.Grafikstatistik;
  return true;
}

void LiveGrafik::AnzeigeUebernehmen(int k, int j) {
  const auto sj = static_cast<std::size_t>(j);
  ChartAnzeige& a = seite.Anzeige.at(static_cast<std::size_t>(k));
  const ItemGrenzen& w = s_.ItemWerte.at(sj);
  a.Name = s_.Itemnames.at(sj);
  a.Einheit = s_.ItemDefs.at(sj).Einheit;
  a.GrafikSumEinheit = s_.ItemSummen.at(sj).GrafikSumEinheit;
  a.GrafikSumTeiler = s_.ItemSummen.at(sj).GrafikSumTeiler;
  a.Kurvenfarbe = w.ColorNorm;
  a.Warnfarbe = w.ColorWarn;
  a.UpWarn = w.UpWarn;
  a.LoWarn = w.LoWarn;
  a.MinSkal = w.MinSkal;
  a.MaxSkal = w.MaxSkal;
  for (std::size_t f = 1; f <= 8; ++f) a.Statistiktexte.at(f) = s_.AktDaten.at(sj).at(f);
}

bool LiveGrafik::ParameterUebernehmen(const std::string& uebergabeFehler) {
  int k = 0;
  for (int j = 1; j <= s_.Itemcount && j <= MaxItems; ++j) {
    const auto sj = static_cast<std::size_t>(j);
    if (!s_.Grafikanzeige.at(sj)) continue;
    d_.ereignisse.Verarbeiten();
    ++k;
    try {
      if (k <= MaxGrafiken) AnzeigeUebernehmen(k, j);
    } catch (...) {
      if (!uebergabeFehler.empty()) d_.log.LogAll(uebergabeFehler);
    }
    if (sj > s_.WertPuffer.size()) return false;
    const auto& zeile = s_.WertPuffer[sj - 1];
    if (InitFeld(k - 1, s_.Grafiktyp.at(sj), static_cast<int>(zeile.size()) - 1, zeile,
                 s_.GrafikRef.at(sj)) != s_.Puffer - 1) {
      return false;
    }
  }
  return true;
}

bool LiveGrafik::Grafik_Laden(int g, const std::function<void()>& zeichnen) {
  LiveGrafikAktiv = false;
  if (g < 1 || g > MaxGruppen) {
    d_.meldungen.Info("Fehler bei der Grafik-Initialisierung !");
    Ladefehler = true;
    return false;
  }
  const TGruppe& gruppe = s_.GruppenTabelle.at(static_cast<std::size_t>(g));
  s_.Grafikanzeige.fill(false);
  for (std::int32_t p : GruppenMitglieder(gruppe)) {
    // A member number beyond the table names no parameter.
    if (p <= MaxItems) s_.Grafikanzeige.at(static_cast<std::size_t>(p)) = true;
  }
  ReleaseGraf();
  if (InitGraf(gruppe.Mitgliederzahl, 0) < 0) {
    d_.meldungen.Info("Fehler bei der Grafik-Initialisierung !");
    Ladefehler = true;
    return false;
  }
  if (s_.Itemcount < 1) {
    zeichnen();
    LiveGrafikAktiv = true;
    return true;
  }
  // Without every chart set up the window stays without live refresh.
  if (!ParameterUebernehmen("")) return true;
  zeichnen();
  LiveGrafikAktiv = true;
  return true;
}

bool LiveGrafik::Zeitfenster(int k, int spAndere, TDateTime jetzt) {
  const ZeitTeile z = ZeitZerlegen(jetzt);
  const TDateTime hm = ZeitKodieren(z.stunde, z.minute, 0);
  double spanne = 0;
  TDateTime anfang = 0;
  switch (k) {
    case 0:
      spanne = 1.0 / 60.0;
      anfang = hm;
      break;
    case 1:
      spanne = 0.2;
      anfang = hm;
      break;
    case 2:
      spanne = 0.5;
      anfang = hm;
      break;
    case 3:
    case 4:
    case 5: {
      const int stunden = k == 3 ? 1 : (k == 4 ? 2 : 6);
      spanne = stunden;
      int s = z.stunde;
      if (z.stunde + stunden > 24) s = 24 - stunden;
      anfang = ZeitKodieren(s, 0, 0);
      d_.log.LogFehler("Anzeige von " + std::to_string(s) + " bis " +
                       std::to_string(z.stunde + stunden));
      break;
    }
    case 6:
      spanne = 12;
      anfang = ZeitKodieren(z.stunde >= 12 ? 12 : 0, 0, 0);
      break;
    case 7:
      spanne = 24;
      anfang = 0;
      break;
    case 8:
      spanne = spAndere / 60.0;
      anfang = hm;
      break;
    default:
      d_.meldungen.Info(Ansi("Ungültiges Zeitintervall !"));
      return false;
  }
  Spanne = spanne;
  seite.LabelMinuten = spanne * 60.0 / 12.0;
  seite.FestAnfang = anfang;
  s_.Heute = jetzt;
  s_.PrintDate = s_.Heute - 1;
  return true;
}

void LiveGrafik::FensterZeigen() {
  seite.Seitenbreite = s_.Druckbreite;
  seite.Seitenhoehe = s_.Druckhoehe;
  const IniDatei ini(s_.IniDatei, true);
  seite.Textrand = ini.LeseGanz("PegelWart", "Textrand", 0);
  seite.GanzerTag = s_.GanzerTag;
  seite.MitCursor = s_.MitCursor;
  seite.IntervallZahl = s_.DDEIntervallWert;
  seite.IntervallMinuten = s_.DDEEinheit == 1;
  Ladefehler = false;
  DruckAktiv = false;
  LiveGrafikAktiv = true;
  Zeichnet = false;
  Schliesst = false;
  seite.Schliesst = false;
}

}  // namespace pegel::chart
