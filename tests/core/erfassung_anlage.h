// A plant directory with a small parameter table and the polling wired to it.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "anlage_dateien.h"
#include "erfassung.h"
#include "hilfen.h"
#include "puffer.h"
#include "test_dienste.h"

namespace pegel::test {

struct Zaehler : LiveTabelleBeobachter {
  int meldungen = 0;
  void TabelleGeaendert() override { ++meldungen; }
};

struct DruckProtokoll : Tageswechsel {
  std::vector<TDateTime> druckTage;
  bool werfen = false;
  void GruppeDrucken(PegelStatus& s, Dienste&) override {
    druckTage.push_back(s.Abfrage.PrintDate);
    if (werfen) throw std::runtime_error("Drucker weg");
  }
};

struct Anlage : Umgebung {
  LiveTabelle tabelle;
  Zaehler zaehler;
  Fenster fenster;
  DruckProtokoll druck;
  Erfassung erf{s, d, tabelle, fenster, druck};

  explicit Anlage(int items = 3, int puffer = 60) {
    test::ItemcountSetzen(s, items);
    s.Anzeige.Puffer = puffer;
    s.KonfigOK = true;
    s.Abfrage.IntervallStunden = 60 / 3600.0;
    for (int n = 1; n <= items; ++n) {
      test::Par(s, n).Typ = Grafiktyp::Analog;
      test::Par(s, n).LoLimit = -1000;
      test::Par(s, n).UpLimit = 1000;
    }
    PufferEinrichten(s, d);
    tabelle.SpaltenSetzen(items + 1);
    tabelle.BeobachterSetzen(&zaehler);
    Kopf(items);
  }
  std::string Name() const { return DatumZuDateiname(uhr.jetzt); }
  std::filesystem::path Datei(const std::string& endung) const { return verz / (Name() + endung); }
  std::filesystem::path Lock() const { return verz / LockDateiName; }
  void Kopf(int n) {  // a valid header with n analog parameters
    const std::vector<std::array<std::string, 4>> par(n, {"P", "1", "0", "m"});
    DateiSchreiben(Datei(".PGH"), test::Kopf(std::to_string(n), "60000", par));
  }
  void Proben(const std::string& zeilen) { DateiSchreiben(Datei(".SMP"), zeilen); }
  // Files left in the directory besides the header, the day file and the log.
  std::vector<std::string> Rest() const {
    std::vector<std::string> namen;
    for (const auto& e : std::filesystem::directory_iterator(verz.pfad())) {
      const auto x = e.path().extension();
      if (x != ".PGH" && x != ".DAT" && x != ".TXT") namen.push_back(e.path().filename());
    }
    return namen;
  }
  double Slot(int n, int slot) const { return s.Ring.Zeile(n).at(slot); }
};

}  // namespace pegel::test
