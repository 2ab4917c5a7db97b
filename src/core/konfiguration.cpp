#include "konfiguration.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <stdexcept>

#include "drucker_wahl.h"
#include "gruppen_datei.h"
#include "meldungstexte.h"
#include "parameter_schreiber.h"
#include "puffer.h"
#include "spannen.h"
#include "text_format.h"

namespace pegel {
namespace {

using S = Schluessel;

// The marker of a missing user scale value.
constexpr const char* FehltMarke = "-0";

struct IniFehler : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// `was` names the key in the log line, e.g. "[DDE] Intervall".
std::int32_t Int32Geprueft(std::int64_t v, const std::string& was) {
  if (v < INT32_MIN || v > INT32_MAX) throw IniFehler(was + text::IstZuGross.Ansi());
  return static_cast<std::int32_t>(v);
}

// A limit: "." and "," both count as the decimal mark; a text that is no number ends the
// loading.
double GrenzeLesen(const IniEinstellungen& ini, const ZahlSchluessel& k, int n) {
  const auto v = ini.Zahl(k, n);
  if (!v) {
    throw IniFehler(SchluesselName(k.sektion, k.name, k.je, n) + "=" + ini.Text(k, n) +
                    " ist keine Zahl");
  }
  return *v;
}

// The user scale of parameter n: MinSkal/MaxSkal, filled once from the older keys or, without
// them, from the exclusion limits' texts.
void Skalierung(Parameter& p, Dienste& d, IniEinstellungen& ini, int n, const std::string& loText,
                const std::string& upText) {
  const std::string sektion = "Item_" + std::to_string(n);
  std::string minT = ini.Text(S::Skala_MinSkal, n);
  std::string maxT = ini.Text(S::Skala_MaxSkal, n);
  if (minT == FehltMarke || maxT == FehltMarke) {
    minT = ini.Text(S::Skala_MinForUser, n);
    maxT = ini.Text(S::Skala_MaxForUser, n);
    ini.Schreiben(S::Skala_MinSkal, minT, n);
    ini.Schreiben(S::Skala_MaxSkal, maxT, n);
    if (minT == FehltMarke || maxT == FehltMarke) {
      d.log.LogAll(text::SkalaNichtGefunden(sektion, p.Itemname));
      minT = loText;
      maxT = upText;
      ini.Schreiben(S::Skala_MinSkal, minT, n);
      ini.Schreiben(S::Skala_MaxSkal, maxT, n);
    }
  }
  d.log.LogAll(text::Skala(sektion, p.Itemname, minT, maxT));
  const auto mi = ZahlLesenPunktKomma(minT);
  const auto ma = ZahlLesenPunktKomma(maxT);
  if (mi && ma) {
    p.MinSkal = *mi;
    p.MaxSkal = *ma;
  } else {
    p.MinSkal = p.LoLimit;
    p.MaxSkal = p.UpLimit;
  }
}

// The unit, the sum's unit and its divisor of parameter n.
void EinheitenLesen(Parameter& p, const IniEinstellungen& ini, int n) {
  std::string einheit = ini.Lesen(S::Einheiten, n);
  einheit = ini.Lesen(S::GrafikEinheit, n, einheit);
  p.Einheit = Gekuerzt(einheit, EinheitLaenge);
  p.GrafikSumEinheit = Gekuerzt(ini.Lesen(S::GrafikSumEinheit, n, p.Einheit), EinheitLaenge);
  p.GrafikSumTeiler = ini.Zahl(S::GrafikSumTeiler, n).value_or(1.0);
}

// Parameter n, whose item and display name were read already. The names, type, reference,
// units and scale are taken only once its limits were read: a limit that is no number ends
// the loading with the colours and the limits read so far, and the rest as it was.
void ParameterLesen(PegelStatus& s, Dienste& d, IniEinstellungen& ini, int n,
                    const std::string& item, const std::string& name) {
  Parameter& p = ParameterSchreiber(s).at(n);
  p.ColorWarn = ini.Lesen(S::ColorWarn, n);
  p.ColorNorm = ini.Lesen(S::ColorNorm, n);
  const std::string upText = ini.Text(S::UpLimit, n);
  const std::string loText = ini.Text(S::LoLimit, n);
  p.UpWarn = GrenzeLesen(ini, S::UpWarn, n);
  p.LoWarn = GrenzeLesen(ini, S::LoWarn, n);
  p.UpLimit = GrenzeLesen(ini, S::UpLimit, n);
  p.LoLimit = GrenzeLesen(ini, S::LoLimit, n);

  s.Auswahl.Grafikanzeige.at(static_cast<std::size_t>(n)) = ini.Lesen(S::Grafikanzeige, n);
  p.GrafikRef = ini.Lesen(S::GrafikRef, n);
  p.Typ = GrafiktypAus(ini.Lesen(S::Grafiktyp, n));
  p.Item = Gekuerzt(item, ItemLaenge);
  p.Itemname = name;
  EinheitenLesen(p, ini, n);
  Skalierung(p, d, ini, n, loText, upText);
}

void OhneItems(PegelStatus& s, Dienste& d) {
  d.meldungen.Info(text::KeineItems);
  s.Anzeige.AutoStartAktiv = false;
  if (!d.meldungen.Frage(text::ItemsAusPgh)) {
    s.KonfigOK = false;
    return;
  }
  const auto datei = d.meldungen.DateiOeffnen(s.Pfade.ProgDir, text::PghFilter);
  if (!datei) {
    s.KonfigOK = false;
    return;
  }
  if (!ItemsAusPGH(s, *datei)) {
    d.meldungen.Info(text::PghFehlerhaft);
    s.KonfigOK = false;
  }
}

// Messages that go to the log instead of a box: a plant PC that starts by itself must not
// wait for a click.
class NurLog : public Messages {
 public:
  NurLog(Messages& m, Logbuch& log) : m_(m), log_(log) {}
  void Info(const std::string& t) override { log_.LogAll(t); }
  void Fehler(const std::string& t) override { log_.LogAll(t); }
  void Warnung(const std::string& t) override { log_.LogAll(t); }
  bool Frage(const std::string& t) override { return m_.Frage(t); }
  std::optional<std::string> TextEingabe(const std::string& titel, const std::string& prompt,
                                         const std::string& vorgabe) override {
    return m_.TextEingabe(titel, prompt, vorgabe);
  }
  std::optional<std::filesystem::path> DateiOeffnen(const std::filesystem::path& verz,
                                                    const std::string& filter) override {
    return m_.DateiOeffnen(verz, filter);
  }

