// The commands that open the views: the Graphics entries (each opens its chart window and, while
// its check mark shows the window open, closes it again), Calendar, the ten spreadsheet types, and
// Output > Copy and Print for the active window.

#include "MainForm.h"

#include "Check.h"
#include "Common.h"
#include "CrashAnalysis.h"
#include "FormHelpers.h"
#include "Forms.h"
#include "Guard.h"
#include "OpenViews.h"
#include "Prompter.h"
#include "Yproject.h"

#include <QWidget>

namespace {

// What a view command asks before it opens its window.
enum class Needs { ProjectSet, TemplateSet, ProjectSolved, Nothing };

bool Met(Needs needs) {
  switch (needs) {
    case Needs::ProjectSet: return Common::ThisProjectSet();
    case Needs::TemplateSet: return Common::ThisTemplateSet();
    case Needs::ProjectSolved: return Common::ThisProjectSolved();
    case Needs::Nothing: return true;
  }
  return false;
}

// A Graphics entry with a check mark: its control, what it needs, and its window.
struct ChartEntry {
  const char* control;
  Needs needs;
  const char* form;
};

const ChartEntry kChartEntries[] = {
    {"GraphicsGanttMenu", Needs::ProjectSolved, "GanttForm"},
    {"GraphicsHistogramMenu", Needs::ProjectSolved, "HistogramForm"},
    {"GraphicsBudgetMenu", Needs::ProjectSolved, "BudgetForm"},
    {"GraphicsRiskAnalysisMenu", Needs::ProjectSet, "RiskForm"},
    {"GraphicsWorkBreakdownMenu", Needs::ProjectSet, "WorkBreakdownForm"},
    {"GraphicsPrecedenceMenu", Needs::ProjectSolved, "PrecedenceForm"},
};

// What each spreadsheet type needs, by type 1 to 10.
const Needs kSheetNeeds[] = {Needs::TemplateSet,   Needs::ProjectSet,    Needs::ProjectSolved, Needs::ProjectSolved,
                             Needs::TemplateSet,   Needs::TemplateSet,   Needs::TemplateSet,   Needs::ProjectSolved,
                             Needs::ProjectSolved, Needs::ProjectSet};
constexpr int kProjectUpdateSheet = 4;

void CloseForm(const QString& name) {
  if (QWidget* form = Forms::Find(name)) Forms::Unload(form);
}

}  // namespace

void MainForm::BuildViewCommands() {
  for (const ChartEntry& entry : kChartEntries) {
    commands_.insert(QString::fromLatin1(entry.control), [this, entry] {
      ToggleChart(QString::fromLatin1(entry.control), Met(entry.needs), QString::fromLatin1(entry.form));
    });
  }
  commands_.insert(QStringLiteral("GraphicsCrashAnalysisMenu"), [this] { GraphicsCrashAnalysisMenu_Click(); });
  commands_.insert(QStringLiteral("GraphicsStatusReportMenu"), [] {
    if (Common::ThisProjectSolved()) Forms::StartForm(QStringLiteral("StatusReportForm"), "Start");
  });
  commands_.insert(QStringLiteral("CalendarMenu"), [] {
    if (Common::ThisTemplateSet()) Forms::StartForm(QStringLiteral("CalendarForm"), "Start");
  });
  for (int index = 1; index <= 10; ++index) {
    commands_.insert(QStringLiteral("SpreadsheetTypeMenu%1").arg(index), [this, index] { SpreadsheetTypeMenu_Click(index); });
  }
  commands_.insert(QStringLiteral("OutputCopyMenu"), [this] { OutputCopyMenu_Click(); });
  commands_.insert(QStringLiteral("OutputPrintMenu"), [this] { OutputPrintMenu_Click(); });
}

void MainForm::ToggleChart(const QString& Control, bool Allowed, const QString& Form) {
  // The guard comes first also while the window is open: a busy solver keeps a chart that needs
  // a solution from being closed through its entry.
  if (!Allowed) return;
  if (Common::MenuEntryChecked(Control)) {
    CloseForm(Form);
  } else {
    Forms::StartForm(Form, "Start");
  }
}

