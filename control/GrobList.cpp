#include "GrobList.h"

#include "Rounding.h"
#include "RuntimeError.h"
#include "TextLines.h"
#include "TextMeasure.h"

#include <algorithm>

namespace Ywindow {

namespace {

constexpr int kFirstUpperBound = 100;

bool IsTriangleDirection(int direction) {
  return direction == TriangleLeft || direction == TriangleUp || direction == TriangleDown ||
         direction == TriangleRight;
}

}  // namespace

void GrobList::Clear() {
  count_ = 0;
  xpixels_ = 0;
  ypixels_ = 0;
}

const Grob& GrobList::At(int index) const {
  if (index < 0 || index >= count_) {
    throw praxel::RuntimeError(praxel::errSubscript, QStringLiteral("Subscript out of range"));
  }
  return blocks_[index >> kBlockShift][index & (kBlockSize - 1)];
}

void GrobList::AddGrob(const Grob& grob) {
  // The extent first, so that an object beyond a Long's range is refused before it is stored.
  const int right = praxel::AddChecked(grob.X2, 1);
  const int bottom = praxel::AddChecked(grob.Y2, 1);
  if (count_ == 0) {
    capacity_ = kFirstUpperBound + 1;
  } else if (UpperBound() < count_) {
    capacity_ = praxel::ToLong(UpperBound() * 1.5) + 1;
  }
  const int block = count_ >> kBlockShift;
  if (block == blocks_.size()) {
    blocks_.append(QList<Grob>());
    blocks_.last().reserve(kBlockSize);
  }
  QList<Grob>& stored = blocks_[block];
  const int slot = count_ & (kBlockSize - 1);
  if (slot < stored.size()) {
    stored[slot] = grob;
  } else {
    stored.append(grob);
  }
  ++count_;
  xpixels_ = std::max(xpixels_, right);
  ypixels_ = std::max(ypixels_, bottom);
}

namespace {

// A shape of that kind between two corners, in those colours.
Grob Shape(int kind, int X1, int Y1, int X2, int Y2, int BorderColor, int FillColor = 0) {
  Grob grob;
  grob.Kind = kind;
  grob.X1 = X1;
  grob.Y1 = Y1;
  grob.X2 = X2;
  grob.Y2 = Y2;
  grob.BorderColor = BorderColor;
  grob.FillColor = FillColor;
  return grob;
}

}  // namespace

void GrobList::XLine(int X1, int Y1, int X2, int Y2, int Color, int Thickness) {
  Grob grob = Shape(GrobLine, X1, Y1, X2, Y2, Color);
  grob.Thickness = Thickness == 0 ? 1 : Thickness;
  AddGrob(grob);
}

void GrobList::Box(int X1, int Y1, int X2, int Y2, int BorderColor, int FillColor, int FillStyle) {
  Grob grob = Shape(GrobBox, X1, Y1, X2, Y2, BorderColor, FillColor);
  grob.FillStyle = FillStyle == 0 ? kFillSolid : FillStyle;
  AddGrob(grob);
}

void GrobList::Triangle(int X1, int Y1, int X2, int Y2, int BorderColor, int FillColor, int Direction) {
  if (!IsTriangleDirection(Direction)) {
    throw praxel::RuntimeError(praxel::errInvalidCall, QStringLiteral("Invalid procedure call or argument"));
  }
  Grob grob = Shape(GrobTriangle, X1, Y1, X2, Y2, BorderColor, FillColor);
  grob.Direction = Direction;
  AddGrob(grob);
}

void GrobList::Oval(int X1, int Y1, int X2, int Y2, int BorderColor, int FillColor) {
  AddGrob(Shape(GrobOval, X1, Y1, X2, Y2, BorderColor, FillColor));
}

void GrobList::DrawText(const TextMeasure& measure, int X, int Y, const QString& Text, int Alignment, int Color,
                        int MaxWidth) {
  QString rest = Text;
  QString line;
  int top = Y;
  bool more = true;
  while (more) {
    more = SplitFirstLine(rest, &line, &rest);
    if (MaxWidth > 0) {
      while (!line.isEmpty() && measure.TextWidth(line) > MaxWidth) line.chop(1);
    }
    Grob grob;
    grob.Kind = GrobText;
    grob.X1 = X;
    grob.Y1 = top;
    grob.X2 = praxel::AddChecked(X, GetTextWidth(measure, line));
    grob.Y2 = praxel::ToLong(top + measure.TextHeight(line));
    grob.FillColor = Color;
    grob.Direction = Alignment;
    grob.Text = line;
    AddGrob(grob);
    top = grob.Y2;
  }
}

}  // namespace Ywindow
