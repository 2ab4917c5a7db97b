// The Qt implementations of the services the core calls out to.
#pragma once

#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

#include "services.h"

namespace pegel::ui {

class QtUhr : public pegel::Clock {
 public:
  pegel::TDateTime Jetzt() override;
  std::uint32_t Ticks() override;
  void Pause() override;
};

// Message boxes parented to the active window.
class QtMeldungen : public pegel::Messages {
 public:
  void Info(const std::string& text) override;
  void Fehler(const std::string& text) override;
  void Warnung(const std::string& text) override;
  bool Frage(const std::string& text) override;
  bool WarnFrage(const std::string& text) override;
  std::optional<std::string> TextEingabe(const std::string& titel, const std::string& prompt,
                                         const std::string& vorgabe) override;
  std::optional<std::filesystem::path> DateiOeffnen(const std::filesystem::path& startVerz,
                                                    const std::string& filter) override;
  // "Headerdatei [*.pgh]|*.pgh" in Qt's form "Headerdatei [*.pgh] (*.pgh)".
  static QString QtFilter(const std::string& filter);
};

class QtEreignisse : public pegel::PendingEvents {
 public:
  void Verarbeiten() override;
};

// The main window's memo. Its view stays on the newest line, also when the memo gets
// shorter, unless the operator has scrolled up to read; when they scroll back to the
// bottom it follows again.
class MemoSenke : public pegel::LogSink {
 public:
  // `memo` may be null (no memo); the widget is not owned.
  void SetzeMemo(QPlainTextEdit* memo);
  void MemoZeile(const std::string& zeile) override;

 private:
  QPointer<QPlainTextEdit> memo_;
};

}  // namespace pegel::ui
