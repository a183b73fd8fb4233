#include "Common.h"
#include "ErrTrap.h"
#include "Pool.h"
#include "ScriptedPrompter.h"
#include "SolveState.h"
#include "TestSupport.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytemplate.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <initializer_list>
#include <limits>

using namespace Common;
using praxel::Currency;

namespace {

constexpr double kJanuary = 45292.0;  // four journal dates, a month apart
constexpr double kFebruary = 45323.0;
constexpr double kMarch = 45352.0;
constexpr double kApril = 45383.0;

class TemplateTest : public testing::Test {
 protected:
  void SetUp() override {
    FreeAllMemory();
    Solve::SetSolveMode(Solve::ModeIdle);
  }
  void TearDown() override {
    FreeAllMemory();
    Solve::SetSolveMode(Solve::ModeIdle);
    EXPECT_TRUE(prompter.AllAnswered());
  }

  static Ytemplate* NewTemplate(const QString& name) {
    auto* templ = NewY<Ytemplate>(ytTemplate);
    templ->SetTemplateName(name);
    return templ;
  }
  // A template with four journals and the third one (index 2) current.
  static Ytemplate* JournaledTemplate(const QString& name) {
    Ytemplate* templ = NewTemplate(name);
    for (double date : {kJanuary, kFebruary, kMarch, kApril}) templ->AddJournal(date);
    templ->SetJournal(kMarch);
    return templ;
  }
  static Yresource* NewResource(Ytemplate* templ, int id) {
    auto* resource = NewY<Yresource>(ytResource);
    resource->SetTemplate(templ);
    resource->SetResourceID(id);
    return resource;
  }
  static QStringList Keys(const Ytemplate* templ) {
    QStringList keys;
    for (const Yresource* resource : templ->ResourceList) keys << resource->Key();
    return keys;
  }
  static QStringList Ids(std::initializer_list<int> ids) {
    QStringList keys;
    for (int id : ids) keys << QString::number(id);
    return keys;
  }
  static QStringList ShiftNames(const Ytemplate* templ) {
    QStringList names;
    for (const Yshift* shift : templ->ShiftList) names << shift->ShiftName();
    return names;
  }
  // Include in each of the template's journals, current journal left as it was.
  static QList<bool> IncludeByJournal(Ytemplate* templ, const Yresource* resource) {
    const int current = templ->CurrentIndex;
    QList<bool> present;
    for (int i = 0; i < templ->NumJournals; ++i) {
      templ->CurrentIndex = i;
      present << resource->Include();
    }
    templ->CurrentIndex = current;
    return present;
  }
  QString OnlyQuestion() const {
    EXPECT_EQ(prompter.Asked().size(), 1);
    return prompter.Asked().isEmpty() ? QString() : prompter.Asked().first().text;
  }

