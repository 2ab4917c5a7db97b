// The group menu of the chart windows ("Gruppe wählen"): one entry per group of the group file.
#pragma once

#include <QMenu>
#include <filesystem>
#include <functional>

namespace pegel::ui {

// Clears `menue` and adds one entry per group named in the group file `gruppenDatei` (read
// through the core's group-file reader), in file order, named "Gruppe1_{g}"; choosing entry g
// (1-based) calls `klick(g)`. An unreadable file leaves the menu empty.
void GruppenEintragen(QMenu& menue, const std::filesystem::path& gruppenDatei,
                      const std::function<void(int)>& klick);

}  // namespace pegel::ui
