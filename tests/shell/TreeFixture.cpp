#include "TreeFixture.h"

#include "Common.h"
#include "MainForm.h"
#include "Notifications.h"
#include "Pool.h"
#include "TreeNodes.h"
#include "TreeView.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QTreeWidgetItemIterator>

namespace {

Yresource* AddResource(Ytemplate* templ, int id, const QString& name, const QString& department) {
  Yresource* resource = templ->FindOrCreateResource(id);
  resource->Description = name;
  resource->SetDepartment(department);
  return resource;
}

Ytask* AddTask(Yproject* project, int id, const QString& name) {
  Ytask* task = project->FindOrCreateTask(id);
  task->Description = name;
  return task;
}

Ydependency* AddDependency(Ytask* task, Ytask* required, int fromPercent = 100) {
  auto* dependency = Common::NewY<Ydependency>(ytDependency);
  dependency->SetTask(task);
  if (required == nullptr) {
    dependency->SetDepDate(Day(7));
  } else {
    dependency->SetTaskRequired(required);
    dependency->SetFromPercent(fromPercent);
  }
  return dependency;
}

void Assign(Ytask* task, Yresource* resource) {
  auto* assignment = Common::NewY<Yassignment>(ytAssignment);
  assignment->SetTask(task);
  assignment->SetResourceRequired(resource);
  assignment->SetHours(8);
}

QPoint CentreOf(QTreeWidgetItem* node) {
  auto* tree = static_cast<TreeView*>(node->treeWidget());
  tree->scrollToItem(node);
  return tree->visualItemRect(node).center();
}

QMimeData& DraggedNode() {
  static QMimeData data;
  if (!data.hasFormat(TreeView::NodeMimeType())) data.setData(TreeView::NodeMimeType(), QByteArray());
  return data;
}

}  // namespace

void TreeTest::BuildModel() {
  staff = AddTemplate(QStringLiteral("Staff"), true);
  staff->FindOrCreateShift(QStringLiteral("Late"));
  staff->FindOrCreateShift(QStringLiteral("Day"));
  ann = AddResource(staff, 7, QStringLiteral("Ann"), QStringLiteral("Sales"));
  bo = AddResource(staff, 3, QStringLiteral("Bo"), QString());
  cy = AddResource(staff, 5, QStringLiteral("Cy"), QStringLiteral("Sales"));
  di = AddResource(staff, 8, QStringLiteral("Di"), QStringLiteral("Design"));
  di->Delete();

  plant = AddProject(QStringLiteral("Plant"));
  plant->Description = QStringLiteral("Pump house");
  plant->AddJournal(Day(7));
  survey = AddTask(plant, 2, QStringLiteral("Survey"));
  build = AddTask(plant, 10, QStringLiteral("Build"));
  design = AddTask(plant, 9, QStringLiteral("Design"));
  AddDependency(survey, nullptr);
  Assign(survey, ann);
  buildAfterSurvey = AddDependency(build, survey);
  buildAfterDesign = AddDependency(build, design, 50);
  Assign(build, cy);
  Assign(build, bo);
  designAfterSurvey = AddDependency(design, survey);
  designAfterSurvey->SetInclude(false);
  commission = AddTask(plant, 12, QStringLiteral("Commission"));
  AddDependency(commission, nullptr);

  fitOut = AddProject(QStringLiteral("Fit-out"));
  fitOut->AddJournal(Day(7));
  fitOutTask = plant->FindOrCreateTask(4);
  fitOutTask->Description.clear();
  fitOutTask->SetSubproject(fitOut);
  wire = AddTask(fitOut, 1, QStringLiteral("Wire"));
  paint = AddTask(fitOut, 2, QStringLiteral("Paint"));
  AddDependency(wire, build);
  AddDependency(paint, wire);
  plant->SetDirty(false);
  fitOut->SetDirty(false);
  staff->SetDirty(false);
}

void TreeTest::StartWithModel() {
  // The main window starts with an empty model.
  StartProgram();
  BuildModel();
  Common::SetThisProject(plant);
  Common::SetThisTemplate(staff);
  Common::BroadcastNewThisTemplate();
  Common::BroadcastNewThisProject();
}

TreeView* TreeTest::ProjectTreeView() { return Common::ProjectTree(); }

TreeView* TreeTest::TemplateTreeView() { return Common::TemplateTree(); }

QStringList TreeTest::Outline(const TreeView* tree) {
  QStringList lines;
  for (QTreeWidgetItemIterator it(const_cast<TreeView*>(tree)); *it != nullptr; ++it) {
    int depth = 0;
    for (const QTreeWidgetItem* up = (*it)->parent(); up != nullptr; up = up->parent()) ++depth;
    lines.append(QString(2 * depth, QLatin1Char(' ')) + Common::NodeImage(*it) + QLatin1Char(' ') + (*it)->text(0) +
                 ((*it)->isExpanded() ? QStringLiteral(" +") : QString()));
  }
  return lines;
}

QTreeWidgetItem* TreeTest::NodeOf(const Ymodel* object) {
  const QString kind = object->ImageType();
  TreeView* tree = QStringLiteral("lhgr").contains(kind) ? TemplateTreeView() : ProjectTreeView();
  return Common::FindNodeFromKey(tree, Common::MakeKey(object));
}

QTreeWidgetItem* TreeTest::DepartmentNode(const QString& name) {
  return Common::FindNodeFromKey(TemplateTreeView(), Common::MakeKey(name));
}

void TreeTest::Press(QTreeWidgetItem* node, int button) {
  auto* tree = static_cast<TreeView*>(node->treeWidget());
  const QPoint at = CentreOf(node);
  QTest::mousePress(tree->viewport(), static_cast<Qt::MouseButton>(button), {}, at);
  QTest::mouseRelease(tree->viewport(), static_cast<Qt::MouseButton>(button), {}, at);
}

void TreeTest::DoubleClick(QTreeWidgetItem* node) {
  auto* tree = static_cast<TreeView*>(node->treeWidget());
  QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, CentreOf(node));
}

void TreeTest::PressEmpty(TreeView* tree) {
  const QPoint at(5, tree->viewport()->height() - 2);
  QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, at);
}

bool TreeTest::DragOverPoint(TreeView* tree, QPoint at) {
  QDragEnterEvent enter(at, Qt::CopyAction, &DraggedNode(), Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(tree->viewport(), &enter);
  QDragMoveEvent move(at, Qt::CopyAction, &DraggedNode(), Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(tree->viewport(), &move);
  return move.isAccepted();
}

bool TreeTest::DragOver(QTreeWidgetItem* node) {
  return DragOverPoint(static_cast<TreeView*>(node->treeWidget()), CentreOf(node));
}

void TreeTest::Drop(QTreeWidgetItem* node) { DropAtPoint(static_cast<TreeView*>(node->treeWidget()), CentreOf(node)); }

void TreeTest::DropAtPoint(TreeView* tree, QPoint at) {
  QDropEvent drop(QPointF(at), Qt::CopyAction, &DraggedNode(), Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(tree->viewport(), &drop);
}

void TreeTest::DragOnto(QTreeWidgetItem* from, QTreeWidgetItem* to) {
  Press(from);
  DragOver(to);
  Drop(to);
}
