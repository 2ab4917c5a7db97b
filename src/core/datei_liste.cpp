#include "datei_liste.h"

#include <algorithm>
#include <new>
#include <system_error>

#include "cp1252.h"
#include "ini_schluessel.h"

namespace pegel {

namespace {

// Upper case of a Windows-1252 byte: ASCII, the accented letters of 0xE0..0xFE (not the
// division sign) and the four pairs the code page places elsewhere.
unsigned char Gross(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
  switch (c) {
    case 0x9A:  // š
      return 0x8A;
    case 0x9C:  // œ
      return 0x8C;
    case 0x9E:  // ž
      return 0x8E;
    case 0xFF:  // ÿ
      return 0x9F;
    default:
      return c;
  }
}

bool Gleich(char a, char b) {
  return Gross(static_cast<unsigned char>(a)) == Gross(static_cast<unsigned char>(b));
}

std::string Vergleichstext(std::string_view text) {
  std::string t(text);
  for (char& c : t) c = static_cast<char>(Gross(static_cast<unsigned char>(c)));
  return t;
}

std::string ZweiStellen(int zahl) {
  const std::string t = GanzText(zahl);
  return t.size() < 2 ? "0" + t : t;
}

// The path of a Windows-1252 text.
std::filesystem::path Pfad(std::string_view ansi) {
  const std::string utf8 = Cp1252ZuUtf8(ansi);
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

std::string DateiMaskeUngueltigText() {
  return Ansi("Ungültiger Dateityp ! Bitte nur einen Dateinamen mit * und ? angeben, ") +
         "ohne Verzeichnis und ohne \"..\".";
}

std::optional<std::string> DateiMaskePruefen(std::string_view maske) {
  if (maske == "*:PGI") return std::string("*.PGI");
  if (maske == "*:INI") return std::string("*.INI");
  if (maske.find_first_of("/\\:") != std::string_view::npos) return std::nullopt;
  if (maske.find("..") != std::string_view::npos) return std::nullopt;
  return std::string(maske);
}

bool MusterPasst(std::string_view muster, std::string_view name) {
  // Greedy, stepping back to the last "*" on a mismatch: at worst the product of the two
  // lengths, never exponential.
  std::size_t m = 0, n = 0;
  std::size_t stern = std::string_view::npos, merk = 0;
  while (n < name.size()) {
    if (m < muster.size() && muster[m] == '*') {
      stern = m++;
      merk = n;
    } else if (m < muster.size() && (muster[m] == '?' || Gleich(muster[m], name[n]))) {
      ++m;
      ++n;
    } else if (stern != std::string_view::npos) {
      m = stern + 1;
      n = ++merk;
    } else {
      return false;
    }
  }
  while (m < muster.size() && muster[m] == '*') ++m;
  return m == muster.size();
}

std::string DateiMuster(std::string_view maske, bool exakt, TDateTime datum) {
  if (maske == "*.*") return "*";
  const DatumTeile d = DatumZerlegen(datum);
  const std::string jahr = GanzText(d.jahr);
  std::string muster = "*" + (jahr.size() == 4 ? jahr.substr(2) : jahr) + ZweiStellen(d.monat);
  if (exakt) muster += ZweiStellen(d.tag);
  return muster + std::string(maske);
}

namespace {

// The files of `verzeichnis` whose names match the pattern that `muster` makes of the
// checked mask.
template <class Muster>
DateiListeErgebnis Auflisten(std::string_view maske, const std::filesystem::path& verzeichnis,
                             Muster muster_aus) {
  DateiListeErgebnis e;
  const auto geprueft = DateiMaskePruefen(maske);
  if (!geprueft) {
    e.fehler = DateiMaskeUngueltigText();
    return e;
  }
  struct Fund {
    std::string schluessel;  // the text in upper case, for the order
    std::string text;
    std::filesystem::path name;
  };
  try {
    std::vector<Fund> gefunden;
    const std::string muster = muster_aus(*geprueft);
    std::error_code ec;
    std::filesystem::directory_iterator it(
        verzeichnis, std::filesystem::directory_options::skip_permission_denied, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
      std::error_code typFehler;
      if (!it->is_regular_file(typFehler)) continue;
      const std::filesystem::path name = it->path().filename();
      const std::string text = NamensText(name);
      if (MusterPasst(muster, text)) gefunden.push_back({Vergleichstext(text), text, name});
    }
    std::sort(gefunden.begin(), gefunden.end(), [](const Fund& a, const Fund& b) {
      return a.schluessel != b.schluessel ? a.schluessel < b.schluessel : a.text < b.text;
    });
    e.namen.reserve(gefunden.size());
    for (auto& f : gefunden) e.namen.push_back(std::move(f.name));
  } catch (const std::bad_alloc&) {
    // Out of memory while listing: the list stays as far as it got.
  }
  return e;
}

}  // namespace

DateiListeErgebnis DateiListe(std::string_view maske, bool exakt, TDateTime datum,
                              const std::filesystem::path& verzeichnis) {
  return Auflisten(maske, verzeichnis,
                   [&](const std::string& m) { return DateiMuster(m, exakt, datum); });
}

DateiListeErgebnis DateiListeOhneDatum(std::string_view maske,
                                       const std::filesystem::path& verzeichnis) {
  return Auflisten(maske, verzeichnis,
                   [](const std::string& m) { return m == "*.*" ? std::string("*") : m; });
}

std::filesystem::path SicherungsVerzeichnis(const std::optional<std::string>& iniWert,
                                            const std::filesystem::path& progDir) {
  std::filesystem::path p = progDir;
  if (iniWert && !iniWert->empty()) p = Pfad(*iniWert);
  // Appending an empty name adds the separator when it is missing.
  if (p.has_filename()) p /= "";
  return p;
}

std::filesystem::path SicherungAusIni(const std::filesystem::path& iniDatei,
                                      const std::filesystem::path& progDir) {
  const IniEinstellungen ini(iniDatei, true);
  return SicherungsVerzeichnis(ini.Lesen(Schluessel::DDE_Sicherung), progDir);
}

bool GleichesVerzeichnis(const std::filesystem::path& a, const std::filesystem::path& b) {
  auto normal = [](std::filesystem::path p) {
    p = p.lexically_normal();
    if (p.has_filename()) p /= "";
    return p;
  };
  return normal(a) == normal(b);
}

std::string NamensText(const std::filesystem::path& name) {
  const std::u8string u = name.u8string();
  return Utf8ZuCp1252(std::string_view(reinterpret_cast<const char*>(u.data()), u.size()));
}

}  // namespace pegel
