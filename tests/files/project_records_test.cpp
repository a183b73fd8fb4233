#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QStringList>

#include "CaseName.h"
#include "Common.h"
#include "ErrTrap.h"
#include "OleDate.h"
#include "Pool.h"
#include "PooledFile.h"
#include "Records.h"
#include "ScriptedPrompter.h"
#include "SolveState.h"
#include "TestSupport.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yfile.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"

namespace {

using praxel::Currency;

double March1() { return praxel::ToOleDate(QDate(2024, 3, 1)); }

// Writes the records of the projects, in this order, as a plain project file.
void WriteProjects(const QString& path, const QList<Yproject*>& projects) {
  PooledFile file(path);
  ASSERT_TRUE(file->OpenWrite());
  for (const Yproject* project : projects) SaveData(*project, *file);
  file->CloseFile();
  ASSERT_TRUE(file->Written());
}

// Reads every PROJECT record of the file into the project of its name, as opening a file does.
void ReadProjects(const QString& path) {
  PooledFile file(path);
  ASSERT_TRUE(file->OpenRead());
  for (QString keyword = file->ReadToken(); !keyword.isEmpty(); keyword = file->ReadToken()) {
    ASSERT_EQ(keyword, QStringLiteral("PROJECT"));
    QString name;
    file->LoadField(QStringLiteral("ProjectName"), name);
    LoadData(*Common::FindOrCreateProject(name), *file);
  }
}

Yproject* Loaded(const QString& name) { return Common::Projects().Find(name); }

// A project with `journals` journals a month apart from 1 March 2024, the first one current.
Yproject* NewProject(const QString& name, int journals) {
  Yproject* made = Common::FindOrCreateProject(name);
  made->Description.clear();
  for (int i = 0; i < journals; ++i) made->AddJournal(March1() + 30 * i);
  made->CurrentIndex = 0;
  return made;
}

void MakeCurrent(Yproject* project, int index) { project->SetJournal(project->JournalDates.at(index)); }

Ydependency* NewDependency(Ytask* owner) {
  auto* made = Common::NewY<Ydependency>(ytDependency);
  made->SetTask(owner);
  return made;
}

Yassignment* NewAssignment(Ytask* owner, Yresource* resource) {
  auto* made = Common::NewY<Yassignment>(ytAssignment);
  made->SetTask(owner);
  made->SetResourceRequired(resource);
  return made;
}

QString Number(double value) { return QString::number(value, 'g', 17); }
QString Flag(bool value) { return value ? QStringLiteral("yes") : QStringLiteral("no"); }
QString Money(Currency value) { return QString::number(value.Ticks()); }
QString NameOf(const Yproject* project) { return project != nullptr ? project->ProjectName() : QStringLiteral("-"); }
QString NameOf(const Ytask* task) {
  return task != nullptr ? NameOf(task->Project()) + QLatin1Char(':') + task->Key() : QStringLiteral("-");
}
QString NameOf(const Yresource* resource) {
  return resource != nullptr ? resource->Template()->TemplateName() + QLatin1Char(':') + resource->Key()
                             : QStringLiteral("-");
}

// Every field of the project and of what it holds, journal by journal, as the model's own
// properties read them; links by the names that identify their targets.
QStringList Describe(Yproject* project) {
  QStringList lines{project->ProjectName(), project->Description, project->ViewPassword, project->ModifyPassword,
                    QStringLiteral("plan %1 current %2 of %3")
                        .arg(project->PlanIndex)
                        .arg(project->CurrentIndex)
                        .arg(project->NumJournals)};
  for (double date : project->JournalDates) lines << Number(date);
  const int current = project->CurrentIndex;
  for (int journal = 0; journal < project->NumJournals; ++journal) {
    project->CurrentIndex = journal;
    lines << QStringLiteral("journal %1: %2 %3 %4 %5")
                 .arg(journal)
                 .arg(project->Priority())
                 .arg(project->SolveRules())
                 .arg(NameOf(project->Parent()), NameOf(project->Manager()));
    for (const Ytask* task : project->TaskList) {
      lines << QStringLiteral("task %1 %2 [%3] %4")
                   .arg(task->Key(), NameOf(task->Subproject()), task->Description, Flag(task->Include()));
      lines << QStringList{QString::number(task->EffortUnits()),
                           QString::number(task->Optimistic()),
                           QString::number(task->MostLikely()),
                           QString::number(task->Pessimistic()),
                           Number(task->Efficiency()),
                           Money(task->MaterialCost()),
                           Money(task->LaborCost()),
                           Number(task->EarlyStart()),
                           Number(task->EarlyFinish()),
                           Number(task->LateStart()),
                           Number(task->LateFinish())}
                   .join(' ');
      for (const Ydependency* dependency : task->DependencyList) {
        lines << QStringLiteral("  dependency %1 %2 %3 %4 %5 %6")
                     .arg(Flag(dependency->Include()), Number(dependency->DepDate()),
                          NameOf(dependency->TaskRequired()))
                     .arg(dependency->FromPercent())
                     .arg(dependency->ToPercent())
                     .arg(Number(dependency->Offset()));
      }
      for (const Yassignment* assignment : task->AssignmentList) {
        QString days;
        for (int kind = 0; kind < Yassignment::kDayKinds; ++kind)
          days += QLatin1Char(assignment->WorkDay(kind) ? '1' : '0');
        lines << QStringLiteral("  assignment %1 %2 %3 %4")
                     .arg(Flag(assignment->Include()), NameOf(assignment->ResourceRequired()),
                          Number(assignment->Hours()), days);
      }
    }
  }
  project->CurrentIndex = current;
  return lines;
}

// A clean model holding template "Staff" with the welder (resource 7) and the fitter (resource 8).
// Files are written and read in the program data folder.
class ProjectRecordsTest : public testing::Test {
 protected:
  void SetUp() override {
    Common::FreeAllMemory();
    testsupport::ClearProgramDataFolder();
    Solve::SetSolveMode(Solve::ModeIdle);
    MakeStaff();
  }
  void TearDown() override {
    Common::FreeAllMemory();
    Solve::SetSolveMode(Solve::ModeIdle);
    EXPECT_TRUE(prompter.AllAnswered());
  }

