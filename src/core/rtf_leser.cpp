#include "rtf_leser.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <unordered_map>
#include <vector>

#include "cp1252.h"

namespace pegel {
namespace {

// Deeper nesting is read in the state of this level, so that a file of braces cannot make
// the state stack grow with it.
constexpr std::size_t MaxTiefe = 1000;
// 1638 points, the largest size word processors offer; larger values are cut to it.
constexpr std::int32_t MaxHalbpunkte = 3276;
constexpr std::int32_t StandardHalbpunkte = 24;

constexpr char32_t Ersatzzeichen = 0xFFFD;

enum class Wort : std::uint8_t {
  Absatz,           // \par: ends the paragraph
  Abschnitt,        // \sect, \page: end a paragraph that has text
  Zeilenumbruch,    // \line
  Zeichen,          // a word that stands for one character (\tab, \emdash, ...)
  Fett,             // \b
  Kursiv,           // \i
  Unterstrichen,    // \ul and its dotted, double, wavy ... kinds
  OhneUnterstrich,  // \ulnone
  Schlicht,         // \plain: character format to defaults
  AbsatzFormat,     // \pard: paragraph properties to defaults
  Groesse,          // \fs
  Farbe,            // \cf
  Farbtabelle,      // \colortbl
  Rot,
  Gruen,
  Blau,
  Unicode,        // \u
  UnicodeErsatz,  // \uc
  Binaer,         // \bin
  InTabelle,      // \intbl
  Zelle,          // \cell
  Zeile,          // \row
  Auslassen,      // a destination whose text is not shown
};

struct Steuerwort {
  std::string_view name;
  Wort wort;
  char32_t zeichen = 0;
};

// Strictly sorted by name, so that each word appears once and is easy to find here.
constexpr auto Woerter = std::to_array<Steuerwort>({
    {"aftncn", Wort::Auslassen},
    {"aftnsep", Wort::Auslassen},
    {"aftnsepc", Wort::Auslassen},
    {"annotation", Wort::Auslassen},
    {"b", Wort::Fett},
    {"bin", Wort::Binaer},
    {"blue", Wort::Blau},
    {"bullet", Wort::Zeichen, 0x2022},
    {"cell", Wort::Zelle},
    {"cf", Wort::Farbe},
    {"colortbl", Wort::Farbtabelle},
    {"do", Wort::Auslassen},
    {"emdash", Wort::Zeichen, 0x2014},
    {"emspace", Wort::Zeichen, 0x2003},
    {"endash", Wort::Zeichen, 0x2013},
    {"enspace", Wort::Zeichen, 0x2002},
    {"filetbl", Wort::Auslassen},
    {"fldinst", Wort::Auslassen},
    {"fonttbl", Wort::Auslassen},
    {"footer", Wort::Auslassen},
    {"footerf", Wort::Auslassen},
    {"footerl", Wort::Auslassen},
    {"footerr", Wort::Auslassen},
    {"footnote", Wort::Auslassen},
    {"fs", Wort::Groesse},
    {"ftncn", Wort::Auslassen},
    {"ftnsep", Wort::Auslassen},
    {"ftnsepc", Wort::Auslassen},
    {"green", Wort::Gruen},
    {"header", Wort::Auslassen},
    {"headerf", Wort::Auslassen},
    {"headerl", Wort::Auslassen},
    {"headerr", Wort::Auslassen},
    {"i", Wort::Kursiv},
    {"info", Wort::Auslassen},
    {"intbl", Wort::InTabelle},
    {"ldblquote", Wort::Zeichen, 0x201C},
    {"line", Wort::Zeilenumbruch},
    {"listoverridetable", Wort::Auslassen},
    {"listtable", Wort::Auslassen},
    {"lquote", Wort::Zeichen, 0x2018},
    {"ltrmark", Wort::Zeichen, 0x200E},
    {"nonshppict", Wort::Auslassen},
    {"page", Wort::Abschnitt},
    {"par", Wort::Absatz},
    {"pard", Wort::AbsatzFormat},
    {"pict", Wort::Auslassen},
    {"plain", Wort::Schlicht},
    {"pn", Wort::Auslassen},
    {"pntxta", Wort::Auslassen},
    {"pntxtb", Wort::Auslassen},
    {"private", Wort::Auslassen},
    {"qmspace", Wort::Zeichen, 0x2005},
    {"rdblquote", Wort::Zeichen, 0x201D},
    {"red", Wort::Rot},
    {"revtbl", Wort::Auslassen},
    {"row", Wort::Zeile},
    {"rquote", Wort::Zeichen, 0x2019},
    {"rtlmark", Wort::Zeichen, 0x200F},
    {"rxe", Wort::Auslassen},
    {"sect", Wort::Abschnitt},
    {"stylesheet", Wort::Auslassen},
    {"tab", Wort::Zeichen, '\t'},
    {"tc", Wort::Auslassen},
    {"template", Wort::Auslassen},
    {"txe", Wort::Auslassen},
    {"u", Wort::Unicode},
    {"uc", Wort::UnicodeErsatz},
    {"ul", Wort::Unterstrichen},
    {"uld", Wort::Unterstrichen},
    {"uldash", Wort::Unterstrichen},
    {"uldashd", Wort::Unterstrichen},
    {"uldashdd", Wort::Unterstrichen},
    {"uldb", Wort::Unterstrichen},
    {"ulhwave", Wort::Unterstrichen},
    {"ulldash", Wort::Unterstrichen},
    {"ulnone", Wort::OhneUnterstrich},
    {"ulth", Wort::Unterstrichen},
    {"ulthd", Wort::Unterstrichen},
    {"ulthdash", Wort::Unterstrichen},
    {"ulthdashd", Wort::Unterstrichen},
    {"ulthdashdd", Wort::Unterstrichen},
    {"ulthldash", Wort::Unterstrichen},
    {"ululdbwave", Wort::Unterstrichen},
    {"ulw", Wort::Unterstrichen},
    {"ulwave", Wort::Unterstrichen},
    {"xe", Wort::Auslassen},
    {"zwj", Wort::Zeichen, 0x200D},
    {"zwnj", Wort::Zeichen, 0x200C},
});
static_assert(std::adjacent_find(Woerter.begin(), Woerter.end(), [](const auto& a, const auto& b) {
                return !(a.name < b.name);
              }) == Woerter.end());

// The entry of a control word, or nullptr for a word this reader ignores. A hash table,
// because a file of 16 MB holds millions of control words.
const Steuerwort* Nachschlagen(std::string_view name) {
  static const auto tabelle = [] {
    std::unordered_map<std::string_view, const Steuerwort*> t;
    for (const Steuerwort& w : Woerter) t.emplace(w.name, &w);
    return t;
  }();
  const auto it = tabelle.find(name);
  return it != tabelle.end() ? it->second : nullptr;
}

enum class Ziel : std::uint8_t { Text, Farbtabelle, Auslassen };

// What a group inherits from its parent and gets back when it closes.
struct Zustand {
  RtfFormat format;
  std::int32_t ersatzZeichen = 1;  // \uc: characters after \uN that stand in for it
  bool inTabelle = false;
  Ziel ziel = Ziel::Text;
};

bool IstBuchstabe(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IstZiffer(unsigned char c) { return c >= '0' && c <= '9'; }

int HexWert(unsigned char c) {
  if (IstZiffer(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Writes cp as UTF-8 into `aus`; returns the number of bytes.
std::size_t Utf8Kodieren(char32_t cp, std::array<char, 4>& aus) {
  if (cp < 0x80) {
    aus[0] = static_cast<char>(cp);
    return 1;
  }
  if (cp < 0x800) {
    aus[0] = static_cast<char>(0xC0 | (cp >> 6));
    aus[1] = static_cast<char>(0x80 | (cp & 0x3F));
    return 2;
  }
  if (cp < 0x10000) {
    aus[0] = static_cast<char>(0xE0 | (cp >> 12));
    aus[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    aus[2] = static_cast<char>(0x80 | (cp & 0x3F));
    return 3;
  }
  aus[0] = static_cast<char>(0xF0 | (cp >> 18));
  aus[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
  aus[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  aus[3] = static_cast<char>(0x80 | (cp & 0x3F));
  return 4;
}

// Where "{\rtf" begins after leading blanks, line breaks and a UTF-8 byte order mark;
// npos when the bytes do not begin so.
std::size_t RtfAnfang(std::string_view b) {
  std::size_t p = 0;
  if (b.starts_with("\xEF\xBB\xBF")) p = 3;
  while (p < b.size() && (b[p] == ' ' || b[p] == '\t' || b[p] == '\r' || b[p] == '\n')) ++p;
  return b.substr(p).starts_with("{\\rtf") ? p : std::string_view::npos;
}

// Text that is not RTF: one paragraph per line (LF, CRLF or CR), control characters other
// than tab dropped.
RtfDokument KlartextLesen(std::string_view b) {
  RtfDokument dok;
  dok.Rtf = false;
  std::string zeile;
  auto abschliessen = [&] {
    RtfAbsatz a;
    if (!zeile.empty()) a.Stuecke.push_back({Cp1252ZuUtf8(zeile), RtfFormat{}});
    dok.Absaetze.push_back(std::move(a));
    zeile.clear();
  };
  for (std::size_t i = 0; i < b.size(); ++i) {
    const auto c = static_cast<unsigned char>(b[i]);
    if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < b.size() && b[i + 1] == '\n') ++i;
      abschliessen();
    } else if (c >= 0x20 || c == '\t') {
      zeile.push_back(static_cast<char>(c));
    }
  }
  if (!zeile.empty()) abschliessen();
  return dok;
}

class Leser {
 public:
  explicit Leser(std::string_view b) : b_(b) { stapel_.emplace_back(); }

  RtfDokument Lesen() {
    while (pos_ < b_.size()) {
      const auto c = static_cast<unsigned char>(b_[pos_++]);
      switch (c) {
        case '{':
          GruppeAuf();
          break;
        case '}':
          GruppeZu();
          break;
        case '\\':
          Steuerung();
          break;
        case '\r':
        case '\n':
          break;  // line breaks of the file are not text
        default:
          TextByte(c);
      }
    }
    if (stapel_.size() > 1 || tiefer_ > 0) dok_.Beschaedigt = true;
    HochenSurrogatAbschliessen();
    if (!absatz_.Stuecke.empty()) AbsatzAbschliessen();
    return std::move(dok_);
  }

 private:
  enum class Trenner : std::uint8_t { Keiner, Leerzeichen, Tab };

  Zustand& Z() { return stapel_.back(); }

  void GruppeAuf() {
    ersatzRest_ = 0;  // a brace ends the characters that stand in for \uN
    if (stapel_.size() > MaxTiefe) {
      ++tiefer_;
      dok_.Beschaedigt = true;
    } else {
      stapel_.push_back(stapel_.back());
    }
  }

  void GruppeZu() {
    ersatzRest_ = 0;
    if (tiefer_ > 0) {
      --tiefer_;
      return;
    }
    if (stapel_.size() <= 1) {
      // A brace without its opening one: go on reading what follows in the outer state.
      dok_.Beschaedigt = true;
      return;
    }
    const bool warFarbtabelle = Z().ziel == Ziel::Farbtabelle;
    stapel_.pop_back();
    if (warFarbtabelle && Z().ziel != Ziel::Farbtabelle && farbeOffen_) FarbeAbschliessen();
  }

  // After a backslash.
  void Steuerung() {
    if (pos_ >= b_.size()) {
      dok_.Beschaedigt = true;
      return;
    }
    const auto c = static_cast<unsigned char>(b_[pos_]);
    if (IstBuchstabe(c)) {
      SteuerwortLesen();
      return;
    }
    ++pos_;
    if (c == '\'') {
      HexLesen();
      return;
    }
    if (ersatzRest_ > 0) {
      --ersatzRest_;
      return;
    }
    switch (c) {
      case '\\':
      case '{':
      case '}':
        TextByte(c);
        break;
      case '~':
        Zeichen(0x00A0);  // no-break space
        break;
      case '-':
        Zeichen(0x00AD);  // soft hyphen
        break;
      case '_':
        Zeichen(0x2011);  // non-breaking hyphen
        break;
      case '*':
        Z().ziel = Ziel::Auslassen;  // a destination this reader may ignore
        break;
      case '\r':
      case '\n':
        Absatz();  // an escaped line break is an old spelling of \par
        break;
      default:
        break;  // \: \| and unknown symbols carry nothing to show
    }
  }

  void HexLesen() {
    if (pos_ + 2 > b_.size()) {
      pos_ = b_.size();
      dok_.Beschaedigt = true;
      return;
    }
    const int hoch = HexWert(static_cast<unsigned char>(b_[pos_]));
    const int tief = HexWert(static_cast<unsigned char>(b_[pos_ + 1]));
    if (hoch < 0 || tief < 0) return;  // not a hex escape: the bytes after it are read as usual
    pos_ += 2;
    if (ersatzRest_ > 0) {
      --ersatzRest_;
      return;
    }
    TextByte(static_cast<unsigned char>(hoch * 16 + tief));
  }

  void SteuerwortLesen() {
    const std::size_t anfang = pos_;
    while (pos_ < b_.size() && IstBuchstabe(static_cast<unsigned char>(b_[pos_]))) ++pos_;
    const std::string_view name = b_.substr(anfang, pos_ - anfang);

    bool hatWert = false;
    std::int64_t wert = 0;
    bool negativ = false;
    if (pos_ + 1 < b_.size() && b_[pos_] == '-' &&
        IstZiffer(static_cast<unsigned char>(b_[pos_ + 1]))) {
      negativ = true;
      ++pos_;
    }
    while (pos_ < b_.size() && IstZiffer(static_cast<unsigned char>(b_[pos_]))) {
      hatWert = true;
      // Saturate: a parameter of a hundred digits is as wrong as one of ten.
      wert = std::min<std::int64_t>(wert * 10 + (b_[pos_] - '0'),
                                    std::numeric_limits<std::int32_t>::max());
      ++pos_;
    }
    if (pos_ < b_.size() && b_[pos_] == ' ') ++pos_;  // the space ends the word, it is no text
    const auto param = static_cast<std::int32_t>(negativ ? -wert : wert);

    const Steuerwort* w = Nachschlagen(name);
    if (w != nullptr && w->wort == Wort::Binaer) {
      // Binary data is skipped whatever state the reader is in; its bytes are no RTF.
      const std::size_t n = hatWert && param > 0 ? static_cast<std::size_t>(param) : 0;
      if (n > b_.size() - pos_) dok_.Beschaedigt = true;  // the file is cut inside the data
      pos_ += std::min(n, b_.size() - pos_);
    }
    if (ersatzRest_ > 0) {
      --ersatzRest_;
      return;
    }
    if (w == nullptr || Z().ziel == Ziel::Auslassen) return;
    if (Z().ziel == Ziel::Farbtabelle) {
      Farbanteil(w->wort, param);
      return;
    }
    Ausfuehren(*w, hatWert, param);
  }

  void Farbanteil(Wort w, std::int32_t param) {
    const auto anteil = static_cast<std::uint8_t>(std::clamp(param, 0, 255));
    switch (w) {
      case Wort::Rot:
        neueFarbe_.Rot = anteil;
        break;
      case Wort::Gruen:
        neueFarbe_.Gruen = anteil;
        break;
      case Wort::Blau:
        neueFarbe_.Blau = anteil;
        break;
      default:
        return;
    }
    farbeGesetzt_ = true;
    farbeOffen_ = true;
  }

  // Ends one entry of the colour table; an entry without colour words is "auto".
  void FarbeAbschliessen() {
    farben_.push_back(farbeGesetzt_ ? std::optional<RtfFarbe>(neueFarbe_) : std::nullopt);
    neueFarbe_ = RtfFarbe{};
    farbeGesetzt_ = false;
    farbeOffen_ = false;
  }

  void Ausfuehren(const Steuerwort& w, bool hatWert, std::int32_t param) {
    RtfFormat& f = Z().format;
    const bool an = !hatWert || param != 0;  // \b and \b1 switch on, \b0 off
    switch (w.wort) {
      case Wort::Absatz:
        Absatz();
        break;
      case Wort::Abschnitt:
        if (!absatz_.Stuecke.empty()) Absatz();
        break;
      case Wort::Zeilenumbruch:
        Zeichen(0x2028);
        break;
      case Wort::Zeichen:
        Zeichen(w.zeichen);
        break;
      case Wort::Fett:
        f.Fett = an;
        break;
      case Wort::Kursiv:
        f.Kursiv = an;
        break;
      case Wort::Unterstrichen:
        f.Unterstrichen = an;
        break;
      case Wort::OhneUnterstrich:
        f.Unterstrichen = false;
        break;
      case Wort::Schlicht:
        f = RtfFormat{};
        break;
      case Wort::AbsatzFormat:
        Z().inTabelle = false;
        break;
      case Wort::Groesse: {
        const std::int32_t hp =
            hatWert && param > 0 ? std::min(param, MaxHalbpunkte) : StandardHalbpunkte;
        f.Punkte = hp / 2.0;
        break;
      }
      case Wort::Farbe: {
        const std::int32_t n = hatWert ? param : 0;
        f.Farbe = n >= 0 && static_cast<std::size_t>(n) < farben_.size()
                      ? farben_[static_cast<std::size_t>(n)]
                      : std::nullopt;
        break;
      }
      case Wort::Farbtabelle:
        Z().ziel = Ziel::Farbtabelle;
        farben_.clear();
        neueFarbe_ = RtfFarbe{};
        farbeGesetzt_ = false;
        farbeOffen_ = false;
        break;
      case Wort::Unicode:
        if (!hatWert) break;
        Unicode(param);
        ersatzRest_ = Z().ersatzZeichen;
        break;
      case Wort::UnicodeErsatz:
        Z().ersatzZeichen = hatWert ? std::max(param, 0) : 1;
        break;
      case Wort::InTabelle:
        Z().inTabelle = an;
        break;
      case Wort::Zelle:
        Zelle();
        break;
      case Wort::Zeile:
        Zeile();
        break;
      case Wort::Auslassen:
        Z().ziel = Ziel::Auslassen;
        break;
      case Wort::Rot:
      case Wort::Gruen:
      case Wort::Blau:
      case Wort::Binaer:
        break;  // only meaningful in the colour table, or done already
    }
  }

  // \uN: N is a signed 16-bit number in RTF (\u-4064 is U+F020); writers that ignore this
  // give the code point itself, which is taken as it is.
  void Unicode(std::int32_t n) {
    if (n < 0) n += 0x10000;
    if (n < 0 || n > 0x10FFFF) {
      Zeichen(Ersatzzeichen);
      return;
    }
    const auto cp = static_cast<char32_t>(n);
    if (cp >= 0xDC00 && cp <= 0xDFFF && hoherSurrogat_ != 0) {
      const char32_t ganz = 0x10000 + ((hoherSurrogat_ - 0xD800) << 10) + (cp - 0xDC00);
      hoherSurrogat_ = 0;
      Zeichen(ganz);
      return;
    }
    HochenSurrogatAbschliessen();
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      hoherSurrogat_ = cp;  // a character beyond 16 bits comes as two \u
      return;
    }
    Zeichen(cp >= 0xD800 && cp <= 0xDFFF ? Ersatzzeichen : cp);
  }

  // A high surrogate followed by anything but its low half is shown as U+FFFD.
  void HochenSurrogatAbschliessen() {
    if (hoherSurrogat_ != 0) Anhaengen("");
  }

  // A byte of text: a character of the file, \'xx or an escaped brace or backslash.
  void TextByte(unsigned char c) {
    if (ersatzRest_ > 0) {
      --ersatzRest_;
      return;
    }
    if (Z().ziel == Ziel::Farbtabelle) {
      if (c == ';') FarbeAbschliessen();
      return;
    }
    if (Z().ziel != Ziel::Text) return;
    if (c < 0x80) {
      Zeichen(c);
      return;
    }
    const char byte = static_cast<char>(c);
    Anhaengen(Cp1252ZuUtf8(std::string_view(&byte, 1)));
  }

  // One character of text in the current format. Control characters other than tab are
  // dropped: they have no meaning in a paragraph.
  void Zeichen(char32_t cp) {
    if (Z().ziel != Ziel::Text) return;
    if ((cp < 0x20 && cp != '\t') || cp == 0x7F) return;
    std::array<char, 4> utf8{};
    Anhaengen(std::string_view(utf8.data(), Utf8Kodieren(cp, utf8)));
  }

  // Appends text in the current format, after a separator owed to a table row and the
  // replacement for a high surrogate that found no partner, in the order they arose.
  void Anhaengen(std::string_view utf8) {
    if (trenner_ != Trenner::Keiner) {
      const Trenner t = trenner_;
      trenner_ = Trenner::Keiner;
      Einfuegen(t == Trenner::Tab ? "\t" : " ");
    }
    if (hoherSurrogat_ != 0) {
      hoherSurrogat_ = 0;
      Einfuegen("\xEF\xBF\xBD");
    }
    Einfuegen(utf8);
  }

  void Einfuegen(std::string_view utf8) {
    if (utf8.empty()) return;
    const RtfFormat& f = Z().format;
    if (absatz_.Stuecke.empty() || !(absatz_.Stuecke.back().Format == f)) {
      absatz_.Stuecke.push_back({std::string(), f});
    }
    absatz_.Stuecke.back().Text.append(utf8);
  }

  void Absatz() {
    if (Z().ziel != Ziel::Text) return;
    HochenSurrogatAbschliessen();
    if (Z().inTabelle) {
      // A paragraph end inside a cell: the row stays one line, so it becomes a blank
      // unless the cell ends first.
      if (trenner_ == Trenner::Keiner) trenner_ = Trenner::Leerzeichen;
      zeileOffen_ = true;
      return;
    }
    AbsatzAbschliessen();
  }

  void Zelle() {
    HochenSurrogatAbschliessen();
    if (trenner_ == Trenner::Tab) Anhaengen("");  // the cell before was empty
    trenner_ = Trenner::Tab;
    zeileOffen_ = true;
  }

  void Zeile() {
    HochenSurrogatAbschliessen();
    zeileOffen_ = true;
    AbsatzAbschliessen();
  }

  void AbsatzAbschliessen() {
    absatz_.Tabellenzeile = zeileOffen_;
    dok_.Absaetze.push_back(std::move(absatz_));
    absatz_ = RtfAbsatz{};
    trenner_ = Trenner::Keiner;
    zeileOffen_ = false;
  }

  std::string_view b_;
  std::size_t pos_ = 0;
  std::vector<Zustand> stapel_;  // back() is the current group; [0] is outside all groups
  std::size_t tiefer_ = 0;       // groups opened beyond MaxTiefe and not yet closed
  std::int32_t ersatzRest_ = 0;  // characters still to skip after \uN
  char32_t hoherSurrogat_ = 0;

  std::vector<std::optional<RtfFarbe>> farben_;
  RtfFarbe neueFarbe_;
  bool farbeGesetzt_ = false;  // the entry being read has a colour word
  bool farbeOffen_ = false;    // ... and it is not yet ended by ";"

  RtfDokument dok_;
  RtfAbsatz absatz_;
  Trenner trenner_ = Trenner::Keiner;  // separator owed before the next text of a row
  bool zeileOffen_ = false;            // the paragraph being read is a table row
};

}  // namespace

bool IstRtf(std::string_view bytes) { return RtfAnfang(bytes) != std::string_view::npos; }

RtfDokument RtfLesen(std::string_view bytes) {
  const std::size_t anfang = RtfAnfang(bytes);
  if (anfang == std::string_view::npos) return KlartextLesen(bytes);
  return Leser(bytes.substr(anfang)).Lesen();
}

}  // namespace pegel
