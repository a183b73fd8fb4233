#pragma once

#include "EntryForm.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class Yproject;

// "Project Data Entry": adds a project, or modifies one, with its name, description, initial
// journal (adding only), and a section of priority, passwords and solve rule that can go to the
// edited project alone, to it and the projects below it, or to every project of its master.
// The project manager is shown only: a resource dropped on the project in the tree sets it.
//
// Every Ok that stores announces a new active project to every window, which closes the dialog
// and rebuilds the project tree.
class ProjectEntryForm final : public EntryForm {
  Q_OBJECT

 public:
  explicit ProjectEntryForm(QWidget* parent = nullptr);

  // Opens the dialog on a new project.
  Q_INVOKABLE void StartAdd();
  // Opens the dialog on the project; none means the active project.
  Q_INVOKABLE void StartModify(Yproject* project = nullptr);

  Q_INVOKABLE void NewDragNode() { CloseOnNotification("NewDragNode"); }
  Q_INVOKABLE void NewJournal() { CloseOnNotification("NewJournal"); }
  Q_INVOKABLE void NewThisProject() { CloseOnNotification("NewThisProject"); }

  // The solve rule entries, by SolveRules.
  static const QStringList& SolveRuleTexts();
  // The ApplyOption captions, by index.
  static const QStringList& ApplyOptionTexts();

 private:
  // Where the section's values go.
  enum ApplyScope : int { ThisProjectOnly = 0, IncludeSubprojects = 1, AllInMaster = 2 };

  // What Ok stores, read and checked in full before anything is.
  struct ProjectEntry {
    QString name;
    QString description;
    double initialJournal = 0.0;  // adding only
    QString priority;             // the whole number 0 to 255, as text
    QString viewPassword;
    QString modifyPassword;
    int solveRules = 0;
    int scope = AllInMaster;
  };

  void LoadData();
  bool GatherData() override;
  // Stores the entry: name and description in the edited project, the section in every project
  // of the chosen scope; each receiving project is marked changed.
  void SaveData(const ProjectEntry& entry);
  // Whether the section's values go to the project.
  bool Receives(const Yproject* project, int scope) const;
  void FinishAdd() override;
  void FinishModify() override;

  QLineEdit* projectNameText_;
  QLineEdit* descriptionText_;
  QLineEdit* viewPasswordText_;
  QLineEdit* modifyPasswordText_;
  DateBox* initialJournalText_;
  QLineEdit* priorityText_;
  QLineEdit* managerText_;
  QComboBox* solveRulesCombo_;
  QGroupBox* applyFrame_;
  QButtonGroup* applyOption_;

  Yproject* project_ = nullptr;
  ProjectEntry entry_;
};
