#pragma once

#include "EntryForm.h"
#include "Currency.h"
#include "TaskEstimates.h"

#include <array>
#include <optional>

class MoneyText;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class Ytask;
class Yproject;

// "Task Data Entry": adds a task to the active project, or modifies the task of the selected
// tree node: its ID, description, material cost, efficiency, what controls its duration
// (effort-driven, calendar time, specific dates or to-finish dependencies), the unit its effort is
// shown in, one or three effort estimates, and a specific start and finish date, which it keeps
// as date dependencies of the task.
//
// Effort is entered in a grid split at the current journal's date: the effort the last solve
// booked before that date, the effort from that date on, and the total, for the optimistic, most
// likely and pessimistic estimates (TaskEstimates). The task keeps only the totals, in whole
// minutes: a unit chosen only to look at them never changes them.
//
// Ok on a new task files it in the project whole or not at all, marks the project changed, and
// selects its node in the project tree (started again when the user had closed it), which closes
// the dialog; Ok on a task renames its node and rebuilds its children.
// A new selected node, a new journal or a new active project closes the dialog unsaved.
class TaskEntryForm final : public EntryForm {
  Q_OBJECT

 public:
  explicit TaskEntryForm(QWidget* parent = nullptr);

  // Opens the dialog on a new task of the active project (none: the user is told so).
  Q_INVOKABLE void StartAdd();
  // Opens the dialog on the task of the selected tree node.
  Q_INVOKABLE void StartModify();

  Q_INVOKABLE void NewDragNode() { CloseOnNotification("NewDragNode"); }
  Q_INVOKABLE void NewJournal() { CloseOnNotification("NewJournal"); }
  Q_INVOKABLE void NewThisProject() { CloseOnNotification("NewThisProject"); }

  // The task being edited; a new one stays out of its project until Ok.
  Ytask* Task() const { return task_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What Ok stores, read and checked in full before anything is.
  // What Ok does to the task's date dependency at one point (its start or finish).
  struct SpecificDate {
    // The dependency stays as it is: its box, not in use, holds a text that is no date.
    bool keep = false;
    // Otherwise its date; none when the box is blank, and the dependency goes.
    std::optional<double> date;
  };
  struct TaskEntry {
    int taskId = 0;
    QString description;
    int effortUnits = 0;
    TaskEstimates::Estimates estimates{};
    praxel::Currency materialCost;
    double efficiency = 0.0;
    SpecificDate start;
    SpecificDate finish;
  };

  // The minutes of the selected display unit in the selected kind of time.
  int GetUnits() const;
  // The grid is in use: neither specific dates nor to-finish dependencies fix the task.
  bool EstimatesUsed() const;
  // The current journal is not the plan journal (never while adding).
  bool OtherJournal() const;

  void LoadData();
  void LoadDates();
  // Draws every cell but SkipIndex again from the working values; -1 draws all nine.
  void UpdateEstimates(int SkipIndex);
  void UpdateEnabled();

  bool GatherData() override;
  // The specific dates, when they fix the task: both must be dates.
  bool VerifyData();
  // The effort unit and the estimates to store; False when the grid is refused (the user has
  // been told why).
  bool GatherEstimates(TaskEntry& entry);
  // Stores the entry in the task and its date dependencies, and marks the project changed.
  void SaveData(const TaskEntry& entry);
  void SaveDates(const TaskEntry& entry);
  void FinishAdd() override;
  // Puts the new task into the active project with every field of the entry; when that fails it
  // takes the task out again before the failure goes on, so the project is as it was.
  void FileNewTask();
  void FinishModify() override;

  void DurationOption_Click(bool redraw);
  void UnitsOption_Click();
  void Enable3EstimatesCheck_Click();
  void EstimateText_Change(int Index);
  void StartDateText_DblClick();

  QLineEdit* taskIdText_;
  QLineEdit* descriptionText_;
  QLabel* specificStartLabel_;
  QLabel* specificFinishLabel_;
  DateBox* startDateText_;
  DateBox* finishDateText_;
  MoneyText* materialCostText_;
  QLineEdit* efficiencyText_;
  QRadioButton* effortDrivenOption_;
  QRadioButton* calendarTimeOption_;
  QRadioButton* specificDatesOption_;
  QRadioButton* toFinishOption_;
  QGroupBox* estimatesFrame_;
  std::array<QRadioButton*, TaskEstimates::kUnitCount> unitsOption_{};
  std::array<QLineEdit*, TaskEstimates::kCells> estimateText_{};
  std::array<QLabel*, 6> estimateLabel_{};
  QCheckBox* enable3EstimatesCheck_;

  Ytask* task_ = nullptr;
  TaskEstimates estimates_;
  TaskEntry entry_;
};
