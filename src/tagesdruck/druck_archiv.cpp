#include "druck_archiv.h"

#include <cmath>
#include <fstream>

#include "cp1252.h"
#include "gruppen_datei.h"
#include "hilfen.h"
#include "ini_schluessel.h"
#include "tagesdateien.h"
#include "text_format.h"

namespace pegel::tagesdruck {

namespace fs = std::filesystem;

std::string SichererName(const std::string& name) {
  std::string t;
  for (const char ch : name) {
    const auto b = static_cast<unsigned char>(ch);
    // Bytes without a character in Windows-1252 would become C1 control characters.
    const bool steuer =
        b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
    const bool verboten =
        steuer || std::string_view("/\\:*?\"<>|").find(ch) != std::string_view::npos;
    t += verboten ? '_' : ch;
  }
  while (!t.empty() && (t.back() == '.' || t.back() == ' ')) t.pop_back();
  if (t.empty() || t == "." || t == "..") t = "_";
  return Cp1252ZuUtf8(t);
}

fs::path ArchivDatei(const fs::path& progDir, TDateTime tag, const std::string& gruppe,
                     const std::string& zusatz) {
  return progDir / ArchivOrdner /
         fs::u8path(DatumZuDateiname(tag) + "_" + SichererName(gruppe) + zusatz + ".pdf");
}

bool ArchivEingeschaltet(const PegelStatus& s) {
  return IniEinstellungen(s.Pfade.IniDatei, true).Lesen(Schluessel::PegelWart_Druckarchiv);
}

std::vector<std::string> MarkierteGruppen(const fs::path& gruppenDatei) {
  std::vector<std::string> namen;
  std::error_code ec;
  const auto groesse = fs::file_size(gruppenDatei, ec);
  if (ec) return namen;
  const std::size_t laenge = groesse % GruppenSatzLaenge == 0      ? GruppenSatzLaenge
                             : groesse % GruppenSatzLaengeAlt == 0 ? GruppenSatzLaengeAlt
                                                                   : 0;
  if (laenge == 0) return namen;
  std::ifstream f(gruppenDatei, std::ios::binary);
  std::vector<std::uint8_t> satz(laenge);
  for (std::uintmax_t i = 0; i < groesse / laenge && i < static_cast<std::uintmax_t>(MaxGruppen);
       ++i) {
    if (!f.read(reinterpret_cast<char*>(satz.data()), static_cast<std::streamsize>(laenge))) break;
    const TGruppe g = GruppeDekodieren(satz.data(), laenge);
    if (g.Drucken && !g.Name.empty()) namen.push_back(g.Name);
  }
  return namen;
}

bool FehlenderTagesdruckMelden(const PegelStatus& s, Logbuch& log, TDateTime jetzt) {
  try {
    if (!ArchivEingeschaltet(s) || MarkierteGruppen(s.Pfade.GruppenDatei).empty()) return false;
    const TDateTime gestern = std::trunc(jetzt) - 1;
    std::error_code ec;
    // Without the collector's day there was nothing to print.
    if (!fs::exists(DatDatei(s.Pfade.ProgDir, gestern), ec)) return false;
    const std::string anfang = DatumZuDateiname(gestern) + "_";
    for (fs::directory_iterator it(s.Pfade.ProgDir / ArchivOrdner, ec), ende; !ec && it != ende;
         it.increment(ec)) {
      const std::string n = it->path().filename().string();
      const bool test = n.size() >= 9 && n.compare(n.size() - 9, 9, "_test.pdf") == 0;
      if (n.rfind(anfang, 0) == 0 && !test) return false;
    }
    log.LogAll(Ansi("Kein Tagesdruck für ") + DatumText(gestern) + " vorhanden");
    return true;
  } catch (const std::exception& e) {
    log.LogFehler(std::string("Druckarchiv : ") + e.what());
    return false;
  }
}

}  // namespace pegel::tagesdruck
