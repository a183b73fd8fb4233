#pragma once

#include "Prompts.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace instwrap {

class Instwrap;

// Message boxes over the wrapper's window.
class MessageBoxPrompts : public Prompts {
 public:
  void Tell(const QString& text, const QString& title, PromptIcon icon) override;
  bool AskYesNo(const QString& text, const QString& title) override;
  void SetBusy(bool busy) override;
};

// The update window: the two folders and the Update and Cancel buttons. Either button does its work
// and closes the window.
class MainForm : public QWidget {
  Q_OBJECT

 public:
  explicit MainForm(Instwrap& wrapper, QWidget* parent = nullptr);

  QLineEdit* SourcePathText() const { return sourcePathText_; }
  QLineEdit* TargetPathText() const { return targetPathText_; }
  QPushButton* UpdateCommand() const { return updateCommand_; }
  QPushButton* CancelCommand() const { return cancelCommand_; }

 protected:
  // Closing the window by its frame cancels.
  void closeEvent(QCloseEvent* event) override;

 private:
  void UpdateCommand_Click();
  void CancelCommand_Click();

  Instwrap& wrapper_;
  QLineEdit* sourcePathText_;
  QLineEdit* targetPathText_;
  QPushButton* updateCommand_;
  QPushButton* cancelCommand_;
  bool finished_ = false;
};

}  // namespace instwrap
