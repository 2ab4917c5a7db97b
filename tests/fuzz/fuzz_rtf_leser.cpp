// Feeds arbitrary bytes to the RTF reader and checks what every document it returns must
// be: pieces that are not empty and hold valid UTF-8, sizes within range, and text that
// grows at most linearly with the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "rtf_leser.h"

namespace {

void Pruefen(bool ok) {
  if (!ok) std::abort();
}

bool IstUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<std::uint8_t>(s[i]);
    std::size_t n = 0;
    char32_t cp = 0;
    if (b < 0x80) {
      ++i;
      continue;
    } else if (b >= 0xC2 && b <= 0xDF) {
      n = 2;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      n = 3;
      cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      n = 4;
      cp = b & 0x07;
    } else {
      return false;
    }
    if (i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      const auto f = static_cast<std::uint8_t>(s[i + k]);
      if ((f & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (f & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000) || cp > 0x10FFFF ||
        (cp >= 0xD800 && cp <= 0xDFFF)) {
      return false;
    }
    i += n;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  const std::string_view bytes(reinterpret_cast<const char*>(daten), groesse);
  const pegel::RtfDokument dok = pegel::RtfLesen(bytes);
  Pruefen(dok.Rtf == pegel::IstRtf(bytes));
  // A paragraph costs at least one input byte (a line break, or \par inside a group).
  Pruefen(dok.Absaetze.size() <= groesse);
  std::size_t text = 0;
  for (const pegel::RtfAbsatz& a : dok.Absaetze) {
    for (const pegel::RtfStueck& s : a.Stuecke) {
      Pruefen(!s.Text.empty());
      Pruefen(IstUtf8(s.Text));
      Pruefen(s.Format.Punkte >= 0.5 && s.Format.Punkte <= 1638);
      text += s.Text.size();
    }
  }
  // Windows-1252 bytes above 0x7F take three bytes in UTF-8; no input byte gives more.
  Pruefen(text <= 3 * groesse);
  Pruefen(pegel::RtfKlartext(dok).size() <= text + dok.Absaetze.size());
  return 0;
}
