#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>

class YwindowControl;

// A host window that drives a control the way the program's views do: it creates the control
// by its class name, connects to its events by name (directly, so that they arrive inside the
// member that raises them), calls its members by name, and writes down every event it receives.
class TestHost : public QObject {
  Q_OBJECT

 public:
  // What the host lays out on RedoLayout: leading columns (each heading as given), then the
  // date columns when dated (otherwise the first row becomes the header), then data rows.
  struct Layout {
    QStringList leading = {QStringLiteral("Task")};
    bool dated = true;
    int dataRows = 2;
    int lockedCols = 1;
    int keySize = 0;
  };

  TestHost();
  ~TestHost() override;

  QWidget& Window() { return window_; }
  QWidget* Control() const { return control_; }
  YwindowControl& Typed() const;

  // Calls a member by name; fails the test when the control has no such member.
  template <class... Args>
  void Call(const char* member, Args... args) {
    Check(QMetaObject::invokeMethod(control_, member, Qt::DirectConnection, args...), member);
  }

  // Lays out a date chart of five days with one red bar in the first task's row.
  void DrawDateChart();

  Layout layout;
  // What the host draws on RedoGraphics, before it calls Refresh.
  std::function<void()> drawing;
  // "RedoLayout depth 0", "layout days 7", "RedoGraphics depth 1", ...: the events with the
  // nesting depth at which they arrived, and the scale each layout pass got.
  QStringList events;

 public slots:
  void Ywindow_RedoLayout();
  void Ywindow_RedoGraphics();

 private:
  static void Check(bool invoked, const char* member);

  QWidget window_;
  QPointer<QWidget> control_;
  int depth_ = 0;
};
