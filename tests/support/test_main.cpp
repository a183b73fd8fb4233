// The main() of every test program: Qt runs headless, with a private runtime folder and a fresh
// program data folder, and the application object exists before any test.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLocale>

#include "TestSupport.h"

#include <cstdlib>

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform warns each time a top-level window is shown; nothing else is hidden.
void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QLatin1String("This plugin does not support propagateSizeHints()"))) return;
  if (previousHandler != nullptr) previousHandler(type, context, message);
}

QByteArray MakeTemporaryFolder(const char* pattern) {
  QByteArray path = QDir::tempPath().toLocal8Bit() + '/' + pattern;
  if (mkdtemp(path.data()) == nullptr) std::abort();  // mkdtemp makes it with mode 0700
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);

  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QByteArray runtimeFolder = MakeTemporaryFolder("praxel-runtime-XXXXXX");
  const QByteArray homeFolder = MakeTemporaryFolder("praxel-home-XXXXXX");
  qputenv("XDG_RUNTIME_DIR", runtimeFolder);
  qputenv("PRAXEL_HOME", homeFolder);
  previousHandler = qInstallMessageHandler(FilterMessages);

  int result = 0;
  {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Praxel"));
    QLocale::setDefault(testsupport::TestLocale());
    result = RUN_ALL_TESTS();
  }

  QDir(QString::fromLocal8Bit(homeFolder)).removeRecursively();
  QDir(QString::fromLocal8Bit(runtimeFolder)).removeRecursively();
  return result;
}
