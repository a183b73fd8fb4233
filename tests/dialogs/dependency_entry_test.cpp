#include "DialogFixture.h"

#include "CaseName.h"
#include "Common.h"
#include "DependencyEntryForm.h"
#include "Journals.h"
#include "Notifications.h"
#include "OleDate.h"
#include "Prompter.h"
#include "ShortDate.h"
#include "TreeNodes.h"
#include "TreeView.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Ytask.h"

#include <QColor>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeWidgetItem>

#include <functional>
#include <ostream>
#include <string>

namespace {

// The dependency dialog over the tree model: build (10) waits for survey (2) and for half of
// design (9); fit-out's wire waits for build.
class DependencyEntry : public DialogTest {
 public:
  using DialogTest::Choose;
  using DialogTest::Field;
  using DialogTest::Fill;

  // Opens the dialog on a new dependency of the task, through the toolbar button.
  DependencyEntryForm* Add(Ytask* task) {
    Press(NodeOf(task));
    Click(QStringLiteral("Dependency"));
    return Open<DependencyEntryForm>("DependencyEntryForm");
  }
  // Opens the dialog on the dependency, through the popup's Modify.
  DependencyEntryForm* ModifyDependency(Ydependency* dependency) {
    NodeOf(dependency->Task())->setExpanded(true);
    Press(NodeOf(dependency));
    Modify();
    return Open<DependencyEntryForm>("DependencyEntryForm");
  }

