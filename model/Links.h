#pragma once

#include <QSet>

class Ypooled;

namespace Common {

// Clears every link of the loaded model (and of the solver and the active objects) that names
// one of the freed objects, so that nothing points at an object the pool hands out again:
// a dependency on a freed task becomes a date dependency, a freed resource leaves the
// assignments and managers that named it, a freed shift the resources that worked it, a
// freed project its parent and the task that stood for it.
void ForgetFreedObjects(const QSet<const Ypooled*>& freed);

}  // namespace Common
