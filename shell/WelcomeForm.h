#pragma once

#include "Forms.h"

#include <QWidget>

class FormHost;
class QLabel;
class QPushButton;

// The welcome screen: shown at the first activation and by Help > About, locking the main window
// like a dialog until it closes. "Ok" closes it; the guide button closes it and opens the guided
// tours; F1 asks for context help and goes no further. Its host (the main window) is handed the
// lock back when it unloads.
class WelcomeForm final : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int BorderStyle READ BorderStyle CONSTANT)

 public:
  explicit WelcomeForm(FormHost& Host, QWidget* parent = nullptr);

  int BorderStyle() const { return Forms::BorderDialog; }

  QLabel* VersionLabel() const { return versionLabel_; }
  QPushButton* OkCommand() const { return okCommand_; }
  QPushButton* GuideMeCommand() const { return guideMeCommand_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void OkCommand_Click();
  void GuideMeCommand_Click();
  // True when the key was F1 and has been answered.
  bool Form_KeyDown(int KeyCode);
  void Form_Unload();

  FormHost& host_;
  QLabel* versionLabel_;
  QPushButton* okCommand_;
  QPushButton* guideMeCommand_;
};
