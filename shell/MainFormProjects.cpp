// The Project and Template menus' Select and Delete, and the trees' popup menu: Delete, Expand
// all, Contract all and Set as active project. (New and Modify open the entry dialogs; they are
// in MainFormCommands.cpp and MainFormModify.cpp.)

#include "MainForm.h"

#include "Check.h"
#include "Common.h"
#include "FormHelpers.h"
#include "Guard.h"
#include "Notifications.h"
#include "Pool.h"
#include "Prerequisites.h"
#include "Prompter.h"
#include "SolveState.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"
#include "TreeView.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QAction>
#include <QTreeWidgetItemIterator>

namespace {

// Asks whether to save the changes of a project or template about to be deleted ("project Site
// A"); True when the delete may go on: the changes were saved, or the user lets them go.
bool ChangesMayGo(const QString& what, const std::function<bool()>& save) {
  const int answer = praxel::CurrentPrompter().MsgBox(
      QStringLiteral("Changes have been made to ") + what +
          QStringLiteral(".  These changes exist only in memory and will be lost unless they are saved to disk.\n\n"
                         "Do you want to save all changes in memory to disk?"),
      praxel::MsgYesNoCancel | praxel::MsgExclamation, QStringLiteral("Save All Changes To Disk"));
  if (answer == praxel::AnswerYes) return save();
  return answer == praxel::AnswerNo;
}

// Whether a per-journal resource field names a resource of the template in any journal.
bool NamesResourceOf(const PerJournal<Yresource*>& field, const Ytemplate* templ) {
  const QList<Yresource*> values = field.IsArray() ? field.Values() : QList<Yresource*>{field.First()};
  for (const Yresource* resource : values) {
    if (resource != nullptr && resource->Template() == templ) return true;
  }
  return false;
}

// Why the template may not go: the first use of one of its resources by a loaded project, in any
// journal (a project's manager, a task's assignment); empty when none is used.
QString TemplateInUse(const Ytemplate* templ) {
  for (const Yproject* project : Common::Projects()) {
    if (NamesResourceOf(project->ManagerField(), templ)) {
      return QStringLiteral("it provides the manager of project ") + project->BuildNodeText();
    }
    for (const Ytask* task : project->TaskList) {
      for (const Yassignment* assignment : task->AssignmentList) {
        if (NamesResourceOf(assignment->ResourceRequiredField(), templ)) {
          return QStringLiteral("one of its resources is assigned to task ") + task->BuildNodeText() +
                 QStringLiteral(" of project ") + project->BuildNodeText();
        }
      }
    }
  }
  return QString();
}

// The template that holds a resource or shift; none for other objects.
Ytemplate* TemplateOf(const Ymodel* object) {
  if (const auto* resource = dynamic_cast<const Yresource*>(object)) return resource->Template();
  if (const auto* shift = dynamic_cast<const Yshift*>(object)) return shift->Template;
  return nullptr;
}

// Deletes the object of a tree node by its own Delete (which, for the objects that follow
// journals, removes it from the current journal on); True when it went. A shift that a resource
// still works is refused with the reason, and stays.
bool DeleteNodeObject(Ymodel* object) {
  if (auto* task = dynamic_cast<Ytask*>(object)) {
    task->Delete();
  } else if (auto* dependency = dynamic_cast<Ydependency*>(object)) {
    dependency->Delete();
  } else if (auto* assignment = dynamic_cast<Yassignment*>(object)) {
    assignment->Delete();
  } else if (auto* resource = dynamic_cast<Yresource*>(object)) {
    resource->Delete();
  } else if (auto* shift = dynamic_cast<Yshift*>(object)) {
    shift->Delete();
    if (!shift->ShiftName().isEmpty()) return false;
    Common::FreeY(shift);
  } else {
    TRAP_ASSERT(false, "the popup deletes tasks, dependencies, assignments, resources and shifts");
  }
  return true;
}

}  // namespace

void MainForm::BuildProjectCommands() {
  commands_.insert(QStringLiteral("ProjectSelectMenu"), [] { Common::DisplayHelpPage(QStringLiteral("Project Select")); });
  commands_.insert(QStringLiteral("TemplateSelectMenu"), [] { Common::DisplayHelpPage(QStringLiteral("Template Select")); });
  commands_.insert(QStringLiteral("ProjectDeleteMenu"), [this] { ProjectDeleteMenu_Click(); });
  commands_.insert(QStringLiteral("TemplateDeleteMenu"), [this] { TemplateDeleteMenu_Click(); });
  commands_.insert(QStringLiteral("PopupDeleteMenu"), [this] { PopupDeleteMenu_Click(); });
  commands_.insert(QStringLiteral("PopupExpandMenu"), [] { GlobalExpand(true); });
  commands_.insert(QStringLiteral("PopupContractMenu"), [] { GlobalExpand(false); });
  commands_.insert(QStringLiteral("PopupSetActiveMenu"), [] { PopupSetActiveMenu_Click(); });
}

void MainForm::ProjectDeleteMenu_Click() {
  if (!Common::ThisProjectSet()) return;
  Yproject* active = Common::ThisProject();
  if (active->Dirty() &&
      !ChangesMayGo(QStringLiteral("project ") + active->ProjectName(), [this] { return RequestSave(); })) {
    return;
  }
  // The whole group under the active project's master goes.
  const Yproject* master = active->Master();
  QList<Yproject*> group;
  for (Yproject* project : Common::Projects()) {
    if (project->Master() == master) group.append(project);
  }
  for (Yproject* project : group) project->Delete();
  Common::FreeYobjects(QList<Ypooled*>(group.begin(), group.end()));
  Common::SetThisProject(Common::Projects().IsEmpty() ? nullptr : Common::Projects().First());
  Common::BroadcastNewThisProject();
  Solve::RestartSolve();
}

