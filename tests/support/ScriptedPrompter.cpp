#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace testsupport {

ScriptedPrompter::ScriptedPrompter() { praxel::SetPrompter(this); }

ScriptedPrompter::~ScriptedPrompter() { praxel::SetPrompter(nullptr); }

int ScriptedPrompter::MsgBox(const QString& text, int style, const QString& title) {
  asked_.append({AskedQuestion::Kind::Message, title, text, style, QString()});
  if (answers_.isEmpty()) {
    ADD_FAILURE() << "unexpected message box \"" << title.toStdString() << "\": " << text.toStdString();
    return praxel::DefaultAnswer(style);
  }
  return answers_.dequeue();
}

QString ScriptedPrompter::InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
  asked_.append({AskedQuestion::Kind::Input, title, prompt, 0, defaultText});
  if (typed_.isEmpty()) {
    ADD_FAILURE() << "unexpected input box \"" << title.toStdString() << "\": " << prompt.toStdString();
    return defaultText;
  }
  return typed_.dequeue();
}

}  // namespace testsupport
