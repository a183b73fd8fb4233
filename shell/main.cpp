#include "Application.h"
#include "MainForm.h"
#include "QtPrompter.h"
#include "YwindowLibrary.h"

int main(int argc, char** argv) {
  Application app(argc, argv);
  Application::setApplicationName(QStringLiteral("Praxel"));

  praxel::QtPrompter prompter;
  praxel::SetPrompter(&prompter);
  Ywindow::SetPrompter(&prompter);

  MainForm mainForm;
  mainForm.show();
  return Application::exec();
}
