// Where a printed page goes: a print job on the printer, or a file of the print archive.
// The daily print draws each page once and hands it to every destination it has.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "canvas.h"

namespace pegel::tagesdruck {

// One page of one group.
struct Seitenauftrag {
  std::string gruppe;           // the group's name, Windows-1252 (the job's title)
  std::int32_t breiteMm = 284;  // the page as laid out
  std::int32_t hoeheMm = 199;
  bool quer = true;             // the job's orientation
  std::filesystem::path datei;  // the archive's file of this page
};

class SeitenSenke {
 public:
  virtual ~SeitenSenke() = default;
  // Begins the job of one page and gives the canvas to draw it on, in 0.1 mm with y up; the
  // canvas lives until Beenden or Abbrechen. nullptr when no job can begin (nothing to end).
  virtual chart::Canvas* Beginnen(const Seitenauftrag& auftrag) = 0;
  // Ends the job begun: the page goes to the print system or into its file. False when that
  // failed (the job is gone either way).
  virtual bool Beenden() = 0;
  // Drops the job begun; nothing reaches the printer or stays as a file.
  virtual void Abbrechen() = 0;
};

}  // namespace pegel::tagesdruck
