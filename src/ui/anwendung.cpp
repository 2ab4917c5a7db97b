#include "anwendung.h"

#include <QFileInfo>

namespace pegelui {

Anwendung::Anwendung(const std::filesystem::path& progDir) {
  s_.PfadeSetzen(progDir);
  s_.ProgrammStart(uhr_.Jetzt());
  viewer_ = std::make_unique<pegel::Viewer>(s_, d_);
  einstell1_ = std::make_unique<TFo_Einstell1>(s_, d_);
  form1_ = std::make_unique<TForm1>(s_, d_, *viewer_, *einstell1_, &memo_);
}

QString InstanzName(const QString& programmDatei) {
  return QFileInfo(programmDatei).fileName().toLower();
}

}  // namespace pegelui
