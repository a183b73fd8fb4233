#pragma once

#include "TextMeasure.h"

#include <QFont>
#include <QFontMetricsF>

class QPaintDevice;

namespace Ywindow {

// Measures text with a font's metrics on a paint device, in twips (1440 to the inch of the
// device's logical resolution).
class FontMeasure final : public TextMeasure {
 public:
  FontMeasure(const QFont& font, const QPaintDevice* device);

  double TextWidth(const QString& text) const override;
  double TextHeight(const QString& text) const override;
  float FontSize() const override;

 private:
  QFont font_;
  QFontMetricsF metrics_;
  double twipsPerPixelX_;
  double twipsPerPixelY_;
};

}  // namespace Ywindow
