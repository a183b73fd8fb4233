#include "Bundle.h"
#include "MspdiDocument.h"
#include "Common.h"
#include "TestSupport.h"
#include "Transfer.h"
#include "TransferTestSupport.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QMap>
#include <QRegularExpression>

namespace {

const QString kSample = QStringLiteral(PRAXEL_SAMPLE);

class SampleExchange : public TransferTest {
 protected:
  // Opens the sample as a planner does, then makes one of its projects and templates current.
  void OpenSample(const QString& project, const QString& templ) {
    Common::FreeAllMemory();
    Bundle::FirstRecords first;
    ASSERT_TRUE(Bundle::OpenBundle(kSample, &first));
    Common::SetThisProject(ProjectNamed(project));
    Common::SetThisTemplate(Common::Templates().Find(templ));
    ASSERT_NE(Common::ThisProject(), nullptr) << project.toStdString();
    ASSERT_NE(Common::ThisTemplate(), nullptr) << templ.toStdString();
  }
};

// The task of that name among the project's own tasks.
const Ytask* TaskNamed(const Yproject& project, const QString& name) {
  for (const Ytask* task : project.TaskList) {
    if (task->Description == name) return task;
  }
  return nullptr;
}

// One assignment as a planner reads it: who, how many hours a day, on which of the nine days.
QString Line(const Yassignment& a) {
  QString days;
  for (int kind = 0; kind < Yassignment::kDayKinds; ++kind) days += a.WorkDay(kind) ? QLatin1Char('1') : QLatin1Char('0');
  return QStringLiteral("%1 %2h %3").arg(a.ResourceRequired()->Description).arg(a.Hours(), 0, 'g', 17).arg(days);
}

// The assignments of every included task of the project and its subprojects, by the subproject's
// name and the task's name; `keep` picks the ones that count.
void Collect(const Yproject& project, const QString& where, const std::function<bool(const Yassignment&)>& keep,
             QMap<QString, QStringList>& out) {
  for (const Ytask* task : project.TaskList) {
    if (!task->Include()) continue;
    if (task->Subproject() != nullptr) {
      Collect(*task->Subproject(), task->Subproject()->ProjectName(), keep, out);
      continue;
    }
    QStringList& lines = out[where + QStringLiteral(" / ") + task->Description];
    for (const Yassignment* a : task->AssignmentList) {
      if (a->Include() && a->ResourceRequired() != nullptr && keep(*a)) lines.append(Line(*a));
    }
  }
}

// The sample's projects mix the people of both templates. Each project exported with each
// template current, checked against the schema and imported into an empty program gives the
// same people on the same tasks with the same hours and days: the current template's people
// come back, the others are left out, and nobody stands in for anyone else.
TEST_F(SampleExchange, EveryProjectWithEitherTemplateComesBackPersonByPersonAndHourByHour) {
  for (const QString& project : {QStringLiteral("Warehouse"), QStringLiteral("Office move")}) {
    for (const QString& templ : {QStringLiteral("Head office"), QStringLiteral("Site crews")}) {
      SCOPED_TRACE((project + QStringLiteral(" with ") + templ).toStdString());
      OpenSample(project, templ);
      QMap<QString, QStringList> before;
      Collect(*Common::ThisProject(), QString(), [&](const Yassignment& a) {
        return a.ResourceRequired()->Template() == Common::ThisTemplate() && a.ResourceRequired()->Include();
      }, before);

      const QString path = OutputPath(QStringLiteral("exchange.xml"));
      ASSERT_TRUE(Transfer::ExportToMSProject(path));
      if (const std::optional<QString> problems = SchemaProblems(path)) {
        EXPECT_EQ(*problems, QString()) << "the export does not validate";
      }
      Common::FreeAllMemory();
      ASSERT_TRUE(Transfer::ImportMSProject(path));
      QMap<QString, QStringList> after;
      Collect(*Common::ThisProject(), QString(), [](const Yassignment&) { return true; }, after);
      EXPECT_EQ(after.keys(), before.keys());
      for (auto task = before.cbegin(); task != before.cend(); ++task) {
        EXPECT_EQ(after.value(task.key()), task.value()) << task.key().toStdString();
      }
    }
  }
}

// Hours a day on any pattern of days come back exactly, also for a resource whose shift the
// importing template does not have (the Site crews' "Site day"). The units in the file are the
// share of the resource's normal day that the import reads: for Sofia Marin (8 hours, Monday to
// Friday) a file without our hours field gives her hours back as well.
TEST_F(SampleExchange, AssignmentHoursComeBackExactlyForAnyPatternOfDays) {
  struct Case {
    const char* templ;
    int task;  // of Warehouse, assigned to one person of the template
    double hours;
    const char* days;  // holiday, Sunday .. Saturday, shutdown
    double units;      // in the file; negative: not checked
  };
  const Case cases[] = {
      {"Head office", 16, 8, "001111110", 1.2},      // Monday to Saturday
      {"Head office", 16, 4, "001111100", 0.5},
      {"Head office", 16, 8.5, "001111100", 1.0625},
      {"Head office", 16, 20.0 / 3, "001010100", 0.5},  // Monday, Wednesday, Friday
      {"Head office", 16, 10, "010000010", 0.5},     // the weekend
      {"Head office", 16, 6, "110000001", 0.45},     // holiday, Sunday, shutdown
      {"Site crews", 7, 7.25, "111111111", -1},
      {"Site crews", 7, 0.1, "000100000", -1},       // Tuesday only
      {"Site crews", 7, 9.5, "001111110", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(QStringLiteral("%1h on %2").arg(c.hours).arg(QLatin1String(c.days)).toStdString());
    OpenSample(QStringLiteral("Warehouse"), QLatin1String(c.templ));
    const Ytask& task = *TaskOf(QStringLiteral("Warehouse"), c.task);
    const QString taskName = task.Description;
    Yassignment* assignment = task.AssignmentList.First();
    assignment->SetHours(c.hours);
    for (int kind = 0; kind < Yassignment::kDayKinds; ++kind) assignment->SetWorkDay(kind, c.days[kind] == '1');
    const QString person = assignment->ResourceRequired()->Description;
    const QString expected = Line(*assignment);

    const QString path = OutputPath(QStringLiteral("hours.xml"));
    ASSERT_TRUE(Transfer::ExportToMSProject(path));
    if (c.units >= 0) {
      MSProject::Application app;
      QString error;
      ASSERT_TRUE(app.FileOpen(path, &error)) << error.toStdString();
      for (const auto& written : app.ActiveProject()->tasks) {
        if (written->name != taskName) continue;
        ASSERT_EQ(written->Assignments().size(), 1);
        EXPECT_NEAR(written->Assignments().first()->units, c.units, 1e-12);
      }
    }
    Common::FreeAllMemory();
    ASSERT_TRUE(Transfer::ImportMSProject(path));
    const Ytask* back = TaskNamed(*Common::ThisProject(), taskName);
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->AssignmentList.Count(), 1);
    EXPECT_EQ(Line(*back->AssignmentList.First()), expected);

    if (c.units < 0) continue;
    // Without our hours field, the units alone give the hours through her normal day.
    static const QRegularExpression hoursField(QStringLiteral(
        R"(<ExtendedAttribute>\s*<FieldID>%1</FieldID>\s*<Value>[^<]*</Value>\s*</ExtendedAttribute>)")
                                                   .arg(MSProject::kHoursField));
    QString text = testsupport::ReadTextFile(path);
    ASSERT_TRUE(text.contains(hoursField));
    testsupport::WriteFileBytes(path, text.remove(hoursField).toUtf8());
    Common::FreeAllMemory();
    ASSERT_TRUE(Transfer::ImportMSProject(path));
    const Yassignment& fromUnits = *TaskNamed(*Common::ThisProject(), taskName)->AssignmentList.First();
    EXPECT_EQ(fromUnits.ResourceRequired()->Description, person);
    EXPECT_NEAR(fromUnits.Hours(), c.hours, 1e-9);
  }
}

// A master plan made in Microsoft Project with inserted projects, opened while the sample is
// loaded and its "Site crews" current. The fit-out, exported from the sample beside it, is
// followed although the master names it by its ".mpp" path on another machine: its tasks with
// their people and hours become the subproject. An inserted file that is not there, and the
// master inserting itself, leave their subprojects empty and are named to the user; the rest is
// imported.
TEST_F(SampleExchange, InsertedProjectsAreFollowedAndMissingOnesNamed) {
  OpenSample(QStringLiteral("Warehouse fit-out"), QStringLiteral("Site crews"));
  QMap<QString, QStringList> fitout;
  Collect(*Common::ThisProject(), QString(), [&](const Yassignment& a) {
    return a.ResourceRequired()->Template() == Common::ThisTemplate() && a.ResourceRequired()->Include();
  }, fitout);
  ASSERT_TRUE(Transfer::ExportToMSProject(OutputPath(QStringLiteral("fitout.xml"))));
  const QString master = OutputPath(QStringLiteral("master.xml"));
  testsupport::WriteFileBytes(master, testsupport::ReadFileBytes(FixturePath(QStringLiteral("master.xml"))));

  prompter.Answer(praxel::AnswerOk);  // resources into "Site crews"
  prompter.Answer(praxel::AnswerOk);  // the subprojects not found
  ASSERT_TRUE(Transfer::ImportMSProject(master));
  const Yproject& programme = *Common::ThisProject();
  EXPECT_EQ(programme.ProjectName(), QStringLiteral("master"));
  EXPECT_EQ(KeysOf(programme.TaskList), (QStringList{"1", "2", "3", "4"}));
  const Yproject* inserted = TaskOf(QStringLiteral("master"), 2)->Subproject();
  ASSERT_NE(inserted, nullptr);
  // The sample's own fit-out is still loaded: the model gives the new one a name of its own.
  EXPECT_EQ(inserted->ProjectName(), QStringLiteral("Warehouse fit-out(B)"));
  QMap<QString, QStringList> followed;
  Collect(*inserted, QString(), [](const Yassignment&) { return true; }, followed);
  EXPECT_EQ(followed, fitout);
  // Links inside the inserted project join its own tasks.
  bool linked = false;
  for (const Ytask* task : inserted->TaskList) {
    for (const Ydependency* d : task->DependencyList) {
      if (d->TaskRequired() == nullptr) continue;
      EXPECT_EQ(d->TaskRequired()->Project(), inserted);
      linked = true;
    }
  }
  EXPECT_TRUE(linked);
  const Ytask& signOff = *TaskOf(QStringLiteral("master"), 1);
  ASSERT_EQ(signOff.AssignmentList.Count(), 1);
  EXPECT_EQ(signOff.AssignmentList.First()->ResourceRequired()->Description, QStringLiteral("Sofia Marin"));

  for (int id : {3, 4}) {
    const Yproject* empty = TaskOf(QStringLiteral("master"), id)->Subproject();
    ASSERT_NE(empty, nullptr) << id;
    EXPECT_TRUE(empty->TaskList.IsEmpty()) << id;
  }
  ASSERT_EQ(prompter.Asked().size(), 2);
  const QString told = prompter.Asked()[1].text;
  EXPECT_EQ(prompter.Asked()[1].title, QStringLiteral("Subprojects Not Found"));
  EXPECT_TRUE(told.contains(QLatin1String("\"\\\\server\\plans\\landscaping.mpp\" of task 3 (Landscaping): not found")))
      << told.toStdString();
  EXPECT_TRUE(told.contains(QLatin1String("\"master.xml\" of task 4 (Programme again): it inserts itself")))
      << told.toStdString();
  EXPECT_FALSE(told.contains(QLatin1String("fitout"))) << told.toStdString();
}

}  // namespace
