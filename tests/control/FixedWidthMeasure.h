#pragma once

#include "TextLines.h"
#include "TextMeasure.h"

#include <algorithm>

// Measures every character as equally wide and every line as equally high, so that widths and
// positions can be worked out by hand: by default 100 twips a character, 200 a line, 10 points.
class FixedWidthMeasure final : public Ywindow::TextMeasure {
 public:
  explicit FixedWidthMeasure(double charWidth = 100, double lineHeight = 200, float fontSize = 10)
      : charWidth_(charWidth), lineHeight_(lineHeight), fontSize_(fontSize) {}

  double TextWidth(const QString& text) const override {
    qsizetype widest = 0;
    QString rest = text;
    QString line;
    bool more = true;
    while (more) {
      more = Ywindow::SplitFirstLine(rest, &line, &rest);
      widest = std::max(widest, line.size());
    }
    return widest * charWidth_;
  }
  double TextHeight(const QString& text) const override { return Ywindow::LineCount(text) * lineHeight_; }
  float FontSize() const override { return fontSize_; }

 private:
  double charWidth_;
  double lineHeight_;
  float fontSize_;
};