  // The template a file's assignments and managers name; loading a file into a fresh model
  // finds it by name and the resources by ID.
  void MakeStaff() {
    Ytemplate* staff = Common::FindOrCreateTemplate(QStringLiteral("Staff"));
    staff->SetPath(QString());
    staff->AddJournal(March1());
    staff->FindOrCreateShift(QStringLiteral("Day"));
    welder = staff->FindOrCreateResource(7);
    welder->Description = QStringLiteral("Welder");
    fitter = staff->FindOrCreateResource(8);
    fitter->Description = QStringLiteral("Fitter");
  }

  // A fresh model: nothing loaded but the template.
  void StartAfresh() {
    Common::FreeAllMemory();
    MakeStaff();
  }

  testsupport::ScriptedPrompter prompter;
  Yresource* welder = nullptr;
  Yresource* fitter = nullptr;
};

// Project "Main" with three journals holds task 2, which from journal 1 on stands for project
// "Sub" (two journals). Main's task 3 depends on Sub's task 5, and task 5 depends back on Main's
// task 1, so whichever project's record comes first names a task whose record comes later.
// Values differ between journals; tasks, dependencies and assignments join in later journals.
TEST_F(ProjectRecordsTest, TwoProjectsComeBackWholeAndWriteTheSameBytes) {
  Yproject* main = NewProject(QStringLiteral("Main"), 3);
  Yproject* sub = NewProject(QStringLiteral("Sub"), 2);
  main->Description = QStringLiteral("Bridge, east span");
  main->ViewPassword = QStringLiteral("peek");
  main->ModifyPassword = QStringLiteral("\"change\"");
  main->PlanIndex = 1;
  main->SetSolveRules(3);
  main->SetManager(welder);
  sub->Description = QStringLiteral("Deck");
  sub->SetPriority(QStringLiteral("5"));

  Ytask* pour = sub->FindOrCreateTask(5);
  pour->Description = QStringLiteral("Pour");
  Ytask* design = main->FindOrCreateTask(1);
  design->Description = QStringLiteral("Design");
  design->SetEffortUnits(-480);
  design->SetOptimistic(480);
  design->SetMostLikely(960);
  design->SetPessimistic(1920);
  design->SetEfficiency(0.9);
  design->SetMaterialCost(Currency::FromDouble(1250.5));
  design->SetEarlyStart(March1() + 0.375);
  design->SetEarlyFinish(March1() + 2.75);
  design->SetLateStart(March1() + 1.375);
  design->SetLateFinish(March1() + 3.75);
  Ytask* weld = main->FindOrCreateTask(3);
  weld->Description = QStringLiteral("Weld \"seams\"");
  Ydependency* onPour = NewDependency(weld);
  onPour->SetTaskRequired(pour);
  onPour->SetFromPercent(50);
  onPour->SetToPercent(100);
  onPour->SetOffset(-1.5);
  Ydependency* onDate = NewDependency(weld);
  onDate->SetDepDate(March1() + 13.5 / 24);
  Yassignment* welding = NewAssignment(weld, welder);
  welding->SetHours(7.5);
  Ydependency* afterDesign = NewDependency(pour);
  afterDesign->SetTaskRequired(design);
  NewAssignment(pour, fitter);

  MakeCurrent(main, 1);
  main->SetPriority(QStringLiteral("2"));
  design->SetMostLikely(1200);
  design->SetLaborCost(Currency::FromDouble(99.99));
  onPour->SetOffset(2.25);
  Ytask* paint = main->FindOrCreateTask(4);  // exists from journal 1 on
  paint->Description = QStringLiteral("Paint");
  paint->SetEffortUnits(1440);
  MakeCurrent(sub, 1);
  main->FindOrCreateTask(2)->SetSubproject(sub);  // Sub's Parent is Main from journal 1 on
  MakeCurrent(main, 2);
  welding->SetWorkDay(7, true);
  welding->SetHours(6);
  design->SetEarlyFinish(March1() + 40.5);
  NewAssignment(paint, fitter);  // exists from journal 2 on
  main->SetManager(fitter);
  MakeCurrent(sub, 1);
  pour->SetOptimistic(30);
  afterDesign->SetInclude(false);
  sub->SetSolveRules(6);
  MakeCurrent(main, 1);  // saved with its second journal current
  MakeCurrent(sub, 0);
  main->SetDirty(true);

  const QStringList before = Describe(main) + Describe(sub);
  const QString mainFirst = testsupport::DataFolderPath(QStringLiteral("main-first.pxa"));
  WriteProjects(mainFirst, {main, sub});
  const QString subFirst = testsupport::DataFolderPath(QStringLiteral("sub-first.pxa"));
  WriteProjects(subFirst, {sub, main});
  EXPECT_TRUE(main->Dirty()) << "writing records leaves the dirty flag to the whole-file writer";

  for (const QString& path : {mainFirst, subFirst}) {
    SCOPED_TRACE(path.toStdString());
    StartAfresh();
    ReadProjects(path);
    main = Loaded(QStringLiteral("Main"));
    sub = Loaded(QStringLiteral("Sub"));
    ASSERT_NE(main, nullptr);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(Describe(main) + Describe(sub), before);
    EXPECT_EQ(main->CurrentIndex, 1);
    EXPECT_FALSE(main->Dirty());
    EXPECT_FALSE(sub->Dirty());

    // The placeholders made for what a record names before its own record comes are the
    // objects that record filled.
    EXPECT_EQ(Common::Projects().Count(), 2);
    EXPECT_EQ(main->TaskList.Find(QStringLiteral("2"))->Subproject(), sub);
    ASSERT_EQ(sub->TaskList.Count(), 1);
    EXPECT_EQ(main->TaskList.Find(QStringLiteral("3"))->DependencyList.First()->TaskRequired(), sub->TaskList.First());
    EXPECT_EQ(sub->TaskList.First()->DependencyList.First()->TaskRequired(), main->TaskList.First());

    const QString again = testsupport::DataFolderPath(QStringLiteral("again.pxa"));
    WriteProjects(again, path == mainFirst ? QList<Yproject*>{main, sub} : QList<Yproject*>{sub, main});
    EXPECT_FALSE(testsupport::ReadFileBytes(path).isEmpty());
    EXPECT_EQ(testsupport::ReadFileBytes(again), testsupport::ReadFileBytes(path));
  }
}

// One project as the file keeps it: every record's fields in their fixed order.
const QStringList kMainLines{
    QStringLiteral("PROJECT"),
    QStringLiteral("  ProjectName,Main"),
    QStringLiteral("  Description,Bridge"),
    QStringLiteral("  ViewPassword,\"\""),
    QStringLiteral("  ModifyPassword,\"\""),
    QStringLiteral("  PlanIndex,0"),
    QStringLiteral("  CurrentIndex,2"),
    QStringLiteral("  NumJournals,3"),
    QStringLiteral("  JournalDates,03/01/2024 12:00am,03/31/2024 12:00am,04/30/2024 12:00am"),
    QStringLiteral("  Priority,1"),
    QStringLiteral("  SolveRules,0"),
    QStringLiteral("  Parent,\"\""),
    QStringLiteral("  Manager,Staff,7"),
    QStringLiteral("TASK"),
    QStringLiteral("  TaskID,1"),
    QStringLiteral("  Subproject,\"\""),
    QStringLiteral("  Description,Design"),
    QStringLiteral("  Include,True"),
    QStringLiteral("  EffortUnits,-60"),
    QStringLiteral("  Optimistic,60"),
    QStringLiteral("  MostLikely,120,120,180"),
    QStringLiteral("  Pessimistic,240"),
    QStringLiteral("  Efficiency,.85"),
    QStringLiteral("  MaterialCost,12.5"),
    QStringLiteral("  LaborCost,0"),
    QStringLiteral("  EarlyStart,03/04/2024 08:00am"),
    QStringLiteral("  EarlyFinish,03/04/2024 05:30pm"),
    QStringLiteral("  LateStart,12/30/1899 12:00am"),
    QStringLiteral("  LateFinish,12/30/1899 12:00am"),
    QStringLiteral("DEPENDENCY"),
    QStringLiteral("  Include,True"),
    QStringLiteral("  DepDate,03/04/2024 08:00am"),
    QStringLiteral("  TaskRequired,\"\""),
    QStringLiteral("  FromPercent,100"),
    QStringLiteral("  ToPercent,0"),
    QStringLiteral("  Offset,0"),
    QStringLiteral("ASSIGNMENT"),
    QStringLiteral("  Include,False,True,True"),
    QStringLiteral("  ResourceRequired,Staff,7"),
    QStringLiteral("  Hours,8"),
    QStringLiteral("  WorkOnHoliday,False"),
    QStringLiteral("  WorkOnSunday,False"),
    QStringLiteral("  WorkOnMonday,True"),
    QStringLiteral("  WorkOnTuesday,True"),
    QStringLiteral("  WorkOnWednesday,True"),
    QStringLiteral("  WorkOnThursday,True"),
    QStringLiteral("  WorkOnFriday,True"),
    QStringLiteral("  WorkOnSaturday,False"),
    QStringLiteral("  WorkOnShutdown,False"),
};

QByteArray FileText(const QStringList& lines) {
  return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

TEST_F(ProjectRecordsTest, AHandWrittenProjectReadsAndWritesBackUnchanged) {
  const QString path = testsupport::DataFolderPath(QStringLiteral("main.pxa"));
  testsupport::WriteFileBytes(path, FileText(kMainLines));
  ReadProjects(path);

  Yproject* main = Loaded(QStringLiteral("Main"));
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->CurrentIndex, 2);
  EXPECT_EQ(main->Manager(), welder);
  Ytask* design = main->TaskList.Find(QStringLiteral("1"));
  ASSERT_NE(design, nullptr);
  EXPECT_EQ(design->MostLikelyField().Values(), (QList<std::int32_t>{120, 120, 180}));
  EXPECT_EQ(design->MaterialCost(), Currency::FromDouble(12.5));
  EXPECT_EQ(design->EarlyFinish(), praxel::ToOleDate(QDateTime(QDate(2024, 3, 4), QTime(17, 30))));
  ASSERT_EQ(design->AssignmentList.Count(), 1);
  const Yassignment* assignment = design->AssignmentList.First();
  EXPECT_EQ(assignment->ResourceRequired(), welder);
  EXPECT_EQ(assignment->IncludeField().Field().Values(), (QList<bool>{false, true, true}));

  const QString again = testsupport::DataFolderPath(QStringLiteral("again.pxa"));
  WriteProjects(again, {main});
  EXPECT_EQ(QString::fromLatin1(testsupport::ReadFileBytes(again)), QString::fromLatin1(FileText(kMainLines)));
}

TEST_F(ProjectRecordsTest, ValuesSharedByEveryJournalAreWrittenOnceAndReadBackShared) {
  Yproject* solo = NewProject(QStringLiteral("Solo"), 1);
  solo->FindOrCreateTask(1);
  Yproject* trio = NewProject(QStringLiteral("Trio"), 3);
  Ytask* task = trio->FindOrCreateTask(1);
  task->OptimisticField().SetValues({60, 60, 60});
  task->MostLikelyField().SetValues({90, 90, 90});
  task->PessimisticField().SetValues({120, 120, 120});

  const QString path = testsupport::DataFolderPath(QStringLiteral("shared.pxa"));
  WriteProjects(path, {solo, trio});
  const QString text = QString::fromLatin1(testsupport::ReadFileBytes(path));
  EXPECT_TRUE(text.contains(QStringLiteral("\r\n  JournalDates,03/01/2024 12:00am\r\n")));
  for (const QString& line : {QStringLiteral("  Optimistic,60\r\n"), QStringLiteral("  MostLikely,90\r\n"),
                              QStringLiteral("  Pessimistic,120\r\n")}) {
    EXPECT_TRUE(text.contains(line)) << line.toStdString();
  }

  StartAfresh();
  ReadProjects(path);
  solo = Loaded(QStringLiteral("Solo"));
  ASSERT_NE(solo, nullptr);
  EXPECT_EQ(solo->NumJournals, 1);
  EXPECT_EQ(solo->JournalDates, QList<double>{March1()});
  task = Loaded(QStringLiteral("Trio"))->TaskList.First();
  EXPECT_FALSE(task->OptimisticField().IsArray());
  EXPECT_FALSE(task->MostLikelyField().IsArray());
  EXPECT_FALSE(task->PessimisticField().IsArray());
  EXPECT_EQ(task->Optimistic(), 60);
  EXPECT_EQ(task->MostLikely(), 90);
  EXPECT_EQ(task->Pessimistic(), 120);
}

// A task, dependency or assignment left out of every journal holds False in each; written as
// one shared False it would read back as present everywhere, because a shared Include reads True.
TEST_F(ProjectRecordsTest, AnObjectLeftOutOfEveryJournalStaysOut) {
  Yproject* duo = NewProject(QStringLiteral("Duo"), 2);
  Ytask* kept = duo->FindOrCreateTask(1);
  MakeCurrent(duo, 1);
  Ytask* dropped = duo->FindOrCreateTask(2);  // joins in journal 1 only
  dropped->SetInclude(false);
  Ydependency* dependency = NewDependency(kept);
  dependency->SetInclude(false);
  Yassignment* assignment = NewAssignment(kept, welder);
  assignment->SetInclude(false);
  MakeCurrent(duo, 0);
  const QStringList before = Describe(duo);
  ASSERT_EQ(dropped->IncludeField().Field().Values(), (QList<bool>{false, false}));

  const QString path = testsupport::DataFolderPath(QStringLiteral("left-out.pxa"));
  WriteProjects(path, {duo});
  StartAfresh();
  ReadProjects(path);
  duo = Loaded(QStringLiteral("Duo"));
  ASSERT_NE(duo, nullptr);
  EXPECT_EQ(Describe(duo), before);
  for (int journal : {0, 1}) {
    MakeCurrent(duo, journal);
    const Ytask* task = duo->TaskList.Find(QStringLiteral("1"));
    EXPECT_FALSE(duo->TaskList.Find(QStringLiteral("2"))->Include()) << journal;
    EXPECT_FALSE(task->DependencyList.First()->Include()) << journal;
    EXPECT_FALSE(task->AssignmentList.First()->Include()) << journal;
  }
}

// A project that was only ever named (a placeholder whose record never came) has no journals;
// it is written with the single date 0 and reads back without journals.
TEST_F(ProjectRecordsTest, AProjectWithoutJournalsComesBackWithoutJournals) {
  Yproject* named = Common::FindOrCreateProject(QStringLiteral("Named"));
  named->FindOrCreateTask(3);
  const QString path = testsupport::DataFolderPath(QStringLiteral("named.pxa"));
  WriteProjects(path, {named});

  StartAfresh();
  ReadProjects(path);
  named = Loaded(QStringLiteral("Named"));
  ASSERT_NE(named, nullptr);
  EXPECT_EQ(named->NumJournals, 0);
  EXPECT_TRUE(named->JournalDates.isEmpty());
  EXPECT_EQ(named->Description, QStringLiteral("<stub>"));
  EXPECT_NE(named->TaskList.Find(QStringLiteral("3")), nullptr);
}

// Damaged records, each a change to the hand-written project; reading stops with the message.
struct DamagedRecord {
  const char* name;
  QString line;         // the line changed
  QStringList becomes;  // what stands there instead (none: the line is missing)
  int at;               // the line the reader stops on
  QString detail;       // what the user is told after "Error reading file <name>, line <at>: "
};
void PrintTo(const DamagedRecord& damage, std::ostream* out) { *out << damage.name; }

class DamagedRecordTest : public ProjectRecordsTest, public testing::WithParamInterface<DamagedRecord> {};

TEST_P(DamagedRecordTest, StopsTheLoadWithTheReadingError) {
  const DamagedRecord& damage = GetParam();
  QStringList lines = kMainLines;
  const qsizetype at = lines.indexOf(damage.line);
  ASSERT_GE(at, 0) << damage.name;
  lines.remove(at);
  for (qsizetype i = 0; i < damage.becomes.size(); ++i) lines.insert(at + i, damage.becomes.at(i));
  const QString path = testsupport::DataFolderPath(QStringLiteral("damaged.pxa"));
  testsupport::WriteFileBytes(path, FileText(lines));

  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(ReadProjects(path), ErrTrap::CallChain);
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().first().text,
            QStringLiteral("Internal error 10000: Error reading file %1, line %2: %3").arg(path).arg(damage.at).arg(damage.detail));
}

