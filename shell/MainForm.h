#pragma once

#include <QMainWindow>

class QLabel;
class QMdiArea;

// The main window: an MDI frame whose child windows are the trees, views and dialogs.
class MainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainForm(QWidget* parent = nullptr);
  ~MainForm() override;

  QMdiArea* MdiArea() const { return mdiArea_; }

  // Shows a message in the status bar's busy panel as the text followed by " ...", with the busy
  // mouse pointer; an empty text clears the panel and restores the normal pointer.
  Q_INVOKABLE void StatusMessage(const QString& Text);
  QString StatusMessageText() const;

 private:
  void MDIForm_Load();

  QMdiArea* mdiArea_;
  QLabel* busyPanel_;
  bool busy_ = false;
};
