#include "BenchProgram.h"

#include "Common.h"
#include "Forms.h"
#include "HeadlessSolve.h"
#include "MainForm.h"
#include "Notifications.h"
#include "Pool.h"
#include "ProjectGenerator.h"
#include "RegisterAnalysis.h"
#include "RegisterDialogs.h"
#include "RegisterViews.h"
#include "SolveState.h"
#include "TrySolve.h"
#include "Yproject.h"
#include "Ytask.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

namespace bench {

namespace {

// The offscreen platform warns each time a top-level window is shown; nothing else is hidden.
QtMessageHandler previousHandler = nullptr;
void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QLatin1String("This plugin does not support propagateSizeHints()"))) return;
  if (previousHandler != nullptr) previousHandler(type, context, message);
}

}  // namespace

void StartApplication() {
  static QTemporaryDir runtime;
  static QTemporaryDir home;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
  qputenv("PRAXEL_HOME", home.path().toLocal8Bit());
  static int argc = 1;
  static char name[] = "praxel_bench";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  if (previousHandler == nullptr) previousHandler = qInstallMessageHandler(FilterMessages);
}

void RunEvents(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  } while (clock.elapsed() < milliseconds);
}

Program::Program(int tasks, int resources) {
  StartApplication();
  Solve::InstallSolver();
  Dialogs::RegisterForms();
  Views::RegisterForms();
  Analysis::RegisterForms();
  // The main window starts on an empty model.
  main = std::make_unique<MainForm>();
  main->resize(1280, 900);
  main->show();
  RunEvents(200);
  // The welcome screen of the first activation.
  if (QWidget* welcome = Forms::Find(QStringLiteral("WelcomeForm"))) Forms::Unload(welcome);

  generator::WorkloadSize size;
  size.tasks = tasks;
  size.resources = resources;
  size.tasksPerProject = tasks;
  project = generator::GenerateWorkload(size).projects.front();
  // A journal well into the schedule, so that the windows show work booked before it.
  project->AddJournal(project->Journal() + 61);
  if (Solve::SolveHeadless() != QLatin1String("Solve complete")) qFatal("the generated project does not solve");
  Solve::SetSolveMode(Solve::ModeIdle);
  Common::SetThisProject(project);
  Common::BroadcastNewThisProject();
  RunEvents(100);
  middle = project->TaskList.Item(project->TaskList.Count() / 2);
}

Program::~Program() {
  main.reset();
  Common::FreeAllMemory();
  Solve::SetSolveMode(Solve::ModeIdle);
}

}  // namespace bench
