#pragma once

#include "MainForm.h"
#include "TreeFixture.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class EntryForm;
class QComboBox;

// The real main window with both trees over the small model of TreeTest (Plant active, with its
// subproject Fit-out; Staff active), the entry dialogs registered as the program registers them,
// the solver idle, nothing changed and no node selected.
//
// A dialog is opened the way the user opens it: a toolbar button by its key ("Project"), a menu
// entry by its control name ("ProjectModifyMenu"), or the trees' Modify (Press a node, then
// Modify() or DoubleClick(node)). Fill its boxes (Fill), then PressOk or PressCancel.
class DialogTest : public TreeTest {
 protected:
  void SetUp() override;

  // Runs a toolbar button (by its key) or a menu entry (by its control name).
  void Click(const QString& control);
  // The popup menu's Modify on the selected node, and a double click on a node.
  void Modify();
  static void DoubleClick(QTreeWidgetItem* node);

  // The open dialog of that class: loaded and shown; none otherwise.
  template <class Form>
  static Form* Open(const char* name) {
    return qobject_cast<Form*>(OpenDialog(QString::fromLatin1(name)));
  }
  static EntryForm* OpenDialog(const QString& name);
  // The dialog's control of that name.
  template <class Control>
  static Control* Field(QWidget* form, const char* name) {
    return form->findChild<Control*>(QString::fromLatin1(name));
  }
  // Types a text into the dialog's box of that name, replacing what it held.
  static void Fill(QWidget* form, const char* box, const QString& text);
  // Picks the entry of a list as the user does (its Click), and the entries a list offers.
  static void Choose(QComboBox* list, const QString& entry);
  static QStringList Entries(const QComboBox* list);
  static void PressOk(EntryForm* form);
  static void PressCancel(EntryForm* form);

  // Whether a solve was asked for since the test began (the solver is made idle by SetUp).
  static bool SolveRequested();
  // The messages shown so far, as "Title: text".
  QStringList Messages() const;

  // Every loaded template and project as a saved file holds them, line by line (the file is
  // written at `path`), and the lines of `after` that differ from those of `before`
  // ("before -> after"), to show what an Ok changed.
  static QStringList SavedLines(const QString& path);
  static QStringList ChangedLines(const QStringList& before, const QStringList& after);
};
