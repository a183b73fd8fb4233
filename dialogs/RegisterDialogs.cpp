#include "RegisterDialogs.h"

#include "AssignmentEntryForm.h"
#include "DependencyEntryForm.h"
#include "Forms.h"
#include "ProjectEntryForm.h"
#include "RateCalculatorForm.h"
#include "ResourceEntryForm.h"
#include "ShiftEntryForm.h"
#include "SubprojectEntryForm.h"
#include "TaskEntryForm.h"
#include "TemplateEntryForm.h"

namespace Dialogs {

void RegisterForms() {
  Forms::Register(QStringLiteral("ProjectEntryForm"), [] { return new ProjectEntryForm; });
  Forms::Register(QStringLiteral("SubprojectEntryForm"), [] { return new SubprojectEntryForm; });
  Forms::Register(QStringLiteral("TemplateEntryForm"), [] { return new TemplateEntryForm; });
  Forms::Register(QStringLiteral("TaskEntryForm"), [] { return new TaskEntryForm; });
  Forms::Register(QStringLiteral("DependencyEntryForm"), [] { return new DependencyEntryForm; });
  Forms::Register(QStringLiteral("AssignmentEntryForm"), [] { return new AssignmentEntryForm; });
  Forms::Register(QStringLiteral("ResourceEntryForm"), [] { return new ResourceEntryForm; });
  Forms::Register(QStringLiteral("RateCalculatorForm"), [] { return new RateCalculatorForm; });
  Forms::Register(QStringLiteral("ShiftEntryForm"), [] { return new ShiftEntryForm; });
}

}  // namespace Dialogs
