#include "CaseName.h"
#include "FakeForms.h"
#include "Forms.h"
#include "MainForm.h"
#include "ShellFixture.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QStringList>

namespace {

class Placement : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    RegisterFake<FakeTree>(QStringLiteral("ProjectTreeForm"));
    RegisterFake<FakeTree>(QStringLiteral("TemplateTreeForm"));
    RegisterFake<FakeChart>(QStringLiteral("GanttForm"));
    RegisterFake<FakeChart>(QStringLiteral("BudgetForm"));
    RegisterFake<FakeDialog>(QStringLiteral("TaskEntryForm"));
    RegisterFake<FakeDialog>(QStringLiteral("ZoomForm"));
    RegisterFake<FakeDialog>(QStringLiteral("CrashDataForm"));
    RegisterFake<FakeHelp>(QStringLiteral("HelpForm"));
    StartProgram();
  }

  static QRect FrameGeometry(const QString& name) { return Forms::FrameOf(Forms::Find(name))->geometry(); }
  static bool FrameEnabled(const QString& name) { return Forms::FrameOf(Forms::Find(name))->isEnabled(); }
};

TEST_F(Placement, TreesSideBySideChartsFillDialogsCentred) {
  const QSize client = mainForm->ClientSize();
  Show(QStringLiteral("ProjectTreeForm"));
  Show(QStringLiteral("TemplateTreeForm"));
  EXPECT_EQ(FrameGeometry(QStringLiteral("ProjectTreeForm")), QRect(0, 0, qRound(0.6 * client.width()), client.height()));
  EXPECT_EQ(FrameGeometry(QStringLiteral("TemplateTreeForm")),
            QRect(qRound(0.6 * client.width()), 0, qRound(0.4 * client.width()), client.height()));

  Show(QStringLiteral("GanttForm"));
  EXPECT_EQ(FrameGeometry(QStringLiteral("GanttForm")), QRect(QPoint(0, 0), client));
  // One chart window at a time; trees and dialogs leave it open.
  Show(QStringLiteral("BudgetForm"));
  EXPECT_EQ(Forms::Find(QStringLiteral("GanttForm")), nullptr);
  QWidget* dialog = Show(QStringLiteral("TaskEntryForm"));
  EXPECT_NE(Forms::Find(QStringLiteral("BudgetForm")), nullptr);
  const QSize frame = Forms::FrameOf(dialog)->size();
  EXPECT_EQ(FrameGeometry(QStringLiteral("TaskEntryForm")).topLeft(),
            QPoint((client.width() - frame.width()) / 2, (client.height() - frame.height()) / 2));
}

TEST_F(Placement, WithTheHelpWindowUpADialogIsArrangedBesideIt) {
  Forms::Load(QStringLiteral("HelpForm"))->show();
  Show(QStringLiteral("TaskEntryForm"));
  EXPECT_TRUE(FormCalls().contains(QStringLiteral("HelpForm.SplitScreen")));
}

// While a dialog is open only help, exit, and for a printable window its output and font, stay
// usable; separators stay enabled; the lists, the other buttons and the other windows are
// disabled, the help window excepted.
struct LockCase {
  const char* dialog;
  bool printable;
};
void PrintTo(const LockCase& lock, std::ostream* out) { *out << lock.dialog; }

class DialogLock : public Placement, public testing::WithParamInterface<LockCase> {};

TEST_P(DialogLock, LeavesOnlyHelpExitAndPrintableOutputUsable) {
  const LockCase lock = GetParam();
  Show(QStringLiteral("ProjectTreeForm"));
  Show(QStringLiteral("GanttForm"));
  QWidget* help = Forms::Load(QStringLiteral("HelpForm"));
  help->show();
  const QStringList printMenus = {QStringLiteral("OutputMenu"), QStringLiteral("OutputPrintMenu"),
                                  QStringLiteral("OutputCopyMenu"), QStringLiteral("SetupMenu"),
                                  QStringLiteral("SetupFontMenu"), QStringLiteral("SetupPrinterMenu")};

  QWidget* dialog = Show(QString::fromLatin1(lock.dialog));

  for (const QAction* control : mainForm->MenuControls()) {
    if (!control->isVisible()) continue;  // a hidden action counts as disabled
    const QString name = control->objectName();
    bool expected = control->isSeparator() || name.startsWith(QLatin1String("Help")) ||
                    name == QLatin1String("FileMenu") || name == QLatin1String("FileExitMenu");
    if (printMenus.contains(name)) expected = lock.printable;
    EXPECT_EQ(control->isEnabled(), expected) << name.toStdString();
  }
  for (const QAction* button : mainForm->ToolbarButtons()) {
    const QString key = button->toolTip();
    const bool expected = key == QLatin1String("Help") ||
                          (lock.printable && (key == QLatin1String("Print") || key == QLatin1String("Copy") ||
                                              key == QLatin1String("Font")));
    EXPECT_EQ(button->isEnabled(), expected) << key.toStdString();
  }
  EXPECT_FALSE(mainForm->ProjectCombo()->isEnabled());
  EXPECT_FALSE(mainForm->TemplateCombo()->isEnabled());
  EXPECT_FALSE(mainForm->JournalCombo()->isEnabled());
  EXPECT_FALSE(FrameEnabled(QStringLiteral("ProjectTreeForm")));
  EXPECT_FALSE(FrameEnabled(QStringLiteral("GanttForm")));
  EXPECT_TRUE(help->isEnabled());
  EXPECT_TRUE(Forms::FrameOf(dialog)->isEnabled());

  // Closing the dialog enables everything, then the menus follow what is loaded (nothing).
  Forms::Unload(dialog);
  for (const QAction* button : mainForm->ToolbarButtons()) EXPECT_TRUE(button->isEnabled());
  EXPECT_TRUE(mainForm->Control(QStringLiteral("FileOpenMenu"))->isEnabled());
  EXPECT_TRUE(mainForm->Control(QStringLiteral("OutputPrintMenu"))->isEnabled());
  EXPECT_FALSE(mainForm->Control(QStringLiteral("FileSaveMenu"))->isEnabled());
  EXPECT_FALSE(mainForm->Control(QStringLiteral("ProjectModifyMenu"))->isEnabled());
  // The lists follow what is loaded: nothing is active, so they stay disabled.
  EXPECT_FALSE(mainForm->ProjectCombo()->isEnabled());
  EXPECT_FALSE(mainForm->TemplateCombo()->isEnabled());
  EXPECT_TRUE(FrameEnabled(QStringLiteral("ProjectTreeForm")));
  EXPECT_TRUE(FrameEnabled(QStringLiteral("GanttForm")));
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogLock,
                         testing::Values(LockCase{"TaskEntryForm", false}, LockCase{"ZoomForm", true},
                                         LockCase{"CrashDataForm", true}),
                         [](const testing::TestParamInfo<LockCase>& info) {
                           return testsupport::TestName(info.param.dialog);
                         });

