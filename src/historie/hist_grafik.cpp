#include "hist_grafik.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "hist_bereich.h"
#include "hist_texte.h"
#include "ini_schluessel.h"
#include "meldungstexte.h"
#include "tagesdateien.h"
#include "text_format.h"

namespace pegel::historie {

using chart::MaxGrafiken;

namespace {

// Marks a load as running for its whole extent, whichever way it ends.
class LadeMarke {
 public:
  explicit LadeMarke(bool& laedt) : laedt_(laedt) { laedt_ = true; }
  ~LadeMarke() { laedt_ = false; }
  LadeMarke(const LadeMarke&) = delete;
  LadeMarke& operator=(const LadeMarke&) = delete;

 private:
  bool& laedt_;
};

// A type the page can chart: analog (1), digital (2), or 0, which the page draws as analog.
bool TypZulaessig(int typ) { return typ >= 0 && typ < 3; }

}  // namespace

HistGrafik::HistGrafik(PegelStatus& s, Dienste& d) : schriften(d.log), s_(s), d_(d) {}

int HistGrafik::InitGraf(int n, int) {
  if (n < 1 || n > MaxGrafiken) return -1;
  ReleaseGraf();
  seite.Anzahl = n;
  return n - 1;
}

int HistGrafik::InitFeld(int k, int typ, const std::vector<double>& werte, int ref) {
  if (!TypZulaessig(typ) || k < 0 || k >= seite.Anzahl) return -1;
  const auto i = static_cast<std::size_t>(k) + 1;
  chart::TStreifen& st = seite.Streifen.at(i);
  st.Typ = GrafiktypAus(typ);
  st.Skalierung = ref;
  skalierung_.at(i) = ref;
  seite.Grafikspeicher.at(i) = werte;
  seite.Grafikstatistik.at(i) = chart::TGrafikstatistik{};
  return static_cast<int>(werte.size()) - 1;
}

void HistGrafik::ReleaseGraf() {
  for (auto& werte : seite.Grafikspeicher) std::vector<double>().swap(werte);
  seite.Anzahl = 0;
}

bool HistGrafik::Laden(const HistorienBereich& b) {
  if (Laedt) return false;
  if (b.Messintervall > 0) return Anwenden(b, Quelle::Browser);
  // Without the interval in the hand-off, the browser's header has the day's own one (in
  // whole seconds or minutes); the live Messintervall may be another day's.
  HistorienBereich mitIntervall = b;
  const Kopfdaten& kopf = s_.Tage.HistKopf;
  const bool minuten = kopf.IntervallEinheit.find("Minute") != std::string::npos;
  mitIntervall.Messintervall = kopf.IntervallZahl * (minuten ? 60000 : 1000);
  return Anwenden(mitIntervall, Quelle::Browser);
}

bool HistGrafik::Anwenden(const HistorienBereich& b, Quelle q) {
  // Everything is checked before the previous charts go: a chart is never left with the
  // name of one load and the values of another, or with values that do not fill the rows.
  const std::size_t n = b.Kurven.size();
  if (n < 1 || n > static_cast<std::size_t>(MaxGrafiken)) {
    d_.log.LogAll(text::GrafikzahlAbgewiesen(n));
    return false;
  }
  for (const HistorienKurve& k : b.Kurven) {
    if (!TypZulaessig(k.Typ)) {
      d_.log.LogAll(text::GrafiktypAbgewiesen(k.Parameter, k.Typ));
      return false;
    }
    if (b.Zeilen < 1 || k.Werte.size() != static_cast<std::size_t>(b.Zeilen)) {
      d_.log.LogAll(text::WerteUnvollstaendig(k.Parameter, k.Werte.size(), b.Zeilen));
      return false;
    }
  }

  InitGraf(static_cast<int>(n), 0);
  for (std::size_t k = 0; k < n; ++k) {
    const HistorienKurve& c = b.Kurven[k];
    InitFeld(static_cast<int>(k), c.Typ, c.Werte, c.Ref);
    chart::ChartAnzeige& a = seite.Anzeige.at(k + 1);
    a = chart::ChartAnzeige{};
    a.Name = c.Name;
    a.Einheit = c.Einheit;
    a.Kurvenfarbe = c.Kurvenfarbe;
    a.Warnfarbe = c.Warnfarbe;
    a.UpWarn = c.UpWarn;
    a.LoWarn = c.LoWarn;
    a.MinSkal = c.MinSkal;
    a.MaxSkal = c.MaxSkal;
  }
  seite.Zeitlabels = b.Zeitlabels;
  // A step below one slot would put every label on the first slots.
  seite.PunkteProLabel = b.PunkteProLabel >= 1.0 ? b.PunkteProLabel : 1.0;
  seite.Tag = b.Tag;
  seite.Messintervall = b.Messintervall;
  Kopfdaten anzeige;
  IntervallAnzeigeSetzen(anzeige, b.Messintervall);
  seite.IntervallZahl = anzeige.IntervallZahl;
  seite.IntervallEinheit = anzeige.IntervallEinheit;

  Itemcount = b.Itemcount;
  SelStart = b.SelStart;
  SelEnd = b.SelEnd;
  Zeilen = b.Zeilen;
  quelle_ = q;
  return true;
}

bool HistGrafik::KurvenBauen(HistorienBereich& b, const gitter& grid, const Kopfdaten& kopf,
                             const std::vector<int>& parameter) {
  b.Kurven.clear();
  for (int i : parameter) {
    d_.ereignisse.Verarbeiten();
    if (Schliesst) return false;
    b.Kurven.push_back(KurveBauen(grid, kopf, s_.Par(), i, b.SelStart, b.Zeilen));
  }
  return true;
}

bool HistGrafik::Gruppe1Click(int g) {
  if (Laedt) return false;
  s_.Auswahl.AktGruppe = g;
  return Grafik_Laden(g);
}

bool HistGrafik::Grafik_Laden(int g) {
  if (Laedt) return false;
  LadeMarke marke(Laedt);
  try {
    if (g < 1 || g > MaxGruppen) {
      d_.meldungen.Info(text::GruppeNichtVorhanden);
      return false;
    }
    const TGruppe& gruppe = s_.Gruppen.GruppenTabelle.at(static_cast<std::size_t>(g));
    const Parameterwahl wahl = GruppenWahl(gruppe, Itemcount);
    if (wahl.parameter.size() > static_cast<std::size_t>(MaxGrafiken) ||
        (wahl.parameter.empty() && wahl.ausgelassen.empty())) {
      d_.meldungen.Info(text::HistGrafikInitFehler);
      Ladefehler = true;
      return false;
    }
    if (!wahl.ausgelassen.empty()) {
      d_.log.LogAll(text::MitgliederAusgelassen(g, wahl.ausgelassen, Itemcount));
    }
    if (wahl.parameter.empty()) {
      d_.meldungen.Info(text::GruppeNichtVorhanden);
      return false;
    }
    const gitter& grid = quelle_ == Quelle::Eigene ? gitter_ : s_.Tage.DatenGitter;
    const Kopfdaten& kopf = quelle_ == Quelle::Eigene ? kopf_ : s_.Tage.HistKopf;
    if (SelStart < 1 || static_cast<std::size_t>(SelEnd) > grid.Zeilen()) {
      d_.log.LogAll(text::ZeilenFehlen(SelEnd, grid.Zeilen()));
      d_.meldungen.Info(text::GruppeNichtVorhanden);
      return false;
    }
    // The time labels, the day and its interval stay those of the loaded range.
    HistorienBereich b;
    b.Itemcount = Itemcount;
    b.SelStart = SelStart;
    b.SelEnd = SelEnd;
    b.Zeilen = Zeilen;
    b.Zeitlabels = seite.Zeitlabels;
    b.PunkteProLabel = seite.PunkteProLabel;
    b.Tag = seite.Tag;
    b.Messintervall = seite.Messintervall;
    if (!KurvenBauen(b, grid, kopf, wahl.parameter)) return false;
    return Anwenden(b, quelle_);
  } catch (const std::exception& e) {
    d_.log.LogAll(std::string("HistoryGrafik : Grafik_Laden : ") + e.what());
    d_.meldungen.Info(text::GruppeNichtVorhanden);
    return false;
  }
}

TDateTime HistGrafik::TagVon(TagWahl w) const {
  const TDateTime jetzt = d_.uhr.Jetzt();
  switch (w) {
    case TagWahl::Heute:
      return jetzt;
    case TagWahl::Gestern:
      return std::floor(jetzt) - 1;
    case TagWahl::Vorgestern:
      return std::floor(jetzt) - 2;
  }
  return jetzt;
}

Ladeergebnis HistGrafik::TagWaehlen(TagWahl w) {
  if (Laedt) return Ladeergebnis::Beschaeftigt;
  ReleaseGraf();
  return TagLaden(TagVon(w), Tageslader::Grafikfenster);
}

Ladeergebnis HistGrafik::TagLaden(TDateTime tag, Tageslader wer) {
  if (Laedt) return Ladeergebnis::Beschaeftigt;
  LadeMarke marke(Laedt);
  try {
    return TagLadenIntern(tag, wer);
  } catch (const std::exception& e) {
    if (wer == Tageslader::Hauptfenster) {
      d_.log.LogAll(text::HauptfensterFehler8);
    } else {
      d_.log.LogAll(text::TagNichtGeladen(e.what()));
    }
    return Ladeergebnis::Abgewiesen;
  }
}

Ladeergebnis HistGrafik::TagLadenIntern(TDateTime tag, Tageslader wer) {
  const auto pgh = PghDatei(s_.Pfade.ProgDir, tag);
  if (!ReadHeaderF(s_, pgh)) {
    d_.log.LogAll(wer == Tageslader::Hauptfenster ? text::PghHauptfenster(pgh.string())
                                                  : std::string(text::PghGestern));
    return Ladeergebnis::KeinKopf;
  }
  const std::int32_t messintervall = s_.Tage.Messintervall;
  // The day goes into the chart's own grid and header; the browser's day stays as it is.
  gitter neu;
  const std::int32_t n = ReadDataF(s_, d_.log, DatDatei(s_.Pfade.ProgDir, tag), neu);
  if (n < 1) return Ladeergebnis::KeineDaten;
  KopfUebernehmen(s_.Tage.TagKopf, kopf_);  // Itemcount: the data file's column count
  gitter_ = std::move(neu);
  quelle_ = Quelle::Eigene;
  Itemcount = kopf_.Itemcount;
  SelStart = 1;
  SelEnd = n;
  Zeilen = n;

  Schriftname = "Arial";
  std::vector<int> parameter;
  const std::int32_t g = s_.Auswahl.AktGruppe;
  if (g > 0) {
    if (g > MaxGruppen) {
      d_.meldungen.Info(text::GruppeNichtVorhanden);
      return Ladeergebnis::Abgewiesen;
    }
    const Parameterwahl wahl =
        GruppenWahl(s_.Gruppen.GruppenTabelle.at(static_cast<std::size_t>(g)), Itemcount);
    if (!wahl.ausgelassen.empty()) {
      d_.log.LogAll(text::MitgliederAusgelassen(g, wahl.ausgelassen, Itemcount));
    }
    parameter = wahl.parameter;
  } else {
    parameter = ErsteParameter(Itemcount);
  }
  if (n < 2) {
    d_.meldungen.Info(*GrafikUebergabePruefen(n, parameter.size()));
    return Ladeergebnis::Abgewiesen;
  }
  if (parameter.empty()) {
    d_.meldungen.Info(text::GruppeNichtVorhanden);
    return Ladeergebnis::Abgewiesen;
  }
  if (parameter.size() > static_cast<std::size_t>(MaxGrafiken)) {
    d_.meldungen.Info(text::ZuVieleGrafiken(MaxGrafiken));
    return Ladeergebnis::Abgewiesen;
  }

  HistorienBereich b;
  b.Itemcount = Itemcount;
  b.SelStart = 1;
  b.SelEnd = n;
  b.Zeilen = n;
  const Zeitteilung teilung = ZeitTeilung(n);
  b.Zeitlabels = Zeitlabels(gitter_, 1, n, teilung);
  b.PunkteProLabel = teilung.schritt;
  b.Tag = std::floor(tag);
  b.Messintervall = messintervall;
  if (!KurvenBauen(b, gitter_, kopf_, parameter)) return Ladeergebnis::Abgewiesen;
  return Anwenden(b, Quelle::Eigene) ? Ladeergebnis::Geladen : Ladeergebnis::Abgewiesen;
}

void HistGrafik::FensterZeigen() {
  seite.Seitenbreite = s_.Druck.Druckbreite;
  seite.Seitenhoehe = s_.Druck.Druckhoehe;
  Querformat = s_.Druck.Querformat;
  Standardskala = true;
  seite.Textrand = IniEinstellungen(s_.Pfade.IniDatei, true).Lesen(Schluessel::PegelWart_Textrand);
  Ladefehler = false;
  DruckAktiv = false;
  Schliesst = false;
  seite.Schliesst = false;
}

void HistGrafik::Schliessen() {
  Schliesst = true;
  seite.Schliesst = true;
}

void HistGrafik::UntereGrenze1Click() {
  const auto e = d_.meldungen.TextEingabe(text::SkalierungTitel, text::UntereGrenzeFrage,
                                          FestFormat(UntereGrenze, 12, 2));
  if (!e) return;
  const auto v = ZahlLesen(*e);
  if (!v) return;
  Standardskala = false;
  UntereGrenze = *v;
  if (*v > 0) SkalaModus = 1;
  Schrittweite1Click();
}

void HistGrafik::Schrittweite1Click() {
  const auto e = d_.meldungen.TextEingabe(text::SkalierungTitel, text::SkalenteilungFrage,
                                          FestFormat(Skalenteilung, 12, 2));
  if (!e) return;
  const auto v = ZahlLesen(*e);
  if (!v) return;
  Standardskala = false;
  Skalenteilung = *v;
}

bool HistGrafik::Ausgabe(chart::Canvas& c, chart::SeitenUmfeld& u, chart::Ziel ziel) {
  return HistorienSeiteZeichnen(*this, c, schriften, u, ziel);
}

bool HistorienSeiteZeichnen(HistGrafik& m, chart::Canvas& c, const chart::SchriftTabelle& f,
                            chart::SeitenUmfeld& u, chart::Ziel ziel) {
  if (m.Schliesst) return false;
  chart::ChartSeite& seite = m.seite;
  // The override sets a chart's scaling for the page only: "Standard wiederherstellen"
  // brings back the scaling each chart was loaded with.
  for (int k = 1; k <= seite.Anzahl && k <= MaxGrafiken; ++k) {
    seite.Streifen.at(static_cast<std::size_t>(k)).Skalierung =
        m.skalierung_.at(static_cast<std::size_t>(k));
  }
  if (m.Standardskala) {
    seite.Skalenvorgabe.reset();
  } else {
    seite.Skalenvorgabe = chart::Skalenwahl{m.UntereGrenze, m.Skalenteilung, m.SkalaModus};
  }
  seite.RasterVorschlag = chart::Skalenwahl{m.UntereGrenze, m.Skalenteilung, m.SkalaModus};
  seite.Schliesst = false;
  const bool fertig =
      chart::SeiteZeichnen(seite, chart::HistorienStil(), c, f, u, ziel, chart::Seitenart::Voll);
  if (m.Standardskala) {
    m.UntereGrenze = seite.RasterVorschlag.UntereGrenze;
    m.Skalenteilung = seite.RasterVorschlag.Skalenteilung;
    m.SkalaModus = seite.RasterVorschlag.SkalaModus;
  }
  return fertig;
}

}  // namespace pegel::historie
