#include "Common.h"
#include "ErrTrap.h"
#include "Pool.h"
#include "PooledFile.h"
#include "Records.h"
#include "ScriptedPrompter.h"
#include "SolveState.h"
#include "TestSupport.h"
#include "Yfile.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytemplate.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>

#include <algorithm>

using praxel::Currency;

namespace {

constexpr double kJanuary = 45292.0;  // the journal dates, a month apart
constexpr double kFebruary = 45323.0;
constexpr double kMarch = 45352.0;

class TemplateRecordsTest : public testing::Test {
 protected:
  void SetUp() override {
    Common::FreeAllMemory();
    Solve::SetSolveMode(Solve::ModeIdle);
  }
  void TearDown() override {
    FreeAll();
    Solve::SetSolveMode(Solve::ModeIdle);
    EXPECT_TRUE(prompter.AllAnswered());
  }


  // Writes the template's record, then the header of a record of another kind, as a project
  // file holds them; gives the file's text.
  static QString Save(const Ytemplate& templ, const QString& name) {
    {
      PooledFile file(testsupport::DataFolderPath(name));
      EXPECT_TRUE(file->OpenWrite());
      SaveData(templ, *file);
      file->WriteLine(QStringLiteral("PROJECT"));
      file->CloseFile();
    }
    return testsupport::ReadTextFile(testsupport::DataFolderPath(name));
  }

