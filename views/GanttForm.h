#pragma once

#include "ChartView.h"

#include <QHash>
#include <QList>
#include <QString>

class Ydependency;
class Yproject;
class Ytask;

// The Gantt chart ("Dudivizivo Voruv") of the active project: one row per shown task of the
// project and its subprojects, with its caption (and leader), its dependencies, its slack and its
// time left; over the date columns the plan bar of each task, its current bar split at the journal
// date into actual (black) and projected (green) parts, the latest-time markers, the dependency
// arrows, the today line and the key. It draws again after every solve and closes when another
// project becomes active. The layout pass is in GanttLayout.cpp, the graphics in GanttGraphics.cpp.
class GanttForm final : public ChartView {
  Q_OBJECT

 public:
  explicit GanttForm(QWidget* parent = nullptr);

  // The tasks charted, in display order, and the grid row of each shown task.
  const QList<Ytask*>& ChartTasks() const { return chartTasks_; }
  // The row that stands for the task: its own, or the row of the nearest task above it that
  // stands for its subproject; 0 when none does.
  int FindRow(const Ytask* task) const;
  // Whether the task gets a row under the subproject display setting.
  static bool IncludeTask(const Ytask* task);

 protected:
  bool StartAllowed() override;
  QString Caption() const override;
  void RequestLayout() override;
  void RedoLayout() override;
  void RedoGraphics() override;

 private:
  // The layout pass.
  void BuildTaskList(Yproject* project, int position, QList<const Yproject*>& chain);
  void SortTaskList(int first, int last);
  static bool CheckOrder(const Ytask* a, const Ytask* b);
  void BuildTaskRow(Ytask* task);

  // The graphics pass.
  void BuildKey();
  void DrawTaskBar(Ytask* task, bool milestone);
  void DrawMarker(const Ytask* task);
  void DrawDependency(const Ydependency* dependency);
  void DrawArrowBetweenRows(int fromRow, double fromDate, int toRow, double toDate);
  void DrawDateDependency(int fromRow, double fromDate, int toRow, double toDate);
  // The y of a point of a row, measured in ninths of the bar band around the row's centre.
  int GetY(int row, double offset) const;
  // Critical: the task's float equals the project's smallest float, counted in whole minutes.
  bool IsCritical(const Ytask* task) const;

  double rangeStart_ = 0;
  double rangeFinish_ = 0;
  QList<Ytask*> chartTasks_;
  QHash<const Ytask*, int> taskRows_;
  double projectSlack_ = 0;
  // Which rows hold a critical task, while the critical path is shown in red; empty otherwise.
  QList<bool> criticalRows_;
  double textHeight_ = 0;  // TextHeight("X") for the pass
};
