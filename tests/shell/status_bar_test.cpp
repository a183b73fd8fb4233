#include "Common.h"
#include "FakeForms.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"
#include "Poll.h"
#include "ProjectGenerator.h"
#include "ShellFixture.h"
#include "SolveState.h"
#include "SolverHostQt.h"
#include "StatusPanels.h"
#include "Ytask.h"
#include "Yproject.h"
#include "Ytemplate.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>

namespace {

QStringList Items(const QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items.append(list->itemText(i));
  return items;
}

// The user picks an entry of a list.
void Choose(QComboBox* list, const QString& entry) {
  const int index = list->findText(entry);
  ASSERT_GE(index, 0) << entry.toStdString();
  list->setCurrentIndex(index);
  emit list->activated(index);
}

using StatusBar = ShellTest;

TEST_F(StatusBar, WithNothingLoadedTheListsShowPlaceholdersAndAreDisabled) {
  StartProgram();
  EXPECT_EQ(Items(mainForm->ProjectCombo()), QStringList{QStringLiteral("<no projects>")});
  EXPECT_EQ(Items(mainForm->TemplateCombo()), QStringList{QStringLiteral("<no templates>")});
  EXPECT_EQ(Items(mainForm->JournalCombo()), QStringList{QStringLiteral("<journal n/a>")});
  EXPECT_FALSE(mainForm->ProjectCombo()->isEnabled());
  EXPECT_FALSE(mainForm->TemplateCombo()->isEnabled());
  EXPECT_FALSE(mainForm->JournalCombo()->isEnabled());
}

// A dialog's closing enables the lists only as far as the data allows: with no active project
// the project list stays disabled, and the solve panel does not answer a click.
TEST_F(StatusBar, AfterADialogWithoutAnActiveProjectTheSolvePanelStaysQuiet) {
  StartProgram();
  Ytask* task = AddProject(QStringLiteral("Office move"))->FindOrCreateTask(1);
  mainForm->Control(QStringLiteral("HelpAboutMenu"))->trigger();
  Forms::Unload(Forms::Find(QStringLiteral("WelcomeForm")));
  EXPECT_FALSE(mainForm->ProjectCombo()->isEnabled());
  EXPECT_EQ(mainForm->ProjectCombo()->currentText(), QStringLiteral("<no projects>"));

  Solve::SolveError(QStringLiteral("Task has no effort"), task);
  ClickPanel(mainForm->Panels()->SolvePanel());
  EXPECT_EQ(Common::ThisProject(), nullptr);
}

TEST_F(StatusBar, PanelsFollowTheClientWidth) {
  StartProgram();
  const int width = mainForm->ClientSize().width();
  const StatusPanels* panels = mainForm->Panels();
  EXPECT_EQ(mainForm->ProjectCombo()->geometry(), panels->PanelRect(1));
  EXPECT_EQ(mainForm->TemplateCombo()->geometry(), panels->PanelRect(2));
  EXPECT_EQ(mainForm->JournalCombo()->geometry(), panels->PanelRect(3));
  for (int panel = 1; panel <= 4; ++panel) {
    EXPECT_EQ(panels->PanelRect(panel).left(), (panel - 1) * (width / 6));
    EXPECT_EQ(panels->PanelRect(panel).width(), width / 6);
  }
  EXPECT_EQ(panels->PanelRect(5).width(), width / 3);
  EXPECT_EQ(panels->SolvePanel()->geometry(), panels->PanelRect(4));
  EXPECT_EQ(panels->SolvePanel()->toolTip(), QStringLiteral("solve progress"));
  EXPECT_EQ(panels->BusyPanel()->toolTip(), QStringLiteral("status message"));
}

// With a subproject active the list holds every top-level project and that subproject; the
// journal list shows the active project's journals.
TEST_F(StatusBar, ListsShowWhatIsLoadedAndActive) {
  StartProgram();
  Yproject* office = AddProject(QStringLiteral("Office move"));
  AddProject(QStringLiteral("Web shop"));
  Yproject* wiring = AddProject(QStringLiteral("Wiring"), office);
  office->FindOrCreateTask(1)->SetSubproject(wiring);
  wiring->AddJournal(Day(14));
  Ytemplate* staff = AddTemplate(QStringLiteral("Staff"));
  AddTemplate(QStringLiteral("Contractors"));
  Common::SetThisProject(wiring);
  Common::SetThisTemplate(staff);
  Common::BroadcastNewThisProject();
  Common::BroadcastNewThisTemplate();

  EXPECT_EQ(Items(mainForm->ProjectCombo()),
            (QStringList{QStringLiteral("Office move"), QStringLiteral("Web shop"), QStringLiteral("Wiring")}));
  EXPECT_EQ(mainForm->ProjectCombo()->currentText(), QStringLiteral("Wiring"));
  EXPECT_EQ(Items(mainForm->TemplateCombo()), (QStringList{QStringLiteral("Staff"), QStringLiteral("Contractors")}));
  EXPECT_EQ(mainForm->TemplateCombo()->currentText(), QStringLiteral("Staff"));
  EXPECT_EQ(Items(mainForm->JournalCombo()), (QStringList{wiring->JournalNodeText(0), wiring->JournalNodeText(1)}));
  EXPECT_EQ(mainForm->JournalCombo()->currentIndex(), 1);
  EXPECT_TRUE(mainForm->ProjectCombo()->isEnabled());
}

TEST_F(StatusBar, ChoosingAProjectMakesItActiveAndTellsEveryWindow) {
  RegisterFake<FakeChart>(QStringLiteral("GanttForm"));
  StartProgram();
  Yproject* office = AddProject(QStringLiteral("Office move"));
  Yproject* shop = AddProject(QStringLiteral("Web shop"));
  Common::SetThisProject(office);
  Common::BroadcastNewThisProject();
  Show(QStringLiteral("GanttForm"));

  Choose(mainForm->ProjectCombo(), QStringLiteral("Office move"));  // the active one: nothing happens
  EXPECT_FALSE(FormCalls().contains(QStringLiteral("GanttForm.NewThisProject")));

  Choose(mainForm->ProjectCombo(), QStringLiteral("Web shop"));
  EXPECT_EQ(Common::ThisProject(), shop);
  EXPECT_TRUE(FormCalls().contains(QStringLiteral("GanttForm.NewThisProject")));
  EXPECT_EQ(mainForm->ProjectCombo()->currentText(), QStringLiteral("Web shop"));
}

// Choosing another template tells every window, so the menus, the journal list and the views
// follow the new template.
TEST_F(StatusBar, ChoosingATemplateTellsEveryWindow) {
  RegisterFake<FakeTree>(QStringLiteral("TemplateTreeForm"));
  StartProgram();
  Ytemplate* staff = AddTemplate(QStringLiteral("Staff"));
  Ytemplate* contractors = AddTemplate(QStringLiteral("Contractors"), true);
  Common::SetThisTemplate(staff);
  Common::BroadcastNewThisTemplate();
  FormCalls().clear();

  Choose(mainForm->TemplateCombo(), QStringLiteral("Contractors"));

  EXPECT_EQ(Common::ThisTemplate(), contractors);
  EXPECT_TRUE(FormCalls().contains(QStringLiteral("TemplateTreeForm.NewThisTemplate")));
  EXPECT_EQ(Items(mainForm->JournalCombo()),
            (QStringList{contractors->JournalNodeText(0), contractors->JournalNodeText(1)}));
}

// The solve runs from the timer while the user works: an edit made during a solve stops it and
// the solve starts over, ending at "Solve complete" with one new-solution notification.
TEST_F(StatusBar, AnEditDuringASolveRestartsItAndTheBarEndsAtSolveComplete) {
  RegisterFake<FakeChart>(QStringLiteral("GanttForm"));
  StartProgram();
  const generator::Workload workload = generator::GenerateWorkload({60, 6, 30, 7});
  Show(QStringLiteral("GanttForm"));
  Solve::SetPumpInterval(0);
  int runs = 0;
  int modeAtEdit = -1;
  QObject::connect(mainForm->SolverHost(), &Solve::QtSolverHost::SolveMessageChanged, mainForm.get(),
                   [&](const QString& text) {
                     if (text != QLatin1String("Preparing for solve ...")) return;
                     if (++runs != 1) return;
                     // The user's edit, waiting in the event queue for the solve's next poll.
                     QMetaObject::invokeMethod(
                         mainForm.get(),
                         [&] {
                           modeAtEdit = Solve::SolveMode();
                           workload.projects.first()->SetDirty(true);
                         },
                         Qt::QueuedConnection);
                   });
  FormCalls().clear();

  workload.projects.last()->SetDirty(true);
  const bool settled = RunUntil([&] { return Solve::SolveMode() == Solve::ModeIdle && runs > 0; });
  Solve::SetPumpInterval(5);

  ASSERT_TRUE(settled);
  EXPECT_EQ(modeAtEdit, Solve::ModeSolving);
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(mainForm->SolvePanelText(), QStringLiteral("Solve complete"));
  EXPECT_EQ(FormCalls().count(QStringLiteral("GanttForm.NewSolution")), 1);
}

// A click on the solve panel after a failed solve shows the object the failure is about; in any
// other state, or on another panel, nothing happens.
TEST_F(StatusBar, ASolvePanelClickAfterAFailedSolveSelectsTheFailingObject) {
  RegisterFake<FakeTree>(QStringLiteral("ProjectTreeForm"));
  StartProgram();
  Yproject* office = AddProject(QStringLiteral("Office move"));
  Yproject* shop = AddProject(QStringLiteral("Web shop"));
  Ytask* task = shop->FindOrCreateTask(3);
  Common::SetThisProject(office);
  Common::BroadcastNewThisProject();
  Solve::SolveError(QStringLiteral("Task has no effort"), task);
  FormCalls().clear();

  ClickPanel(mainForm->Panels()->BusyPanel());
  EXPECT_EQ(Common::ThisProject(), office);

  ClickPanel(mainForm->Panels()->SolvePanel());
  EXPECT_EQ(Common::ThisProject(), shop);
  EXPECT_TRUE(FormCalls().contains(QStringLiteral("ProjectTreeForm.Start")));
  EXPECT_EQ(FakeTree::selected, task);
}

TEST_F(StatusBar, OverloadAndOvertimeOpenTheOverloadDialog) {
  RegisterFake<FakeChart>(QStringLiteral("OverageForm"));
  StartProgram();
  Yproject* office = AddProject(QStringLiteral("Office move"));
  Common::SetThisProject(office);
  Common::BroadcastNewThisProject();
  for (const QString& message : {QStringLiteral("Overload on Monday"), QStringLiteral("Overtime")}) {
    FormCalls().clear();
    Solve::SolveError(message, nullptr);
    ClickPanel(mainForm->Panels()->SolvePanel());
    EXPECT_TRUE(FormCalls().contains(QStringLiteral("OverageForm.Start"))) << message.toStdString();
    Forms::Unload(Forms::Find(QStringLiteral("OverageForm")));
  }
  // Solved: the click does nothing.
  Solve::SetSolveMode(Solve::ModeIdle);
  FormCalls().clear();
  ClickPanel(mainForm->Panels()->SolvePanel());
  EXPECT_TRUE(FormCalls().isEmpty());
}

}  // namespace
