#pragma once

#include <QString>

class Ytask;

namespace Dialogs {

// The task of the selected tree node, which a new dependency or assignment is added to. When no
// node is selected, or another kind of node, the user is told so (an exclamation box with `text`
// under `title`) and the answer is none.
Ytask* SelectedTask(const QString& text, const QString& title);

}  // namespace Dialogs