  testsupport::ScriptedPrompter prompter;
};

// ---- Shifts ----

TEST_F(TemplateTest, ShiftNormalHoursCountsNormalCellsToTheTenth) {
  const QString idle(12, QLatin1Char('X'));
  const struct {
    const char* name;
    QList<QString> hours;  // from hour 0; the rest of the day is overload
    float expected;
  } cases[] = {
      {"three cells, a quarter hour", {QStringLiteral("NNNXXXXXXXXX")}, 0.3f},
      {"nine cells", {QStringLiteral("NNNNNNXXXNNN")}, 0.8f},
      {"no normal time", {QStringLiteral("OOOOOOBBBBBB")}, 0.0f},
      {"only twelve cells of an hour count", {QStringLiteral("NNNNNNNNNNNNNNNNNN")}, 1.0f},
      {"a short hour has no cells past its end", {QStringLiteral("NNNNNN"), QStringLiteral("NNNNNN")}, 1.0f},
      {"halves round up: fifteen cells", {QStringLiteral("NNNNNNNNNNNN"), QStringLiteral("NNNXXXXXXXXX")}, 1.3f},
  };
  Yshift* shift = NewTemplate(QStringLiteral("Plant"))->FindOrCreateShift(QStringLiteral("Custom"));
  EXPECT_FLOAT_EQ(shift->NormalHours(), 8.0f);  // the standard day
  for (const auto& c : cases) {
    for (int hour = 0; hour < Yshift::kHours; ++hour) {
      shift->SetMatrix(hour, hour < c.hours.size() ? c.hours[hour] : idle);
    }
    EXPECT_FLOAT_EQ(shift->NormalHours(), c.expected) << c.name;
  }
}

TEST_F(TemplateTest, NewShiftHasTheStandardDayAndDefaultMultipliers) {
  Yshift* shift = NewTemplate(QStringLiteral("Plant"))->FindOrCreateShift(QStringLiteral("Standard"));
  const QString expected = QStringLiteral("XXXXXXXX") + QStringLiteral("NNNN") + QStringLiteral("B") +
                           QStringLiteral("NNNN") + QStringLiteral("OOOO") + QStringLiteral("XXX");
  for (int hour = 0; hour < Yshift::kHours; ++hour) {
    EXPECT_EQ(shift->Matrix(hour), QString(12, expected.at(hour))) << hour;
  }
  EXPECT_FLOAT_EQ(shift->BurdenedMultiplier, 1.5f);
  EXPECT_FLOAT_EQ(shift->OvertimeMultiplier, 1.5f);
  EXPECT_FLOAT_EQ(shift->OffDayMultiplier, 2.0f);
  EXPECT_EQ(shift->HolidayMultiplier, QStringLiteral("3"));
  EXPECT_EQ(shift->BuildNodeText(), QStringLiteral("Standard"));
  EXPECT_EQ(shift->Tag(), QStringLiteral("hStandard"));
  EXPECT_EQ(shift->Ytype(), ytShift);
}

TEST_F(TemplateTest, DeletedShiftLeavesItsTemplateAndRenamedShiftMovesToTheEnd) {
  Ytemplate* templ = NewTemplate(QStringLiteral("Plant"));
  for (const char* name : {"Day", "Night", "Weekend"}) templ->FindOrCreateShift(QLatin1String(name));
  Yshift* night = templ->ShiftList.Find(QStringLiteral("Night"));
  night->Delete();
  EXPECT_EQ(night->ShiftName(), QString());
  EXPECT_EQ(night->Template, nullptr);
  EXPECT_EQ(ShiftNames(templ), QStringList({QStringLiteral("Day"), QStringLiteral("Weekend")}));

  // Renaming the first shift changes which shift a newly attached resource works.
  templ->ShiftList.Find(QStringLiteral("Day"))->SetShiftName(QStringLiteral("Early"));
  EXPECT_EQ(ShiftNames(templ), QStringList({QStringLiteral("Weekend"), QStringLiteral("Early")}));
  EXPECT_EQ(templ->ShiftList.Find(QStringLiteral("Day")), nullptr);
  EXPECT_EQ(NewResource(templ, 1)->Shift()->ShiftName(), QStringLiteral("Weekend"));
}

TEST_F(TemplateTest, ShiftNameInUseIsRefused) {
  Ytemplate* templ = NewTemplate(QStringLiteral("Plant"));
  Yshift* day = templ->FindOrCreateShift(QStringLiteral("Day"));
  templ->FindOrCreateShift(QStringLiteral("Night"));
  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(day->SetShiftName(QStringLiteral("night")), ErrTrap::CallChain);  // keys ignore case
  EXPECT_EQ(OnlyQuestion(), QStringLiteral("Internal error 10000: The Shift name \"night\" is already in use."));
  EXPECT_EQ(day->ShiftName(), QStringLiteral("Day"));
  EXPECT_EQ(ShiftNames(templ), QStringList({QStringLiteral("Day"), QStringLiteral("Night")}));
}

TEST_F(TemplateTest, MatrixAndWorkDayRefuseAnIndexOutOfRange) {
  Ytemplate* templ = NewTemplate(QStringLiteral("Plant"));
  Yshift* shift = templ->FindOrCreateShift(QStringLiteral("Day"));
  Yresource* resource = NewResource(templ, 1);
  prompter.Answer(praxel::AnswerIgnore);
  prompter.Answer(praxel::AnswerIgnore);
  prompter.Answer(praxel::AnswerIgnore);
  EXPECT_EQ(shift->Matrix(24), QString());
  shift->SetMatrix(-1, QStringLiteral("NNNNNNNNNNNN"));
  EXPECT_FALSE(resource->WorkDay(9));
  ASSERT_EQ(prompter.Asked().size(), 3);
  for (const auto& question : prompter.Asked()) {
    EXPECT_EQ(question.text, QStringLiteral("Internal error 9: Subscript out of range"));
  }
  EXPECT_FLOAT_EQ(shift->NormalHours(), 8.0f);
}

// ---- Resources ----

TEST_F(TemplateTest, NewResourceHasItsDefaultsAndCaptions) {
  Ytemplate* templ = NewTemplate(QStringLiteral("Plant"));
  Yresource* resource = NewResource(templ, 12);
  EXPECT_EQ(resource->BuildNodeText(), QStringLiteral("12"));
  resource->Description = QStringLiteral("Welder");
  EXPECT_EQ(resource->BuildNodeText(), QStringLiteral("12: Welder"));
  EXPECT_EQ(resource->Key(), QStringLiteral("12"));
  EXPECT_EQ(resource->Tag(), QStringLiteral("r12"));
  EXPECT_EQ(resource->Ytype(), ytResource);
  EXPECT_TRUE(resource->Include());
  EXPECT_EQ(resource->Department(), QStringLiteral("None"));
  EXPECT_EQ(resource->Title(), QString());
  EXPECT_EQ(resource->BurdenedRate(), Currency());
  EXPECT_EQ(resource->HolidayRate(), Currency());
  EXPECT_EQ(resource->Shift(), nullptr);  // the template has no shift
  for (int kind = 0; kind < Yresource::kDayKinds; ++kind) {
    EXPECT_EQ(resource->WorkDay(kind), kind >= 2 && kind <= 6) << kind;  // Monday to Friday
  }
}

TEST_F(TemplateTest, DepartmentIsTrimmedAndEmptyMeansNone) {
  const struct {
    const char* typed;
    const char* stored;
  } cases[] = {
      {"  Design  ", "Design"}, {"   ", "None"}, {"", "None"}, {"Tool Room", "Tool Room"}, {" R&D", "R&D"},
  };
  Yresource* resource = NewResource(NewTemplate(QStringLiteral("Plant")), 1);
  for (const auto& c : cases) {
    resource->SetDepartment(QLatin1String(c.typed));
    EXPECT_EQ(resource->Department(), QLatin1String(c.stored)) << c.typed;
  }
}

TEST_F(TemplateTest, ResourceIdInUseIsRefusedAndTheListIsUnchanged) {
  Ytemplate* templ = NewTemplate(QStringLiteral("Plant"));
  NewResource(templ, 3);
  Yresource* five = NewResource(templ, 5);
  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(five->SetResourceID(3), ErrTrap::CallChain);
  EXPECT_EQ(OnlyQuestion(), QStringLiteral("Internal error 10000: The Resource ID 3 is already in use."));
  EXPECT_EQ(five->ResourceID(), 5);
  EXPECT_EQ(Keys(templ), Ids({3, 5}));
  EXPECT_EQ(templ->ResourceList.Find(QStringLiteral("5")), five);
}

TEST_F(TemplateTest, ResourcesStayInAscendingIdOrder) {
  Ytemplate* templ = NewTemplate(QStringLiteral("Plant"));
  for (int id : {15, 3, 9, 5}) NewResource(templ, id);
  EXPECT_EQ(Keys(templ), Ids({3, 5, 9, 15}));

  Yresource* five = templ->ResourceList.Find(QStringLiteral("5"));
  five->SetResourceID(12);
  EXPECT_EQ(Keys(templ), Ids({3, 9, 12, 15}));
  EXPECT_EQ(templ->ResourceList.Find(QStringLiteral("12")), five);
  EXPECT_EQ(templ->ResourceList.Find(QStringLiteral("5")), nullptr);
  EXPECT_EQ(five->Tag(), QStringLiteral("r12"));

  // ID 0 takes the resource out of the template altogether.
  five->SetResourceID(0);
  EXPECT_EQ(Keys(templ), Ids({3, 9, 15}));
  EXPECT_EQ(five->Template(), nullptr);
}

TEST_F(TemplateTest, HighestResourceIdCountsOnlyIncludedResources) {
  Ytemplate* templ = NewTemplate(QStringLiteral("Plant"));
  EXPECT_EQ(templ->HighestResourceID(), 0);
  for (int id : {3, 9, 15}) NewResource(templ, id);
  EXPECT_EQ(templ->HighestResourceID(), 15);
  templ->ResourceList.Find(QStringLiteral("15"))->Delete();
  EXPECT_EQ(templ->HighestResourceID(), 9);
  for (int id : {3, 9}) templ->ResourceList.Find(QString::number(id))->Delete();
  EXPECT_EQ(templ->HighestResourceID(), 0);
}

// The ID offered to a new resource must be one the template accepts: a resource absent from the
// current journal still holds its ID.
TEST_F(TemplateTest, NextResourceIdIsAboveEveryFiledResource) {
  Ytemplate* templ = NewTemplate(QStringLiteral("Plant"));
  EXPECT_EQ(templ->NextResourceID(), 1);
  for (int id : {7, 3}) NewResource(templ, id);
  EXPECT_EQ(templ->NextResourceID(), 8);
  templ->ResourceList.Find(QStringLiteral("7"))->Delete();
  EXPECT_EQ(templ->HighestResourceID(), 3);
  EXPECT_EQ(templ->NextResourceID(), 8);
  Yresource* offered = NewResource(templ, templ->NextResourceID());
  EXPECT_EQ(Keys(templ), Ids({3, 7, 8}));
  EXPECT_EQ(offered->ResourceID(), 8);
}

TEST_F(TemplateTest, NextResourceIdPastTheLargestIdIsOverflow) {
  Ytemplate* templ = NewTemplate(QStringLiteral("Plant"));
  NewResource(templ, std::numeric_limits<int>::max());
  prompter.Answer(praxel::AnswerIgnore);
  EXPECT_EQ(templ->NextResourceID(), 1);
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().front().text, QStringLiteral("Internal error 6: Overflow"));
}

