#include "TreeNodes.h"

#include "Check.h"
#include "Common.h"
#include "FormHost.h"
#include "Forms.h"
#include "Guard.h"
#include "RuntimeError.h"
#include "TreeView.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QTreeWidgetItem>
#include <QTreeWidgetItemIterator>

namespace Common {

namespace {

const QString kPlaceholderText = QStringLiteral("no dependencies/assignments");

TreeView* TreeOf(const QString& formName) {
  QWidget* form = Forms::Find(formName);
  return form != nullptr ? form->findChild<TreeView*>(QStringLiteral("Tree")) : nullptr;
}

// The number the text starts with: its leading digits, 0 when it starts with none.
double LeadingDigits(const QString& text) {
  double number = 0;
  for (const QChar c : text) {
    if (!c.isDigit()) break;
    number = number * 10 + c.digitValue();
  }
  return number;
}

// Whether a child comes after a new node of that kind and text; children that do not take part
// in the comparison (another kind where only one kind counts) never do.
bool ComesAfter(const QTreeWidgetItem* child, const QString& kind, const QString& text) {
  if (kind == QLatin1String("s") || kind == QLatin1String("t") || kind == QLatin1String("r")) {
    return LeadingDigits(child->text(0)) > LeadingDigits(text);
  }
  if (kind == QLatin1String("a")) {
    return NodeKind(child) == QLatin1String("a") && LeadingDigits(child->text(0)) > LeadingDigits(text);
  }
  if (kind == QLatin1String("g") && NodeKind(child) != QLatin1String("g")) return false;
  return child->text(0).toUpper() > text.toUpper();
}

QTreeWidgetItem* Insert(TreeView* tree, QTreeWidgetItem* parentNode, const QString& kind, const QString& key,
                        const QString& text, const QString& tag) {
  auto* node = new QTreeWidgetItem;
  node->setText(0, text);
  node->setData(0, TreeView::KeyRole, key);
  node->setData(0, TreeView::TagRole, tag);
  node->setData(0, TreeView::ImageRole, kind);
  node->setIcon(0, tree->Host().TreeImage(kind));
  if (parentNode == nullptr) {
    tree->addTopLevelItem(node);
    return node;
  }
  // Task and resource nodes share their parent with nodes of their own order only, and arrive
  // mostly in that order: a node that belongs after the last child is added at once rather than
  // compared with every child.
  const int count = parentNode->childCount();
  const bool numbered = kind == QLatin1String("s") || kind == QLatin1String("t") || kind == QLatin1String("r");
  int before = count;
  if (!numbered || (count > 0 && ComesAfter(parentNode->child(count - 1), kind, text))) {
    for (int index = 0; index < count; ++index) {
      if (ComesAfter(parentNode->child(index), kind, text)) {
        before = index;
        break;
      }
    }
  }
  parentNode->insertChild(before, node);
  return node;
}

template <class List>
auto FindByTag(const List& list, const QString& tag) -> decltype(list.First()) {
  for (auto* member : list) {
    if (member->Tag() == tag) return member;
  }
  return nullptr;
}

// A failed collection look-up, as a collection reports it.
[[noreturn]] void RaiseMissingMember() {
  throw praxel::RuntimeError(praxel::errInvalidCall, QStringLiteral("Invalid procedure call or argument"));
}

}  // namespace

QString NodeKey(const QTreeWidgetItem* node) {
  return node != nullptr ? node->data(0, TreeView::KeyRole).toString() : QString();
}

QString NodeTag(const QTreeWidgetItem* node) {
  return node != nullptr ? node->data(0, TreeView::TagRole).toString() : QString();
}

QString NodeImage(const QTreeWidgetItem* node) {
  return node != nullptr ? node->data(0, TreeView::ImageRole).toString() : QString();
}

QString NodeKind(const QTreeWidgetItem* node) { return NodeTag(node).left(1); }

TreeView* ProjectTree() { return TreeOf(QStringLiteral("ProjectTreeForm")); }

TreeView* TemplateTree() { return TreeOf(QStringLiteral("TemplateTreeForm")); }

QString MakeKey(const Ymodel* item) {
  return item != nullptr ? QStringLiteral("O") + QString::number(item->Identity()) : QString();
}

QString MakeKey(const QString& department) { return QStringLiteral("S") + department; }

QTreeWidgetItem* AddNode(TreeView* tree, QTreeWidgetItem* parentNode, const Ymodel* item) {
  QTreeWidgetItem* node = nullptr;
  ErrTrap::Guarded(QStringLiteral("Common:AddNode"), [&] {
    TRAP_ASSERT(tree != nullptr && item != nullptr, "an object's node is added to a tree");
    node = Insert(tree, parentNode, item->ImageType(), MakeKey(item), item->BuildNodeText(), item->Tag());
  });
  return node;
}

QTreeWidgetItem* AddNode(TreeView* tree, QTreeWidgetItem* parentNode, const QString& department) {
  QTreeWidgetItem* node = nullptr;
  ErrTrap::Guarded(QStringLiteral("Common:AddNode"), [&] {
    TRAP_ASSERT(tree != nullptr, "a department's node is added to a tree");
    const QString kind = QStringLiteral("g");
    node = Insert(tree, parentNode, kind, MakeKey(department), department, kind);
  });
  return node;
}

QTreeWidgetItem* AddPlaceholder(TreeView* tree, QTreeWidgetItem* parentNode) {
  QTreeWidgetItem* node = nullptr;
  ErrTrap::Guarded(QStringLiteral("Common:AddPlaceholder"), [&] {
    TRAP_ASSERT(tree != nullptr, "a placeholder is added to a tree");
    const QString kind = QStringLiteral("n");
    node = Insert(tree, parentNode, kind, QString(), kPlaceholderText, kind);
  });
  return node;
}

QTreeWidgetItem* FindNodeFromKey(TreeView* tree, const QString& key) {
  if (tree == nullptr || key.isEmpty()) return nullptr;
  for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
    if (NodeKey(*it) == key) return *it;
  }
  return nullptr;
}

