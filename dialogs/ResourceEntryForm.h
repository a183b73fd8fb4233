#pragma once

#include "EntryForm.h"
#include "Currency.h"
#include "WorkdaysFrame.h"

#include <array>

class MoneyText;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class Yresource;
class Yshift;
class Ytemplate;

// "Resource Data Entry": adds a resource to the active template, or modifies the resource of the
// selected tree node: its ID, description, department (one the template's resources use, or a new
// one), job title, four hourly rates, shift and the kinds of day it works. The rates can be worked
// out by the burdened rate calculator, which writes its results into the four rate boxes.
//
// A new resource is offered the ID above every resource the template holds (those left out of the
// current journal keep theirs). Ok reads and checks every field, including an ID another resource
// holds, before it stores anything; a change of department moves the resource in the template
// tree, which is rebuilt, while any other change only renews the resource's node.
class ResourceEntryForm final : public EntryForm {
  Q_OBJECT

 public:
  explicit ResourceEntryForm(QWidget* parent = nullptr);

  // Opens the dialog on a new resource of the active template.
  Q_INVOKABLE void StartAdd();
  // Opens the dialog on the resource of the selected node.
  Q_INVOKABLE void StartModify();

  Q_INVOKABLE void NewDragNode() { CloseOnNotification("NewDragNode"); }
  Q_INVOKABLE void NewJournal() { CloseOnNotification("NewJournal"); }
  Q_INVOKABLE void NewThisTemplate() { CloseOnNotification("NewThisTemplate"); }

 private:
  // What Ok stores, read and checked in full before anything is.
  struct ResourceEntry {
    int id = 0;
    QString description;
    QString department;
    QString title;
    praxel::Currency burdenedRate;
    praxel::Currency overtimeRate;
    praxel::Currency offDayRate;
    praxel::Currency holidayRate;
    Yshift* shift = nullptr;
    std::array<bool, WorkdaysFrame::kDayKinds> workDay{};
  };

  // The template's shifts, in the order they were made.
  void BuildShiftList();
  // The departments of the template's resources in its current journal, by ascending ID, each
  // once: the first form met of names that differ only in letter case.
  void BuildDepartmentList();
  void LoadData();
  bool GatherData() override;
  void SaveData(const ResourceEntry& entry);
  void FinishAdd() override;
  void FinishModify() override;

  // Event handler: opens the rate calculator on the four rate boxes.
  void RateCalculatorCommand_Click();

  QLineEdit* templateText_;
  QLineEdit* resourceIdText_;
  QLineEdit* descriptionText_;
  QComboBox* departmentCombo_;
  QLineEdit* titleText_;
  MoneyText* burdenedRateText_;
  MoneyText* overtimeRateText_;
  MoneyText* offDayRateText_;
  MoneyText* holidayRateText_;
  QPushButton* rateCalculatorCommand_;
  WorkdaysFrame* workdays_;
  QComboBox* shiftCombo_;

  Ytemplate* template_ = nullptr;  // the template the resource belongs, or is to belong, to
  Yresource* resource_ = nullptr;
  ResourceEntry entry_;
};
