// What the main window shows of the viewer's state: the enabled buttons, the visible
// labels, the running timers and the hourglass cursor. Core decides, the window only
// mirrors it: it registers as observer and applies the whole state on every change.
#pragma once

#include <string>

namespace pegel {

struct FensterZustand {
  bool btStarten = true;
  bool btStoppen = false;
  bool btBeenden = true;
  bool btEchtdatenZeigen = true;
  bool lbAus = true;       // "Nicht aktiv" shown
  bool menuGrafik = true;  // Einstellungen > Grafik enabled
  bool lbLesen = false;    // time of the newest sample shown
  std::string lbLesenText = "00:00:00";
  bool lbAnzeige = false;  // the red hint "Anzeige erst möglich, ..."
  bool TimerSample = false;
  bool timerLabel = false;
  bool TimerStart = false;
  bool Sanduhr = false;  // hourglass cursor

  bool operator==(const FensterZustand&) const = default;
};

class FensterBeobachter {
 public:
  virtual ~FensterBeobachter() = default;
  virtual void FensterGeaendert(const FensterZustand& z) = 0;
};

// Holds the state and tells the observer (not owned, may be null) after every change
// that really changes something, at once: the cursor must change while a pass runs.
class Fenster {
 public:
  const FensterZustand& Zustand() const { return z_; }
  void BeobachterSetzen(FensterBeobachter* b) { beobachter_ = b; }

  void Setzen(bool FensterZustand::*feld, bool wert) {
    if (z_.*feld == wert) return;
    z_.*feld = wert;
    Melden();
  }
  void LesenText(const std::string& text) {
    if (z_.lbLesenText == text) return;
    z_.lbLesenText = text;
    Melden();
  }

 private:
  void Melden() {
    if (beobachter_ != nullptr) beobachter_->FensterGeaendert(z_);
  }
  FensterZustand z_;
  FensterBeobachter* beobachter_ = nullptr;
};

}  // namespace pegel
