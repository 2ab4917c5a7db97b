#include "text_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <system_error>

#include "cp1252.h"

namespace pegel {
namespace {

bool IstLeer(char c) { return c == ' ' || c == '\t'; }
bool IstZiffer(char c) { return c >= '0' && c <= '9'; }

std::string_view Beschnitten(std::string_view s) {
  while (!s.empty() && IstLeer(s.front())) s.remove_prefix(1);
  while (!s.empty() && IstLeer(s.back())) s.remove_suffix(1);
  return s;
}

std::string ZweiStellen(int v) {
  std::string s(2, '0');
  s[0] = static_cast<char>('0' + (v / 10) % 10);
  s[1] = static_cast<char>('0' + v % 10);
  return s;
}

std::string DreiStellen(int v) {
  return std::string(1, static_cast<char>('0' + (v / 100) % 10)) + ZweiStellen(v % 100);
}

// Rounds the decimal digit string `ziffern` (value 0.ziffern * 10^(exp10+1) style is not
// used here: ziffern are the digits of an integer) at position `behalten` with ties to
// even. Returns true when the rounding carried over all kept digits (999 -> 1000).
bool DezimalRunden(std::string& ziffern, std::size_t behalten) {
  if (behalten >= ziffern.size()) return false;
  const char erste = ziffern[behalten];
  bool rest = false;
  for (std::size_t i = behalten + 1; i < ziffern.size(); ++i) {
    if (ziffern[i] != '0') {
      rest = true;
      break;
    }
  }
  ziffern.resize(behalten);
  bool auf = false;
  if (erste > '5' || (erste == '5' && rest)) {
    auf = true;
  } else if (erste == '5') {
    const int letzte = behalten == 0 ? 0 : ziffern[behalten - 1] - '0';
    auf = (letzte % 2) == 1;
  }
  if (!auf) return false;
  for (std::size_t i = ziffern.size(); i-- > 0;) {
    if (ziffern[i] == '9') {
      ziffern[i] = '0';
    } else {
      ++ziffern[i];
      return false;
    }
  }
  ziffern.insert(ziffern.begin(), '1');
  return true;
}

constexpr std::int64_t kTageBis1970 = 25569;  // 30.12.1899 .. 01.01.1970
constexpr std::int64_t kMsProTag = 86400000;

// Days since 01.01.1970 from a civil date (proleptic Gregorian).
std::int64_t TageAusDatum(std::int64_t j, unsigned m, unsigned d) {
  j -= m <= 2;
  const std::int64_t era = (j >= 0 ? j : j - 399) / 400;
  const auto yoe = static_cast<unsigned>(j - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

DatumTeile DatumAusTagen(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

bool Schaltjahr(int j) { return (j % 4 == 0 && j % 100 != 0) || j % 400 == 0; }

int TageImMonat(int j, int m) {
  static constexpr std::array<int, 12> kTage = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return (m == 2 && Schaltjahr(j)) ? 29 : kTage[static_cast<std::size_t>(m - 1)];
}

// Splits a TDateTime into whole days and milliseconds of the day (0 .. 86399999).
// Values far outside any real date are clamped so that nothing overflows.
void Aufteilen(TDateTime t, std::int64_t& tage, std::int64_t& ms) {
  if (!std::isfinite(t)) t = 0;
  t = std::fmax(-1.0e7, std::fmin(1.0e7, t));
  const double ganz = std::floor(t);
  tage = static_cast<std::int64_t>(ganz);
  ms = static_cast<std::int64_t>(std::nearbyint((t - ganz) * static_cast<double>(kMsProTag)));
  if (ms >= kMsProTag) {
    ms -= kMsProTag;
    ++tage;
  }
}

const std::array<const char*, 12> kMonateKurz = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                                                 "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
const std::array<const char*, 12> kMonateLang = {"Januar",    "Februar", "März",     "April",
                                                 "Mai",       "Juni",    "Juli",     "August",
                                                 "September", "Oktober", "November", "Dezember"};
const std::array<const char*, 7> kWochentage = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                                "Donnerstag", "Freitag", "Samstag"};

// Reads 1..2 digits (or more when `mehr` is set) as a non-negative integer.
bool ZahlTeil(std::string_view& s, int maxStellen, int& wert) {
  int n = 0;
  wert = 0;
  while (!s.empty() && IstZiffer(s.front()) && n < maxStellen) {
    wert = wert * 10 + (s.front() - '0');
    s.remove_prefix(1);
    ++n;
  }
  return n > 0 && (s.empty() || !IstZiffer(s.front()));
}

}  // namespace

std::optional<double> ZahlLesen(std::string_view text) {
  std::string_view s = Beschnitten(text);
  if (s.empty() || s.size() > 400) return std::nullopt;
  if (double kurz = 0; KurzeZahlLesen(s, kurz)) return kurz;
  std::string c;  // the same number in the "C" form that from_chars reads
  c.reserve(s.size());
  std::size_t i = 0;
  if (s[i] == '+' || s[i] == '-') {
    if (s[i] == '-') c.push_back('-');
    ++i;
  }
  std::size_t ziffern = 0;
  while (i < s.size() && IstZiffer(s[i])) {
    c.push_back(s[i++]);
    ++ziffern;
  }
  if (i < s.size() && s[i] == ',') {
    c.push_back('.');
    ++i;
    while (i < s.size() && IstZiffer(s[i])) {
      c.push_back(s[i++]);
      ++ziffern;
    }
  }
  if (ziffern == 0) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    c.push_back('e');
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) c.push_back(s[i++]);
    std::size_t expZiffern = 0;
    while (i < s.size() && IstZiffer(s[i])) {
      c.push_back(s[i++]);
      ++expZiffern;
    }
    if (expZiffern == 0) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  double wert = 0;
  const auto [ende, fehler] = std::from_chars(c.data(), c.data() + c.size(), wert);
  if (fehler != std::errc() || ende != c.data() + c.size() || !std::isfinite(wert)) {
    return std::nullopt;
  }
  return wert;
}

std::optional<double> ZahlLesenPunktKomma(std::string_view text) {
  std::string s(text.substr(0, 401));
  if (text.size() > 400) return std::nullopt;
  for (char& ch : s) {
    if (ch == '.') ch = ',';
  }
  return ZahlLesen(s);
}

std::optional<std::int32_t> GanzzahlLesen(std::string_view text) {
  std::string_view s = Beschnitten(text);
  if (!s.empty() && s.front() == '+') {
    s.remove_prefix(1);
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) return std::nullopt;
  }
  if (s.empty()) return std::nullopt;
  std::int32_t wert = 0;
  const auto [ende, fehler] = std::from_chars(s.data(), s.data() + s.size(), wert);
  if (fehler != std::errc() || ende != s.data() + s.size()) return std::nullopt;
  return wert;
}

std::optional<std::int32_t> GanzzahlAmAnfang(std::string_view text) {
  std::string_view s = text;
  while (!s.empty() && IstLeer(s.front())) s.remove_prefix(1);
  std::size_t n = 0;
  if (n < s.size() && (s[n] == '+' || s[n] == '-')) ++n;
  const std::size_t start = n;
  while (n < s.size() && IstZiffer(s[n])) ++n;
  if (n == start) return std::nullopt;
  return GanzzahlLesen(s.substr(0, n));
}

std::string FestFormat(double wert, int praezision, int dezimalen) {
  if (std::isnan(wert)) return "NAN";
  if (std::isinf(wert)) return wert > 0 ? "INF" : "-INF";
  praezision = std::max(1, std::min(18, praezision));
  dezimalen = std::max(0, std::min(18, dezimalen));

  // Step 1: P significant digits, correctly rounded from the binary value (ties to even).
  std::array<char, 64> buf{};
  const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(wert),
                                 std::chars_format::scientific, praezision - 1);
  std::string_view sci(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
  const std::size_t ePos = sci.find('e');
  std::string ziffern;
  for (char ch : sci.substr(0, ePos)) {
    if (IstZiffer(ch)) ziffern.push_back(ch);
  }
  int exp10 = 0;
  std::size_t expStart = ePos + 1;
  if (expStart < sci.size() && sci[expStart] == '+') ++expStart;
  std::from_chars(sci.data() + expStart, sci.data() + sci.size(), exp10);
  const bool negativ = std::signbit(wert) && wert != 0.0;
  if (wert == 0.0) exp10 = 0;

  // More integer digits than the precision: exponent form with the trailing zeros dropped.
  if (exp10 + 1 > praezision) {
    while (ziffern.size() > 1 && ziffern.back() == '0') ziffern.pop_back();
    std::string out = negativ ? "-" : "";
    out.push_back(ziffern[0]);
    if (ziffern.size() > 1) out += "," + ziffern.substr(1);
    out += "E" + std::to_string(exp10);
    return out;
  }

  // Step 2: the decimal value ziffern * 10^(exp10 - P + 1), rounded to D decimals.
  // Build the digits as an integer scaled by 10^(number of fractional digits).
  const int nachkomma = praezision - 1 - exp10;  // fractional digits held by `ziffern`
  std::string festZiffern = ziffern;
  int frac = nachkomma;
  if (frac < 0) {
    festZiffern.append(static_cast<std::size_t>(-frac), '0');
    frac = 0;
  }
  // Make sure there is at least one integer digit.
  if (static_cast<int>(festZiffern.size()) <= frac) {
    festZiffern.insert(0, static_cast<std::size_t>(frac - static_cast<int>(festZiffern.size()) + 1),
                       '0');
  }
  if (frac > dezimalen) {
    const std::size_t behalten = festZiffern.size() - static_cast<std::size_t>(frac - dezimalen);
    DezimalRunden(festZiffern, behalten);
    frac = dezimalen;
  }
  while (frac < dezimalen) {
    festZiffern.push_back('0');
    ++frac;
  }
  const std::size_t intLen = festZiffern.size() - static_cast<std::size_t>(frac);
  std::string out;
  const bool allesNull = festZiffern.find_first_not_of('0') == std::string::npos;
  if (negativ && !allesNull) out.push_back('-');
  out += festZiffern.substr(0, intLen);
  if (frac > 0) out += "," + festZiffern.substr(intLen);
  return out;
}

std::string GanzText(std::int64_t wert) { return std::to_string(wert); }

TDateTime DatumKodieren(int jahr, int monat, int tag) {
  if (jahr < 1 || jahr > 9999 || monat < 1 || monat > 12 || tag < 1 ||
      tag > TageImMonat(jahr, monat)) {
    throw std::out_of_range("Datum ungültig");
  }
  return static_cast<double>(
      TageAusDatum(jahr, static_cast<unsigned>(monat), static_cast<unsigned>(tag)) + kTageBis1970);
}

TDateTime ZeitKodieren(int stunde, int minute, int sekunde, int milli) {
  if (stunde < 0 || stunde > 23 || minute < 0 || minute > 59 || sekunde < 0 || sekunde > 59 ||
      milli < 0 || milli > 999) {
    throw std::out_of_range("Zeit ungültig");
  }
  const std::int64_t ms = ((stunde * 60LL + minute) * 60LL + sekunde) * 1000LL + milli;
  return static_cast<double>(ms) / static_cast<double>(kMsProTag);
}

DatumTeile DatumZerlegen(TDateTime t) {
  std::int64_t tage = 0, ms = 0;
  Aufteilen(t, tage, ms);
  return DatumAusTagen(tage - kTageBis1970);
}

ZeitTeile ZeitZerlegen(TDateTime t) {
  std::int64_t tage = 0, ms = 0;
  Aufteilen(t, tage, ms);
  ZeitTeile z;
  z.milli = static_cast<int>(ms % 1000);
  ms /= 1000;
  z.sekunde = static_cast<int>(ms % 60);
  ms /= 60;
  z.minute = static_cast<int>(ms % 60);
  z.stunde = static_cast<int>(ms / 60);
  return z;
}

int Wochentag(TDateTime t) {
  std::int64_t tage = 0, ms = 0;
  Aufteilen(t, tage, ms);
  // 30.12.1899 was a Saturday (7).
  const std::int64_t r = ((tage % 7) + 7) % 7;  // 0 = Saturday
  return r == 0 ? 7 : static_cast<int>(r);
}

std::string DatumText(TDateTime t) {
  const DatumTeile d = DatumZerlegen(t);
  std::string j = std::to_string(d.jahr);
  if (j.size() < 4) j.insert(0, 4 - j.size(), '0');
  return ZweiStellen(d.tag) + "." + ZweiStellen(d.monat) + "." + j;
}

std::string ZeitText(TDateTime t) {
  const ZeitTeile z = ZeitZerlegen(t);
  return ZweiStellen(z.stunde) + ":" + ZweiStellen(z.minute) + ":" + ZweiStellen(z.sekunde);
}

std::string DatumZeitText(TDateTime t) { return DatumText(t) + " " + ZeitText(t); }

std::string KurzerMonatsname(int monat) {
  if (monat < 1 || monat > 12) return "";
  return Ansi(kMonateKurz[static_cast<std::size_t>(monat - 1)]);
}

std::string LangesDatum(TDateTime t) {
  const DatumTeile d = DatumZerlegen(t);
  return Ansi(kWochentage[static_cast<std::size_t>(Wochentag(t) - 1)]) + ", " +
         std::to_string(d.tag) + ". " + Ansi(kMonateLang[static_cast<std::size_t>(d.monat - 1)]) +
         " " + std::to_string(d.jahr);
}

std::optional<TDateTime> ZeitLesen(std::string_view text) {
  std::string_view s = Beschnitten(text);
  int h = 0, m = 0, sek = 0;
  if (!ZahlTeil(s, 2, h) || s.empty() || s.front() != ':') return std::nullopt;
  s.remove_prefix(1);
  if (!ZahlTeil(s, 2, m)) return std::nullopt;
  if (!s.empty()) {
    if (s.front() != ':') return std::nullopt;
    s.remove_prefix(1);
    if (!ZahlTeil(s, 2, sek) || !s.empty()) return std::nullopt;
  }
  if (h > 23 || m > 59 || sek > 59) return std::nullopt;
  return ZeitKodieren(h, m, sek);
}

std::optional<TDateTime> DatumLesen(std::string_view text) {
  std::string_view s = Beschnitten(text);
  int d = 0, m = 0, j = 0;
  if (!ZahlTeil(s, 2, d) || s.empty() || s.front() != '.') return std::nullopt;
  s.remove_prefix(1);
  if (!ZahlTeil(s, 2, m) || s.empty() || s.front() != '.') return std::nullopt;
  s.remove_prefix(1);
  if (s.size() != 4 || !ZahlTeil(s, 4, j)) return std::nullopt;
  try {
    return DatumKodieren(j, m, d);
  } catch (const std::out_of_range&) {
    return std::nullopt;
  }
}

std::string LogDateiStempel(TDateTime t) {
  const DatumTeile d = DatumZerlegen(t);
  return ZweiStellen(d.tag) + "." + KurzerMonatsname(d.monat) + "." + ZweiStellen(d.jahr % 100) +
         ", " + ZeitText(t);
}

std::string MemoStempel(TDateTime t) {
  const DatumTeile d = DatumZerlegen(t);
  const ZeitTeile z = ZeitZerlegen(t);
  return ZweiStellen(d.tag) + "." + ZweiStellen(d.monat) + ".," + ZweiStellen(z.stunde) + ":" +
         ZweiStellen(z.minute) + ":" + ZweiStellen(z.sekunde) + ":" + DreiStellen(z.milli);
}

}  // namespace pegel