INSTANTIATE_TEST_SUITE_P(
    Records, DamagedRecordTest,
    testing::Values(
        DamagedRecord{"TaskWithoutInclude",
                      QStringLiteral("  Include,True"),
                      {},
                      18,
                      QStringLiteral("read \"EffortUnits\" when expecting \"Include\"")},
        DamagedRecord{"EffortUnitsThatAreNoUnit",
                      QStringLiteral("  EffortUnits,-60"),
                      {QStringLiteral("  EffortUnits,7")},
                      19,
                      QStringLiteral("\"EffortUnits\" value \"7\" is not a unit of effort.")},
        DamagedRecord{"EffortUnitsThatAreNoUnitInOneJournal",
                      QStringLiteral("  EffortUnits,-60"),
                      {QStringLiteral("  EffortUnits,-60,1440,2147483647")},
                      19,
                      QStringLiteral("\"EffortUnits\" value \"2147483647\" is not a unit of effort.")},
        DamagedRecord{"TooFewJournalDates",
                      QStringLiteral("  JournalDates,03/01/2024 12:00am,03/31/2024 12:00am,04/30/2024 12:00am"),
                      {QStringLiteral("  JournalDates,03/01/2024 12:00am,03/31/2024 12:00am")},
                      9,
                      QStringLiteral("\"JournalDates\" holds 2 values for 3 journals.")},
        DamagedRecord{"CurrentIndexPastTheLastJournal",
                      QStringLiteral("  CurrentIndex,2"),
                      {QStringLiteral("  CurrentIndex,3")},
                      9,
                      QStringLiteral("\"CurrentIndex\" 3 is not one of the journals 0 to 2.")},
        DamagedRecord{"NegativePlanIndex",
                      QStringLiteral("  PlanIndex,0"),
                      {QStringLiteral("  PlanIndex,-1")},
                      9,
                      QStringLiteral("\"PlanIndex\" -1 is not one of the journals 0 to 2.")},
        DamagedRecord{"ManagerPerJournal",
                      QStringLiteral("  Manager,Staff,7"),
                      {QStringLiteral("  Manager,Staff,7,Staff,8")},
                      13,
                      QStringLiteral("\"Manager\" holds 2 values for 3 journals.")},
        DamagedRecord{"TaskValuePerJournal",
                      QStringLiteral("  MostLikely,120,120,180"),
                      {QStringLiteral("  MostLikely,120,180")},
                      21,
                      QStringLiteral("\"MostLikely\" holds 2 values for 3 journals.")},
        DamagedRecord{"DependencyLinkPerJournal",
                      QStringLiteral("  TaskRequired,\"\""),
                      {QStringLiteral("  TaskRequired,\"\",\"\",\"\",\"\"")},
                      33,
                      QStringLiteral("\"TaskRequired\" holds 4 values for 3 journals.")},
        DamagedRecord{"AssignmentValuePerJournal",
                      QStringLiteral("  Include,False,True,True"),
                      {QStringLiteral("  Include,False,True")},
                      38,
                      QStringLiteral("\"Include\" holds 2 values for 3 journals.")},
        DamagedRecord{"TaskIdZero",
                      QStringLiteral("  TaskID,1"),
                      {QStringLiteral("  TaskID,0")},
                      15,
                      QStringLiteral("\"TaskID\" cannot be 0.")},
        // Values the field cannot hold.
        DamagedRecord{"EffortUnitsPastTheLargestWholeNumber",
                      QStringLiteral("  EffortUnits,-60"),
                      {QStringLiteral("  EffortUnits,2147483648")},
                      19,
                      QStringLiteral("\"EffortUnits\" value \"2147483648\" is not a whole number from -2147483648 to "
                                     "2147483647.")},
        DamagedRecord{"PessimisticPastTheLargestWholeNumber",
                      QStringLiteral("  Pessimistic,240"),
                      {QStringLiteral("  Pessimistic,1E+12")},
                      22,
                      QStringLiteral("\"Pessimistic\" value \"1E+12\" is not a whole number from -2147483648 to "
                                     "2147483647.")},
        DamagedRecord{"MaterialCostPastTheLargestAmount",
                      QStringLiteral("  MaterialCost,12.5"),
                      {QStringLiteral("  MaterialCost,1E+15")},
                      24,
                      QStringLiteral("\"MaterialCost\" value \"1E+15\" is not an amount from -922337203685477 to "
                                     "922337203685477.")},
        DamagedRecord{"NegativeFromPercent",
                      QStringLiteral("  FromPercent,100"),
                      {QStringLiteral("  FromPercent,-5")},
                      34,
                      QStringLiteral("\"FromPercent\" value \"-5\" is not a whole number from 0 to 100.")},
        DamagedRecord{"ToPercentPastAHundred",
                      QStringLiteral("  ToPercent,0"),
                      {QStringLiteral("  ToPercent,101")},
                      35,
                      QStringLiteral("\"ToPercent\" value \"101\" is not a whole number from 0 to 100.")},
        DamagedRecord{"OffsetPastEveryNumber",
                      QStringLiteral("  Offset,0"),
                      {QStringLiteral("  Offset,1E+400")},
                      36,
                      QStringLiteral("\"Offset\" value \"1E+400\" is not a number within the range of the file.")},
        DamagedRecord{"IncludeNeitherTrueNorFalse",
                      QStringLiteral("  Include,True"),
                      {QStringLiteral("  Include,Maybe")},
                      18,
                      QStringLiteral("\"Include\" value \"Maybe\" is not True or False.")},
        DamagedRecord{"TextAfterTheClosingQuote",
                      QStringLiteral("  Description,Design"),
                      {QStringLiteral("  Description,\"Design\"ed")},
                      17,
                      QStringLiteral("the value \"Design\"ed of \"Description\" has more after its closing quote.")},
        DamagedRecord{"QuoteNeverClosed",
                      QStringLiteral("  Description,Design"),
                      {QStringLiteral("  Description,\"Design")},
                      49,
                      QStringLiteral("the quoted value of \"Description\" is not closed.")},
        // Dates the file cannot write back.
        DamagedRecord{"DateInTheFirstCentury",
                      QStringLiteral("  EarlyStart,03/04/2024 08:00am"),
                      {QStringLiteral("  EarlyStart,03/04/0099 08:00am")},
                      26,
                      QStringLiteral("\"EarlyStart\" value \"03/04/0099 08:00am\" is not a date from 01/01/0100 12:00am "
                                     "to 12/31/9999 11:59pm.")},
        DamagedRecord{"JournalDateInTheFirstCentury",
                      QStringLiteral("  JournalDates,03/01/2024 12:00am,03/31/2024 12:00am,04/30/2024 12:00am"),
                      {QStringLiteral("  JournalDates,03/01/2024 12:00am,03/31/0024 12:00am,04/30/2024 12:00am")},
                      9,
                      QStringLiteral("\"JournalDates\" value \"03/31/0024 12:00am\" is not a date from 01/01/0100 "
                                     "12:00am to 12/31/9999 11:59pm.")},
        DamagedRecord{"DateRoundingIntoTheYear10000",
                      QStringLiteral("  DepDate,03/04/2024 08:00am"),
                      {QStringLiteral("  DepDate,12/31/9999 11:59:45pm")},
                      32,
                      QStringLiteral("\"DepDate\" value \"12/31/9999 11:59:45pm\" is not a date from 01/01/0100 "
                                     "12:00am to 12/31/9999 11:59pm.")},
        DamagedRecord{"DateWithSecondsPastAMinute",
                      QStringLiteral("  DepDate,03/04/2024 08:00am"),
                      {QStringLiteral("  DepDate,03/04/2024 08:00:75am")},
                      32,
                      QStringLiteral("\"DepDate\" value \"03/04/2024 08:00:75am\" is not a date from 01/01/0100 "
                                     "12:00am to 12/31/9999 11:59pm.")},
        DamagedRecord{"YearPastEveryNumber",
                      QStringLiteral("  DepDate,03/04/2024 08:00am"),
                      {QStringLiteral("  DepDate,03/04/9E99 08:00am")},
                      32,
                      QStringLiteral("\"DepDate\" value \"03/04/9E99 08:00am\" is not a date from 01/01/0100 "
                                     "12:00am to 12/31/9999 11:59pm.")},
        // One task twice in one file.
        DamagedRecord{"TaskTwice",
                      QStringLiteral("  WorkOnShutdown,False"),
                      {QStringLiteral("  WorkOnShutdown,False"), QStringLiteral("TASK"), QStringLiteral("  TaskID,1")},
                      51,
                      QStringLiteral("Task 1 of project \"Main\" is in the file twice, at line 15 and at line 51.")}),
    testsupport::CaseName());

