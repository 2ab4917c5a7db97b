#include "seite_zeichnen.h"

#include "analog_spur.h"
#include "digital_spur.h"
#include "geometrie.h"
#include "kopf_fuss.h"
#include "layout.h"
#include "meldungstext.h"
#include "skalierung.h"
#include "statistik.h"
#include "text_format.h"
#include "zeitachse.h"

namespace pegel::chart {

namespace {

constexpr Meldungstext MeldungSeite{".Ausgabe : Fehler-1"};
constexpr Meldungstext MeldungSkala{"Echtzeitgrafik : Fehler bei Schrittweite/Cursor"};
constexpr Meldungstext MeldungAnalog{"Analoge Grafik abgebrochen ..."};
constexpr Meldungstext MeldungDigital{"Digitale Grafik abgebrochen ..."};
constexpr Meldungstext DatumZeit{"Datum/Zeit : "};
constexpr Meldungstext DatenVom{"Daten vom : "};

// One strip of the page.
class Streifenzeichner {
 public:
  Streifenzeichner(ChartSeite& seite, const Seitenstil& stil, Canvas& c, const SchriftTabelle& f,
                   Log& log, int i, std::int32_t ah, bool voll)
      : seite_(seite),
        stil_(stil),
        c_(c),
        f_(f),
        log_(log),
        s_(seite.Streifen.at(static_cast<std::size_t>(i))),
        st_(seite.Grafikstatistik.at(static_cast<std::size_t>(i))),
        a_(seite.Anzeige.at(static_cast<std::size_t>(i))),
        werte_(seite.Grafikspeicher.at(static_cast<std::size_t>(i))),
        n_(static_cast<int>(werte_.size()) - 1),
        ah_(ah),
        voll_(voll) {}

  // False when the trace failed and the style ends the page on that.
  bool Zeichnen() {
    Rahmen();
    Kopf();
    Titel(c_, f_, log_, s_, a_);
    if (!voll_ && stil_.rahmen == Rahmenart::Umrandet) {
      c_.PinselFarbe(Weiss);
      c_.FuellRechteck(Plus(s_.P1.x, 4), Tiefe(Plus(s_.P1.d, 4)), Minus(s_.P2.x, 4),
                       Tiefe(Minus(s_.P2.d, 4)));
    }
    if (voll_) {
      Zeitachse();
      c_.StiftFarbe(a_.Kurvenfarbe);
    }
    if (s_.Typ == Grafiktyp::Digital) return Spur(MeldungDigital, [this] { Digital(); });
    Skala();
    return Spur(MeldungAnalog, [this] { Analog(); });
  }

 private:
  void Rahmen() {
    c_.StiftBreite(3);
    c_.StiftFarbe(Blau);
    const std::int32_t x1 = s_.P1.x, y1 = Tiefe(s_.P1.d), x2 = s_.P2.x, y2 = Tiefe(s_.P2.d);
    if (stil_.rahmen == Rahmenart::Gefuellt) {
      c_.PinselFarbe(Weiss);
      c_.FuellRechteck(x1, y1, x2, y2);
    }
    c_.Rechteck(x1, y1, x2, y2);
    c_.StiftFarbe(a_.Kurvenfarbe);
  }

  void Kopf() {
    const bool analog = s_.Typ != Grafiktyp::Digital;
    if (stil_.kopf == Kopfart::Druck) {
      if (analog) Statistik(st_, werte_, n_, stil_.minimumStart, stil_.maximumStart);
      DruckKopf(c_, f_, log_, s_, st_, a_, seite_.Textrand);
      return;
    }
    if (stil_.kopf == Kopfart::Berechnet) {
      if (analog) Statistik(st_, werte_, n_, stil_.minimumStart, stil_.maximumStart);
      BerechneterKopf(c_, f_, log_, s_, st_, werte_, seite_.Textrand, seite_.Messintervall);
      return;
    }
    if (a_.Statistiktexte[4].empty()) return;
    if (analog) Statistik(st_, werte_, n_, stil_.minimumStart, stil_.maximumStart);
    LiveKopf(c_, f_, log_, s_, a_, seite_.Textrand);
  }

  void Zeitachse() {
    if (stil_.achse == Achsenart::Zeitlabels) {
      LabelZeitachse(c_, f_, log_, s_, n_, seite_.Zeitlabels, seite_.PunkteProLabel,
                     stil_.letzterLabelAmEnde);
    } else {
      RollendeZeitachse(c_, f_, log_, s_, n_);
    }
  }

