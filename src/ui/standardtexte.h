// Qt's own texts of the standard dialogs (buttons Ja/Nein/Abbrechen, file, input and print
// dialogs) in German, whatever the machine's locale, as a German desktop shows them.
#pragma once

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>

namespace pegel::ui {

// Loads Qt's German catalogue "qtbase_de.qm" from `verzeichnis` and installs it into `app`,
// which owns it from then on. Returns false when the file is missing or unreadable; nothing
// is installed then and the standard dialogs keep Qt's English texts.
bool DeutscheStandardtexte(QCoreApplication& app, const QString& verzeichnis = QLibraryInfo::path(
                                                      QLibraryInfo::TranslationsPath));

}  // namespace pegel::ui
