#include "konfiguration.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <stdexcept>

#include "cp1252.h"
#include "drucker_wahl.h"
#include "gruppen_datei.h"
#include "puffer.h"
#include "text_format.h"

namespace pegel {
namespace {

const std::array<const char*, SpannenAnzahl> kSpannen = {"1 Minute",   "12 Minuten", "30 Minuten",
                                                         "1 Stunde",   "2 Stunden",  "6 Stunden",
                                                         "12 Stunden", "24 Stunden", "andere"};
const std::array<std::int64_t, SpannenAnzahl - 1> kSpannenSek = {60,   720,   1800,  3600,
                                                                 7200, 21600, 43200, 86400};

struct IniFehler : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// `was` names the key in the log line, e.g. "[DDE] Intervall".
std::int32_t Int32Geprueft(std::int64_t v, const std::string& was) {
  if (v < INT32_MIN || v > INT32_MAX) throw IniFehler(was + Ansi(" ist zu groß"));
  return static_cast<std::int32_t>(v);
}

// A limit read as text; "." and "," both count as the decimal mark.
double GrenzeLesen(const IniDatei& ini, const char* sektion, const std::string& schluessel,
                   const char* vorgabe) {
  const std::string text = ini.LeseText(sektion, schluessel, vorgabe);
  const auto v = ZahlLesenPunktKomma(text);
  if (!v) {
    throw IniFehler("[" + std::string(sektion) + "] " + schluessel + "=" + text +
                    " ist keine Zahl");
  }
  return *v;
}

void Skalierung(PegelStatus& s, Dienste& d, IniDatei& ini, int n, const std::string& loText,
                const std::string& upText) {
  const std::string sektion = "Item_" + std::to_string(n);
  const std::string& name = s.Itemnames.at(static_cast<std::size_t>(n));
  std::string minT = ini.LeseText(sektion, "MinSkal", "-0");
  std::string maxT = ini.LeseText(sektion, "MaxSkal", "-0");
  if (minT == "-0" || maxT == "-0") {
    minT = ini.LeseText(sektion, "MinForUser", "-0");
    maxT = ini.LeseText(sektion, "MaxForUser", "-0");
    ini.SchreibeText(sektion, "MinSkal", minT);
    ini.SchreibeText(sektion, "MaxSkal", maxT);
    if (minT == "-0" || maxT == "-0") {
      d.log.LogAll("*** " + sektion + " / " + name + " : Min/MaxForUser nicht gefunden.");
      minT = loText;
      maxT = upText;
      ini.SchreibeText(sektion, "MinSkal", minT);
      ini.SchreibeText(sektion, "MaxSkal", maxT);
    }
  }
  d.log.LogAll(sektion + " / " + name + " : Min/Max-Skalierung = " + minT + "/" + maxT);
  ItemGrenzen& w = s.ItemWerte.at(static_cast<std::size_t>(n));
  const auto mi = ZahlLesenPunktKomma(minT);
  const auto ma = ZahlLesenPunktKomma(maxT);
  if (mi && ma) {
    w.MinSkal = *mi;
    w.MaxSkal = *ma;
  } else {
    w.MinSkal = w.LoLimit;
    w.MaxSkal = w.UpLimit;
  }
}

void ParameterLesen(PegelStatus& s, Dienste& d, IniDatei& ini, int n) {
  const std::string key = "Item" + std::to_string(n);
  const auto i = static_cast<std::size_t>(n);
  ItemGrenzen& w = s.ItemWerte.at(i);
  ItemDef& def = s.ItemDefs.at(i);

  w.ColorWarn = ini.LeseGanz("ColorWarn", key, 0);
  w.ColorNorm = ini.LeseGanz("ColorNorm", key, 0);
  const std::string upText = ini.LeseText("UpLimit", key, "1000.0");
  const std::string loText = ini.LeseText("LoLimit", key, "-1000.0");
  w.UpWarn = GrenzeLesen(ini, "UpWarn", key, "0");
  w.LoWarn = GrenzeLesen(ini, "LoWarn", key, "0");
  w.UpLimit = GrenzeLesen(ini, "UpLimit", key, "1000.0");
  w.LoLimit = GrenzeLesen(ini, "LoLimit", key, "-1000.0");

  s.Grafikanzeige.at(i) = ini.LeseBool("Grafikanzeige", key, true);
  s.GrafikRef.at(i) = ini.LeseGanz("GrafikRef", key, 0);
  s.Grafiktyp.at(i) = ini.LeseGanz("Grafiktyp", key, 1);

  def.Item = Gekuerzt(s.Items.at(i), ItemLaenge);
  def.Itemname = Gekuerzt(s.Itemnames.at(i), ItemLaenge);
  def.GrafikRef = s.GrafikRef.at(i);
  def.Grafiktyp = s.Grafiktyp.at(i);
  def.UpLimit = w.UpLimit;
  def.LoLimit = w.LoLimit;

  std::string einheit = ini.LeseText("Einheiten", key, "-");
  einheit = ini.LeseText("GrafikEinheit", key, einheit);
  def.Einheit = Gekuerzt(einheit, EinheitLaenge);
  ItemSumme& summe = s.ItemSummen.at(i);
  summe.GrafikSumEinheit =
      Gekuerzt(ini.LeseText("GrafikSumEinheit", key, def.Einheit), EinheitLaenge);
  summe.GrafikSumTeiler = ZahlLesen(ini.LeseText("GrafikSumTeiler", key, "1")).value_or(1.0);

  Skalierung(s, d, ini, n, loText, upText);
}

void OhneItems(PegelStatus& s, Dienste& d) {
  d.meldungen.Info("Keine DDE-Items definiert !");
  s.AutoStartAktiv = false;
  if (!d.meldungen.Frage("DDE-Items aus PGH-Datei bestimmen ?")) {
    s.KonfigOK = false;
    return;
  }
  const auto datei = d.meldungen.DateiOeffnen(s.ProgDir, "Headerdatei [*.pgh]|*.pgh");
  if (!datei) {
    s.KonfigOK = false;
    return;
  }
  if (!ItemsAusPGH(s, *datei)) {
    d.meldungen.Info(Ansi("PGH-Datei für diese Messung fehlerhaft !"));
    s.KonfigOK = false;
  }
}

}  // namespace

std::string SpannenText(int k) {
  if (k < 0 || k >= SpannenAnzahl) return "";
  return kSpannen[static_cast<std::size_t>(k)];
}

std::int64_t Spannensekunden(int k, int spAndere) {
  if (k < 0 || k >= SpannenAnzahl) return -1;
  if (k == SpannenAnzahl - 1) return static_cast<std::int64_t>(spAndere) * 60;
  return kSpannenSek[static_cast<std::size_t>(k)];
}

void cbGanzerTagClick(PegelStatus& s, Dienste& d, IniDatei& ini) {
  EinstellWerte& e = s.Einstell;
  e.cbMitCursor = false;
  e.cbGanzerTag = true;
  const std::int64_t intervall = std::max<std::int32_t>(1, s.DDEIntervall);
  int k = e.coStunden;
  std::int64_t sekunden = Spannensekunden(k, e.spAndere);
  if (sekunden < 0) {
    d.meldungen.Info("Undefiniertes Intervall !");
    sekunden = 0;
  }
  std::int64_t punkte = sekunden / intervall;
  if (punkte > MaxPuffer) {
    d.meldungen.Info(Ansi("Benötigte Punktzahl (" + std::to_string(punkte) +
                          ") > Anzahl darstellbarer Punkte (" + std::to_string(MaxPuffer) + ") !"));
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
    ini.SchreibeGanz("Grafik", "Auswahl", e.coStunden);
    ini.SchreibeGanz("Grafik", "AndereZeit", e.spAndere);
    ini.SchreibeGanz("Grafik", "Puffer", e.spPuffer);
  } else {
    e.spPuffer = k == 0 ? 60 : MaxPuffer;
  }
}

void Initialisierung(PegelStatus& s, Dienste& d) {
  s.KonfigOK = true;
  GruppenDateiLesen(s, d);
  std::optional<IniDatei> ini;
  try {
    ini.emplace(s.IniDatei, s.NurLesen);
    std::int32_t itemcount = ini->LeseGanz("DDE", "Itemcount", 0);
    const auto v5 = s.ProgDir / "PegelWart_V5.ini";
    if (itemcount < 1 && std::filesystem::exists(v5)) {
      s.IniDatei = v5;
      ini.emplace(s.IniDatei, s.NurLesen);
      itemcount = ini->LeseGanz("DDE", "Itemcount", 0);
      d.log.LogAll("PegelWart_V5.ini wurde gelesen !");
    }
    // Cut at once: an error before the message below must not leave a count beyond the
    // tables.
    s.Itemcount = std::min(itemcount, MaxItems);

    // Printer.
    s.DruckerNr = ini->LeseGanz("DDE", "Drucker", -1);
    s.DruckerName = Ansi(KeinDrucker);
    if (s.DruckerNr >= 0) {
      s.DruckerName = ini->LeseText("DDE", "Druckername", Ansi(KeinDrucker));
      DruckerSetzen(d, s.DruckerNr);
    }
    d.log.LogAll("Drucker: " + s.DruckerName + " Nummer = " + std::to_string(s.DruckerNr));

    s.Textrand = ini->LeseGanz("PegelWart", "Textrand", 0);
    ini->SchreibeGanz("PegelWart", "Textrand", s.Textrand);

    // The collector's interval.
    EinstellWerte& e = s.Einstell;
    s.DDEIntervallWert = ini->LeseGanz("DDE", "Intervall", 1);
    const std::int32_t ddeEinheit = ini->LeseGanz("DDE", "Einheit", 0);
    e.lbEinheit = ddeEinheit == 0 ? "Sekunden" : "Minuten";
    e.lbInterval = std::to_string(s.DDEIntervallWert);
    s.DDEIntervall =
        Int32Geprueft(static_cast<std::int64_t>(s.DDEIntervallWert) * (ddeEinheit == 1 ? 60 : 1),
                      "[DDE] Intervall");
    s.DDEIntervallMs =
        Int32Geprueft(static_cast<std::int64_t>(s.DDEIntervall) * 1000, "[DDE] Intervall");
    s.DDEEinheit = ddeEinheit;

    // The live display.
    const std::int32_t grafikIntervall = ini->LeseGanz("Grafik", "Intervall", 10);
    const std::int32_t grafikEinheit = ini->LeseGanz("Grafik", "Einheit", 0);
    // A buffer beyond what the dialog offers would only exhaust memory.
    const std::int32_t puffer = std::clamp(ini->LeseGanz("Grafik", "Puffer", 60), 1, MaxPuffer);
    // Once allocated, the ring keeps its length for the run (a new one takes effect at the
    // next start); a changed Puffer would make the ring wrap beyond its rows.
    if (!s.PufferAngelegt()) s.Puffer = puffer;
    const std::int32_t auswahl = ini->LeseGanz("Grafik", "Auswahl", 1);
    e.coStunden = (auswahl >= 0 && auswahl < SpannenAnzahl) ? auswahl : -1;
    e.spAndere = std::clamp(ini->LeseGanz("Grafik", "AndereZeit", 5), 2, 60);
    e.cbMitCursor = false;
    if (!e.cbGanzerTag) cbGanzerTagClick(s, d, *ini);  // the box changes at the first run only
    e.cbAutoStart = ini->LeseBool("Grafik", "AutoStart", true);
    s.FehlerLog = ini->LeseBool("Grafik", "FehlerLog", false);
    s.AlteDaten = ini->LeseBool("Grafik", "AlteDaten", true);
    ini->SchreibeBool("Grafik", "AlteDaten", s.AlteDaten);
    s.AutoStartAktiv = e.cbAutoStart;

    e.spPuffer = puffer;
    if (s.DDEEinheit != 0 && s.DDEEinheit != 1) s.DDEEinheit = 0;

    e.coIntervall = (grafikEinheit == 0 || grafikEinheit == 1) ? grafikEinheit : -1;
    e.spIntervall = std::clamp(grafikIntervall, 1, 59);
    s.GrafikIntervall = e.spIntervall;
    s.GrafikIntervallEinheit = grafikEinheit;
    s.TimerSampleMs = e.coIntervall == 0   ? e.spIntervall * 1000
                      : e.coIntervall == 1 ? e.spIntervall * 60000
                                           : 1000;

    if (itemcount > MaxItems) {
      d.meldungen.Info("Sie haben mehr als " + std::to_string(MaxItems) + " DDE-Items definiert !");
    }
    // The ring's rows are allocated once; parameters beyond them would reach no row, so
    // they wait for the next start.
    if (s.PufferAngelegt() && s.Itemcount > s.PufferZeilen()) {
      d.log.LogAll("DDE-Itemcount " + std::to_string(s.Itemcount) + " > " +
                   std::to_string(s.PufferZeilen()) + Ansi(" angelegte Parameter: Parameter ") +
                   std::to_string(s.PufferZeilen() + 1) + " bis " + std::to_string(s.Itemcount) +
                   " erst nach einem Neustart.");
      s.Itemcount = s.PufferZeilen();
    }
    e.lbItems = std::to_string(s.Itemcount);

    if (s.Itemcount < 1) {
      OhneItems(s, d);
    } else {
      s.AnzAnalog = 0;
      s.AnzDigital = 0;
      s.ItemListe.clear();
      for (int n = 1; n <= s.Itemcount; ++n) {
        const std::string key = "Item" + std::to_string(n);
        s.Items.at(static_cast<std::size_t>(n)) = ini->LeseText("Items", key, "0");
        const std::string name = ini->LeseText("Itemnames", key, "");
        s.Itemnames.at(static_cast<std::size_t>(n)) = name;
        if (name.empty()) {
          d.meldungen.Info("DDE-Item Nr." + std::to_string(n) + " fehlt !");
          s.KonfigOK = false;
          break;
        }
        s.ItemListe.push_back(name);
        ParameterLesen(s, d, *ini, n);
      }
    }
  } catch (const std::exception& e) {
    // A configuration that could not be read to its end is not valid: parameters after the
    // failing one would run half-loaded (no type, limits 0..0). The log says what to mend.
    d.log.LogAll(std::string("Fehler beim Lesen der .INI-Datei: ") + e.what());
    d.meldungen.Info("Fehler beim Lesen der .INI-Datei !");
    s.KonfigOK = false;
  }
  if (ini && !ini->Speichern()) {
    d.log.LogAll("INI-Datei " + s.IniDatei.filename().string() +
                 " konnte nicht geschrieben werden !");
  }
}

bool ItemsAusPGH(PegelStatus& s, const std::filesystem::path& datei) {
  s.ItemListe.clear();
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
    s.Itemcount = 0;
    return false;
  }
  s.Itemcount = n;
  for (int i = 1; i <= n; ++i) {
    if (!zeile(z)) return false;
    s.Items.at(static_cast<std::size_t>(i)) = z;
    s.ItemDefs.at(static_cast<std::size_t>(i)).Item = Gekuerzt(z, ItemLaenge);
  }
  const int ueberspringen = 1 + 1 + 1 + 2 * n + 1;  // blank, interval, blank, 2N, blank
  for (int i = 0; i < ueberspringen; ++i) {
    if (!zeile(z)) return false;
  }
  for (int i = 1; i <= n; ++i) {
    const auto k = static_cast<std::size_t>(i);
    std::string name, typ, ref, einheit;
    if (!zeile(name) || !zeile(typ) || !zeile(ref) || !zeile(einheit)) return false;
    const auto t = GanzzahlAmAnfang(typ);
    const auto r = GanzzahlAmAnfang(ref);
    if (!t || !r) return false;
    s.Itemnames.at(k) = name;
    ItemDef& def = s.ItemDefs.at(k);
    def.Itemname = Gekuerzt(name, ItemLaenge);
    s.Grafiktyp.at(k) = *t;
    def.Grafiktyp = *t;
    s.GrafikRef.at(k) = *r;
    def.GrafikRef = *r;
    def.Einheit = Gekuerzt(einheit, EinheitLaenge);
    s.ItemListe.push_back(name);
  }
  return true;
}

