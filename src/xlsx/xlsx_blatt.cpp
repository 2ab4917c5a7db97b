#include "xlsx_blatt.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <optional>
#include <vector>

#include "cp1252.h"
#include "text_format.h"
#include "xlsx_datei.h"

namespace pegel {

namespace {

bool IstZiffer(char c) { return c >= '0' && c <= '9'; }
bool IstLeer(char c) { return c == ' ' || c == '\t'; }
bool IstHex(char c) { return IstZiffer(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// "_xHHHH_" at the beginning of `s`: what a spreadsheet program reads as an escaped
// character.
bool IstEscape(std::string_view s) {
  return s.size() >= 7 && s[0] == '_' && s[1] == 'x' && s[6] == '_' &&
         std::all_of(s.begin() + 2, s.begin() + 6, IstHex);
}

// Bytes a cell adds to the sheet beyond its escaped text: the longest reference, style,
// type and tags (an inline text's are 79), or a time value with its tags (58).
constexpr std::size_t ZellenRahmen = 96;
// An escaped text byte takes at most 7 bytes ("_x0001_").
constexpr std::size_t ProZeichen = 7;
// "<row r="1048576">" and "</row>".
constexpr std::size_t ZeilenRahmen = 40;
// The writer copies a cell's reference in fixed blocks of this many bytes and may write
// that far beyond what it keeps.
constexpr std::size_t Ueberhang = 32;

// Column letters: 0 -> "A", 25 -> "Z", 26 -> "AA", 16383 -> "XFD".
std::string SpaltenName(std::size_t spalte) {
  std::string s;
  for (std::size_t n = spalte + 1; n > 0; n = (n - 1) / 26) {
    s.insert(s.begin(), static_cast<char>('A' + (n - 1) % 26));
  }
  return s;
}

// The common short form "[sign] digits [, digits]" with digits on both sides of a ","
// and at most 32 characters, copied in its file form in one pass; nullptr for any other
// text, which then takes the general path. Most cells of a day take this one.
char* KurzeZahlKopieren(std::string_view text, char* p) {
  if (text.size() > 32) return nullptr;
  const char* a = text.data();
  const char* const e = a + text.size();
  if (a < e && (*a == '-' || *a == '+')) {
    if (*a == '-') *p++ = '-';
    ++a;
  }
  const char* const ziffern = a;
  while (a < e && IstZiffer(*a)) *p++ = *a++;
  if (a == ziffern) return nullptr;
  if (a < e && *a == ',') {
    *p++ = '.';
    const char* const nachkomma = ++a;
    while (a < e && IstZiffer(*a)) *p++ = *a++;
    if (a == nachkomma) return nullptr;
  }
  return a == e ? p : nullptr;
}

// A cell's text as an inline text; `stil` 0 for none.
void TextZelle(std::string& z, std::string_view ref, std::string_view text, int stil) {
  z += "<c r=\"";
  z += ref;
  z += '"';
  if (stil != 0) {
    z += " s=\"";
    z += static_cast<char>('0' + stil);
    z += '"';
  }
  z += " t=\"inlineStr\"><is><t";
  const std::string_view t = text.substr(0, XlsxMaxText);
  const auto leer = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  if (!t.empty() && (leer(t.front()) || leer(t.back()))) z += " xml:space=\"preserve\"";
  z += '>';
  XlsxText(t, z);
  z += "</t></is></c>";
}

// The reference's column part "<c r="COLUMN and its row part ROW"><v> in fixed blocks, so
// that a number cell is put together from copies of constant size and its digits.
struct Block {
  std::array<char, Ueberhang> b{};
  std::size_t n = 0;
};
Block BlockAus(std::string_view s) {
  Block b;
  std::copy(s.begin(), s.end(), b.b.begin());
  b.n = s.size();
  return b;
}

char* BlockSetzen(char* p, const Block& b) {
  std::memcpy(p, b.b.data(), Ueberhang);
  return p + b.n;
}

std::string Kopf(const WerteTabelle& tabelle) {
  const std::size_t zeilen = tabelle.Zeilen();
  const std::size_t spalten = tabelle.Spalten();
  std::string k =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
      "<dimension ref=\"A1";
  if (zeilen > 1 || spalten > 1) {
    k += ":" + SpaltenName(spalten - 1) + GanzText(static_cast<std::int64_t>(zeilen));
  }
  k += "\"/>"
       "<sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\">"
       "<pane xSplit=\"1\" ySplit=\"1\" topLeftCell=\"B2\" activePane=\"bottomRight\" "
       "state=\"frozen\"/>"
       "<selection pane=\"topRight\"/><selection pane=\"bottomLeft\"/>"
       "<selection pane=\"bottomRight\" activeCell=\"B2\" sqref=\"B2\"/>"
       "</sheetView></sheetViews>"
       "<sheetFormatPr defaultRowHeight=\"15\"/>"
       // Widths in characters plus the cell padding, as spreadsheet programs store them.
       "<cols><col min=\"1\" max=\"1\" width=\"10.7109375\" customWidth=\"1\"/>";
  if (spalten > 1) {
    k += "<col min=\"2\" max=\"" + GanzText(static_cast<std::int64_t>(spalten)) +
         "\" width=\"16.7109375\" customWidth=\"1\"/>";
  }
  k += "</cols><sheetData>";
  return k;
}

constexpr std::string_view Schluss =
    "</sheetData>"
    "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
    "footer=\"0.3\"/></worksheet>";

}  // namespace

bool XlsxZahl(std::string_view text, std::string& aus) {
  if (!ZahlLesen(text)) return false;
  while (!text.empty() && IstLeer(text.front())) text.remove_prefix(1);
  while (!text.empty() && IstLeer(text.back())) text.remove_suffix(1);
  std::size_t i = 0;
  if (text[i] == '-') aus += '-';
  if (text[i] == '+' || text[i] == '-') ++i;
  const std::size_t ganz = i;
  while (i < text.size() && IstZiffer(text[i])) aus += text[i++];
  if (i == ganz) aus += '0';
  if (i < text.size() && text[i] == ',') {
    ++i;
    if (i < text.size() && IstZiffer(text[i])) aus += '.';
    while (i < text.size() && IstZiffer(text[i])) aus += text[i++];
  }
  if (i < text.size()) {  // the exponent, which ZahlLesen has checked
    aus += 'E';
    aus += text.substr(i + 1);
  }
  return true;
}

void XlsxText(std::string_view ansi, std::string& aus) {
  static constexpr char Hex[] = "0123456789ABCDEF";
  const std::string utf8 = Cp1252ZuUtf8(ansi);
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    const auto u = static_cast<unsigned char>(c);
    if (c == '&') {
      aus += "&amp;";
    } else if (c == '<') {
      aus += "&lt;";
    } else if (c == '>') {
      aus += "&gt;";
    } else if (c == '\r') {
      aus += "&#13;";
    } else if (u < 0x20 && c != '\t' && c != '\n') {
      aus += "_x00";
      aus += Hex[u >> 4];
      aus += Hex[u & 0xF];
      aus += '_';
    } else if (c == '_' && IstEscape(std::string_view(utf8).substr(i))) {
      aus += "_x005F_";
    } else {
      aus += c;
    }
  }
}

std::uint64_t XlsxBlattHoechstens(const WerteTabelle& tabelle) {
  const std::size_t spalten = tabelle.Spalten();
  // How often the most used field of a line appears among the columns: the cells of a
  // row are at most that many times the line.
  std::array<std::size_t, gitter::Spalten + 1> anzahl{};
  std::size_t mehrfach = 0;
  for (std::size_t s = 0; s < spalten; ++s) {
    const std::size_t f = std::min(tabelle.Feld(s), gitter::Spalten);
    mehrfach = std::max(mehrfach, ++anzahl[f]);
  }
  std::uint64_t summe = Kopf(tabelle).size() + Schluss.size() + ZeilenRahmen;
  for (std::size_t s = 1; s < spalten; ++s) {
    summe += ZellenRahmen + ProZeichen * std::min(tabelle.Titel(s).size(), XlsxMaxText);
  }
  const std::uint64_t proZeile = ZeilenRahmen + ZellenRahmen * spalten;
  for (std::size_t z = 1; z < tabelle.Zeilen(); ++z) {
    summe += proZeile + ProZeichen * mehrfach * tabelle.Tageszeile(z).Laenge();
  }
  return summe;
}

void XlsxBlattSchreiben(const WerteTabelle& tabelle, ZipArchiv& zip) {
  const std::size_t zeilen = tabelle.Zeilen();
  const std::size_t spalten = tabelle.Spalten();
  zip.Anhaengen(Kopf(tabelle));

  std::vector<std::string> namen(spalten);
  std::vector<Block> bezug(spalten);  // "<c r="COLUMN
  std::vector<std::size_t> feld(spalten);
  for (std::size_t s = 0; s < spalten; ++s) {
    namen[s] = SpaltenName(s);
    bezug[s] = BlockAus("<c r=\"" + namen[s]);
    feld[s] = tabelle.Feld(s);
  }

  std::string text;  // a cell that is put together as a string first
  std::array<char, 32> zahl{};
  for (std::size_t z = 0; z < zeilen; ++z) {
    const auto [ende, fehler] = std::to_chars(zahl.data(), zahl.data() + zahl.size(), z + 1);
    const std::string_view nummer(zahl.data(), static_cast<std::size_t>(ende - zahl.data()));
    const Block zahlZelle = BlockAus(std::string(nummer) + "\"><v>");
    const Block zeitZelle =
        BlockAus(std::string(nummer) + "\" s=\"" + GanzText(XlsxStilZeit) + "\"><v>");
    text = "<row r=\"";
    text += nummer;
    text += "\">";
    zip.Anhaengen(text);

    if (z == 0) {
      for (std::size_t s = 1; s < spalten; ++s) {
        const std::string_view titel = tabelle.Titel(s);
        if (titel.empty()) continue;
        text.clear();
        TextZelle(text, namen[s] + std::string(nummer), titel, XlsxStilFett);
        zip.Anhaengen(text);
      }
    } else {
      const gitter::ZeilenSicht zeile = tabelle.Tageszeile(z);
      for (std::size_t s = 0; s < spalten; ++s) {
        const std::string_view zelle = zeile.Feld(feld[s]);
        if (zelle.empty()) continue;
        char* p =
            zip.Platz(ZellenRahmen + Ueberhang + ProZeichen * std::min(zelle.size(), XlsxMaxText));
        char* wert = nullptr;
        if (s == 0) {
          if (const std::optional<TDateTime> t = ZeitLesen(zelle)) {
            wert = BlockSetzen(BlockSetzen(p, bezug[s]), zeitZelle);
            wert = std::to_chars(wert, wert + 32, *t).ptr;
          }
        } else {
          wert = KurzeZahlKopieren(zelle, BlockSetzen(BlockSetzen(p, bezug[s]), zahlZelle));
          if (wert == nullptr) {
            text.clear();
            if (XlsxZahl(zelle, text)) {
              wert = BlockSetzen(BlockSetzen(p, bezug[s]), zahlZelle);
              wert = std::copy(text.begin(), text.end(), wert);
            }
          }
        }
        if (wert != nullptr) {
          std::memcpy(wert, "</v></c>", 8);
          zip.Belegt(wert + 8);
        } else {
          text.clear();
          TextZelle(text, namen[s] + std::string(nummer), zelle, 0);
          zip.Anhaengen(text);
        }
      }
    }
    zip.Anhaengen("</row>");
  }
  zip.Anhaengen(Schluss);
}

}  // namespace pegel
