#pragma once

#include "Prompter.h"

namespace praxel {

// Questions as modal Qt message boxes and input dialogs, parented to the active window.
class QtPrompter final : public Prompter {
 public:
  int MsgBox(const QString& text, int style, const QString& title) override;
  QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
};

}  // namespace praxel
