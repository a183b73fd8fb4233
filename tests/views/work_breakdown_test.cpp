// The work breakdown structure: the project's box and task list, the subprojects' boxes, the
// question of how many levels to expand, and the page breaks that lines step over.

#include "Common.h"
#include "Forms.h"
#include "MainForm.h"
#include "Prompter.h"
#include "SolveState.h"
#include "ViewFixture.h"
#include "WorkBreakdownForm.h"
#include "Yproject.h"
#include "Ytask.h"
#include "Ytemplate.h"
#include "YwindowControl.h"

#include <QAction>

namespace {

TEST(WorkBreakdownPages, ALineThatWouldReachAPageBreakStartsBelowIt) {
  const struct {
    int y;
    int pageHeight;
    int moved;
  } cases[] = {{850, 1000, 850}, {900, 1000, 1100}, {1950, 1000, 2100}, {900, 0, 900}};
  for (const auto& c : cases) EXPECT_EQ(WorkBreakdownForm::GoDown(c.y, 100, c.pageHeight), c.moved) << c.y;
}

// Plant with tasks 1 and 2 and task 4 standing for Fit-out (tasks 1 and 2).
class WorkBreakdown : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    staff = AddTemplate(QStringLiteral("Staff"));
    plant = AddStaffedChain(QStringLiteral("Plant"), staff, {1, 2});
    fitOut = AddStaffedChain(QStringLiteral("Fit-out"), staff, {1, 2});
    Ytask* link = plant->FindOrCreateTask(4);
    link->Description = QStringLiteral("Fit-out");
    link->SetSubproject(fitOut);
    Activate(staff, plant);
  }

  void Open() {
    Solve::SetSolveMode(Solve::ModeIdle);  // the view needs a project, not a solution
    mainForm->Control(QStringLiteral("GraphicsWorkBreakdownMenu"))->trigger();
  }
  static WorkBreakdownForm* Form() {
    return qobject_cast<WorkBreakdownForm*>(Forms::Find(QStringLiteral("WorkBreakdownForm")));
  }
  static QStringList Texts() {
    QStringList texts;
    const Ywindow::GrobList& grobs = Form()->Chart()->Grobs();
    for (int i = 0; i < grobs.Count(); ++i) {
      if (grobs.At(i).Kind == Ywindow::GrobText) texts.append(grobs.At(i).Text);
    }
    return texts;
  }
  static int Boxes(int fill) {
    int count = 0;
    const Ywindow::GrobList& grobs = Form()->Chart()->Grobs();
    for (int i = 0; i < grobs.Count(); ++i) count += grobs.At(i).Kind == Ywindow::GrobBox && grobs.At(i).FillColor == fill;
    return count;
  }

  Ytemplate* staff = nullptr;
  Yproject* plant = nullptr;
  Yproject* fitOut = nullptr;
};

// The project's box lists its own tasks; the subproject gets a box of its own below, its task
// no line under the project.
TEST_F(WorkBreakdown, TheProjectAndEachSubprojectGetAShadowedBoxWithTheirTasks) {
  Open();
  ASSERT_NE(Form(), nullptr);
  EXPECT_EQ(Form()->windowTitle(), QStringLiteral("Work Breakdown Structure for Plant"));
  EXPECT_TRUE(mainForm->Control(QStringLiteral("GraphicsWorkBreakdownMenu"))->isChecked());
  EXPECT_EQ(Boxes(0xFFFFFF), 2);  // Plant and Fit-out
  EXPECT_EQ(Boxes(0), 2);         // their shadows
  const QStringList texts = Texts();
  EXPECT_EQ(texts.count(QStringLiteral("1: Task 1")), 2);
  EXPECT_FALSE(texts.contains(plant->TaskList.Find(QStringLiteral("4"))->BuildNodeText()));
  EXPECT_TRUE(texts.contains(QStringLiteral("Plant")));
  EXPECT_TRUE(texts.contains(QStringLiteral("Fit-out")));
  EXPECT_GT(Form()->PageHeight(), 0);
  SaveScreenshot("wbs.png");
}

// A subproject within a subproject asks how many levels to expand, once while the view is open;
// fewer than two closes the view unshown, saying why.
TEST_F(WorkBreakdown, TooFewLevelsCloseTheViewAndTheAnswerIsAskedOnce) {
  Yproject* wiring = AddStaffedChain(QStringLiteral("Wiring"), staff, {1});
  Ytask* nested = fitOut->FindOrCreateTask(3);
  nested->Description = QStringLiteral("Wiring");
  nested->SetSubproject(wiring);
  prompter.Type(QStringLiteral("1"));
  prompter.Answer(praxel::AnswerOk);
  Open();
  ASSERT_EQ(prompter.Asked().size(), 2);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Enter Number of Levels"));
  EXPECT_EQ(prompter.Asked().at(0).defaultText, QStringLiteral("3"));
  EXPECT_EQ(prompter.Asked().at(1).title, QStringLiteral("Too Few Levels"));
  EXPECT_EQ(Form(), nullptr);
  EXPECT_FALSE(mainForm->Control(QStringLiteral("GraphicsWorkBreakdownMenu"))->isChecked());

  prompter.Type(QStringLiteral("4"));  // expands the nested subproject's tasks too
  Open();
  ASSERT_NE(Form(), nullptr);
  EXPECT_EQ(Form()->LevelLimit(), 2);
  EXPECT_EQ(Texts().count(QStringLiteral("1: Task 1")), 3);
  Form()->Start();  // a redraw keeps the answer
  EXPECT_EQ(prompter.Asked().size(), 3);
}

// An answer of 2 expands nothing below the subprojects' boxes, and is not asked again.
TEST_F(WorkBreakdown, TwoLevelsAreKeptAcrossRedraws) {
  Yproject* wiring = AddStaffedChain(QStringLiteral("Wiring"), staff, {1});
  Ytask* nested = fitOut->FindOrCreateTask(3);
  nested->Description = QStringLiteral("Wiring");
  nested->SetSubproject(wiring);
  prompter.Type(QStringLiteral("2"));
  Open();
  ASSERT_NE(Form(), nullptr);
  EXPECT_EQ(Form()->LevelLimit(), 0);
  Form()->Start();
  EXPECT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(Texts().count(QStringLiteral("1: Task 1")), 2);
}

}  // namespace
