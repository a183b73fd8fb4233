#include "Bundle.h"
#include "Common.h"
#include "Transfer.h"
#include "TransferTestSupport.h"
#include "Yassignment.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QMap>

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

// One assignment as a planner reads it: who, how many hours a day, on which of the nine days.
QString Line(const Yassignment& a) {
  QString days;
  for (int kind = 0; kind < Yassignment::kDayKinds; ++kind) days += a.WorkDay(kind) ? QLatin1Char('1') : QLatin1Char('0');
  return QStringLiteral("%1 %2").arg(a.ResourceRequired()->Description).arg(days);
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

}  // namespace
