#include "QtPrompter.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace praxel {

namespace {

QMessageBox::Icon QtIcon(int style) {
  switch (IconOf(style)) {
    case MsgCritical: return QMessageBox::Critical;
    case MsgQuestion: return QMessageBox::Question;
    case MsgExclamation: return QMessageBox::Warning;
    case MsgInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

QMessageBox::StandardButton QtButton(int answer) {
  switch (answer) {
    case AnswerCancel: return QMessageBox::Cancel;
    case AnswerAbort: return QMessageBox::Abort;
    case AnswerRetry: return QMessageBox::Retry;
    case AnswerIgnore: return QMessageBox::Ignore;
    case AnswerYes: return QMessageBox::Yes;
    case AnswerNo: return QMessageBox::No;
    default: return QMessageBox::Ok;
  }
}

}  // namespace

int QtPrompter::MsgBox(const QString& text, int style, const QString& title) {
  QMessageBox box(QtIcon(style), title, text, QMessageBox::NoButton, QApplication::activeWindow());
  const QList<int> answers = ButtonAnswers(style);
  for (int answer : answers) box.addButton(QtButton(answer));
  box.setDefaultButton(QtButton(DefaultAnswer(style)));
  const int chosen = box.exec();
  for (int answer : answers) {
    if (chosen == QtButton(answer)) return answer;
  }
  // Closed without a button (Escape or the window's close box): the box's cancelling answer.
  return answers.contains(AnswerCancel) ? AnswerCancel : DefaultAnswer(style);
}

QString QtPrompter::InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal, defaultText, &ok);
  return ok ? text : QString();
}

}  // namespace praxel
