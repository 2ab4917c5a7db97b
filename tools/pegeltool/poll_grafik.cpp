#include "poll_grafik.h"

#include <QGuiApplication>

#include "echtdaten.h"
#include "live_grafik.h"
#include "seiten_datei.h"
#include "text_format.h"

namespace pegeltool {

std::optional<std::vector<int>> ParameterListe(const std::string& text) {
  std::vector<int> liste;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    const std::size_t komma = text.find(',', pos);
    const std::string teil =
        text.substr(pos, komma == std::string::npos ? std::string::npos : komma - pos);
    const auto n = pegel::GanzzahlLesen(teil);
    if (!n || *n < 1 || *n > pegel::MaxItems) return std::nullopt;
    liste.push_back(*n);
    if (komma == std::string::npos) break;
    pos = komma + 1;
  }
  if (liste.empty()) return std::nullopt;
  return liste;
}

bool GrafikSchreiben(pegel::PegelStatus& s, pegel::Dienste& d, pegel::LiveTabelle& tabelle,
                     const GrafikAuftrag& auftrag) {
  // Qt draws the page; the tool has no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "pegeltool";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);

  s.Anzeige.GanzerTag = false;
  s.Anzeige.MitCursor = false;
  pegel::live::LiveGrafik grafik(s, d);
  pegel::live::Echtdaten echtdaten(s, d, grafik, tabelle);
  std::vector<bool> auswahl(static_cast<std::size_t>(std::max(0, s.Par().Itemcount())), false);
  for (int p : auftrag.parameter) {
    if (p <= s.Par().Itemcount()) auswahl[static_cast<std::size_t>(p - 1)] = true;
  }
  const auto folge = echtdaten.btGrafikClick(auswahl, false, [](pegel::chart::Seitenart) {});
  if (folge != pegel::live::Echtdaten::Folge::GrafikZeigen) return false;
  grafik.FensterZeigen();
  // As the window's first paint: every analog range from the current data.
  grafik.FormPaint();
  // The rolling buffer without a cursor, as the live page shows it.
  return pegel::ui::ChartSeiteSchreiben(
      grafik.seite, pegel::chart::LiveStil(false, false, false), auftrag.datei,
      auftrag.pdf ? pegel::ui::DateiArt::Pdf : pegel::ui::DateiArt::Png, auftrag.dpi, d.log, d.uhr);
}

}  // namespace pegeltool
