// PegelWart: the operator's display of the collector's process data.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <iostream>

#include "anwendung.h"
#include "anwendung_qt.h"
#include "instanzschutz.h"
#include "pegelwart_aufruf.h"
#include "qt_text.h"

namespace {

QStringList Argumente(int argc, char** argv) {
  QStringList a;
  for (int i = 1; i < argc; ++i) a << QString::fromLocal8Bit(argv[i]);
  return a;
}

int Aufruffehler(const QString& fehler) {
  std::cerr << "pegelwart: " << fehler.toStdString() << "\n" << pegelapp::Hilfe().toStdString();
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // The whole command line is read before the application object exists, so that help,
  // version and usage errors need no display.
  QString fehler;
  const std::optional<pegelapp::Aufruf> aufruf =
      pegelapp::AufrufLesen(Argumente(argc, argv), fehler);
  if (!aufruf) return Aufruffehler(fehler);
  if (aufruf->hilfe) {
    std::cout << pegelapp::Hilfe().toStdString();
    return 0;
  }
  if (aufruf->version) {
    std::cout << "pegelwart " PEGEL_VERSION "\n";
    return 0;
  }

  pegel::ui::PegelApplication app(argc, argv);
  QApplication::setApplicationName("PegelWart");

  // Without --dir the data live beside the program file.
  const QString verz =
      aufruf->verz.isEmpty() ? QCoreApplication::applicationDirPath() : aufruf->verz;
  if (!QFileInfo(verz).isDir()) {
    QMessageBox::critical(nullptr, pegel::ui::T(pegel::ui::Titel),
                          pegel::ui::T("Das Verzeichnis %1 gibt es nicht.").arg(verz));
    return 1;
  }

  // One viewer or `pegeltool poll` per plant directory; viewers of different plants run
  // side by side.
  pegel::ui::Instanzschutz schutz(verz);
  const auto guard = schutz.Nehmen();
  if (guard == pegel::ui::Instanzschutz::Ergebnis::Belegt) {
    const QString name = pegel::ui::InstanzName(QCoreApplication::applicationFilePath());
    QMessageBox::information(nullptr, pegel::ui::T(pegel::ui::Titel),
                             pegel::ui::T("Die Anwendung %1 läuft bereits !").arg(name));
    return 0;
  }

  const std::filesystem::path progDir =
      std::filesystem::path(QDir(verz).absolutePath().toStdString());
  pegel::ui::Anwendung anwendung(progDir);
  app.LogSetzen(&anwendung.Log());
  // A directory where the lock file cannot be created is one where this viewer cannot take
  // the collector's files either, so it cannot disturb another: it runs, and says so.
  if (guard == pegel::ui::Instanzschutz::Ergebnis::Fehler) {
    anwendung.Log().LogAll(pegel::ui::A(pegel::ui::T("Instanzschutz: ") + schutz.Grund()));
  }
  anwendung.Hauptfenster().show();
  const int ergebnis = QApplication::exec();
  app.LogSetzen(nullptr);
  return ergebnis;
}
