#include "TestHost.h"

#include "Guard.h"
#include "YwindowControl.h"
#include "YwindowLibrary.h"

#include <gtest/gtest.h>

TestHost::TestHost() {
  window_.resize(900, 600);
  control_ = Ywindow::CreateObject(QStringLiteral("Ywindow.YwindowControl"), &window_);
  if (control_ == nullptr) {
    ADD_FAILURE() << "the library does not know Ywindow.YwindowControl";
    return;
  }
  control_->setGeometry(0, 0, 900, 600);
  connect(control_, SIGNAL(RedoLayout()), this, SLOT(Ywindow_RedoLayout()), Qt::DirectConnection);
  connect(control_, SIGNAL(RedoGraphics()), this, SLOT(Ywindow_RedoGraphics()), Qt::DirectConnection);
  window_.show();
}

TestHost::~TestHost() = default;

YwindowControl& TestHost::Typed() const { return *qobject_cast<YwindowControl*>(control_.data()); }

void TestHost::Check(bool invoked, const char* member) {
  EXPECT_TRUE(invoked) << "no member " << member << " with these arguments";
}

void TestHost::Ywindow_RedoLayout() {
  ErrTrap::Guard guard(ErrTrap::Handler(QStringLiteral("TestHost:Ywindow_RedoLayout")));
  guard([&] {
    events.append(QStringLiteral("RedoLayout depth %1").arg(depth_));
    ++depth_;
    Call("Reset");
    for (const QString& heading : layout.leading) Call("AddColumn", Q_ARG(QString, heading), Q_ARG(int, 1));
    if (layout.dated) {
      Call("AddDateGrid");
      events.append(QStringLiteral("layout days %1").arg(Typed().Axis().DaysPerColumn));
    } else {
      Call("FixTop");
    }
    for (int row = 0; row < layout.dataRows; ++row) {
      Call("AddRow");
      int rows = 0;
      Call("Rows", Q_RETURN_ARG(int, rows));
      Call("CellText", Q_ARG(int, rows - 1), Q_ARG(int, 0), Q_ARG(QString, QStringLiteral("Task %1").arg(row + 1)));
    }
    Call("LayoutComplete", Q_ARG(int, layout.lockedCols), Q_ARG(int, layout.keySize));
    --depth_;
  });
}

void TestHost::Ywindow_RedoGraphics() {
  ErrTrap::Guard guard(ErrTrap::Handler(QStringLiteral("TestHost:Ywindow_RedoGraphics")));
  guard([&] {
    events.append(QStringLiteral("RedoGraphics depth %1").arg(depth_));
    if (drawing) drawing();
    Call("Refresh");
  });
}

void TestHost::DrawDateChart() {
  drawing = [this] {
    int x1 = 0;
    int x2 = 0;
    Call("DateToX", Q_RETURN_ARG(int, x1), Q_ARG(double, 45302.0));
    Call("DateToX", Q_RETURN_ARG(int, x2), Q_ARG(double, 45304.0));
    const int top = Typed().Grid().RowPos(3);
    Call("Box", Q_ARG(int, x1), Q_ARG(int, top), Q_ARG(int, x2), Q_ARG(int, top + 200), Q_ARG(int, 0), Q_ARG(int, 0xFF));
  };
  Call("SetDateRange", Q_ARG(double, 45301.0), Q_ARG(double, 45305.0));
}
