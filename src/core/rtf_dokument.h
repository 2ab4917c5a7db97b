// What the RTF reader makes of a protocol file: paragraphs of text pieces, each piece with
// one character format. The view turns it into a rich text document in one loop (a block
// per paragraph, an insert per piece), and tools and tests use its plain text.
//
// Text here is UTF-8, unlike the rest of core, which keeps Windows-1252 bytes: an RTF file
// carries characters through \uN that Windows-1252 has no byte for (Greek letters in
// "Δp", for instance), and they must reach the screen unchanged. Nothing else in core
// reads this text, so the exception stays within the reader and its one consumer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pegel {

// A line break inside a paragraph (\line), as UTF-8 LINE SEPARATOR U+2028: inserted as
// text into a rich text document it breaks the line without starting a new paragraph.
inline constexpr std::string_view RtfZeilenumbruch = "\xE2\x80\xA8";

struct RtfFarbe {
  std::uint8_t Rot = 0;
  std::uint8_t Gruen = 0;
  std::uint8_t Blau = 0;
  bool operator==(const RtfFarbe&) const = default;
};

// In this order the format takes 16 bytes: a file can hold millions of pieces.
struct RtfFormat {
  double Punkte = 12.0;  // font size; RTF's default of 24 half-points
  // Empty: the view's default text colour (RTF's "auto" entry, or no \cf at all).
  std::optional<RtfFarbe> Farbe;
  bool Fett = false;
  bool Kursiv = false;
  bool Unterstrichen = false;
  bool operator==(const RtfFormat&) const = default;
};

// A piece of text in one format. Never empty in a document the reader made.
struct RtfStueck {
  std::string Text;  // UTF-8; may hold "\t" and RtfZeilenumbruch
  RtfFormat Format;
};

struct RtfAbsatz {
  std::vector<RtfStueck> Stuecke;
  // A row of a table: its cells are separated by "\t" in the text.
  bool Tabellenzeile = false;
};

struct RtfDokument {
  std::vector<RtfAbsatz> Absaetze;
  // False when the bytes did not begin with "{\rtf": they were then taken as plain
  // Windows-1252 text, one paragraph per line.
  bool Rtf = true;
  // The file ended inside a group (cut or broken), nested deeper than the reader follows,
  // or had a brace too many; what could be read is there all the same.
  bool Beschaedigt = false;
};

// The text of all paragraphs, joined by "\n"; line breaks inside a paragraph become "\n"
// as well, table cells stay separated by "\t". UTF-8, without a final line break.
std::string RtfKlartext(const RtfDokument& dok);

}  // namespace pegel
