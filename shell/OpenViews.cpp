#include "OpenViews.h"

#include "Forms.h"

#include <QAction>
#include <QWidget>

namespace Common {

namespace {

int spreadsheetType = 0;

QAction* MenuEntry(const QString& Control) {
  QWidget* main = Forms::MainWindow();
  return main != nullptr ? main->findChild<QAction*>(Control) : nullptr;
}

}  // namespace

int SpreadsheetType() { return spreadsheetType; }

void SetSpreadsheetType(int Type) { spreadsheetType = Type; }

QString SpreadsheetTypeName(int Type) {
  static const char* const names[kSpreadsheetTypes] = {
      "Resource entry",      "Task entry",          "Project summary",       "Project update",
      "Loading by resource", "Loading by project",  "Loading by day",        "Overtime and overload",
      "Overload",            "Date dependency"};
  if (Type < 1 || Type > kSpreadsheetTypes) return QString();
  return QString::fromLatin1(names[Type - 1]);
}

void CheckMenuEntry(const QString& Control, bool Checked) {
  if (QAction* entry = MenuEntry(Control)) entry->setChecked(Checked);
}

bool MenuEntryChecked(const QString& Control) {
  const QAction* entry = MenuEntry(Control);
  return entry != nullptr && entry->isChecked();
}

}  // namespace Common
