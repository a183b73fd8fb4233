// The Gantt chart's layout pass: the tasks to chart, their order, which get a row, and each row's
// texts.

#include "GanttForm.h"

#include "Common.h"
#include "Format.h"
#include "PaintBreaks.h"
#include "Settings.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "YwindowControl.h"

#include <algorithm>

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

// Sorting by dates flattens the whole list into one sort when subprojects are flattened too.
bool SortsWholeList() {
  return Settings::SettingIsOn(QStringLiteral("SortByDateCheck")) &&
         Settings::SettingLetter(QStringLiteral("SubprojectDisplayCombo")) == QLatin1String("T");
}

// The leader named under a task's caption: a subproject's manager, or the resource of the task's
// first included assignment.
const Yresource* Leader(const Ytask* task) {
  if (const Yproject* subproject = task->Subproject()) return subproject->Manager();
  for (const Yassignment* assignment : task->AssignmentList) {
    if (assignment->Include()) return assignment->ResourceRequired();
  }
  return nullptr;
}

// A dependency cell lists at most so many lines, so that its row stays lower than a chart window
// and can be seen whole (the grid scrolls by whole rows): a task waiting for more lists the first
// ones and, on the last line, how many more follow.
constexpr int kMostDependencyLines = 20;

QString DependencyText(const Ytask* task) {
  if (task->Subproject() != nullptr || !Settings::SettingIsOn(QStringLiteral("ListAllDepsCheck"))) {
    // A task standing for a subproject without an included task has no controlling dependency.
    const Ydependency* control = task->ControlDependency();
    return control != nullptr ? control->BuildNodeText() : QString();
  }
  QList<const Ydependency*> included;
  for (const Ydependency* dependency : task->DependencyList) {
    if (dependency->Include()) included.append(dependency);
  }
  const qsizetype listed = included.size() > kMostDependencyLines ? kMostDependencyLines - 1 : included.size();
  QStringList lines;
  for (qsizetype index = 0; index < listed; ++index) lines.append(included.at(index)->BuildNodeText());
  if (listed < included.size()) lines.append(QStringLiteral("and %1 more").arg(included.size() - listed));
  return lines.join(kLineBreak);
}

}  // namespace

void GanttForm::RedoLayout() {
  ShowBuilding();
  YwindowControl* chart = Chart();
  chart->Reset();
  chart->AddColumn(QStringLiteral("Task"), 1);
  chart->AddColumn(QStringLiteral("Dependencies"), 1);
  chart->AddDateGrid();
  chart->AddColumn(QStringLiteral("Slack"), 7);
  chart->AddColumn(QStringLiteral("Time") + kLineBreak + QStringLiteral("left"), 7);
  chartTasks_.clear();
  if (Yproject* project = Common::ThisProject()) {
    QList<const Yproject*> chain;
    BuildTaskList(project, 0, chain);
  }
  if (SortsWholeList()) SortTaskList(1, static_cast<int>(chartTasks_.size()));
  taskRows_.clear();
  for (Ytask* task : chartTasks_) {
    if (IncludeTask(task)) BuildTaskRow(task);
    Ywindow::KeepPainting();
  }
  chart->LayoutComplete(2, Settings::SettingIsOn(QStringLiteral("ListTaskLeaderCheck")) ? 8 : 5);
}

void GanttForm::BuildTaskList(Yproject* project, int position, QList<const Yproject*>& chain) {
  // A damaged file may link a project under itself: each project is charted once per chain.
  if (chain.contains(project)) return;
  chain.append(project);
  int index = position;
  for (Ytask* task : project->TaskList) {
    if (!task->Include()) continue;
    chartTasks_.insert(index, task);
    ++index;
    Ywindow::KeepPainting();
  }
  if (!SortsWholeList()) SortTaskList(position + 1, index);
  // From the end, so that the positions still to visit stay where they are.
  for (int i = index; i > position; --i) {
    if (Yproject* subproject = chartTasks_.at(i - 1)->Subproject()) BuildTaskList(subproject, i, chain);
  }
  chain.removeLast();
}

void GanttForm::SortTaskList(int first, int last) {
  if (last <= first) return;
  // An insertion sort that puts each task in front of every earlier task that does not strictly
  // precede it: sorted, with tasks of equal keys in the reverse of their earlier order. A stable
  // sort of the reversed range gives exactly that, without the quadratic moves.
  const auto begin = chartTasks_.begin() + (first - 1);
  const auto end = chartTasks_.begin() + last;
  std::reverse(begin, end);
  std::stable_sort(begin, end, [](const Ytask* a, const Ytask* b) { return CheckOrder(a, b); });
}

bool GanttForm::CheckOrder(const Ytask* a, const Ytask* b) {
  if (Settings::SettingIsOn(QStringLiteral("SortByDateCheck"))) {
    if (a->EarlyStart() != b->EarlyStart()) return a->EarlyStart() < b->EarlyStart();
    return a->EarlyFinish() < b->EarlyFinish();
  }
  return a->TaskID() < b->TaskID();
}

bool GanttForm::IncludeTask(const Ytask* task) {
  const QString letter = Settings::SettingLetter(QStringLiteral("SubprojectDisplayCombo"));
  const bool own = task->Project() == Common::ThisProject();
  if (letter == QLatin1String("O")) return own;
  if (letter == QLatin1String("A")) return own || task->Subproject() != nullptr;
  if (letter == QLatin1String("T")) return task->Subproject() == nullptr;
  return false;
}

void GanttForm::BuildTaskRow(Ytask* task) {
  YwindowControl* chart = Chart();
  chart->AddRow();
  const int row = chart->Rows() - 1;
  taskRows_.insert(task, row);
  QString text = task->BuildNodeText();
  if (Settings::SettingIsOn(QStringLiteral("ListTaskLeaderCheck"))) {
    text += kLineBreak;
    if (const Yresource* leader = Leader(task)) text += QStringLiteral("  ") + leader->Description;
  }
  chart->CellText(row, 0, text);
  chart->CellText(row, 1, DependencyText(task));
  const int cols = chart->Cols();
  chart->CellText(row, cols - 2, Common::FormatDuration(task->LateFinish() - task->EarlyFinish(), false));
  const double journal = task->Project()->Journal();
  chart->CellText(row, cols - 1,
                  task->EarlyFinish() < journal ? QStringLiteral("Done")
                                                : Common::FormatDuration(task->EarlyFinish() - journal, false));
}

int GanttForm::FindRow(const Ytask* task) const {
  // At most one step per project above: a damaged parent chain cannot make this loop.
  for (int steps = 0; task != nullptr && steps <= Common::Projects().Count(); ++steps) {
    const int row = taskRows_.value(task, 0);
    if (row > 0) return row;
    const Yproject* project = task->Project();
    const Yproject* parent = project != nullptr ? project->Parent() : nullptr;
    if (parent == nullptr) return 0;
    const Ytask* link = nullptr;
    for (const Ytask* candidate : parent->TaskList) {
      if (candidate->Subproject() == project) {
        link = candidate;
        break;
      }
    }
    task = link;
  }
  return 0;
}
