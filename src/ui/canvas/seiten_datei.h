// One chart page as a file: a one-page PDF or a PNG image of breite x hoehe mm, in exact
// 0.1 mm units with the y axis up. The caller draws the page on the canvas it is given,
// typically with chart::RefreshAusgabe as a full page for the printer.
#pragma once

#include <filesystem>
#include <functional>

#include "canvas.h"

namespace pegel::ui {

using SeitenZeichner = std::function<void(chart::Canvas&)>;

// Writes the PDF. False when the page size is not positive or the file cannot be written.
// Needs a QGuiApplication.
bool SeiteAlsPdf(const std::filesystem::path& datei, int breiteMm, int hoeheMm,
                 const SeitenZeichner& zeichnen);

// Writes the PNG at `dpi` (1 .. 2400) on a white ground. False when the sizes are out of
// range or the file cannot be written. Needs a QGuiApplication.
bool SeiteAlsPng(const std::filesystem::path& datei, int breiteMm, int hoeheMm, int dpi,
                 const SeitenZeichner& zeichnen);

}  // namespace pegel::ui
