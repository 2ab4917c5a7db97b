#include "csv_datei.h"

#include <ostream>
#include <string>
#include <string_view>

#include "cp1252.h"
#include "datei_ersetzen.h"

namespace pegel {

namespace {

constexpr std::size_t PufferGroesse = 1 << 20;

void FeldAnhaengen(std::string& aus, std::string_view text) {
  const bool quoten = text.find_first_of(";\"\r\n") != std::string_view::npos;
  if (quoten) aus += '"';
  for (const char c : text) {
    if (c == '"') aus += '"';
    aus += c;
  }
  if (quoten) aus += '"';
}

}  // namespace

ExportErgebnis WriteCSV(const WerteTabelle& tabelle, const std::filesystem::path& datei,
                        CsvKodierung kodierung) {
  const std::error_code ec = DateiSchreiben(datei, [&](std::ostream& f) {
    std::string puffer;
    puffer.reserve(PufferGroesse + 4096);
    std::string zeile;
    if (kodierung == CsvKodierung::Utf8) puffer += "\xEF\xBB\xBF";
    for (std::size_t z = 0; z < tabelle.Zeilen() && f; ++z) {
      zeile.clear();
      for (std::size_t s = 0; s < tabelle.Spalten(); ++s) {
        if (s > 0) zeile += ';';
        FeldAnhaengen(zeile, tabelle.Zelle(z, s));
      }
      zeile += "\r\n";
      puffer += kodierung == CsvKodierung::Utf8 ? Cp1252ZuUtf8(zeile) : zeile;
      if (puffer.size() >= PufferGroesse) {
        f.write(puffer.data(), static_cast<std::streamsize>(puffer.size()));
        puffer.clear();
      }
    }
    f.write(puffer.data(), static_cast<std::streamsize>(puffer.size()));
  });
  if (ec) return ExportFehler(datei, ec);
  return ExportGespeichert(datei);
}

}  // namespace pegel
