// The spreadsheet window and its sheets on small models: the menu's toggle, the empty sheet, the
// months of the loading-by-day sheet, copying, and the sheets' own rules where they differ from a
// plain reading of the grid's texts.

#include "Common.h"
#include "Format.h"
#include "Forms.h"
#include "MainForm.h"
#include "OleDate.h"
#include "OpenViews.h"
#include "Sheets.h"
#include "SpreadsheetForm.h"
#include "ViewFixture.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"
#include "YwindowControl.h"

#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QGuiApplication>

namespace {

using praxel::Currency;

class Spreadsheet : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    staff = AddTemplate(QStringLiteral("Staff"));
    plant = AddStaffedChain(QStringLiteral("Plant"), staff, {1, 2});
    Activate(staff, plant);
  }

  void Pick(int type) const { mainForm->Control(QStringLiteral("SpreadsheetTypeMenu%1").arg(type))->trigger(); }
  bool Checked(int type) const {
    return mainForm->Control(QStringLiteral("SpreadsheetTypeMenu%1").arg(type))->isChecked();
  }
  static SpreadsheetForm* Form() { return qobject_cast<SpreadsheetForm*>(Forms::Find(QStringLiteral("SpreadsheetForm"))); }
  // The texts of a column below the header.
  static QStringList Column(const SheetTable& sheet, int col) {
    QStringList texts;
    for (int row = sheet.headerRows; row < sheet.Rows(); ++row) texts.append(sheet.Text(row, col));
    return texts;
  }
  Ytask* Task(int id) const { return plant->TaskList.Find(QString::number(id)); }

  Ytemplate* staff = nullptr;
  Yproject* plant = nullptr;
};

TEST_F(Spreadsheet, TheMenuOpensOneSheetAtATimeAndTogglesIt) {
  Pick(Sheets::ResourceEntry);
  ASSERT_NE(Form(), nullptr);
  EXPECT_EQ(Form()->windowTitle(), QStringLiteral("Resource Entry Spreadsheet"));
  EXPECT_TRUE(Checked(1));
  EXPECT_EQ(Common::SpreadsheetType(), 1);

  Pick(Sheets::DateDependency);
  ASSERT_NE(Form(), nullptr);
  EXPECT_EQ(Form()->windowTitle(), QStringLiteral("Date Dependency Spreadsheet for Plant"));
  EXPECT_FALSE(Checked(1));
  EXPECT_TRUE(Checked(10));

  Pick(Sheets::DateDependency);
  EXPECT_EQ(Form(), nullptr);
  EXPECT_FALSE(Checked(10));
  EXPECT_EQ(Common::SpreadsheetType(), 0);
}

TEST_F(Spreadsheet, AnEmptySheetIsReportedAndLeavesNoWindow) {
  ASSERT_TRUE(SolveNow());
  prompter.Answer(praxel::AnswerOk);
  Pick(Sheets::Overload);
  EXPECT_EQ(Form(), nullptr);
  ASSERT_FALSE(prompter.Asked().isEmpty());
  EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("Spreadsheet Empty"));
  EXPECT_EQ(prompter.Asked().last().text, QStringLiteral("The requested spreadsheet contained no data."));
  EXPECT_FALSE(Checked(9));
  EXPECT_EQ(Common::SpreadsheetType(), 0);
}