  static QRadioButton* Option(QWidget* form, const char* name) { return Field<QRadioButton>(form, name); }
  static QScrollBar* Bar(QWidget* form, const char* name) { return Field<QScrollBar>(form, name); }
  static QComboBox* List(QWidget* form, const char* name) { return Field<QComboBox>(form, name); }
  static QString Sentence(QWidget* form) { return Field<QLabel>(form, "SentenceText")->text(); }
  // The checked quick option's code; "" when none is.
  static QString QuickCode(QWidget* form) {
    QString checked;
    for (QRadioButton* option : form->findChildren<QRadioButton*>()) {
      if (option->objectName().startsWith(QLatin1String("QuickOption")) && option->isChecked()) {
        checked += option->text();
      }
    }
    return checked;
  }
  // Chooses a prerequisite task of Plant.
  static void ChooseTask(QWidget* form, const Ytask* task) {
    Option(form, "TaskOption")->click();
    Choose(List(form, "ProjectRequiredCombo"), task->Project()->BuildNodeText());
    Choose(List(form, "TaskRequiredCombo"), task->BuildNodeText());
  }
  Ytask* PlantTask(int id) const { return plant->TaskList.Find(QString::number(id)); }
  // The tasks that a task waits for, in its list's order (none for a date dependency).
  static QList<const Ytask*> Required(const Ytask* task) {
    QList<const Ytask*> required;
    for (const Ydependency* dependency : task->DependencyList) required.append(dependency->TaskRequired());
    return required;
  }
};

TEST_F(DependencyEntry, AddingNeedsASelectedTask) {
  const auto expectRefused = [&](const char* what) {
    SCOPED_TRACE(what);
    prompter.Answer(praxel::AnswerOk);
    Click(QStringLiteral("Dependency"));
    EXPECT_EQ(Open<DependencyEntryForm>("DependencyEntryForm"), nullptr);
    EXPECT_EQ(Messages().last(), QStringLiteral("No Task Selected: Please click on a task first."));
  };
  expectRefused("no node");
  NodeOf(build)->setExpanded(true);
  Press(NodeOf(buildAfterSurvey));
  expectRefused("a dependency's node");
  Press(NodeOf(plant));
  expectRefused("a project's node");
  EXPECT_EQ(build->DependencyList.Count(), 2);
}

TEST_F(DependencyEntry, ANewDependencyOpensAsADateDependencyOnTheJournalDate) {
  DependencyEntryForm* form = Add(build);
  ASSERT_NE(form, nullptr);
  const QString journal = praxel::DateTimeText(plant->Journal());
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Dependency Entry"));
  EXPECT_TRUE(Option(form, "DateOption")->isChecked());
  EXPECT_EQ(Field<QLineEdit>(form, "DateText")->text(), journal);
  EXPECT_TRUE(Option(form, "OffsetOption0")->isChecked());
  EXPECT_TRUE(Option(form, "ToOption0")->isChecked());
  for (const char* control : {"FromOption0", "FromOption1", "FromOption2"}) {
    EXPECT_FALSE(Option(form, control)->isEnabled()) << control;
  }
  EXPECT_FALSE(Bar(form, "FromScroll")->isEnabled());
  EXPECT_EQ(QuickCode(form), QStringLiteral("DS"));
  EXPECT_EQ(Sentence(form), QStringLiteral("10: Build cannot start until prerequisite date ") + journal + QLatin1Char('.'));
  // The boxes in use are white, the others grey; all stay enabled.
  const auto back = [&](const char* control) {
    QWidget* field = Field<QWidget>(form, control);
    EXPECT_TRUE(field->isEnabled()) << control;
    return field->palette().color(QPalette::Base);
  };
  EXPECT_EQ(back("DateText"), QColor(Qt::white));
  for (const char* unused : {"OffsetText", "TaskRequiredCombo", "ProjectRequiredCombo"}) {
    EXPECT_EQ(back(unused), QColor(0xC0, 0xC0, 0xC0)) << unused;
  }
  Option(form, "QuickOption0")->click();  // FS
  EXPECT_EQ(back("DateText"), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(back("TaskRequiredCombo"), QColor(Qt::white));
  EXPECT_EQ(back("ProjectRequiredCombo"), QColor(Qt::white));
}

TEST_F(DependencyEntry, PartialToPartialMovesBothBarsToHalf) {
  DependencyEntryForm* form = Add(build);
  ASSERT_NE(form, nullptr);
  Option(form, "QuickOption11")->click();
  EXPECT_TRUE(Option(form, "TaskOption")->isChecked());
  EXPECT_EQ(Bar(form, "FromScroll")->value(), 50);
  EXPECT_EQ(Bar(form, "ToScroll")->value(), 50);
  EXPECT_EQ(Option(form, "ToOption1")->text(), QStringLiteral("proceed beyond 50%"));
  EXPECT_EQ(Option(form, "FromOption1")->text(), QStringLiteral("is 50% complete"));
  EXPECT_TRUE(Option(form, "FromOption1")->isEnabled());

  // A partial point that already stands off the ends keeps its value.
  Bar(form, "FromScroll")->setValue(30);
  Option(form, "QuickOption6")->click();  // PS
  EXPECT_EQ(Bar(form, "FromScroll")->value(), 30);
  EXPECT_EQ(Bar(form, "ToScroll")->value(), 0);
}

TEST_F(DependencyEntry, DraggingABarSelectsThePartialOptionAndItsQuickOption) {
  DependencyEntryForm* form = Add(build);
  ASSERT_NE(form, nullptr);
  Option(form, "QuickOption0")->click();  // FS
  Bar(form, "FromScroll")->setValue(30);
  EXPECT_TRUE(Option(form, "FromOption1")->isChecked());
  EXPECT_EQ(Option(form, "FromOption1")->text(), QStringLiteral("is 30% complete"));
  EXPECT_EQ(QuickCode(form), QStringLiteral("PS"));
  Bar(form, "ToScroll")->setValue(100);
  EXPECT_TRUE(Option(form, "ToOption2")->isChecked());
  EXPECT_EQ(QuickCode(form), QStringLiteral("PF"));
  // An option moves its bar to its end.
  Option(form, "FromOption0")->click();
  EXPECT_EQ(Bar(form, "FromScroll")->value(), 0);
  EXPECT_EQ(QuickCode(form), QStringLiteral("SF"));
}

// Each quick option selects the options of its two sides, and exactly that quick option stays
// selected once the screen has followed.
TEST_F(DependencyEntry, EveryQuickOptionSelectsItsTwoSides) {
  DependencyEntryForm* form = Add(build);
  ASSERT_NE(form, nullptr);
  for (int index = 0; index < int(DependencyChoices::kQuickOptions.size()); ++index) {
    const QString code = QString::fromLatin1(DependencyChoices::kQuickOptions[index].code);
    SCOPED_TRACE(code.toStdString());
    Option(form, ("QuickOption" + std::to_string(index)).c_str())->click();
    EXPECT_EQ(QuickCode(form), code);
    const bool date = code.at(0) == QLatin1Char('D');
    EXPECT_EQ(Option(form, "DateOption")->isChecked(), date);
    const QString sides = QStringLiteral("SPF");
    const std::string to = "ToOption" + std::to_string(sides.indexOf(code.at(1)));
    EXPECT_TRUE(Option(form, to.c_str())->isChecked());
    if (!date) {
      const std::string from = "FromOption" + std::to_string(sides.indexOf(code.at(0)));
      EXPECT_TRUE(Option(form, from.c_str())->isChecked());
    }
  }
}

TEST_F(DependencyEntry, TheSentenceReadsTheDependencyOfTheSelectedNode) {
  buildAfterSurvey->SetOffset(2);
  DependencyEntryForm* form = ModifyDependency(buildAfterSurvey);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Sentence(form), QStringLiteral("10: Build cannot start until 2 days after prerequisite task 2: Survey finishes."));
  // The offset text rebuilds it at once; a typed date waits for the next change of the screen.
  Fill(form, "OffsetText", QStringLiteral("3 hours"));
  Option(form, "OffsetOption1")->click();
  EXPECT_EQ(Sentence(form), QStringLiteral("10: Build cannot start until 3 hours before prerequisite task 2: Survey finishes."));
  Option(form, "QuickOption5")->click();  // DF
  Fill(form, "DateText", praxel::DateTimeText(Day(31)));
  EXPECT_EQ(Sentence(form), QStringLiteral("10: Build cannot finish until 3 hours before prerequisite date ."));
  Bar(form, "ToScroll")->setValue(40);
  EXPECT_EQ(Sentence(form), QStringLiteral("10: Build cannot proceed beyond 40% until 3 hours before prerequisite date ") +
                                praxel::DateTimeText(Day(31)) + QLatin1Char('.'));
}

TEST_F(DependencyEntry, AnExistingDependencyReopensWithItsValues) {
  buildAfterDesign->SetOffset(-2);
  buildAfterDesign->SetToPercent(100);
  DependencyEntryForm* form = ModifyDependency(buildAfterDesign);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(Option(form, "TaskOption")->isChecked());
  EXPECT_EQ(List(form, "ProjectRequiredCombo")->currentText(), QStringLiteral("Plant: Pump house"));
  EXPECT_EQ(List(form, "TaskRequiredCombo")->currentText(), QStringLiteral("9: Design"));
  EXPECT_TRUE(Option(form, "OffsetOption1")->isChecked());
  EXPECT_EQ(Field<QLineEdit>(form, "OffsetText")->text(), QStringLiteral("2 days"));
  EXPECT_EQ(Bar(form, "FromScroll")->value(), 50);
  EXPECT_EQ(QuickCode(form), QStringLiteral("PF"));
}

TEST_F(DependencyEntry, TheTaskListOffersTheProjectsTasksOfTheCurrentJournal) {
  commission->SetInclude(false);  // left out of the current journal
  DependencyEntryForm* form = Add(build);
  ASSERT_NE(form, nullptr);
  QComboBox* projects = List(form, "ProjectRequiredCombo");
  EXPECT_EQ(Entries(projects), QStringList({QStringLiteral("Plant: Pump house"), QStringLiteral("Fit-out")}));
  Option(form, "TaskOption")->click();
  Choose(projects, QStringLiteral("Plant: Pump house"));
  QComboBox* tasks = List(form, "TaskRequiredCombo");
  EXPECT_EQ(Entries(tasks), QStringList({QStringLiteral("2: Survey"), QStringLiteral("4: Fit-out"),
                                         QStringLiteral("9: Design"), QStringLiteral("10: Build")}));
  EXPECT_EQ(tasks->currentText(), QString());
}

TEST_F(DependencyEntry, OkAttachesANewTaskDependencyAndShowsIt) {
  DependencyEntryForm* form = Add(commission);
  ASSERT_NE(form, nullptr);
  Option(form, "QuickOption2")->click();  // SS
  ChooseTask(form, build);
  Option(form, "OffsetOption2")->click();
  EXPECT_EQ(Field<QLineEdit>(form, "OffsetText")->text(), QStringLiteral("0 days"));
  Fill(form, "OffsetText", QStringLiteral("3 hours"));
  PressOk(form);
  EXPECT_EQ(Open<DependencyEntryForm>("DependencyEntryForm"), nullptr);
  ASSERT_EQ(commission->DependencyList.Count(), 2);
  const Ydependency* added = commission->DependencyList.Items().last();
  EXPECT_EQ(added->TaskRequired(), build);
  EXPECT_EQ(added->FromPercent(), 0);
  EXPECT_EQ(added->ToPercent(), 0);
  EXPECT_DOUBLE_EQ(added->Offset(), 0.125);
  // From the current journal on.
  EXPECT_FALSE(added->IncludeField().In(0));
  EXPECT_TRUE(added->Include());
  EXPECT_TRUE(plant->Dirty());
  EXPECT_TRUE(SolveRequested());
  QTreeWidgetItem* node = NodeOf(added);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->text(0), QStringLiteral("SS: 10: Build + 3 hours"));
}

