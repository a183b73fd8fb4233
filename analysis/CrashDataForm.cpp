#include "CrashDataForm.h"

#include "Journals.h"
#include "ShortDate.h"
#include "Yproject.h"
#include "Ytask.h"
#include "YwindowControl.h"

namespace {

constexpr int kTextOnly = 0;
constexpr int kLeft = 1;
constexpr int kRight = 7;

}  // namespace

CrashDataForm::CrashDataForm(QWidget* parent)
    : ChartView({QStringLiteral("CrashData"), QString(), 0, 0, QString(), Forms::BorderDialog}, parent) {
  setObjectName(QStringLiteral("CrashDataForm"));
  setProperty("HelpKey", QStringLiteral("Crash"));
  Chart()->Style(kTextOnly);
}

void CrashDataForm::Start(double date, const QList<Ycrash>& steps) {
  date_ = date;
  steps_ = steps;
  ChartView::Start();
}

QString CrashDataForm::Caption() const { return QStringLiteral("Crash to ") + praxel::DateTimeText(date_); }

QString CrashDataForm::MultiplierText(float multiplier) {
  // Seven figures at most: a single-precision number holds no more.
  return QString::number(static_cast<double>(multiplier), 'g', 7);
}

void CrashDataForm::RedoLayout() {
  YwindowControl* chart = Chart();
  chart->Reset();
  chart->AddColumn(QStringLiteral("Project"), kLeft);
  chart->AddColumn(QStringLiteral("Task"), kLeft);
  chart->AddColumn(QStringLiteral("Multiplier"), kRight);
  chart->FixTop();
  for (const Ycrash& step : steps_) {
    chart->AddRow();
    const int row = chart->Rows() - 1;
    const Ytask* task = step.Task;
    const Yproject* project = task != nullptr ? task->Project() : nullptr;
    // A task deleted since the analysis has no caption left.
    const QString caption = task != nullptr ? task->BuildNodeText() : QString();
    chart->CellText(row, 0, project != nullptr ? project->BuildNodeText() : QString());
    chart->CellText(row, 1,
                    step.FromPercent == 0 && step.ToPercent == 100
                        ? caption
                        : QStringLiteral("%1% to %2% of ").arg(step.FromPercent).arg(step.ToPercent) + caption);
    chart->CellText(row, 2, MultiplierText(step.Multiplier));
  }
  chart->LayoutComplete(0, 0);
}

void CrashDataForm::RedoGraphics() { Chart()->Refresh(); }

bool CrashDataForm::ReadyToShow() {
  SizeToGrid();
  return true;
}
