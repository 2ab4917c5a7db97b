// A private CUPS scheduler for one test program, through scripts/cups_privat.sh: its own
// configuration, socket, spool, logs and PDF output in a temporary directory, with the queues
// "PDF" (cups-pdf, the default) and "Buero-FAX" (raw, to /dev/null). The machine's own CUPS is
// never touched.
//
// Create it in main() before QApplication and before anything touches printing: the
// constructor points CUPS_SERVER (and CUPS_SERVERROOT) at the private scheduler, and libcups
// and Qt's print plugin read them once per process, at their first call.
//
// Each test program starts its own scheduler (half a second): its queue list is part of its
// expectations, and programs that run side by side under ctest -j must not see each other's
// queues. When the program dies without the destructor, the script's watchdog stops the
// scheduler and removes its directory.
//
// Linux only (CUPS, POSIX environment and popen).
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "test_dienste.h"

namespace pegel::test {

class PrivaterCups {
 public:
  // Starts the scheduler. Laeuft() says whether it runs; when not, Grund() says why and the
  // tests that need it skip (or fail, when Pflicht()).
  PrivaterCups() {
    const Ergebnis e = Skript("start", {"--waechter", std::to_string(::getpid())});
    if (e.rc != 0) {
      grund_ = e.ausgabe.empty() ? "cups_privat.sh start: Rückgabewert " + std::to_string(e.rc)
                                 : e.ausgabe;
      return;
    }
    laeuft_ = true;
    ::setenv("CUPS_SERVER", Socket().c_str(), 1);
    ::setenv("CUPS_SERVERROOT", (verz_.pfad() / "etc").c_str(), 1);
    // Both would name another default printer than the scheduler's.
    ::unsetenv("LPDEST");
    ::unsetenv("PRINTER");
  }
  ~PrivaterCups() {
    if (laeuft_) Skript("stop", {});
  }
  PrivaterCups(const PrivaterCups&) = delete;
  PrivaterCups& operator=(const PrivaterCups&) = delete;

  bool Laeuft() const { return laeuft_; }
  const std::string& Grund() const { return grund_; }
  // True when a scheduler that does not start is a failure rather than a skip: set
  // PEGEL_CUPS_PFLICHT=1 where the scheduler is known to work (test.sh does as root).
  static bool Pflicht() {
    const char* p = std::getenv("PEGEL_CUPS_PFLICHT");
    return p != nullptr && std::string(p) == "1";
  }
  // The exit code of a test program whose scheduler does not run, after printing why: 77, which
  // CTest reports as skipped (SKIP_RETURN_CODE), or 1 when Pflicht().
  int OhneServer() const {
    const bool pflicht = Pflicht();
    std::printf("%s: %s\n", pflicht ? "FAIL (PEGEL_CUPS_PFLICHT=1)" : "SKIP", grund_.c_str());
    std::fflush(stdout);
    return pflicht ? 1 : 77;
  }

  const std::filesystem::path& Verz() const { return verz_.pfad(); }
  std::string Socket() const { return (verz_.pfad() / "run" / "cups.sock").string(); }
  // "cups-pdf": the PDF queue writes a PDF per job into PdfVerz(); "datei": it writes through a
  // file device into PdfVerz()/PDF.ausgabe (see the script).
  std::string Modus() const {
    std::string m = DateiLesen(verz_.pfad() / "modus");
    while (!m.empty() && (m.back() == '\n' || m.back() == '\r')) m.pop_back();
    return m;
  }
  std::filesystem::path PdfVerz() const { return verz_.pfad() / "pdf"; }

  // Adds a queue; raw without `modell`, else with that driver (lpinfo -m name). Empty when done,
  // else the error.
  std::string QueueNeu(const std::string& name, const std::string& uri = "file:///dev/null",
                       const std::string& modell = "") {
    std::vector<std::string> args{name, uri};
    if (!modell.empty()) args.push_back(modell);
    const Ergebnis e = Skript("queue-add", args);
    return e.rc == 0 ? "" : "queue-add " + name + ": " + e.ausgabe;
  }
  std::string QueueWeg(const std::string& name) {
    const Ergebnis e = Skript("queue-del", {name});
    return e.rc == 0 ? "" : "queue-del " + name + ": " + e.ausgabe;
  }

  // The ids ("PDF-3") of the completed jobs, of one queue or of all; none when the queue does
  // not exist.
  std::vector<std::string> ErledigteAuftraege(const std::string& queue = "") {
    const Ergebnis e = Skript(
        "jobs", queue.empty() ? std::vector<std::string>{} : std::vector<std::string>{queue});
    std::vector<std::string> ids;
    if (e.rc != 0) return ids;  // an unknown queue: its message is no job
    std::size_t p = 0;
    while (p < e.ausgabe.size()) {
      std::size_t ende = e.ausgabe.find('\n', p);
      if (ende == std::string::npos) ende = e.ausgabe.size();
      const std::string zeile = e.ausgabe.substr(p, ende - p);
      const std::size_t leer = zeile.find(' ');
      if (!zeile.empty() && leer != 0) ids.push_back(zeile.substr(0, leer));
      p = ende + 1;
    }
    return ids;
  }
  // Waits up to `sekunden` until `queue` has at least `anzahl` completed jobs; their ids.
  std::vector<std::string> AufAuftraegeWarten(const std::string& queue, std::size_t anzahl,
                                              int sekunden = 30) {
    const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(sekunden);
    std::vector<std::string> ids = ErledigteAuftraege(queue);
    while (ids.size() < anzahl && std::chrono::steady_clock::now() < ende) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      ids = ErledigteAuftraege(queue);
    }
    return ids;
  }
  // The files the PDF queue has written so far.
  std::vector<std::filesystem::path> PdfDateien() const {
    std::vector<std::filesystem::path> d;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(PdfVerz(), ec)) d.push_back(e.path());
    return d;
  }

 private:
  struct Ergebnis {
    int rc = -1;
    std::string ausgabe;  // stdout and stderr together
  };

  static std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
  }

  Ergebnis Skript(const std::string& befehl, const std::vector<std::string>& args) const {
    std::string cmd = Quote(PEGEL_CUPS_SKRIPT) + " " + befehl + " " + Quote(verz_.pfad().string());
    for (const auto& a : args) cmd += " " + Quote(a);
    cmd += " 2>&1";
    Ergebnis e;
    FILE* f = ::popen(cmd.c_str(), "r");
    if (f == nullptr) {
      e.ausgabe = "popen fehlgeschlagen";
      return e;
    }
    char puffer[512];
    std::size_t n = 0;
    while ((n = std::fread(puffer, 1, sizeof puffer, f)) > 0) e.ausgabe.append(puffer, n);
    const int status = ::pclose(f);
    e.rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    while (!e.ausgabe.empty() && e.ausgabe.back() == '\n') e.ausgabe.pop_back();
    return e;
  }

  TempVerz verz_;
  bool laeuft_ = false;
  std::string grund_;
};

}  // namespace pegel::test
