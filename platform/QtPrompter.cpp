#include "QtPrompter.h"

#include <QApplication>
#include <QFontMetrics>
#include <QInputDialog>
#include <QMessageBox>
#include <QLineEdit>
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

int TitleBarWidth(const QString& title, const QWidget& window) {
  // Title bars commonly show the title in bold; besides it sit the window's icon and its buttons.
  QFont font = window.font();
  font.setBold(true);
  const QFontMetrics metrics(font);
  return metrics.horizontalAdvance(title) + 8 * metrics.height();
}

QString QtPrompter::InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
  QInputDialog box(QApplication::activeWindow());
  box.setWindowTitle(title);
  box.setLabelText(prompt);
  box.setTextValue(defaultText);
  // The box's layout sets its size from its contents: the line edit is made wide enough for the title.
  if (auto* edit = box.findChild<QLineEdit*>()) edit->setMinimumWidth(TitleBarWidth(title, box));
  return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

}  // namespace praxel
