#include "SliceOrder.h"

#include "Common.h"
#include "Guard.h"
#include "Poll.h"
#include "Pool.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yslice.h"
#include "Ytask.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <vector>

namespace Solve {

namespace {

struct SliceGraph {
  QList<Yslice*> all;
  QHash<const Ytask*, Yslice*> first;
  QList<Yslice*> order;
  QList<Yslice*> ready;  // the next wave, ranked when it is taken up
  QHash<const Yproject*, int> projectRank;
  QList<Yslice*> dangling;
  int generation = 0;  // counts the times the slices were given back to the pool
};

SliceGraph& Graph() {
  static SliceGraph graph;
  return graph;
}

// Priorities and names compare as text, character code by character code.
bool ProjectRanksBefore(const Yproject& s, const Yproject& r) {
  const int priority = QString::compare(s.Priority(), r.Priority(), Qt::CaseSensitive);
  if (priority != 0) return priority > 0;
  return QString::compare(s.ProjectName(), r.ProjectName(), Qt::CaseSensitive) > 0;
}

// The place of every loaded project in a wave's ranking: 0 ranks first.
QHash<const Yproject*, int> RankProjects() {
  QList<const Yproject*> projects(Common::Projects().begin(), Common::Projects().end());
  std::stable_sort(projects.begin(), projects.end(),
                   [](const Yproject* a, const Yproject* b) { return ProjectRanksBefore(*a, *b); });
  QHash<const Yproject*, int> ranks;
  for (qsizetype i = 0; i < projects.size(); ++i) ranks.insert(projects.at(i), static_cast<int>(i));
  return ranks;
}

// Takes the ready slices as one wave, in ranked order. The ranking is a strict order on the
// slices of one wave (two projects never share a name, a wave never holds two slices of one
// task), so a stable sort gives exactly what inserting each slice at its ranked place gives.
QList<Yslice*> TakeWave() {
  SliceGraph& graph = Graph();
  struct Entry {
    int rank;
    int taskId;
    Yslice* slice;
  };
  std::vector<Entry> entries;
  entries.reserve(graph.ready.size());
  for (Yslice* slice : graph.ready) {
    entries.push_back({graph.projectRank.value(slice->Task->Project(), -1), slice->Task->TaskID(), slice});
  }
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return a.rank != b.rank ? a.rank < b.rank : a.taskId < b.taskId;
  });
  QList<Yslice*> wave;
  wave.reserve(graph.ready.size());
  for (const Entry& entry : entries) wave.append(entry.slice);
  graph.ready.clear();
  return wave;
}

// The next slice of the same task: the last successor, when it belongs to the task.
Yslice* NextOfTask(const Yslice* slice) {
  if (slice->ForwardList.isEmpty()) return nullptr;
  Yslice* last = slice->ForwardList.last();
  // The next slice of the task starts where this one ends. A task that waits for itself lists one
  // of its own slices as a successor too: that is no next slice.
  return last->Task == slice->Task && last->FromPercent == slice->ToPercent && last != slice ? last : nullptr;
}

// Links `successor` after `predecessor`: in front of the predecessor's other successors.
void Link(Yslice& predecessor, Yslice& successor) {
  successor.Count += 1;
  predecessor.ForwardList.prepend(&successor);
}

}  // namespace

void ComputeOrder() {
  ErrTrap::Guard guard(QStringLiteral("Solve:ComputeOrder"));
  SliceGraph& graph = Graph();
  bool stopped = false;

  // Everything the previous ordering made goes back to the pool, ordered or not.
  guard([&] {
    const QList<Yslice*> previous = graph.all;
    graph.all.clear();
    graph.first.clear();
    graph.order.clear();
    graph.ready.clear();
    graph.dangling.clear();
    ++graph.generation;
    Common::FreeYobjects(QList<Ypooled*>(previous.begin(), previous.end()));
  });

  // The walks run over copies of the lists, so an edit made in a poll cannot pull a list from
  // under them; after such an edit the poll says stop.
  const auto walkTasks = [&](auto visit) {
    const QList<Yproject*> projects = Common::Projects().Items();
    for (Yproject* project : projects) {
      const QList<Ytask*> tasks = project->TaskList.Items();
      for (Ytask* task : tasks) {
        if (PollAbort()) {
          stopped = true;
          return;
        }
        if (task->Include()) guard([&] { visit(*task); });
      }
    }
  };

  walkTasks([&](Ytask& task) {
    if (graph.first.contains(&task)) return;
    auto* slice = Common::NewY<Yslice>(ytSlice);
    slice->Task = &task;
    graph.all.append(slice);
    graph.first.insert(&task, slice);
  });
  if (stopped) return;
  walkTasks([&](Ytask& task) { SearchForSplits(task); });
  if (stopped) return;
  walkTasks([&](Ytask& task) {
    if (task.Subproject() == nullptr) {
      HookUpDependencies(task);
    } else {
      HookUpSubproject(task);
    }
  });
  if (stopped) return;

  guard([&] {
    graph.projectRank = RankProjects();
    for (Yslice* slice : graph.all) {
      if (slice->Count == 0) AddReadyList(*slice);
    }
    // A poll after each wave, as after each task in the walks.
    while (!graph.ready.isEmpty()) {
      for (Yslice* slice : TakeWave()) AddOrderList(*slice);
      if (PollAbort()) {
        stopped = true;
        return;
      }
    }
  });
  guard([&] {
    graph.ready.clear();
    graph.projectRank.clear();
  });
}

