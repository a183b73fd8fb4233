#include "ShellFixture.h"

#include "Common.h"
#include "FakeForms.h"
#include "Forms.h"
#include "MainForm.h"
#include "OleDate.h"
#include "Pool.h"
#include "Settings.h"
#include "SolveState.h"
#include "StatusPanels.h"
#include "TrySolve.h"
#include "WelcomeForm.h"
#include "Yproject.h"
#include "Ytemplate.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QPushButton>
#include <QThread>

double Day(int offset) { return praxel::ToOleDate(QDate(2024, 1, 1)) + offset; }

void ShellTest::SetUp() {
  testsupport::ClearProgramDataFolder();
  Settings::ForgetStore();
  Common::FreeAllMemory();
  Solve::InstallSolver();
  Solve::SetSolveMode(Solve::ModeIdle);
  Solve::ClearSolveErrorObject();
  FormCalls().clear();
  FakeTree::selected = nullptr;
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

void ShellTest::WaitForResizePoll() {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 80) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
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
