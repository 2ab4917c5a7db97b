// The group file PEGELWART.GRP: a bare sequence of 756-byte records (an older format
// has 276-byte records and is converted), at most 20 groups.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "dienste.h"
#include "state.h"

namespace pegel {

inline constexpr std::size_t GruppenSatzLaenge = 756;
inline constexpr std::size_t GruppenSatzLaengeAlt = 276;

// The 756-byte record of a group (little-endian, no gaps; name as a length byte and 30
// character bytes; the member count at offset 751).
std::array<std::uint8_t, GruppenSatzLaenge> GruppeKodieren(const TGruppe& g);
// Reads a record; `laenge` 756 or 276 (the old record has 60 members). Name lengths
// above 30 are cut to 30; member entries are taken as they stand.
TGruppe GruppeDekodieren(const std::uint8_t* satz, std::size_t laenge);

// The members of a group as the readers take them: the entries from the first on, up to
// the first entry that is 0 or less (at most 180).
std::vector<std::int32_t> GruppenMitglieder(const TGruppe& g);

// Replaces the group file with these records, atomically. False when the write failed.
bool GruppenDateiSchreiben(const std::filesystem::path& datei, const std::vector<TGruppe>& gruppen);

// The names of the groups in the file, in file order (at most 20; empty when the file is
// missing or not of 756-byte records). The chart windows' group menus show these.
std::vector<std::string> GruppenNamenLesen(const std::filesystem::path& datei);

// Loads the group file into s.Gruppen.GruppenTabelle (s.Gruppen.GruppenAnzahl records), converts
// the old format and logs the groups marked for printing. A file that cannot be used is shown as a
// message and moved out of the way (to PEGELWART.GRP.bak), so the program runs without groups. With
// s.NurLesen nothing is written, converted or moved.
void GruppenDateiLesen(PegelStatus& s, Dienste& d);

}  // namespace pegel