QTreeWidgetItem* FindNodeFromObject(const Ymodel* object) {
  QTreeWidgetItem* found = nullptr;
  TreeView* tree = nullptr;
  ErrTrap::Guard guard(QStringLiteral("Common:FindNodeFromObject"));
  guard([&] {
    TRAP_ASSERT(object != nullptr, "a node is looked for by its object");
    const QString key = MakeKey(object);
    const QString kind = object->ImageType();
    if (kind == QLatin1String("p") || kind == QLatin1String("s") || kind == QLatin1String("t")) {
      tree = ProjectTree();
    } else if (kind == QLatin1String("d") || kind == QLatin1String("a")) {
      // The task's children are built when its node opens.
      const Ytask* task = kind == QLatin1String("d") ? static_cast<const Ydependency*>(object)->Task()
                                                     : static_cast<const Yassignment*>(object)->Task();
      if (QTreeWidgetItem* taskNode = FindNodeFromObject(task)) taskNode->setExpanded(true);
      tree = ProjectTree();
    } else if (kind == QLatin1String("l") || kind == QLatin1String("h") || kind == QLatin1String("g") ||
               kind == QLatin1String("r")) {
      tree = TemplateTree();
    } else {
      TRAP_ASSERT(false, "the trees show projects, tasks, dependencies, assignments, templates, shifts and resources");
    }
    TRAP_ASSERT(tree != nullptr, "the object's tree is open");
    for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
      const bool subprojectNode =
          kind == QLatin1String("s") && NodeImage(*it) == QLatin1String("s") && FindProjectFromNode(*it) == object;
      if (NodeKey(*it) == key || subprojectNode) {
        found = *it;
        return;
      }
    }
    TRAP_ASSERT(false, "an object of a tree has a node with its key");
  });
  if (found != nullptr || tree == nullptr) return found;
  // The user ignored the failure: once more by tag.
  guard([&] {
    const QString tag = object->Tag();
    const auto* subproject = dynamic_cast<const Yproject*>(object);
    for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
      const QString nodeTag = NodeTag(*it);
      const bool match = subproject != nullptr && tag.startsWith(QLatin1Char('s'))
                             ? nodeTag.startsWith(QLatin1Char('s')) && FindProjectFromNode(*it) == subproject
                             : nodeTag == tag;
      if (match) {
        found = *it;
        return;
      }
    }
    TRAP_ASSERT(false, "an object of a tree has a node with its tag");
  });
  return found;
}

