#include "drucker_wahl.h"

#include <algorithm>

#include "cp1252.h"

namespace pegel {

namespace {

void SetzfehlerMelden(Dienste& d) {
  d.meldungen.Info(Ansi("Fehler beim Einstellen des Druckers (Menü Gruppierung) !"));
}

// The platform's answer; false also when it throws, since a printer that cannot be set is
// reported the same way whatever the cause.
bool PositionSetzen(Dienste& d, int n) {
  try {
    return d.drucker.Setzen(n);
  } catch (...) {
    return false;
  }
}

}  // namespace

bool IstFax(const std::string& name) {
  return name.find("Fax") != std::string::npos || name.find("FAX") != std::string::npos;
}

DruckerWahl DruckerSuchen(int nr, const std::string& name, const std::vector<std::string>& liste) {
  if (nr == -1) return {DruckerGrund::Standard, -1, ""};
  if (nr < -1) return {DruckerGrund::Gesperrt, -2, ""};
  if (IstFax(name)) {
    return {DruckerGrund::Fax, -2, "Drucker " + name + " ist ein Fax und wird nicht benutzt"};
  }
  const auto it = std::find(liste.begin(), liste.end(), name);
  if (it == liste.end()) {
    return {DruckerGrund::NichtVorhanden, -2, "Drucker " + name + " nicht mehr vorhanden"};
  }
  const int position = static_cast<int>(it - liste.begin());
  if (position == nr) return {DruckerGrund::Gleich, position, ""};
  return {DruckerGrund::Verschoben, position,
          "Drucker " + name + " hat jetzt die Nummer " + std::to_string(position) +
              " (gespeichert war " + std::to_string(nr) + ")"};
}

void DruckerSetzen(Dienste& d, int n) {
  if (n < -1) return;
  if (!PositionSetzen(d, n)) SetzfehlerMelden(d);
}

DruckerWahl DruckerSetzen(Dienste& d, int nr, const std::string& name) {
  std::vector<std::string> liste;
  if (nr >= 0) {
    try {
      liste = d.drucker.Druckerliste();
    } catch (...) {
      // Without a list nothing can be found by name; reported as a printer not set.
      SetzfehlerMelden(d);
      return {DruckerGrund::NichtGesetzt, -2, ""};
    }
  }
  DruckerWahl w = DruckerSuchen(nr, name, liste);
  if (!w.Erlaubt()) return w;
  if (!PositionSetzen(d, w.position)) {
    SetzfehlerMelden(d);
    w.grund = DruckerGrund::NichtGesetzt;
    w.position = -2;
  }
  return w;
}

}  // namespace pegel
