#include "live_grafik.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "geometrie.h"
#include "gruppen_bearbeiten.h"
#include "gruppen_datei.h"
#include "live_texte.h"
#include "spannen.h"
#include "statistik.h"
#include "text_format.h"

namespace pegel::live {

using chart::MaxGrafiken;
using chart::TStreifen;

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
    for (auto& werte : seite.Grafikspeicher) std::vector<double>().swap(werte);
    seite.Anzahl = n;
  } catch (const std::exception&) {
    d_.log.LogAll(text::GrafikspeicherInit);
    return -1;
  }
  return n - 1;
}

int LiveGrafik::InitFeld(int k, Grafiktyp typ, int hoechster, const std::vector<double>& werte,
                         int skalierung) {
  const int i = k + 1;
  if (!Zeichenbar(typ) || i < 1 || i > seite.Anzahl || hoechster < 0) return -1;
  try {
    TStreifen& st = seite.Streifen.at(static_cast<std::size_t>(i));
    st.Typ = typ;
    st.Skalierung = skalierung;
    seite.Grafikspeicher.at(static_cast<std::size_t>(i))
        .assign(static_cast<std::size_t>(hoechster) + 1, NoValue);
    return IntervallChecken(i, werte);
  } catch (const std::exception&) {
    d_.log.LogAll(text::GrafikspeicherInit2);
    return -1;
  }
}

int LiveGrafik::RefreshGraf(int k, const std::vector<double>& werte, int hoechster, int cursor) {
  if (!LiveGrafikAktiv) return 0;
  try {
    seite.Schreibposition = cursor;
    const int i = k + 1;
    if (i < 1 || i > seite.Anzahl ||
        static_cast<int>(seite.Grafikspeicher.at(static_cast<std::size_t>(i)).size()) - 1 !=
            hoechster) {
      return -1;
    }
    return IntervallChecken(i, werte);
  } catch (const std::exception&) {
    d_.log.LogAll(text::GrafikspeicherRefresh);
    return -1;
  }
}

int LiveGrafik::IntervallChecken(int i, const std::vector<double>& werte) {
  try {
    if (i < 1 || i > seite.Anzahl) return -1;
    auto& punkte = seite.Grafikspeicher.at(static_cast<std::size_t>(i));
    const int n = static_cast<int>(punkte.size()) - 1;
    if (n < 0) return -1;
    double w = 0;
    if (s_.Anzeige.GanzerTag) {
      const TDateTime t = s_.Ring.Zeit(seite.Schreibposition);
      FestesFenster& f = fenster;
      const double schritt = f.LabelMinuten / 1440.0;
      if (t < f.FestAnfang) {
        d_.log.LogFehler(text::Tageswechsel(ZeitText(t), ZeitText(f.FestAnfang)));
        f.FestAnfang = 0;
        f.FestEnd = schritt;
        Neuaufbau = true;
        InitTimeSkale(seite, f, s_.Ring.Laenge());
        d_.log.LogFehler(text::SkalaNeu(ZeitText(f.FestAnfang), ZeitText(f.FestEnd)));
      }
      if (t > f.FestEnd) {
        while (t > f.FestEnd) {
          f.FestAnfang += schritt;
          f.FestEnd += schritt;
          // Without a positive step the window would never reach the sample.
          if (f.FestEnd == 0 || !(schritt > 0)) {
            d_.log.LogAll(text::FestEndNull);
            break;
          }
        }
        Neuaufbau = true;
        InitTimeSkale(seite, f, s_.Ring.Laenge());
        d_.log.LogFehler(text::SkalaNeu(ZeitText(f.FestAnfang), ZeitText(f.FestEnd)));
      }
      w = (f.Spanne * 60.0 / static_cast<double>(s_.Ring.Laenge())) / 1440.0;
      std::fill(punkte.begin(), punkte.end(), NoValue);
    }
    try {
      seite.Anzeige.at(static_cast<std::size_t>(i)).Werttext =
          FestFormat(werte.at(static_cast<std::size_t>(seite.Schreibposition)), 8, 2);
    } catch (const std::exception&) {
      // A cursor outside the values (the ring empty) or a value that cannot be formatted:
      // the page shows "?" for the current value, as intended.
      seite.Anzeige.at(static_cast<std::size_t>(i)).Werttext = "?";
    }
    Zeitscheibe scheibe(d_);
    const std::uint64_t stand = speicherStand_;
    for (int j = 0; j <= n; ++j) {
      // Served events may close the window or load a group: `punkte` is then gone.
      if (scheibe.Vielleicht() && (Schliesst || stand != speicherStand_)) return -1;
      const auto sj = static_cast<std::size_t>(j);
      if (!s_.Anzeige.GanzerTag) {
        punkte.at(sj) = werte.at(sj);
        continue;
      }
      const TDateTime zeit = s_.Ring.Zeit(j);
      if (zeit < fenster.FestAnfang) continue;
      int p = std::max(0, chart::Rund((zeit - fenster.FestAnfang) / w));
      if (p == n + 1) p = n;
      const double v = werte.at(sj);
      if (v == NoValue) break;
      if (p <= n) punkte.at(static_cast<std::size_t>(p)) = v;
    }
    return n;
  } catch (const std::exception& e) {
    // The caller logs the failed copy under its own name; the reason goes with FehlerLog.
    d_.log.LogFehler(std::string("IntervallChecken : ") + e.what());
    return -1;
  }
}

