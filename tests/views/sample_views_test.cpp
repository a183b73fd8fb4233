// The sample project of the run command in the views that the other tests open on small models:
// each opens, shows something, and, with PRAXEL_SCREENSHOTS set, is saved there to be looked at.

#include "CalendarForm.h"
#include "Common.h"
#include "Forms.h"
#include "MainForm.h"
#include "OleDate.h"
#include "PrecedenceForm.h"
#include "ViewFixture.h"
#include "WorkBreakdownForm.h"
#include "Yproject.h"
#include "Ytask.h"
#include "YwindowControl.h"
#include "ZoomForm.h"

#include <QAction>
#include <QDate>
#include <QRadioButton>
#include <QTableWidget>

#include <cmath>

namespace {

using SampleViews = ViewTest;

TEST_F(SampleViews, CalendarZoomAndWorkBreakdownOfTheSample) {
  OpenSample();
  ASSERT_TRUE(SolveNow());
  const double start = Common::ThisProject()->TaskList.First()->EarlyStart();

  mainForm->Control(QStringLiteral("CalendarMenu"))->trigger();
  auto* calendar = qobject_cast<CalendarForm*>(Forms::Find(QStringLiteral("CalendarForm")));
  ASSERT_NE(calendar, nullptr);
  calendar->SetYear(praxel::FromOleDate(start).date().year());
  SaveScreenshot("sample-calendar.png");

  // The first day of work, zoomed: at least one booked slot.
  Forms::Load(QStringLiteral("ZoomForm"));
  auto* zoom = qobject_cast<ZoomForm*>(Forms::Find(QStringLiteral("ZoomForm")));
  zoom->Start(std::floor(start));
  EXPECT_GT(zoom->Chart()->Rows(), 1);
  SaveScreenshot("sample-zoom.png");
  Forms::Unload(zoom);

  mainForm->Control(QStringLiteral("GraphicsWorkBreakdownMenu"))->trigger();
  auto* breakdown = qobject_cast<WorkBreakdownForm*>(Forms::Find(QStringLiteral("WorkBreakdownForm")));
  ASSERT_NE(breakdown, nullptr);
  EXPECT_GT(breakdown->Chart()->Grobs().Count(), 0);
  SaveScreenshot("sample-wbs.png");
}

TEST_F(SampleViews, PrecedenceDiagramOfTheSample) {
  OpenSample();
  OpenView("GraphicsPrecedenceMenu", "PrecedenceForm");
  auto* diagram = qobject_cast<PrecedenceForm*>(Forms::Find(QStringLiteral("PrecedenceForm")));
  ASSERT_NE(diagram, nullptr);
  EXPECT_GE(diagram->IncludeList().size(), Common::ThisProject()->TaskList.Count());
  SaveScreenshot("sample-precedence-numbers.png");
  diagram->findChild<QRadioButton*>(QStringLiteral("StyleOption2"))->click();
  EXPECT_GT(diagram->Chart()->Grobs().Count(), 4 * diagram->IncludeList().size());
  SaveScreenshot("sample-precedence-dates.png");
  diagram->findChild<QRadioButton*>(QStringLiteral("StyleOption3"))->click();
  EXPECT_GT(diagram->Chart()->Grobs().Count(), 4 * diagram->IncludeList().size());
  SaveScreenshot("sample-precedence-dates-and-times.png");
}

TEST_F(SampleViews, PreferencesOverTheSample) {
  OpenSample();
  OpenView("GraphicsPrecedenceMenu", "PrecedenceForm");
  mainForm->Control(QStringLiteral("SetupPreferencesMenu"))->trigger();
  QWidget* preferences = Forms::Find(QStringLiteral("PreferencesForm"));
  ASSERT_NE(preferences, nullptr);
  SaveScreenshot("sample-preferences.png");
  Forms::Unload(preferences);
}

}  // namespace
