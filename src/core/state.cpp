#include "state.h"

namespace pegel {

PegelStatus::PegelStatus() { AktMax.fill(AktMaxStart); }

void PegelStatus::PfadeSetzen(const std::filesystem::path& progDir) {
  ProgDir = progDir;
  GruppenDatei = ProgDir / "PEGELWART.GRP";
  IniDatei = ProgDir / "PEGELDDE.INI";
  AktDatDatei = ProgDir / "AKTDAT.PGV";
}

void PegelStatus::ProgrammStart(TDateTime jetzt) {
  Lesen_Fertig = true;
  PufferZeiger = 4;
  TabellenZeile = 4;
  TagWechsel = false;
  Heute = jetzt;
  PrintDate = jetzt - 1;
}

std::string Gekuerzt(const std::string& text, std::size_t laenge) {
  return text.size() > laenge ? text.substr(0, laenge) : text;
}

}  // namespace pegel
