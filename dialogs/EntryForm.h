#pragma once

#include "Forms.h"

#include <QSet>
#include <QString>
#include <QWidget>

#include <optional>

class FormHost;
class DateBox;
class MoneyText;
class QBoxLayout;
class QLayout;
class QLineEdit;
class QPushButton;

// The frame every entry dialog shares: a fixed-size dialog that adds one model object (adding)
// or modifies one (not adding), with "Ok" (the default button: Enter) and "Cancel" (Esc).
//
// A dialog is registered with Forms under its class name and lives from its start to its close:
// Forms loads it when a command first calls its StartAdd or StartModify, and closing it unloads
// it, so every use begins from the controls' design values. Its start shows it through the main
// window, which places it and locks everything else until it closes (ShowEntryForm); its close,
// from Ok, Cancel, a notification or the main window, unlocks the main window again.
//
// Ok gathers before it stores: GatherData reads, converts and checks every field into a plain
// entry of the dialog's own, including whatever the model would refuse, and shows the message of
// the first refusal (Refuse). Only when all of it is accepted does FinishAdd or FinishModify
// store the entry in one go (SaveData), mark the owner dirty (which re-solves), bring the trees
// up to date and close. So a refused Ok leaves the model and the dirty flags as they were.
//
// F1 anywhere in the dialog asks for context help before any control sees the key. Text boxes
// chosen by the dialog select their whole text when they take the focus, and money boxes show
// a typed number in the money format when they lose it.
//
// The frame's own procedures trap their failures under "EntryForm:<procedure>"; a dialog's under
// "<module>:<procedure>" (Location), the module being its source file name
// ("ProjectEntryForm:SaveData").
class EntryForm : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int BorderStyle READ BorderStyle CONSTANT)

 public:
  ~EntryForm() override;

  int BorderStyle() const { return Forms::BorderDialog; }
  QPushButton* OkCommand() const { return okCommand_; }
  QPushButton* CancelCommand() const { return cancelCommand_; }
  // True when opened by StartAdd, False when opened by StartModify.
  bool Adding() const { return adding_; }

  // The tool tip of the boxes that have a help page.
  static QString HelpTip();

 protected:
  // Caption: the window title ("Project Data Entry"). Module: the dialog's source file name.
  EntryForm(const QString& Caption, const QString& Module, QWidget* parent = nullptr);

  // Building the window (in the dialog's constructor).
  // A text box named `name`, carrying the help tool tip when helpTip.
  QLineEdit* NewTextBox(const QString& name, bool helpTip = true);
  // A date box (DateBox.h) named `name`, the same way, wide enough to show the widest date with
  // a time of day in the user's formats whole.
  DateBox* NewDateBox(const QString& name, bool helpTip = true);
  // The widest date with a time of day in the user's formats (praxel::DateTimeText), in the
  // widget's font: what a caption or box that shows a date makes room for.
  static QString WidestDateText(const QWidget* widget);
  // The box selects its whole text whenever it takes the focus ("<name>_GotFocus").
  void SelectAllOnFocus(QLineEdit* box);
  // A number left in the money box is rewritten in the money format, and that text is its amount
  // ("<name>_LostFocus").
  void ReformatMoneyOnLeave(MoneyText* box);
  // Last in the constructor: puts the fields above the Ok and Cancel buttons (which come last in
  // the tab order) and fixes the window's size.
  void SetFields(QLayout* fields);
  // The same for a dialog whose design puts Ok and Cancel among its fields: they go, in that
  // order, at the end of `buttons`, a layout within `fields`.
  void SetFields(QLayout* fields, QBoxLayout* buttons);

  // Starting.
  // The start's precondition (Common::ThisTemplateSet, ...), which tells the user why not when it
  // fails; the dialog, never shown, then goes again. Answers whether the start goes on.
  bool StartsWhen(bool (*precondition)());
  void SetAdding(bool adding) { adding_ = adding; }
  // Shows the dialog through the main window (placed, the rest locked), then gives the focus to
  // `focus`, or leaves it where showing put it.
  void ShowEntryForm(QWidget* focus = nullptr);

  // What each dialog brings.
  // Reads, converts and checks every field into the dialog's own entry; nothing is stored. On
  // the first refusal it shows the message (Refuse) and answers False: the dialog stays open.
  virtual bool GatherData() = 0;
  // Store the gathered entry, bring the trees up to date and Close.
  virtual void FinishAdd() = 0;
  virtual void FinishModify() = 0;

  // A refusal of a typed value: a message box with the exclamation icon and Ok, then the focus
  // goes to the field. Answers False, for `return Refuse(...)` in GatherData.
  bool Refuse(const QString& text, const QString& title, QWidget* field);
  // The date in the box (DateBox::Date); when it is no date, refuses it naming the field and
  // showing today in the user's format ("The Initial journal must be a date, such as
  // 11 Dec 2026." under "Invalid Date") and answers nothing.
  std::optional<double> ReadDate(DateBox* box, const QString& field);

  // Closes the dialog without saving anything else; also the end of a start whose precondition
  // failed (a dialog never shown leaves the main window's lock alone). A dialog already closed (by
  // a notification that its own Finish broadcast) is not closed again.
  void Close();
  // The body of a notification receiver: closes the dialog. A dialog declares the receivers it
  // answers (Q_INVOKABLE NewDragNode, NewJournal, NewThisProject, NewThisTemplate), each calling
  // this with its own name, under which it traps ("EntryForm:NewDragNode"); a notification the
  // dialog does not declare passes it by.
  void CloseOnNotification(const char* receiver);

  // "<module>:<procedure>".
  QString Location(const QString& procedure) const;
  // The main window, which places the dialog and locks itself while the dialog is open.
  static FormHost* Host();

  // Cancel (and Esc): closes the dialog. A dialog with a step to undo first replaces it.
  virtual void CancelCommand_Click();

  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OkCommand_Click();
  void MakeOkAndCancel();
  // True when the key was F1 and has been answered.
  bool Form_KeyDown(int KeyCode);
  void Form_Unload();

  QString module_;
  QPushButton* okCommand_ = nullptr;
  QPushButton* cancelCommand_ = nullptr;
  QSet<QObject*> selectAllBoxes_;
  QSet<QObject*> moneyBoxes_;
  bool adding_ = false;
  bool shown_ = false;
};
