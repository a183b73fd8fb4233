#pragma once

namespace Dialogs {

// Makes every entry dialog known to the shell's forms by its class name ("ProjectEntryForm"),
// so that the menus, the toolbar and the trees' Modify open it. Called once at start-up, before
// the main window.
void RegisterForms();

}  // namespace Dialogs
