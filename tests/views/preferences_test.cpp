// Setup > Preferences: the settings it shows and stores, the backup interval, and the options
// reaching the open Gantt chart; the window fonts and the desktop's families.

#include "FormHelpers.h"
#include "Forms.h"
#include "GanttForm.h"
#include "MainForm.h"
#include "PreferencesForm.h"
#include "Settings.h"
#include "ViewFixture.h"
#include "Ytemplate.h"
#include "YwindowControl.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>

namespace {

class Preferences : public ViewTest {
 protected:
  void Open() const { mainForm->Control(QStringLiteral("SetupPreferencesMenu"))->trigger(); }
  static PreferencesForm* Form() { return qobject_cast<PreferencesForm*>(Forms::Find(QStringLiteral("PreferencesForm"))); }
  template <class T>
  static T* Control(const char* name) {
    return Form()->findChild<T*>(QString::fromLatin1(name));
  }
};

TEST(PreferencesNames, TheKindIsTheLastCapitalisedWord) {
  const struct {
    const char* name;
    const char* kind;
  } cases[] = {{"AutomaticBackupCombo", "Combo"}, {"ShowMarkersCheck", "Check"}, {"EfficiencyText", "Text"},
               {"MilestoneOption", "Option"},     {"GanttFrame", "Frame"},       {"Label4", "4"}};
  for (const auto& c : cases) {
    EXPECT_EQ(PreferencesForm::GetControlType(QString::fromLatin1(c.name)), QString::fromLatin1(c.kind)) << c.name;
  }
}

// Only the offered intervals count: anything else is off, and never overflows.
TEST(PreferencesBackup, OnlyTheOfferedIntervalsCount) {
  const struct {
    const char* setting;
    int minutes;
  } cases[] = {{"off", 0}, {"1", 1}, {"10", 10}, {"30", 30}, {"15", 0}, {"99999", 0}, {"10 minutes", 0}, {"", 0}};
  for (const auto& c : cases) EXPECT_EQ(PreferencesForm::BackupMinutes(QString::fromLatin1(c.setting)), c.minutes) << c.setting;
}

TEST_F(Preferences, TheDialogShowsTheDefaults) {
  Open();
  ASSERT_NE(Form(), nullptr);
  EXPECT_EQ(Form()->windowTitle(), QStringLiteral("Preferences"));
  EXPECT_EQ(Control<QComboBox>("AutomaticBackupCombo")->currentText(), QStringLiteral("off"));
  EXPECT_EQ(Control<QLineEdit>("EfficiencyText")->text(), QStringLiteral("0.85"));
  EXPECT_EQ(Control<QComboBox>("DependencyArrowsCombo")->currentText(), QStringLiteral("Control"));
  EXPECT_EQ(Control<QComboBox>("DateDependencyCombo")->currentText(), QStringLiteral("Line to top of chart"));
  EXPECT_EQ(Control<QComboBox>("SubprojectDisplayCombo")->currentText(), QStringLiteral("One level only"));
  for (const char* on : {"ListAllDepsCheck", "ListTaskLeaderCheck", "ShowMarkersCheck"}) {
    EXPECT_TRUE(Control<QCheckBox>(on)->isChecked()) << on;
  }
  for (const char* off : {"ShowProjectManagerCheck", "AdjustColorsCheck", "WrapTextCheck", "SortByDateCheck",
                          "CriticalPathRedCheck"}) {
    EXPECT_FALSE(Control<QCheckBox>(off)->isChecked()) << off;
  }
  EXPECT_TRUE(Control<QRadioButton>("BarOption")->isChecked());
  EXPECT_FALSE(Control<QRadioButton>("MilestoneOption")->isChecked());
}

// Ok stores every control, sets the backup interval and redraws the Gantt chart with its options;
// Cancel changes nothing.
TEST_F(Preferences, OkStoresTheOptionsAndTheGanttChartFollows) {
  Ytemplate* staff = AddTemplate(QStringLiteral("Staff"));
  Activate(staff, AddStaffedChain(QStringLiteral("Plant"), staff, {1, 2, 3}));
  OpenView("GraphicsGanttMenu", "GanttForm");
  const auto* gantt = qobject_cast<GanttForm*>(Forms::Find(QStringLiteral("GanttForm")));
  const int objects = gantt->Chart()->Grobs().Count();

  Open();
  Control<QComboBox>("DependencyArrowsCombo")->setCurrentText(QStringLiteral("None"));
  Control<QCheckBox>("ShowMarkersCheck")->setChecked(false);
  Control<QComboBox>("AutomaticBackupCombo")->setCurrentText(QStringLiteral("10"));
  Control<QPushButton>("CancelCommand")->click();
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("DependencyArrowsCombo")), QStringLiteral("Control"));
  EXPECT_EQ(mainForm->AutoBackupMinutes(), 0);

  Open();
  Control<QComboBox>("DependencyArrowsCombo")->setCurrentText(QStringLiteral("None"));
  Control<QCheckBox>("ShowMarkersCheck")->setChecked(false);
  Control<QComboBox>("AutomaticBackupCombo")->setCurrentText(QStringLiteral("10"));
  Control<QPushButton>("OkCommand")->click();
  EXPECT_EQ(Form(), nullptr);
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("DependencyArrowsCombo")), QStringLiteral("None"));
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("ShowMarkersCheck")), QStringLiteral("-"));
  EXPECT_EQ(mainForm->AutoBackupMinutes(), 10);
  EXPECT_LT(gantt->Chart()->Grobs().Count(), objects) << "no arrows and no markers now";
}

