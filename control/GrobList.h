#pragma once

#include "Grob.h"
#include "YwindowExport.h"

#include <QList>

namespace Ywindow {

class TextMeasure;

// The graphic objects of a chart, in the order added; later ones draw over earlier ones. The
// control's grid drawing and the host add them after each clearing; every repaint and print
// draws them, so nothing here draws.
//
// The list also keeps the drawing's extent: the largest X2 + 1 and Y2 + 1 of the objects added
// since the last clearing (X1 and Y1 never count).
class YWINDOW_EXPORT GrobList {
 public:
  // Empties the list and its extent; the storage stays until the next object is added.
  void Clear();

  int Count() const { return count_; }
  const Grob& At(int index) const;
  int Xpixels() const { return xpixels_; }
  int Ypixels() const { return ypixels_; }
  // The last index the list holds room for: 100 after the first object, growing by half at a time.
  int UpperBound() const { return capacity_ - 1; }

  // Appends one object and widens the extent.
  void AddGrob(const Grob& grob);

  // The members through which the control and its hosts add objects. Thickness 0 is stored as 1
  // and FillStyle 0 as kFillSolid.
  void XLine(int X1, int Y1, int X2, int Y2, int Color = 0, int Thickness = 0);
  void Box(int X1, int Y1, int X2, int Y2, int BorderColor = 0, int FillColor = 0, int FillStyle = 0);
  // A direction other than a TriangleDirection is refused with error 5 and nothing is added, so
  // that a bad triangle is reported once, when it is added, and never while painting.
  void Triangle(int X1, int Y1, int X2, int Y2, int BorderColor, int FillColor, int Direction);
  void Oval(int X1, int Y1, int X2, int Y2, int BorderColor, int FillColor);
  // One text object per line of Text, each line below the one before. With MaxWidth above 0 a
  // line loses its last characters until it fits that width.
  void DrawText(const TextMeasure& measure, int X, int Y, const QString& Text, int Alignment = 0, int Color = 0,
                int MaxWidth = 0);

 private:
  // The objects lie in blocks of equal size, so that growing never moves the ones already
  // stored: a big chart's list grows by many megabytes at a time.
  static constexpr int kBlockShift = 12;
  static constexpr int kBlockSize = 1 << kBlockShift;
  QList<QList<Grob>> blocks_;
  int capacity_ = 0;
  int count_ = 0;
  int xpixels_ = 0;
  int ypixels_ = 0;
};

}  // namespace Ywindow