TEST_F(DependencyEntry, OffsetsAreStoredBeforeOrAfterInDays) {
  struct Case {
    const char* option;
    const char* text;
    double offset;
  };
  for (const Case& c : {Case{"OffsetOption2", "3 hours", 0.125}, Case{"OffsetOption1", "3 hours", -0.125},
                        Case{"OffsetOption0", "5 days", 0.0}, Case{"OffsetOption2", "0 days", 0.0}}) {
    SCOPED_TRACE(std::string(c.option) + " " + c.text);
    DependencyEntryForm* form = ModifyDependency(buildAfterSurvey);
    ASSERT_NE(form, nullptr);
    Option(form, c.option)->click();
    Fill(form, "OffsetText", QString::fromLatin1(c.text));
    PressOk(form);
    EXPECT_EQ(Open<DependencyEntryForm>("DependencyEntryForm"), nullptr);
    EXPECT_DOUBLE_EQ(buildAfterSurvey->Offset(), c.offset);
  }
  // "0 days after" is no offset, and reopens as such.
  DependencyEntryForm* form = ModifyDependency(buildAfterSurvey);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(Option(form, "OffsetOption0")->isChecked());
  EXPECT_EQ(Field<QLineEdit>(form, "OffsetText")->text(), QString());
}

TEST_F(DependencyEntry, ModifyStoresTheChangeAndRenamesTheNode) {
  NodeOf(build)->setExpanded(true);
  DoubleClick(NodeOf(buildAfterSurvey));
  auto* form = Open<DependencyEntryForm>("DependencyEntryForm");
  ASSERT_NE(form, nullptr);
  EXPECT_FALSE(form->Adding());
  Option(form, "QuickOption1")->click();  // FF
  PressOk(form);
  EXPECT_EQ(buildAfterSurvey->FromPercent(), 100);
  EXPECT_EQ(buildAfterSurvey->ToPercent(), 100);
  EXPECT_EQ(buildAfterSurvey->TaskRequired(), survey);
  EXPECT_EQ(NodeOf(buildAfterSurvey)->text(0), QStringLiteral("FF: 2: Survey"));
  EXPECT_TRUE(plant->Dirty());

  // A task dependency turned into a date dependency forgets its task.
  form = ModifyDependency(buildAfterSurvey);
  ASSERT_NE(form, nullptr);
  Option(form, "QuickOption4")->click();  // DS
  Fill(form, "DateText", praxel::DateTimeText(Day(31)));
  PressOk(form);
  EXPECT_EQ(buildAfterSurvey->TaskRequired(), nullptr);
  EXPECT_EQ(buildAfterSurvey->DepDate(), Day(31));
  EXPECT_EQ(NodeOf(buildAfterSurvey)->text(0), praxel::DateTimeText(Day(31)));
}

