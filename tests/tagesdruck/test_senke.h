// A page destination for the tests that records every page on a recording canvas.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "aufzeichnung.h"
#include "seiten_senke.h"

namespace pegel::tagesdruck {

using chart::test::AufzeichnendeCanvas;

// A destination that records its pages; Beginnen or Beenden fail on request.
class TestSenke : public SeitenSenke {
 public:
  struct Seite {
    Seitenauftrag auftrag;
    AufzeichnendeCanvas canvas;
    bool beendet = false;
    bool abgebrochen = false;
  };
  std::deque<Seite> seiten;  // stable while a page is drawn
  bool beginnenScheitert = false;
  bool beendenScheitert = false;
  bool offen = false;

  chart::Canvas* Beginnen(const Seitenauftrag& a) override {
    if (beginnenScheitert) return nullptr;
    EXPECT_FALSE(offen) << "a job begun while another is open";
    offen = true;
    seiten.push_back({a, {}, false, false});
    return &seiten.back().canvas;
  }
  bool Beenden() override {
    offen = false;
    seiten.back().beendet = true;
    return !beendenScheitert;
  }
  void Abbrechen() override {
    offen = false;
    seiten.back().abgebrochen = true;
  }
  std::vector<std::string> Gruppen() const {
    std::vector<std::string> g;
    for (const auto& s : seiten) g.push_back(s.auftrag.gruppe);
    return g;
  }
};

}  // namespace pegel::tagesdruck