// A left click shows the month before, a right click the month after; the month is kept when the
// sheet closes. Without an active project the sheet starts on this month.
TEST_F(Spreadsheet, TheLoadingByDaySheetPagesByMonth) {
  ASSERT_TRUE(SolveNow());
  Pick(Sheets::LoadingByDay);
  ASSERT_NE(Form(), nullptr);
  const QDate first = praxel::FromOleDate(Form()->ByDayStart()).date();
  EXPECT_EQ(first, QDate(first.year(), first.month(), 1));
  EXPECT_EQ(Form()->Sheet().Cols(), 2 + first.daysInMonth());
  emit Form()->Chart()->CellClick(1, 3, 3);
  EXPECT_EQ(praxel::FromOleDate(Form()->ByDayStart()).date(), first.addMonths(-1));
  emit Form()->Chart()->CellClick(2, 3, 3);
  emit Form()->Chart()->CellClick(2, 3, 3);
  EXPECT_EQ(praxel::FromOleDate(Form()->ByDayStart()).date(), first.addMonths(1));
  Pick(Sheets::LoadingByDay);
  Pick(Sheets::LoadingByDay);
  EXPECT_EQ(praxel::FromOleDate(Form()->ByDayStart()).date(), first.addMonths(1)) << "kept while closed";

  double noMonth = 0;
  Common::SetThisProject(nullptr);
  const SheetTable sheet = Sheets::LoadingByDaySheet(noMonth);
  const QDate today = QDate::currentDate();
  EXPECT_EQ(praxel::FromOleDate(noMonth).date(), QDate(today.year(), today.month(), 1));
  EXPECT_EQ(sheet.Rows(), 2);
}

// Rows are told apart by what they are, not by their texts: a project whose caption starts with
// "-" is still a project row, with its tasks under it.
TEST_F(Spreadsheet, AProjectCaptionStartingWithADashIsAProjectRow) {
  plant->SetProjectName(QStringLiteral("-Dash"));
  ASSERT_TRUE(SolveNow());
  double month = Task(1)->EarlyStart();
  const SheetTable sheet = Sheets::LoadingByDaySheet(month);
  EXPECT_EQ(Column(sheet, 1), QStringList({plant->BuildNodeText(), "- " + Task(1)->BuildNodeText(),
                                           "- " + Task(2)->BuildNodeText(), "Total"}));
}

// Hours count from the slots' whole minutes: 30 and 90 minutes are 0.5 and 1.5 hours.
TEST_F(Spreadsheet, LoadingHoursCountFromWholeMinutes) {
  Task(1)->SetMostLikely(30);
  Task(2)->SetMostLikely(90);
  plant->SetDirty(true);
  ASSERT_TRUE(SolveNow());
  const SheetTable sheet = Sheets::LoadingSummarySheet(true);
  EXPECT_EQ(Column(sheet, 5), QStringList({"0.5", "1.5"}));
  EXPECT_EQ(Column(sheet, 9), QStringList({"0.5", "1.5"}));
}

// A total is the sum of the amounts its column shows, each rounded to the cent: six labour cells
// of 3 x $3.34 and 3 x $6.48 (3.335 and 6.475 exactly) add up to $29.46, not to the $29.43 of the
// unrounded costs; material costs of $0.004 show as $0.00 and add up to $0.00. The project
// update sheet sums each journal's rows the same way and takes the difference of those totals.
TEST_F(Spreadsheet, CostTotalsAreTheSumsOfTheAmountsShown) {
  Yproject* six = AddStaffedChain(QStringLiteral("Six"), staff, {1, 2, 3, 4, 5, 6});
  Activate(staff, six);
  ASSERT_TRUE(SolveNow());
  const auto setCosts = [&](std::int64_t lowLabor, std::int64_t highLabor, std::int64_t material) {
    for (Ytask* task : six->TaskList) {
      task->SetLaborCost(Currency::FromTicks(task->TaskID() <= 3 ? lowLabor : highLabor));
      task->SetMaterialCost(Currency::FromTicks(material));
    }
  };
  const auto money = [](double amount) { return Common::FormatCurrency(Currency::FromDouble(amount)); };
  setCosts(33350, 64750, 40);

  SheetTable sheet = Sheets::ProjectSummarySheet();
  int total = sheet.Rows() - 1;
  EXPECT_EQ(sheet.Text(1, 11), money(3.34));
  EXPECT_EQ(sheet.Text(6, 11), money(6.48));
  EXPECT_EQ(sheet.Text(total, 10), money(0));
  EXPECT_EQ(sheet.Text(total, 11), money(29.46));
  EXPECT_EQ(sheet.Text(total, 12), money(29.46));

  // The plan: the same labour, material of $0.006 (shown $0.01) a task.
  six->AddJournal(Day(7));
  six->CurrentIndex = six->PlanIndex;
  setCosts(33350, 64750, 60);
  six->CurrentIndex = 1;
  setCosts(33350, 64750, 40);
  sheet = Sheets::ProjectUpdateSheet();
  total = sheet.Rows() - 3;
  const struct {
    int row;
    const char* journal;
    double material, labor, cost;
  } totals[] = {{total, "Plan", 0.06, 29.46, 29.46}, {total + 1, "Current", 0, 29.46, 29.46},
                {total + 2, "Difference", 0.06, 0, 0}};
  for (const auto& t : totals) {
    EXPECT_EQ(sheet.Text(t.row, 1), QString::fromLatin1(t.journal));
    EXPECT_EQ(sheet.Text(t.row, 10), money(t.material)) << t.journal;
    EXPECT_EQ(sheet.Text(t.row, 11), money(t.labor)) << t.journal;
    EXPECT_EQ(sheet.Text(t.row, 12), money(t.cost)) << t.journal;
  }
}