// The help menu stays usable under a dialog, and its About box is a dialog too: closing it gives
// the lock back to the dialog still open rather than unlocking the whole program under it.
TEST_F(Placement, ClosingADialogOverAnotherKeepsTheLockForTheOneStillOpen) {
  Show(QStringLiteral("ProjectTreeForm"));
  QWidget* entry = Show(QStringLiteral("TaskEntryForm"));
  mainForm->Control(QStringLiteral("HelpAboutMenu"))->trigger();
  QWidget* welcome = Forms::Find(QStringLiteral("WelcomeForm"));
  ASSERT_NE(welcome, nullptr);
  ASSERT_TRUE(Forms::FrameOf(welcome)->isVisible());

  welcome->findChild<QPushButton*>(QStringLiteral("OkCommand"))->click();

  EXPECT_FALSE(mainForm->Control(QStringLiteral("FileOpenMenu"))->isEnabled());
  EXPECT_FALSE(mainForm->Control(QStringLiteral("FileNewMenu"))->isEnabled());
  EXPECT_FALSE(FrameEnabled(QStringLiteral("ProjectTreeForm")));
  EXPECT_TRUE(Forms::FrameOf(entry)->isEnabled());

  // The last dialog's close unlocks.
  Forms::Unload(entry);
  EXPECT_TRUE(mainForm->Control(QStringLiteral("FileOpenMenu"))->isEnabled());
  EXPECT_TRUE(FrameEnabled(QStringLiteral("ProjectTreeForm")));
}

// A dialog wider than the client area grows the main window. It locks at once, and the size poll
// places it once the client area has grown.
TEST_F(Placement, ATooBigDialogLocksAtOnceAndIsPlacedAfterTheWindowGrew) {
  const QSize client = mainForm->ClientSize();
  const int mainWidth = mainForm->width();
  RegisterFake<FakeDialog>(QStringLiteral("PageSizeForm"), QSize(client.width() + 120, 100));

  QWidget* dialog = Show(QStringLiteral("PageSizeForm"));
  Forms::Unregister(QStringLiteral("PageSizeForm"));
  QWidget* frame = Forms::FrameOf(dialog);

  EXPECT_TRUE(frame->isVisible());
  EXPECT_FALSE(mainForm->Control(QStringLiteral("FileOpenMenu"))->isEnabled());
  EXPECT_FALSE(mainForm->ProjectCombo()->isEnabled());
  EXPECT_EQ(mainForm->width(), mainWidth - client.width() + frame->width());

  WaitForResizePoll();
  const QSize grown = mainForm->ClientSize();
  ASSERT_GE(grown.width(), frame->width());
  EXPECT_EQ(frame->pos(), QPoint((grown.width() - frame->width()) / 2, (grown.height() - frame->height()) / 2));
  EXPECT_FALSE(mainForm->Control(QStringLiteral("FileOpenMenu"))->isEnabled());
  Forms::Unload(dialog);
  EXPECT_TRUE(mainForm->Control(QStringLiteral("FileOpenMenu"))->isEnabled());
}

TEST_F(Placement, ASizeChangeLaysTheOpenWindowsOutAgain) {
  Show(QStringLiteral("GanttForm"));
  mainForm->resize(mainForm->size() - QSize(100, 50));
  WaitForResizePoll();
  EXPECT_EQ(FrameGeometry(QStringLiteral("GanttForm")), QRect(QPoint(0, 0), mainForm->ClientSize()));
  EXPECT_EQ(mainForm->ProjectCombo()->width(), mainForm->ClientSize().width() / 6);
}

TEST_F(Placement, MinimisingHidesTheHelpWindowAndRestoringShowsIt) {
  QWidget* help = Forms::Load(QStringLiteral("HelpForm"));
  help->show();
  mainForm->setWindowState(Qt::WindowMinimized);
  EXPECT_FALSE(help->isVisible());
  mainForm->setWindowState(Qt::WindowNoState);
  EXPECT_TRUE(help->isVisible());
  // Restoring when the help window was not up shows nothing.
  help->hide();
  mainForm->setWindowState(Qt::WindowMinimized);
  mainForm->setWindowState(Qt::WindowNoState);
  EXPECT_FALSE(help->isVisible());
}

}  // namespace
