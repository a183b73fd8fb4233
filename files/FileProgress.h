#pragma once

#include <QString>

// What a file object tells the user while it works: the window's busy text. It shows "Reading
// from <name>" when a file is opened to read, "Writing to <name>" when one is opened to write,
// and an empty text (the message cleared) when the file is closed. One progress is installed at
// a time (SetFileProgress); with none installed the texts go nowhere, as in pxtool and the tests.
// A reader keeps the window painted through its own hook (Yfile::SetProgressHook), not here.
class FileProgress {
 public:
  FileProgress() = default;
  FileProgress(const FileProgress&) = delete;
  FileProgress& operator=(const FileProgress&) = delete;
  // A progress that is destroyed while installed is uninstalled first, so CurrentFileProgress()
  // never answers a destroyed one.
  virtual ~FileProgress();

  virtual void StatusMessage(const QString& Text) = 0;
};

// Installs the progress the file objects report to (not owned); nullptr goes back to the default,
// which shows nothing.
void SetFileProgress(FileProgress* progress);
// The installed progress, or the default that shows nothing.
FileProgress& CurrentFileProgress();
