#pragma once

#include "FormHost.h"
#include "Forms.h"
#include "Ypooled.h"

#include <QPoint>
#include <QSize>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <utility>

class Yproject;

// Stand-ins for the windows that other parts of the program bring (views, dialogs, trees, help),
// registered by the tests under the real windows' names and handed the main window as their host.
// Each records the members called on it as "Name.Member" in one shared log.
QStringList& FormCalls();

class FakeForm : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int BorderStyle READ BorderStyle CONSTANT)

 public:
  FakeForm(FormHost& host, int borderStyle, QSize size);
  int BorderStyle() const { return borderStyle_; }

 protected:
  void Record(const char* member);
  // Shows itself through the main window, as every window's Start does.
  void ShowThroughMainWindow();
  void closeEvent(QCloseEvent* event) override;

 private:
  FormHost& host_;
  int borderStyle_;
};

// A chart window: starts itself again on a new solution, changes its font, closes itself when
// another project becomes active.
// Given the control name of its menu entry, it checks the entry while it is loaded, as the views do.
class FakeChart final : public FakeForm {
  Q_OBJECT

 public:
  explicit FakeChart(FormHost& host, QSize size = QSize(300, 200), QString menuEntry = QString())
      : FakeForm(host, Forms::BorderChart, size), menuEntry_(std::move(menuEntry)) {}
  Q_INVOKABLE void Start();
  Q_INVOKABLE void NewSolution() { Record("NewSolution"); }
  Q_INVOKABLE void NewJournal() { Record("NewJournal"); }
  Q_INVOKABLE void ChangeFont() { Record("ChangeFont"); }
  Q_INVOKABLE void NewThisProject();

  // What the window's unload does besides clearing its entry's check mark.
  std::function<void()> onUnload;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QString menuEntry_;
};

// An entry dialog: no font of its own; closes itself when another project becomes active.
class FakeDialog final : public FakeForm {
  Q_OBJECT

 public:
  explicit FakeDialog(FormHost& host, QSize size = QSize(240, 160)) : FakeForm(host, Forms::BorderDialog, size) {}
  Q_INVOKABLE void StartAdd();
  Q_INVOKABLE void StartModify(Yproject* project = nullptr);
  Q_INVOKABLE void NewThisProject();

  static const Yproject* modified;
};

// A tree window: answers the new-template notification and selects the node of an object.
class FakeTree final : public FakeForm {
  Q_OBJECT

 public:
  explicit FakeTree(FormHost& host) : FakeForm(host, Forms::BorderTree, QSize(200, 200)) {}
  Q_INVOKABLE void Start();
  Q_INVOKABLE void NewThisTemplate() { Record("NewThisTemplate"); }
  Q_INVOKABLE void SelectNodeOf(Ymodel* Object);

  static const Ymodel* selected;
};

// The help window: stands on its own, hides instead of closing.
class FakeHelp final : public FakeForm {
  Q_OBJECT

 public:
  explicit FakeHelp(FormHost& host) : FakeForm(host, Forms::BorderHelp, QSize(200, 300)) {}
  Q_INVOKABLE void SplitScreen() { Record("SplitScreen"); }
  Q_INVOKABLE void DisplayHelpPage(const QString& Page) { FormCalls().append(objectName() + QStringLiteral(".DisplayHelpPage ") + Page); }
};

// A window with none of the notification members.
class FakePlain final : public FakeForm {
  Q_OBJECT

 public:
  explicit FakePlain(FormHost& host) : FakeForm(host, Forms::BorderTree, QSize(100, 100)) {}
};

// A host for the trees in place of the main window: records what it is asked ("ShowForm
// ProjectTreeForm", "PopupModify t10", "ShowPopupMenu r7", "StartTreeScroll ProjectTreeUp") and
// shows a window it is asked to show. It has no pictures.
class FakeTreeHost final : public TreeHost {
 public:
  void ShowForm(QWidget* frm) override;
  void UnlockEntryForm(QWidget* frm) override;
  QIcon TreeImage(const QString&) const override { return {}; }
  int TreeImageSize() const override { return 16; }
  void ShowPopupMenu(const QString& NodeTag, const Ymodel* NodeObject, const QPoint& At) override;
  void PopupModify() override;
  void StartTreeScroll(const QString& Tag) override;
  // Every mouse action stops the scroll: not worth a line in the record.
  void StopTreeScroll() override {}

  QStringList calls;
  // What the last popup was opened for, and where.
  const Ymodel* popupObject = nullptr;
  QPoint popupAt;
};
