#include "FakeForms.h"

#include "MainForm.h"

#include <QCloseEvent>

const Ymodel* FakeTree::selected = nullptr;

QStringList& FormCalls() {
  static QStringList calls;
  return calls;
}

FakeForm::FakeForm(int borderStyle, QSize size) : borderStyle_(borderStyle) { resize(size); }

void FakeForm::Record(const char* member) { FormCalls().append(objectName() + QLatin1Char('.') + QLatin1String(member)); }

void FakeForm::ShowThroughMainWindow() { TheMainForm()->ShowForm(this); }

void FakeForm::closeEvent(QCloseEvent* event) {
  if (borderStyle_ == Forms::BorderHelp) {
    // The help window keeps its place and history: it only hides.
    hide();
    event->ignore();
    return;
  }
  Record("Unload");
  if (borderStyle_ == Forms::BorderDialog) TheMainForm()->UnlockEntryForm(this);
  QWidget::closeEvent(event);
}

void FakeChart::Start() {
  Record("Start");
  ShowThroughMainWindow();
}

void FakeChart::NewThisProject() {
  Record("NewThisProject");
  Forms::Unload(this);
}

void FakeDialog::StartAdd() {
  Record("StartAdd");
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