Ymodel* FindObjectFromNode(const QTreeWidgetItem* node) {
  Ymodel* object = nullptr;
  ErrTrap::Guarded(QStringLiteral("Common:FindObjectFromNode"), [&] {
    TRAP_ASSERT(node != nullptr, "an object is looked for by its node");
    const QString tag = NodeTag(node);
    const QString kind = tag.left(1);
    const QString name = tag.mid(1);
    if (kind == QLatin1String("p")) {
      object = Projects().Find(name);
      if (object == nullptr) RaiseMissingMember();
    } else if (kind == QLatin1String("l")) {
      object = Templates().Find(name);
      if (object == nullptr) RaiseMissingMember();
    } else if (kind == QLatin1String("t") || kind == QLatin1String("s")) {
      TRAP_ASSERT(node->parent() != nullptr, "a task's node sits under its project's");
      const Yproject* project = FindProjectFromNode(node->parent());
      if (project != nullptr) object = FindByTag(project->TaskList, tag);
    } else if (kind == QLatin1String("h")) {
      const Ytemplate* templ = ThisTemplate();
      TRAP_ASSERT(templ != nullptr, "the shifts shown are the active template's");
      object = templ->ShiftList.Find(node->text(0));
      if (object == nullptr) RaiseMissingMember();
    } else if (kind == QLatin1String("r")) {
      // Resource node, department node, template node.
      const QTreeWidgetItem* templateNode = node->parent() != nullptr ? node->parent()->parent() : nullptr;
      TRAP_ASSERT(templateNode != nullptr, "a resource's node sits under its department's, under its template's");
      const Ytemplate* templ = Templates().Find(templateNode->text(0));
      if (templ == nullptr) RaiseMissingMember();
      object = FindByTag(templ->ResourceList, tag);
    } else if (kind == QLatin1String("d") || kind == QLatin1String("a")) {
      const auto* task =
          dynamic_cast<const Ytask*>(node->parent() != nullptr ? FindObjectFromNode(node->parent()) : nullptr);
      if (task != nullptr) {
        object = kind == QLatin1String("d") ? static_cast<Ymodel*>(FindByTag(task->DependencyList, tag))
                                            : static_cast<Ymodel*>(FindByTag(task->AssignmentList, tag));
      }
    } else {
      TRAP_ASSERT(false, "a department is a name, not an object; a placeholder stands for nothing");
    }
    TRAP_ASSERT(object != nullptr, "a node's object is in memory");
  });
  return object;
}

Yproject* FindProjectFromNode(const QTreeWidgetItem* node) {
  Yproject* project = nullptr;
  ErrTrap::Guarded(QStringLiteral("Common:FindProjectFromNode"), [&] {
    const QString kind = NodeKind(node);
    if (kind == QLatin1String("p")) {
      project = dynamic_cast<Yproject*>(FindObjectFromNode(node));
    } else if (kind == QLatin1String("s")) {
      if (const auto* task = dynamic_cast<const Ytask*>(FindObjectFromNode(node))) project = task->Subproject();
    } else {
      TRAP_ASSERT(false, "only a project's or a subproject's node stands for a project");
    }
  });
  return project;
}

Yproject* ProjectFromNodeText(const QString& text) {
  for (Yproject* candidate : Projects()) {
    if (candidate->BuildNodeText() == text) return candidate;
  }
  return nullptr;
}

Yproject* FindProjectFromNodeText(const QString& text) {
  Yproject* project = nullptr;
  ErrTrap::Guarded(QStringLiteral("Common:FindProjectFromNodeText"), [&] {
    project = ProjectFromNodeText(text);
    TRAP_ASSERT(project != nullptr, "the text is a project's node text");
  });
  return project;
}

void RemoveSubTree(TreeView* tree, QTreeWidgetItem* node) {
  ErrTrap::Guarded(QStringLiteral("Common:RemoveSubTree"), [&] {
    if (tree == nullptr || node == nullptr) return;
    // Removing a node removes its descendants with it.
    qDeleteAll(node->takeChildren());
  });
}

}  // namespace Common
