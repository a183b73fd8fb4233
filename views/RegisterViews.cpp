#include "RegisterViews.h"

#include "Forms.h"
#include "GanttForm.h"
#include "HistogramForm.h"

namespace Views {

void RegisterForms() {
  Forms::Register(QStringLiteral("GanttForm"), [] { return new GanttForm; });
  Forms::Register(QStringLiteral("HistogramForm"), [] { return new HistogramForm; });
}

}  // namespace Views
