// Setup > Preferences: the settings it shows and stores, the backup interval, and the options
// reaching the open Gantt chart; the window fonts and the desktop's families.

#include "FormHelpers.h"
#include "Forms.h"
#include "GanttForm.h"
#include "MainForm.h"
#include "PreferencesForm.h"
#include "Prompter.h"
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

#include <optional>

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

// A backup interval is "off" or a whole number of minutes up to an hour, offered or typed; a
// stored setting that is neither is off, and never overflows.
TEST(PreferencesBackup, IntervalsAreOffOrWholeMinutesUpToAnHour) {
  const struct {
    const char* text;
    std::optional<int> minutes;
  } cases[] = {{"off", 0},           {"Off", 0},          {"1", 1},           {"10", 10},
               {"15", 15},           {" 45 ", 45},        {"60", 60},         {"0", std::nullopt},
               {"61", std::nullopt}, {"-5", std::nullopt}, {"2.5", std::nullopt}, {"99999", std::nullopt},
               {"99999999999", std::nullopt}, {"10 minutes", std::nullopt}, {"", std::nullopt}};
  for (const auto& c : cases) {
    const QString text = QString::fromLatin1(c.text);
    EXPECT_EQ(PreferencesForm::ReadBackupMinutes(text), c.minutes) << c.text;
    EXPECT_EQ(PreferencesForm::BackupMinutes(text), c.minutes.value_or(0)) << c.text;
  }
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

// The backup interval takes a typed number of minutes: "15" is stored and runs at once, and shows
// again the next time. What is no interval is refused with a message; nothing is stored and the
// dialog stays open for a correction.
TEST_F(Preferences, ATypedBackupIntervalIsTakenAndANonsenseOneRefused) {
  Open();
  auto* backup = Control<QComboBox>("AutomaticBackupCombo");
  ASSERT_TRUE(backup->isEditable());
  const QStringList refused = {"1.5", "ten", "0", "99999"};
  for (const QString& typed : refused) {
    const qsizetype asked = prompter.Asked().size();
    backup->setEditText(typed);
    Control<QCheckBox>("SortByDateCheck")->setChecked(true);
    prompter.Answer(praxel::AnswerOk);
    Control<QPushButton>("OkCommand")->click();
    ASSERT_NE(Form(), nullptr) << typed.toStdString();
    ASSERT_EQ(prompter.Asked().size(), asked + 1) << typed.toStdString();
    EXPECT_EQ(prompter.Asked().back().title, QStringLiteral("Invalid Backup Interval"));
    EXPECT_EQ(prompter.Asked().back().text,
              QStringLiteral("The automatic backup interval must be \"off\" or a whole number of minutes from 1 to 60."));
    EXPECT_EQ(Settings::ReadSettings(QStringLiteral("AutomaticBackupCombo")), QStringLiteral("off")) << typed.toStdString();
    EXPECT_EQ(Settings::ReadSettings(QStringLiteral("SortByDateCheck")), QStringLiteral("-")) << typed.toStdString();
    EXPECT_EQ(mainForm->AutoBackupMinutes(), 0) << typed.toStdString();
  }

  const qsizetype asked = prompter.Asked().size();
  backup->setEditText(QStringLiteral("15"));
  SaveScreenshot(QStringLiteral("preferences-backup-typed.png"));
  Control<QPushButton>("OkCommand")->click();
  EXPECT_EQ(Form(), nullptr);
  EXPECT_EQ(prompter.Asked().size(), asked);
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("AutomaticBackupCombo")), QStringLiteral("15"));
  EXPECT_EQ(mainForm->AutoBackupMinutes(), 15);

  Open();
  EXPECT_EQ(Control<QComboBox>("AutomaticBackupCombo")->currentText(), QStringLiteral("15"));
  Control<QPushButton>("CancelCommand")->click();
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
