// The destinations of the printed day pages on Qt: a print job on the current printer, and
// PDF files (one file per page for the archive, or one file of many pages for the tool).
#pragma once

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <filesystem>
#include <memory>
#include <optional>

#include "qt_canvas.h"
#include "seiten_senke.h"

namespace pegel::ui {

// One print job per page on `drucker` (the printer service's current printer, which the print
// looks up by name before it begins). Each job sets the orientation from the page's own.
class DruckerSeitenSenke : public tagesdruck::SeitenSenke {
 public:
  explicit DruckerSeitenSenke(QPrinter& drucker) : drucker_(drucker) {}
  chart::Canvas* Beginnen(const tagesdruck::Seitenauftrag& auftrag) override;
  bool Beenden() override;
  void Abbrechen() override;

 private:
  QPrinter& drucker_;
  QPainter maler_;
  std::unique_ptr<QtCanvas> canvas_;
};

// PDF pages. Without a fixed file every page is a file of its own at the page's `datei` (its
// folder made when needed), written under a temporary name and renamed when complete, so that an
// aborted or failed page leaves no file. With a fixed file all pages go into it, one after the
// other; Fertig() ends it.
class PdfSeitenSenke : public tagesdruck::SeitenSenke {
 public:
  PdfSeitenSenke() = default;
  explicit PdfSeitenSenke(std::filesystem::path eineDatei) : eineDatei_(std::move(eineDatei)) {}
  ~PdfSeitenSenke() override;

  chart::Canvas* Beginnen(const tagesdruck::Seitenauftrag& auftrag) override;
  bool Beenden() override;
  void Abbrechen() override;
  // The fixed file: ends it; false when it could not be written or holds no page.
  bool Fertig();

 private:
  bool Seitenformat(const tagesdruck::Seitenauftrag& a);
  std::optional<std::filesystem::path> eineDatei_;
  std::filesystem::path ziel_;
  std::filesystem::path teil_;
  std::unique_ptr<QPdfWriter> pdf_;
  QPainter maler_;
  std::unique_ptr<QtCanvas> canvas_;
  int seiten_ = 0;
  bool fehler_ = false;
};

}  // namespace pegel::ui
