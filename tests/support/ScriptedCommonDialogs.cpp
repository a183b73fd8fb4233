#include "ScriptedCommonDialogs.h"

#include <gtest/gtest.h>

namespace testsupport {

namespace {

template <class T>
bool Next(QQueue<T>& queue, const char* kind, T& answer) {
  if (queue.isEmpty()) {
    ADD_FAILURE() << "unexpected " << kind << " dialog";
    return false;
  }
  answer = queue.dequeue();
  return true;
}

}  // namespace

ScriptedCommonDialogs::ScriptedCommonDialogs() { praxel::SetCommonDialogs(this); }

ScriptedCommonDialogs::~ScriptedCommonDialogs() { praxel::SetCommonDialogs(nullptr); }

void ScriptedCommonDialogs::Shown(AskedDialog asked) {
  asked_.append(std::move(asked));
  if (onShow_) onShow_();
}

bool ScriptedCommonDialogs::ChooseFont(praxel::FontChoice& font) {
  Shown({AskedDialog::Kind::Font, font, {}});
  FontAnswer answer{false, {}};
  if (!Next(fonts_, "font", answer) || !answer.chosen) return false;
  font = answer.font;
  return true;
}

QString ScriptedCommonDialogs::ChooseOpenFile(const praxel::FileDialogRequest& request) {
  Shown({AskedDialog::Kind::Open, {}, request});
  QString path;
  Next(opens_, "open", path);
  return path;
}

QString ScriptedCommonDialogs::ChooseSaveFile(const praxel::FileDialogRequest& request) {
  Shown({AskedDialog::Kind::Save, {}, request});
  QString path;
  Next(saves_, "save", path);
  return path;
}

bool ScriptedCommonDialogs::SetUpPrinter() {
  Shown({AskedDialog::Kind::Printer, {}, {}});
  bool confirmed = false;
  Next(printers_, "printer", confirmed);
  return confirmed;
}

}  // namespace testsupport
