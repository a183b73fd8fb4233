// The one-day zoom and the overload and overtime dialog: the slot list of a day, the message for
// an empty day, the dialog's figures for a solve stopped on overtime, and its two ways on.

#include "Common.h"
#include "FakeForms.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"
#include "OverageForm.h"
#include "ShortDate.h"
#include "SolveState.h"
#include "StatusPanels.h"
#include "TreeDragDrop.h"
#include "ViewFixture.h"
#include "Yassignment.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"
#include "YwindowControl.h"
#include "ZoomForm.h"
#include "ZoomList.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Staff with Ann; Other's task (ranked first: names rank from the last in the otherbet) holds Ann
// from Day(0) 08:00 for four hours, then Main's task wants her eight hours a day from the same
// morning, for ten hours of work. Main halts on an error when asked.
class DayLists : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    staff = AddTemplate(QStringLiteral("Staff"));
    other = AddStaffedChain(QStringLiteral("Other"), staff, {1});
    other->TaskList.First()->SetMostLikely(240);
    main = AddStaffedChain(QStringLiteral("Main"), staff, {1});
    main->TaskList.First()->SetMostLikely(600);
    assignment = main->TaskList.First()->AssignmentList.First();
    Activate(staff, main);
  }

  static ZoomForm* Zoom() { return qobject_cast<ZoomForm*>(Forms::Find(QStringLiteral("ZoomForm"))); }
  static OverageForm* Overage() { return qobject_cast<OverageForm*>(Forms::Find(QStringLiteral("OverageForm"))); }
  bool Locked() const { return !mainForm->ProjectCombo()->isEnabled(); }

  // A row of the list as its texts.
  static QStringList Row(YwindowControl* chart, int row) {
    QStringList texts;
    for (int col = 0; col < chart->Cols(); ++col) texts.append(chart->CellText(row, col));
    return texts;
  }

  // Solves Main on its halting rule and clicks the solver's panel.
  void FailOnOvertime() {
    main->SetSolveRules(0);
    main->SetDirty(true);
    EXPECT_FALSE(SolveNow());
    ASSERT_EQ(Solve::SolveMessage(), QStringLiteral("Overtime needed"));
    ClickPanel(mainForm->Panels()->SolvePanel());
    ASSERT_NE(Overage(), nullptr);
  }

  Ytemplate* staff = nullptr;
  Yproject* other = nullptr;
  Yproject* main = nullptr;
  Yassignment* assignment = nullptr;
};

TEST_F(DayLists, TheZoomListsEveryBookedSlotOfTheDayInTimeOrder) {
  ASSERT_TRUE(SolveNow());
  Forms::Load(QStringLiteral("ZoomForm"));
  Zoom()->Start(Day(0));
  YwindowControl* chart = Zoom()->Chart();
  EXPECT_EQ(Zoom()->windowTitle(), QStringLiteral("Zoom in on ") + praxel::ShortDateText(Day(0)));
  ASSERT_EQ(chart->Rows(), 3);
  EXPECT_EQ(Row(chart, 0), (QStringList{"Template", "Resource", "From", "Until", "Project", "Task", "Rate"}));
  const QString ann = staff->ResourceList.First()->BuildNodeText();
  EXPECT_EQ(Row(chart, 1), (QStringList{"Staff", ann, Common::LongTimeOfDay(8.0 / 24), Common::LongTimeOfDay(12.0 / 24),
                                        other->BuildNodeText(), other->TaskList.First()->BuildNodeText(), "Normal"}));
  EXPECT_EQ(Row(chart, 2).at(4), main->BuildNodeText());
  EXPECT_EQ(chart->CellBackColor(1, 6), 0xC0FFC0);
  EXPECT_EQ(chart->CellBackColor(1, 2), 0xC0FFC0);
  EXPECT_NE(chart->CellBackColor(1, 0), 0xC0FFC0);  // the template and resource keep their colour
  // Shown like an entry dialog: the main window is locked until the zoom closes.
  EXPECT_TRUE(Zoom()->isVisible());
  EXPECT_TRUE(Locked());
  SaveScreenshot("zoom.png");
  Forms::Unload(Zoom());
  EXPECT_FALSE(Locked());
}

TEST_F(DayLists, TimesOfDayShowSecondsAndTheEndOfTheDayIsMidnight) {
  EXPECT_EQ(Common::LongTimeOfDay(8.5 / 24), QLocale().toString(QTime(8, 30), QLocale().timeFormat(QLocale::LongFormat)
                                                                                  .remove(QLatin1Char('t'))
                                                                                  .trimmed()));
  EXPECT_EQ(Common::LongTimeOfDay(1.0), Common::LongTimeOfDay(0.0));
  EXPECT_TRUE(Common::LongTimeOfDay(12.5 / 24).contains(QStringLiteral("30:00")));
}

