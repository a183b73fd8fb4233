#include "YwindowLibrary.h"

#include "Printer.h"
#include "Prompter.h"
#include "YwindowControl.h"

#include <QHash>
#include <QMetaObject>
#include <QWidget>

namespace Ywindow {

namespace {

// The classes a host can create, by the names hosts use for them.
const QHash<QString, const QMetaObject*>& Registry() {
  static const QHash<QString, const QMetaObject*> registry{
      {QStringLiteral("Ywindow.YwindowControl"), &YwindowControl::staticMetaObject},
  };
  return registry;
}

}  // namespace

QWidget* CreateObject(const QString& className, QWidget* parent) {
  const QMetaObject* meta = Registry().value(className);
  if (meta == nullptr) return nullptr;
  return qobject_cast<QWidget*>(meta->newInstance(Q_ARG(QWidget*, parent)));
}

void SetPrompter(praxel::Prompter* prompter) { praxel::SetPrompter(prompter); }

void SetPrinter(QPrinter* printer) { UsePrinter(printer); }

}  // namespace Ywindow
