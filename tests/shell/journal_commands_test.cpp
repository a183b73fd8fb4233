// The journal commands: the status bar's journal list, Journal > New and Set as plan. Journals
// move together: the projects under one master and every template follow the active project.

#include "Common.h"
#include "FakeForms.h"
#include "MainForm.h"
#include "Notifications.h"
#include "Pool.h"
#include "ShellFixture.h"
#include "ShortDate.h"
#include "Yproject.h"
#include "Ytemplate.h"

#include <QAction>
#include <QComboBox>

namespace {

// Plant with its subproject Fit-out, and Web shop on its own, all three on journals Day(0) and
// Day(7) with Day(7) current; the templates Staff (the same two journals) and Crew (Day(0) only).
// A chart window records the journal notifications.
class JournalCommands : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    RegisterFake<FakeChart>(QStringLiteral("GanttForm"));
    StartProgram();
    staff = AddTemplate(QStringLiteral("Staff"), true);
    crew = AddTemplate(QStringLiteral("Crew"));
    plant = AddProject(QStringLiteral("Plant"));
    fitOut = AddProject(QStringLiteral("Fit-out"), plant);
    webShop = AddProject(QStringLiteral("Web shop"));
    for (Yproject* project : {plant, fitOut, webShop}) project->AddJournal(Day(7));
    Common::SetThisTemplate(staff);
    Common::SetThisProject(plant);
    Common::BroadcastNewThisTemplate();
    Common::BroadcastNewThisProject();
    Show(QStringLiteral("GanttForm"));
    FormCalls().clear();
  }

  void ChooseJournal(int index) {
    QComboBox* list = mainForm->JournalCombo();
    list->setCurrentIndex(index);
    emit list->activated(index);
  }

  // Journal > New, answered with these texts in turn.
  void NewJournal(const QStringList& answers) {
    for (const QString& answer : answers) prompter.Type(answer);
    mainForm->Control(QStringLiteral("JournalNewMenu"))->trigger();
  }

  static qsizetype JournalNotifications() { return FormCalls().count(QStringLiteral("GanttForm.NewJournal")); }

  Ytemplate* staff = nullptr;
  Ytemplate* crew = nullptr;
  Yproject* plant = nullptr;
  Yproject* fitOut = nullptr;
  Yproject* webShop = nullptr;
};

TEST_F(JournalCommands, TheListShowsTheActiveProjectsJournals) {
  QComboBox* list = mainForm->JournalCombo();
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->itemText(1), plant->JournalNodeText(1));
  EXPECT_EQ(list->currentIndex(), 1);
  EXPECT_TRUE(list->isEnabled());
}

TEST_F(JournalCommands, ChoosingAJournalMovesTheGroupAndEveryTemplateButNotOtherProjects) {
  ChooseJournal(0);
  EXPECT_EQ(plant->Journal(), Day(0));
  EXPECT_EQ(fitOut->Journal(), Day(0));
  EXPECT_EQ(staff->Journal(), Day(0));
  EXPECT_EQ(crew->Journal(), Day(0));
  EXPECT_EQ(webShop->Journal(), Day(7));
  EXPECT_EQ(JournalNotifications(), 1);
  EXPECT_EQ(mainForm->JournalCombo()->currentIndex(), 0);

  ChooseJournal(0);  // the current one: nothing happens
  EXPECT_EQ(JournalNotifications(), 1);
}

TEST_F(JournalCommands, WithOnlyATemplateTheListHoldsItsDatesAndMovesItAlone) {
  Common::SetThisProject(nullptr);
  Common::BroadcastNewThisProject();  // the chart closes with its project
  Show(QStringLiteral("GanttForm"));
  FormCalls().clear();
  QComboBox* list = mainForm->JournalCombo();
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->itemText(0), praxel::ShortDateText(Day(0)));
  ChooseJournal(0);
  EXPECT_EQ(staff->Journal(), Day(0));
  EXPECT_EQ(plant->Journal(), Day(7));
  EXPECT_EQ(JournalNotifications(), 1);
}

