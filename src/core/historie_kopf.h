// The history browser's own reading of a day header, and the day a file name stands for.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tageskopf.h"
#include "text_format.h"

namespace pegel {

// The day a loaded file belongs to, as the browser shows it and hands it on.
struct HistorienTag {
  std::string lbDatum;           // day.month.year cut from the name ("05.12.2026" for 20261205)
  std::string Tageskennung;      // the value table's day key, used in the export file name
  std::optional<TDateTime> Tag;  // lbDatum as a date; empty when it does not convert
};

// The day of a list entry of lstDAT as shown ("20261205.DAT"): lbDatum from its first
// eight characters, Tageskennung the entry itself. Never throws but std::bad_alloc.
HistorienTag TagAusEintrag(std::string_view eintrag);

// The day of a bare file name chosen without a list entry: lbDatum from the eight
// characters in front of its extension (fewer when the name is shorter), Tageskennung
// those characters. Never throws but std::bad_alloc.
HistorienTag TagAusDateiname(std::string_view name);

// "Ungültiges Datum ?" (Windows-1252), shown when lbDatum does not convert.
std::string UngueltigesDatumText();

// A header as the browser reads it.
struct HistorienKopf {
  Kopfdaten kopf;                   // with the interval display set
  std::int32_t Messintervall = 0;   // ms
  std::vector<std::string> lbPars;  // per parameter: name + "  [" + unit + "]"
};

// The entry of a parameter in the browser's parameter list.
std::string ParameterEintrag(const Kopfdaten::Parameter& par);

// Reads a header file (same layout and rules as ReadHeaderF). Empty when it cannot be
// opened or is not a whole header; a header that fails half way leaves nothing behind.
// Never logs, never throws.
std::optional<HistorienKopf> HistorienKopfLesen(const std::filesystem::path& pgh);

}  // namespace pegel
