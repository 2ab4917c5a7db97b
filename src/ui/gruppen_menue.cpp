#include "gruppen_menue.h"

#include "gruppen_datei.h"
#include "qt_text.h"

namespace pegel::ui {

void GruppenEintragen(QMenu& menue, const std::filesystem::path& gruppenDatei,
                      const std::function<void(int)>& klick) {
  menue.clear();
  const auto namen = pegel::GruppenNamenLesen(gruppenDatei);
  for (std::size_t i = 0; i < namen.size(); ++i) {
    QAction* eintrag = menue.addAction(Q(namen[i]));
    const int g = static_cast<int>(i) + 1;
    eintrag->setObjectName(QString("Gruppe1_%1").arg(g));
    QObject::connect(eintrag, &QAction::triggered, &menue, [klick, g] { klick(g); });
  }
}

}  // namespace pegel::ui
