#pragma once

#include "Forms.h"

#include <QWidget>

class QLineEdit;
class QRadioButton;
class Yassignment;
class YwindowControl;

// What a solve stopped on overtime or an overload says, opened from the solver's panel: the
// template, resource, project, task, day and hours of the failure, the resource's booked slots of
// that day, and two ways on: modify the assignment, or change the project's solve rules. It locks
// the main window like an entry dialog; however it closes, the lock goes with it.
class OverageForm final : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int BorderStyle READ BorderStyle CONSTANT)

 public:
  explicit OverageForm(QWidget* parent = nullptr);

  int BorderStyle() const { return Forms::BorderDialog; }
  YwindowControl* Chart() const { return chart_; }

  Q_INVOKABLE void Start();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void OkCommand_Click();
  void CancelCommand_Click();
  void DoModify();
  void DoAuthorize();
  void Ywindow_RedoLayout();
  void Ywindow_RedoGraphics();
  // The resource's booked slots of the failure's day.
  void FillSlotList();
  static Yassignment* FailedAssignment();

  YwindowControl* chart_;
  QLineEdit* templateText_;
  QLineEdit* resourceText_;
  QLineEdit* projectText_;
  QLineEdit* taskText_;
  QLineEdit* beginningText_;
  QLineEdit* requestedHoursText_;
  QLineEdit* assignedHoursText_;
  QRadioButton* modifyAssignment_;
  QRadioButton* changeSolveRules_;
};
