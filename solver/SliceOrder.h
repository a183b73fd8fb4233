#pragma once

#include <QList>

class Yslice;
class Ytask;

// The slice graph of one solve: every included task of every loaded project is cut into slices
// at the percentages its dependencies name, the slices are linked along the dependencies (and
// from the tasks of a subproject to the task that stands for it), and put into one solve order
// in which every slice comes after all of its predecessors. Slices that become ready together (a
// wave) are ranked by their project's priority, then its name (both as text, greatest first),
// then by ascending task ID; since resources are shared, that order is the booking priority.
//
// ComputeOrder rebuilds the graph from nothing in every solve and polls before each task of its
// walks and after each wave of the ordering; when the poll says stop it returns at once and the
// next solve starts over.
namespace Solve {

// Builds, links and orders the slices of all included tasks: fills AllSlices and SliceList.
// The slices of the previous ordering go back to the pool first.
void ComputeOrder();

// Cuts the task's slices at the percentages that its included dependencies name.
void SearchForSplits(Ytask& task);
// Cuts a slice in two at the percentage; the new later piece follows it in its task's chain.
void SplitSlice(Yslice& slice, int percent);
// The task's slice that starts at the percentage, else the first that ends beyond it, else the
// task's last slice; none for a task that has no slices in this solve.
Yslice* FindFromSlice(const Ytask* task, int percent);
// The task's last slice that ends at the percentage, else the first that ends beyond it; none for
// a task that has no slices in this solve.
Yslice* FindToSlice(const Ytask* task, int percent);
// Links the slices along the included task dependencies of a task that stands for no subproject.
// A dependency on a task that has no slices is skipped (the run's checks report it).
void HookUpDependencies(Ytask& task);
// Links the last slice of every included task of the subproject to the first slice of the task
// that stands for it.
void HookUpSubproject(Ytask& task);
// Adds a slice whose predecessors are all ordered to the next wave, which is ranked when it is
// taken up (the ranking is a strict order, so that gives the order of inserting each slice at its
// ranked place).
void AddReadyList(Yslice& slice);
// Appends a slice to SliceList and releases its successors.
void AddOrderList(Yslice& slice);

// Whether slice `s` ranks before slice `r` in a wave.
bool RanksBefore(const Yslice& s, const Yslice& r);

// Every slice of the current ordering: each included task's first slice, then the slices made by
// cutting, in the order they were made.
const QList<Yslice*>& AllSlices();
// The slices in solve order: those the ordering reached.
const QList<Yslice*>& SliceList();
// Counts the times the slices went back to the pool (each new ordering, and the clear-all): a
// view that keeps slices between events knows by it whether they are still the ones it took.
int SliceGeneration();
// The task's first slice in the current ordering, or none.
Yslice* FirstSlice(const Ytask* task);
// A slice that the ordering could not reach because it lies on a dependency cycle; none when
// every slice was ordered.
Yslice* SliceOnCycle();

// The dangling slices found by the last solve, in solve order (filled by BuildDanglingList).
QList<Yslice*>& DanglingList();

// Drops the slice collections (the program-wide clear-all; the pool keeps the slices).
void ClearSliceList();

}  // namespace Solve
