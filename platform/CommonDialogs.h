#pragma once

#include <QString>

namespace praxel {

// A font as the font dialog offers and returns it.
struct FontChoice {
  QString name;
  double size = 0;  // points
  bool bold = false;
  bool italic = false;
};

// What a file dialog is asked to show.
struct FileDialogRequest {
  // Pairs of description and pattern, all joined by "|": "PRAXEL Bundle (*.pxb)|*.pxb|...".
  QString filter;
  int filterIndex = 1;  // the pair shown first, counted from 1
  QString initialFolder;
  QString fileName;          // proposed name (save dialog)
  QString defaultExtension;  // added to a name typed without one, ".pxb"
};

// The standard dialogs the program asks the user through: font, open, save and printer set-up.
// The program installs the Qt implementation; tests install a scripted one that answers from a
// queue and records every request. A cancelled dialog changes nothing and answers "cancelled".
class CommonDialogs {
 public:
  virtual ~CommonDialogs();
  // Shows the font dialog preset with `font`; on OK stores the choice in `font` and answers True.
  virtual bool ChooseFont(FontChoice& font) = 0;
  // The path of an existing file the user chose, or an empty text.
  virtual QString ChooseOpenFile(const FileDialogRequest& request) = 0;
  // The path to save under, or an empty text. Choosing an existing file asks before overwriting.
  virtual QString ChooseSaveFile(const FileDialogRequest& request) = 0;
  // The printer set-up (printer, paper and orientation, no print range); True when confirmed.
  virtual bool SetUpPrinter() = 0;
};

// The dialogs in use. Until some are installed every dialog is cancelled, so headless tools never
// block.
CommonDialogs& CurrentCommonDialogs();
// Installs the dialogs (not owned); nullptr goes back to the headless ones.
void SetCommonDialogs(CommonDialogs* dialogs);

}  // namespace praxel
