#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "drucker_anschluss.h"

namespace pegel::ui {

QString DruckerAnschluss(const QString& name) {
  std::wstring n = name.toStdWString();
  HANDLE drucker = nullptr;
  if (!OpenPrinterW(n.data(), &drucker, nullptr)) return {};
  DWORD bytes = 0;
  GetPrinterW(drucker, 2, nullptr, 0, &bytes);
  std::vector<BYTE> puffer(bytes);
  QString anschluss;
  if (bytes > 0 && GetPrinterW(drucker, 2, puffer.data(), bytes, &bytes)) {
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(puffer.data());
    if (info->pPortName != nullptr) anschluss = QString::fromWCharArray(info->pPortName);
  }
  ClosePrinter(drucker);
  return anschluss;
}

}  // namespace pegel::ui