// A day without bookings is said so, and the zoom goes: it does not say it again after a solve.
TEST_F(DayLists, AnEmptyDayIsToldOnceAndTheZoomGoes) {
  ASSERT_TRUE(SolveNow());
  const QString saturday = praxel::ShortDateText(Day(5));
  prompter.Answer(praxel::AnswerOk);
  Forms::Load(QStringLiteral("ZoomForm"));
  Zoom()->Start(Day(5));
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Nothing Scheduled on ") + saturday);
  EXPECT_EQ(prompter.Asked().at(0).text, QStringLiteral("There is nothing scheduled for ") + saturday);
  EXPECT_FALSE(Locked());
  main->SetDirty(true);
  EXPECT_TRUE(SolveNow());
  EXPECT_EQ(prompter.Asked().size(), 1);
}

// However long the list, the zoom stays inside the main window's client area and scrolls.
TEST_F(DayLists, TheZoomNeverGrowsTheMainWindow) {
  ASSERT_TRUE(SolveNow());
  mainForm->resize(300, 220);
  const QSize before = mainForm->size();
  Forms::Load(QStringLiteral("ZoomForm"));
  Zoom()->Start(Day(0));
  EXPECT_EQ(mainForm->size(), before);
  EXPECT_LE(Forms::FrameOf(Zoom())->width(), mainForm->ClientSize().width());
  EXPECT_LE(Forms::FrameOf(Zoom())->height(), mainForm->ClientSize().height());
}

TEST_F(DayLists, TheOvertimeDialogShowsTheFailuresFiguresAndTheDay) {
  FailOnOvertime();
  OverageForm* dialog = Overage();
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Overtime needed"));
  const auto text = [dialog](const char* name) { return dialog->findChild<QLineEdit*>(QString::fromLatin1(name))->text(); };
  EXPECT_EQ(text("TemplateText"), QStringLiteral("Staff"));
  EXPECT_EQ(text("ResourceText"), staff->ResourceList.First()->BuildNodeText());
  EXPECT_EQ(text("ProjectText"), main->BuildNodeText());
  EXPECT_EQ(text("TaskText"), main->TaskList.First()->BuildNodeText());
  EXPECT_EQ(text("BeginningText"), praxel::ShortDateText(Day(0)));
  EXPECT_EQ(text("RequestedHoursText"), QStringLiteral("8"));
  EXPECT_EQ(text("AssignedHoursText"), QStringLiteral("4"));
  // Ann's day, without the template and resource columns: Other's morning first.
  YwindowControl* chart = dialog->Chart();
  ASSERT_GE(chart->Rows(), 2);
  EXPECT_EQ(Row(chart, 0), (QStringList{"From", "Until", "Project", "Task", "Rate"}));
  EXPECT_EQ(Row(chart, 1).at(2), other->BuildNodeText());
  EXPECT_EQ(chart->CellBackColor(1, 0), 0xC0FFC0);
  EXPECT_TRUE(Locked());
  SaveScreenshot("overage.png");
}

// Cancel, and the close box alike, free the main window.
TEST_F(DayLists, EveryWayOfClosingTheDialogUnlocks) {
  FailOnOvertime();
  Overage()->findChild<QPushButton*>(QStringLiteral("CancelCommand"))->click();
  EXPECT_FALSE(Locked());
  ClickPanel(mainForm->Panels()->SolvePanel());
  ASSERT_NE(Overage(), nullptr);
  EXPECT_TRUE(Locked());
  Forms::FrameOf(Overage())->close();
  EXPECT_FALSE(Locked());
  EXPECT_EQ(Common::ThisProject(), main);
}

// "Change solve rules" opens the failing project's dialog, whatever project is active.
TEST_F(DayLists, ChangingTheSolveRulesOpensTheFailingProject) {
  RegisterFake<FakeDialog>(QStringLiteral("ProjectEntryForm"));
  FailOnOvertime();
  Common::SetThisProject(other);
  Overage()->findChild<QRadioButton*>(QStringLiteral("ChangeSolveRulesOption"))->setChecked(true);
  Overage()->findChild<QPushButton*>(QStringLiteral("OkCommand"))->click();
  EXPECT_EQ(FakeDialog::modified, main);
  EXPECT_EQ(Common::DragNode(), nullptr);
}

// "Modify the assignment" makes the failing project active, telling every window, selects the
// assignment in the tree and opens its dialog.
TEST_F(DayLists, ModifyingTheAssignmentSelectsItAndOpensItsDialog) {
  RegisterFake<FakeDialog>(QStringLiteral("AssignmentEntryForm"));
  FailOnOvertime();
  Common::SetThisProject(other);
  Common::BroadcastNewThisProject();
  FormCalls().clear();
  Overage()->findChild<QPushButton*>(QStringLiteral("OkCommand"))->click();
  EXPECT_EQ(Common::ThisProject(), main);
  EXPECT_EQ(mainForm->ProjectCombo()->currentText(), QStringLiteral("Main"));
  EXPECT_EQ(Common::DragObject(), assignment);
  EXPECT_TRUE(FormCalls().contains(QStringLiteral("AssignmentEntryForm.StartModify")));
}

}  // namespace
