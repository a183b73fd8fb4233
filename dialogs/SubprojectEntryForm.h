#pragma once

#include "EntryForm.h"

class QComboBox;
class QLineEdit;
class Yproject;
class Ytask;

// "Subproject Entry (link to project)": adds a task of the active project that stands for
// another loaded project, which thereby becomes its subproject, or changes the ID of such a task
// (its link is shown but stays as it is).
//
// The projects offered are the top-level projects that can be linked without closing the chain
// of parents into a loop: never the active project, nor the project it descends from, nor one
// that another task links already.
class SubprojectEntryForm final : public EntryForm {
  Q_OBJECT

 public:
  explicit SubprojectEntryForm(QWidget* parent = nullptr);

  // Opens the dialog on a new subproject task of the active project.
  Q_INVOKABLE void StartAdd();
  // Opens the dialog on the subproject task of the selected tree node.
  Q_INVOKABLE void StartModify();

  Q_INVOKABLE void NewDragNode() { CloseOnNotification("NewDragNode"); }
  Q_INVOKABLE void NewJournal() { CloseOnNotification("NewJournal"); }
  Q_INVOKABLE void NewThisProject() { CloseOnNotification("NewThisProject"); }

  // The first entry of the project list when adding; it is no project.
  static QString Prompt();

 private:
  // What Ok stores, read and checked in full before anything is.
  struct SubprojectEntry {
    int taskId = 0;
    Yproject* subproject = nullptr;
  };

  void LoadData();
  bool GatherData() override;
  // Stores the ID and the link, and marks the task's project changed.
  void SaveData(const SubprojectEntry& entry);
  void FinishAdd() override;
  void FinishModify() override;
  // The project the task belongs to, or will belong to once added.
  Yproject* OwnerProject() const;

  QLineEdit* taskIdText_;
  QComboBox* projectCombo_;

  Ytask* task_ = nullptr;
  SubprojectEntry entry_;
};