// What was read before the failure stays; the project's current journal is the file's again.
TEST_F(ProjectRecordsTest, AStoppedLoadKeepsWhatItReadAndNamesItsProcedures) {
  QStringList lines = kMainLines;
  lines.remove(lines.indexOf(QStringLiteral("  Include,True")));
  const QString path = testsupport::DataFolderPath(QStringLiteral("stopped.pxa"));
  testsupport::WriteFileBytes(path, FileText(lines));

  prompter.Answer(praxel::AnswerAbort);
  QString chain;
  try {
    ReadProjects(path);
  } catch (const ErrTrap::CallChain& stopped) {
    chain = stopped.Chain();
  }
  const qsizetype projectAt = chain.indexOf(QStringLiteral("  Yproject:LoadData"));
  EXPECT_GE(projectAt, 0) << chain.toStdString();
  EXPECT_GT(chain.indexOf(QStringLiteral("  Ytask:LoadData")), projectAt) << chain.toStdString();

  Yproject* main = Loaded(QStringLiteral("Main"));
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->CurrentIndex, 2);
  EXPECT_EQ(main->Manager(), welder);
  EXPECT_EQ(main->TaskList.Find(QStringLiteral("1"))->Description, QStringLiteral("Design"));
}

// Project "Main" is loaded with the three journals of the hand-written file; its task 1 has a
// dependency and an assignment of its own, and task 9 is not in the file.
class MergeTest : public ProjectRecordsTest {
 protected:
  void SetUp() override {
    ProjectRecordsTest::SetUp();
    main = NewProject(QStringLiteral("Main"), 3);
    design = main->FindOrCreateTask(1);
    design->Description = QStringLiteral("Old");
    design->SetOptimistic(30);
    oldDependency = NewDependency(design);
    oldDependency->SetDepDate(March1());
    oldAssignment = NewAssignment(design, fitter);
    main->FindOrCreateTask(9)->Description = QStringLiteral("Kept");
    path = testsupport::DataFolderPath(QStringLiteral("merge.pxa"));
    testsupport::WriteFileBytes(path, FileText(kMainLines));
  }

