// pegeltool printers [VERZ] [--json]: the printers the platform offers, in the order and with
// the default's description that the printer dialog shows. With a plant directory it also says
// where the stored printer is now, found by its name, and whether printing would be refused.
// Reads only; the stored printer is not made current.
#include <QGuiApplication>
#include <filesystem>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cp1252.h"
#include "drucker_wahl.h"
#include "ini_schluessel.h"
#include "kommandos.h"
#include "qt_drucker.h"
#include "state.h"

namespace pegeltool {
namespace {

using nlohmann::ordered_json;
using pegel::Cp1252ZuUtf8;
using S = pegel::Schluessel;

const char* GrundText(pegel::DruckerGrund g) {
  switch (g) {
    case pegel::DruckerGrund::Standard:
      return "Standard";
    case pegel::DruckerGrund::Gleich:
      return "Gleich";
    case pegel::DruckerGrund::Verschoben:
      return "Verschoben";
    case pegel::DruckerGrund::Gesperrt:
      return "Gesperrt";
    case pegel::DruckerGrund::Fax:
      return "Fax";
    case pegel::DruckerGrund::NichtVorhanden:
      return "NichtVorhanden";
    case pegel::DruckerGrund::NichtGesetzt:
      return "NichtGesetzt";
  }
  return "?";
}

// The stored printer of a plant directory, from the INI file the viewer would load.
ordered_json Gespeichert(const std::filesystem::path& verz, const std::vector<std::string>& liste) {
  pegel::PegelStatus s;
  s.PfadeSetzen(verz);
  auto ini = std::make_unique<pegel::IniEinstellungen>(s.Pfade.IniDatei, true);
  const auto v5 = s.Pfade.ProgDir / "PegelWart_V5.ini";
  if (ini->Lesen(S::DDE_Itemcount) < 1 && std::filesystem::exists(v5)) {
    s.Pfade.IniDatei = v5;
    ini = std::make_unique<pegel::IniEinstellungen>(v5, true);
  }
  const int nr = ini->Lesen(S::DDE_Drucker);
  const std::string name = ini->Lesen(S::DDE_Druckername);
  const pegel::DruckerWahl w = pegel::DruckerSuchen(nr, name, liste);
  ordered_json j;
  j["ini"] = Cp1252ZuUtf8(s.Pfade.IniDatei.filename().string());
  j["Drucker"] = nr;
  j["Druckername"] = Cp1252ZuUtf8(name);
  j["grund"] = GrundText(w.grund);
  j["position"] = w.position;
  j["erlaubt"] = w.Erlaubt();
  j["meldung"] = Cp1252ZuUtf8(w.meldung);
  return j;
}

void TextAusgabe(const ordered_json& j) {
  const auto& drucker = j["drucker"];
  std::cout << "Drucker: " << drucker.size() << "\n";
  const int position = j.contains("gespeichert") ? j["gespeichert"]["position"].get<int>() : -3;
  for (const auto& d : drucker) {
    const int nr = d["nr"].get<int>();
    std::cout << "  " << nr << ": " << d["name"].get<std::string>()
              << (d["fax"].get<bool>() ? "  (Fax, nicht zugelassen)" : "")
              << (nr == position ? "  <- gespeichert" : "") << "\n";
  }
  const std::string standard = j["standard"].get<std::string>();
  std::cout << "Standard: " << (standard.empty() ? "Kein Drucker" : standard) << "\n";
  if (!j.contains("gespeichert")) return;
  const auto& g = j["gespeichert"];
  std::cout << "Gespeichert (" << g["ini"].get<std::string>()
            << "): Drucker=" << g["Drucker"].get<int>()
            << " Druckername=" << g["Druckername"].get<std::string>() << "\n";
  if (!g["meldung"].get<std::string>().empty()) {
    std::cout << "  " << g["meldung"].get<std::string>() << "\n";
  }
  std::cout << "  " << (g["erlaubt"].get<bool>() ? "wird benutzt" : "wird abgelehnt: kein Druck")
            << "\n";
}

}  // namespace

Kommando KommandoPrinters() {
  auto json = std::make_shared<bool>(false);
  return {"printers",
          {"[VERZ]"},
          "die Drucker der Plattform wie im Druckerdialog; mit VERZ der gespeicherte Drucker, "
          "nach Namen gesucht; ändert nichts",
          "0 aufgelistet, 2 Aufruffehler",
          {JsonOption(*json)},
          [json](const std::vector<std::string>& frei) {
            const std::string verz = frei.empty() ? "" : Anlagenverzeichnis(frei.at(0));
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
              qputenv("QT_QPA_PLATFORM", "offscreen");
            }
            int argc = 1;
            char name[] = "pegeltool";
            char* argv[] = {name, nullptr};
            QGuiApplication app(argc, argv);
            pegel::ui::QtDrucker drucker;
            const std::vector<std::string> liste = drucker.Druckerliste();
            ordered_json j;
            ordered_json d = ordered_json::array();
            for (std::size_t i = 0; i < liste.size(); ++i) {
              d.push_back({{"nr", static_cast<int>(i)},
                           {"name", Cp1252ZuUtf8(liste[i])},
                           {"fax", pegel::IstFax(liste[i])}});
            }
            j["drucker"] = d;
            j["standard"] = Cp1252ZuUtf8(drucker.StandardBeschreibung());
            if (!verz.empty()) j["gespeichert"] = Gespeichert(verz, liste);
            if (*json) {
              std::cout << j.dump(2) << "\n";
            } else {
              TextAusgabe(j);
            }
            return ExitOk;
          }};
}

}  // namespace pegeltool
