// The command line of pegelwart: one table of options that QCommandLineParser reads and
// the help lists.
#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace pegelapp {

struct Aufruf {
  QString verz;  // --dir; empty: the directory of the program file
  bool hilfe = false;
  bool version = false;
};

// The arguments after the program name. Empty with `fehler` set on a usage error.
std::optional<Aufruf> AufrufLesen(const QStringList& args, QString& fehler);

// The option table of the program.
QList<QCommandLineOption> Optionen();
// Qt's own options that the application object takes out of the command line (-platform,
// -style, ...): the parser accepts them, so that it can decide on the whole command line
// before the application object exists, and without a display.
QList<QCommandLineOption> QtOptionen();

// The usage line and one line per option of the table.
QString Hilfe();

}  // namespace pegelapp
