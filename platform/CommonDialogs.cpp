#include "CommonDialogs.h"

namespace praxel {

namespace {

// With no window to show them on, every dialog is cancelled.
class HeadlessCommonDialogs final : public CommonDialogs {
 public:
  bool ChooseFont(FontChoice&) override { return false; }
  QString ChooseOpenFile(const FileDialogRequest&) override { return QString(); }
  QString ChooseSaveFile(const FileDialogRequest&) override { return QString(); }
  bool SetUpPrinter() override { return false; }
};

CommonDialogs* installed = nullptr;

}  // namespace

CommonDialogs::~CommonDialogs() = default;

CommonDialogs& CurrentCommonDialogs() {
  static HeadlessCommonDialogs headless;
  return installed != nullptr ? *installed : headless;
}

void SetCommonDialogs(CommonDialogs* dialogs) { installed = dialogs; }

}  // namespace praxel
