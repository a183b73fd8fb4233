#include "SelectedTask.h"

#include "Check.h"
#include "Prompter.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"
#include "Ytask.h"

namespace Dialogs {

Ytask* SelectedTask(const QString& text, const QString& title) {
  if (Common::NodeKind(Common::DragNode()) != QLatin1String("t")) {
    praxel::CurrentPrompter().MsgBox(text, praxel::MsgExclamation, title);
    return nullptr;
  }
  auto* task = dynamic_cast<Ytask*>(Common::DragObject());
  TRAP_ASSERT(task != nullptr, "a task node stands for a task");
  return task;
}

}  // namespace Dialogs