// A sum beyond the money range says so; the other columns keep their totals.
TEST_F(Spreadsheet, ACostTotalBeyondTheMoneyRangeReadsOverflow) {
  ASSERT_TRUE(SolveNow());
  Task(1)->SetMaterialCost(Currency::FromDouble(900e12));
  Task(2)->SetMaterialCost(Currency::FromDouble(900e12));
  const SheetTable sheet = Sheets::ProjectSummarySheet();
  EXPECT_EQ(sheet.Text(sheet.Rows() - 1, 10), QStringLiteral("Overflow"));
  EXPECT_EQ(sheet.Text(sheet.Rows() - 1, 11), Common::FormatCurrency(Task(1)->LaborCost() + Task(2)->LaborCost()));
}

// What a row cannot name stays empty: a resource without a shift, a task without a controlling
// dependency (edited since the solve).
TEST_F(Spreadsheet, AMissingShiftOrControlDependencyLeavesAnEmptyCell) {
  ASSERT_TRUE(SolveNow());
  staff->ResourceList.Find(QStringLiteral("1"))->SetShift(nullptr);
  EXPECT_EQ(Column(Sheets::ResourceEntrySheet(), 8), QStringList({""}));

  // Deleted from the current journal on, as the tree's Delete does.
  Task(1)->DependencyList.First()->Delete();
  EXPECT_EQ(Column(Sheets::ProjectSummarySheet(), 1).first(), QString());
}

TEST_F(Spreadsheet, OutputCopyPutsTheSheetAsTabSeparatedText) {
  Pick(Sheets::TaskEntry);
  QGuiApplication::clipboard()->clear();
  mainForm->Control(QStringLiteral("OutputCopyMenu"))->trigger();
  const QString text = QGuiApplication::clipboard()->text();
  // Rows pasted on Linux: a line feed after each row, tabs between its cells, no carriage return.
  EXPECT_FALSE(text.contains(QLatin1Char('\r'))) << text.toStdString();
  const QStringList rows = text.split(QLatin1Char('\n'));
  ASSERT_GE(rows.size(), 3);
  EXPECT_TRUE(rows.at(0).startsWith(QStringLiteral("Task ID\tDescription\tDuration"))) << text.toStdString();
  EXPECT_TRUE(rows.at(1).startsWith(QStringLiteral("1\tTask 1\t"))) << text.toStdString();
  EXPECT_EQ(rows.last(), QString());
  EXPECT_EQ(rows.at(1).count(QLatin1Char('\t')), rows.at(0).count(QLatin1Char('\t')));
}

TEST_F(Spreadsheet, AnotherProjectOrTemplateClosesTheSheet) {
  Pick(Sheets::ResourceEntry);
  ASSERT_NE(Form(), nullptr);
  Activate(AddTemplate(QStringLiteral("Other")), plant);
  EXPECT_EQ(Form(), nullptr);
  EXPECT_EQ(Common::SpreadsheetType(), 0);
}

}  // namespace