TEST_F(DependencyEntry, CancelAndTheNotificationsLeaveNoTrace) {
  const QStringList before = Outline(ProjectTreeView());
  DependencyEntryForm* form = Add(build);
  ASSERT_NE(form, nullptr);
  ChooseTask(form, commission);
  PressCancel(form);
  EXPECT_EQ(Open<DependencyEntryForm>("DependencyEntryForm"), nullptr);

  for (const auto& notify : {Common::BroadcastNewJournal, Common::BroadcastNewThisProject}) {
    form = Add(build);
    ASSERT_NE(form, nullptr);
    ChooseTask(form, commission);
    notify();
    EXPECT_EQ(Open<DependencyEntryForm>("DependencyEntryForm"), nullptr);
  }
  EXPECT_EQ(Required(build), QList<const Ytask*>({survey, design}));
  EXPECT_EQ(Outline(ProjectTreeView()), before);
  EXPECT_FALSE(plant->Dirty());
}

// ---------------------------------------------------------------------------------------------
// Refused entries: each is checked before anything is stored, with a message that names it; the
// dialog stays open, a new dependency is not attached and an edited one keeps its values.

struct RefusalRow {
  const char* name;
  std::function<void(QWidget*, const DependencyEntry&)> fill;
  const char* message;  // "Title: text"
};
void PrintTo(const RefusalRow& row, std::ostream* out) { *out << row.name; }

