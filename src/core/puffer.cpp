#include "puffer.h"

#include <stdexcept>

#include "meldungstexte.h"

namespace pegel {

bool StatistikZuruecksetzen(PegelStatus& s, std::int32_t n, Log& log, const std::string& meldung) {
  try {
    TagesStatistik& st = s.Statistik.at(static_cast<std::size_t>(n));
    st.Anzahl = 0;
    st.Angenommen = 0;
    st.Minimum = MinimumStart;
    st.Maximum = MaximumStart;
    s.Ring.ZeileLeeren(n);
  } catch (const std::out_of_range&) {
    log.LogAll(meldung);
    return false;
  }
  return true;
}

void PufferEinrichten(PegelStatus& s, Dienste& d) {
  const std::int32_t itemcount = s.Par().Itemcount();
  if (s.Ring.ZeilenAnlegen(itemcount) < 0) d.meldungen.Info(text::PufferNichtAngelegt);
  s.Ring.ZeitenAnlegen(s.Anzeige.Puffer);
  for (std::int32_t n = 1; n <= itemcount && n <= MaxItems; ++n) {
    if (s.Ring.SpalteAnlegen(n - 1, s.Anzeige.Puffer) < 0) {
      d.meldungen.Info(text::SpalteNichtAngelegt(n));
    }
  }
  AlleZuruecksetzen(s, d.log, text::PufferResetMain, true);
}

void AlleZuruecksetzen(PegelStatus& s, Log& log, const std::string& meldung, bool aktMax) {
  for (std::int32_t n = 1; n <= s.Par().Itemcount() && n <= MaxItems; ++n) {
    StatistikZuruecksetzen(s, n, log, meldung);
    if (aktMax) s.Sammler.AktMax.at(static_cast<std::size_t>(n)) = AktMaxStart;
  }
}

}  // namespace pegel
