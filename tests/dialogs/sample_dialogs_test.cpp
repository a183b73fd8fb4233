// Every entry dialog over the sample project (two templates, three projects), opened on each
// object the trees show and closed with Ok without an edit: the model stays as it was, to the
// byte of the saved file. The dialog tests run in en_US and again in C.UTF-8, whose dates hold
// blanks and month names.

#include "DialogFixture.h"

#include "Common.h"
#include "EntryForm.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"
#include "ScriptedCommonDialogs.h"
#include "TreeNodes.h"
#include "TreeView.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTreeWidgetItemIterator>


namespace {

class SampleDialogs : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    Common::FreeAllMemory();
    Common::BroadcastNewThisProject();
    dialogs.OpenAnswer(QStringLiteral(PRAXEL_SAMPLE));
    mainForm->Control(QStringLiteral("FileOpenMenu"))->trigger();
    ASSERT_NE(Common::ThisProject(), nullptr);
    ASSERT_TRUE(folder.isValid());
  }

  QStringList Saved() const { return SavedLines(folder.filePath(QStringLiteral("copy.pxa"))); }

  // The keys of the nodes of a tree that open an entry dialog, in the tree's order.
  static QStringList ObjectKeys(TreeView* tree) {
    QStringList keys;
    for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
      if (QStringLiteral("pstdalhr").contains(Common::NodeKind(*it))) keys.append(Common::NodeKey(*it));
    }
    return keys;
  }

  // Opens the dialog of each node and presses Ok: nothing is asked, the dialog closes and the
  // saved model is the same.
  void OkOnEveryNode(TreeView* tree, const QString& where) {
    Yproject* project = Common::ThisProject();
    Ytemplate* templ = Common::ThisTemplate();
    for (const QString& key : ObjectKeys(tree)) {
      QTreeWidgetItem* node = Common::FindNodeFromKey(tree, key);
      ASSERT_NE(node, nullptr) << where.toStdString() << " " << key.toStdString();
      const QString caption = node->text(0);
      const QStringList before = Saved();
      const QStringList asked = Messages();
      Press(node);
      Modify();
      EntryForm* form = OpenForm();
      ASSERT_NE(form, nullptr) << where.toStdString() << ": no dialog on " << caption.toStdString();
      PressOk(form);
      EXPECT_EQ(Messages(), asked) << where.toStdString() << ": " << caption.toStdString();
      EXPECT_EQ(OpenForm(), nullptr) << where.toStdString() << ": " << caption.toStdString();
      // Ok on a parent project makes it the active one: the file puts the active one first.
      MakeActive(project, templ);
      EXPECT_EQ(ChangedLines(before, Saved()), QStringList()) << where.toStdString() << ": Ok on " << caption.toStdString();
    }
  }

  static void MakeActive(Yproject* project, Ytemplate* templ) {
    if (Common::ThisTemplate() != templ) {
      Common::SetThisTemplate(templ);
      Common::BroadcastNewThisTemplate();
    }
    if (Common::ThisProject() != project) {
      Common::SetThisProject(project);
      Common::BroadcastNewThisProject();
    }
  }

  static EntryForm* OpenForm() {
    for (const char* name : {"ProjectEntryForm", "SubprojectEntryForm", "TaskEntryForm", "DependencyEntryForm",
                             "AssignmentEntryForm", "TemplateEntryForm", "ShiftEntryForm", "ResourceEntryForm"}) {
      if (EntryForm* form = OpenDialog(QString::fromLatin1(name))) return form;
    }
    return nullptr;
  }

  QTemporaryDir folder;
};

TEST_F(SampleDialogs, OkWithoutAnEditChangesNothing) {
  ASSERT_EQ(Common::Projects().Count(), 3);
  ASSERT_EQ(Common::Templates().Count(), 2);
  for (Ytemplate* templ : Common::Templates()) {
    MakeActive(Common::ThisProject(), templ);
    OkOnEveryNode(TemplateTreeView(), templ->TemplateName());
  }
  for (Yproject* project : Common::Projects()) {
    MakeActive(project, Common::ThisTemplate());
    OkOnEveryNode(ProjectTreeView(), project->ProjectName());
  }
}

// The first task of the sample waits for a date: Ok keeps it, with its date to the minute.
TEST_F(SampleDialogs, OkKeepsTheDateDependencyOfTheFirstTask) {
  Ytask* survey = Common::ThisProject()->TaskList.First();
  ASSERT_EQ(survey->DependencyList.Count(), 1);
  const Ydependency* start = survey->DependencyList.Item(0);
  const double date = start->DepDate();
  DoubleClick(NodeOf(survey));
  EntryForm* form = Open<EntryForm>("TaskEntryForm");
  ASSERT_NE(form, nullptr);
  PressOk(form);
  EXPECT_EQ(Messages(), QStringList());
  ASSERT_EQ(survey->DependencyList.Count(), 1);
  EXPECT_TRUE(start->Include());
  EXPECT_EQ(start->DepDate(), date);
}

}  // namespace