  static void WriteText(const QString& name, const QString& text) {
    QFile file(testsupport::DataFolderPath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
  }

  // Reads a TEMPLATE record as the whole-file reader does: the keyword and the name here, the
  // rest by the template's own LoadData. The reader stays open for a look at what follows.
  Ytemplate* Load(const QString& name) {
    FreeReader();
    reader = NewYfile();
    reader->SetFileName(testsupport::DataFolderPath(name));
    EXPECT_TRUE(reader->OpenRead());
    reader->ExpectToken(QStringLiteral("TEMPLATE"));
    QString templateName;
    reader->LoadField(QStringLiteral("TemplateName"), templateName);
    Ytemplate* templ = Common::FindOrCreateTemplate(templateName);
    LoadData(*templ, *reader);
    return templ;
  }

  void FreeReader() {
    if (reader != nullptr) Common::FreeY(reader);
  }
  // Drops every loaded object, the reader included.
  void FreeAll() {
    FreeReader();
    Common::FreeAllMemory();
  }

  // Every field of the template, its shifts and its resources, per journal: what a reader must
  // give back, however each field happens to be held.
  static QStringList Describe(const Ytemplate& templ) {
    QStringList lines;
    lines << QStringLiteral("template %1|%2|%3|%4").arg(templ.TemplateName(), templ.Description, templ.ViewPassword, templ.ModifyPassword);
    lines << QStringLiteral("journals %1 current %2").arg(templ.NumJournals).arg(templ.CurrentIndex);
    for (double date : templ.JournalDates) lines << QString::number(date, 'f', 6);
    for (const Yshift* shift : templ.ShiftList) {
      lines << QStringLiteral("shift %1 %2 %3 %4 %5")
                   .arg(shift->ShiftName())
                   .arg(shift->BurdenedMultiplier)
                   .arg(shift->OvertimeMultiplier)
                   .arg(shift->OffDayMultiplier)
                   .arg(shift->HolidayMultiplier);
      for (int hour = 0; hour < Yshift::kHours; ++hour) lines << shift->Matrix(hour);
    }
    const int journals = std::max(templ.NumJournals, 1);
    auto perJournal = [&](const QString& field, auto& values, auto text) {
      QStringList each;
      for (int j = 0; j < journals; ++j) each << text(values.Get(j));
      lines << field + QLatin1Char(' ') + each.join(QLatin1Char('|'));
    };
    auto plain = [](const QString& value) { return value; };
    auto money = [](Currency value) { return QString::number(value.Ticks()); };
    auto flag = [](bool value) { return QString::number(int(value)); };
    auto shiftName = [](const Yshift* shift) { return shift != nullptr ? shift->ShiftName() : QStringLiteral("none"); };
    for (const Yresource* resource : templ.ResourceList) {
      lines << QStringLiteral("resource %1 %2").arg(resource->ResourceID()).arg(resource->Description);
      EXPECT_EQ(resource->Template(), &templ);
      perJournal(QStringLiteral("Include"), resource->IncludeField().Field(), flag);
      perJournal(QStringLiteral("Department"), resource->DepartmentField(), plain);
      perJournal(QStringLiteral("Title"), resource->TitleField(), plain);
      perJournal(QStringLiteral("BurdenedRate"), resource->BurdenedRateField(), money);
      perJournal(QStringLiteral("OvertimeRate"), resource->OvertimeRateField(), money);
      perJournal(QStringLiteral("OffDayRate"), resource->OffDayRateField(), money);
      perJournal(QStringLiteral("HolidayRate"), resource->HolidayRateField(), money);
      perJournal(QStringLiteral("Shift"), resource->ShiftField(), shiftName);
      for (int kind = 0; kind < Yresource::kDayKinds; ++kind) {
        perJournal(QStringLiteral("WorkDay%1").arg(kind), resource->WorkDayField(kind), flag);
      }
    }
    return lines;
  }

  static Yresource* NewResource(Ytemplate* templ, int id) {
    auto* resource = Common::NewY<Yresource>(ytResource);
    resource->SetTemplate(templ);
    resource->SetResourceID(id);
    return resource;
  }

  // A template with three journals, two shifts and three resources whose fields differ between
  // journals; the last journal is current.
  static Ytemplate* BuildPlant() {
    auto* templ = Common::NewY<Ytemplate>(ytTemplate);
    templ->SetTemplateName(QStringLiteral("Plant"));
    templ->Description = QStringLiteral("Main plant, \"north\" site");
    templ->ViewPassword = QStringLiteral("look");
    for (double date : {kJanuary, kFebruary, kMarch}) templ->AddJournal(date);

    Yshift* day = templ->FindOrCreateShift(QStringLiteral("Day"));
    Yshift* night = templ->FindOrCreateShift(QStringLiteral("Night"));
    night->BurdenedMultiplier = 1.25f;
    night->OvertimeMultiplier = 1.75f;
    night->OffDayMultiplier = 2.5f;
    night->HolidayMultiplier = QStringLiteral("3.5");
    for (int hour = 0; hour < 6; ++hour) night->SetMatrix(hour, QStringLiteral("NNNNNNBBNNNN"));
    night->SetMatrix(22, QStringLiteral("OOOOOONNNNNN"));

    templ->CurrentIndex = 0;
    Yresource* welder = NewResource(templ, 3);
    welder->Description = QStringLiteral("Welder, senior");
    welder->SetDepartment(QStringLiteral("Welding"));
    welder->SetTitle(QStringLiteral("Welder"));
    welder->SetBurdenedRate(Currency::FromTicks(405000));
    Yresource* idle = NewResource(templ, 12);
    idle->SetShift(nullptr);

    templ->CurrentIndex = 1;
    Yresource* fitter = NewResource(templ, 7);  // joins in journal 1: absent from journal 0
    fitter->SetShift(night);
    fitter->SetBurdenedRate(Currency::FromTicks(550000));
    fitter->SetTitle(QStringLiteral("Fitter"));
    welder->SetOvertimeRate(Currency::FromTicks(602500));

    templ->CurrentIndex = 2;
    welder->SetWorkDay(7, true);
    welder->SetShift(nullptr);
    fitter->SetDepartment(QStringLiteral("  Assembly "));
    fitter->SetOffDayRate(Currency::FromTicks(10));
    fitter->SetHolidayRate(Currency::FromTicks(-25000));
    EXPECT_EQ(day, templ->ShiftList.First());
    return templ;
  }

  testsupport::ScriptedPrompter prompter;
  Yfile* reader = nullptr;
};

TEST_F(TemplateRecordsTest, RoundTripGivesBackEveryFieldAndTheSameText) {
  Ytemplate* original = BuildPlant();
  original->SetDirty(true);
  const QStringList expected = Describe(*original);
  const QString text = Save(*original, QStringLiteral("first.pxa"));
  EXPECT_TRUE(original->Dirty());  // the whole-file writer clears it once the file is in place

  // A shift that is none is written as an empty value, alone or among the journals' shifts;
  // journals that agree are written once.
  EXPECT_TRUE(text.contains(QStringLiteral("\r\n  Shift,\"\"\r\n")));
  EXPECT_TRUE(text.contains(QStringLiteral("\r\n  Shift,Day,Day,\"\"\r\n")));
  EXPECT_TRUE(text.contains(QStringLiteral("\r\n  Shift,Day,Night,Night\r\n")));
  EXPECT_TRUE(text.contains(QStringLiteral("\r\n  Title,Welder\r\n")));

  FreeAll();
  Ytemplate* loaded = Load(QStringLiteral("first.pxa"));
  EXPECT_EQ(Describe(*loaded), expected);
  EXPECT_FALSE(loaded->Dirty());
  // The record ends at the next record's keyword line, which is left for the level above.
  EXPECT_EQ(reader->ReadToken(), QStringLiteral("PROJECT"));

  // Fields whose journals agree come back as one shared value, the others one per journal.
  const Yresource* welder = loaded->ResourceList.Find(QStringLiteral("3"));
  ASSERT_NE(welder, nullptr);
  EXPECT_FALSE(welder->TitleField().IsArray());
  EXPECT_TRUE(welder->OvertimeRateField().IsArray());
  EXPECT_EQ(welder->ShiftField().Values(), (QList<Yshift*>{loaded->ShiftList.First(), loaded->ShiftList.First(), nullptr}));
  EXPECT_EQ(loaded->ResourceList.Find(QStringLiteral("12"))->Shift(), nullptr);

  EXPECT_EQ(Save(*loaded, QStringLiteral("second.pxa")), text);
}

TEST_F(TemplateRecordsTest, RecordsWriteTheirFieldsInOrder) {
  auto* templ = Common::NewY<Ytemplate>(ytTemplate);
  templ->SetTemplateName(QStringLiteral("Plant"));
  templ->AddJournal(kJanuary);
  templ->FindOrCreateShift(QStringLiteral("Day"));
  NewResource(templ, 1);
  const QStringList lines = Save(*templ, QStringLiteral("order.pxa")).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);