TEST_F(TemplateTest, ResourceAddedInALaterJournalIsAbsentBeforeIt) {
  Ytemplate* templ = JournaledTemplate(QStringLiteral("Plant"));
  Yresource* late = NewResource(templ, 7);
  EXPECT_EQ(IncludeByJournal(templ, late), QList<bool>({false, false, true, true}));
  EXPECT_EQ(templ->HighestResourceID(), 7);
  templ->SetJournal(kJanuary);
  EXPECT_EQ(templ->HighestResourceID(), 0);
}

TEST_F(TemplateTest, DeletedResourceIsAbsentFromTheCurrentJournalOnAndStaysFiled) {
  Ytemplate* templ = NewTemplate(QStringLiteral("Plant"));
  Yresource* resource = NewResource(templ, 4);  // present in every journal
  for (double date : {kJanuary, kFebruary, kMarch, kApril}) templ->AddJournal(date);
  templ->SetJournal(kMarch);
  resource->Delete();
  EXPECT_EQ(IncludeByJournal(templ, resource), QList<bool>({true, true, false, false}));
  EXPECT_EQ(templ->ResourceList.Find(QStringLiteral("4")), resource);
  EXPECT_EQ(resource->Template(), templ);
  EXPECT_FALSE(resource->IsFree());
}

