#include "gruppen_druck.h"

#include <cmath>
#include <fstream>
#include <set>

#include "am_ende.h"
#include "cp1252.h"
#include "druck_archiv.h"
#include "drucker_wahl.h"
#include "gruppen_datei.h"
#include "ini_schluessel.h"
#include "meldungstext.h"
#include "seite_zeichnen.h"
#include "stille_dienste.h"
#include "tagesdateien.h"
#include "text_format.h"
#include "verteiler_canvas.h"
#include "zeitachse.h"

namespace pegel::tagesdruck {

namespace fs = std::filesystem;

namespace {

constexpr Meldungstext KeineGruppendatei{"GruppeDrucken: Keine Gruppendatei vorhanden !"};
constexpr Meldungstext KeineGruppe{"Keine Gruppe zum Ausdrucken markiert !"};
constexpr Meldungstext KeinKopf{
    "GruppeDrucken: PGH-Datei für gestrige Daten nicht gefunden oder ungültig !"};
constexpr Meldungstext NichtMoeglich{"Ausdruck nicht möglich !"};
constexpr Meldungstext SpeicherInit{"Druck : Fehler bei Grafikspeicher-Init."};
constexpr Meldungstext WerteFalsch{"Druck : Anzahl der Werte ist falsch !"};

// A path for the log, in Windows-1252.
std::string PfadText(const fs::path& p) {
  const std::u8string u = p.u8string();
  return Ansi(std::string_view(reinterpret_cast<const char*>(u.data()), u.size()));
}

// A cell of the day file: empty is a missing value (the row ends early), a text that is no
// number counts 0.
double Zellwert(std::string_view zelle) {
  if (zelle.empty()) return NoValue;
  double v = 0;
  if (KurzeZahlLesen(zelle, v)) return v;
  return ZahlLesen(zelle).value_or(0.0);
}

}  // namespace

Gruppendruck::Gruppendruck(PegelStatus& s, Dienste& d, SeitenSenke* drucker, SeitenSenke* archiv,
                           Druckwahl wahl)
    : s_(s), d_(d), drucker_(drucker), archiv_(archiv), wahl_(std::move(wahl)), schriften_(d.log) {
  schriften_.AusgabeNameSetzen("Druck_New_TextAusgabe");
}

bool Gruppendruck::GruppenLesen() {
  gruppen_.clear();
  std::error_code ec;
  const auto groesse = fs::file_size(s_.Pfade.GruppenDatei, ec);
  if (ec) return false;
  const std::size_t laenge = groesse % GruppenSatzLaenge == 0      ? GruppenSatzLaenge
                             : groesse % GruppenSatzLaengeAlt == 0 ? GruppenSatzLaengeAlt
                                                                   : 0;
  if (laenge == 0) return true;
  std::ifstream f(s_.Pfade.GruppenDatei, std::ios::binary);
  std::vector<std::uint8_t> satz(laenge);
  for (std::uintmax_t i = 0; i < groesse / laenge && i < static_cast<std::uintmax_t>(MaxGruppen);
       ++i) {
    if (!f.read(reinterpret_cast<char*>(satz.data()), static_cast<std::streamsize>(laenge))) break;
    gruppen_.push_back(GruppeDekodieren(satz.data(), laenge));
  }
  return true;
}

bool Gruppendruck::Gewaehlt(std::size_t g) const {
  if (wahl_.nurGruppe > 0) return g + 1 == static_cast<std::size_t>(wahl_.nurGruppe);
  return gruppen_.at(g).Drucken && !gruppen_.at(g).Name.empty();
}

std::int32_t Gruppendruck::TagLesen() {
  if (!GruppenLesen()) d_.log.LogAll(KeineGruppendatei);
  // A marked group is remembered by its name: a marked group without one is not printed.
  int markiert = 0;
  for (std::size_t g = 0; g < gruppen_.size(); ++g) markiert += Gewaehlt(g) ? 1 : 0;
  if (markiert == 0) {
    d_.log.LogAll(KeineGruppe);
    return 0;
  }
  textrand_ = IniEinstellungen(s_.Pfade.IniDatei, true).Lesen(Schluessel::PegelWart_Textrand);
  const TDateTime tag = s_.Abfrage.PrintDate;
  if (!KopfLesen(PghDatei(s_.Pfade.ProgDir, tag), kopf_, messintervall_)) {
    d_.log.LogAll(KeinKopf);
    return 0;
  }
  // The reader records the day's columns in the shared day state, which belongs to the day
  // shown in the windows, not to the printed one.
  const std::int32_t spalten = s_.Tage.Spaltenzahl;
  const std::int32_t anzahl = s_.Tage.TagKopf.Itemcount;
  s_.Tage.TagKopf.Itemcount = kopf_.Itemcount;  // the reader compares the columns with it
  const std::int32_t zeilen = ReadDataF(s_, d_.log, DatDatei(s_.Pfade.ProgDir, tag), DruckGitter);
  spalten_ = s_.Tage.Spaltenzahl;
  s_.Tage.Spaltenzahl = spalten;
  s_.Tage.TagKopf.Itemcount = anzahl;
  return zeilen;
}

int Gruppendruck::GruppeDrucken() {
  gedruckt_ = 0;
  const std::int32_t zeilen = TagLesen();
  if (zeilen < 1) return 0;
  AmEnde aufraeumen([this] { DruckAufraeumen(); });
  if (!DruckVorbereiten()) return 0;
  for (std::size_t g = 0; g < gruppen_.size(); ++g) {
    if (!Gewaehlt(g)) continue;
    if (GruppeVorbereiten(static_cast<int>(g + 1), zeilen)) SeiteDrucken();
  }
  return gedruckt_;
}

bool Gruppendruck::DruckVorbereiten() {
  schriften_.AlleLoeschen();
  druckbusy_ = false;
  druckerBereit_ = false;
  if (wahl_.drucker && drucker_ != nullptr) {
    // The printer is found by its name before every print: the list may have changed since
    // it was chosen. The print never asks anything: at midnight nobody would answer.
    const std::vector<std::string> liste = d_.drucker.Druckerliste();
    const DruckerWahl w = DruckerSuchen(s_.Druck.DruckerNr, s_.Druck.DruckerName, liste);
    if (!w.meldung.empty()) d_.log.LogAll(w.meldung);
    druckerBereit_ = w.Erlaubt() && d_.drucker.Setzen(w.position) && d_.drucker.Verfuegbar();
  }
  if (wahl_.drucker && !druckerBereit_) d_.log.LogAll(NichtMoeglich);
  if (!druckerBereit_ && !(wahl_.archiv && archiv_ != nullptr)) return false;
  constexpr int flags[] = {0, 9, 0, 9, 0, 9};
  constexpr int hoehen[] = {36, 36, 40, 40, 44, 44};
  for (int n = 1; n <= chart::SchriftenInGebrauch; ++n) {
    DruckFontErzeugen(n, flags[n - 1], hoehen[n - 1]);
  }
  return true;
}

bool Gruppendruck::GruppeVorbereiten(int g, std::int32_t zeilen) {
  seite_ = chart::ChartSeite{};
  parameter_.clear();
  try {
    const TGruppe& gruppe = gruppen_.at(static_cast<std::size_t>(g - 1));
    gruppe_ = gruppe.Name;
    if (gruppe.Mitgliederzahl < 1 || gruppe.Mitgliederzahl > chart::MaxGrafiken) return false;
    const std::vector<std::int32_t> mitglieder = GruppenMitglieder(gruppe);
    const std::set<std::int32_t> gewaehlt(mitglieder.begin(), mitglieder.end());
    // Members beyond the day's columns have no values: left out, said once.
    const std::int32_t vorhanden = std::min({kopf_.Itemcount, spalten_, MaxItems});
    std::string ausgelassen;
    for (const std::int32_t p : gewaehlt) {
      if (p > vorhanden) {
        ausgelassen += (ausgelassen.empty() ? "" : ", ") + std::to_string(p);
      } else {
        parameter_.push_back(p);
      }
    }
    if (!ausgelassen.empty()) {
      d_.log.LogAll("Druck : Gruppe " + gruppe.Name + ": Parameter " + ausgelassen +
                    " nicht in den Tagesdaten, ausgelassen");
    }
    if (parameter_.empty()) return false;
    if (static_cast<int>(parameter_.size()) > chart::MaxGrafiken) {
      d_.log.LogAll(WerteFalsch);
      return false;
    }
    const chart::Markenteilung marken = chart::DruckMarken(zeilen);
    seite_.Seitenbreite = s_.Druck.Druckbreite;
    seite_.Seitenhoehe = s_.Druck.Druckhoehe;
    seite_.Anzahl = static_cast<std::int32_t>(parameter_.size());
    seite_.IntervallZahl = kopf_.IntervallZahl;
    seite_.IntervallEinheit = kopf_.IntervallEinheit;
    seite_.Messintervall = messintervall_;
    seite_.Tag = s_.Abfrage.PrintDate;
    seite_.PunkteProLabel = marken.abstand;
    seite_.Textrand = textrand_;
    const auto n = static_cast<std::size_t>(zeilen);
    for (std::size_t k = 0; k < parameter_.size(); ++k) {
      const int p = parameter_[k];
      const auto i = k + 1;
      const auto& kp = kopf_.Par.at(static_cast<std::size_t>(p));
      if (kp.Typ != Grafiktyp::Analog && kp.Typ != Grafiktyp::Digital) {
        d_.log.LogAll(WerteFalsch);
        return false;
      }
      seite_.Streifen.at(i).Typ = kp.Typ;
      seite_.Streifen.at(i).Skalierung = kp.GrafikRef;
      chart::ChartAnzeige& a = seite_.Anzeige.at(i);
      a.Name = kp.Name;
      a.Einheit = kp.Einheit;
      a.Kurvenfarbe = chart::Schwarz;
      a.GrafikSumTeiler = s_.Par().at(p).GrafikSumTeiler;
      a.GrafikSumEinheit = s_.Par().at(p).GrafikSumEinheit;
      a.AktMax = wahl_.aktMax ? s_.Sammler.AktMax.at(static_cast<std::size_t>(p)) : -1.0;
      seite_.Grafikspeicher.at(i).resize(n);
    }
    // Row by row: the fields of a line are found once for all its members.
    for (std::size_t r = 0; r < n; ++r) {
      const gitter::ZeilenSicht zeile = DruckGitter.Sicht(r);
      for (std::size_t k = 0; k < parameter_.size(); ++k) {
        seite_.Grafikspeicher[k + 1][r] =
            Zellwert(zeile.Feld(static_cast<std::size_t>(parameter_[k]) + 1));
      }
    }
    // One label per MarkenAbstand rows, at most one per row.
    int l = 0;
    for (std::size_t r = 0; r < n && l < marken.anzahl; ++r) {
      if (std::trunc(l * marken.abstand) <= static_cast<double>(r)) {
        seite_.Zeitlabels.emplace_back(DruckGitter.Zelle(r, 1));
        ++l;
      }
    }
    return true;
  } catch (const std::bad_alloc&) {
    d_.log.LogAll(SpeicherInit);
  } catch (const std::exception& e) {
    d_.log.LogAll(SpeicherInit);
    d_.log.LogFehler(e.what());
  }
  seite_ = chart::ChartSeite{};
  return false;
}

void Gruppendruck::SeiteDrucken() {
  if (druckbusy_) return;
  druckbusy_ = true;
  AmEnde frei([this] { druckbusy_ = false; });

  Seitenauftrag auftrag;
  auftrag.gruppe = gruppe_;
  auftrag.breiteMm = seite_.Seitenbreite;
  auftrag.hoeheMm = seite_.Seitenhoehe;
  auftrag.quer = s_.Druck.Querformat;
  auftrag.datei = ArchivDatei(s_.Pfade.ProgDir, s_.Abfrage.PrintDate, gruppe_, wahl_.zusatz);

  // Every destination whose job has begun; each is ended or aborted below, however the
  // drawing ends.
  std::vector<SeitenSenke*> offen;
  std::vector<chart::Canvas*> flaechen;
  AmEnde abbrechen([&offen] {
    for (auto* senke : offen) senke->Abbrechen();
  });
  if (druckerBereit_) {
    if (chart::Canvas* c = drucker_->Beginnen(auftrag)) {
      offen.push_back(drucker_);
      flaechen.push_back(c);
    } else {
      d_.log.LogAll(NichtMoeglich);
    }
  }
  bool archiv = false;
  if (wahl_.archiv && archiv_ != nullptr) {
    if (chart::Canvas* c = archiv_->Beginnen(auftrag)) {
      offen.push_back(archiv_);
      flaechen.push_back(c);
      archiv = true;
    } else {
      d_.log.LogAll("Druckarchiv : " + PfadText(auftrag.datei) + " kann nicht geschrieben werden");
    }
  }
  if (flaechen.empty()) {
    AktMaxZuruecksetzen();
    return;
  }

  bool gezeichnet = false;
  try {
    VerteilerCanvas c(flaechen);
    NoEvents keine;  // inside the polling pass: no events are served while a page is drawn
    chart::SeitenUmfeld umfeld{d_.log, keine, d_.uhr, nullptr, {}};
    // A page that could not be laid out is not handed on: its jobs are aborted below.
    gezeichnet = chart::SeiteZeichnen(seite_, chart::DruckStil(), c, schriften_, umfeld,
                                      chart::Ziel::Drucker, chart::Seitenart::Voll);
  } catch (const std::exception& e) {
    d_.log.LogAll("Druck : Seite " + gruppe_ + " abgebrochen");
    d_.log.LogFehler(e.what());
  }
  AktMaxZuruecksetzen();
  if (!gezeichnet) return;  // the guard aborts every job begun

  const std::vector<SeitenSenke*> fertig = std::move(offen);
  offen.clear();
  bool erreicht = false;
  for (auto* senke : fertig) {
    const bool ok = senke->Beenden();
    erreicht = erreicht || ok;
    if (senke == archiv_ && archiv) {
      if (!ok) {
        d_.log.LogAll("Druckarchiv : " + PfadText(auftrag.datei) +
                      " kann nicht geschrieben werden");
      } else if (!druckerBereit_ && wahl_.drucker) {
        d_.log.LogAll(NichtMoeglich.Ansi() + " Seite abgelegt in " + PfadText(auftrag.datei));
      }
    } else if (!ok) {
      d_.log.LogAll(NichtMoeglich);
    }
  }
  if (erreicht) ++gedruckt_;
}

void Gruppendruck::AktMaxZuruecksetzen() {
  // A sum is printed once: a second group with the same parameter shows none.
  if (!wahl_.aktMax) return;
  for (std::size_t k = 0; k < parameter_.size(); ++k) {
    double& m = s_.Sammler.AktMax.at(static_cast<std::size_t>(parameter_[k]));
    if (m > 0) m = AktMaxStart;
  }
}

void Gruppendruck::DruckAufraeumen() {
  for (int n = 1; n <= chart::SchriftenInGebrauch; ++n) DruckFontLoeschen(n);
  seite_ = chart::ChartSeite{};
  parameter_.clear();
  DruckGitter.Freigeben();
}

bool Gruppendruck::DruckFontErzeugen(int n, int flags, int hoehe) {
  return schriften_.CreateMyScreenFont(n, flags, hoehe);
}

void Gruppendruck::DruckFontLoeschen(int n) { schriften_.DeleteMyScreenFont(n); }

void Tagesdruck::GruppeDrucken(PegelStatus& s, Dienste& d) {
  Druckwahl wahl;
  wahl.archiv = ArchivEingeschaltet(s);
  if (test_) wahl.zusatz = "_test";
  Gruppendruck(s, d, drucker_, archiv_, wahl).GruppeDrucken();
}

}  // namespace pegel::tagesdruck
