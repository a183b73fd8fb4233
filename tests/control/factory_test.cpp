#include "TestSupport.h"
#include "YwindowControl.h"
#include "YwindowLibrary.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <memory>

namespace {

TEST(YwindowFactory, CreatesTheControlByItsClassName) {
  QWidget host;
  QWidget* control = Ywindow::CreateObject(QStringLiteral("Ywindow.YwindowControl"), &host);
  ASSERT_NE(control, nullptr);
  EXPECT_NE(qobject_cast<YwindowControl*>(control), nullptr);
  EXPECT_EQ(control->parentWidget(), &host);
  EXPECT_STREQ(control->metaObject()->className(), "YwindowControl");
}

TEST(YwindowFactory, AnUnknownClassNameGivesNothing) {
  EXPECT_EQ(Ywindow::CreateObject(QStringLiteral("Ywindow.NoSuchControl")), nullptr);
  EXPECT_EQ(Ywindow::CreateObject(QString()), nullptr);
}

}  // namespace
