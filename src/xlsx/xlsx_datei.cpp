#include "xlsx_datei.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <clocale>
#include <fstream>
#include <optional>
#include <string>

#include "cp1252.h"
#include "datei_ersetzen.h"
#include "text_format.h"

namespace pegel {

namespace {

// Above this many cells the worksheet's XML may pass 4 GB, which needs the zip format's
// 64-bit extension; smaller files keep the plain format every reader takes.
constexpr std::size_t Zip64AbZellen = 50'000'000;

// libxlsxwriter prints numbers with the C library's printf, which writes the decimal mark
// of LC_NUMERIC. A GUI toolkit may have set that to a locale with a decimal comma, which
// would make every fractional number in the file unreadable; "C" holds while the
// workbook is written. Everything runs on the one GUI thread.
class CZahlenLocale {
 public:
  CZahlenLocale() {
    if (const char* alt = std::setlocale(LC_NUMERIC, nullptr)) alt_ = alt;
    std::setlocale(LC_NUMERIC, "C");
  }
  ~CZahlenLocale() {
    if (alt_) std::setlocale(LC_NUMERIC, alt_->c_str());
  }
  CZahlenLocale(const CZahlenLocale&) = delete;
  CZahlenLocale& operator=(const CZahlenLocale&) = delete;

 private:
  std::optional<std::string> alt_;
};

// Closes the workbook (which writes the file) at the latest when leaving the scope, so
// that an exception does not leave it open.
class Mappe {
 public:
  Mappe(const std::filesystem::path& datei, bool zip64) {
    lxw_workbook_options o{};
    o.constant_memory = LXW_TRUE;  // rows go to a temporary file as they are finished
    o.tmpdir = nullptr;
    o.use_zip64 = zip64 ? LXW_TRUE : LXW_FALSE;
    mappe_ = workbook_new_opt(datei.string().c_str(), &o);
  }
  ~Mappe() {
    if (mappe_ != nullptr) workbook_close(mappe_);
  }
  Mappe(const Mappe&) = delete;
  Mappe& operator=(const Mappe&) = delete;

  lxw_workbook* get() const { return mappe_; }
  lxw_error Schliessen() {
    lxw_workbook* m = mappe_;
    mappe_ = nullptr;
    return workbook_close(m);
  }

 private:
  lxw_workbook* mappe_ = nullptr;
};

std::string LxwGrund(lxw_error e) {
  return "Fehler der .xlsx-Bibliothek: " + Utf8ZuCp1252(lxw_strerror(e));
}

}  // namespace

ExportErgebnis WriteXLSX(const WerteTabelle& tabelle, const std::filesystem::path& datei) {
  const std::size_t zeilen = tabelle.Zeilen();
  const std::size_t spalten = tabelle.Spalten();
  if (zeilen > XlsxMaxZeilen || spalten > XlsxMaxSpalten) {
    return {false,
            "Die Tabelle hat " + TausenderText(zeilen) + " Zeilen und " + TausenderText(spalten) +
                Ansi(" Spalten; eine .xlsx-Datei fasst höchstens ") + TausenderText(XlsxMaxZeilen) +
                " Zeilen und " + TausenderText(XlsxMaxSpalten) +
                Ansi(" Spalten.\nBitte wählen Sie einen kürzeren Zeitraum.")};
  }

  ErsatzDatei ersatz(datei);
  {
    // The library reports a file it cannot create without the system's reason; creating it
    // here first gives that reason (a missing directory, no write permission).
    errno = 0;
    std::ofstream probe(ersatz.Temp(), std::ios::binary | std::ios::trunc);
    if (!probe) {
      const int e = errno;
      return ExportFehler(datei, e != 0 ? std::error_code(e, std::generic_category())
                                        : std::make_error_code(std::errc::io_error));
    }
  }

  const CZahlenLocale cLocale;
  Mappe mappe(ersatz.Temp(), zeilen * spalten > Zip64AbZellen);
  if (mappe.get() == nullptr) return ExportFehler(datei, LxwGrund(LXW_ERROR_MEMORY_MALLOC_FAILED));
  lxw_worksheet* blatt = workbook_add_worksheet(mappe.get(), "Wertetabelle");
  lxw_format* fett = workbook_add_format(mappe.get());
  lxw_format* zeit = workbook_add_format(mappe.get());
  if (blatt == nullptr || fett == nullptr || zeit == nullptr) {
    return ExportFehler(datei, LxwGrund(LXW_ERROR_MEMORY_MALLOC_FAILED));
  }
  format_set_bold(fett);
  format_set_num_format(zeit, "hh:mm:ss");
  worksheet_freeze_panes(blatt, 1, 1);
  worksheet_set_column(blatt, 0, 0, 10, nullptr);
  if (spalten > 1) {
    worksheet_set_column(blatt, 1, static_cast<lxw_col_t>(spalten - 1), 16, nullptr);
  }

  lxw_error fehler = LXW_NO_ERROR;
  const auto merken = [&](lxw_error e) {
    if (fehler == LXW_NO_ERROR) fehler = e;
  };
  std::string utf8;
  for (std::size_t z = 0; z < zeilen && fehler == LXW_NO_ERROR; ++z) {
    const auto r = static_cast<lxw_row_t>(z);
    for (std::size_t s = 0; s < spalten; ++s) {
      const auto c = static_cast<lxw_col_t>(s);
      const std::string_view text = tabelle.Zelle(z, s);
      if (text.empty()) continue;
      if (z > 0) {
        if (s == 0) {
          if (const auto t = ZeitLesen(text)) {
            merken(worksheet_write_number(blatt, r, c, *t, zeit));
            continue;
          }
        } else if (const auto v = ZahlLesen(text)) {
          merken(worksheet_write_number(blatt, r, c, *v, nullptr));
          continue;
        }
      }
      utf8 = Cp1252ZuUtf8(text.substr(0, XlsxMaxText));
      merken(worksheet_write_string(blatt, r, c, utf8.c_str(), z == 0 ? fett : nullptr));
    }
  }
  const lxw_error schluss = mappe.Schliessen();
  if (fehler == LXW_NO_ERROR) fehler = schluss;
  if (fehler != LXW_NO_ERROR) return ExportFehler(datei, LxwGrund(fehler));
  if (const std::error_code ec = ersatz.Uebernehmen()) return ExportFehler(datei, ec);
  return ExportGespeichert(datei);
}

}  // namespace pegel
