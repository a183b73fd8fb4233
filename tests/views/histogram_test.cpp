// The resource histogram: the sums of the booked slots per date column, the 1-2-5 hour scale, the
// stacked bands with their key, grouping by department and the empty histogram.

#include "CaseName.h"
#include "Common.h"
#include "Forms.h"
#include "HistogramForm.h"
#include "MainForm.h"
#include "Notifications.h"
#include "Pool.h"
#include "Rounding.h"
#include "ScaleSteps.h"
#include "ViewFixture.h"
#include "SolveState.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"
#include "YwindowControl.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>

#include <algorithm>

namespace {

// The hour scale of the histogram and the money scale of the budget plot.
TEST(ScaleSteps, StepOneTwoFiveUntilTenStepsReachTheLargestValue) {
  const struct {
    double largest;
    double step;
  } cases[] = {{0, 1},   {10, 1},   {10.1, 2},  {11, 2},   {20, 2},     {21, 5},
               {37, 5},  {50, 5},   {51, 10},   {101, 20}, {950, 100}, {12345, 2000}};
  for (const auto& c : cases) EXPECT_EQ(Views::OneTwoFiveStep(c.largest), c.step) << c.largest;
}

// Slots count in whole tenths of an hour, cut: from whole minutes, so that an hour is 1.0.
TEST(HistogramSums, ASlotCountsItsWholeTenthsOfAnHour) {
  const double eight = 8.0 / 24;
  const struct {
    double start;
    double end;
    qint64 tenths;
  } cases[] = {
      {eight, eight + 237.0 / 1440, 39},  // 3 h 57 min: 3.9
      {eight, eight + 20.0 / 1440, 3},    // 20 min: 0.3
      {8.0 / 24, 9.0 / 24, 10},           // one hour of day fractions is 1.0, not 0.9
      {0, 1, 240},
  };
  for (const auto& c : cases) EXPECT_EQ(HistogramForm::SlotTenths(c.start, c.end), c.tenths) << c.tenths;
}

TEST(HistogramBands, EightPastelColoursAndTheSeventhBandSolid) {
  EXPECT_EQ(HistogramForm::BandColor(1), 0xA0A0F0);
  EXPECT_EQ(HistogramForm::BandColor(8), 0xA0A0A0);
  EXPECT_EQ(HistogramForm::BandColor(9), HistogramForm::BandColor(1));
  EXPECT_EQ(HistogramForm::BandPattern(7, true), 1);
  EXPECT_EQ(HistogramForm::BandPattern(1, true), 2);
  EXPECT_EQ(HistogramForm::BandPattern(13, true), 7);
  EXPECT_EQ(HistogramForm::BandPattern(3, false), 0);
}

// The template Staff with Ann and Bo, both of Sales; Plant: task 1, a day for Ann, and task 2, a
// day for Bo, both from Day(0), and task 3, half a day for Ann after both.
class Histogram : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    staff = AddTemplate(QStringLiteral("Staff"));
    plant = AddStaffedChain(QStringLiteral("Plant"), staff, {1});
    staff->FindOrCreateShift(QStringLiteral("Day"));
    ann = staff->ResourceList.Find(QStringLiteral("1"));
    bo = staff->FindOrCreateResource(2);
    bo->Description = QStringLiteral("Bo");
    for (Yresource* resource : {ann, bo}) resource->SetDepartment(QStringLiteral("Sales"));
    AddTask(2, bo, 480, nullptr);
    AddTask(3, ann, 240, plant->TaskList.Find(QStringLiteral("2")));
    plant->SetDirty(false);
    staff->SetDirty(false);
    Activate(staff, plant);
  }

  void AddTask(int id, Yresource* resource, int minutes, Ytask* after) {
    Ytask* task = plant->FindOrCreateTask(id);
    task->Description = QStringLiteral("Task %1").arg(id);
    task->SetMostLikely(minutes);
    auto* start = Common::NewY<Ydependency>(ytDependency);
    start->SetTask(task);
    if (after == nullptr) {
      start->SetDepDate(Day(0));
    } else {
      start->SetTaskRequired(after);
      auto* afterFirst = Common::NewY<Ydependency>(ytDependency);
      afterFirst->SetTask(task);
      afterFirst->SetTaskRequired(plant->TaskList.Find(QStringLiteral("1")));
    }
    auto* assignment = Common::NewY<Yassignment>(ytAssignment);
    assignment->SetTask(task);
    assignment->SetResourceRequired(resource);
    assignment->SetHours(8);
  }

  void OpenHistogram() { OpenView("GraphicsHistogramMenu", "HistogramForm"); }

  static HistogramForm* Form() { return qobject_cast<HistogramForm*>(Forms::Find(QStringLiteral("HistogramForm"))); }
  static YwindowControl* Chart() { return Form()->Chart(); }

  // The band's hours over all columns.
  static double Hours(const HistogramForm::Band& band) {
    qint64 tenths = 0;
    for (const qint64 value : band.tenths) tenths += value;
    return tenths / 10.0;
  }

  Ytemplate* staff = nullptr;
  Yproject* plant = nullptr;
  Yresource* ann = nullptr;
  Yresource* bo = nullptr;
};

