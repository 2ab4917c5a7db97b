// The boundary between the core's Windows-1252 texts and Qt's strings.
#pragma once

#include <QString>
#include <string>

#include "cp1252.h"

namespace pegel::ui {

inline QString Q(const std::string& ansi) {
  return QString::fromUtf8(pegel::Cp1252ZuUtf8(ansi).c_str());
}
inline std::string A(const QString& text) {
  return pegel::Utf8ZuCp1252(text.toUtf8().toStdString());
}
// The application title, shown in the title of message boxes.
inline constexpr const char* Titel = "Prozess-Anzeige";

// A UTF-8 literal of the program's own texts.
inline QString T(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace pegel::ui
