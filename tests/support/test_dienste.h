// Recording and settable services for the tests, and a temporary plant directory.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "cp1252.h"
#include "dienste.h"
#include "logbuch.h"
#include "parameter_schreiber.h"
#include "ring_zugriff.h"
#include "services.h"
#include "state.h"

namespace pegel::test {

// The front of a queue of prepared answers, taken off; `sonst` when the queue is empty.
template <class T>
T Naechste(std::deque<T>& q, T sonst) {
  if (q.empty()) return sonst;
  T a = std::move(q.front());
  q.pop_front();
  return a;
}

// A clock the test sets; every Pause() moves the tick count on by `schritt` ms.
class TestClock : public Clock {
 public:
  TDateTime jetzt = 46362.0 + 0.5;  // 06.12.2026 12:00:00
  std::uint32_t ticks = 0;
  std::uint32_t schritt = 1;
  TDateTime Jetzt() override { return jetzt; }
  std::uint32_t Ticks() override { return ticks; }
  void Pause() override { ticks += schritt; }
};

// Records every message; questions (plain or as warnings) are answered from one queue
// (default: No), prompts and file dialogs from their queues (default: cancelled).
class RecordingMessages : public Messages {
 public:
  std::vector<std::string> gezeigt;     // every text shown or asked, in order
  std::vector<std::string> warnFragen;  // the questions asked as warnings
  std::deque<bool> antworten;
  std::deque<std::optional<std::string>> eingaben;
  std::deque<std::optional<std::filesystem::path>> dateien;
  std::vector<std::string> filter;

  void Info(const std::string& t) override { gezeigt.push_back(t); }
  void Fehler(const std::string& t) override { gezeigt.push_back(t); }
  void Warnung(const std::string& t) override { gezeigt.push_back(t); }
  bool Frage(const std::string& t) override {
    gezeigt.push_back(t);
    return Naechste(antworten, false);
  }
  bool WarnFrage(const std::string& t) override {
    warnFragen.push_back(t);
    return Frage(t);
  }
  std::optional<std::string> TextEingabe(const std::string& titel, const std::string& prompt,
                                         const std::string&) override {
    gezeigt.push_back(titel + "|" + prompt);
    return Naechste(eingaben, {});
  }
  std::optional<std::filesystem::path> DateiOeffnen(const std::filesystem::path&,
                                                    const std::string& f) override {
    filter.push_back(f);
    return Naechste(dateien, {});
  }
};

class CountingEvents : public PendingEvents {
 public:
  int aufrufe = 0;
  void Verarbeiten() override { ++aufrufe; }
};

class RecordingSink : public LogSink {
 public:
  std::vector<std::string> zeilen;
  void MemoZeile(const std::string& z) override { zeilen.push_back(z); }
  // The messages without the memo stamp.
  std::vector<std::string> Meldungen() const {
    std::vector<std::string> m;
    for (const auto& z : zeilen) {
      const auto p = z.find(" > ");
      m.push_back(p == std::string::npos ? z : z.substr(p + 3));
    }
    return m;
  }
};

class FakePrinter : public PrinterService {
 public:
  std::vector<std::string> liste = {"PDF"};
  bool verfuegbar = true;
  std::vector<int> gesetzt;
  std::optional<bool> quer;
  std::vector<std::string> Druckerliste() override { return liste; }
  std::string StandardBeschreibung() override { return verfuegbar ? "PDF,cups-pdf,PDF" : ""; }
  bool Setzen(int n) override {
    gesetzt.push_back(n);
    return verfuegbar && n < static_cast<int>(liste.size());
  }
  bool Verfuegbar() override { return verfuegbar; }
  bool Ausrichtung(bool q) override {
    if (verfuegbar) quer = q;
    return verfuegbar;
  }
  std::optional<std::pair<int, int>> SeitengroesseMm() override {
    if (!verfuegbar) return std::nullopt;
    return quer.value_or(true) ? std::pair{297, 210} : std::pair{210, 297};
  }
};

// Write access to the parameter table of a test's own state.
inline Parameter& Par(PegelStatus& s, int n) { return ParameterSchreiber(s).at(n); }
inline void ItemcountSetzen(PegelStatus& s, int n) { ParameterSchreiber(s).ItemcountSetzen(n); }

// A fresh, empty directory under the system's temporary directory, removed afterwards.
class TempVerz {
 public:
  TempVerz() {
    std::random_device rd;
    pfad_ = std::filesystem::temp_directory_path() /
            ("pegeltest_" + std::to_string(rd()) + "_" + std::to_string(rd()));
    std::filesystem::create_directories(pfad_);
  }
  ~TempVerz() {
    std::error_code ec;
    std::filesystem::remove_all(pfad_, ec);
  }
  TempVerz(const TempVerz&) = delete;
  TempVerz& operator=(const TempVerz&) = delete;
  const std::filesystem::path& pfad() const { return pfad_; }
  std::filesystem::path operator/(const std::string& name) const { return pfad_ / name; }

 private:
  std::filesystem::path pfad_;
};

inline void DateiSchreiben(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f << bytes;
}

inline std::string DateiLesen(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// State, services and log wired together on a temporary plant directory.
struct Umgebung {
  TempVerz verz;
  PegelStatus s;
  TestClock uhr;
  RecordingMessages meldungen;
  CountingEvents ereignisse;
  RecordingSink senke;
  FakePrinter drucker;
  Logbuch log{s, uhr, &senke};
  Dienste d{uhr, meldungen, ereignisse, log, drucker};

  Umgebung() { s.PfadeSetzen(verz.pfad()); }
  std::vector<std::string> Log() const { return senke.Meldungen(); }
  bool Geloggt(const std::string& t) const {
    const auto l = Log();
    return std::find(l.begin(), l.end(), t) != l.end();
  }
};

}  // namespace pegel::test
