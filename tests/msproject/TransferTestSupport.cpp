#include "TransferTestSupport.h"

#include "Bundle.h"
#include "Common.h"
#include "Pool.h"
#include "TestSupport.h"
#include "TransferState.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QFile>
#include <QProcess>

QString FixturePath(const QString& name) { return QStringLiteral(PRAXEL_TEST_DATA "/") + name; }

QByteArray MspdiDocumentText(const QString& tasks, const QString& rest) {
  return (QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<Project xmlns=\"http://schemas.microsoft.com/project\"><Title>Generated</Title>"
                         "<StartDate>2024-03-04T08:00:00</StartDate><Tasks>") +
          tasks + QStringLiteral("</Tasks>") + rest + QStringLiteral("</Project>\n"))
      .toUtf8();
}

QString MspdiTask(int id, int outlineLevel, const QString& fields) {
  return QStringLiteral("<Task><UID>%1</UID><ID>%1</ID><Name>Task %1</Name><OutlineLevel>%2</OutlineLevel>%3</Task>")
      .arg(id)
      .arg(outlineLevel)
      .arg(fields);
}

QByteArray MspdiStaircase(int levels) {
  QString tasks;
  for (int level = 1; level <= levels; ++level) tasks += MspdiTask(level, level);
  return MspdiDocumentText(tasks);
}

QString WriteDataFile(const QString& name, const QByteArray& text) {
  const QString path = testsupport::DataFolderPath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) return QString();
  return path;
}

std::optional<ProgramRun> RunProgram(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  if (!process.waitForStarted() || !process.waitForFinished(60000)) return std::nullopt;
  return ProgramRun{process.exitCode(), QString::fromUtf8(process.readAll())};
}

std::optional<QString> SchemaProblems(const QString& path) {
  const QString schema = QStringLiteral(PRAXEL_MSPDI_SCHEMA);
  if (schema.isEmpty() || !QFile::exists(schema)) return std::nullopt;
  const std::optional<ProgramRun> run =
      RunProgram(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"), schema, path});
  if (!run) return std::nullopt;
  return run->exitCode == 0 ? QString() : run->output;
}

void TransferTest::SetUp() {
  Common::FreeAllMemory();
  testsupport::ClearProgramDataFolder();
  Transfer::TransferState().AddToStartAnswer = 0;
}

void TransferTest::TearDown() {
  Common::FreeAllMemory();
  EXPECT_TRUE(prompter.AllAnswered()) << "an answer was queued for a question that was not asked";
}

void TransferTest::LoadFixture(const QString& name) {
  Bundle::FirstRecords first;
  ASSERT_TRUE(Bundle::OpenBundle(FixturePath(name), &first)) << name.toStdString();
  Common::SetThisProject(first.project);
  Common::SetThisTemplate(first.templ);
}

QString TransferTest::OutputPath(const QString& name) { return testsupport::DataFolderPath(name); }

Yproject* TransferTest::ProjectNamed(const QString& name) { return Common::Projects().Find(name); }

Ytask* TransferTest::TaskOf(const QString& project, int id) {
  const Yproject* owner = ProjectNamed(project);
  return owner != nullptr ? owner->TaskList.Find(QString::number(id)) : nullptr;
}

Yresource* TransferTest::ResourceOf(const Ytemplate& templ, int id) { return templ.ResourceList.Find(QString::number(id)); }