// The font names the windows use are the desktop's faces; a tree starts in the sans face, a chart
// in the serif one.
TEST_F(Preferences, WindowFontsUseTheDesktopsFamilies) {
  EXPECT_EQ(Common::DesktopFamily(QStringLiteral("Arial")), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
  EXPECT_EQ(Common::DesktopFamily(QStringLiteral("MS Sans Serif")),
            QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
  EXPECT_EQ(Common::DesktopFamily(QStringLiteral("Courier New")), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
  EXPECT_EQ(Common::DesktopFamily(QStringLiteral("DejaVu Serif")), QStringLiteral("DejaVu Serif"));

  Ytemplate* staff = AddTemplate(QStringLiteral("Staff"));
  Activate(staff, AddStaffedChain(QStringLiteral("Plant"), staff, {1}));
  const QWidget* tree = Forms::Find(QStringLiteral("ProjectTreeForm"));
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(tree->font().family(), Common::DesktopFamily(QStringLiteral("MS Sans Serif")));
  OpenView("GraphicsGanttMenu", "GanttForm");
  EXPECT_EQ(Forms::Find(QStringLiteral("GanttForm"))->font().family(), Common::DesktopFamily(QStringLiteral("Times New Roman")));
}

// Setup > Font reaches every window that has a font: here the template calendar.
TEST_F(Preferences, SetupFontReachesTheCalendar) {
  Ytemplate* staff = AddTemplate(QStringLiteral("Staff"));
  Activate(staff, AddStaffedChain(QStringLiteral("Plant"), staff, {1}));
  mainForm->Control(QStringLiteral("CalendarMenu"))->trigger();
  QWidget* calendar = Forms::Find(QStringLiteral("CalendarForm"));
  ASSERT_NE(calendar, nullptr);
  mainForm->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(Forms::FrameOf(calendar)));
  dialogs.ChooseFontAnswer({QStringLiteral("DejaVu Sans Mono"), 12, true, false});
  mainForm->Control(QStringLiteral("SetupFontMenu"))->trigger();
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("CalendarForm.FontName")), QStringLiteral("DejaVu Sans Mono"));
  EXPECT_EQ(calendar->font().family(), QStringLiteral("DejaVu Sans Mono"));
  EXPECT_TRUE(calendar->font().bold());
}

}  // namespace
