#include "historie_laden.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "cp1252.h"
#include "datei_liste.h"
#include "meldungstexte.h"
#include "tagesdateien.h"
#include "text_format.h"

namespace pegel {

namespace {

// Keeps the first `n` rows of `grid`. The rows lie in order in one buffer, so the first
// `n` of them are the bytes up to the start of row n; they are split again (only after a
// read that stopped early).
void ZeilenBehalten(gitter& grid, std::size_t n) {
  if (n >= grid.Zeilen()) return;
  if (n == 0) {
    grid.Freigeben();
    return;
  }
  const char* const anfang = grid.Zelle(0, 0).data();
  const auto laenge = static_cast<std::size_t>(grid.Zelle(n, 0).data() - anfang);
  if (grid.Aufteilen(std::string_view(anfang, laenge)) != gitter::Ergebnis::Ok) grid.Freigeben();
}

struct Wahl {
  std::filesystem::path name;
  std::optional<std::filesystem::path> ersatz;  // the fallback entry for the header
  HistorienTag tag;
};

// The data file and the fallback entry. Throws std::out_of_range without a file to load.
Wahl DateiWaehlen(const LadeAuftrag& a) {
  Wahl w;
  if (a.Vorauswahl && !a.Vorauswahl->empty()) {
    w.name = *a.Vorauswahl;
    if (!a.eintraege.empty()) w.ersatz = a.eintraege.front();
    // The file's own name, also when the header comes from another day.
    w.tag = TagAusDateiname(NamensText(w.name.filename()));
  } else {
    if (!a.gewaehlt) throw std::out_of_range("no entry selected");
    w.name = a.eintraege.at(*a.gewaehlt);
    w.ersatz = a.eintraege.back();
    w.tag = TagAusEintrag(NamensText(w.name));
  }
  return w;
}

std::string Zeilenhinweis(std::size_t zeile) { return " (Zeile " + GanzText(zeile + 1) + ")"; }

}  // namespace

std::string PghFehltText() {
  return text::PghUngueltig.Ansi() + "\r\n" + Ansi("Bitte wählen Sie nochmals einen anderen Tag.") +
         "\r\n" + Ansi("PGH-Datei befindet sich evtl. in anderem Verzeichnis.");
}

HistorienLadung HistorienTagLaden(const LadeAuftrag& a) {
  HistorienLadung e;
  e.abschnitte.cbIntervalle = {"Gesamtzeit"};

  // File names, header, gap threshold.
  try {
    Wahl w = DateiWaehlen(a);
    e.datei = a.Suchverzeichnis / w.name;
    e.tag = std::move(w.tag);
    e.GrafikTag = e.tag.Tag.value_or(a.jetzt);
    if (!e.tag.Tag) e.meldungen.push_back(UngueltigesDatumText());

    std::filesystem::path pgh = PghFuerDat(e.datei);
    std::optional<HistorienKopf> kopf = HistorienKopfLesen(pgh);
    e.kopfQuelle = KopfQuelle::Eigener;
    if (!kopf && w.ersatz && *w.ersatz != w.name) {
      pgh = PghFuerDat(a.Suchverzeichnis / *w.ersatz);
      kopf = HistorienKopfLesen(pgh);
      e.kopfQuelle = KopfQuelle::Ersatz;
    }
    if (kopf) {
      e.kopfDatei = std::move(pgh);
      e.HistKopf = std::move(kopf->kopf);
      e.lbPars = std::move(kopf->lbPars);
      e.Messintervall = kopf->Messintervall;
    } else {
      e.kopfQuelle = KopfQuelle::Keiner;
      e.meldungen.push_back(PghFehltText());
      e.Messintervall = a.DDEIntervallMs;
      IntervallAnzeigeSetzen(e.HistKopf, e.Messintervall);
    }
    e.Zeitluecke = Zeitluecke(e.Messintervall);
  } catch (...) {
    // No file to load (no selection), or no memory for the names.
    e.log.push_back("History : Fehler 1");
    return e;
  }

  // Both passes.
  using F = DatenLesung::Fehler;
  const DatenLesung l = DatenLesen(e.datei, e.DatenGitter, Teillesung::Behalten);
  e.gezaehlt = l.gezaehlt;
  std::optional<std::size_t> abbruch;
  switch (l.fehler) {
    case F::Keiner:
      break;
    case F::Zaehlen:
      e.log.push_back("History : Fehler 2");
      return e;
    case F::Freigeben:
      e.log.push_back("History : Fehler 3");
      return e;
    case F::Reservieren:
      e.log.push_back("History : Fehler 4");
      return e;
    case F::Oeffnen:
      e.log.push_back(Ansi("History : Datei konnte nicht geöffnet werden !"));
      return e;
    case F::Lesen:
      e.log.push_back("History : Fehler beim Lesen (1)");
      return e;
    case F::ZuVieleFelder:
      abbruch = l.fehlerZeile;
      break;
  }
  if (l.gezaehlt < 1) {
    e.meldungen.push_back("Noch keine aktuellen Messwerte vorhanden.");
    return e;
  }

  // The stretches; the first time that does not convert ends the rows, like a bad line.
  try {
    e.abschnitte = AbschnitteFinden(e.DatenGitter, e.Messintervall);
    if (e.abschnitte.zeitFehler) abbruch = *e.abschnitte.zeitFehler;
    ZeilenBehalten(e.DatenGitter, e.abschnitte.zeilen);
  } catch (...) {
    // No memory for the stretch texts or the shortened grid: nothing usable was loaded.
    e.abschnitte = Abschnitte{};
    e.abschnitte.cbIntervalle = {"Gesamtzeit"};
    e.DatenGitter.Freigeben();
    e.log.push_back("History : Fehler 6");
    return e;
  }
  if (abbruch) {
    e.abbruchZeile = abbruch;
    e.log.push_back("History : Fehler 5" + Zeilenhinweis(*abbruch));
  }
  const std::size_t zeilen = e.DatenGitter.Zeilen();
  e.Zeilenzahl = static_cast<std::int32_t>(zeilen);
  if (zeilen == 0) {
    e.abschnitte = Abschnitte{};
    e.abschnitte.cbIntervalle = {"Gesamtzeit"};
    return e;
  }

  // Times of the file's span and the column check.
  try {
    e.lbZeit1 = std::string(e.DatenGitter.Zelle(0, 1));
    e.lbZeit2 = std::string(e.DatenGitter.Zelle(zeilen - 1, 1));
    e.Spaltenzahl = static_cast<std::int32_t>(e.DatenGitter.Felder(zeilen - 1)) - 2;
    if (e.Spaltenzahl != e.HistKopf.Itemcount) {
      e.meldungen.push_back(text::Spaltenzahl(e.HistKopf.Itemcount, e.Spaltenzahl));
    }
    e.HistKopf.Itemcount = e.Spaltenzahl;
  } catch (...) {
    e.log.push_back("History : Fehler 6");
  }
  return e;
}

}  // namespace pegel