void LiveGrafik::StatistikNeu() {
  for (int i = 1; i <= seite.Anzahl; ++i) {
    const auto si = static_cast<std::size_t>(i);
    if (seite.Streifen.at(si).Typ != Grafiktyp::Analog) continue;
    const auto& werte = seite.Grafikspeicher.at(si);
    chart::Statistik(seite.Grafikstatistik.at(si), werte, static_cast<int>(werte.size()) - 1);
  }
}

void LiveGrafik::FinishRefresh(const std::function<void(Seitenart)>& zeichnen) {
  if (!LiveGrafikAktiv || DruckAktiv) return;
  bool neuSkalieren = false;
  for (int i = 1; i <= seite.Anzahl; ++i) {
    const auto si = static_cast<std::size_t>(i);
    if (seite.Streifen.at(si).Typ == Grafiktyp::Analog) {
      const auto& werte = seite.Grafikspeicher.at(si);
      chart::Statistik(seite.Grafikstatistik.at(si), werte, static_cast<int>(werte.size()) - 1);
    }
    const chart::TGrafikstatistik& neu = seite.Grafikstatistik.at(si);
    const chart::TGrafikstatistik& alt = GrafikstatistikVorher.at(si);
    if (neu.Minimum < alt.Minimum || neu.Maximum > alt.Maximum) {
      neuSkalieren = true;
      GrafikstatistikVorher = seite.Grafikstatistik;
    } else {
      seite.Grafikstatistik = GrafikstatistikVorher;
    }
  }
  if (neuSkalieren || Neuaufbau) {
    Neuaufbau = false;
    zeichnen(Seitenart::Voll);
  } else {
    zeichnen(Seitenart::Inkrementell);
  }
  Zeichnet = false;
}

void LiveGrafik::ReleaseGraf() {
  ++speicherStand_;
  for (auto& werte : seite.Grafikspeicher) std::vector<double>().swap(werte);
  seite.Anzahl = 0;
}

bool LiveGrafik::FormPaint() {
  if (Schliesst) {
    d_.log.LogAll(text::PaintClosing);
    return false;
  }
  if (DruckAktiv) d_.log.LogAll(text::PaintDruckAktiv);
  if (Zeichnet) d_.log.LogAll(text::PaintRefreshing);
  if (DruckAktiv || Zeichnet) return false;
  StatistikNeu();
  GrafikstatistikVorher = seite.Grafikstatistik;
  return true;
}

bool LiveGrafik::FormResize() {
  if (Schliesst) {
    d_.log.LogAll(text::ResizeClosing);
    if (DruckAktiv) d_.log.LogAll(text::ResizeDruckAktiv);
    return false;
  }
  if (DruckAktiv) {
    d_.log.LogAll(text::ResizeDruckAktiv);
    return false;
  }
  if (Zeichnet) {
    d_.log.LogAll(text::ResizeRefreshing);
    return false;
  }
  StatistikNeu();
  GrafikstatistikVorher = seite.Grafikstatistik;
  return true;
}

void LiveGrafik::AnzeigeUebernehmen(int k, int j) {
  chart::ChartAnzeige& a = seite.Anzeige.at(static_cast<std::size_t>(k));
  const Parameter& p = s_.Par().at(j);
  a.Name = p.Itemname;
  a.Einheit = p.Einheit;
  a.GrafikSumEinheit = p.GrafikSumEinheit;
  a.GrafikSumTeiler = p.GrafikSumTeiler;
  a.Kurvenfarbe = p.ColorNorm;
  a.Warnfarbe = p.ColorWarn;
  a.UpWarn = p.UpWarn;
  a.LoWarn = p.LoWarn;
  a.MinSkal = p.MinSkal;
  a.MaxSkal = p.MaxSkal;
  const auto& texte = s_.Sammler.AktDaten.at(static_cast<std::size_t>(j));
  for (std::size_t f = 1; f <= 8; ++f) a.Statistiktexte.at(f) = texte.at(f);
}

