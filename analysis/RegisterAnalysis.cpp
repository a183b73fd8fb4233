#include "RegisterAnalysis.h"

#include "CrashDataForm.h"
#include "CrashForm.h"
#include "Forms.h"
#include "RiskForm.h"
#include "SpreadsheetForm.h"
#include "StatusReportForm.h"

namespace Analysis {

void RegisterForms() {
  Forms::Register(QStringLiteral("CrashForm"), [] { return new CrashForm; });
  Forms::Register(QStringLiteral("CrashDataForm"), [] { return new CrashDataForm; });
  Forms::Register(QStringLiteral("RiskForm"), [] { return new RiskForm; });
  Forms::Register(QStringLiteral("SpreadsheetForm"), [] { return new SpreadsheetForm; });
  Forms::Register(QStringLiteral("StatusReportForm"), [] { return new StatusReportForm; });
}

}  // namespace Analysis
