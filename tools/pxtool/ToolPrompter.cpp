#include "ToolPrompter.h"

#include "RuntimeError.h"
#include "Yfile.h"

namespace pxtool {

namespace {

// A file that cannot be read is at fault, not the program: the trap tells it plainly here (see
// main), and "Error reading file x.pxa, line 90: ..." is told as "x.pxa, line 90: ...".
QString ToolMessage(const QString& text) {
  const QLatin1String readingError(Yfile::kReadErrorLead);
  return text.startsWith(readingError) ? text.mid(readingError.size()) : text;
}

}  // namespace

ToolPrompter::ToolPrompter() { praxel::SetPrompter(this); }

ToolPrompter::~ToolPrompter() { praxel::SetPrompter(nullptr); }

int ToolPrompter::MsgBox(const QString& text, int style, const QString& title) {
  if (first_.isEmpty()) first_ = ToolMessage(text).replace(QStringLiteral("\r\n"), QStringLiteral(" ")).simplified();
  (void)title;
  return praxel::DefaultAnswer(style);
}

QString ToolPrompter::InputBox(const QString&, const QString&, const QString& defaultText) { return defaultText; }

}  // namespace pxtool
