// Services for running core operations without a display: messages that
// are recorded and answered No (prompts and file dialogs cancelled), no printer, and a
// log sink that keeps the messages.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "dienste.h"
#include "logbuch.h"
#include "plattform.h"
#include "services.h"
#include "state.h"

namespace pegeltool {

class HeadlessMessages : public pegel::Messages {
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

class NoEvents : public pegel::PendingEvents {
 public:
  void Verarbeiten() override {}
};

class NoPrinter : public pegel::PrinterService {
 public:
  std::vector<std::string> Druckerliste() override { return {}; }
  std::string StandardBeschreibung() override { return ""; }
  bool Setzen(int) override { return false; }
  bool Verfuegbar() override { return false; }
  bool Ausrichtung(bool) override { return false; }
  std::optional<std::pair<int, int>> SeitengroesseMm() override { return std::nullopt; }
};

// Keeps the log messages without their stamps.
class CollectingSink : public pegel::LogSink {
 public:
  std::vector<std::string> meldungen;
  void MemoZeile(const std::string& zeile) override;
};

// A plant directory's state with the headless services, wired together; the state's
// paths are set and the run-state is that of a program start.
struct HeadlessLauf {
  HeadlessLauf(const std::filesystem::path& verz, bool nurLesen);
  pegel::PegelStatus s;
  pegel::SystemUhr uhr;
  HeadlessMessages meldungen;
  NoEvents ereignisse;
  CollectingSink senke;
  NoPrinter drucker;
  pegel::Logbuch log{s, uhr, &senke};
  pegel::Dienste d{uhr, meldungen, ereignisse, log, drucker};
};

// Windows-1252 texts as a JSON array of UTF-8 strings.
nlohmann::ordered_json Utf8Liste(const std::vector<std::string>& texte);

}  // namespace pegeltool
