#include "TemplateTreeForm.h"

#include "Common.h"
#include "FormHelpers.h"
#include "FormHost.h"
#include "Forms.h"
#include "Guard.h"
#include "RuntimeError.h"
#include "TreeNodes.h"
#include "TreeView.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytemplate.h"

#include <QHash>
#include <QMetaObject>
#include <QTreeWidgetItem>

TemplateTreeForm::TemplateTreeForm(TreeHost& Host, QWidget* parent)
    : TreeForm(QStringLiteral("TemplateTree"), QStringLiteral("Template tree"), Host, parent) {}

bool TemplateTreeForm::SubjectSet() const { return Common::ThisTemplateSet(); }

void TemplateTreeForm::NewThisTemplate() {
  ErrTrap::Guarded(QStringLiteral("TemplateTree:NewThisTemplate"), [&] { Start(); });
}

void TemplateTreeForm::RebuildTree() {
  ErrTrap::Guard guard(QStringLiteral("TemplateTree:RebuildTree"));
  guard([&] { Tree()->clear(); });
  const Ytemplate* templ = Common::ThisTemplate();
  if (templ == nullptr) return;
  guard([&] { Tree()->ApplyDisplaySettings(); });
  QTreeWidgetItem* templateNode = nullptr;
  guard([&] { templateNode = Common::AddNode(Tree(), nullptr, templ); });
  if (templateNode == nullptr) return;
  guard([&] {
    for (const Yshift* shift : templ->ShiftList) Common::AddNode(Tree(), templateNode, shift);
  });
  guard([&] {
    for (const Yresource* resource : templ->ResourceList) {
      if (!resource->Include()) continue;
      const QString department = resource->Department();
      QTreeWidgetItem* departmentNode = Common::FindNodeFromKey(Tree(), Common::MakeKey(department));
      if (departmentNode == nullptr) departmentNode = Common::AddNode(Tree(), templateNode, department);
      Common::AddNode(Tree(), departmentNode, resource);
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

void TemplateTreeForm::ShowTree() {
  if (!Forms::FrameOf(this)->isVisible()) Host().ShowForm(this);
}

void TemplateTreeForm::Tree_KeyDown() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("TemplateTree:Tree_KeyDown")),
                   [] { Forms::StartForm(QStringLiteral("HelpForm"), "ContextHelp"); });
}
