// A planner's first steps, in each locale Praxel is tried in: a template, a project on the
// proposed journal date, a task with specific dates typed in the user's formats, a dependency on
// the proposed date and a new journal; then every dialog opened again and closed with Ok changes
// nothing. With PRAXEL_SCREENSHOTS set, the dialogs are saved there to be looked at.

#include "DialogFixture.h"

#include "CaseName.h"
#include "Common.h"
#include "EntryForm.h"
#include "Notifications.h"
#include "OleDate.h"
#include "ShortDate.h"
#include "TestSupport.h"
#include "TreeNodes.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QDir>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeWidgetItem>

#include <string>

namespace {

class LocaleWalk : public DialogTest, public testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    Common::FreeAllMemory();
    Common::BroadcastNewThisProject();
    Common::BroadcastNewThisTemplate();
    ASSERT_TRUE(folder.isValid());
  }

  QStringList Saved() const { return SavedLines(folder.filePath(QStringLiteral("walk.pxa"))); }

  // The open dialog, saved as a picture when PRAXEL_SCREENSHOTS names a folder.
  EntryForm* Shown(const char* name, const char* picture) {
    EntryForm* form = OpenDialog(QString::fromLatin1(name));
    if (const QByteArray dir = qgetenv("PRAXEL_SCREENSHOTS"); form != nullptr && !dir.isEmpty()) {
      const QString file = QStringLiteral("%1-%2.png").arg(QString::fromLatin1(picture), QString::fromLatin1(GetParam()));
      form->grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(file));
    }
    return form;
  }

  // Opens the dialog of the node with the popup's Modify and presses Ok: nothing is asked and
  // nothing changes.
  void OkChangesNothing(QTreeWidgetItem* node, const char* name) {
    ASSERT_NE(node, nullptr) << name;
    const QStringList before = Saved();
    const QStringList asked = Messages();
    Press(node);
    Modify();
    EntryForm* form = Shown(name, name);
    ASSERT_NE(form, nullptr) << name;
    PressOk(form);
    EXPECT_EQ(Messages(), asked) << name;
    EXPECT_EQ(ChangedLines(before, Saved()), QStringList()) << name;
  }

  QTemporaryDir folder;
};

TEST_P(LocaleWalk, APlanMadeFromNothingAndEveryDialogOkedAgain) {
  testsupport::LocaleScope locale(GetParam());
  const double journal = praxel::ToOleDate(QDate(2026, 3, 16));

  Click(QStringLiteral("Template"));
  EntryForm* form = Shown("TemplateEntryForm", "template");
  ASSERT_NE(form, nullptr);
  Fill(form, "TemplateNameText", QStringLiteral("Crews"));
  PressOk(form);
  ASSERT_NE(Common::ThisTemplate(), nullptr);

  // The project's first journal: the date proposed (today), then one typed in the user's format.
  Click(QStringLiteral("Project"));
  form = Shown("ProjectEntryForm", "project");
  ASSERT_NE(form, nullptr);
  Fill(form, "ProjectNameText", QStringLiteral("Depot"));
  PressOk(form);
  ASSERT_EQ(Messages(), QStringList());
  Yproject* depot = Common::ThisProject();
  ASSERT_NE(depot, nullptr);
  EXPECT_EQ(depot->JournalDates, QList<double>{praxel::ToOleDate(QDate::currentDate())});
  Click(QStringLiteral("Project"));
  form = Shown("ProjectEntryForm", "project");
  Fill(form, "ProjectNameText", QStringLiteral("Yard"));
  Fill(form, "InitialJournalText", praxel::ShortDateText(journal));
  PressOk(form);
  Yproject* yard = Common::ThisProject();
  ASSERT_NE(yard, depot);
  EXPECT_EQ(yard->JournalDates, QList<double>{journal});

  // A task fixed by dates, the finish with a time of day after noon.
  const double start = praxel::ToOleDate(QDate(2026, 5, 26));
  const double finish = praxel::ToOleDate(QDateTime(QDate(2026, 6, 29), QTime(17, 17)));
  Click(QStringLiteral("Task"));
  form = Shown("TaskEntryForm", "task");
  ASSERT_NE(form, nullptr);
  Fill(form, "DescriptionText", QStringLiteral("Pour slab"));
  Field<QRadioButton>(form, "SpecificDatesOption")->click();
  Fill(form, "StartDateText", praxel::DateTimeText(start));
  Fill(form, "FinishDateText", praxel::DateTimeText(finish));
  Shown("TaskEntryForm", "task-dates");
  PressOk(form);
  ASSERT_EQ(Messages(), QStringList());
  ASSERT_EQ(yard->TaskList.Count(), 1);
  Ytask* pour = yard->TaskList.First();
  ASSERT_EQ(pour->DependencyList.Count(), 2);
  EXPECT_EQ(pour->DependencyList.Item(0)->DepDate(), start);
  EXPECT_EQ(pour->DependencyList.Item(1)->DepDate(), finish);

  // A dependency on the date it proposes, the journal's, for the task's middle (a start date
  // would stand beside the one the task dialog edits).
  Press(NodeOf(pour));
  Click(QStringLiteral("Dependency"));
  form = Shown("DependencyEntryForm", "dependency");
  ASSERT_NE(form, nullptr);
  Field<QScrollBar>(form, "ToScroll")->setValue(50);
  PressOk(form);
  ASSERT_EQ(Messages(), QStringList());
  ASSERT_EQ(pour->DependencyList.Count(), 3);
  EXPECT_EQ(pour->DependencyList.Item(2)->DepDate(), journal);

  // A new journal, typed with a time of day.
  const double later = praxel::ToOleDate(QDateTime(QDate(2026, 4, 1), QTime(8, 30)));
  prompter.Type(praxel::DateTimeText(later));
  Click(QStringLiteral("JournalNewMenu"));
  EXPECT_EQ(yard->JournalDates, (QList<double>{journal, later}));

  // Every dialog again, Ok without an edit.
  OkChangesNothing(NodeOf(Common::ThisTemplate()), "TemplateEntryForm");
  OkChangesNothing(NodeOf(yard), "ProjectEntryForm");
  OkChangesNothing(NodeOf(pour), "TaskEntryForm");
  NodeOf(pour)->setExpanded(true);
  for (Ydependency* dependency : pour->DependencyList.Items()) OkChangesNothing(NodeOf(dependency), "DependencyEntryForm");
  EXPECT_EQ(pour->DependencyList.Count(), 3);
}

INSTANTIATE_TEST_SUITE_P(Locales, LocaleWalk,
                         testing::Values("C.UTF-8", "en_US.UTF-8", "en_GB.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           return testsupport::TestName(info.param);
                         });

}  // namespace
