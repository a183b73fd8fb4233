#include "ShellFixture.h"

#include "Common.h"
#include "FakeForms.h"
#include "Forms.h"
#include "MainForm.h"
#include "CrashAnalysis.h"
#include "OleDate.h"
#include "Notifications.h"
#include "OpenViews.h"
#include "Poll.h"
#include "RiskAnalysis.h"
#include "Pool.h"
#include "Settings.h"
#include "SolveState.h"
#include "StatusPanels.h"
#include "TrySolve.h"
#include "WelcomeForm.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QThread>
#include <QTimer>

namespace {

constexpr int kDefaultPumpInterval = 5;

}  // namespace

double Day(int offset) { return praxel::ToOleDate(QDate(2024, 1, 1)) + offset; }

void ClickPanel(QLabel* panel) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), panel->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(panel, &press);
}

void ShellTest::SetUp() {
  testsupport::ClearProgramDataFolder();
  Settings::ForgetStore();
  Common::FreeAllMemory();
  Solve::InstallSolver();
  Solve::SetSolveMode(Solve::ModeIdle);
  Solve::ClearSolveErrorObject();
  FormCalls().clear();
  FakeTree::selected = nullptr;
  FakeDialog::modified = nullptr;
  // What the analyses and views keep for the program's run.
  Solve::SetTeamIncrement(0);
  Solve::SetRiskIterations(0);
  Solve::ClearCrashItems();
  Solve::SetPumpInterval(kDefaultPumpInterval);
  Common::SetSpreadsheetType(0);
}

void ShellTest::TearDown() {
  mainForm.reset();
  for (const QString& name : registered_) Forms::Unregister(name);
  Common::FreeAllMemory();
  Solve::SetSolveMode(Solve::ModeIdle);
  Solve::ClearSolveErrorObject();
  EXPECT_TRUE(prompter.AllAnswered());
  EXPECT_TRUE(dialogs.AllAnswered());
}

bool ShellTest::RunUntil(const std::function<bool()>& condition) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > 2000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(1);
  }
  return true;
}

void ShellTest::SaveScreenshot(const QString& name) const {
  if (const QByteArray dir = qgetenv("PRAXEL_SCREENSHOTS"); !dir.isEmpty()) {
    mainForm->grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(name));
  }
}

void ShellTest::WaitForResizePoll() {
  // Two ticks of the poll after now: the first may have begun before the change. On a busy
  // machine a tick can come late, so the wait is counted in ticks, not in time.
  int ticks = 0;
  const QMetaObject::Connection counting =
      QObject::connect(mainForm->ResizeTimer(), &QTimer::timeout, mainForm.get(), [&ticks] { ++ticks; });
  RunUntil([&ticks] { return ticks >= 2; });
  QObject::disconnect(counting);
}

MainForm& ShellTest::StartProgram(bool keepWelcome) {
  mainForm = std::make_unique<MainForm>();
  mainForm->show();
  EXPECT_TRUE(RunUntil([] { return Forms::Find(QStringLiteral("WelcomeForm")) != nullptr; }));
  if (!keepWelcome) {
    if (auto* welcome = qobject_cast<WelcomeForm*>(Forms::Find(QStringLiteral("WelcomeForm")))) welcome->OkCommand()->click();
  }
  // The first size check lays out the status bar and fills its lists.
  EXPECT_TRUE(RunUntil([this] {
    return mainForm->ProjectCombo()->count() > 0 &&
           mainForm->Panels()->PanelRect(5).width() == mainForm->ClientSize().width() / 3;
  }));
  return *mainForm;
}

FormHost& ShellTest::MainHost() const { return *mainForm; }

void ShellTest::Register(const QString& name, std::function<QWidget*()> make) {
  Forms::Register(name, std::move(make));
  registered_.append(name);
}

QWidget* ShellTest::Show(const QString& name) {
  QWidget* form = Forms::Load(name);
  mainForm->ShowForm(form);
  return form;
}

Ytemplate* ShellTest::AddTemplate(const QString& name, bool twoJournals) {
  auto* templ = Common::NewY<Ytemplate>(ytTemplate);
  templ->SetTemplateName(name);
  templ->AddJournal(Day(0));
  if (twoJournals) templ->AddJournal(Day(7));
  templ->SetDirty(false);
  return templ;
}

Yproject* ShellTest::AddProject(const QString& name, Yproject* parent) {
  auto* project = Common::NewY<Yproject>(ytProject);
  project->SetProjectName(name);
  project->AddJournal(Day(0));
  if (parent != nullptr) project->SetParent(parent);
  project->SetDirty(false);
  return project;
}

Yproject* ShellTest::AddStaffedChain(const QString& name, Ytemplate* templ, const QList<int>& taskIds) {
  Yresource* resource = templ->ResourceList.Find(QStringLiteral("1"));
  if (resource == nullptr) {
    templ->FindOrCreateShift(QStringLiteral("Day"));
    resource = templ->FindOrCreateResource(1);
    resource->Description = QStringLiteral("Ann");
  }
  Yproject* project = AddProject(name);
  project->SetSolveRules(1);
  Ytask* previous = nullptr;
  for (const int id : taskIds) {
    Ytask* task = project->FindOrCreateTask(id);
    task->Description = QStringLiteral("Task %1").arg(id);
    task->SetMostLikely(480);
    auto* start = Common::NewY<Ydependency>(ytDependency);
    start->SetTask(task);
    if (previous == nullptr) {
      start->SetDepDate(Day(0));
    } else {
      start->SetTaskRequired(previous);
    }
    previous = task;
    auto* assignment = Common::NewY<Yassignment>(ytAssignment);
    assignment->SetTask(task);
    assignment->SetResourceRequired(resource);
    assignment->SetHours(8);
  }
  project->SetDirty(false);
  templ->SetDirty(false);
  return project;
}

bool ShellTest::SolveNow() {
  Solve::RestartSolve();
  RunUntil([] { return Solve::SolveMode() == Solve::ModeIdle || Solve::SolveMode() == Solve::ModeError; });
  return Solve::SolveMode() == Solve::ModeIdle && Solve::SolveMessage() == QLatin1String("Solve complete");
}

void ShellTest::Activate(Ytemplate* templ, Yproject* project) {
  Common::SetThisTemplate(templ);
  Common::SetThisProject(project);
  Common::BroadcastNewThisTemplate();
  Common::BroadcastNewThisProject();
}

Yproject* ShellTest::StartWithSolvedPlant(const QList<int>& taskIds) {
  StartProgram();
  Ytemplate* staff = AddTemplate(QStringLiteral("Staff"));
  Yproject* plant = AddStaffedChain(QStringLiteral("Plant"), staff, taskIds);
  Activate(staff, plant);
  EXPECT_TRUE(SolveNow());
  FormCalls().clear();
  return plant;
}
