#pragma once

#include "CommonDialogs.h"

#include <QList>
#include <QQueue>
#include <QString>

#include <functional>

namespace testsupport {

// One standard dialog the program showed.
struct AskedDialog {
  enum class Kind { Font, Open, Save, Printer };
  Kind kind = Kind::Font;
  praxel::FontChoice font;             // the font dialog's preset
  praxel::FileDialogRequest request;   // a file dialog's request
};

// Answers the standard dialogs from queues, one per kind, and records every dialog shown. A
// dialog with no answer queued fails the test and is cancelled. While it lives it is the
// program's dialogs.
class ScriptedCommonDialogs final : public praxel::CommonDialogs {
 public:
  ScriptedCommonDialogs();
  ~ScriptedCommonDialogs() override;

  // Queues the font chosen in the next font dialog, or its cancelling.
  void ChooseFontAnswer(const praxel::FontChoice& font) { fonts_.enqueue({true, font}); }
  void CancelFont() { fonts_.enqueue({false, {}}); }
  // Queues the path chosen in the next open or save dialog (empty: cancelled).
  void OpenAnswer(const QString& path) { opens_.enqueue(path); }
  void SaveAnswer(const QString& path) { saves_.enqueue(path); }
  // Queues the answer of the next printer set-up (True: confirmed).
  void PrinterAnswer(bool confirmed) { printers_.enqueue(confirmed); }
  // Runs when a dialog is shown, before it answers: lets a test look at the program's state then.
  void OnShow(std::function<void()> hook) { onShow_ = std::move(hook); }

  const QList<AskedDialog>& Asked() const { return asked_; }
  bool AllAnswered() const { return fonts_.isEmpty() && opens_.isEmpty() && saves_.isEmpty() && printers_.isEmpty(); }

  bool ChooseFont(praxel::FontChoice& font) override;
  QString ChooseOpenFile(const praxel::FileDialogRequest& request) override;
  QString ChooseSaveFile(const praxel::FileDialogRequest& request) override;
  bool SetUpPrinter() override;

 private:
  struct FontAnswer {
    bool chosen;
    praxel::FontChoice font;
  };
  void Shown(AskedDialog asked);

  QQueue<FontAnswer> fonts_;
  QQueue<QString> opens_;
  QQueue<QString> saves_;
  QQueue<bool> printers_;
  QList<AskedDialog> asked_;
  std::function<void()> onShow_;
};

}  // namespace testsupport
