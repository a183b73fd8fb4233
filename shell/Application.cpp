#include "Application.h"

#include "Guard.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Main:Application_Notify")),
                   [&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

QString Application::CommandLineFile(const QStringList& arguments) { return arguments.value(1); }
