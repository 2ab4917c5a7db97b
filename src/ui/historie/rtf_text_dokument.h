// A protocol file's RTF, as core read it, turned into a rich text document for the view
// and the print: a block per paragraph, a formatted insert per piece.
#pragma once

#include <QTextDocument>

#include "rtf_dokument.h"

namespace pegel::ui {

// A new document owned by `eltern`. Table rows keep their cells separated by tabs, with a
// tab stop every few centimetres so that the columns line up.
QTextDocument* RtfTextDokument(const pegel::RtfDokument& dok, QObject* eltern);

}  // namespace pegel::ui
