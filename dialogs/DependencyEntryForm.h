#pragma once

#include "DependencyChoices.h"
#include "EntryForm.h"

#include <array>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class Ydependency;
class Ytask;

// "Dependency Entry": adds a dependency to the task of the selected tree node, or modifies the
// dependency of the selected node. The dialog reads as a sentence: the task cannot start, pass a
// share of its work, or finish (ToOption, ToScroll) until, with an optional offset before or after
// (OffsetOption, OffsetText), a prerequisite date (DateOption, DateText) or a point of a
// prerequisite task of any loaded project (TaskOption, ProjectRequiredCombo, TaskRequiredCombo,
// FromOption, FromScroll). Twelve quick options set the common kinds at once, and SentenceText
// reads the whole dependency in plain words.
//
// The two scroll bars, the date-or-task choice and the offset choice are what the dialog holds;
// UpdateScreen makes every other control agree with them after each change.
//
// Ok reads and checks every field first (a date, a loaded project and one of its tasks that does
// not wait for this task already, an offset), and only then attaches a new dependency to its task
// and stores its values, marks the project changed and shows the dependency in the tree. A new
// selected node, a new journal or a new active project closes the dialog unsaved.
class DependencyEntryForm final : public EntryForm {
  Q_OBJECT

 public:
  explicit DependencyEntryForm(QWidget* parent = nullptr);

  // Opens the dialog on a new date dependency of the selected task, on the journal date.
  Q_INVOKABLE void StartAdd();
  // Opens the dialog on the dependency of the selected node.
  Q_INVOKABLE void StartModify();

  Q_INVOKABLE void NewDragNode() { CloseOnNotification("NewDragNode"); }
  Q_INVOKABLE void NewJournal() { CloseOnNotification("NewJournal"); }
  Q_INVOKABLE void NewThisProject() { CloseOnNotification("NewThisProject"); }

 private:
  // What Ok stores, read and checked in full before anything is.
  struct DependencyEntry {
    Ytask* taskRequired = nullptr;  // none: a date dependency
    double depDate = 0.0;           // a date dependency's date
    int fromPercent = 100;
    int toPercent = 0;
    double offset = 0.0;  // days
  };

  // The task that waits: the selected task when adding, the dependency's own task otherwise.
  Ytask* DependentTask() const;
  bool DateChosen() const;
  DependencyChoices::OffsetChoice OffsetChosen() const;

  void LoadData();
  void UpdateScreen();
  void UpdateSentence();
  void FillTaskList();
  bool GatherData() override;
  // Reads the prerequisite task into the entry; False when it was refused.
  bool GatherTaskRequired(DependencyEntry& entry);
  void SaveData(const DependencyEntry& entry);
  void FinishAdd() override;
  void FinishModify() override;

  // Event handlers.
  void ToScroll_Change();
  void FromScroll_Change();
  void DateOption_Click();
  void TaskOption_Click();
  void TaskRequiredCombo_Click();
  void OffsetText_Change();
  void FromOption_Click(int index);
  void ToOption_Click(int index);
  void OffsetOption_Click(int index);
  void QuickOption_Click(int index);
  void ProjectRequiredCombo_Click();

  QLabel* sentenceText_;
  std::array<QRadioButton*, 3> toOption_{};
  QScrollBar* toScroll_;
  std::array<QRadioButton*, 3> offsetOption_{};
  QLineEdit* offsetText_;
  QRadioButton* dateOption_;
  DateBox* dateText_;
  QRadioButton* taskOption_;
  QComboBox* projectRequiredCombo_;
  QComboBox* taskRequiredCombo_;
  std::array<QRadioButton*, 3> fromOption_{};
  QScrollBar* fromScroll_;
  std::array<QRadioButton*, DependencyChoices::kQuickOptions.size()> quickOption_{};

  Ydependency* dependency_ = nullptr;
  Ytask* task_ = nullptr;  // the selected task when adding
  DependencyEntry entry_;
  bool busy_ = false;  // UpdateScreen is running
};
