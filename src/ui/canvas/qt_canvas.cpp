#include "qt_canvas.h"

#include <QFontMetricsF>
#include <QPen>
#include <QPolygonF>
#include <QString>
#include <algorithm>
#include <cmath>

#include "cp1252.h"

namespace pegel::ui {

namespace {

constexpr std::size_t StueckPunkte = 64;

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, Abbildung abbildung, bool glatt)
    : p_(painter), a_(abbildung), glatt_(glatt) {
  // The canvas's own font, for text drawn without a font of the table.
  eigeneSchrift_.hoehe = 40;
  p_.resetTransform();
  p_.setBackgroundMode(Qt::TransparentMode);
}

QtCanvas::~QtCanvas() { Abschliessen(); }

QColor QtCanvas::Farbe(chart::Farbe f) {
  return QColor(f & 0xFF, (f >> 8) & 0xFF, (f >> 16) & 0xFF);
}

double QtCanvas::PixelProEinheit() const { return std::abs(a_.sx); }

QPointF QtCanvas::Geraet(QPoint p) const { return {p.x() * a_.sx + a_.ox, p.y() * a_.sy + a_.oy}; }

QPen QtCanvas::Stift() const {
  const double skala = (std::abs(a_.sx) + std::abs(a_.sy)) / 2;
  QPen pen(Farbe(stiftFarbe_), std::max(1.0, stiftBreite_ * skala), Qt::SolidLine, Qt::SquareCap,
           Qt::BevelJoin);
  return pen;
}

void QtCanvas::Abschliessen() {
  if (kette_.size() < 2) {
    kette_.clear();
    return;
  }
  QPolygonF punkte;
  punkte.reserve(static_cast<qsizetype>(kette_.size()));
  for (const QPoint& p : kette_) punkte.append(Geraet(p));
  p_.setRenderHint(QPainter::Antialiasing, glatt_);
  p_.setPen(Stift());
  p_.drawPolyline(punkte);
  kette_.clear();
}

void QtCanvas::StiftFarbe(chart::Farbe farbe) {
  if (farbe == stiftFarbe_) return;
  Abschliessen();
  stiftFarbe_ = farbe;
}

void QtCanvas::StiftBreite(int breite) {
  if (breite == stiftBreite_) return;
  Abschliessen();
  stiftBreite_ = breite;
}

void QtCanvas::PinselFarbe(chart::Farbe farbe) { pinsel_ = farbe; }

void QtCanvas::MoveTo(int x, int y) { pos_ = QPoint(x, y); }

void QtCanvas::LineTo(int x, int y) {
  const QPoint a = pos_;
  const QPoint b(x, y);
  pos_ = b;
  // Traces are drawn as segments back to the previous point; join them end to end.
  if (kette_.size() == 2 && (a == kette_.front() || b == kette_.front()) && a != kette_.back() &&
      b != kette_.back()) {
    std::swap(kette_.front(), kette_.back());
  }
  if (!kette_.empty() && a == kette_.back()) {
    kette_.push_back(b);
  } else if (!kette_.empty() && b == kette_.back()) {
    kette_.push_back(a);
  } else {
    Abschliessen();
    kette_ = {a, b};
  }
  if (kette_.size() >= StueckPunkte) {
    const QPoint letzter = kette_.back();
    Abschliessen();
    kette_.push_back(letzter);
  }
}

void QtCanvas::Rechteck(int x1, int y1, int x2, int y2) {
  Abschliessen();
  p_.setRenderHint(QPainter::Antialiasing, false);
  p_.setPen(Stift());
  p_.setBrush(Qt::NoBrush);
  p_.drawRect(QRectF(Geraet(QPoint(x1, y1)), Geraet(QPoint(x2, y2))).normalized());
}

void QtCanvas::FuellRechteck(int x1, int y1, int x2, int y2) {
  Abschliessen();
  p_.setRenderHint(QPainter::Antialiasing, false);
  p_.fillRect(QRectF(Geraet(QPoint(x1, y1)), Geraet(QPoint(x2, y2))).normalized(), Farbe(pinsel_));
}

bool QtCanvas::TextAusrichtung(chart::Ausrichtung a) {
  ausrichtung_ = a;
  return true;
}

bool QtCanvas::TextFarbe(chart::Farbe farbe) {
  if (farbe < 0) return false;
  textFarbe_ = farbe;
  return true;
}

bool QtCanvas::SchriftWaehlen(const chart::Schrift* neu, const chart::Schrift*& vorher) {
  vorher = schrift_;
  schrift_ = neu;
  return true;
}

const QtCanvas::FontEintrag& QtCanvas::FontFuer(const chart::Schrift* s) {
  if (s == nullptr) s = &eigeneSchrift_;
  for (const FontEintrag& e : fonts_) {
    const chart::Schrift& t = e.schrift;
    if (t.name == s->name && t.hoehe == s->hoehe && t.gewicht == s->gewicht &&
        t.kursiv == s->kursiv && t.unterstrichen == s->unterstrichen) {
      return e;
    }
  }
  return FontAnlegen(*s);
}

const QtCanvas::FontEintrag& QtCanvas::FontAnlegen(const chart::Schrift& s) {
  QFont f(QString::fromUtf8(Cp1252ZuUtf8(s.name)));
  f.setWeight(s.gewicht >= 700 ? QFont::Bold : s.gewicht <= 100 ? QFont::Thin : QFont::Normal);
  f.setItalic(s.kursiv);
  f.setUnderline(s.unterstrichen);
  // The height is the text cell (ascent + descent) in logical units; find the em size
  // that gives that cell on this device.
  const double zelle = s.hoehe * std::abs(a_.sy);
  f.setPixelSize(100);
  const QFontMetricsF m(f, p_.device());
  const double hundert = m.ascent() + m.descent();
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(zelle * 100 / hundert))));
  fonts_.push_back({s, f, QFontMetricsF(f, p_.device())});
  return fonts_.back();
}

bool QtCanvas::Text(int x, int y, const std::string& text) {
  Abschliessen();
  const FontEintrag& e = FontFuer(schrift_);
  const QFontMetricsF& m = e.metrik;
  const QString s = QString::fromUtf8(Cp1252ZuUtf8(text));
  const QPointF punkt = Geraet(QPoint(x, y));
  double links = punkt.x();
  const double breite = m.horizontalAdvance(s);
  if (ausrichtung_ == chart::Ausrichtung::Rechts) links -= breite;
  if (ausrichtung_ == chart::Ausrichtung::Mitte) links -= breite / 2;
  p_.setRenderHint(QPainter::TextAntialiasing, true);
  p_.setFont(e.font);
  p_.setPen(Farbe(textFarbe_));
  p_.drawText(QPointF(links, punkt.y() - m.descent()), s);
  return true;
}

}  // namespace pegel::ui