  Yproject* main = nullptr;
  Ytask* design = nullptr;
  Ydependency* oldDependency = nullptr;
  Yassignment* oldAssignment = nullptr;
  QString path;
};

TEST_F(MergeTest, OverwritesTheTaskAndAddsTheFilesDependenciesAndAssignments) {
  main->SetDirty(true);
  ReadProjects(path);

  EXPECT_EQ(Loaded(QStringLiteral("Main")), main);
  EXPECT_EQ(main->TaskList.Find(QStringLiteral("1")), design);
  EXPECT_EQ(design->Description, QStringLiteral("Design"));
  EXPECT_EQ(design->Optimistic(), 60);
  EXPECT_EQ(design->MostLikelyField().Values(), (QList<std::int32_t>{120, 120, 180}));
  ASSERT_EQ(design->DependencyList.Count(), 2);
  EXPECT_EQ(design->DependencyList.Item(0), oldDependency);
  EXPECT_EQ(design->DependencyList.Item(1)->DepDate(), praxel::ToOleDate(QDateTime(QDate(2024, 3, 4), QTime(8, 0))));
  ASSERT_EQ(design->AssignmentList.Count(), 2);
  EXPECT_EQ(design->AssignmentList.Item(0), oldAssignment);
  EXPECT_EQ(design->AssignmentList.Item(1)->ResourceRequired(), welder);
  EXPECT_EQ(main->TaskList.Find(QStringLiteral("9"))->Description, QStringLiteral("Kept"));
  EXPECT_EQ(main->CurrentIndex, 2);
  EXPECT_FALSE(main->Dirty());
}

