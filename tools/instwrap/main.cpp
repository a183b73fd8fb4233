// instwrap: installs Praxel through its setup program, or updates an installed Praxel from the
// files that "Setup.lst" in the current folder names.
//   instwrap SOURCE-FOLDER UPDATE-LOG

#include "Instwrap.h"
#include "MainForm.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("instwrap"));

  instwrap::MessageBoxPrompts prompts;
  instwrap::Instwrap wrapper(QApplication::arguments().mid(1), QDir::currentPath(),
                             instwrap::DesktopFolders::FromEnvironment(), prompts);
  if (!wrapper.Load()) return 0;
  instwrap::MainForm form(wrapper);
  form.show();
  return QApplication::exec();
}
