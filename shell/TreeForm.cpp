#include "TreeForm.h"

#include "CommonDialogService.h"
#include "FormHelpers.h"
#include "FormHost.h"
#include "Guard.h"
#include "TreeDragDrop.h"
#include "TreeView.h"

#include <QVBoxLayout>

TreeForm::TreeForm(const QString& Module, const QString& Caption, TreeHost& Host, QWidget* parent)
    : QWidget(parent), tree_(new TreeView(Module, Host, this)) {
  setWindowTitle(Caption);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tree_);
  connect(tree_, &TreeView::HelpRequested, this, &TreeForm::Tree_KeyDown);
}

TreeHost& TreeForm::Host() const { return tree_->Host(); }

void TreeForm::ChangeFont() {
  ErrTrap::Guarded(QStringLiteral("TreeForm:ChangeFont"), [&] {
    if (!SubjectSet()) return;
    if (Help::ShowFont(this)) Start();
  });
}

void TreeForm::NewDragNode() {
  ErrTrap::Guarded(QStringLiteral("TreeForm:NewDragNode"), [&] { Common::ShowSelection(tree_); });
}

void TreeForm::NewJournal() {
  ErrTrap::Guarded(QStringLiteral("TreeForm:NewJournal"), [&] { Start(); });
}

void TreeForm::Start() {
  ErrTrap::Guard guard(QStringLiteral("TreeForm:Start"));
  guard([] { Common::SetDragNode(nullptr); });
  guard([&] { Common::SetFormFont(this); });
  guard([&] { RebuildTree(); });
  guard([&] { ShowTree(); });
}

void TreeForm::ShowTree() { Host().ShowForm(this); }