TEST_F(Histogram, SumsEachResourcesBookedHoursIntoABand) {
  OpenHistogram();
  EXPECT_EQ(Form()->windowTitle(), QStringLiteral("Histogram for template Staff"));
  EXPECT_TRUE(mainForm->Control(QStringLiteral("GraphicsHistogramMenu"))->isChecked());
  const QList<HistogramForm::Band>& bands = Form()->Bands();
  ASSERT_EQ(bands.size(), 2);
  EXPECT_EQ(bands.at(0).name, QStringLiteral("Ann"));
  EXPECT_EQ(Hours(bands.at(0)), 12.0);
  EXPECT_EQ(bands.at(1).name, QStringLiteral("Bo"));
  EXPECT_EQ(Hours(bands.at(1)), 8.0);
  // The scale: rows from the top multiple of the increment down to "0.0", above the key row.
  const double increment = Form()->HourIncrement();
  EXPECT_EQ(increment, Views::OneTwoFiveStep(Form()->MaxTotalHours()));
  EXPECT_EQ(Chart()->CellText(Chart()->Rows() - 2, 0), QStringLiteral("0.0"));
  EXPECT_EQ(mainForm->StatusMessageText(), QString());
}

// The bands of a column stack upwards in band order, from the top of the key row, each as high
// as its hours on the scale; the key names each band in its colour.
TEST_F(Histogram, BandsStackUpwardsFromTheScalesFoot) {
  OpenHistogram();
  YwindowControl* chart = Chart();
  const int base = chart->RowPos(chart->Rows() - 1);
  const double step = base - chart->RowPos(chart->Rows() - 2);
  const Ywindow::GrobList& grobs = chart->Grobs();
  QList<Ywindow::Grob> annBars;
  int keyTexts = 0;
  for (int index = 0; index < grobs.Count(); ++index) {
    const Ywindow::Grob& grob = grobs.At(index);
    if (grob.Kind == Ywindow::GrobBox && grob.FillColor == HistogramForm::BandColor(1) && grob.Y2 <= base) {
      annBars.append(grob);
    }
    if (grob.Kind == Ywindow::GrobText && (grob.Text == QLatin1String("Ann") || grob.Text == QLatin1String("Bo"))) {
      ++keyTexts;
    }
  }
  ASSERT_FALSE(annBars.isEmpty());
  for (const Ywindow::Grob& bar : annBars) EXPECT_EQ(bar.Y2, base);  // Ann's band is the first
  const int col = 1 + static_cast<int>(std::find_if(Form()->Bands().at(0).tenths.begin() + 1,
                                                     Form()->Bands().at(0).tenths.end(),
                                                     [](qint64 value) { return value > 0; }) -
                                        (Form()->Bands().at(0).tenths.begin() + 1));
  const double hours = Form()->Bands().at(0).tenths.at(col) / 10.0;
  EXPECT_EQ(annBars.first().Y1, praxel::ToLong(base - hours / Form()->HourIncrement() * step));
  EXPECT_EQ(annBars.first().FillStyle, HistogramForm::BandPattern(1, true));
  EXPECT_EQ(keyTexts, 2);
}

TEST_F(Histogram, GroupingByDepartmentPutsOneDepartmentInOneBand) {
  OpenHistogram();
  Form()->findChild<QCheckBox*>(QStringLiteral("ByDepartmentCheck"))->click();
  ASSERT_EQ(Form()->Bands().size(), 1);
  EXPECT_EQ(Form()->Bands().at(0).name, QStringLiteral("Sales"));
  EXPECT_EQ(Hours(Form()->Bands().at(0)), 20.0);
}

TEST_F(Histogram, ATemplateWithoutBookingsIsAnEmptyHistogram) {
  ASSERT_TRUE(SolveNow());
  Ytemplate* spare = AddTemplate(QStringLiteral("Spare"));
  spare->FindOrCreateResource(1)->Description = QStringLiteral("Cy");
  Common::SetThisTemplate(spare);
  Common::BroadcastNewThisTemplate();
  prompter.Answer(praxel::AnswerOk);
  mainForm->Control(QStringLiteral("GraphicsHistogramMenu"))->trigger();
  ASSERT_FALSE(prompter.Asked().isEmpty());
  EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("Empty Histogram"));
  EXPECT_EQ(prompter.Asked().last().text, QStringLiteral("There are no resources to display."));
}

// A key entry wider than the whole chart ends the key's layout at one column of every entry.
TEST_F(Histogram, AKeyWiderThanTheChartStandsInOneColumn) {
  bo->Description = QString(400, QLatin1Char('W'));
  OpenHistogram();
  EXPECT_EQ(Form()->KeyEntriesPerColumn(), 2);
}

TEST_F(Histogram, AnotherTemplateClosesIt) {
  OpenHistogram();
  Common::SetThisTemplate(AddTemplate(QStringLiteral("Spare")));
  Common::BroadcastNewThisTemplate();
  EXPECT_EQ(Form(), nullptr);
  EXPECT_FALSE(mainForm->Control(QStringLiteral("GraphicsHistogramMenu"))->isChecked());
}

TEST_F(Histogram, TheSampleProjectsHistogram) {
  OpenSample();
  OpenHistogram();
  EXPECT_FALSE(Form()->Bands().isEmpty());
  SaveScreenshot("histogram.png");
}

}  // namespace