TEST_F(TemplateTest, ResourceDeletedOnTheFirstJournalIsAbsentFromEveryJournal) {
  Ytemplate* templ = NewTemplate(QStringLiteral("Plant"));
  for (double date : {kJanuary, kFebruary}) templ->AddJournal(date);
  templ->SetJournal(kJanuary);
  Yresource* resource = NewResource(templ, 4);
  resource->Delete();
  EXPECT_EQ(IncludeByJournal(templ, resource), QList<bool>({false, false}));
}

TEST_F(TemplateTest, AttachedResourceWorksTheFirstShiftInEveryJournal) {
  Ytemplate* templ = JournaledTemplate(QStringLiteral("Plant"));
  Yshift* day = templ->FindOrCreateShift(QStringLiteral("Day"));
  templ->FindOrCreateShift(QStringLiteral("Night"));
  Yresource* resource = NewResource(templ, 1);
  EXPECT_FALSE(resource->ShiftField().IsArray());
  templ->SetJournal(kJanuary);
  EXPECT_EQ(resource->Shift(), day);
}

TEST_F(TemplateTest, ResourceFieldsWrittenOnALaterJournalKeepTheEarlierOnes) {
  Ytemplate* templ = JournaledTemplate(QStringLiteral("Plant"));
  Yshift* day = templ->FindOrCreateShift(QStringLiteral("Day"));
  Yshift* night = templ->FindOrCreateShift(QStringLiteral("Night"));
  night->SetMatrix(0, QStringLiteral("NNNNNNNNNNNN"));
  for (int hour = 8; hour < 17; ++hour) night->SetMatrix(hour, QStringLiteral("XXXXXXXXXXXX"));
  templ->SetJournal(kJanuary);
  Yresource* resource = NewResource(templ, 1);
  resource->SetBurdenedRate(Currency::FromDouble(40));
  templ->SetJournal(kMarch);
  resource->SetBurdenedRate(Currency::FromDouble(45));
  resource->SetShift(night);
  resource->SetWorkDay(7, true);
  EXPECT_FLOAT_EQ(resource->NormalHours(), 1.0f);

  // A journal inserted before March copies February; a deleted one takes its values with it.
  templ->AddJournal(kFebruary + 10);
  EXPECT_EQ(templ->CurrentIndex, 2);
  EXPECT_EQ(resource->BurdenedRate(), Currency::FromDouble(40));
  EXPECT_EQ(resource->Shift(), day);
  EXPECT_FALSE(resource->WorkDay(7));
  templ->DeleteJournal();
  EXPECT_EQ(templ->Journal(), kMarch);
  EXPECT_EQ(resource->BurdenedRate(), Currency::FromDouble(45));
  EXPECT_EQ(resource->Shift(), night);
  EXPECT_TRUE(resource->WorkDay(7));
  templ->SetJournal(kFebruary);
  EXPECT_EQ(resource->BurdenedRate(), Currency::FromDouble(40));
  EXPECT_FLOAT_EQ(resource->NormalHours(), 8.0f);
  EXPECT_EQ(resource->BurdenedRateField().Values().size(), 4);
}

