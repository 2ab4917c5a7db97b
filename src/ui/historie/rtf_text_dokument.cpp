#include "rtf_text_dokument.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextOption>

namespace pegel::ui {

namespace {

QTextCharFormat Zeichenformat(const pegel::RtfFormat& f, const QFont& grund) {
  QTextCharFormat z;
  QFont schrift = grund;
  schrift.setPointSizeF(f.Punkte > 0 ? f.Punkte : 12.0);
  schrift.setBold(f.Fett);
  schrift.setItalic(f.Kursiv);
  schrift.setUnderline(f.Unterstrichen);
  z.setFont(schrift);
  if (f.Farbe) z.setForeground(QColor(f.Farbe->Rot, f.Farbe->Gruen, f.Farbe->Blau));
  return z;
}

}  // namespace

QTextDocument* RtfTextDokument(const pegel::RtfDokument& dok, QObject* eltern) {
  auto* doc = new QTextDocument(eltern);
  const QFont grund = doc->defaultFont();
  QTextCursor c(doc);
  c.beginEditBlock();
  QTextBlockFormat tabelle;
  QList<QTextOption::Tab> stopps;
  for (int i = 1; i <= 12; ++i) stopps.append(QTextOption::Tab(i * 120.0, QTextOption::LeftTab));
  tabelle.setTabPositions(stopps);
  const QTextBlockFormat normal;
  bool erster = true;
  for (const auto& absatz : dok.Absaetze) {
    const QTextBlockFormat& format = absatz.Tabellenzeile ? tabelle : normal;
    if (erster) {
      c.setBlockFormat(format);
      erster = false;
    } else {
      c.insertBlock(format);
    }
    for (const auto& stueck : absatz.Stuecke) {
      c.insertText(
          QString::fromUtf8(stueck.Text.data(), static_cast<qsizetype>(stueck.Text.size())),
          Zeichenformat(stueck.Format, grund));
    }
  }
  c.endEditBlock();
  return doc;
}

}  // namespace pegel::ui
