#include "pegelwart_aufruf.h"

#include <QCommandLineParser>
#include <algorithm>

namespace pegelapp {

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// "-h, --help" or "--dir VERZ", as the help shows an option.
QString Kopf(const QCommandLineOption& o) {
  QStringList namen;
  for (const QString& n : o.names()) namen << (n.size() == 1 ? U("-") : U("--")) + n;
  QString k = namen.join(U(", "));
  if (!o.valueName().isEmpty()) k += U(" ") + o.valueName();
  return k;
}

}  // namespace

QList<QCommandLineOption> Optionen() {
  return {
      QCommandLineOption(U("dir"),
                         U("Anlagenverzeichnis (Vorgabe: das Verzeichnis der Programmdatei)"),
                         U("VERZ")),
      QCommandLineOption({U("h"), U("help")}, U("diese Hilfe ausgeben")),
      QCommandLineOption(U("version"), U("die Version ausgeben")),
  };
}

QList<QCommandLineOption> QtOptionen() {
  QList<QCommandLineOption> q;
  for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                           "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display",
                           "geometry", "style", "stylesheet", "qmljsdebugger"}) {
    q << QCommandLineOption(U(name), QString(), U("WERT"));
  }
  for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
    q << QCommandLineOption(U(name));
  }
  return q;
}

std::optional<Aufruf> AufrufLesen(const QStringList& args, QString& fehler) {
  QCommandLineParser p;
  p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  p.addOptions(Optionen() + QtOptionen());
  if (!p.parse(QStringList{U("pegelwart")} + args)) {
    if (p.unknownOptionNames().isEmpty()) {
      fehler = U("ungültiger Aufruf: ") + p.errorText();
    } else {
      // The argument as it was written, with its dashes.
      const QString name = p.unknownOptionNames().first();
      QString wie = U("--") + name;
      for (const QString& a : args) {
        if (a.startsWith(U("-")) &&
            a.section(U("="), 0, 0).mid(a.startsWith(U("--")) ? 2 : 1) == name) {
          wie = a.section(U("="), 0, 0);
          break;
        }
      }
      fehler = U("unbekannte Option '%1'").arg(wie);
    }
    return std::nullopt;
  }
  if (!p.positionalArguments().isEmpty()) {
    fehler = U("unerwartetes Argument '%1'").arg(p.positionalArguments().first());
    return std::nullopt;
  }
  Aufruf a;
  a.verz = p.value(U("dir"));
  a.hilfe = p.isSet(U("help"));
  a.version = p.isSet(U("version"));
  return a;
}

QString Hilfe() {
  const QList<QCommandLineOption> optionen = Optionen();
  qsizetype breite = 0;
  for (const auto& o : optionen) breite = std::max(breite, Kopf(o).size());
  QString h =
      U("Aufruf: pegelwart [OPTIONEN]\n"
        "Die Prozess-Anzeige für die Dateien des Sammlers PEGELDDE in einem Anlagenverzeichnis.\n"
        "Je Anlagenverzeichnis läuft nur eine Anzeige (oder ein pegeltool poll).\n\n"
        "Optionen:\n");
  for (const auto& o : optionen) {
    h += U("  ") + Kopf(o).leftJustified(breite + 3) + o.description() + U("\n");
  }
  QStringList qt;
  for (const auto& o : QtOptionen()) {
    qt << U("-") + o.names().first() +
              (o.valueName().isEmpty() ? QString() : U(" ") + o.valueName());
  }
  h += U("\nDazu die Optionen von Qt für das Fenstersystem:\n");
  QString zeile = U(" ");
  for (const QString& o : qt) {
    if (zeile.size() + o.size() + 2 > 100) {
      h += zeile + U("\n");
      zeile = U(" ");
    }
    zeile += U(" ") + o + (&o == &qt.constLast() ? QString() : U(","));
  }
  h += zeile + U("\n");
  h +=
      U("\nExit-Codes: 0 beendet (auch wenn die Anlage schon bearbeitet wird), 1 das "
        "Verzeichnis\nfehlt, 2 Aufruffehler.\n");
  return h;
}

}  // namespace pegelapp
