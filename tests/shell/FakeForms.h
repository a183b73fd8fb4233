#pragma once

#include "Forms.h"
#include "Ypooled.h"

#include <QSize>
#include <QStringList>
#include <QWidget>

// Stand-ins for the windows that other parts of the program bring (views, dialogs, trees, help),
// registered by the tests under the real windows' names. Each records the members called on it
// as "Name.Member" in one shared log.
QStringList& FormCalls();

class FakeForm : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int BorderStyle READ BorderStyle CONSTANT)

 public:
  FakeForm(int borderStyle, QSize size);
  int BorderStyle() const { return borderStyle_; }

 protected:
  void Record(const char* member);
  // Shows itself through the main window, as every window's Start does.
  void ShowThroughMainWindow();
  void closeEvent(QCloseEvent* event) override;

 private:
  int borderStyle_;
};

// A chart window: starts itself again on a new solution, changes its font, closes itself when
// another project becomes active.
class FakeChart final : public FakeForm {
  Q_OBJECT

 public:
  explicit FakeChart(QSize size = QSize(300, 200)) : FakeForm(Forms::BorderChart, size) {}
  Q_INVOKABLE void Start();
  Q_INVOKABLE void NewSolution() { Record("NewSolution"); }
  Q_INVOKABLE void ChangeFont() { Record("ChangeFont"); }
  Q_INVOKABLE void NewThisProject();
};

// An entry dialog: no font of its own; closes itself when another project becomes active.
class FakeDialog final : public FakeForm {
  Q_OBJECT

 public:
  explicit FakeDialog(QSize size = QSize(240, 160)) : FakeForm(Forms::BorderDialog, size) {}
  Q_INVOKABLE void StartAdd();
  Q_INVOKABLE void NewThisProject();
};

// A tree window: answers the new-template notification and selects the node of an object.
class FakeTree final : public FakeForm {
  Q_OBJECT

 public:
  FakeTree() : FakeForm(Forms::BorderTree, QSize(200, 200)) {}
  Q_INVOKABLE void Start();
  Q_INVOKABLE void NewThisTemplate() { Record("NewThisTemplate"); }
  Q_INVOKABLE void SelectNodeOf(Ymodel* Object);

  static const Ymodel* selected;
};

// The help window: stands on its own, hides instead of closing.
class FakeHelp final : public FakeForm {
  Q_OBJECT

 public:
  FakeHelp() : FakeForm(Forms::BorderHelp, QSize(200, 300)) {}
  Q_INVOKABLE void SplitScreen() { Record("SplitScreen"); }
};

// A window with none of the notification members.
class FakePlain final : public FakeForm {
  Q_OBJECT

 public:
  FakePlain() : FakeForm(Forms::BorderTree, QSize(100, 100)) {}
};
