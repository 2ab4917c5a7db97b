#include "instanzschutz.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace pegel::ui {

namespace {

// The guard lives in the plant directory itself, not in the temp directory under a name
// made from the path: it protects the files of this directory, so it sits beside them.
// Every process that reaches the directory meets the same file, whatever spelling of the
// path it used (links, drive letter or network name of a share), whichever user it runs
// as (the temp directory is per user on Windows) and on whichever machine.
QString Sperrdatei(const QString& anlage) {
  const QFileInfo info(anlage);
  const QString verz =
      info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
  return QDir(verz).filePath(QString::fromLatin1(Instanzschutz::Dateiname));
}

}  // namespace

Instanzschutz::Instanzschutz(const QString& anlage) : datei_(Sperrdatei(anlage)), sperre_(datei_) {
  // The guard is held for hours, so its age says nothing. A holder that has ended is
  // recognised by its process id instead; an age limit would let a second process break the
  // lock of one that runs (on a file system without native locks).
  sperre_.setStaleLockTime(0);
}

Instanzschutz::Ergebnis Instanzschutz::Nehmen() {
  if (sperre_.isLocked()) return Ergebnis::Genommen;
  grund_.clear();
  if (sperre_.tryLock(0)) return Ergebnis::Genommen;
  if (sperre_.error() == QLockFile::LockFailedError) {
    qint64 pid = 0;
    QString rechner, programm;
    const bool lesbar = sperre_.getLockInfo(&pid, &rechner, &programm);
    // A holder killed between creating the file and writing its process id leaves a file
    // that names nobody, which the process check can never clear. Such a file is the only
    // one whose age counts; the removal still fails while a live holder keeps its native
    // lock on it.
    if (!lesbar && QFileInfo(datei_).lastModified().secsTo(QDateTime::currentDateTime()) >
                       LeereSperreSekunden) {
      if (sperre_.removeStaleLockFile() && sperre_.tryLock(0)) return Ergebnis::Genommen;
    }
    if (lesbar) {
      grund_ = QString::fromUtf8("belegt von %1 (Prozess %2 auf %3), Sperrdatei %4")
                   .arg(programm.isEmpty() ? QString::fromUtf8("?") : programm)
                   .arg(pid)
                   .arg(rechner.isEmpty() ? QString::fromUtf8("?") : rechner, datei_);
    } else {
      grund_ = QString::fromUtf8("belegt, Sperrdatei %1").arg(datei_);
    }
    return Ergebnis::Belegt;
  }
  grund_ = QString::fromUtf8("Sperrdatei %1 kann nicht angelegt werden").arg(datei_);
  return Ergebnis::Fehler;
}

}  // namespace pegel::ui
