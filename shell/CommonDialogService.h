#pragma once

#include <QString>

class QWidget;

// The program's requests for a font, a file to open, a name to save under and a printer, through
// the standard dialogs of the platform layer. A cancelled dialog changes nothing.
namespace Help {

// The font dialog preset with the window's font (its size rounded to whole points); on OK the
// window takes the chosen font (size rounded to whole points) and it is stored in the settings
// under the window's name & ".FontName", ".FontSize", ".FontBold" and ".FontItalic". True when a
// font was chosen; the caller then starts its view again.
bool ShowFont(QWidget* window);

// The open dialog over project bundles, plain project files and Microsoft Project XML files, the
// bundles shown first, starting in StartDir. The chosen path, or an empty text.
QString ShowOpen(const QString& StartDir);

// The save dialog over the same kinds, starting in StartDir and proposing CurrentFile (or
// "NoName.pxb" when there is none), with ".pxb" added to a name without an extension. The chosen
// path, or an empty text.
QString ShowSave(const QString& StartDir, const QString& CurrentFile);

// The printer set-up; when confirmed, every open window hears of a new solution so that charts
// lay themselves out again for the new page.
void ShowPrinter();

}  // namespace Help
