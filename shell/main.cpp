#include "Application.h"
#include "MainForm.h"
#include "QtCommonDialogs.h"
#include "QtPrompter.h"
#include "RegisterAnalysis.h"
#include "RegisterDialogs.h"
#include "RegisterViews.h"
#include "TrySolve.h"
#include "YwindowLibrary.h"

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
  Dialogs::RegisterForms();
  Views::RegisterForms();
  Analysis::RegisterForms();

  MainForm mainForm(Application::CommandLineFile(Application::arguments()));
  mainForm.show();
  return Application::exec();
}