bool FormateLesen(PegelStatus& s, Dienste& d) {
  try {
    const IniDatei ini(s.IniDatei, true);
    const auto byteWert = [&ini](const char* key, std::int32_t vorgabe) {
      const std::int32_t v = ini.LeseGanz("Formate", key, vorgabe);
      return static_cast<std::uint8_t>(v >= 0 && v <= 255 ? v : vorgabe);
    };
    s.PR = byteWert("PR", 12);
    s.NK = byteWert("NK", 3);
  } catch (...) {
    d.meldungen.Info("Main : Fehler beim Lesen der .INI-Datei !");
    return false;
  }
  return true;
}

void DruckformatLesen(PegelStatus& s) {
  const IniDatei ini(s.IniDatei, true);
  s.Querformat = ini.LeseBool("PegelWart", "Querformat", true);
  s.Druckbreite = ini.LeseGanz("PegelWart", "Druckbreite", 284);
  s.Druckhoehe = ini.LeseGanz("PegelWart", "Druckhoehe", 199);
}

void ErstesZeigen(PegelStatus& s, Dienste& d) {
  Initialisierung(s, d);
  if (FormateLesen(s, d) && s.KonfigOK) PufferEinrichten(s, d);
  DruckformatLesen(s);
  bool gesetzt = false;
  try {
    gesetzt = d.drucker.Ausrichtung(s.Querformat);
  } catch (...) {
    gesetzt = false;
  }
  if (!gesetzt) {
    if (s.AutoStartAktiv) {
      d.log.LogAll("Bitte installieren Sie einen Drucker !");
    } else {
      d.meldungen.Info("Bitte installieren Sie einen Drucker !");
    }
  }
}

}  // namespace pegel
