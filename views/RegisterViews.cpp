#include "RegisterViews.h"

#include "BudgetForm.h"
#include "CalendarForm.h"
#include "Forms.h"
#include "GanttForm.h"
#include "HistogramForm.h"
#include "OverageForm.h"
#include "PageSizeForm.h"
#include "PrecedenceForm.h"
#include "WorkBreakdownForm.h"
#include "ZoomForm.h"

namespace Views {

void RegisterForms() {
  Forms::Register(QStringLiteral("BudgetForm"), [] { return new BudgetForm; });
  Forms::Register(QStringLiteral("CalendarForm"), [] { return new CalendarForm; });
  Forms::Register(QStringLiteral("GanttForm"), [] { return new GanttForm; });
  Forms::Register(QStringLiteral("HistogramForm"), [] { return new HistogramForm; });
  Forms::Register(QStringLiteral("ZoomForm"), [] { return new ZoomForm; });
  Forms::Register(QStringLiteral("OverageForm"), [] { return new OverageForm; });
  Forms::Register(QStringLiteral("PageSizeForm"), [] { return new PageSizeForm; });
  Forms::Register(QStringLiteral("PrecedenceForm"), [] { return new PrecedenceForm; });
  Forms::Register(QStringLiteral("WorkBreakdownForm"), [] { return new WorkBreakdownForm; });
}

}  // namespace Views
