// Opening the entry dialogs on a project of 10,000 tasks (200 resources), solved on a journal two
// months after its start, with the main window and the project tree built, offscreen. Each
// iteration opens the dialog through the command the toolbar or the tree runs and lets the
// window show; closing it again is not timed.
//
//   TaskDialogModify:    on the task in the middle of the project, selected in the tree.
//   TaskDialogAdd:       on a new task of the project.
//   ProjectDialogModify: on the project (Project > Modify).
//   SubprojectDialogAdd: on a new subproject task of the project.

#include "Common.h"
#include "Forms.h"
#include "HeadlessSolve.h"
#include "MainForm.h"
#include "Notifications.h"
#include "Pool.h"
#include "ProjectGenerator.h"
#include "RegisterDialogs.h"
#include "SolveState.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"
#include "TrySolve.h"
#include "Yproject.h"
#include "Ytask.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <memory>

namespace {

// The offscreen platform warns each time a top-level window is shown; nothing else is hidden.
QtMessageHandler previousHandler = nullptr;
void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QLatin1String("This plugin does not support propagateSizeHints()"))) return;
  if (previousHandler != nullptr) previousHandler(type, context, message);
}

// The application object, made once, offscreen, with private runtime and data folders.
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

// Lets the window system and timers run for a moment.
void RunEvents(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  } while (clock.elapsed() < milliseconds);
}

// The program with the large project solved and shown in the project tree; the main window and
// the model go when it does.
struct Program {
  Program();
  ~Program();

  std::unique_ptr<MainForm> main;
  Yproject* project = nullptr;
  Ytask* middle = nullptr;
};

Program::Program() {
  StartApplication();
  Solve::InstallSolver();
  Dialogs::RegisterForms();
  // The main window starts on an empty model.
  main = std::make_unique<MainForm>();
  main->show();
  RunEvents(200);
  // The welcome screen of the first activation.
  if (QWidget* welcome = Forms::Find(QStringLiteral("WelcomeForm"))) Forms::Unload(welcome);

  generator::WorkloadSize size;
  size.tasks = 10000;
  size.resources = 200;
  size.tasksPerProject = 10000;
  project = generator::GenerateWorkload(size).projects.front();
  // A journal well into the schedule, so that the dialog counts the work booked before it.
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

// Opens the dialog by its command, lets it show, and closes it again outside the timing.
void OpenDialog(benchmark::State& state, const QString& dialog, const char* start) {
  Program program;
  Common::SetDragNode(Common::FindNodeFromObject(program.middle));
  for (auto _ : state) {
    Forms::StartForm(dialog, start);
    QCoreApplication::processEvents();
    state.PauseTiming();
    QWidget* form = Forms::Find(dialog);
    if (form == nullptr || !form->isVisible()) {
      state.SkipWithError("the dialog did not open");
      break;
    }
    Forms::Unload(form);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["tasks"] = static_cast<double>(program.project->TaskList.Count());
}

void TaskDialogModify(benchmark::State& state) { OpenDialog(state, QStringLiteral("TaskEntryForm"), "StartModify"); }
void TaskDialogAdd(benchmark::State& state) { OpenDialog(state, QStringLiteral("TaskEntryForm"), "StartAdd"); }
// The project dialog on the active project, whose section reaches every project of its master.
void ProjectDialogModify(benchmark::State& state) {
  OpenDialog(state, QStringLiteral("ProjectEntryForm"), "StartModify");
}
// The subproject dialog, which proposes the ID after the highest and lists the projects to link.
void SubprojectDialogAdd(benchmark::State& state) {
  OpenDialog(state, QStringLiteral("SubprojectEntryForm"), "StartAdd");
}

}  // namespace

BENCHMARK(TaskDialogModify)->Unit(benchmark::kMillisecond);
BENCHMARK(TaskDialogAdd)->Unit(benchmark::kMillisecond);
BENCHMARK(ProjectDialogModify)->Unit(benchmark::kMillisecond);
BENCHMARK(SubprojectDialogAdd)->Unit(benchmark::kMillisecond);
