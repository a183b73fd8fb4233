#include "Application.h"
#include "MainForm.h"
#include "QtCommonDialogs.h"
#include "QtPrompter.h"
#include "TrySolve.h"
#include "YwindowLibrary.h"

#include <QStringList>

int main(int argc, char** argv) {
  Application app(argc, argv);
  Application::setApplicationName(QStringLiteral("Praxel"));

  praxel::QtPrompter prompter;
  praxel::SetPrompter(&prompter);
  Ywindow::SetPrompter(&prompter);
  praxel::QtCommonDialogs dialogs;
  praxel::SetCommonDialogs(&dialogs);
  // The chart control prints on the printer the user set up in the program.
  Ywindow::SetPrinter(&praxel::ProgramPrinter());
  Solve::InstallSolver();

  // The first argument names a project file to open.
  const QStringList arguments = Application::arguments();
  MainForm mainForm(arguments.size() > 1 ? arguments.at(1) : QString());
  mainForm.show();
  return Application::exec();
}