class DependencyRefusal : public DependencyEntry, public testing::WithParamInterface<RefusalRow> {
 protected:
  void ExpectRefused(DependencyEntryForm* form) {
    ASSERT_NE(form, nullptr);
    GetParam().fill(form, *this);
    prompter.Answer(praxel::AnswerOk);
    PressOk(form);
    ASSERT_FALSE(prompter.Asked().isEmpty());
    const QString today = praxel::DateTimeText(praxel::ToOleDate(QDate::currentDate()));
    EXPECT_EQ(Messages().last(), QString::fromUtf8(GetParam().message).replace(QStringLiteral("{today}"), today));
    EXPECT_EQ(praxel::IconOf(prompter.Asked().last().style), praxel::MsgExclamation);
    EXPECT_EQ(Open<DependencyEntryForm>("DependencyEntryForm"), form);
    EXPECT_FALSE(plant->Dirty());
    EXPECT_FALSE(fitOut->Dirty());
    EXPECT_FALSE(SolveRequested());
  }
};

TEST_P(DependencyRefusal, AddingAttachesNothing) {
  const QStringList before = Outline(ProjectTreeView());
  ExpectRefused(Add(build));
  EXPECT_EQ(Required(build), QList<const Ytask*>({survey, design}));
  PressCancel(Open<DependencyEntryForm>("DependencyEntryForm"));
  EXPECT_EQ(Required(build), QList<const Ytask*>({survey, design}));
  EXPECT_EQ(Outline(ProjectTreeView()), before);
}

