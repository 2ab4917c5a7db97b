// A track bar that draws its selection band: the span between SelStart and SelEnd is
// shown as a coloured bar beside the groove, so that both bars of the history browser
// show the chosen span wherever their handles stand.
#pragma once

#include <QSlider>

namespace pegel::ui {

class SpurRegler : public QSlider {
  Q_OBJECT
 public:
  explicit SpurRegler(QWidget* parent = nullptr);

  // The band, in the bar's values; drawn clipped to the range.
  void AuswahlSetzen(int selStart, int selEnd);
  int SelStart() const { return selStart_; }
  int SelEnd() const { return selEnd_; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  int selStart_ = 1;
  int selEnd_ = 1;
};

}  // namespace pegel::ui
