#include "ViewFixture.h"

#include "Common.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"
#include "Pool.h"
#include "RegisterAnalysis.h"
#include "RegisterViews.h"
#include "SolveState.h"

#include <QAction>

void ViewTest::SetUp() {
  ShellTest::SetUp();
  Views::RegisterForms();
  Analysis::RegisterForms();
  StartProgram();
}

void ViewTest::OpenView(const char* menuEntry, const char* form) {
  ASSERT_TRUE(SolveNow()) << Solve::SolveMessage().toStdString();
  mainForm->Control(QString::fromLatin1(menuEntry))->trigger();
  ASSERT_NE(Forms::Find(QString::fromLatin1(form)), nullptr);
}

void ViewTest::OpenSample() {
  Common::FreeAllMemory();
  Common::BroadcastNewThisProject();
  dialogs.OpenAnswer(QStringLiteral(PRAXEL_SAMPLE));
  mainForm->Control(QStringLiteral("FileOpenMenu"))->trigger();
  ASSERT_NE(Common::ThisProject(), nullptr);
  mainForm->resize(1280, 800);
}
