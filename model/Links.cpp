#include "Links.h"

#include "Common.h"
#include "SolveState.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytask.h"
#include "Ytemplate.h"

namespace Common {

void ForgetFreedObjects(const QSet<const Ypooled*>& freed) {
  if (freed.isEmpty()) return;
  const auto isFreed = [&](const auto* object) { return object != nullptr && freed.contains(object); };

  if (isFreed(ThisProject())) SetThisProject(nullptr);
  if (isFreed(ThisTemplate())) SetThisTemplate(nullptr);
  for (const Ypooled* object : freed) Solve::ForgetObject(object);

  for (Yproject* project : Projects()) {
    project->ParentField().ReplaceIf(isFreed, nullptr);
    project->ManagerField().ReplaceIf(isFreed, nullptr);
    for (Ytask* task : project->TaskList) {
      if (isFreed(task->Subproject())) task->SetSubproject(nullptr);
      for (Ydependency* dependency : task->DependencyList) dependency->TaskRequiredField().ReplaceIf(isFreed, nullptr);
      for (Yassignment* assignment : task->AssignmentList) {
        assignment->ResourceRequiredField().ReplaceIf(isFreed, nullptr);
      }
    }
  }
  for (Ytemplate* templ : Templates()) {
    for (Yresource* resource : templ->ResourceList) resource->ShiftField().ReplaceIf(isFreed, nullptr);
  }
}

}  // namespace Common
