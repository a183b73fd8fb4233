#include "DialogFixture.h"

#include "Bundle.h"
#include "EntryForm.h"
#include "Forms.h"
#include "MainForm.h"
#include "RegisterDialogs.h"
#include "SolveState.h"
#include "TreeView.h"

#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidgetItem>

void DialogTest::SetUp() {
  TreeTest::SetUp();
  Dialogs::RegisterForms();
  StartWithModel();
  Solve::SetSolveMode(Solve::ModeIdle);
}

void DialogTest::Click(const QString& control) {
  QAction* action = mainForm->Control(control);
  ASSERT_NE(action, nullptr) << control.toStdString();
  ASSERT_TRUE(action->isEnabled()) << control.toStdString();
  action->trigger();
}

void DialogTest::Modify() { Click(QStringLiteral("PopupModifyMenu")); }

void DialogTest::DoubleClick(QTreeWidgetItem* node) {
  auto* tree = static_cast<TreeView*>(node->treeWidget());
  tree->scrollToItem(node);
  const QPoint at = tree->visualItemRect(node).center();
  Press(node);
  QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
}

EntryForm* DialogTest::OpenDialog(const QString& name) {
  auto* form = qobject_cast<EntryForm*>(Forms::Find(name));
  if (form == nullptr || !form->isVisible()) return nullptr;
  return form;
}

void DialogTest::Fill(QWidget* form, const char* box, const QString& text) {
  auto* edit = Field<QLineEdit>(form, box);
  ASSERT_NE(edit, nullptr) << box;
  edit->setFocus();
  edit->selectAll();
  edit->insert(text);
}

void DialogTest::Choose(QComboBox* list, const QString& entry) {
  const int index = list->findText(entry);
  ASSERT_GE(index, 0) << entry.toStdString();
  list->setCurrentIndex(index);
  emit list->activated(index);
}

QStringList DialogTest::Entries(const QComboBox* list) {
  QStringList entries;
  for (int index = 0; index < list->count(); ++index) entries.append(list->itemText(index));
  return entries;
}

void DialogTest::PressOk(EntryForm* form) { form->OkCommand()->click(); }

void DialogTest::PressCancel(EntryForm* form) { form->CancelCommand()->click(); }

bool DialogTest::SolveRequested() { return Solve::SolveMode() == Solve::ModeRequested; }

QStringList DialogTest::Messages() const {
  QStringList messages;
  for (const testsupport::AskedQuestion& question : prompter.Asked()) {
    messages.append(question.title + QStringLiteral(": ") + question.text);
  }
  return messages;
}

QStringList DialogTest::SavedLines(const QString& path) {
  EXPECT_TRUE(Bundle::SaveCopy(path));
  return testsupport::ReadTextFile(path).split(QStringLiteral("\r\n"));
}

QStringList DialogTest::ChangedLines(const QStringList& before, const QStringList& after) {
  QStringList changed;
  for (qsizetype line = 0; line < std::max(before.size(), after.size()); ++line) {
    if (before.value(line) != after.value(line)) changed.append(before.value(line) + QStringLiteral(" -> ") + after.value(line));
  }
  return changed;
}
