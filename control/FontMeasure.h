#pragma once

#include "TextMeasure.h"
#include "YwindowExport.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>

#include <memory>

class QPaintDevice;

namespace Ywindow {

// Measures text with a font's metrics on a paint device, in twips (1440 to the inch of the
// device's logical resolution). The widths of the lines measured are remembered for the font
// and the resolution, and shared by every measure of the same thread that measures with them.
class YWINDOW_EXPORT FontMeasure final : public TextMeasure {
 public:
  FontMeasure(const QFont& font, const QPaintDevice* device);

  double TextWidth(const QString& text) const override;
  double TextHeight(const QString& text) const override;
  float FontSize() const override;
  int PaddedLineWidth(const QString& line) const override;

 private:
  // What is known of a line; below zero where it was not measured yet.
  struct LineWidths {
    double pixels = -1;   // the line itself
    int paddedTwips = -1;  // the line padded (PaddedLineWidth)
  };

  using Lines = QHash<QString, LineWidths>;

  double LineWidth(const QString& line) const;
  LineWidths& Remembered(const QString& line) const;
  static std::shared_ptr<Lines> SharedLines(const QFont& font, const QPaintDevice* device);

  QFont font_;
  QFontMetricsF metrics_;
  double lineHeight_;  // pixels
  double twipsPerPixelX_;
  double twipsPerPixelY_;
  // Widths of lines already measured: a chart measures the same texts again and again (fitting,
  // then drawing; dates and durations repeat down the rows; a window opened again shows the same
  // texts), and shaping is the cost. Each line is looked up once for both of its widths.
  std::shared_ptr<Lines> lines_;
};

}  // namespace Ywindow