bool LiveGrafik::ParameterUebernehmen(const std::string& uebergabeFehler) {
  int k = 0;
  for (int j = 1; j <= s_.Par().Itemcount() && j <= MaxItems; ++j) {
    if (!s_.Auswahl.Grafikanzeige.at(static_cast<std::size_t>(j))) continue;
    d_.ereignisse.Verarbeiten();
    ++k;
    try {
      if (k <= MaxGrafiken) AnzeigeUebernehmen(k, j);
    } catch (const std::exception&) {
      // The group load passes no text: its charts go on without the display data.
      if (!uebergabeFehler.empty()) d_.log.LogAll(uebergabeFehler);
    }
    if (j > s_.Ring.Zeilen()) return false;
    const auto& zeile = s_.Ring.Zeile(j);
    const Parameter& p = s_.Par().at(j);
    if (InitFeld(k - 1, p.Typ, static_cast<int>(zeile.size()) - 1, zeile, p.GrafikRef) !=
        s_.Ring.Laenge() - 1) {
      return false;
    }
  }
  return true;
}

bool LiveGrafik::Grafik_Laden(int g, const std::function<void()>& zeichnen) {
  LiveGrafikAktiv = false;
  if (g < 1 || g > MaxGruppen) {
    d_.meldungen.Info(text::GrafikInitFehler);
    Ladefehler = true;
    return false;
  }
  const TGruppe& gruppe = s_.Gruppen.GruppenTabelle.at(static_cast<std::size_t>(g));
  s_.Auswahl.Grafikanzeige.fill(false);
  // A member above Itemcount names no parameter (the group is older than the configuration).
  const auto mitglieder = GruppenMitgliederLaden(gruppe, s_.Par().Itemcount(), d_.log);
  for (std::int32_t p : mitglieder) s_.Auswahl.Grafikanzeige.at(static_cast<std::size_t>(p)) = true;
  ReleaseGraf();
  if (InitGraf(gruppe.Mitgliederzahl, 0) < 0) {
    d_.meldungen.Info(text::GrafikInitFehler);
    Ladefehler = true;
    return false;
  }
  if (s_.Par().Itemcount() < 1) {
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
  const auto f = SpannenFenster(k, spAndere, jetzt);
  if (!f) {
    d_.meldungen.Info(text::UngueltigesZeitintervall);
    return false;
  }
  if (f->Stunden) d_.log.LogFehler(text::AnzeigeVonBis(f->Stunden->first, f->Stunden->second));
  fenster.Spanne = f->Spanne;
  fenster.LabelMinuten = f->LabelMinuten;
  fenster.FestAnfang = f->FestAnfang;
  s_.Abfrage.Heute = jetzt;
  s_.Abfrage.PrintDate = s_.Abfrage.Heute - 1;
  return true;
}

bool LiveGrafik::RefreshAusgabe(chart::Canvas& c, chart::SeitenUmfeld& u, Ziel ziel,
                                Seitenart art) {
  return chart::SeiteZeichnen(seite, chart::LiveStil(ganzerTag_, mitCursor_, DigNull), c, schriften,
                              u, ziel, art);
}

void InitTimeSkale(ChartSeite& seite, FestesFenster& fenster, int puffer) {
  TDateTime t = fenster.FestAnfang;
  const int hoechster = static_cast<int>(seite.Zeitlabels.size()) - 1;
  if (hoechster < 0) {
    fenster.FestEnd = t;
    return;
  }
  int k = 0;
  for (int j = 0; j < puffer; ++j) {
    if (std::trunc(k * seite.PunkteProLabel) > j) continue;
    seite.Zeitlabels.at(static_cast<std::size_t>(k)) = ZeitText(t);
    ++k;
    if (k > hoechster) break;
    t += fenster.LabelMinuten / 1440.0;
  }
  if (k == hoechster) seite.Zeitlabels.at(static_cast<std::size_t>(k)) = ZeitText(t);
  fenster.FestEnd = t;
}

void LiveGrafik::FensterZeigen() {
  seite.Seitenbreite = s_.Druck.Druckbreite;
  seite.Seitenhoehe = s_.Druck.Druckhoehe;
  // As the loader read it: [PegelWart] Textrand is read once per loader run.
  seite.Textrand = s_.Anzeige.Textrand;
  ganzerTag_ = s_.Anzeige.GanzerTag;
  mitCursor_ = s_.Anzeige.MitCursor;
  seite.IntervallZahl = s_.Takt.DDEIntervallWert;
  seite.IntervallEinheit = s_.Takt.DDEEinheit == 1 ? " Minute(n)" : " Sekunde(n)";
  Ladefehler = false;
  DruckAktiv = false;
  LiveGrafikAktiv = true;
  Zeichnet = false;
  Schliesst = false;
  seite.Schliesst = false;
}

}  // namespace pegel::live
