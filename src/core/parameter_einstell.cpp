#include "parameter_einstell.h"

#include <algorithm>

#include "cp1252.h"
#include "ini_schluessel.h"
#include "konfiguration.h"
#include "text_format.h"

namespace pegel {
namespace {

using S = Schluessel;

constexpr double ErsatzOben = 1000.0;
// The lower warning limit falls back to the same value as the upper one: a parameter whose
// limits are both 1000 shows no warning band rather than one that warns for every value.
constexpr double ErsatzUnten = 1000.0;
constexpr double ErsatzSkalUnten = -1000.0;
constexpr double ErsatzSkalOben = 1000.0;

}  // namespace

bool TextZuZahl(std::string& text, double& wert, double ersatz, Logbuch& log) {
  std::replace(text.begin(), text.end(), '.', ',');
  if (const auto v = ZahlLesen(text)) {
    wert = *v;
    return true;
  }
  wert = ersatz;
  log.LogAll("Unerlaubter Eintrag > " + text + " < bei DDE-Werten !");
  return false;
}

std::string ZahlAnzeige(double wert) { return FestFormat(wert, 8, 2); }

int ParameterEinstellung::Anzahl() const {
  return std::min(static_cast<int>(s_.Par().ItemListe().size()), s_.Par().Itemcount());
}

std::optional<ParameterMaske> ParameterEinstellung::Zeigen(int zeile) {
  if (zeile < 0 || zeile >= Anzahl()) return std::nullopt;
  geaendert_ = false;
  akt_ = zeile;
  const int p = zeile + 1;
  const Parameter& par = s_.Par().at(p);
  ParameterMaske m;
  m.Titel = " " + s_.Par().ItemListe().at(static_cast<std::size_t>(zeile)) + " ";
  switch (par.Typ) {
    case Grafiktyp::Analog:
      m.Typ = "Analog";
      m.Analog = true;
      break;
    case Grafiktyp::Digital:
      m.Typ = "Digital";
      m.Analog = false;
      break;
    default:
      m.Typ = "Typ ?";
  }
  m.GrafikRef = par.GrafikRef;
  m.Item = par.Item;
  m.Einheit = par.Einheit;
  m.Oben = ZahlAnzeige(par.UpLimit);
  m.Unten = ZahlAnzeige(par.LoLimit);
  m.WarnOben = ZahlAnzeige(par.UpWarn);
  m.WarnUnten = ZahlAnzeige(par.LoWarn);
  m.SkalUnten = ZahlAnzeige(par.MinSkal);
  m.SkalOben = ZahlAnzeige(par.MaxSkal);
  const IniEinstellungen ini(s_.Pfade.IniDatei, true);
  m.ColorWarn = ini.Lesen(S::ColorWarn, p);
  m.ColorNorm = ini.Lesen(S::ColorNorm, p);
  gezeigt_ = m;
  return m;
}

std::optional<ParameterMaske> ParameterEinstellung::Wechseln(int zeile,
                                                             const ParameterMaske& eingabe) {
  if (geaendert_ && d_.meldungen.Frage(Ansi("Änderungen speichern ?"))) Speichern(eingabe);
  geaendert_ = false;
  return Zeigen(zeile);
}

ParameterMaske ParameterEinstellung::Speichern(const ParameterMaske& eingabe) {
  if (akt_ < 0 || akt_ >= Anzahl()) return eingabe;
  const int p = akt_ + 1;
  const Parameter& par = s_.Par().at(p);
  const IniEinstellungen alt(s_.Pfade.IniDatei, true);
  ParameterMaske m = eingabe;
  ParameterAnzeige a;
  // One edit: untouched, the record's value and the stored text stay as they are.
  auto wert = [&](std::string& feld, const std::string& gezeigt, double bisher,
                  const ZahlSchluessel& k, double ersatz, std::string& text, double& ziel) {
    if (feld == gezeigt) {
      ziel = bisher;
      text = alt.Text(k, p);
      return;
    }
    std::string t = feld;
    TextZuZahl(t, ziel, ersatz, d_.log);
    feld = ZahlAnzeige(ziel);
    text = feld;
  };
  wert(m.WarnOben, gezeigt_.WarnOben, par.UpWarn, S::UpWarn, ErsatzOben, a.UpWarnText, a.UpWarn);
  wert(m.WarnUnten, gezeigt_.WarnUnten, par.LoWarn, S::LoWarn, ErsatzUnten, a.LoWarnText, a.LoWarn);
  wert(m.SkalUnten, gezeigt_.SkalUnten, par.MinSkal, S::Skala_MinSkal, ErsatzSkalUnten,
       a.MinSkalText, a.MinSkal);
  wert(m.SkalOben, gezeigt_.SkalOben, par.MaxSkal, S::Skala_MaxSkal, ErsatzSkalOben, a.MaxSkalText,
       a.MaxSkal);
  a.GrafikRef = m.GrafikRef;
  a.ColorWarn = m.ColorWarn;
  a.ColorNorm = m.ColorNorm;
  if (!ParameterAnzeigeSpeichern(s_, p, a) && !s_.NurLesen) {
    d_.meldungen.Fehler(Ansi("Die Einstellungen konnten nicht in ") +
                        Utf8ZuCp1252(s_.Pfade.IniDatei.filename().string()) +
                        Ansi(" gespeichert werden !"));
  }
  gezeigt_ = m;
  geaendert_ = false;
  return m;
}

void ParameterEinstellung::Schliessen(const ParameterMaske& eingabe) {
  if (geaendert_ && d_.meldungen.Frage(Ansi("Änderungen speichern ?"))) Speichern(eingabe);
  geaendert_ = false;
  const int n = Anzahl();
  if (n < 1) return;
  s_.Auswahl.AnzAnalog = 0;
  s_.Auswahl.AnzDigital = 0;
  for (int p = 1; p <= n; ++p) {
    if (!s_.Auswahl.Grafikanzeige.at(static_cast<std::size_t>(p))) continue;
    const Grafiktyp t = s_.Par().at(p).Typ;
    if (t == Grafiktyp::Analog) ++s_.Auswahl.AnzAnalog;
    if (t == Grafiktyp::Digital) ++s_.Auswahl.AnzDigital;
  }
}

}  // namespace pegel