TEST_F(TemplateTest, ResetResourceLeavesItsTemplateAndReturnsToItsDefaults) {
  Ytemplate* templ = JournaledTemplate(QStringLiteral("Plant"));
  templ->FindOrCreateShift(QStringLiteral("Day"));
  Yresource* resource = NewResource(templ, 8);
  resource->Description = QStringLiteral("Fitter");
  resource->SetTitle(QStringLiteral("Lead"));
  resource->SetWorkDay(1, true);
  resource->Reset();
  EXPECT_TRUE(templ->ResourceList.IsEmpty());
  EXPECT_EQ(resource->Template(), nullptr);
  EXPECT_EQ(resource->ResourceID(), 0);
  EXPECT_EQ(resource->Description, QString());
  EXPECT_FALSE(resource->IncludeField().Field().IsArray());
  EXPECT_TRUE(resource->Include());
  EXPECT_EQ(resource->Title(), QString());
  EXPECT_EQ(resource->Shift(), nullptr);
  EXPECT_FALSE(resource->WorkDay(1));
  EXPECT_FALSE(resource->TitleField().IsArray());
}

// ---- Templates ----

TEST_F(TemplateTest, TemplateNameInUseIsRefusedAndBothNamesStay) {
  Ytemplate* alpha = NewTemplate(QStringLiteral("Alpha"));
  Ytemplate* beta = NewTemplate(QStringLiteral("Beta"));
  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(beta->SetTemplateName(QStringLiteral("Alpha")), ErrTrap::CallChain);
  EXPECT_EQ(OnlyQuestion(),
            QStringLiteral("Internal error 10000: There is already a template with the name \"Alpha\""));
  EXPECT_EQ(alpha->TemplateName(), QStringLiteral("Alpha"));
  EXPECT_EQ(beta->TemplateName(), QStringLiteral("Beta"));
  EXPECT_EQ(Templates().Find(QStringLiteral("Alpha")), alpha);
  EXPECT_EQ(Templates().Find(QStringLiteral("Beta")), beta);
  // The same rule, asked before anything changes; a template's own name in another case is free.
  EXPECT_EQ(beta->TemplateNameRefusal(QStringLiteral("alpha")),
            QStringLiteral("There is already a template with the name \"alpha\""));
  EXPECT_EQ(alpha->TemplateNameRefusal(QStringLiteral("ALPHA")), QString());
  EXPECT_EQ(beta->TemplateNameRefusal(QStringLiteral("Gamma")), QString());

  // Ignoring the refusal changes nothing either.
  prompter.Answer(praxel::AnswerIgnore);
  beta->SetTemplateName(QStringLiteral("ALPHA"));
  EXPECT_EQ(beta->TemplateName(), QStringLiteral("Beta"));
  EXPECT_EQ(Templates().Count(), 2);
}

