// The single-instance guard of a plant directory, shared by the viewer and `pegeltool poll`:
// while one of them holds it, no other viewer or poll works on the same directory and
// takes the collector's files away from it. Qt Core only.
#pragma once

#include <QLockFile>
#include <QString>

namespace pegel::ui {

class Instanzschutz {
 public:
  enum class Ergebnis {
    Genommen,  // held from now until destruction
    Belegt,    // another process holds it
    Fehler,    // the lock file could not be created (no write permission, no directory)
  };

  // The guard of the plant directory `anlage`, in any spelling (relative, with a trailing
  // slash, through a symbolic link). Nothing is taken or created yet.
  explicit Instanzschutz(const QString& anlage);

  // Takes the guard without waiting. A lock file left behind by a process that has ended
  // (a crash) is recovered. After Belegt or Fehler, Grund() says why.
  Ergebnis Nehmen();

  // Why the last Nehmen() did not take the guard, one German line; empty after Genommen.
  const QString& Grund() const { return grund_; }
  // The lock file's path.
  const QString& Datei() const { return datei_; }

  // The lock file's name inside the plant directory.
  static constexpr const char* Dateiname = "PEGELWART.LCK";
  // A lock file that names no holder and is older than this was left by a crash.
  static constexpr int LeereSperreSekunden = 10;

 private:
  QString datei_;
  QLockFile sperre_;
  QString grund_;
};

}  // namespace pegel::ui
