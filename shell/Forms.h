#pragma once

#include <QList>
#include <QString>

#include <functional>

class FormHost;
class QMdiArea;
class QObject;
class QWidget;

// The program's windows other than the main window ("forms"), known by their class name
// ("GanttForm", "TaskEntryForm"). Each folder that brings forms registers a maker for each. A
// form is loaded (made, hidden) on its first use; it lives in a frame in the main window's client
// area (the help window stands on its own) and is unloaded when that frame closes: the form's
// close event is its unload handler, and a form that refuses the close stays loaded (hidden, if
// it hides itself). A command whose form no folder has registered yet answers "Not Ready Yet".
// F1 in a form of the client area that no control answered asks the help window for the form's
// page: its "HelpKey" property when it has one (a view: "Histogram"), else the page of its
// caption and focused control.
namespace Forms {

// The window kinds by border style.
enum BorderStyle : int {
  BorderNone = 0,
  BorderChart = 1,   // a chart window: fills the client area; one at a time
  BorderHelp = 2,    // the help window
  BorderDialog = 3,  // a dialog: centred, locks the main window while it is open
  BorderTree = 4,    // the project and template trees, side by side
};

using Maker = std::function<QWidget*()>;

// Makes a form class known; a later registration of the same name replaces the earlier one.
void Register(const QString& Name, Maker Make);
void Unregister(const QString& Name);
bool IsRegistered(const QString& Name);

// The main window and its client area, set by the main window for its lifetime (nullptr after).
void SetMainWindow(QWidget* MainWindow, QMdiArea* ClientArea);
QWidget* MainWindow();
// The main window as the host that places the other windows; nullptr without one.
FormHost* Host();

// The loaded form of that name, made and loaded hidden when needed; nullptr when no form of that
// name is registered. Its object name is its class name.
QWidget* Load(const QString& Name);
// The loaded form of that name, or nullptr.
QWidget* Find(const QString& Name);
bool IsLoaded(const QWidget* Form);
// Every loaded form, in the order they were loaded.
QList<QWidget*> Loaded();
// The main window, then every loaded form: the windows that notifications go to.
QList<QObject*> LoadedWindows();

// The form of the client area's active window (a chart, a tree or a dialog), or nullptr.
QWidget* ActiveForm();

// A form's border style: its "BorderStyle" property, 0 when it has none.
int BorderStyleOf(const QWidget* Form);
// The window that frames the form in the client area (the form itself when it stands alone).
// Placement, showing and enabling act on it.
QWidget* FrameOf(QWidget* Form);
// Closes the form's window; True when it closed (it was unloaded, unless it hid itself).
bool Unload(QWidget* Form);

// Calls a member without arguments by name; False when the object has no such member.
bool CallByName(QObject* Target, const char* Member);
// Starts a form (its Start) when it is not visible; nothing when no such form exists yet.
void StartIfHidden(const QString& Name);
// A command's entry into a form: loads the form and runs the member (Start, StartAdd). A form
// class that no folder has registered yet answers "Not Ready Yet".
void StartForm(const QString& Name, const char* Member);

}  // namespace Forms
