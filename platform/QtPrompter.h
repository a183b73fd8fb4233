#pragma once

#include "Prompter.h"

class QWidget;

namespace praxel {

// Questions as modal Qt message boxes and input dialogs, parented to the active window.
class QtPrompter final : public Prompter {
 public:
  int MsgBox(const QString& text, int style, const QString& title) override;
  QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
};

// The width `window` needs for its title bar to show `title` whole, with room for the window's
// icon and buttons beside it.
int TitleBarWidth(const QString& title, const QWidget& window);

}  // namespace praxel
