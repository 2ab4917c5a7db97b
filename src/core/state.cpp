#include "state.h"

namespace pegel {

void PegelStatus::PfadeSetzen(const std::filesystem::path& progDir) {
  Pfade.ProgDir = progDir;
  Pfade.GruppenDatei = progDir / "PEGELWART.GRP";
  Pfade.IniDatei = progDir / "PEGELDDE.INI";
  Pfade.AktDatDatei = progDir / "AKTDAT.PGV";
}

void PegelStatus::ProgrammStart(TDateTime jetzt) {
  Abfrage.Lesen_Fertig = true;
  Ring.Leeren();
  Abfrage.TabellenZeile = 4;
  Abfrage.TagWechsel = false;
  Abfrage.Heute = jetzt;
  Abfrage.PrintDate = jetzt - 1;
}

}  // namespace pegel
