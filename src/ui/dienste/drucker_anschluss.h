// The port a printer is connected to, as the print system names it. Qt does not tell it, so this
// one function asks the platform's print system directly; it is the only such call in the program.
#pragma once

#include <QString>

namespace pegel::ui {

// The port of printer `name`: under CUPS the queue's device URI ("cups-pdf:/",
// "socket://10.0.0.5"), under Windows the port name ("LPT1:", "USB001"). User name and password
// in a URI are left out, because the text is shown on the screen. Empty when the printer is
// unknown or the print system cannot be reached; never throws.
QString DruckerAnschluss(const QString& name);

}  // namespace pegel::ui
