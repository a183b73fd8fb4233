#pragma once

#include <QApplication>

// The program's application object. Event handlers trap their own failures; should an exception
// still escape one, it is handed to the error trap here instead of reaching Qt's event loop.
class Application : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
};
