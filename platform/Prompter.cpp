#include "Prompter.h"

#include <cstdio>

namespace praxel {

QList<int> ButtonAnswers(int style) {
  switch (style & 7) {
    case MsgOkCancel: return {AnswerOk, AnswerCancel};
    case MsgAbortRetryIgnore: return {AnswerAbort, AnswerRetry, AnswerIgnore};
    case MsgYesNoCancel: return {AnswerYes, AnswerNo, AnswerCancel};
    case MsgYesNo: return {AnswerYes, AnswerNo};
    case MsgRetryCancel: return {AnswerRetry, AnswerCancel};
    default: return {AnswerOk};
  }
}

int DefaultAnswer(int style) {
  const QList<int> answers = ButtonAnswers(style);
  const qsizetype index = (style & 0x300) >> 8;
  return answers.at(qMin(index, answers.size() - 1));
}

int IconOf(int style) { return style & 0x70; }

Prompter::~Prompter() = default;

namespace {

class HeadlessPrompter final : public Prompter {
 public:
  int MsgBox(const QString& text, int style, const QString& title) override {
    std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    return DefaultAnswer(style);
  }
  QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override {
    std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(prompt));
    return defaultText;
  }
};

Prompter*& InstalledPrompter() {
  static Prompter* installed = nullptr;
  return installed;
}

}  // namespace

Prompter& CurrentPrompter() {
  static HeadlessPrompter headless;
  Prompter* installed = InstalledPrompter();
  return installed ? *installed : headless;
}

void SetPrompter(Prompter* prompter) { InstalledPrompter() = prompter; }

}  // namespace praxel