TEST_F(TemplateTest, RenamingATemplateMovesItToTheEndUnlessTheNameIsUnchanged) {
  Ytemplate* alpha = NewTemplate(QStringLiteral("Alpha"));
  Ytemplate* beta = NewTemplate(QStringLiteral("Beta"));
  alpha->SetTemplateName(QStringLiteral("Alpha"));
  EXPECT_EQ(Templates().Items(), QList<Ytemplate*>({alpha, beta}));
  alpha->SetTemplateName(QStringLiteral("Gamma"));
  EXPECT_EQ(Templates().Items(), QList<Ytemplate*>({beta, alpha}));
  EXPECT_EQ(Templates().Find(QStringLiteral("Alpha")), nullptr);
  EXPECT_EQ(alpha->Tag(), QStringLiteral("lGamma"));
  EXPECT_EQ(alpha->BuildNodeText(), QStringLiteral("Gamma"));

  alpha->Delete();
  EXPECT_EQ(alpha->TemplateName(), QString());
  EXPECT_EQ(Templates().Items(), QList<Ytemplate*>({beta}));
  FreeY(alpha);
}

TEST_F(TemplateTest, PathDropsAClosingBackslashOnlyFromFourCharactersOn) {
  const struct {
    const char* typed;
    const char* stored;
  } cases[] = {
      {"C:\\", "C:\\"}, {"C:\\a\\", "C:\\a"}, {"C:\\Plans\\", "C:\\Plans"}, {"C:\\Plans", "C:\\Plans"}, {"", ""},
  };
  Ytemplate* templ = NewTemplate(QStringLiteral("Plant"));
  for (const auto& c : cases) {
    templ->SetPath(QLatin1String(c.typed));
    EXPECT_EQ(templ->Path(), QLatin1String(c.stored)) << c.typed;
  }
}

TEST_F(TemplateTest, SettingDirtyAsksForAFreshSolve) {
  Ytemplate* templ = NewTemplate(QStringLiteral("Plant"));
  templ->SetDirty(false);
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeIdle);
  templ->SetDirty(true);
  EXPECT_TRUE(templ->Dirty());
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
  Solve::SetSolveMode(Solve::ModeIdle);
  templ->SetDirty(true);  // already dirty: asks again
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
}

TEST_F(TemplateTest, FindOrCreateMakesPlaceholdersOnceAndFindsThemAgain) {
  Ytemplate* templ = NewTemplate(QStringLiteral("Plant"));
  Yshift* night = templ->FindOrCreateShift(QStringLiteral("Night"));
  EXPECT_EQ(night->Template, templ);
  EXPECT_EQ(templ->FindOrCreateShift(QStringLiteral("NIGHT")), night);
  EXPECT_EQ(templ->ShiftList.Count(), 1);

  Yresource* resource = templ->FindOrCreateResource(21);
  EXPECT_EQ(resource->Description, QStringLiteral("<stub>"));
  EXPECT_EQ(resource->Template(), templ);
  EXPECT_EQ(resource->Shift(), night);
  EXPECT_EQ(templ->ResourceList.Find(QStringLiteral("21")), resource);
  resource->Description = QStringLiteral("Crane");
  EXPECT_EQ(templ->FindOrCreateResource(21), resource);
  EXPECT_EQ(resource->Description, QStringLiteral("Crane"));
  EXPECT_EQ(templ->ResourceList.Count(), 1);
}

TEST_F(TemplateTest, FreedTemplateFreesItsShiftsAndResourcesAndComesBackClean) {
  Ytemplate* templ = JournaledTemplate(QStringLiteral("Plant"));
  templ->Description = QStringLiteral("Main works");
  templ->ViewPassword = QStringLiteral("look");
  templ->ModifyPassword = QStringLiteral("touch");
  templ->SetPath(QStringLiteral("/plans/main"));
  Yshift* shift = templ->FindOrCreateShift(QStringLiteral("Day"));
  Yresource* resource = NewResource(templ, 3);
  Ytemplate* object = templ;
  templ->Delete();
  FreeY(templ);
  EXPECT_TRUE(shift->IsFree());
  EXPECT_TRUE(resource->IsFree());

  Ytemplate* reused = NewY<Ytemplate>(ytTemplate);
  ASSERT_EQ(reused, object);
  EXPECT_EQ(reused->Description, QString());
  EXPECT_EQ(reused->TemplateName(), QString());
  EXPECT_EQ(reused->Path(), QString());
  EXPECT_EQ(reused->ViewPassword, QString());
  EXPECT_EQ(reused->ModifyPassword, QString());
  EXPECT_EQ(reused->NumJournals, 0);
  EXPECT_EQ(reused->CurrentIndex, 0);
  EXPECT_TRUE(reused->JournalDates.isEmpty());
  EXPECT_TRUE(reused->ShiftList.IsEmpty());
  EXPECT_TRUE(reused->ResourceList.IsEmpty());
  EXPECT_TRUE(Templates().IsEmpty());
}

