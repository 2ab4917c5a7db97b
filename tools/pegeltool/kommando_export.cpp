// pegeltool export DIR YYYYMMDD [--from hh:mm:ss] [--to hh:mm:ss] [--params LIST]
// (--xls F | --xlsx F | --csv F [--utf8]) [--json]: the value table of a stored day as a
// file, as the window exports it.
#include <filesystem>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cp1252.h"
#include "csv_datei.h"
#include "kommandos.h"
#include "werte_tag.h"
#include "xls_datei.h"
#include "xlsx_datei.h"

namespace pegeltool {

namespace {

using kommandozeile::Aufruffehler;

enum class Format { Xls, Xlsx, Csv };

struct ExportOptionen {
  std::optional<std::string> von, bis;
  std::vector<int> parameter;
  std::optional<std::pair<Format, std::string>> ziel;
  bool utf8 = false;
  bool json = false;
};

kommandozeile::Option ZielOption(const std::shared_ptr<ExportOptionen>& o, const char* name,
                                 Format f, const char* hilfe) {
  return {name, "DATEI", hilfe, [o, f, name](const std::string& w) {
            if (o->ziel) throw Aufruffehler(std::string("nur eines von --xls, --xlsx, --csv"));
            if (w.empty()) throw Aufruffehler(std::string(name) + " braucht einen Dateinamen");
            o->ziel = {f, w};
          }};
}

// The message on one line, for stderr.
std::string EineZeile(std::string t) {
  for (char& c : t) {
    if (c == '\n') c = ' ';
  }
  return t;
}

int Export(const ExportOptionen& o, const std::vector<std::string>& frei) {
  if (!o.ziel) throw Aufruffehler("eines von --xls, --xlsx, --csv ist nötig");
  if (o.utf8 && o.ziel->first != Format::Csv) throw Aufruffehler("--utf8 gilt nur mit --csv");
  const std::unique_ptr<WerteTag> tag = WerteTagLaden("export", frei);
  if (!tag) return ExitDaten;
  const pegel::WerteTabelle t = tag->Tabelle(o.parameter, o.von, o.bis);
  if (t.Zeilen() < 2) {
    std::cerr << "pegeltool export: keine Zeile im Zeitraum\n";
    return ExitDaten;
  }
  const std::filesystem::path datei = std::filesystem::absolute(o.ziel->second);
  const pegel::ExportErgebnis e =
      o.ziel->first == Format::Xls ? pegel::WriteXLS(t, datei)
      : o.ziel->first == Format::Xlsx
          ? pegel::WriteXLSX(t, datei)
          : pegel::WriteCSV(t, datei,
                            o.utf8 ? pegel::CsvKodierung::Utf8 : pegel::CsvKodierung::Windows1252);
  const std::string meldung = pegel::Cp1252ZuUtf8(e.meldung);
  if (!e.ok) std::cerr << "pegeltool export: " << EineZeile(meldung) << "\n";
  if (o.json) {
    nlohmann::ordered_json j;
    j["ok"] = e.ok;
    j["datei"] = pegel::Cp1252ZuUtf8(datei.string());
    j["zeilen"] = t.Zeilen() - 1;
    j["spalten"] = t.Spalten() - 1;
    j["meldung"] = meldung;
    std::cout << j.dump(2) << "\n";
  } else if (e.ok) {
    std::cout << meldung << "\n";
  }
  return e.ok ? ExitOk : ExitDaten;
}

}  // namespace

Kommando KommandoExport() {
  auto o = std::make_shared<ExportOptionen>();
  return {
      "export",
      {"VERZ", "JJJJMMTT"},
      "die Werte-Tabelle eines Tages (Zeiten und Werte wie gespeichert) als Datei: .xls "
      "(höchstens 65.535 Zeilen), .xlsx oder ;-getrennter Text mit Dezimalkomma; liest die "
      "Anlage nur",
      "0 geschrieben, 1 keine Daten oder Datei nicht schreibbar (nichts unter ihrem Namen "
      "geändert), 2 Aufruffehler",
      {{"--from", "hh:mm:ss", "erste Zeile: die erste ab dieser Zeit",
        [o](const std::string& w) { o->von = ZeitOption("--from", w); }},
       {"--to", "hh:mm:ss", "letzte Zeile: die letzte bis zu dieser Zeit",
        [o](const std::string& w) { o->bis = ZeitOption("--to", w); }},
       {"--params", "LISTE", "nur diese Parameter, z. B. 1,3-5 (sonst alle des Tages)",
        [o](const std::string& w) { o->parameter = ParameterListeLesen(w); }},
       ZielOption(o, "--xls", Format::Xls, "als Arbeitsblatt im alten Excel-Format schreiben"),
       ZielOption(o, "--xlsx", Format::Xlsx, "als Excel-Arbeitsmappe (.xlsx) schreiben"),
       ZielOption(o, "--csv", Format::Csv,
                  "als Text mit ; zwischen den Zellen und Dezimalkomma schreiben (Windows-1252)"),
       {"--utf8", "", "mit --csv: UTF-8 mit Byte-Order-Mark statt Windows-1252",
        [o](const std::string&) { o->utf8 = true; }},
       JsonOption(o->json)},
      [o](const std::vector<std::string>& frei) { return Export(*o, frei); }};
}

}  // namespace pegeltool