// The loaded tasks' per-journal values are sized for three journals: a file that gives the
// project another number of journals is refused, and the project keeps its own.
TEST_F(MergeTest, RefusesAFileWithAnotherNumberOfJournals) {
  design->MostLikelyField().SetValues({10, 20, 30});
  QStringList lines = kMainLines;
  lines.replace(lines.indexOf(QStringLiteral("  NumJournals,3")), QStringLiteral("  NumJournals,2"));
  lines.replace(
      lines.indexOf(QStringLiteral("  JournalDates,03/01/2024 12:00am,03/31/2024 12:00am,04/30/2024 12:00am")),
      QStringLiteral("  JournalDates,03/01/2024 12:00am,03/31/2024 12:00am"));
  lines.replace(lines.indexOf(QStringLiteral("  CurrentIndex,2")), QStringLiteral("  CurrentIndex,1"));
  testsupport::WriteFileBytes(path, FileText(lines));

  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(ReadProjects(path), ErrTrap::CallChain);
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().first().text,
            QStringLiteral("Internal error 10000: Error reading file ") + path + QStringLiteral(", line 9") +
                QStringLiteral(": project \"Main\" is loaded with 3 journals and cannot take 2."));
  EXPECT_EQ(main->NumJournals, 3);
  EXPECT_EQ(main->JournalDates.size(), 3);
  EXPECT_EQ(design->MostLikelyField().Values(), (QList<std::int32_t>{10, 20, 30}));
}

}  // namespace
