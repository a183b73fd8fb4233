#include "PaintBreaks.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

namespace Ywindow {

namespace {

constexpr int kRowsBetweenClockReads = 64;

int depth = 0;
int interval = 20;
int rowsLeft = kRowsBetweenClockReads;
QElapsedTimer sinceBreak;

}  // namespace

PaintBreaks::PaintBreaks() {
  if (depth++ == 0) sinceBreak.start();
}

PaintBreaks::~PaintBreaks() { --depth; }

bool PaintBreaks::Active() { return depth > 0; }

void PaintBreaks::SetInterval(int milliseconds) { interval = milliseconds; }

void KeepPainting(int rows) {
  if (depth == 0) return;
  rowsLeft -= rows;
  if (rowsLeft > 0) return;
  rowsLeft = kRowsBetweenClockReads;
  BreakIfDue();
}

void BreakIfDue() {
  if (depth == 0 || sinceBreak.elapsed() < interval) return;
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  sinceBreak.restart();
}

}  // namespace Ywindow
