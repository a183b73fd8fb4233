#pragma once

#include "YwindowExport.h"

#include <QString>

namespace Ywindow {

// Measures text in the control's font, in twips. The control measures with its font's metrics
// (FontMeasure); the fitting, merging and drawing take this interface, so that tests can measure
// with fixed widths and check the arithmetic by hand.
class YWINDOW_EXPORT TextMeasure {
 public:
  virtual ~TextMeasure();
  // The width of the text's widest line.
  virtual double TextWidth(const QString& text) const = 0;
  // The height of all the text's lines (see LineCount).
  virtual double TextHeight(const QString& text) const = 0;
  // The font's size in points.
  virtual float FontSize() const = 0;
  // The padded width of one line (see GetTextWidth): the width of "X", the line without its
  // blanks and "X" again, rounded to whole twips. A measure that remembers widths may keep it
  // with the line's own width.
  virtual int PaddedLineWidth(const QString& line) const;
};

// The padded width of the text's widest line: the width of "X", the line without its blanks and
// "X" again, rounded to whole twips. An empty text measures as "XX". Columns are fitted to it and
// text objects span it.
YWINDOW_EXPORT int GetTextWidth(const TextMeasure& measure, const QString& Text);

}  // namespace Ywindow