  QStringList keywords;
  for (const QString& line : lines) {
    const QString keyword = line.section(QLatin1Char(','), 0, 0);
    // Record headers stand alone in column 0; fields are indented by two blanks.
    const bool header = keyword == keyword.toUpper();
    EXPECT_EQ(keyword.startsWith(QStringLiteral("  ")), !header) << line.toStdString();
    keywords << keyword.trimmed();
  }
  const QStringList expected = QStringLiteral(
                                   "TEMPLATE TemplateName Description ViewPassword ModifyPassword CurrentIndex NumJournals JournalDates "
                                   "SHIFT ShiftName BurdenedMultiplier OvertimeMultiplier OffDayMultiplier HolidayMultiplier "
                                   "12am 01am 02am 03am 04am 05am 06am 07am 08am 09am 10am 11am "
                                   "12pm 01pm 02pm 03pm 04pm 05pm 06pm 07pm 08pm 09pm 10pm 11pm "
                                   "RESOURCE ResourceID Description Include Department Title "
                                   "BurdenedRate OvertimeRate OffDayRate HolidayRate Shift "
                                   "WorkOnHoliday WorkOnSunday WorkOnMonday WorkOnTuesday WorkOnWednesday "
                                   "WorkOnThursday WorkOnFriday WorkOnSaturday WorkOnShutdown PROJECT")
                                   .split(QLatin1Char(' '));
  EXPECT_EQ(keywords, expected);
}

// A damaged record stops the load with a reading error naming the file; what was read before
// stays, and the template keeps a current journal that exists.
TEST_F(TemplateRecordsTest, BadRecordsStopTheLoadWithAReadingError) {
  const QString base = Save(*BuildPlant(), QStringLiteral("base.pxa"));
  const QString dates = QStringLiteral("  JournalDates,%1,%2,%3\r\n")
                            .arg(Yfile::FormatDate(kJanuary), Yfile::FormatDate(kFebruary), Yfile::FormatDate(kMarch));
  ASSERT_TRUE(base.contains(dates));
  struct Case {
    const char* name;
    QString from;
    QString to;
    int line;  // the line the reader stops on
    QString detail;
    bool journalsTaken;  // the journal fields were read before the fault
  };
  const QList<Case> cases = {
      {"misordered field", QStringLiteral("  Department,Welding\r\n  Title,Welder\r\n"),
       QStringLiteral("  Title,Welder\r\n  Department,Welding\r\n"),
       73, QStringLiteral("read \"Title\" when expecting \"Department\""), true},
      {"too few journal dates", dates,
       QStringLiteral("  JournalDates,%1,%2\r\n").arg(Yfile::FormatDate(kJanuary), Yfile::FormatDate(kFebruary)),
       8, QStringLiteral("\"JournalDates\" holds 2 values for 3 journals."), false},
      {"current journal beyond the last", QStringLiteral("  CurrentIndex,2\r\n"), QStringLiteral("  CurrentIndex,3\r\n"),
       8, QStringLiteral("\"CurrentIndex\" 3 is not one of the journals 0 to 2."), false},
      {"negative current journal", QStringLiteral("  CurrentIndex,2\r\n"), QStringLiteral("  CurrentIndex,-1\r\n"),
       8, QStringLiteral("\"CurrentIndex\" -1 is not one of the journals 0 to 2."), false},
      {"per-journal line of two values", QStringLiteral("  BurdenedRate,0,55,55\r\n"),
       QStringLiteral("  BurdenedRate,0,55\r\n"), 95, QStringLiteral("\"BurdenedRate\" holds 2 values for 3 journals."),
       true},
      {"resource ID 0", QStringLiteral("  ResourceID,12\r\n"), QStringLiteral("  ResourceID,0\r\n"),
       110, QStringLiteral("\"ResourceID\" cannot be 0."), true},
      {"nameless shift", QStringLiteral("  ShiftName,Night\r\n"), QStringLiteral("  ShiftName,\"\"\r\n"),
       40, QStringLiteral("\"ShiftName\" cannot be empty."), true},
      {"one shift twice", QStringLiteral("  ShiftName,Night\r\n"), QStringLiteral("  ShiftName,Day\r\n"), 40,
       QStringLiteral("Shift \"Day\" of template \"Plant\" is in the file twice, at line 10 and at line 40."), true},
      {"one resource twice", QStringLiteral("  ResourceID,12\r\n"), QStringLiteral("  ResourceID,3\r\n"), 110,
       QStringLiteral("Resource 3 of template \"Plant\" is in the file twice, at line 70 and at line 110."), true},
      {"a rate past the largest amount", QStringLiteral("  BurdenedRate,0,55,55\r\n"),
       QStringLiteral("  BurdenedRate,0,55,1E+300\r\n"), 95,
       QStringLiteral("\"BurdenedRate\" value \"1E+300\" is not an amount from -922337203685477 to 922337203685477."),
       true},
      {"a multiplier past the largest single", QStringLiteral("  OffDayMultiplier,2.5\r\n"),
       QStringLiteral("  OffDayMultiplier,1E+39\r\n"), 43,
       QStringLiteral("\"OffDayMultiplier\" value \"1E+39\" is not a number from -3.402823E+38 to 3.402823E+38."),
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(base.contains(c.from));
    FreeAll();
    WriteText(QStringLiteral("bad.pxa"), QString(base).replace(c.from, c.to));
    const qsizetype asked = prompter.Asked().size();
    prompter.Answer(praxel::AnswerAbort);
    EXPECT_THROW(Load(QStringLiteral("bad.pxa")), ErrTrap::CallChain);
    ASSERT_EQ(prompter.Asked().size(), asked + 1);
    EXPECT_EQ(prompter.Asked().last().text,
              QStringLiteral("Internal error 10000: Error reading file %1, line %2: %3")
                  .arg(testsupport::DataFolderPath(QStringLiteral("bad.pxa")))
                  .arg(c.line)
                  .arg(c.detail));

    const Ytemplate* templ = Common::Templates().Find(QStringLiteral("Plant"));
    ASSERT_NE(templ, nullptr);
    EXPECT_EQ(templ->Description, QStringLiteral("Main plant, \"north\" site"));
    if (c.journalsTaken) {
      EXPECT_EQ(templ->NumJournals, 3);
      EXPECT_EQ(templ->CurrentIndex, 2);  // given back although the load stopped
    } else {
      EXPECT_EQ(templ->NumJournals, 0);
      EXPECT_TRUE(templ->JournalDates.isEmpty());
      EXPECT_EQ(templ->CurrentIndex, 0);
    }
  }
}

// A project read before its template names the template's resources: the link reader makes a
// placeholder template and resource, which the template's record then fills in place.
TEST_F(TemplateRecordsTest, PlaceholderResourceIsFilledInPlace) {
  const QStringList expected = Describe(*BuildPlant());
  Save(*Common::Templates().Find(QStringLiteral("Plant")), QStringLiteral("plant.pxa"));
  FreeAll();

  Ytemplate* stub = Common::FindOrCreateTemplate(QStringLiteral("Plant"));
  Yresource* manager = stub->FindOrCreateResource(7);
  ASSERT_EQ(manager->Description, QStringLiteral("<stub>"));
  EXPECT_EQ(manager->Shift(), nullptr);  // the placeholder template has no shift yet

  Ytemplate* loaded = Load(QStringLiteral("plant.pxa"));
  EXPECT_EQ(loaded, stub);
  EXPECT_EQ(loaded->ResourceList.Find(QStringLiteral("7")), manager);
  EXPECT_EQ(Describe(*loaded), expected);  // resource 7 once, in its place among 3 and 12
  EXPECT_EQ(manager->ShiftField().Values(),
            (QList<Yshift*>{loaded->ShiftList.Item(0), loaded->ShiftList.Item(1), loaded->ShiftList.Item(1)}));
}

// Merging a record into a loaded template whose resources hold values per journal: another
// number of journals is refused, since those values could not be matched to the file's journals.
TEST_F(TemplateRecordsTest, RecordWithOtherJournalsIsNotMergedIntoJournaledResources) {
  Ytemplate* plant = BuildPlant();
  Save(*plant, QStringLiteral("three.pxa"));
  plant->DeleteJournal();  // the last one: two journals left
  const QStringList before = Describe(*plant);

  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(Load(QStringLiteral("three.pxa")), ErrTrap::CallChain);
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().first().text,
            QStringLiteral("Internal error 10000: Error reading file ") + testsupport::DataFolderPath(QStringLiteral("three.pxa")) +
                QStringLiteral(", line 8: the template \"Plant\" is loaded with 2 journals, the file has 3."));
  EXPECT_EQ(Describe(*plant), before);
}

// A placeholder template whose record never came is saved with the rest; it reads back as a
// template without journals.
TEST_F(TemplateRecordsTest, TemplateWithoutJournalsReadsBack) {
  Common::FindOrCreateTemplate(QStringLiteral("Elsewhere"))->FindOrCreateResource(4);
  const QString text = Save(*Common::Templates().Find(QStringLiteral("Elsewhere")), QStringLiteral("none.pxa"));
  FreeAll();

  Ytemplate* loaded = Load(QStringLiteral("none.pxa"));
  EXPECT_EQ(loaded->NumJournals, 0);
  EXPECT_TRUE(loaded->JournalDates.isEmpty());
  EXPECT_EQ(loaded->ResourceList.Find(QStringLiteral("4"))->Description, QStringLiteral("<stub>"));
  EXPECT_EQ(Save(*loaded, QStringLiteral("again.pxa")), text);
}

}  // namespace