  // Scaling, grid, zero line and cursor of an analog chart; failures are logged and drawing
  // goes on with what was computed.
  void Skala() {
    try {
      if (seite_.Skalenvorgabe) {
        st_.Minimum = seite_.Skalenvorgabe->UntereGrenze;
        s_.Skalierung = seite_.Skalenvorgabe->SkalaModus;
      }
      if (stil_.ohneBenutzerskala && s_.Skalierung == 2) s_.Skalierung = 1;
      const double r = Skalieren(s_, st_, a_.MinSkal, a_.MaxSkal);
      if (stil_.skala == Skalenart::Raster) {
        SkalenRaster(c_, f_, log_, s_, st_, r, ah_, seite_.Skalenvorgabe, seite_.RasterVorschlag);
      }
      const bool gezogen = stil_.nulllinieMitText
                               ? NulllinieZeichnen(c_, f_, log_, s_, Minus(s_.P1.x, 10), 4, true)
                               : NulllinieZeichnen(c_, f_, log_, s_, s_.P1.x, 3, false);
      if (gezogen) {
        c_.StiftFarbe(a_.Kurvenfarbe);
        c_.StiftBreite(3);
      }
      if (stil_.cursorlinie) CursorLinie(c_, s_, n_, seite_.Schreibposition, a_.Kurvenfarbe);
    } catch (const std::exception&) {
      log_.LogAll(MeldungSkala);
    }
  }

  // The trace and, after it, the scale marks. Throws on failure.
  void Analog() {
    switch (stil_.analog) {
      case Analogart::Rollend:
        AnalogRollend(c_, s_, st_, a_, werte_);
        break;
      case Analogart::Cursor:
        AnalogCursor(c_, s_, st_, a_, werte_, seite_.Schreibposition);
        break;
      case Analogart::Luecken:
        AnalogLuecken(c_, s_, st_, a_, werte_);
        break;
      case Analogart::Schwarz: {
        // The cursor trace without a cursor: broken at gaps only, one colour.
        ChartAnzeige schwarz = a_;
        schwarz.Kurvenfarbe = pegel::chart::Schwarz;
        AnalogCursor(c_, s_, st_, schwarz, werte_, -1);
        break;
      }
    }
    if (stil_.skala == Skalenart::Raster) {
      // Blue ticks at the range's ends, without texts; without a counted value Minimum and
      // Maximum are only start values.
      if (st_.Anzahl > 0) {
        SkalenMarken(c_, f_, log_, s_, st_.Faktor, st_.Maximum, st_.Minimum, false);
      }
      c_.StiftFarbe(a_.Kurvenfarbe);
      return;
    }
    if (!voll_) return;
    if (s_.Skalierung == 2) {
      SkalenMarken(c_, f_, log_, s_, st_.Faktor, a_.MaxSkal, a_.MinSkal, true);
    } else if (st_.Anzahl > 0) {
      // Without a valid value Minimum and Maximum are only start values: no marks.
      SkalenMarken(c_, f_, log_, s_, st_.Faktor, st_.Maximum, st_.Minimum, true);
    }
  }

  // Throws on failure.
  void Digital() {
    switch (stil_.digital) {
      case Digitalart::Rollend:
        DigitalRollend(c_, s_, st_, werte_);
        break;
      case Digitalart::Cursor:
        if (stil_.cursorlinie) CursorLinie(c_, s_, n_, seite_.Schreibposition, a_.Kurvenfarbe);
        DigitalJeSlot(c_, s_, werte_, seite_.Schreibposition, stil_.digitaleNulllinie);
        break;
      case Digitalart::Schwarzweiss:
        DigitalJeSlot(c_, s_, werte_, -1, true);
        break;
    }
  }

  // Runs a trace; a failure is logged, and ends the page when the style says so.
  template <class F>
  bool Spur(const Meldungstext& meldung, F&& zeichnen) {
    try {
      zeichnen();
    } catch (const std::exception&) {
      log_.LogAll(stil_.spurPraefix + meldung.Ansi());
      return !stil_.spurfehlerBeendetSeite;
    }
    return true;
  }