// ---- Faults that are mended ----

// Deleting a shift that a resource works in any journal would leave the resource on a nameless
// shift that no saved file can name: the delete is refused and nothing changes.
TEST_F(TemplateTest, ShiftThatAResourceWorksInAnyJournalCannotBeDeleted) {
  Ytemplate* templ = JournaledTemplate(QStringLiteral("Plant"));
  templ->FindOrCreateShift(QStringLiteral("Day"));
  Yshift* night = templ->FindOrCreateShift(QStringLiteral("Night"));
  Yresource* resource = NewResource(templ, 12);
  templ->SetJournal(kApril);
  resource->SetShift(night);  // only in the last journal
  templ->SetJournal(kJanuary);

  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(night->Delete(), ErrTrap::CallChain);
  EXPECT_EQ(OnlyQuestion(),
            QStringLiteral("Internal error 10000: The Shift \"Night\" is used by resource 12 and cannot be deleted."));
  EXPECT_EQ(night->ShiftName(), QStringLiteral("Night"));
  EXPECT_EQ(night->Template, templ);
  EXPECT_EQ(ShiftNames(templ), QStringList({QStringLiteral("Day"), QStringLiteral("Night")}));

  prompter.Answer(praxel::AnswerIgnore);
  night->Delete();
  EXPECT_EQ(night->ShiftName(), QStringLiteral("Night"));
  EXPECT_EQ(templ->ShiftList.Count(), 2);

  // Once no journal uses it, it goes.
  templ->SetJournal(kFebruary);
  resource->SetShift(templ->ShiftList.First());
  night->Delete();
  EXPECT_EQ(ShiftNames(templ), QStringList({QStringLiteral("Day")}));
  EXPECT_EQ(prompter.Asked().size(), 2);
}

// A placeholder template has no shift until its record is read; resources named before that
// simply have no shift yet.
TEST_F(TemplateTest, ResourceOfATemplateWithoutShiftsHasNoShift) {
  Ytemplate* placeholder = FindOrCreateTemplate(QStringLiteral("Later"));
  Yresource* resource = placeholder->FindOrCreateResource(5);
  EXPECT_TRUE(prompter.Asked().isEmpty());
  ASSERT_NE(resource, nullptr);
  EXPECT_EQ(resource->Shift(), nullptr);
  EXPECT_EQ(placeholder->ResourceList.Find(QStringLiteral("5")), resource);
  EXPECT_FLOAT_EQ(resource->NormalHours(), 0.0f);
}

TEST_F(TemplateTest, ResourceOnAShiftWithoutNormalTimeHasNoNormalHours) {
  Ytemplate* templ = NewTemplate(QStringLiteral("Plant"));
  Yshift* overtimeOnly = templ->FindOrCreateShift(QStringLiteral("Overtime only"));
  for (int hour = 0; hour < Yshift::kHours; ++hour) overtimeOnly->SetMatrix(hour, QStringLiteral("OOOOOOOOOOOO"));
  Yresource* resource = NewResource(templ, 1);
  EXPECT_FLOAT_EQ(resource->NormalHours(), 0.0f);
  EXPECT_TRUE(prompter.Asked().isEmpty());
}

// Keys ignore case, so a template or shift renamed in case alone would be refused as a clash
// with itself.
TEST_F(TemplateTest, ChangingOnlyTheCaseOfANameIsNoClash) {
  Ytemplate* templ = NewTemplate(QStringLiteral("plant"));
  Yshift* shift = templ->FindOrCreateShift(QStringLiteral("day"));
  templ->SetTemplateName(QStringLiteral("Plant"));
  shift->SetShiftName(QStringLiteral("Day"));
  EXPECT_TRUE(prompter.Asked().isEmpty());
  EXPECT_EQ(templ->TemplateName(), QStringLiteral("Plant"));
  EXPECT_EQ(Templates().Find(QStringLiteral("plant")), templ);
  EXPECT_EQ(shift->ShiftName(), QStringLiteral("Day"));
  EXPECT_EQ(templ->ShiftList.Find(QStringLiteral("DAY")), shift);
  EXPECT_EQ(templ->ShiftList.Count(), 1);
}

}  // namespace
