// One chart page as a file: a one-page PDF or a PNG image of breite x hoehe mm, in exact
// 0.1 mm units with the y axis up. The caller draws the page on the canvas it is given,
// typically with chart::SeiteZeichnen as a full page for a file.
#pragma once

#include <filesystem>
#include <functional>

#include "canvas.h"
#include "log.h"
#include "seite.h"
#include "seitenstil.h"
#include "uhr.h"

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

// The chart page of `seite` in `stil` as a full page of Seitenbreite x Seitenhoehe mm, in a
// PDF (`dpi` ignored) or a PNG at `dpi`, with its own six page fonts. Log lines go to
// `log`, the footer's time comes from `uhr`. True when the file was written and the page
// completed; a page that ended early (see chart::SeiteZeichnen) still leaves its file.
enum class DateiArt { Pdf, Png };
bool ChartSeiteSchreiben(chart::ChartSeite& seite, const chart::Seitenstil& stil,
                         const std::filesystem::path& datei, DateiArt art, int dpi, Log& log,
                         Clock& uhr);

}  // namespace pegel::ui
