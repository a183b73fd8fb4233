#include "FakeForms.h"

#include "OpenViews.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"

#include <QCloseEvent>

const Ymodel* FakeTree::selected = nullptr;
const Yproject* FakeDialog::modified = nullptr;

QStringList& FormCalls() {
  static QStringList calls;
  return calls;
}

FakeForm::FakeForm(FormHost& host, int borderStyle, QSize size) : host_(host), borderStyle_(borderStyle) {
  resize(size);
}

void FakeForm::Record(const char* member) { FormCalls().append(objectName() + QLatin1Char('.') + QLatin1String(member)); }

void FakeForm::ShowThroughMainWindow() { host_.ShowForm(this); }

void FakeForm::closeEvent(QCloseEvent* event) {
  if (borderStyle_ == Forms::BorderHelp) {
    // The help window keeps its place and history: it only hides.
    hide();
    event->ignore();
    return;
  }
  Record("Unload");
  if (borderStyle_ == Forms::BorderDialog) host_.UnlockEntryForm(this);
  QWidget::closeEvent(event);
}

void FakeChart::Start() {
  Record("Start");
  if (!menuEntry_.isEmpty()) Common::CheckMenuEntry(menuEntry_, true);
  ShowThroughMainWindow();
}

void FakeChart::closeEvent(QCloseEvent* event) {
  if (!menuEntry_.isEmpty()) Common::CheckMenuEntry(menuEntry_, false);
  if (onUnload) onUnload();
  FakeForm::closeEvent(event);
}

void FakeChart::NewThisProject() {
  Record("NewThisProject");
  Forms::Unload(this);
}

void FakeDialog::StartAdd() {
  Record("StartAdd");
  ShowThroughMainWindow();
}

void FakeDialog::StartModify(Yproject* project) {
  Record("StartModify");
  modified = project;
  ShowThroughMainWindow();
}

void FakeDialog::NewThisProject() {
  Record("NewThisProject");
  Forms::Unload(this);
}

void FakeTree::Start() {
  Record("Start");
  ShowThroughMainWindow();
}

void FakeTree::SelectNodeOf(Ymodel* Object) {
  Record("SelectNodeOf");
  selected = Object;
}

void FakeTreeHost::ShowForm(QWidget* frm) {
  calls.append(QStringLiteral("ShowForm ") + frm->objectName());
  frm->show();
}

void FakeTreeHost::UnlockEntryForm(QWidget* frm) { calls.append(QStringLiteral("UnlockEntryForm ") + frm->objectName()); }

void FakeTreeHost::ShowPopupMenu(const QString& NodeTag, const Ymodel* NodeObject, const QPoint& At) {
  calls.append(QStringLiteral("ShowPopupMenu ") + NodeTag);
  popupObject = NodeObject;
  popupAt = At;
}

void FakeTreeHost::PopupModify() { calls.append(QStringLiteral("PopupModify ") + Common::NodeTag(Common::DragNode())); }

void FakeTreeHost::StartTreeScroll(const QString& Tag) { calls.append(QStringLiteral("StartTreeScroll ") + Tag); }
