#pragma once

#include <QList>
#include <QString>

namespace praxel {

// Message-box style: one button set, plus one icon, plus one default button.
enum MsgStyle : int {
  MsgOkOnly = 0,
  MsgOkCancel = 1,
  MsgAbortRetryIgnore = 2,
  MsgYesNoCancel = 3,
  MsgYesNo = 4,
  MsgRetryCancel = 5,
  MsgCritical = 16,
  MsgQuestion = 32,
  MsgExclamation = 48,
  MsgInformation = 64,
  MsgDefaultButton1 = 0,
  MsgDefaultButton2 = 256,
  MsgDefaultButton3 = 512,
};

// The button the user chose.
enum MsgAnswer : int {
  AnswerOk = 1,
  AnswerCancel = 2,
  AnswerAbort = 3,
  AnswerRetry = 4,
  AnswerIgnore = 5,
  AnswerYes = 6,
  AnswerNo = 7,
};

// The answers a style's buttons give, left to right.
QList<int> ButtonAnswers(int style);
// The answer of the style's default button.
int DefaultAnswer(int style);
// The icon part of a style (0, MsgCritical, MsgQuestion, MsgExclamation or MsgInformation).
int IconOf(int style);

// Asks the user questions: message boxes and one-line input boxes. The program installs the Qt
// implementation; tests install a scripted one that answers from a queue and records every question.
class Prompter {
 public:
  virtual ~Prompter();
  // Shows `text` under `title` with the buttons, icon and default button of `style`; returns the answer.
  virtual int MsgBox(const QString& text, int style, const QString& title) = 0;
  // Asks for one line of text; returns the text typed, or an empty text when the user cancels.
  virtual QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
};

// The prompter in use. Until one is installed, questions go to standard error and take the
// default button (the default text for an input box), so headless tools never block.
Prompter& CurrentPrompter();
// Installs a prompter (not owned); nullptr goes back to the headless one.
void SetPrompter(Prompter* prompter);

}  // namespace praxel
