#pragma once

#include "CommonDialogs.h"

class QPrinter;

namespace praxel {

// The standard dialogs as Qt's modal file, font and print dialogs, parented to the active window.
class QtCommonDialogs final : public CommonDialogs {
 public:
  bool ChooseFont(FontChoice& font) override;
  QString ChooseOpenFile(const FileDialogRequest& request) override;
  QString ChooseSaveFile(const FileDialogRequest& request) override;
  bool SetUpPrinter() override;
};

// The printer the program prints on; the printer set-up dialog changes it.
QPrinter& ProgramPrinter();

}  // namespace praxel
