#include "Common.h"
#include "FakeForms.h"
#include "Forms.h"
#include "Guard.h"
#include "MainForm.h"
#include "Notifications.h"
#include "ShellFixture.h"
#include "SolveState.h"
#include "Yproject.h"

#include <QComboBox>

// A receiver that fails: its own trap asks the user, and on Abort the chain leaves it.
class FakeFailing final : public FakeForm {
  Q_OBJECT

 public:
  explicit FakeFailing(FormHost& host) : FakeForm(host, Forms::BorderTree, QSize(100, 100)) {}
  Q_INVOKABLE void NewSolution() {
    Record("NewSolution");
    ErrTrap::Guarded(QStringLiteral("Failing:NewSolution"), [] { praxel::RaiseAssertion(); });
  }
};

namespace {

class Notifications : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    RegisterFake<FakeChart>(QStringLiteral("GanttForm"));
    RegisterFake<FakeChart>(QStringLiteral("BudgetForm"));
    RegisterFake<FakeDialog>(QStringLiteral("TaskEntryForm"));
    RegisterFake<FakePlain>(QStringLiteral("PlainForm"));
    RegisterFake<FakeTree>(QStringLiteral("ProjectTreeForm"));
    RegisterFake<FakeFailing>(QStringLiteral("FailingForm"));
    StartProgram();
  }
};

// Loaded windows are told by name, hidden ones too; windows without the member are passed over.
TEST_F(Notifications, ReachWindowsThatHaveTheMemberAndSkipTheRest) {
  Forms::Load(QStringLiteral("GanttForm"));
  Forms::Load(QStringLiteral("PlainForm"));
  Forms::Load(QStringLiteral("ProjectTreeForm"));
  FormCalls().clear();

  Common::BroadcastNewSolution();
  EXPECT_EQ(FormCalls(), QStringList{QStringLiteral("GanttForm.NewSolution")});

  FormCalls().clear();
  Common::BroadcastNewThisTemplate();
  EXPECT_EQ(FormCalls(), QStringList{QStringLiteral("ProjectTreeForm.NewThisTemplate")});
}

// A window that closes itself in its receiver does not keep the later windows from hearing.
TEST_F(Notifications, AWindowClosingInItsReceiverDoesNotStopTheWalk) {
  Forms::Load(QStringLiteral("GanttForm"));
  Forms::Load(QStringLiteral("TaskEntryForm"));
  Forms::Load(QStringLiteral("BudgetForm"));
  FormCalls().clear();

  Common::BroadcastNewThisProject();

  EXPECT_EQ(FormCalls().count(QStringLiteral("GanttForm.NewThisProject")), 1);
  EXPECT_EQ(FormCalls().count(QStringLiteral("TaskEntryForm.NewThisProject")), 1);
  EXPECT_EQ(FormCalls().count(QStringLiteral("BudgetForm.NewThisProject")), 1);
  EXPECT_EQ(Forms::Find(QStringLiteral("GanttForm")), nullptr);
  EXPECT_EQ(Forms::Find(QStringLiteral("BudgetForm")), nullptr);
}

TEST_F(Notifications, AFailingReceiverIsPassedOver) {
  Forms::Load(QStringLiteral("FailingForm"));
  Forms::Load(QStringLiteral("GanttForm"));
  FormCalls().clear();
  prompter.Answer(praxel::AnswerAbort);

  Common::BroadcastNewSolution();

  EXPECT_EQ(prompter.Asked().size(), 1);  // the receiver's own trap, once
  EXPECT_TRUE(FormCalls().contains(QStringLiteral("GanttForm.NewSolution")));
}

// A new active project brings the project tree back when it is not up; with none active, or with
// the tree up, nothing is started.
TEST_F(Notifications, ANewActiveProjectStartsTheHiddenProjectTree) {
  Forms::Unload(Forms::Find(QStringLiteral("ProjectTreeForm")));  // the user closed it
  Common::BroadcastNewThisProject();
  EXPECT_FALSE(FormCalls().contains(QStringLiteral("ProjectTreeForm.Start")));

  Common::SetThisProject(AddProject(QStringLiteral("Office move")));
  Common::BroadcastNewThisProject();
  EXPECT_EQ(FormCalls().count(QStringLiteral("ProjectTreeForm.Start")), 1);
  Common::BroadcastNewThisProject();
  EXPECT_EQ(FormCalls().count(QStringLiteral("ProjectTreeForm.Start")), 1);
}

// The main window's own receivers: a new journal asks for a solve and refills the journal list;
// a new drag node refills the project list.
TEST_F(Notifications, TheMainWindowAnswersItsOwn) {
  ASSERT_TRUE(RunUntil([] { return Solve::SolveMode() == Solve::ModeIdle; }));
  Common::BroadcastNewJournal();
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);

  Yproject* office = AddProject(QStringLiteral("Office move"));
  Common::SetThisProject(office);
  Common::BroadcastNewDragNode();
  EXPECT_EQ(mainForm->ProjectCombo()->currentText(), QStringLiteral("Office move"));
  EXPECT_EQ(mainForm->JournalCombo()->currentText(), QStringLiteral("<journal n/a>"));
  Common::BroadcastNewJournal();
  EXPECT_EQ(mainForm->JournalCombo()->currentText(), office->JournalNodeText(0));
}

}  // namespace

#include "notifications_test.moc"
