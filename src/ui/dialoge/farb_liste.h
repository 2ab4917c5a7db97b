// A drop-down of the standard named colours, each with a swatch. It reports and takes the
// colour as the platform's colour integer that the INI file stores (red in the low byte).
// A colour that is none of the named ones shows as an entry of its own and is kept.
#pragma once

#include <QComboBox>
#include <cstdint>

namespace pegel::ui {

class FarbListe : public QComboBox {
  Q_OBJECT
 public:
  explicit FarbListe(QWidget* parent = nullptr);
  std::int32_t ColorValue() const;
  void SetColorValue(std::int32_t farbe);
  // The entries with a name (without a custom entry).
  static int NamenAnzahl();
};

}  // namespace pegel::ui
