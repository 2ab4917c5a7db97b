// pegeltool day DIR YYYYMMDD [--rows A:B] [--stretches] [--json]: loads a stored day as the
// day loaders do and summarises it, with the continuous stretches of sampling as the history
// browser lists them.
#include <algorithm>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "abschnitte.h"
#include "cp1252.h"
#include "headless_dienste.h"
#include "kommandos.h"
#include "logbuch.h"
#include "plattform.h"
#include "state.h"
#include "tagesdateien.h"
#include "text_format.h"

namespace pegeltool {

namespace {

struct Bereich {
  std::int64_t von = 0, bis = 0;  // 1-based, inclusive
};

// "A:B" with 1 <= A <= B. Throws kommandozeile::Aufruffehler.
Bereich BereichLesen(const std::string& t) {
  const auto p = t.find(':');
  const auto a = p == std::string::npos ? std::nullopt : pegel::GanzzahlLesen(t.substr(0, p));
  const auto b = p == std::string::npos ? std::nullopt : pegel::GanzzahlLesen(t.substr(p + 1));
  if (!a || !b || *a < 1 || *b < *a) {
    throw kommandozeile::Aufruffehler("--rows A:B mit 1 <= A <= B erwartet");
  }
  return Bereich{*a, *b};
}

struct DayOptionen {
  std::optional<Bereich> zeilenBereich;
  bool abschnitte = false;
  bool json = false;
};

bool IstTag(const std::string& t) {
  return t.size() == 8 &&
         std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string U(std::string_view ansi) { return pegel::Cp1252ZuUtf8(ansi); }

// The row's cells up to its last non-empty one.
std::vector<std::string> Zellen(const pegel::gitter& g, std::size_t zeile) {
  std::size_t ende = 0;
  for (std::size_t c = 0; c < pegel::gitter::Spalten; ++c) {
    if (!g.Zelle(zeile, c).empty()) ende = c + 1;
  }
  std::vector<std::string> z;
  for (std::size_t c = 0; c < ende; ++c) z.push_back(U(g.Zelle(zeile, c)));
  return z;
}

int Day(const DayOptionen& o, const std::vector<std::string>& frei) {
  if (!IstTag(frei.at(1))) {
    throw kommandozeile::Aufruffehler("Tag als JJJJMMTT erwartet, nicht '" + frei[1] + "'");
  }
  const auto& zeilenBereich = o.zeilenBereich;
  const bool json = o.json;

  pegel::PegelStatus s;
  s.NurLesen = true;  // a summary never writes into the plant directory
  s.PfadeSetzen(frei[0]);
  pegel::SystemUhr uhr;
  CollectingSink senke;
  pegel::Logbuch log(s, uhr, &senke);

  const auto pgh = s.Pfade.ProgDir / (frei[1] + ".PGH");
  const auto dat = s.Pfade.ProgDir / (frei[1] + ".DAT");
  const bool kopfOk = pegel::ReadHeaderF(s, pgh);
  const pegel::Kopfdaten kopf = s.Tage.TagKopf;
  std::int32_t zeilen = 0;
  if (kopfOk) {
    zeilen = pegel::ReadDataF(s, log, dat, s.Tage.DatenGitter);
  } else {
    log.LogAll(pegel::Ansi("PGH-Datei ") + pgh.string() +
               pegel::Ansi(" nicht gefunden oder ungültig !"));
  }
  const auto& g = s.Tage.DatenGitter;
  const std::size_t n = zeilen >= 1 ? g.Zeilen() : 0;
  const int parameter = kopfOk ? std::clamp(kopf.Itemcount, 0, pegel::MaxItems) : 0;

  // The stretches from the header's interval, as the browser finds them after its load.
  std::optional<pegel::Abschnitte> abschnitte;
  if (o.abschnitte && n > 0) abschnitte = pegel::AbschnitteFinden(g, n, s.Tage.Messintervall);

  std::vector<std::size_t> gezeigt;
  if (zeilenBereich) {
    for (std::int64_t r = zeilenBereich->von;
         r <= zeilenBereich->bis && r <= static_cast<std::int64_t>(n); ++r) {
      gezeigt.push_back(static_cast<std::size_t>(r - 1));
    }
  }

  if (json) {
    nlohmann::json j;
    j["kopf"] = {{"ok", kopfOk},
                 {"Itemcount", kopf.Itemcount},
                 {"Messintervall", s.Tage.Messintervall},
                 {"IntervallZahl", kopf.IntervallZahl},
                 {"IntervallEinheit", U(kopf.IntervallEinheit)}};
    auto& par = j["kopf"]["parameter"] = nlohmann::json::array();
    for (int i = 1; i <= parameter; ++i) {
      const auto& p = kopf.Par.at(static_cast<std::size_t>(i));
      par.push_back({{"nr", i},
                     {"name", U(p.Name)},
                     {"Grafiktyp", pegel::Roh(p.Typ)},
                     {"GrafikRef", p.GrafikRef},
                     {"Einheit", U(p.Einheit)}});
    }
    j["zeilen"] = zeilen;
    j["Spaltenzahl"] = kopfOk ? nlohmann::json(s.Tage.Spaltenzahl) : nlohmann::json(nullptr);
    j["erste_zeit"] = n ? nlohmann::json(U(g.Zelle(0, 1))) : nlohmann::json(nullptr);
    j["letzte_zeit"] = n ? nlohmann::json(U(g.Zelle(n - 1, 1))) : nlohmann::json(nullptr);
    if (zeilenBereich) {
      auto& z = j["zellen"] = nlohmann::json::array();
      for (auto r : gezeigt) z.push_back(Zellen(g, r));
    }
    if (o.abschnitte) {
      auto& a = j["abschnitte"] = nlohmann::json::array();
      for (std::size_t k = 0; abschnitte && k < abschnitte->lbix1.size(); ++k) {
        a.push_back({{"text", U(abschnitte->cbIntervalle.at(k + 1))},
                     {"erste_zeile", abschnitte->lbix1.at(k) + 1},
                     {"letzte_zeile", abschnitte->lbix2.at(k) + 1}});
      }
      j["abschnitte_zeitfehler_zeile"] = abschnitte && abschnitte->zeitFehler
                                             ? nlohmann::json(*abschnitte->zeitFehler + 1)
                                             : nlohmann::json(nullptr);
    }
    j["log"] = nlohmann::json::array();
    for (const auto& m : senke.meldungen) j["log"].push_back(U(m));
    std::cout << j.dump(2) << "\n";
  } else {
    std::cout << "Tag " << frei[1] << " in " << s.Pfade.ProgDir.string() << "\n";
    if (kopfOk) {
      std::cout << "Kopf: " << kopf.Itemcount << " Parameter, Intervall " << kopf.IntervallZahl
                << U(kopf.IntervallEinheit) << " (" << s.Tage.Messintervall << " ms)\n";
      for (int i = 1; i <= parameter; ++i) {
        const auto& p = kopf.Par.at(static_cast<std::size_t>(i));
        std::cout << "  " << i << ": " << U(p.Name) << " [" << U(p.Einheit) << "] "
                  << (p.Typ == pegel::Grafiktyp::Digital ? "digital" : "analog") << ", Ref "
                  << p.GrafikRef << "\n";
      }
    } else {
      std::cout << "Kopf: nicht lesbar\n";
    }
    std::cout << "Zeilen: " << zeilen;
    if (kopfOk) std::cout << ", Spaltenzahl: " << s.Tage.Spaltenzahl;
    std::cout << "\n";
    if (n) {
      std::cout << "Erste Zeit: " << U(g.Zelle(0, 1)) << ", letzte Zeit: " << U(g.Zelle(n - 1, 1))
                << "\n";
    }
    for (auto r : gezeigt) {
      std::cout << "Zeile " << (r + 1) << ":";
      const auto zellen = Zellen(g, r);
      for (std::size_t c = 0; c < zellen.size(); ++c) std::cout << (c ? " | " : " ") << zellen[c];
      std::cout << "\n";
    }
    if (o.abschnitte) {
      std::cout << "Abschnitte:";
      if (!abschnitte || abschnitte->lbix1.empty()) std::cout << " keine";
      std::cout << "\n";
      for (std::size_t k = 0; abschnitte && k < abschnitte->lbix1.size(); ++k) {
        std::cout << "  " << U(abschnitte->cbIntervalle.at(k + 1)) << " (Zeilen "
                  << abschnitte->lbix1.at(k) + 1 << " bis " << abschnitte->lbix2.at(k) + 1 << ")\n";
      }
      if (abschnitte && abschnitte->zeitFehler) {
        std::cout << "  ab Zeile " << *abschnitte->zeitFehler + 1
                  << " keine gültige Zeit: dort endet die Ladung\n";
      }
    }
    for (const auto& m : senke.meldungen) std::cout << "Log: " << U(m) << "\n";
  }
  return zeilen >= 1 ? 0 : 1;
}

}  // namespace

Kommando KommandoDay() {
  auto o = std::make_shared<DayOptionen>();
  return {"day",
          {"VERZ", "JJJJMMTT"},
          "Zusammenfassung eines gespeicherten Tages (Kopf, Zeilen, erste und letzte Zeit)",
          "0 mindestens eine Zeile gelesen, 1 keine, 2 Aufruffehler",
          {{"--rows", "A:B", "dazu die Zellen der Zeilen A bis B (ab 1 gezählt)",
            [o](const std::string& w) { o->zeilenBereich = BereichLesen(w); }},
           {"--stretches", "",
            "dazu die zusammenhängenden Abschnitte der Messungen, wie der Tagesbrowser sie "
            "listet (Zeilen ab 1 gezählt)",
            [o](const std::string&) { o->abschnitte = true; }},
           JsonOption(o->json)},
          [o](const std::vector<std::string>& frei) { return Day(*o, frei); }};
}

}  // namespace pegeltool
