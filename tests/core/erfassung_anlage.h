// A plant directory with a small parameter table and the polling wired to it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "erfassung.h"
#include "fenster_zustand.h"
#include "hilfen.h"
#include "live_tabelle.h"
#include "puffer.h"
#include "tageswechsel.h"
#include "test_dienste.h"

namespace pegel::test {

class ZaehlBeobachter : public LiveTabelleBeobachter {
 public:
  int meldungen = 0;
  void TabelleGeaendert() override { ++meldungen; }
};

class FensterProtokoll : public FensterBeobachter {
 public:
  std::vector<FensterZustand> zustaende;
  void FensterGeaendert(const FensterZustand& z) override { zustaende.push_back(z); }
};

class DruckProtokoll : public Tageswechsel {
 public:
  std::vector<TDateTime> druckTage;
  bool werfen = false;
  void GruppeDrucken(PegelStatus& s, Dienste&) override {
    druckTage.push_back(s.PrintDate);
    if (werfen) throw std::runtime_error("Drucker weg");
  }
};

// A valid header file with n parameters and a 60 s interval.
inline std::string KopfText(int n) {
  std::string t = std::to_string(n) + "\r\n";
  for (int i = 1; i <= n; ++i) t += "ITEM" + std::to_string(i) + "\r\n";
  t += "-\r\n60000\r\n-\r\n";
  for (int i = 1; i <= 2 * n; ++i) t += "-\r\n";
  t += "-\r\n";
  for (int i = 1; i <= n; ++i) t += "Name" + std::to_string(i) + "\r\n1\r\n0\r\nm\r\n";
  return t;
}

struct Anlage : Umgebung {
  LiveTabelle tabelle;
  Fenster fenster;
  DruckProtokoll druck;
  ZaehlBeobachter beobachter;
  Erfassung erf{s, d, tabelle, fenster, druck};

  explicit Anlage(int items = 3, int puffer = 60) {
    s.Itemcount = items;
    s.Puffer = puffer;
    s.KonfigOK = true;
    s.DDEIntervallMs = 60000;
    s.IntervallStunden = 60 / 3600.0;
    for (int n = 1; n <= items; ++n) {
      s.Grafiktyp[n] = 1;
      s.ItemWerte[n].LoLimit = -1000;
      s.ItemWerte[n].UpLimit = 1000;
    }
    PufferEinrichten(s, d);
    tabelle.SpaltenSetzen(items + 1);
    tabelle.BeobachterSetzen(&beobachter);
    Kopf(items);
  }
  std::string Name() const { return DatumZuDateiname(uhr.jetzt); }
  std::filesystem::path Datei(const std::string& endung) const { return verz / (Name() + endung); }
  std::filesystem::path Lock() const { return verz / LockDateiName; }
  void Kopf(int n) { DateiSchreiben(Datei(".PGH"), KopfText(n)); }
  void Proben(const std::string& zeilen) { DateiSchreiben(Datei(".SMP"), zeilen); }
  // Names of the files in the directory, without the header and the log.
  std::vector<std::string> Dateien() const {
    std::vector<std::string> namen;
    for (const auto& e : std::filesystem::directory_iterator(verz.pfad())) {
      const std::string n = e.path().filename().string();
      if (n != Name() + ".PGH" && n != LogDateiName) namen.push_back(n);
    }
    return namen;
  }
  double Slot(int n, int slot) const { return s.WertPuffer.at(n - 1).at(slot); }
};

}  // namespace pegel::test
