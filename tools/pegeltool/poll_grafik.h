// The live chart page of a headless viewer run, as a PDF or PNG file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "dienste.h"
#include "live_tabelle.h"
#include "state.h"

namespace pegeltool {

struct GrafikAuftrag {
  std::vector<int> parameter;  // numbers 1..Itemcount, as the operator would select them
  std::filesystem::path datei;
  bool pdf = false;
  int dpi = 150;
};

// "1,3,5" as parameter numbers; empty on a malformed list.
std::optional<std::vector<int>> ParameterListe(const std::string& text);

// Sets up the charts as the live table hands them over (rolling buffer, no fixed window)
// and writes the page of Druckbreite x Druckhoehe mm. False when the hand-over refused
// (its message is then among the shown ones) or the file could not be written.
bool GrafikSchreiben(pegel::PegelStatus& s, pegel::Dienste& d, pegel::LiveTabelle& tabelle,
                     const GrafikAuftrag& auftrag);

}  // namespace pegeltool
