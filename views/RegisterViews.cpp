#include "RegisterViews.h"

#include "Forms.h"
#include "GanttForm.h"

namespace Views {

void RegisterForms() { Forms::Register(QStringLiteral("GanttForm"), [] { return new GanttForm; }); }

}  // namespace Views
