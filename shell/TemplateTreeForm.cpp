#include "TemplateTreeForm.h"

#include "Common.h"
#include "CommonDialogService.h"
#include "FormHelpers.h"
#include "Guard.h"
#include "MainForm.h"
#include "RuntimeError.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"
#include "TreeView.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytemplate.h"

#include <QHash>
#include <QMetaObject>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

TemplateTreeForm::TemplateTreeForm(QWidget* parent)
    : QWidget(parent), tree_(new TreeView(QStringLiteral("TemplateTree"), this)) {
  setWindowTitle(QStringLiteral("Template tree"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tree_);
  connect(tree_, &TreeView::HelpRequested, this, &TemplateTreeForm::Tree_KeyDown);
}

void TemplateTreeForm::ChangeFont() {
  ErrTrap::Guarded(QStringLiteral("TemplateTree:ChangeFont"), [&] {
    if (!Common::ThisTemplateSet()) return;
    if (Help::ShowFont(this)) Start();
  });
}

void TemplateTreeForm::NewDragNode() {
  ErrTrap::Guarded(QStringLiteral("TemplateTree:NewDragNode"), [&] { Common::ShowSelection(tree_); });
}

void TemplateTreeForm::NewJournal() {
  ErrTrap::Guarded(QStringLiteral("TemplateTree:NewJournal"), [&] { Start(); });
}

void TemplateTreeForm::NewThisTemplate() {
  ErrTrap::Guarded(QStringLiteral("TemplateTree:NewThisTemplate"), [&] { Start(); });
}

void TemplateTreeForm::RebuildTree() {
  ErrTrap::Guard guard(QStringLiteral("TemplateTree:RebuildTree"));
  guard([&] { tree_->clear(); });
  const Ytemplate* templ = Common::ThisTemplate();
  if (templ == nullptr) return;
  guard([&] { tree_->ApplyDisplaySettings(); });
  QTreeWidgetItem* templateNode = nullptr;
  guard([&] { templateNode = Common::AddNode(tree_, nullptr, templ); });
  if (templateNode == nullptr) return;
  guard([&] {
    for (const Yshift* shift : templ->ShiftList) Common::AddNode(tree_, templateNode, shift);
  });
  guard([&] {
    for (const Yresource* resource : templ->ResourceList) {
      if (!resource->Include()) continue;
      const QString department = resource->Department();
      QTreeWidgetItem* departmentNode = Common::FindNodeFromKey(tree_, Common::MakeKey(department));
      if (departmentNode == nullptr) departmentNode = Common::AddNode(tree_, templateNode, department);
      Common::AddNode(tree_, departmentNode, resource);
    }
  });
  // The template and every department are open.
  guard([&] {
    templateNode->setExpanded(true);
    for (int index = 0; index < templateNode->childCount(); ++index) {
      QTreeWidgetItem* child = templateNode->child(index);
      if (Common::NodeKind(child) == QLatin1String("g")) child->setExpanded(true);
    }
  });
}

void TemplateTreeForm::Start() {
  ErrTrap::Guard guard(QStringLiteral("TemplateTree:Start"));
  guard([] { Common::SetDragNode(nullptr); });
  guard([&] { Common::SetFormFont(this); });
  guard([&] { RebuildTree(); });
  guard([&] {
    QWidget* frame = Forms::FrameOf(this);
    MainForm* main = TheMainForm();
    if (!frame->isVisible() && main != nullptr) {
      main->ShowForm(this);
    } else {
      frame->show();
    }
  });
}

void TemplateTreeForm::Tree_KeyDown() {
  ErrTrap::Guarded(QStringLiteral("TemplateTree:Tree_KeyDown"), [&] {
    static const QHash<QString, QString> pages = {{QStringLiteral("l"), QStringLiteral("Template")},
                                                  {QStringLiteral("h"), QStringLiteral("Shift")},
                                                  {QStringLiteral("g"), QStringLiteral("Department")},
                                                  {QStringLiteral("r"), QStringLiteral("Resource")}};
    const QTreeWidgetItem* selected = tree_->currentItem();
    if (selected == nullptr) praxel::RaiseProgramError(QStringLiteral("Tree.SelectedItem Is Nothing"));
    const QString image = Common::NodeImage(selected);
    if (!pages.contains(image)) {
      praxel::RaiseProgramError(QStringLiteral("Tree.SelectedItem.Image = \"") + image + QLatin1Char('"'));
    }
    if (!Forms::IsRegistered(QStringLiteral("HelpForm"))) {
      Common::NotReadyYet();
      return;
    }
    QMetaObject::invokeMethod(Forms::Load(QStringLiteral("HelpForm")), "DisplayHelpPage", Qt::DirectConnection,
                              Q_ARG(QString, pages.value(image)));
  });
}
