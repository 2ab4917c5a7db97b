#include "spur_regler.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

namespace pegel::ui {

SpurRegler::SpurRegler(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  setTickPosition(QSlider::TicksBelow);
  setMinimumHeight(34);
}

void SpurRegler::AuswahlSetzen(int selStart, int selEnd) {
  if (selStart == selStart_ && selEnd == selEnd_) return;
  selStart_ = selStart;
  selEnd_ = selEnd;
  update();
}

void SpurRegler::paintEvent(QPaintEvent* e) {
  QSlider::paintEvent(e);
  if (maximum() < minimum()) return;
  QStyleOptionSlider opt;
  initStyleOption(&opt);
  const QRect rinne =
      style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
  const QRect griff =
      style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
  // The handle's centre runs over the groove less half a handle at each end.
  const int links = rinne.left() + griff.width() / 2;
  const int weite = std::max(1, rinne.width() - griff.width());
  const auto x = [&](int wert) {
    const int w = std::clamp(wert, minimum(), maximum());
    return links + QStyle::sliderPositionFromValue(minimum(), maximum(), w, weite);
  };
  const int von = x(std::min(selStart_, selEnd_));
  const int bis = x(std::max(selStart_, selEnd_));
  QPainter p(this);
  const QColor farbe =
      isEnabled() ? palette().color(QPalette::Highlight) : palette().color(QPalette::Mid);
  // Above the groove, where the ticks below leave room.
  p.fillRect(QRect(von, std::max(0, rinne.top() - 5), std::max(2, bis - von + 1), 3), farbe);
}

}  // namespace pegel::ui