void SearchForSplits(Ytask& task) {
  ErrTrap::Guarded(QStringLiteral("Solve:SearchForSplits"), [&] {
    for (const Ydependency* dependency : task.DependencyList) {
      if (!dependency->Include()) continue;
      const int to = dependency->ToPercent();
      if (to != 0) {
        Yslice* slice = FindFromSlice(&task, to);
        if (slice != nullptr && slice->FromPercent < to) SplitSlice(*slice, to);
      }
      const Ytask* required = dependency->TaskRequired();
      const int from = dependency->FromPercent();
      if (required != nullptr && from < 100) {
        Yslice* slice = FindToSlice(required, from);
        if (slice != nullptr && slice->ToPercent > from) SplitSlice(*slice, from);
      }
    }
  });
}

void SplitSlice(Yslice& slice, int percent) {
  ErrTrap::Guarded(QStringLiteral("Solve:SplitSlice"), [&] {
    auto* piece = Common::NewY<Yslice>(ytSlice);
    Graph().all.append(piece);
    piece->Task = slice.Task;
    piece->FromPercent = static_cast<std::uint8_t>(percent);
    piece->ToPercent = slice.ToPercent;
    piece->Count = 1;  // the slice before it comes first
    slice.ToPercent = static_cast<std::uint8_t>(percent);
    piece->ForwardList = std::move(slice.ForwardList);
    slice.ForwardList = {piece};
  });
}

Yslice* FindFromSlice(const Ytask* task, int percent) {
  Yslice* slice = FirstSlice(task);
  while (slice != nullptr) {
    if (slice->FromPercent == percent || slice->ToPercent > percent) return slice;
    Yslice* next = NextOfTask(slice);
    if (next == nullptr) return slice;
    slice = next;
  }
  return nullptr;
}

Yslice* FindToSlice(const Ytask* task, int percent) {
  Yslice* slice = FirstSlice(task);
  while (slice != nullptr) {
    Yslice* next = NextOfTask(slice);
    if (slice->ToPercent == percent) {
      if (next == nullptr || next->ToPercent > percent) return slice;
    } else if (slice->ToPercent > percent) {
      return slice;
    }
    if (next == nullptr) return slice;
    slice = next;
  }
  return nullptr;
}

void HookUpDependencies(Ytask& task) {
  ErrTrap::Guarded(QStringLiteral("Solve:HookUpDependencies"), [&] {
    for (const Ydependency* dependency : task.DependencyList) {
      if (!dependency->Include()) continue;
      const Ytask* required = dependency->TaskRequired();
      if (required == nullptr) continue;
      const int from = dependency->FromPercent();
      Yslice* predecessor = from == 100 ? FindFromSlice(required, 100) : FindToSlice(required, from);
      Yslice* successor = FindFromSlice(&task, dependency->ToPercent());
      if (predecessor != nullptr && successor != nullptr) Link(*predecessor, *successor);
    }
  });
}

void HookUpSubproject(Ytask& task) {
  ErrTrap::Guarded(QStringLiteral("Solve:HookUpSubproject"), [&] {
    Yslice* start = FindFromSlice(&task, 0);
    const Yproject* subproject = task.Subproject();
    if (start == nullptr || subproject == nullptr) return;
    for (const Ytask* member : subproject->TaskList) {
      if (!member->Include()) continue;
      Yslice* end = FindToSlice(member, 100);
      if (end != nullptr) Link(*end, *start);
    }
  });
}

void AddReadyList(Yslice& slice) { Graph().ready.append(&slice); }

void AddOrderList(Yslice& slice) {
  ErrTrap::Guarded(QStringLiteral("Solve:AddOrderList"), [&] {
    Graph().order.append(&slice);
    for (Yslice* successor : slice.ForwardList) {
      successor->BackwardList.append(&slice);
      successor->Count -= 1;
      if (successor->Count == 0) AddReadyList(*successor);
    }
  });
}

bool RanksBefore(const Yslice& s, const Yslice& r) {
  const Yproject* sProject = s.Task->Project();
  const Yproject* rProject = r.Task->Project();
  if (sProject == rProject) return r.Task->TaskID() > s.Task->TaskID();
  return ProjectRanksBefore(*sProject, *rProject);
}

const QList<Yslice*>& AllSlices() { return Graph().all; }

const QList<Yslice*>& SliceList() { return Graph().order; }

int SliceGeneration() { return Graph().generation; }

Yslice* FirstSlice(const Ytask* task) { return Graph().first.value(task, nullptr); }

Yslice* SliceOnCycle() {
  const SliceGraph& graph = Graph();
  if (graph.order.size() == graph.all.size()) return nullptr;
  // A slice left out still waits for a predecessor that was left out too (its Count never
  // reached 0); walking back along such predecessors must come round to a slice already passed,
  // and that slice lies on a cycle.
  QHash<const Yslice*, Yslice*> waitsFor;
  Yslice* start = nullptr;
  for (Yslice* slice : graph.all) {
    if (slice->Count == 0) continue;
    if (start == nullptr) start = slice;
    for (const Yslice* successor : slice->ForwardList) {
      if (successor->Count > 0) waitsFor.insert(successor, slice);
    }
  }
  QSet<const Yslice*> passed;
  Yslice* slice = start;
  while (slice != nullptr && !passed.contains(slice)) {
    passed.insert(slice);
    slice = waitsFor.value(slice, nullptr);
  }
  return slice;
}

QList<Yslice*>& DanglingList() { return Graph().dangling; }

void ClearSliceList() {
  SliceGraph& graph = Graph();
  graph.all.clear();
  graph.first.clear();
  graph.order.clear();
  graph.ready.clear();
  graph.projectRank.clear();
  graph.dangling.clear();
  ++graph.generation;
}

}  // namespace Solve