  ChartSeite& seite_;
  const Seitenstil& stil_;
  Canvas& c_;
  const SchriftTabelle& f_;
  Log& log_;
  TStreifen& s_;
  TGrafikstatistik& st_;
  const ChartAnzeige& a_;
  std::vector<double>& werte_;
  const int n_;
  const std::int32_t ah_;
  const bool voll_;
};

bool Seite(ChartSeite& seite, const Seitenstil& stil, Canvas& c, const SchriftTabelle& f,
           SeitenUmfeld& u, Ziel ziel, bool voll) {
  if (seite.Schliesst) return false;
  std::int32_t pw = 0;
  std::int32_t ph = 0;
  std::int32_t ah = 0;
  int anzahl = 0;
  try {
    pw = Mal(seite.Seitenbreite, 10);
    ph = Mal(seite.Seitenhoehe, 10);
    if (voll) {
      if (ziel == Ziel::Bildschirm && u.flaeche != nullptr) {
        BlattAnpassen(*u.flaeche, seite.Seitenbreite, seite.Seitenhoehe, u.log, stil.fenster);
      }
      c.PinselFarbe(Weiss);
      c.FuellRechteck(0, 0, pw, Tiefe(ph));
    }
    anzahl = seite.Anzahl;
    ah = SeitenLayout(seite.Streifen, anzahl, pw, ph);
  } catch (const std::exception&) {
    u.log.LogAll(stil.fenster + MeldungSeite.Ansi());
    return false;
  }
  for (int i = 1; i <= anzahl; ++i) seite.Grafikstatistik.at(i).LetztX = KeinPunkt;

  const std::string datum = stil.fussMitUhrzeit ? DatumZeit.Ansi() + DatumZeitText(u.uhr.Jetzt())
                                                : DatenVom.Ansi() + DatumText(seite.Tag);
  Fusszeile(c, f, u.log, pw, ph, Minus(ph, stil.fussFuellung), stil.fussXIntervall,
            IntervallText(seite.IntervallZahl, seite.IntervallEinheit), stil.fussXDatum, datum);

  for (int i = 1; i <= anzahl; ++i) {
    u.ereignisse.Verarbeiten();
    // Events served just now may have closed the window or changed the charts.
    if (seite.Schliesst || seite.Anzahl != anzahl) return false;
    if (!Streifenzeichner(seite, stil, c, f, u.log, i, ah, voll).Zeichnen()) return false;
  }
  return true;
}

}  // namespace

bool SeiteZeichnen(ChartSeite& seite, const Seitenstil& stil, Canvas& c, const SchriftTabelle& f,
                   SeitenUmfeld& u, Ziel ziel, Seitenart art) {
  bool fertig = false;
  try {
    fertig = Seite(seite, stil, c, f, u, ziel, art == Seitenart::Voll);
  } catch (const std::exception&) {
    u.log.LogAll(stil.fenster + MeldungSeite.Ansi());
    fertig = false;
  }
  if (fertig && u.fertig) u.fertig();
  return fertig;
}

Seitenstil LiveStil(bool ganzerTag, bool mitCursor, bool digitaleNulllinie) {
  Seitenstil s;
  s.achse = ganzerTag ? Achsenart::Zeitlabels : Achsenart::Slotnummern;
  s.cursorlinie = mitCursor;
  s.analog = mitCursor ? Analogart::Cursor : Analogart::Rollend;
  s.digital = mitCursor ? Digitalart::Cursor : Digitalart::Rollend;
  s.digitaleNulllinie = digitaleNulllinie;
  return s;
}

Seitenstil HistorienStil() {
  Seitenstil s;
  s.fenster = "TFo_HistoGraf";
  s.spurPraefix = "HistoryGrafik : ";
  s.fussFuellung = 100;
  s.fussMitUhrzeit = false;
  s.rahmen = Rahmenart::Gefuellt;
  s.kopf = Kopfart::Berechnet;
  s.achse = Achsenart::Zeitlabels;
  s.letzterLabelAmEnde = false;
  s.skala = Skalenart::Raster;
  s.analog = Analogart::Luecken;
  s.digital = Digitalart::Schwarzweiss;
  s.spurfehlerBeendetSeite = false;
  return s;
}

Seitenstil DruckStil() {
  Seitenstil s = HistorienStil();
  s.fenster = "GruppeDrucken";
  s.fussXIntervall = 750;
  s.fussXDatum = 1350;
  s.rahmen = Rahmenart::Umrandet;
  s.kopf = Kopfart::Druck;
  s.analog = Analogart::Schwarz;
  s.nulllinieMitText = false;
  s.ohneBenutzerskala = true;
  return s;
}

}  // namespace pegel::chart
