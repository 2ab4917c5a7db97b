// PegelWart: the operator's display of the collector's process data.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QMessageBox>
#include <iostream>

#include "anwendung.h"
#include "anwendung_qt.h"
#include "qt_text.h"

int main(int argc, char** argv) {
  pegelui::PegelApplication app(argc, argv);
  QApplication::setApplicationName("PegelWart");

  // Without --dir the data live beside the program file.
  QString verz = QCoreApplication::applicationDirPath();
  const QStringList args = QCoreApplication::arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == "--dir" && i + 1 < args.size()) {
      verz = args[++i];
    } else {
      std::cerr << "Aufruf: pegelwart [--dir VERZEICHNIS]\n";
      return 2;
    }
  }
  if (!QFileInfo(verz).isDir()) {
    QMessageBox::critical(nullptr, pegelui::T(pegelui::Titel),
                          pegelui::T("Das Verzeichnis %1 gibt es nicht.").arg(verz));
    return 1;
  }

  const QString name = pegelui::InstanzName(QCoreApplication::applicationFilePath());
  QLockFile sperre(QDir::temp().filePath(name + ".lock"));
  if (!sperre.tryLock(0)) {
    QMessageBox::information(nullptr, pegelui::T(pegelui::Titel),
                             pegelui::T("Die Anwendung %1 läuft bereits !").arg(name));
    return 0;
  }

  const std::filesystem::path progDir =
      std::filesystem::path(QDir(verz).absolutePath().toStdString());
  pegelui::Anwendung anwendung(progDir);
  app.LogSetzen(&anwendung.Log());
  anwendung.Hauptfenster().show();
  const int ergebnis = QApplication::exec();
  app.LogSetzen(nullptr);
  return ergebnis;
}