TEST_P(DependencyRefusal, ModifyingChangesNothing) {
  ExpectRefused(ModifyDependency(buildAfterDesign));
  EXPECT_EQ(buildAfterDesign->TaskRequired(), design);
  EXPECT_EQ(buildAfterDesign->FromPercent(), 50);
  EXPECT_EQ(buildAfterDesign->ToPercent(), 0);
  EXPECT_EQ(buildAfterDesign->Offset(), 0.0);
  EXPECT_EQ(NodeOf(buildAfterDesign)->text(0), QStringLiteral("PS: 9: Design"));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, DependencyRefusal,
    testing::Values(
        RefusalRow{"DateThatIsNoDate",
                   [](QWidget* form, const DependencyEntry& t) {
                     t.Field<QRadioButton>(form, "QuickOption4")->click();
                     t.Fill(form, "DateText", QStringLiteral("13/45/2024"));
                   },
                   "Invalid Date: The prerequisite date must be a date, such as {today}."},
        RefusalRow{"ProjectNotLoaded",
                   [](QWidget* form, const DependencyEntry& t) {
                     t.Field<QRadioButton>(form, "TaskOption")->click();
                     t.Field<QComboBox>(form, "ProjectRequiredCombo")->setEditText(QStringLiteral("Mill"));
                   },
                   "Invalid Project: No loaded project is called \"Mill\". Please choose the project of the "
                   "prerequisite task from the list."},
        RefusalRow{"NoProjectChosen",
                   [](QWidget* form, const DependencyEntry& t) {
                     t.Field<QRadioButton>(form, "QuickOption0")->click();
                     t.Field<QComboBox>(form, "ProjectRequiredCombo")->setEditText(QString());
                   },
                   "Invalid Project: Please choose the project of the prerequisite task."},
        RefusalRow{"TaskNotInTheProject",
                   [](QWidget* form, const DependencyEntry& t) {
                     t.Field<QRadioButton>(form, "TaskOption")->click();
                     t.Choose(t.Field<QComboBox>(form, "ProjectRequiredCombo"), QStringLiteral("Fit-out"));
                     t.Field<QComboBox>(form, "TaskRequiredCombo")->setEditText(QStringLiteral("9: Design"));
                   },
                   "Invalid Task: Fit-out has no task \"9: Design\" in its current journal. Please choose the "
                   "prerequisite task from the list."},
        RefusalRow{"TaskLeftOutOfTheJournal",
                   [](QWidget* form, const DependencyEntry& t) {
                     t.PlantTask(12)->SetInclude(false);
                     t.Field<QRadioButton>(form, "TaskOption")->click();
                     t.Choose(t.Field<QComboBox>(form, "ProjectRequiredCombo"), QStringLiteral("Plant: Pump house"));
                     t.Field<QComboBox>(form, "TaskRequiredCombo")->setEditText(QStringLiteral("12: Commission"));
                   },
                   "Invalid Task: Plant has no task \"12: Commission\" in its current journal. Please choose the "
                   "prerequisite task from the list."},
        RefusalRow{"NoTaskChosen",
                   [](QWidget* form, const DependencyEntry& t) {
                     t.Field<QRadioButton>(form, "TaskOption")->click();
                     t.Choose(t.Field<QComboBox>(form, "ProjectRequiredCombo"), QStringLiteral("Plant: Pump house"));
                   },
                   "Invalid Task: Please choose the prerequisite task."},
        RefusalRow{"TheTaskItself",
                   [](QWidget* form, const DependencyEntry& t) { t.ChooseTask(form, t.PlantTask(10)); },
                   "Circular Dependency: A task cannot depend on itself."},
        RefusalRow{"ATaskThatWaitsForIt",
                   [](QWidget* form, const DependencyEntry& t) {
                     t.Field<QRadioButton>(form, "TaskOption")->click();
                     t.Choose(t.Field<QComboBox>(form, "ProjectRequiredCombo"), QStringLiteral("Fit-out"));
                     t.Choose(t.Field<QComboBox>(form, "TaskRequiredCombo"), QStringLiteral("2: Paint"));
                   },
                   "Circular Dependency: (Fit-out) 2: Paint already depends on 10: Build, directly or through "
                   "other tasks.\n\nMaking 10: Build depend on (Fit-out) 2: Paint would close a circle of "
                   "dependencies."},
        RefusalRow{"OffsetWithAnUnknownUnit",
                   [](QWidget* form, const DependencyEntry& t) {
                     t.Field<QRadioButton>(form, "OffsetOption2")->click();
                     t.Fill(form, "OffsetText", QStringLiteral("2 fortnights"));
                   },
                   "Invalid Offset: \"2 fortnights\" is not a duration. Please type the offset as a number and a "
                   "unit, such as 2 days, 3 hours or 1 week."},
        RefusalRow{"OffsetOfTwoDurations",
                   [](QWidget* form, const DependencyEntry& t) {
                     t.Field<QRadioButton>(form, "OffsetOption1")->click();
                     t.Fill(form, "OffsetText", QStringLiteral("2 days 3 hours"));
                   },
                   "Invalid Offset: \"2 days 3 hours\" is not a duration. Please type the offset as a number and "
                   "a unit, such as 2 days, 3 hours or 1 week."},
        RefusalRow{"OffsetBeyondTheCalendar",
                   [](QWidget* form, const DependencyEntry& t) {
                     t.Field<QRadioButton>(form, "OffsetOption2")->click();
                     t.Fill(form, "OffsetText", QStringLiteral("200000 months"));
                   },
                   "Invalid Offset: An offset of 200000 months would carry the prerequisite beyond every date "
                   "from the year 100 to the year 9999."}),
    testsupport::CaseName());

}  // namespace
