// The template calendar: the months of a year, the kind of each day from the booked slots, Prev
// and Next, the zoom on a double-clicked day, and closing when no template is left to name it.

#include "CalendarForm.h"
#include "Color.h"
#include "Common.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"
#include "OleDate.h"
#include "SolveState.h"
#include "ViewFixture.h"
#include "Yproject.h"
#include "Ytask.h"
#include "Ytemplate.h"
#include "ZoomForm.h"

#include <QAction>
#include <QDate>
#include <QPushButton>
#include <QTableWidget>

namespace {

constexpr int kNormal = 0xC0FFC0;
constexpr int kOvertime = 0xC0C000;
constexpr int kWeekday = 0xFFFFFF;
constexpr int kWeekend = 0xE0E0E0;
constexpr int kGrey = 0x808080;

// Staff with Ann: Other holds her on Monday 1 January 2024 from 08:00 to 12:00; Main's ten hours
// of work follow, on overtime when its rule allows it.
class Calendar : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    staff = AddTemplate(QStringLiteral("Staff"));
    AddStaffedChain(QStringLiteral("Other"), staff, {1})->TaskList.First()->SetMostLikely(240);
    main = AddStaffedChain(QStringLiteral("Main"), staff, {1});
    main->TaskList.First()->SetMostLikely(600);
    Activate(staff, main);
  }

  void OpenCalendar() {
    ASSERT_TRUE(SolveNow());
    mainForm->Control(QStringLiteral("CalendarMenu"))->trigger();
    ASSERT_NE(Form(), nullptr);
    Form()->SetYear(2024);
  }

  static CalendarForm* Form() { return qobject_cast<CalendarForm*>(Forms::Find(QStringLiteral("CalendarForm"))); }
  static QTableWidgetItem* Cell(int month, int row, int col) { return Form()->MonthGrid(month)->item(row, col); }
  static int ColorOf(const QTableWidgetItem* cell) { return praxel::LongFromColor(cell->background().color()); }
  // The cell of a day of the shown year.
  static QTableWidgetItem* CellOfDay(int month, int day) {
    const int position = QDate(Form()->Year(), month, 1).dayOfWeek() % 7 + day - 1;
    return Cell(month, 1 + position / 7, position % 7);
  }

  Ytemplate* staff = nullptr;
  Yproject* main = nullptr;
};

TEST_F(Calendar, MonthsStartOnTheirWeekdayAndGreyTheCellsOutsideThem) {
  OpenCalendar();
  EXPECT_EQ(Form()->windowTitle(), QStringLiteral("Calendar for template Staff"));
  EXPECT_EQ(Cell(1, 0, 0)->text(), QStringLiteral("S"));
  // 1 January 2024 is a Monday.
  EXPECT_EQ(Cell(1, 1, 0)->text(), QString());
  EXPECT_EQ(ColorOf(Cell(1, 1, 0)), kGrey);
  EXPECT_EQ(Cell(1, 1, 1)->text(), QStringLiteral("1"));
  EXPECT_EQ(CellOfDay(2, 29)->text(), QStringLiteral("29"));  // a leap year's February
  Form()->SetYear(2023);  // 1 January 2023 is a Sunday
  EXPECT_EQ(Cell(1, 1, 0)->text(), QStringLiteral("1"));
  Form()->SetYear(2025);  // March 2025 starts on a Saturday and needs six weeks
  EXPECT_EQ(Cell(3, 1, 6)->text(), QStringLiteral("1"));
  EXPECT_EQ(Cell(3, 6, 1)->text(), QStringLiteral("31"));
  EXPECT_EQ(ColorOf(Cell(3, 6, 2)), kGrey);
}

// A day shows the strongest kind of time booked on it, else whether it is a weekday or weekend.
TEST_F(Calendar, DaysShowTheStrongestKindOfTimeBooked) {
  OpenCalendar();
  EXPECT_EQ(ColorOf(CellOfDay(1, 1)), kNormal);
  EXPECT_EQ(ColorOf(CellOfDay(1, 6)), kWeekend);   // a Saturday without work
  EXPECT_EQ(ColorOf(CellOfDay(1, 10)), kWeekday);  // a Wednesday with free shift time only
  Form()->close();
  main->SetSolveRules(2);  // Main's hours go on overtime the same evening
  main->SetDirty(true);
  OpenCalendar();
  EXPECT_EQ(ColorOf(CellOfDay(1, 1)), kOvertime);
}

TEST_F(Calendar, PrevAndNextStepAYearAndForgetTheSelectedDay) {
  OpenCalendar();
  emit Form()->MonthGrid(1)->cellPressed(1, 1);
  EXPECT_EQ(Form()->SelectedDay(), Day(0));
  Form()->findChild<QPushButton*>(QStringLiteral("PrevYearCommand"))->click();
  EXPECT_EQ(Form()->Year(), 2023);
  EXPECT_EQ(Form()->findChild<QPushButton*>(QStringLiteral("PrevYearCommand"))->text(), QStringLiteral("2022"));
  EXPECT_EQ(Form()->findChild<QPushButton*>(QStringLiteral("NextYearCommand"))->text(), QStringLiteral("2024"));
  EXPECT_EQ(Form()->SelectedDay(), 0);
}

TEST_F(Calendar, ADoubleClickOnADayZoomsInOnIt) {
  OpenCalendar();
  emit Form()->MonthGrid(1)->cellPressed(0, 3);  // a heading: no day
  emit Form()->MonthGrid(1)->cellDoubleClicked(0, 3);
  EXPECT_EQ(Forms::Find(QStringLiteral("ZoomForm")), nullptr);
  emit Form()->MonthGrid(1)->cellPressed(1, 1);
  emit Form()->MonthGrid(1)->cellDoubleClicked(1, 1);
  auto* zoom = qobject_cast<ZoomForm*>(Forms::Find(QStringLiteral("ZoomForm")));
  ASSERT_NE(zoom, nullptr);
  EXPECT_EQ(zoom->Day(), Day(0));
  EXPECT_TRUE(zoom->isVisible());
  Forms::Unload(zoom);
  SaveScreenshot("calendar.png");
}

// A new solution keeps the year on view; with no template left the calendar closes instead of
// naming none.
TEST_F(Calendar, FollowsNewSolutionsAndClosesWithoutATemplate) {
  OpenCalendar();
  Form()->SetYear(2025);
  main->SetDirty(true);
  ASSERT_TRUE(SolveNow());
  EXPECT_EQ(Form()->Year(), 2025);
  Common::SetThisTemplate(nullptr);
  Common::BroadcastNewThisProject();
  EXPECT_EQ(Form(), nullptr);
}

}  // namespace
