// The bars of a digital chart: a value above 0.6 is "on".
#pragma once

#include <vector>

#include "canvas.h"
#include "seite.h"

namespace pegel::chart {

// Rolling mode: each valid value's bar red (high when on, the low null bar when off),
// then the stretch from the previous valid value to it filled black (previous on) or
// white (off); only the last valid value's bar stays red. Updates st.LetztX and
// st.LetzterWert. Throws GeometrieFehler.
void DigitalRollend(Canvas& c, const TStreifen& s, TGrafikstatistik& st,
                    const std::vector<double>& werte);

// Every slot (NoValue counts as off): on = black high bar, off = white high bar and, with
// `nullLinie`, a black low bar; the slot `rotePosition` is red instead of black (pass -1
// for none). The brush is white afterwards. Throws GeometrieFehler.
void DigitalJeSlot(Canvas& c, const TStreifen& s, const std::vector<double>& werte,
                   int rotePosition, bool nullLinie);

}  // namespace pegel::chart
