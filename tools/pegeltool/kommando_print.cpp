// pegeltool print DIR YYYYMMDD [--group N] (--pdf FILE | --archive | --printer): the daily
// group print of a stored day by hand, the same pages as the viewer prints at midnight. It
// has no live day sums, so the sum and operating-time texts are left out and nothing is reset.
// It takes no guard and writes nothing but what it is asked to write (no log file, no INI).
#include <QGuiApplication>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cp1252.h"
#include "gruppen_druck.h"
#include "headless_dienste.h"
#include "ini_schluessel.h"
#include "kommandos.h"
#include "konfiguration.h"
#include "qt_drucker.h"
#include "qt_seiten_senke.h"
#include "text_format.h"

namespace pegeltool {

namespace {

struct PrintOptionen {
  int gruppe = 0;
  std::optional<std::string> pdf;
  bool archiv = false;
  bool drucker = false;
};

// "YYYYMMDD" as a day. Throws kommandozeile::Aufruffehler.
pegel::TDateTime TagLesen(const std::string& t) {
  const auto z = t.size() == 8 ? pegel::GanzzahlLesen(t) : std::nullopt;
  const int jahr = z ? static_cast<int>(*z / 10000) : 0;
  const int monat = z ? static_cast<int>(*z / 100 % 100) : 0;
  const int tag = z ? static_cast<int>(*z % 100) : 0;
  if (!z || monat < 1 || monat > 12 || tag < 1 || tag > 31 || jahr < 1900) {
    throw kommandozeile::Aufruffehler("Tag als JJJJMMTT erwartet, nicht '" + t + "'");
  }
  return pegel::DatumKodieren(jahr, monat, tag);
}

int Print(const PrintOptionen& o, const std::vector<std::string>& frei) {
  const std::string verz = Anlagenverzeichnis(frei.at(0));
  const pegel::TDateTime tag = TagLesen(frei.at(1));
  if ((o.pdf ? 1 : 0) + (o.archiv ? 1 : 0) + (o.drucker ? 1 : 0) != 1) {
    throw kommandozeile::Aufruffehler("genau eins von --pdf DATEI, --archive, --printer erwartet");
  }
  // Qt draws the pages; the tool has no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "pegeltool";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);

  HeadlessLauf lauf(verz, true);
  pegel::PegelStatus& s = lauf.s;
  s.Abfrage.PrintDate = tag;
  pegel::DruckformatLesen(s);
  {
    const pegel::IniEinstellungen ini(s.Pfade.IniDatei, true);
    s.Druck.DruckerNr = ini.Lesen(pegel::Schluessel::DDE_Drucker);
    s.Druck.DruckerName = ini.Lesen(pegel::Schluessel::DDE_Druckername);
  }

  std::unique_ptr<pegel::ui::QtDrucker> qtDrucker;
  if (o.drucker) qtDrucker = std::make_unique<pegel::ui::QtDrucker>();
  pegel::PrinterService& dienst =
      qtDrucker ? static_cast<pegel::PrinterService&>(*qtDrucker) : lauf.drucker;
  pegel::Dienste d{lauf.uhr, lauf.meldungen, lauf.ereignisse, lauf.log, dienst};

  pegel::tagesdruck::Druckwahl wahl;
  wahl.drucker = o.drucker;
  wahl.archiv = !o.drucker;
  wahl.aktMax = false;
  wahl.nurGruppe = o.gruppe;
  std::unique_ptr<pegel::ui::PdfSeitenSenke> pdf;
  std::unique_ptr<pegel::ui::DruckerSeitenSenke> druckerSeiten;
  if (o.pdf) {
    pdf = std::make_unique<pegel::ui::PdfSeitenSenke>(std::filesystem::u8path(*o.pdf));
  } else if (o.archiv) {
    pdf = std::make_unique<pegel::ui::PdfSeitenSenke>();
  } else {
    druckerSeiten = std::make_unique<pegel::ui::DruckerSeitenSenke>(qtDrucker->Drucker());
  }
  const int seiten =
      pegel::tagesdruck::Gruppendruck(s, d, druckerSeiten.get(), pdf.get(), wahl).GruppeDrucken();
  bool ok = seiten > 0;
  if (o.pdf) ok = pdf->Fertig() && ok;
  for (const auto& m : lauf.senke.meldungen) std::cout << "Log: " << pegel::Cp1252ZuUtf8(m) << "\n";
  std::cout << seiten << (seiten == 1 ? " Seite" : " Seiten") << "\n";
  return ok ? ExitOk : ExitDaten;
}

}  // namespace

Kommando KommandoPrint() {
  auto o = std::make_shared<PrintOptionen>();
  using W = const std::string&;
  return {
      "print",
      {"VERZ", "JJJJMMTT"},
      "der Tagesdruck eines gespeicherten Tages von Hand: die Seiten der markierten Gruppen",
      "0 mindestens eine Seite ausgegeben, 1 keine (Grund im Log), 2 Aufruffehler",
      {{"--group", "N", "nur die Gruppe N der Gruppendatei (ab 1 gezählt), markiert oder nicht",
        [o](W w) { o->gruppe = static_cast<int>(kommandozeile::Ganzzahl("--group", w, 1, 20)); }},
       {"--pdf", "DATEI", "alle Seiten in eine PDF-Datei, eine Seite je Gruppe",
        [o](W w) { o->pdf = w; }},
       {"--archive", "", "die Seiten in das Druckarchiv der Anlage schreiben",
        [o](W) { o->archiv = true; }},
       {"--printer", "", "die Seiten auf den gespeicherten Drucker ausgeben",
        [o](W) { o->drucker = true; }}},
      [o](const std::vector<std::string>& frei) { return Print(*o, frei); }};
}

}  // namespace pegeltool
