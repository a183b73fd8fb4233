// The Modify commands: the Project and Template menus' Modify edit the active project and
// template, the trees' popup Modify (and a double click on a node) the selected node's object,
// each in the entry dialog of its kind. A dialog that does not exist yet answers "Not Ready Yet".

#include "MainForm.h"

#include "Check.h"
#include "Common.h"
#include "FormHelpers.h"
#include "Forms.h"
#include "Guard.h"
#include "Notifications.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"
#include "Yproject.h"
#include "Ytemplate.h"

#include <QHash>
#include <QMetaObject>
#include <QWidget>

void MainForm::ProjectModifyMenu_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Main:ProjectModifyMenu_Click")), [] {
    // With no project named, the dialog edits the active one.
    if (Common::ThisProjectSet()) Forms::StartForm(QStringLiteral("ProjectEntryForm"), "StartModify");
  });
}

void MainForm::TemplateModifyMenu_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Main:TemplateModifyMenu_Click")), [] {
    if (!Common::ThisTemplateSet()) return;
    QWidget* form = Forms::Load(QStringLiteral("TemplateEntryForm"));
    if (form == nullptr) {
      Common::NotReadyYet();
      return;
    }
    const bool started = QMetaObject::invokeMethod(form, "StartModify", Qt::DirectConnection,
                                                   Q_ARG(Ytemplate*, Common::ThisTemplate()));
    TRAP_ASSERT(started, "the template dialog is started on a template");
  });
}

void MainForm::PopupModifyMenu_Click() {
  ErrTrap::Guard guard(ErrTrap::Handler(QStringLiteral("Main:PopupModifyMenu_Click")));
  QString kind;
  guard([&] { kind = Common::NodeKind(Common::DragNode()); });
  // Without a selected node there is nothing to modify.
  if (kind.isEmpty()) return;
  // A project node, or the node of the active project shown as its parent's subproject, is
  // edited in the project dialog, as the active project: another project becomes active first.
  guard([&] {
    if (kind == QLatin1String("s") && Common::FindProjectFromNode(Common::DragNode()) == Common::ThisProject()) {
      kind = QStringLiteral("p");
    }
  });
  guard([&] {
    if (kind != QLatin1String("p")) return;
    Yproject* project = Common::FindProjectFromNode(Common::DragNode());
    if (project == nullptr || project == Common::ThisProject()) return;
    Common::SetThisProject(project);
    Common::BroadcastNewThisProject();
  });
  guard([&] {
    static const QHash<QString, QString> dialogs = {
        {QStringLiteral("p"), QStringLiteral("ProjectEntryForm")},
        {QStringLiteral("s"), QStringLiteral("SubprojectEntryForm")},
        {QStringLiteral("t"), QStringLiteral("TaskEntryForm")},
        {QStringLiteral("d"), QStringLiteral("DependencyEntryForm")},
        {QStringLiteral("a"), QStringLiteral("AssignmentEntryForm")},
        {QStringLiteral("l"), QStringLiteral("TemplateEntryForm")},
        {QStringLiteral("h"), QStringLiteral("ShiftEntryForm")},
        {QStringLiteral("r"), QStringLiteral("ResourceEntryForm")},
    };
    if (kind == QLatin1String("g")) {
      // A department is a name shared by resources, with nothing of its own to edit.
      Common::NotReadyYet();
      return;
    }
    TRAP_ASSERT(dialogs.contains(kind), "the popup opens over the nodes of model objects only");
    Forms::StartForm(dialogs.value(kind), "StartModify");
  });
}
