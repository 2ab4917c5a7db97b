#include "refresh_ausgabe.h"

#include "analog_spur.h"
#include "cp1252.h"
#include "digital_spur.h"
#include "geometrie.h"
#include "kopf_fuss.h"
#include "layout.h"
#include "skalierung.h"
#include "statistik.h"
#include "text_format.h"
#include "zeitachse.h"

namespace pegel::chart {

namespace {

const std::string MeldungSeite = "TFo_Tagesgrafik.Ausgabe : Fehler-1";
const std::string MeldungSkala = "Echtzeitgrafik : Fehler bei Schrittweite/Cursor";
const std::string MeldungAnalog = "Analoge Grafik abgebrochen ...";
const std::string MeldungDigital = "Digitale Grafik abgebrochen ...";

// Chart i's values (the page makes sure every chart has an array).
std::vector<double>& Werte(ChartSeite& seite, int i) {
  return seite.Grafikspeicher.at(static_cast<std::size_t>(i - 1));
}

// Scaling, zero line and cursor of an analog chart; failures are logged and drawing goes
// on with what was computed.
void AnalogSkala(ChartSeite& seite, Canvas& c, const SchriftTabelle& f, Log& log, int i, int n) {
  TStreifen& s = seite.Streifen.at(i);
  TGrafikstatistik& st = seite.Grafikstatistik.at(i);
  const ChartAnzeige& a = seite.Anzeige.at(i);
  try {
    Skalieren(s, st, a.MinSkal, a.MaxSkal);
    if (NulllinieZeichnen(c, f, log, s, Minus(s.P1.x, 10), 4, true)) {
      c.StiftFarbe(a.Kurvenfarbe);
      c.StiftBreite(3);
    }
    if (seite.MitCursor) CursorLinie(c, s, n, seite.Schreibposition, a.Kurvenfarbe);
  } catch (const std::exception&) {
    log.LogAll(MeldungSkala);
  }
}

// The trace and (full page) the scale marks. Throws on failure.
void AnalogZeichnen(ChartSeite& seite, Canvas& c, const SchriftTabelle& f, Log& log, int i,
                    bool voll) {
  TStreifen& s = seite.Streifen.at(i);
  TGrafikstatistik& st = seite.Grafikstatistik.at(i);
  const ChartAnzeige& a = seite.Anzeige.at(i);
  std::vector<double>& werte = Werte(seite, i);
  if (seite.MitCursor) {
    AnalogCursor(c, s, st, a, werte, seite.Schreibposition);
  } else {
    AnalogRollend(c, s, st, a, werte);
  }
  if (!voll) return;
  if (s.Skalierung == 2) {
    SkalenMarken(c, f, log, s, st.Faktor, a.MaxSkal, a.MinSkal, true);
  } else if (st.Anzahl > 0) {
    // Without a valid value Minimum and Maximum are only start values: no marks.
    SkalenMarken(c, f, log, s, st.Faktor, st.Maximum, st.Minimum, true);
  }
}

void DigitalZeichnen(ChartSeite& seite, Canvas& c, int i, int n) {
  const TStreifen& s = seite.Streifen.at(i);
  const std::vector<double>& werte = Werte(seite, i);
  if (seite.MitCursor) {
    CursorLinie(c, s, n, seite.Schreibposition, seite.Anzeige.at(i).Kurvenfarbe);
    DigitalJeSlot(c, s, werte, seite.Schreibposition, seite.DigNull);
  } else {
    DigitalRollend(c, s, seite.Grafikstatistik.at(i), werte);
  }
}

// One strip. False when its trace failed and the page must end.
bool Streifenzeichnen(ChartSeite& seite, Canvas& c, const SchriftTabelle& f, Log& log, int i,
                      bool voll) {
  TStreifen& s = seite.Streifen.at(i);
  const ChartAnzeige& a = seite.Anzeige.at(i);
  const int n = static_cast<int>(Werte(seite, i).size()) - 1;

  c.StiftBreite(3);
  c.StiftFarbe(Blau);
  c.Rechteck(s.P1.x, Tiefe(s.P1.d), s.P2.x, Tiefe(s.P2.d));
  c.StiftFarbe(a.Kurvenfarbe);

  if (!a.Statistiktexte[4].empty()) {
    if (s.Typ != Grafiktyp::Digital) Statistik(seite.Grafikstatistik.at(i), Werte(seite, i), n);
    LiveKopf(c, f, log, s, a, seite.Textrand);
  }
  Titel(c, f, log, s, a);

  if (!voll) {
    c.PinselFarbe(Weiss);
    c.FuellRechteck(Plus(s.P1.x, 4), Tiefe(Plus(s.P1.d, 4)), Minus(s.P2.x, 4),
                    Tiefe(Minus(s.P2.d, 4)));
  } else {
    if (seite.GanzerTag) {
      LabelZeitachse(c, f, log, s, n, seite.Zeitlabels, seite.PunkteProLabel, true);
    } else {
      RollendeZeitachse(c, f, log, s, n);
    }
    c.StiftFarbe(a.Kurvenfarbe);
  }

  if (s.Typ == Grafiktyp::Digital) {
    try {
      DigitalZeichnen(seite, c, i, n);
    } catch (const std::exception&) {
      log.LogAll(MeldungDigital);
      return false;
    }
    return true;
  }
  AnalogSkala(seite, c, f, log, i, n);
  try {
    AnalogZeichnen(seite, c, f, log, i, voll);
  } catch (const std::exception&) {
    log.LogAll(MeldungAnalog);
    return false;
  }
  return true;
}

bool Seite(ChartSeite& seite, Canvas& c, const SchriftTabelle& f, SeitenUmfeld& u, bool zumDrucker,
           bool voll) {
  if (seite.Schliesst) return false;
  std::int32_t pw = 0;
  std::int32_t ph = 0;
  int anzahl = 0;
  try {
    pw = Mal(seite.Seitenbreite, 10);
    ph = Mal(seite.Seitenhoehe, 10);
    if (voll) {
      if (!zumDrucker && u.flaeche != nullptr) {
        BlattAnpassen(*u.flaeche, seite.Seitenbreite, seite.Seitenhoehe, u.log);
      }
      c.PinselFarbe(Weiss);
      c.FuellRechteck(0, 0, pw, Tiefe(ph));
    }
    anzahl = seite.Anzahl;
    SeitenLayout(seite.Streifen, anzahl, pw, ph);
    // A chart without an array is drawn without values.
    if (seite.Grafikspeicher.size() < static_cast<std::size_t>(anzahl)) {
      seite.Grafikspeicher.resize(static_cast<std::size_t>(anzahl));
    }
  } catch (const std::exception&) {
    u.log.LogAll(MeldungSeite);
    return false;
  }
  for (int i = 1; i <= anzahl; ++i) seite.Grafikstatistik.at(i).LetztX = KeinPunkt;

  Fusszeile(c, f, u.log, pw, ph, Minus(ph, 140), 950,
            IntervallText(seite.IntervallZahl, seite.IntervallMinuten), 1550,
            "Datum/Zeit : " + DatumZeitText(u.uhr.Jetzt()));

  for (int i = 1; i <= anzahl; ++i) {
    u.ereignisse.Verarbeiten();
    // Events served just now may have closed the window or changed the charts.
    if (seite.Schliesst || seite.Anzahl != anzahl) return false;
    if (!Streifenzeichnen(seite, c, f, u.log, i, voll)) return false;
  }
  return true;
}

}  // namespace

bool RefreshAusgabe(ChartSeite& seite, Canvas& c, const SchriftTabelle& f, SeitenUmfeld& u,
                    bool zumDrucker, bool inkrementell) {
  bool fertig = false;
  try {
    fertig = Seite(seite, c, f, u, zumDrucker, !inkrementell);
  } catch (const std::exception&) {
    u.log.LogAll(MeldungSeite);
    fertig = false;
  }
  if (fertig && u.timerEin) u.timerEin();
  return fertig;
}

}  // namespace pegel::chart
