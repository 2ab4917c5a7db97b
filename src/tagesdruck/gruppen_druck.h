// The daily group print: one page for every group marked for printing, from the stored day
// of PrintDate, to the printer and into the print archive. Standard C++: the pages go to the
// destinations handed in (seiten_senke.h), the platform's printer is chosen through the
// printer service.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dienste.h"
#include "gitter.h"
#include "schriften.h"
#include "seite.h"
#include "seiten_senke.h"
#include "state.h"
#include "tageswechsel.h"

namespace pegel::tagesdruck {

// What one run of the print does besides drawing the pages.
struct Druckwahl {
  bool drucker = true;  // to the stored printer
  bool archiv = true;   // into the archive (or the file destination handed in)
  std::string zusatz;   // appended to the archive's file names ("_test")
  // The live viewer's day sums: printed while above 0 and then set to -1. The tool has no
  // live sums and leaves them alone.
  bool aktMax = true;
  // 0: every marked group. N: only record N of the group file (1-based), marked or not.
  int nurGruppe = 0;
};

// One run of GruppeDrucken. `drucker` and `archiv` may be null (no such destination); they,
// the state and the services must outlive the run.
class Gruppendruck {
 public:
  Gruppendruck(PegelStatus& s, Dienste& d, SeitenSenke* drucker, SeitenSenke* archiv,
               Druckwahl wahl);

  // Prints every marked group from the day files of s.Abfrage.PrintDate, each as a job of one
  // page, in file order. Every problem goes to the log; the run goes on with the next group
  // where it can. Returns the number of pages that reached at least one destination. Never
  // throws beyond std::bad_alloc.
  int GruppeDrucken();

  // The steps, for the tests.
  // The group file, the day's header and its rows (into DruckGitter). Returns the number of
  // rows; 0 when nothing is to be printed (logged).
  std::int32_t TagLesen();
  // Fonts and busy flag reset; the printer looked up by name; the six page fonts. False
  // (logged "Ausdruck nicht möglich !") when there is neither a usable printer nor an archive.
  bool DruckVorbereiten();
  // The page of group `g` (1-based record of the file) over `zeilen` rows. False when the
  // group is not printed (0 or more than 9 members, a member that is not analog or digital,
  // no member within the day's columns).
  bool GruppeVorbereiten(int g, std::int32_t zeilen);
  // One job of one page to every destination; does nothing while Druckbusy is set. Every job
  // begun is ended or aborted, and Druckbusy is clear afterwards.
  void SeiteDrucken();
  // Deletes the page fonts and releases the page.
  void DruckAufraeumen();
  bool DruckFontErzeugen(int n, int flags, int hoehe);
  void DruckFontLoeschen(int n);

  const chart::ChartSeite& Seite() const { return seite_; }
  bool Druckbusy() const { return druckbusy_; }
  bool DruckerBereit() const { return druckerBereit_; }

 private:
  bool GruppenLesen();
  // Whether record g (0-based) is printed in this run.
  bool Gewaehlt(std::size_t g) const;
  void AktMaxZuruecksetzen();

  PegelStatus& s_;
  Dienste& d_;
  SeitenSenke* drucker_;
  SeitenSenke* archiv_;
  Druckwahl wahl_;

  std::vector<TGruppe> gruppen_;
  Kopfdaten kopf_;
  std::int32_t messintervall_ = 0;
  std::int32_t spalten_ = 0;
  std::int32_t textrand_ = 0;  // [PegelWart] Textrand, as the live page indents its headers
  gitter DruckGitter;
  chart::SchriftTabelle schriften_;
  chart::ChartSeite seite_;
  std::vector<int> parameter_;  // the page's parameter per chart, 0-based
  std::string gruppe_;
  bool druckbusy_ = false;
  bool druckerBereit_ = false;
  int gedruckt_ = 0;
};

// The day-change seam filled: the viewer's polling and its menu "Druck Mitternacht" print
// through this. The destinations are not owned and must outlive it; either may be null.
class Tagesdruck : public Tageswechsel {
 public:
  Tagesdruck(SeitenSenke* drucker, SeitenSenke* archiv) : drucker_(drucker), archiv_(archiv) {}
  // The marked groups of s.Abfrage.PrintDate; the archive as [PegelWart] Druckarchiv says,
  // with "_test" while TestdruckSetzen(true).
  void GruppeDrucken(PegelStatus& s, Dienste& d) override;
  void TestdruckSetzen(bool test) { test_ = test; }

 private:
  SeitenSenke* drucker_;
  SeitenSenke* archiv_;
  bool test_ = false;
};

}  // namespace pegel::tagesdruck