void MainForm::GraphicsCrashAnalysisMenu_Click() {
  if (Common::MenuEntryChecked(QStringLiteral("GraphicsCrashAnalysisMenu"))) {
    CloseForm(QStringLiteral("CrashForm"));
  } else if (Solve::CrashItems() == nullptr) {
    praxel::CurrentPrompter().MsgBox(
        QStringLiteral("Crash data is unavailable.  To create crash data, please perform an iterative crash solve."),
        praxel::MsgExclamation, QStringLiteral("Crash Data Unavailable"));
  } else {
    Forms::StartForm(QStringLiteral("CrashForm"), "Start");
  }
}

void MainForm::SpreadsheetTypeMenu_Click(int Index) {
  TRAP_ASSERT(Index >= 1 && Index <= 10, "there are ten spreadsheet types");
  if (!Met(kSheetNeeds[Index - 1])) return;
  if (Index == kProjectUpdateSheet) {
    const Yproject* project = Common::ThisProject();
    if (project->PlanIndex == project->CurrentIndex) {
      praxel::CurrentPrompter().MsgBox(
          QStringLiteral("This spreadsheet requires the current journal to be different from the plan journal."),
          praxel::MsgExclamation, QStringLiteral("Plan Equals Current"));
      return;
    }
  }
  if (Index == Common::SpreadsheetType()) {
    CloseForm(QStringLiteral("SpreadsheetForm"));
    return;
  }
  // The window's unload clears the old type's mark and sets the type back to 0.
  if (Common::SpreadsheetType() != 0) CloseForm(QStringLiteral("SpreadsheetForm"));
  if (!Forms::IsRegistered(QStringLiteral("SpreadsheetForm"))) {
    Common::NotReadyYet();
    return;
  }
  Common::SetSpreadsheetType(Index);
  Common::CheckMenuEntry(QStringLiteral("SpreadsheetTypeMenu%1").arg(Index), true);
  Forms::StartForm(QStringLiteral("SpreadsheetForm"), "Start");
}

QWidget* MainForm::ActiveChart(const QString& Verb, const QString& Title) {
  QWidget* window = ActiveChild();
  if (window == nullptr) {
    praxel::CurrentPrompter().MsgBox(QStringLiteral("There is nothing to ") + Verb + QStringLiteral("."),
                                     praxel::MsgExclamation, QStringLiteral("Not Applicable"));
    return nullptr;
  }
  auto* chart = window->findChild<QWidget*>(QStringLiteral("Ywindow"));
  if (chart == nullptr) {
    praxel::CurrentPrompter().MsgBox(QStringLiteral("The ") + Verb + QStringLiteral(" function is not supported for ") +
                                         Common::WindowCaptionName(window) + QStringLiteral("."),
                                     praxel::MsgExclamation, Title);
  }
  return chart;
}

void MainForm::OutputCopyMenu_Click() {
  QWidget* chart = ActiveChart(QStringLiteral("copy"), QStringLiteral("Copy Not Supported"));
  if (chart != nullptr) Forms::CallByName(chart, "CopyToClipboard");
}

void MainForm::OutputPrintMenu_Click() {
  QWidget* chart = ActiveChart(QStringLiteral("print"), QStringLiteral("Print Not Supported"));
  if (chart == nullptr) return;
  // The page-size and print-preview dialog, for the window that holds the chart.
  QWidget* pageSize = Forms::Load(QStringLiteral("PageSizeForm"));
  if (pageSize == nullptr) {
    Common::NotReadyYet();
    return;
  }
  const bool woken = QMetaObject::invokeMethod(pageSize, "Wakeup", Qt::DirectConnection,
                                               Q_ARG(QWidget*, chart->parentWidget()));
  TRAP_ASSERT(woken, "the page-size dialog is woken with the chart's window");
}
