#pragma once

#include "TextMeasure.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>

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
  double LineWidth(const QString& line) const;

  QFont font_;
  QFontMetricsF metrics_;
  double twipsPerPixelX_;
  double twipsPerPixelY_;
  // Widths of lines already measured, in pixels: a chart measures the same texts again and again
  // (fitting, then drawing; dates and durations repeat down the rows), and shaping is the cost.
  mutable QHash<QString, double> lineWidths_;
};

}  // namespace Ywindow
