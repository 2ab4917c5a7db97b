#include "qt_dienste.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QScrollBar>
#include <QThread>
#include <memory>

#include "plattform.h"
#include "qt_text.h"

namespace pegel::ui {

pegel::TDateTime QtUhr::Jetzt() {
  const QDateTime t = QDateTime::currentDateTime();
  const QDate d = t.date();
  const QTime z = t.time();
  return pegel::DatumKodieren(d.year(), d.month(), d.day()) +
         pegel::ZeitKodieren(z.hour(), z.minute(), std::min(z.second(), 59), z.msec());
}

std::uint32_t QtUhr::Ticks() { return pegel::TickZaehler(); }

void QtUhr::Pause() { QThread::msleep(1); }

void QtMeldungen::Info(const std::string& text) {
  QMessageBox::information(QApplication::activeWindow(), T(Titel), Q(text));
}

void QtMeldungen::Fehler(const std::string& text) {
  QMessageBox::critical(QApplication::activeWindow(), T(Titel), Q(text));
}

void QtMeldungen::Warnung(const std::string& text) {
  QMessageBox::warning(QApplication::activeWindow(), T(Titel), Q(text));
}

bool QtMeldungen::Frage(const std::string& text) {
  return QMessageBox::question(QApplication::activeWindow(), T(Titel), Q(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool QtMeldungen::WarnFrage(const std::string& text) {
  return QMessageBox::warning(QApplication::activeWindow(), T(Titel), Q(text),
                              QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> QtMeldungen::TextEingabe(const std::string& titel,
                                                    const std::string& prompt,
                                                    const std::string& vorgabe) {
  bool ok = false;
  const QString t = QInputDialog::getText(QApplication::activeWindow(), Q(titel), Q(prompt),
                                          QLineEdit::Normal, Q(vorgabe), &ok);
  if (!ok) return std::nullopt;
  return A(t);
}

QString QtMeldungen::QtFilter(const std::string& filter) {
  const QString f = Q(filter);
  const int bar = f.indexOf('|');
  if (bar < 0) return f;
  return f.left(bar) + " (" + f.mid(bar + 1).replace(';', ' ') + ")";
}

std::optional<std::filesystem::path> QtMeldungen::DateiOeffnen(
    const std::filesystem::path& startVerz, const std::string& filter) {
  const QString datei =
      QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(),
                                   QString::fromStdString(startVerz.string()), QtFilter(filter));
  if (datei.isEmpty()) return std::nullopt;
  return std::filesystem::path(datei.toStdString());
}

void QtEreignisse::Verarbeiten() { QCoreApplication::processEvents(); }

void MemoSenke::SetzeMemo(QPlainTextEdit* memo) {
  memo_ = memo;
  if (memo == nullptr) return;
  // Only the operator's own scrolling (drag, wheel, click, keys) decides whether the view
  // follows. Qt's own test, "was the last line in view", fails for good once a resize
  // has cut the last line in half.
  QScrollBar* leiste = memo->verticalScrollBar();
  auto folgen = std::make_shared<bool>(true);
  QObject::connect(leiste, &QAbstractSlider::actionTriggered, memo,
                   [leiste, folgen] { *folgen = leiste->sliderPosition() >= leiste->maximum(); });
  // A new line, a shorter memo or a restored window all move the range's end.
  QObject::connect(leiste, &QAbstractSlider::rangeChanged, memo, [leiste, folgen](int, int ende) {
    if (*folgen) leiste->setValue(ende);
  });
}

void MemoSenke::MemoZeile(const std::string& zeile) {
  if (memo_ == nullptr) return;
  memo_->appendPlainText(Q(zeile));
}

}  // namespace pegel::ui
