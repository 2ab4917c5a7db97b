// The run of the collector stand-in: the INI file when absent, back-filled past days, then
// one sample after the other in real or simulated time, crossing midnight like the collector.
#pragma once

#include <atomic>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "anlage.h"
#include "modell.h"
#include "optionen.h"
#include "zahltexte.h"

namespace pegelsim {

class Simulator {
 public:
  // `halt` is polled between samples; setting it ends the run after the current sample.
  Simulator(const Optionen& o, std::ostream& aus, const std::atomic<bool>& halt);

  // Runs to the end; returns the number of live samples written. Throws std::runtime_error
  // (or std::filesystem::filesystem_error) when a file cannot be written.
  std::int64_t Laufen();

 private:
  static constexpr std::int64_t MsProTag = 86400000;

  void IniVorbereiten();
  void TagNachtragen(std::int64_t tag);
  void PghSchreiben(std::int64_t tag);
  void ZeileAnhaengen(std::string& aus, std::int64_t ms, const std::string& datum,
                      const std::vector<double>& werte);
  static pegel::TDateTime Zeitpunkt(std::int64_t ms) {
    return static_cast<double>(ms) / static_cast<double>(MsProTag);
  }

  Optionen o_;
  std::ostream& aus_;
  const std::atomic<bool>& halt_;
  std::vector<Parameter> par_;
  std::unique_ptr<Modell> modell_;
  ZahlTexte texte_;
};

}  // namespace pegelsim