TEST_F(JournalCommands, WithNothingLoadedTheListIsOffAndNewWarns) {
  Common::FreeAllMemory();
  Common::BroadcastNewThisProject();
  Common::BroadcastNewThisTemplate();
  EXPECT_EQ(mainForm->JournalCombo()->currentText(), QStringLiteral("<journal n/a>"));
  EXPECT_FALSE(mainForm->JournalCombo()->isEnabled());
  prompter.Answer(praxel::AnswerOk);
  mainForm->Control(QStringLiteral("JournalNewMenu"))->trigger();
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("No Projects in Memory"));
}

TEST_F(JournalCommands, NewAddsTheJournalToTheGroupAndEveryTemplateAndTellsEveryWindow) {
  NewJournal({praxel::ShortDateText(Day(-7))});
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Enter New Journal Date"));
  EXPECT_EQ(prompter.Asked().at(0).text, QStringLiteral("Please enter a new journal date:"));
  for (JournalHolder* holder : std::initializer_list<JournalHolder*>{plant, fitOut, staff, crew}) {
    EXPECT_EQ(holder->JournalDates.first(), Day(-7));
    EXPECT_EQ(holder->Journal(), Day(-7));
  }
  EXPECT_EQ(webShop->NumJournals, 2);
  EXPECT_EQ(mainForm->JournalCombo()->count(), 3);
  EXPECT_EQ(mainForm->JournalCombo()->currentIndex(), 0);
  // The views and the status bar follow the new journal.
  EXPECT_EQ(JournalNotifications(), 1);
}

TEST_F(JournalCommands, NewWithTheActiveDateSaysSoAndChangesNothing) {
  prompter.Answer(praxel::AnswerOk);
  NewJournal({praxel::ShortDateText(Day(7))});
  ASSERT_EQ(prompter.Asked().size(), 2);
  EXPECT_EQ(prompter.Asked().at(1).title, QStringLiteral("Journal Already Active"));
  EXPECT_EQ(prompter.Asked().at(1).text,
            QStringLiteral("The active journal has a date of ") + praxel::ShortDateText(Day(7)) + QStringLiteral("."));
  EXPECT_EQ(plant->NumJournals, 2);
  EXPECT_EQ(JournalNotifications(), 0);
}

TEST_F(JournalCommands, NewWithAnotherJournalsDateMakesThatOneActive) {
  prompter.Answer(praxel::AnswerOk);
  NewJournal({praxel::ShortDateText(Day(0))});
  ASSERT_EQ(prompter.Asked().size(), 2);
  EXPECT_EQ(prompter.Asked().at(1).title, QStringLiteral("Journal Already Exists"));
  EXPECT_EQ(plant->NumJournals, 2);
  EXPECT_EQ(plant->Journal(), Day(0));
  EXPECT_EQ(fitOut->Journal(), Day(0));
  EXPECT_EQ(staff->Journal(), Day(0));
  EXPECT_EQ(mainForm->JournalCombo()->currentIndex(), 0);
  EXPECT_EQ(JournalNotifications(), 1);
}

TEST_F(JournalCommands, NewAsksAgainAfterTextThatIsNoDateAndACancelChangesNothing) {
  NewJournal({QStringLiteral("abc"), QString()});
  ASSERT_EQ(prompter.Asked().size(), 2);
  EXPECT_EQ(prompter.Asked().at(0).defaultText, QString());
  EXPECT_EQ(prompter.Asked().at(1).defaultText, QStringLiteral("abc"));
  EXPECT_EQ(plant->NumJournals, 2);
  EXPECT_EQ(JournalNotifications(), 0);
}

TEST_F(JournalCommands, SetAsPlanMarksTheCurrentJournalOfEveryProjectOfTheGroup) {
  Yproject* wiring = AddProject(QStringLiteral("Wiring"), fitOut);
  wiring->AddJournal(Day(7));
  mainForm->Control(QStringLiteral("JournalSetAsPlanMenu"))->trigger();
  for (const Yproject* project : {plant, fitOut, wiring}) EXPECT_EQ(project->PlanIndex, 1) << project->ProjectName().toStdString();
  EXPECT_EQ(webShop->PlanIndex, 0);
  EXPECT_EQ(JournalNotifications(), 1);
  EXPECT_EQ(mainForm->JournalCombo()->itemText(1), plant->JournalNodeText(1));
}

}  // namespace
