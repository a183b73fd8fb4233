// Dragging a box of the precedence diagram up or down its column, a whole row at a time. The rows
// moved last until the next layout.

#include "PrecedenceForm.h"

#include "Yslice.h"
#include "YwindowControl.h"

void PrecedenceForm::Ywindow_MouseDown(float x, float y) {
  dragSlice_ = nullptr;
  dragY_ = y;
  // The slices of an ordering that has passed are not boxes any more.
  if (!SlicesCurrent()) {
    ForgetSlices();
    return;
  }
  // Any button takes the first box under the pointer, edges included.
  for (Yslice* slice : includeList_) {
    if (slice->Count < 1) continue;
    const int left = GetX(slice->Col);
    const int top = GetY(slice->Row);
    if (left <= x && x <= left + boxWidth_ && top <= y && y <= top + boxHeight_) {
      dragSlice_ = slice;
      setCursor(Qt::SizeVerCursor);
      return;
    }
  }
}

void PrecedenceForm::Ywindow_MouseMove(float y) {
  if (dragSlice_ == nullptr) return;
  if (!SlicesCurrent()) {
    ForgetSlices();
    return;
  }
  const float step = static_cast<float>(boxHeight_);
  bool moved = false;
  while (dragY_ + step < y) {
    moved = true;
    ++dragSlice_->Row;
    dragY_ += step;
  }
  while (dragSlice_ != nullptr && dragY_ - step > y) {
    moved = true;
    if (dragSlice_->Row <= 0) {
      // Above the top row: every other box moves down instead, and the drag ends.
      for (Yslice* slice : includeList_) {
        if (slice != dragSlice_) ++slice->Row;
      }
      EndDrag();
      break;
    }
    --dragSlice_->Row;
    dragY_ -= step;
  }
  if (!moved) return;
  Chart()->Reset();
  Chart()->LayoutComplete(0, 0);
}

void PrecedenceForm::Ywindow_MouseUp() { EndDrag(); }

void PrecedenceForm::EndDrag() {
  dragSlice_ = nullptr;
  unsetCursor();
}
