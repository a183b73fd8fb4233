#include "Notifications.h"

#include "Common.h"
#include "Forms.h"
#include "Guard.h"

#include <QPointer>
#include <QWidget>

namespace Common {

namespace {

void Broadcast(const char* member) {
  QList<QPointer<QObject>> windows;
  for (QObject* window : Forms::LoadedWindows()) windows.append(window);
  for (const QPointer<QObject>& window : windows) {
    // A form unloaded by an earlier receiver is no longer told.
    if (window.isNull() || (window != Forms::MainWindow() && !Forms::IsLoaded(qobject_cast<QWidget*>(window.data())))) {
      continue;
    }
    try {
      Forms::CallByName(window.data(), member);
    } catch (...) {
      // The receiver's trap has asked the user already; the walk goes on.
    }
  }
}

}  // namespace

void BroadcastNewDragNode() {
  ErrTrap::Guarded(QStringLiteral("Common:BroadcastNewDragNode"), [] { Broadcast("NewDragNode"); });
}

void BroadcastNewJournal() {
  ErrTrap::Guarded(QStringLiteral("Common:BroadcastNewJournal"), [] { Broadcast("NewJournal"); });
}

void BroadcastNewSolution() {
  ErrTrap::Guarded(QStringLiteral("Common:BroadcastNewSolution"), [] { Broadcast("NewSolution"); });
}

void BroadcastNewThisProject() {
  ErrTrap::Guard guard(QStringLiteral("Common:BroadcastNewThisProject"));
  guard([] { Broadcast("NewThisProject"); });
  // The project tree comes back when a project becomes active.
  guard([] {
    if (ThisProject() != nullptr) Forms::StartIfHidden(QStringLiteral("ProjectTreeForm"));
  });
}

void BroadcastNewThisTemplate() {
  ErrTrap::Guard guard(QStringLiteral("Common:BroadcastNewThisTemplate"));
  guard([] { Broadcast("NewThisTemplate"); });
  guard([] {
    if (ThisTemplate() != nullptr) Forms::StartIfHidden(QStringLiteral("TemplateTreeForm"));
  });
}

}  // namespace Common
