#include "ToolPrompter.h"

namespace pxtool {

ToolPrompter::ToolPrompter() { praxel::SetPrompter(this); }

ToolPrompter::~ToolPrompter() { praxel::SetPrompter(nullptr); }

int ToolPrompter::MsgBox(const QString& text, int style, const QString& title) {
  if (first_.isEmpty()) first_ = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" ")).simplified();
  (void)title;
  return praxel::DefaultAnswer(style);
}

QString ToolPrompter::InputBox(const QString&, const QString&, const QString& defaultText) { return defaultText; }

}  // namespace pxtool