 private:
  Messages& m_;
  Logbuch& log_;
};

// The printer of step 3: [DDE] Drucker and, for a list position, its name. The printer is
// found by its name; where it moved, its new position is used. With AutoStart a printer that
// cannot be set is only logged.
void DruckerLesen(PegelStatus& s, Dienste& d, const IniEinstellungen& ini) {
  s.Druck.DruckerNr = ini.Lesen(S::DDE_Drucker);
  s.Druck.DruckerName = std::string(S::DDE_Druckername.vorgabe);
  if (s.Druck.DruckerNr >= 0) {
    s.Druck.DruckerName = ini.Lesen(S::DDE_Druckername);
    NurLog nurLog(d.meldungen, d.log);
    Dienste still{d.uhr, nurLog, d.ereignisse, d.log, d.drucker};
    const bool autoStart = ini.Lesen(S::Grafik_AutoStart);
    const DruckerWahl w =
        DruckerSetzen(autoStart ? still : d, s.Druck.DruckerNr, s.Druck.DruckerName);
    if (!w.meldung.empty()) d.log.LogAll(w.meldung);
    if (w.grund == DruckerGrund::Verschoben) s.Druck.DruckerNr = w.position;
  }
  d.log.LogAll(text::Drucker(s.Druck.DruckerName, s.Druck.DruckerNr));
}

// The collector's interval of step 5.
void TaktLesen(PegelStatus& s, const IniEinstellungen& ini) {
  EinstellWerte& e = s.Einstell;
  s.Takt.DDEIntervallWert = ini.Lesen(S::DDE_Intervall);
  const std::int32_t ddeEinheit = ini.Lesen(S::DDE_Einheit);
  e.lbEinheit = ddeEinheit == 0 ? "Sekunden" : "Minuten";
  e.lbInterval = std::to_string(s.Takt.DDEIntervallWert);
  const std::string was =
      SchluesselName(S::DDE_Intervall.sektion, S::DDE_Intervall.name, S::DDE_Intervall.je, 0);
  s.Takt.DDEIntervall = Int32Geprueft(
      static_cast<std::int64_t>(s.Takt.DDEIntervallWert) * (ddeEinheit == 1 ? 60 : 1), was);
  s.Takt.DDEIntervallMs = Int32Geprueft(static_cast<std::int64_t>(s.Takt.DDEIntervall) * 1000, was);
  s.Takt.DDEEinheit = ddeEinheit;
}

// The live display of steps 6 to 8.
void AnzeigeLesen(PegelStatus& s, Dienste& d, IniEinstellungen& ini) {
  EinstellWerte& e = s.Einstell;
  const std::int32_t grafikEinheit = ini.Lesen(S::Grafik_Einheit);
  const std::int32_t puffer = ini.Lesen(S::Grafik_Puffer);
  // Once allocated, the ring keeps its length for the run (a new one takes effect at the
  // next start); a changed Puffer would make the ring wrap beyond its rows.
  if (!s.Ring.Angelegt()) s.Anzeige.Puffer = puffer;
  const std::int32_t auswahl = ini.Lesen(S::Grafik_Auswahl);
  e.coStunden = S::Grafik_Auswahl.Enthaelt(auswahl) ? auswahl : -1;
  e.spAndere = ini.Lesen(S::Grafik_AndereZeit);
  e.cbMitCursor = false;
  if (!e.cbGanzerTag) {
    // The box changes at the first run only, and with it runs the dialog's span check.
    e.cbGanzerTag = true;
    SpannePruefen(s, d, ini);
  }
  e.cbAutoStart = ini.Lesen(S::Grafik_AutoStart);
  s.Anzeige.FehlerLog = ini.Lesen(S::Grafik_FehlerLog);
  s.Anzeige.AlteDaten = ini.Lesen(S::Grafik_AlteDaten);
  ini.Schreiben(S::Grafik_AlteDaten, s.Anzeige.AlteDaten);
  s.Anzeige.AutoStartAktiv = e.cbAutoStart;

  e.spPuffer = puffer;
  if (s.Takt.DDEEinheit != 0 && s.Takt.DDEEinheit != 1) s.Takt.DDEEinheit = 0;

  e.coIntervall = S::Grafik_Einheit.Enthaelt(grafikEinheit) ? grafikEinheit : -1;
  e.spIntervall = ini.Lesen(S::Grafik_Intervall);
  s.Anzeige.GrafikIntervall = e.spIntervall;
  s.Anzeige.GrafikIntervallEinheit = grafikEinheit;
  s.Anzeige.TimerSampleMs = e.coIntervall == 0   ? e.spIntervall * 1000
                            : e.coIntervall == 1 ? e.spIntervall * 60000
                                                 : 1000;
}

// The parameters 1..Itemcount of step 10; stops at the first without a display name.
void ParameterListeLesen(PegelStatus& s, Dienste& d, IniEinstellungen& ini) {
  ParameterSchreiber w(s);
  s.Auswahl.AnzAnalog = 0;
  s.Auswahl.AnzDigital = 0;
  w.ItemListe().clear();
  for (int n = 1; n <= s.Par().Itemcount(); ++n) {
    const std::string item = ini.Lesen(S::Items, n);
    const std::string name = ini.Lesen(S::Itemnames, n);
    if (name.empty()) {
      d.meldungen.Info(text::ItemFehlt(n));
      s.KonfigOK = false;
      break;
    }
    w.ItemListe().push_back(name);
    ParameterLesen(s, d, ini, n, item, name);
  }
}

}  // namespace

void SpannePruefen(PegelStatus& s, Dienste& d, IniEinstellungen& ini) {
  EinstellWerte& e = s.Einstell;
  e.cbMitCursor = false;
  e.cbGanzerTag = true;
  const std::int64_t intervall = std::max<std::int32_t>(1, s.Takt.DDEIntervall);
  int k = e.coStunden;
  std::int64_t sekunden = Spannensekunden(k, e.spAndere);
  if (sekunden < 0) {
    d.meldungen.Info(text::UndefiniertesIntervall);
    sekunden = 0;
  }
  std::int64_t punkte = sekunden / intervall;
  if (punkte > MaxPuffer) {
    d.meldungen.Info(text::ZuVielePunkte(punkte, MaxPuffer));
    do {
      --k;
      if (k < 0) {
        k = 0;
        break;
      }
      e.coStunden = k;
      punkte = std::max<std::int64_t>(0, Spannensekunden(k, e.spAndere)) / intervall;
    } while (punkte > MaxPuffer);
    e.spPuffer = k == 0 ? 60 : MaxPuffer;
    e.spPufferAktiv = false;
    ini.Schreiben(S::Grafik_Auswahl, e.coStunden);
    ini.Schreiben(S::Grafik_AndereZeit, e.spAndere);
    ini.Schreiben(S::Grafik_Puffer, e.spPuffer);
  } else {
    e.spPuffer = k == 0 ? 60 : MaxPuffer;
  }
}

void Initialisierung(PegelStatus& s, Dienste& d) {
  s.KonfigOK = true;
  GruppenDateiLesen(s, d);
  std::optional<IniEinstellungen> ini;
  ParameterSchreiber w(s);
  try {
    ini.emplace(s.Pfade.IniDatei, s.NurLesen);
    std::int32_t itemcount = ini->Lesen(S::DDE_Itemcount);
    const auto v5 = s.Pfade.ProgDir / "PegelWart_V5.ini";
    if (itemcount < 1 && std::filesystem::exists(v5)) {
      s.Pfade.IniDatei = v5;
      ini.emplace(s.Pfade.IniDatei, s.NurLesen);
      itemcount = ini->Lesen(S::DDE_Itemcount);
      d.log.LogAll(text::V5Gelesen);
    }
    // Cut at once: an error before the message below must not leave a count beyond the
    // tables.
    w.ItemcountSetzen(std::min(itemcount, S::DDE_Itemcount.max));

    DruckerLesen(s, d, *ini);
    s.Anzeige.Textrand = ini->Lesen(S::PegelWart_Textrand);
    ini->Schreiben(S::PegelWart_Textrand, s.Anzeige.Textrand);
    TaktLesen(s, *ini);
    AnzeigeLesen(s, d, *ini);

    if (itemcount > MaxItems) d.meldungen.Info(text::ZuVieleItems(MaxItems));
    // The ring's rows are allocated once; parameters beyond them would reach no row, so
    // they wait for the next start.
    if (s.Ring.Angelegt() && s.Par().Itemcount() > s.Ring.Zeilen()) {
      d.log.LogAll(text::ItemsNachNeustart(s.Par().Itemcount(), s.Ring.Zeilen()));
      w.ItemcountSetzen(s.Ring.Zeilen());
    }
    s.Einstell.lbItems = std::to_string(s.Par().Itemcount());

    if (s.Par().Itemcount() < 1) {
      OhneItems(s, d);
    } else {
      ParameterListeLesen(s, d, *ini);
    }
  } catch (const std::exception& e) {
    // A configuration that could not be read to its end is not valid: parameters after the
    // failing one would run half-loaded (no type, limits 0..0). The log says what to mend.
    d.log.LogAll(text::IniFehlerGrund.Ansi() + e.what());
    d.meldungen.Info(text::IniFehler);
    s.KonfigOK = false;
  }
  if (ini && !ini->Speichern()) {
    d.log.LogAll(text::IniNichtGeschrieben(s.Pfade.IniDatei.filename().string()));
  }
}

bool ItemsAusPGH(PegelStatus& s, const std::filesystem::path& datei) {
  ParameterSchreiber w(s);
  w.ItemListe().clear();
  std::ifstream f(datei, std::ios::binary);
  if (!f) return false;
  // One line without its line break; false at the end of the file.
  auto zeile = [&f](std::string& z) {
    if (!std::getline(f, z)) return false;
    if (!z.empty() && z.back() == '\r') z.pop_back();
    return true;
  };
  std::string z;
  if (!zeile(z)) return false;
  const std::int32_t n = GanzzahlLesen(z).value_or(0);
  if (n < 1 || n > MaxItems) {
    w.ItemcountSetzen(0);
    return false;
  }
  w.ItemcountSetzen(n);
  for (int i = 1; i <= n; ++i) {
    if (!zeile(z)) return false;
    w.at(i).Item = Gekuerzt(z, ItemLaenge);
  }
  const int ueberspringen = 1 + 1 + 1 + 2 * n + 1;  // blank, interval, blank, 2N, blank
  for (int i = 0; i < ueberspringen; ++i) {
    if (!zeile(z)) return false;
  }
  for (int i = 1; i <= n; ++i) {
    std::string name, typ, ref, einheit;
    if (!zeile(name) || !zeile(typ) || !zeile(ref) || !zeile(einheit)) return false;
    const auto t = GanzzahlAmAnfang(typ);
    const auto r = GanzzahlAmAnfang(ref);
    if (!t || !r) return false;
    Parameter& p = w.at(i);
    p.Itemname = name;
    p.Typ = GrafiktypAus(*t);
    p.GrafikRef = *r;
    p.Einheit = Gekuerzt(einheit, EinheitLaenge);
    w.ItemListe().push_back(name);
  }
  return true;
}

void EinheitenLesen(PegelStatus& s, int anzahl) {
  const IniEinstellungen ini(s.Pfade.IniDatei, true);
  ParameterSchreiber w(s);
  for (int n = 1; n <= anzahl && n <= s.Par().Itemcount(); ++n) EinheitenLesen(w.at(n), ini, n);
}

bool FormateLesen(PegelStatus& s, Dienste& d) {
  try {
    const IniEinstellungen ini(s.Pfade.IniDatei, true);
    s.Formate.PR = static_cast<std::uint8_t>(ini.Lesen(S::Formate_PR));
    s.Formate.NK = static_cast<std::uint8_t>(ini.Lesen(S::Formate_NK));
  } catch (const std::exception&) {
    d.meldungen.Info(text::MainIniFehler);
    return false;
  }
  return true;
}

void DruckformatLesen(PegelStatus& s) {
  const IniEinstellungen ini(s.Pfade.IniDatei, true);
  s.Druck.Querformat = ini.Lesen(S::PegelWart_Querformat);
  s.Druck.Druckbreite = ini.Lesen(S::PegelWart_Druckbreite);
  s.Druck.Druckhoehe = ini.Lesen(S::PegelWart_Druckhoehe);
}

void ErstesZeigen(PegelStatus& s, Dienste& d) {
  Initialisierung(s, d);
  if (FormateLesen(s, d) && s.KonfigOK) PufferEinrichten(s, d);
  DruckformatLesen(s);
  bool gesetzt = false;
  try {
    gesetzt = d.drucker.Ausrichtung(s.Druck.Querformat);
  } catch (const std::exception&) {
    gesetzt = false;  // as a printer that cannot be addressed: the message below says so
  }
  if (!gesetzt) {
    if (s.Anzeige.AutoStartAktiv) {
      d.log.LogAll(text::DruckerInstallieren);
    } else {
      d.meldungen.Info(text::DruckerInstallieren);
    }
  }
}

bool ParameterAnzeigeSpeichern(PegelStatus& s, int p, const ParameterAnzeige& a) {
  if (p < 1 || p > s.Par().Itemcount()) return false;
  Parameter& par = ParameterSchreiber(s).at(p);
  par.UpWarn = a.UpWarn;
  par.LoWarn = a.LoWarn;
  par.MinSkal = a.MinSkal;
  par.MaxSkal = a.MaxSkal;
  par.GrafikRef = a.GrafikRef;
  par.ColorWarn = a.ColorWarn;
  par.ColorNorm = a.ColorNorm;
  s.Auswahl.Grafikanzeige.at(static_cast<std::size_t>(p)) = true;
  IniEinstellungen ini(s.Pfade.IniDatei, s.NurLesen);
  ini.Schreiben(S::UpWarn, a.UpWarnText, p);
  ini.Schreiben(S::LoWarn, a.LoWarnText, p);
  ini.Schreiben(S::Skala_MinSkal, a.MinSkalText, p);
  ini.Schreiben(S::Skala_MaxSkal, a.MaxSkalText, p);
  ini.Schreiben(S::GrafikRef, a.GrafikRef, p);
  ini.Schreiben(S::ColorWarn, a.ColorWarn, p);
  ini.Schreiben(S::ColorNorm, a.ColorNorm, p);
  return ini.Speichern();
}

}  // namespace pegel
