// The breaks a long rebuild takes to let the application paint.

#include "PaintBreaks.h"

#include <gtest/gtest.h>

#include <QScopeGuard>
#include <QTimer>

using Ywindow::KeepPainting;
using Ywindow::PaintBreaks;

namespace {

constexpr int kUsualInterval = 20;

TEST(PaintBreaks, ABreakComesOnlyDuringARebuildAndOnlyWhenDue) {
  const auto restore = qScopeGuard([] { PaintBreaks::SetInterval(kUsualInterval); });
  bool painted = false;
  QTimer::singleShot(0, [&] { painted = true; });

  for (int row = 0; row < 1000; ++row) KeepPainting();
  EXPECT_FALSE(painted) << "no rebuild on the stack";
  EXPECT_FALSE(PaintBreaks::Active());

  PaintBreaks::SetInterval(60000);
  const PaintBreaks breaks;
  EXPECT_TRUE(PaintBreaks::Active());
  for (int row = 0; row < 1000; ++row) KeepPainting();
  EXPECT_FALSE(painted) << "the interval has not passed";

  PaintBreaks::SetInterval(0);
  KeepPainting(64);
  EXPECT_TRUE(painted);
}

TEST(PaintBreaks, NestedRebuildsEndWithTheOutermost) {
  {
    const PaintBreaks outer;
    {
      const PaintBreaks inner;
      EXPECT_TRUE(PaintBreaks::Active());
    }
    EXPECT_TRUE(PaintBreaks::Active());
  }
  EXPECT_FALSE(PaintBreaks::Active());
}

}  // namespace
