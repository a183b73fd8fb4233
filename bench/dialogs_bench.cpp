// Opening the entry dialogs on a project of 10,000 tasks (200 resources), solved on a journal two
// months after its start, with the main window and the project tree built, offscreen. Each
// iteration opens the dialog through the command the toolbar or the tree runs and lets the
// window show; closing it again is not timed.
//
//   TaskDialogModify:    on the task in the middle of the project, selected in the tree.
//   TaskDialogAdd:       on a new task of the project.
//   ProjectDialogModify: on the project (Project > Modify).
//   SubprojectDialogAdd: on a new subproject task of the project.

#include "BenchProgram.h"
#include "Common.h"
#include "Forms.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"
#include "Yproject.h"
#include "Ytask.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QWidget>

namespace {

// Opens the dialog by its command, lets it show, and closes it again outside the timing.
void OpenDialog(benchmark::State& state, const QString& dialog, const char* start) {
  bench::Program program;
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
