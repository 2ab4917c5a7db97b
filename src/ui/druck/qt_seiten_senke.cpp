#include "qt_seiten_senke.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include "abbildung.h"
#include "cp1252.h"

namespace pegel::ui {

namespace fs = std::filesystem;

namespace {

QString Pfad(const fs::path& p) { return QString::fromStdU16String(p.u16string()); }

QString Titel(const tagesdruck::Seitenauftrag& a) {
  return QStringLiteral("PegelWart ") + QString::fromStdString(Cp1252ZuUtf8(a.gruppe));
}

}  // namespace

chart::Canvas* DruckerSeitenSenke::Beginnen(const tagesdruck::Seitenauftrag& auftrag) {
  drucker_.setPageOrientation(auftrag.quer ? QPageLayout::Landscape : QPageLayout::Portrait);
  drucker_.setDocName(Titel(auftrag));
  if (!maler_.begin(&drucker_)) return nullptr;
  canvas_ = std::make_unique<QtCanvas>(maler_, Abbildung::Metrisch(drucker_.resolution()), true);
  return canvas_.get();
}

bool DruckerSeitenSenke::Beenden() {
  if (canvas_) canvas_->Abschliessen();
  canvas_.reset();
  return maler_.isActive() && maler_.end();
}

void DruckerSeitenSenke::Abbrechen() {
  canvas_.reset();
  if (maler_.isActive()) {
    drucker_.abort();
    maler_.end();
  }
}

PdfSeitenSenke::~PdfSeitenSenke() {
  if (maler_.isActive()) Abbrechen();
  if (eineDatei_ && pdf_) Fertig();
}

bool PdfSeitenSenke::Seitenformat(const tagesdruck::Seitenauftrag& a) {
  const QPageSize groesse(QSizeF(a.breiteMm, a.hoeheMm), QPageSize::Millimeter, QString(),
                          QPageSize::ExactMatch);
  return pdf_->setPageLayout(QPageLayout(groesse, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

chart::Canvas* PdfSeitenSenke::Beginnen(const tagesdruck::Seitenauftrag& auftrag) {
  if (auftrag.breiteMm <= 0 || auftrag.hoeheMm <= 0) return nullptr;
  if (eineDatei_ && pdf_) {
    // The next page of the open file.
    if (!Seitenformat(auftrag) || !pdf_->newPage()) return nullptr;
  } else {
    ziel_ = eineDatei_ ? *eineDatei_ : auftrag.datei;
    teil_ = eineDatei_ ? ziel_ : fs::path(ziel_).concat(".teil");
    if (!eineDatei_) {
      std::error_code ec;  // a folder that cannot be made shows as the file that cannot be opened
      fs::create_directories(ziel_.parent_path(), ec);
    }
    pdf_ = std::make_unique<QPdfWriter>(Pfad(teil_));
    pdf_->setResolution(1200);
    pdf_->setTitle(Titel(auftrag));
    if (!Seitenformat(auftrag) || !maler_.begin(pdf_.get())) {
      pdf_.reset();
      return nullptr;
    }
  }
  canvas_ = std::make_unique<QtCanvas>(maler_, Abbildung::Metrisch(pdf_->resolution()));
  return canvas_.get();
}

bool PdfSeitenSenke::Beenden() {
  if (canvas_) canvas_->Abschliessen();
  canvas_.reset();
  if (eineDatei_) {
    ++seiten_;
    return maler_.isActive();
  }
  const bool ok = maler_.isActive() && maler_.end();
  pdf_.reset();
  std::error_code ec;
  if (ok) fs::rename(teil_, ziel_, ec);
  if (!ok || ec) fs::remove(teil_, ec);
  return ok && !ec;
}

void PdfSeitenSenke::Abbrechen() {
  canvas_.reset();
  if (eineDatei_) {
    // The page drawn so far stays in the file; the tool reports the failure.
    fehler_ = true;
    return;
  }
  if (maler_.isActive()) maler_.end();
  pdf_.reset();
  std::error_code ec;
  fs::remove(teil_, ec);
}

bool PdfSeitenSenke::Fertig() {
  if (!pdf_) return false;
  const bool ok = maler_.isActive() && maler_.end();
  pdf_.reset();
  return ok && seiten_ > 0 && !fehler_;
}

}  // namespace pegel::ui
