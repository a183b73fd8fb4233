#pragma once

#include "EntryForm.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class Yassignment;
class Yresource;
class Ytask;

// "Assignment Data Entry": assigns a resource to the task of the selected tree node, or modifies
// the assignment of the selected node: the resource (TemplateCombo, ResourceIdCombo), the hours a
// day it works on the task (HoursText) and the kinds of day it works (WorkDayCheck, indexed by
// the day-kind code: 0 holiday, 1 Sunday to 7 Saturday, 8 shutdown). Choosing a resource proposes
// its normal hours and work days; the dialog then shows and stores what the user leaves there.
//
// Choosing a template in the dialog, or opening an assignment whose resource belongs to another
// template, makes that template the active one for the whole program (every window is told), and
// Cancel does not undo it. The dialog answers no notification, so it stays open through that.
//
// Ok reads and checks the resource and the hours first; only then is a new assignment attached
// to its task, its values stored and its project marked changed, and the tree shows it.
class AssignmentEntryForm final : public EntryForm {
  Q_OBJECT

 public:
  explicit AssignmentEntryForm(QWidget* parent = nullptr);

  // Opens the dialog on a new assignment of the selected task.
  Q_INVOKABLE void StartAdd();
  // Opens the dialog on the assignment of the selected node.
  Q_INVOKABLE void StartModify();

  static constexpr int kDayKinds = 9;

 private:
  // What Ok stores, read and checked in full before anything is.
  struct AssignmentEntry {
    Yresource* resource = nullptr;
    double hours = 0.0;
    std::array<bool, kDayKinds> workDay{};
  };

  // The active template's resource of the chosen item; none when no item is chosen.
  Yresource* ChosenResource() const;
  // Makes the chosen template the active one, telling every window, and offers its resources.
  void UseChosenTemplate();
  // Offers the active template's resources that are in its current journal, and `kept` (the
  // edited assignment's own resource) even when it is not; none is chosen.
  void FillResourceList(const Yresource* kept);
  void ShowWorkDays(const Yresource* resource);

  void LoadData();
  bool GatherData() override;
  void SaveData(const AssignmentEntry& entry);
  void FinishAdd() override;
  void FinishModify() override;

  // Event handlers.
  void TemplateCombo_Click();
  void ResourceIdCombo_Click();

  QComboBox* templateCombo_;
  QComboBox* resourceIdCombo_;
  QLineEdit* hoursText_;
  std::array<QCheckBox*, kDayKinds> workDayCheck_{};

  Yassignment* assignment_ = nullptr;
  Ytask* task_ = nullptr;  // the selected task when adding
  AssignmentEntry entry_;
};
