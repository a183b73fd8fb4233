#include "FileProgress.h"

namespace {

FileProgress* installedProgress = nullptr;

// Without a window there is nowhere to show a busy text.
class SilentProgress final : public FileProgress {
 public:
  void StatusMessage(const QString&) override {}
};

}  // namespace

FileProgress::~FileProgress() {
  if (installedProgress == this) installedProgress = nullptr;
}

void SetFileProgress(FileProgress* progress) { installedProgress = progress; }

FileProgress& CurrentFileProgress() {
  static SilentProgress silent;
  return installedProgress != nullptr ? *installedProgress : silent;
}
