#pragma once

#include "Prompter.h"

#include <QString>

namespace pxtool {

// Answers every question with its default button (the error trap's box: Abort) and keeps the
// first message, so a command that fails can print it as its one line of error. Installed for
// as long as it lives.
class ToolPrompter final : public praxel::Prompter {
 public:
  ToolPrompter();
  ~ToolPrompter() override;

  int MsgBox(const QString& text, int style, const QString& title) override;
  QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;

  // The first message shown, on one line; empty when none was.
  const QString& FirstMessage() const { return first_; }

 private:
  QString first_;
};

}  // namespace pxtool
