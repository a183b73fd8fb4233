#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>

// The program's application object. Event handlers trap their own failures; should an exception
// still escape one, it is handed to the error trap here instead of reaching Qt's event loop.
class Application : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // The project file named on the command line: the first argument after the program's own
  // name, as it stands (blanks and all); empty when there is none. Later arguments are not part
  // of it.
  static QString CommandLineFile(const QStringList& arguments);
};
