#pragma once

#include "Prompter.h"

#include <QList>
#include <QQueue>
#include <QString>

namespace testsupport {

// One question put to the user.
struct AskedQuestion {
  enum class Kind { Message, Input };
  Kind kind = Kind::Message;
  QString title;
  QString text;
  int style = 0;        // message box
  QString defaultText;  // input box
};

// Answers questions from a queue and records every question asked. A question with no answer
// queued fails the test and takes the default button. While it lives it is the program's prompter.
class ScriptedPrompter final : public praxel::Prompter {
 public:
  ScriptedPrompter();
  ~ScriptedPrompter() override;

  // Queues the answer to the next message box (praxel::AnswerAbort, AnswerYes, ...).
  void Answer(int answer) { answers_.enqueue(answer); }
  // Queues the text typed into the next input box (empty: cancelled).
  void Type(const QString& text) { typed_.enqueue(text); }

  const QList<AskedQuestion>& Asked() const { return asked_; }
  bool AllAnswered() const { return answers_.isEmpty() && typed_.isEmpty(); }

  int MsgBox(const QString& text, int style, const QString& title) override;
  QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;

 private:
  QQueue<int> answers_;
  QQueue<QString> typed_;
  QList<AskedQuestion> asked_;
};

}  // namespace testsupport
