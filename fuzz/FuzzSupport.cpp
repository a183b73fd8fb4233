#include "FuzzSupport.h"

#include "Bundle.h"
#include "Common.h"
#include "Pool.h"
#include "ErrTrap.h"
#include "Prompter.h"
#include "SolveState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

namespace {

// Every question gets its default answer: the error trap's box stops what failed (Abort).
class DefaultAnswers final : public praxel::Prompter {
 public:
  int MsgBox(const QString&, int style, const QString&) override { return praxel::DefaultAnswer(style); }
  QString InputBox(const QString&, const QString&, const QString& defaultText) override { return defaultText; }
};

// In memory where the system offers it: every input is written, saved and read back several
// times, and a save waits until its file is on the disk.
QTemporaryDir& DataFolder() {
  static QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/praxel-fuzz-XXXXXX")
                                                                        : QDir::tempPath() + QStringLiteral("/praxel-fuzz-XXXXXX"));
  return folder;
}

}  // namespace

}  // namespace fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  using namespace fuzz;
  if (!DataFolder().isValid()) Fail(QStringLiteral("no temporary folder"));
  qputenv("PRAXEL_HOME", DataFolder().path().toLocal8Bit());
  static DefaultAnswers answers;
  praxel::SetPrompter(&answers);
  Common::FreeAllMemory();
  return 0;
}

namespace fuzz {

QString WriteInput(const std::uint8_t* data, std::size_t size, const QString& name) {
  const QString path = DataPath(name);
  WriteBytes(path, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  return path;
}

QString DataPath(const QString& name) { return DataFolder().filePath(name); }

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) Fail(QStringLiteral("cannot write ") + path);
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) Fail(QStringLiteral("cannot read ") + path);
  return file.readAll();
}

void ClearModel() {
  // The error trap appends every failure to its log: without this, the log grows with every input.
  QFile::remove(ErrTrap::LogFilePath());
  Common::FreeAllMemory();
  Solve::SetSolveMode(Solve::ModeIdle);
}

bool LoadFile(const QString& path) {
  ClearModel();
  Bundle::FirstRecords first;
  try {
    if (!Bundle::OpenBundle(path, &first)) return false;
  } catch (const ErrTrap::CallChain&) {
    return false;
  }
  Common::SetThisTemplate(first.templ);
  Common::SetThisProject(first.project);
  return true;
}

void CheckRoundTrip(const QString& extension) {
  const QString once = DataPath(QStringLiteral("once") + extension);
  const QString twice = DataPath(QStringLiteral("twice") + extension);
  const auto save = [](const QString& path) {
    try {
      if (Bundle::SaveAll(path)) return;
    } catch (const ErrTrap::CallChain&) {
    }
    Fail(QStringLiteral("a file that was read cannot be saved as ") + path);
  };
  save(once);
  if (!LoadFile(once)) Fail(QStringLiteral("a saved file cannot be read back: ") + once);
  save(twice);
  if (ReadBytes(once) != ReadBytes(twice)) Fail(QStringLiteral("a file read back saves other bytes"));
}

void Fail(const QString& message) {
  std::fprintf(stderr, "fuzz: %s\n", message.toLocal8Bit().constData());
  std::abort();
}

}  // namespace fuzz
