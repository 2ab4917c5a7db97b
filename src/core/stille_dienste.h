// Services for running core operations without a display (tools, benchmarks): messages
// that are recorded and answered No (prompts and file dialogs cancelled), no pending
// events, no printer, and a log sink that keeps the messages without their stamps.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "services.h"

namespace pegel {

class HeadlessMessages : public Messages {
 public:
  std::vector<std::string> gezeigt;
  void Info(const std::string& t) override { gezeigt.push_back(t); }
  void Fehler(const std::string& t) override { gezeigt.push_back(t); }
  void Warnung(const std::string& t) override { gezeigt.push_back(t); }
  bool Frage(const std::string& t) override {
    gezeigt.push_back(t);
    return false;
  }
  std::optional<std::string> TextEingabe(const std::string& titel, const std::string& prompt,
                                         const std::string&) override {
    gezeigt.push_back(titel + ": " + prompt);
    return std::nullopt;
  }
  std::optional<std::filesystem::path> DateiOeffnen(const std::filesystem::path&,
                                                    const std::string&) override {
    return std::nullopt;
  }
};

class NoEvents : public PendingEvents {
 public:
  void Verarbeiten() override {}
};

class NoPrinter : public PrinterService {
 public:
  std::vector<std::string> Druckerliste() override { return {}; }
  std::string StandardBeschreibung() override { return ""; }
  bool Setzen(int) override { return false; }
  bool Verfuegbar() override { return false; }
  bool Ausrichtung(bool) override { return false; }
  std::optional<std::pair<int, int>> SeitengroesseMm() override { return std::nullopt; }
};

class CollectingSink : public LogSink {
 public:
  std::vector<std::string> meldungen;
  void MemoZeile(const std::string& zeile) override {
    const auto p = zeile.find(" > ");
    meldungen.push_back(p == std::string::npos ? zeile : zeile.substr(p + 3));
  }
};

}  // namespace pegel
