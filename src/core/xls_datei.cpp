#include "xls_datei.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "cp1252.h"
#include "datei_ersetzen.h"
#include "text_format.h"

namespace pegel {

namespace {

constexpr std::size_t PufferGroesse = 1 << 20;

// Little-endian into a record under construction.
void U16(char* p, std::uint32_t v) {
  p[0] = static_cast<char>(v & 0xFF);
  p[1] = static_cast<char>((v >> 8) & 0xFF);
}
void U32(char* p, std::uint32_t v) {
  U16(p, v & 0xFFFF);
  U16(p + 2, v >> 16);
}
void U64(char* p, std::uint64_t v) {
  U32(p, static_cast<std::uint32_t>(v & 0xFFFFFFFF));
  U32(p + 4, static_cast<std::uint32_t>(v >> 32));
}

// Record id, length, row, column and format index 0: the first ten bytes of every cell.
void Kopf(char* p, std::uint32_t id, std::uint32_t laenge, std::uint32_t zeile,
          std::uint32_t spalte) {
  U16(p, id);
  U16(p + 2, laenge);
  U16(p + 4, zeile);
  U16(p + 6, spalte);
  U16(p + 8, 0);
}

// Sign and digits only, with blanks around: the texts whose number is written exactly as
// an integer. "5E-5" and "1,0" are numbers too, but not such integers.
bool IstGanzzahlText(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void ZelleAnhaengen(std::string& aus, std::uint32_t zeile, std::uint32_t spalte,
                    std::string_view text) {
  std::array<char, 18> r{};
  const std::optional<double> zahl = text.empty() ? std::nullopt : ZahlLesen(text);
  if (zahl && IstGanzzahlText(text) && *zahl >= static_cast<double>(RkMin) &&
      *zahl <= static_cast<double>(RkMax)) {
    Kopf(r.data(), 0x027E, 10, zeile, spalte);
    const auto ganz = static_cast<std::int32_t>(*zahl);
    U32(r.data() + 10, (static_cast<std::uint32_t>(ganz) << 2) | 2u);
    aus.append(r.data(), 14);
  } else if (zahl) {
    Kopf(r.data(), 0x0203, 14, zeile, spalte);
    U64(r.data() + 10, std::bit_cast<std::uint64_t>(*zahl));
    aus.append(r.data(), 18);
  } else {
    const std::size_t n = std::min(text.size(), XlsMaxText);
    Kopf(r.data(), 0x0204, static_cast<std::uint32_t>(n + 8), zeile, spalte);
    U16(r.data() + 10, static_cast<std::uint32_t>(n));
    aus.append(r.data(), 12);
    aus.append(text.data(), n);
  }
}

}  // namespace

ExportErgebnis WriteXLS(const WerteTabelle& tabelle, const std::filesystem::path& datei) {
  const std::size_t zeilen = tabelle.Zeilen();
  const std::size_t spalten = tabelle.Spalten();
  if (zeilen > XlsMaxZeilen) {
    return {false, "Die Tabelle hat " + TausenderText(zeilen) +
                       Ansi(" Zeilen; eine .xls-Datei fasst höchstens ") +
                       TausenderText(XlsMaxZeilen) +
                       Ansi(" Zeilen.\nBitte exportieren Sie als .xlsx-Datei (bis 1.048.576 "
                            "Zeilen) oder wählen Sie einen kürzeren Zeitraum.")};
  }
  if (spalten > XlsMaxSpalten) {
    return {false, "Die Tabelle hat " + TausenderText(spalten) +
                       Ansi(" Spalten; eine .xls-Datei fasst höchstens ") +
                       TausenderText(XlsMaxSpalten) +
                       Ansi(" Spalten.\nBitte exportieren Sie als .xlsx-Datei.")};
  }
  const std::error_code ec = DateiSchreiben(datei, [&](std::ostream& f) {
    std::string puffer;
    puffer.reserve(PufferGroesse + 512);
    static constexpr char Bof[] = {0x09, 0x08, 0x08, 0x00, 0x00, 0x00,
                                   0x10, 0x00, 0x00, 0x00, 0x00, 0x00};
    puffer.append(Bof, sizeof Bof);
    for (std::size_t z = 0; z < zeilen && f; ++z) {
      for (std::size_t s = 0; s < spalten; ++s) {
        ZelleAnhaengen(puffer, static_cast<std::uint32_t>(z), static_cast<std::uint32_t>(s),
                       tabelle.Zelle(z, s));
      }
      if (puffer.size() >= PufferGroesse) {
        f.write(puffer.data(), static_cast<std::streamsize>(puffer.size()));
        puffer.clear();
      }
    }
    static constexpr char Eof[] = {0x0A, 0x00, 0x00, 0x00};
    puffer.append(Eof, sizeof Eof);
    f.write(puffer.data(), static_cast<std::streamsize>(puffer.size()));
  });
  if (ec) return ExportFehler(datei, ec);
  return ExportGespeichert(datei);
}

}  // namespace pegel