void MainForm::TemplateDeleteMenu_Click() {
  if (!Common::ThisTemplateSet()) return;
  Ytemplate* active = Common::ThisTemplate();
  // Its resources go with it: not while a project still works with them.
  if (const QString use = TemplateInUse(active); !use.isEmpty()) {
    praxel::CurrentPrompter().MsgBox(QStringLiteral("The template ") + active->TemplateName() +
                                         QStringLiteral(" cannot be deleted because ") + use +
                                         QStringLiteral(".  Remove those uses first."),
                                     praxel::MsgExclamation, QStringLiteral("Template In Use"));
    return;
  }
  if (active->Dirty() &&
      !ChangesMayGo(QStringLiteral("template ") + active->TemplateName(), [this] { return RequestSave(); })) {
    return;
  }
  active->Delete();
  Common::FreeY(active);
  Common::SetThisTemplate(Common::Templates().IsEmpty() ? nullptr : Common::Templates().First());
  Common::BroadcastNewThisTemplate();
}

void MainForm::PopupDeleteMenu_Click() {
  QTreeWidgetItem* node = Common::DragNode();
  const QString kind = Common::NodeKind(node);
  if (kind.isEmpty()) return;
  // The kind word after "Delete this ".
  const QString word = Control(QStringLiteral("PopupDeleteMenu"))->text().mid(12);
  // A task takes the dependencies on it along: the question names the tasks that wait for it.
  const auto* task = kind == QLatin1String("t") || kind == QLatin1String("s")
                         ? dynamic_cast<const Ytask*>(Common::DragObject())
                         : nullptr;
  QString question = QStringLiteral("Are you sure you want to delete this ") + word + QStringLiteral("?");
  QStringList dependencyKeys;
  if (task != nullptr) {
    const QList<Ytask*> waiting = Common::TasksWaitingFor(*task);
    if (!waiting.isEmpty()) {
      question += QStringLiteral("\n\nTasks that wait for it, whose dependencies on it will be deleted with it:");
      for (const Ytask* later : waiting) question += QLatin1Char('\n') + Common::PrerequisiteCaption(*later, task->Project());
    }
    for (const Ydependency* dependency : Common::DependenciesOn(*task)) dependencyKeys.append(Common::MakeKey(dependency));
  }
  const int answer = praxel::CurrentPrompter().MsgBox(question, praxel::MsgYesNo | praxel::MsgExclamation,
                                                      QStringLiteral("Confirm Delete ") + word);
  if (answer != praxel::AnswerYes) return;
  // A project or template goes as the menu deletes it, with everything that points at it.
  if (kind == QLatin1String("p")) {
    if (Yproject* project = Common::FindProjectFromNode(node); project != Common::ThisProject()) {
      Common::SetThisProject(project);
      Common::BroadcastNewThisProject();
    }
    ProjectDeleteMenu_Click();
    return;
  }
  if (kind == QLatin1String("l")) {
    if (auto* templ = dynamic_cast<Ytemplate*>(Common::DragObject()); templ != Common::ThisTemplate()) {
      Common::SetThisTemplate(templ);
      Common::BroadcastNewThisTemplate();
    }
    TemplateDeleteMenu_Click();
    return;
  }
  if (kind == QLatin1String("g")) {
    // A department is a name its resources share; it goes when no resource uses it.
    praxel::CurrentPrompter().MsgBox(
        QStringLiteral("A department cannot be deleted by itself.  It disappears when none of its resources uses it."),
        praxel::MsgInformation, QStringLiteral("Can't Delete Department"));
    return;
  }
  Ymodel* object = Common::DragObject();
  TRAP_ASSERT(object != nullptr, "the selected node stands for a model object");
  // The owner is marked changed, so the change is saved and solved, even when the object stays
  // in earlier journals.
  Yproject* project = object->Project();
  Ytemplate* templ = TemplateOf(object);
  if (!DeleteNodeObject(object)) return;
  if (project != nullptr) project->SetDirty(true);
  if (templ != nullptr) templ->SetDirty(true);
  // The node leaves its tree, and the selection with it; so do the nodes of the dependencies that
  // went with a task.
  Common::SetDragNode(nullptr);
  delete node;
  for (const QString& key : dependencyKeys) delete Common::FindNodeFromKey(Common::ProjectTree(), key);
  Solve::RestartSolve();
}

void MainForm::GlobalExpand(bool Expand) {
  ErrTrap::Guarded(QStringLiteral("Main:GlobalExpand"), [&] {
    if (Common::DragNode() == nullptr) return;
    TreeView* tree = Common::DragTree();
    // Expanding fills a node's children on demand, so the changes wait until the walk is over.
    QList<QTreeWidgetItem*> changes;
    for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
      QTreeWidgetItem* node = *it;
      if (node->parent() == nullptr) continue;
      if (!IsShown(node)) {
        node->setExpanded(false);
      } else if (node->isExpanded() != Expand) {
        changes.append(node);
      }
    }
    for (QTreeWidgetItem* node : changes) node->setExpanded(Expand);
  });
}

bool MainForm::IsShown(const QTreeWidgetItem* node) {
  for (const QTreeWidgetItem* above = node->parent(); above != nullptr; above = above->parent()) {
    if (!above->isExpanded()) return false;
  }
  return true;
}

void MainForm::PopupSetActiveMenu_Click() {
  if (Common::DragNode() == nullptr) return;
  Yproject* project = Common::FindProjectFromNode(Common::DragNode());
  if (project == nullptr || project == Common::ThisProject()) return;
  Common::SetThisProject(project);
  Common::BroadcastNewThisProject();
}
