#include "HeadlessSolve.h"

#include "Common.h"
#include "OleDate.h"
#include "SolveState.h"
#include "SolverHost.h"
#include "TrySolve.h"
#include "Yproject.h"
#include "Ytask.h"

#include <QTextStream>

#include <cstdlib>

namespace Solve {

namespace {

// A date as the record format writes it: "mm/dd/yyyy hh:mmam/pm", midnight as 12:00am.
// (A stand-in until the file object's own date writer serves here.)
QString RecordDate(double day) {
  const QDateTime when = praxel::FromOleDate(day);
  const QTime time = when.time();
  const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
  return QStringLiteral("%1/%2/%3 %4:%5%6")
      .arg(when.date().month(), 2, 10, QLatin1Char('0'))
      .arg(when.date().day(), 2, 10, QLatin1Char('0'))
      .arg(when.date().year(), 4, 10, QLatin1Char('0'))
      .arg(hour, 2, 10, QLatin1Char('0'))
      .arg(time.minute(), 2, 10, QLatin1Char('0'))
      .arg(time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm"));
}

// Money as the record format writes it: the plain invariant number, "." as the decimal point,
// no leading zero before it and no trailing zeros after it (1234.5, .25, -.5, 0).
// (A stand-in until the file object's own number writer serves here.)
QString RecordMoney(praxel::Currency amount) {
  const std::int64_t ticks = amount.Ticks();
  const std::uint64_t magnitude = ticks < 0 ? 0 - static_cast<std::uint64_t>(ticks) : static_cast<std::uint64_t>(ticks);
  const std::uint64_t whole = magnitude / praxel::Currency::kScale;
  QString fraction = QStringLiteral("%1").arg(magnitude % praxel::Currency::kScale, 4, 10, QLatin1Char('0'));
  while (fraction.endsWith(QLatin1Char('0'))) fraction.chop(1);
  QString text = whole != 0 || fraction.isEmpty() ? QString::number(whole) : QString();
  if (!fraction.isEmpty()) text += QLatin1Char('.') + fraction;
  return ticks < 0 ? QLatin1Char('-') + text : text;
}

}  // namespace

QString SolveHeadless(HeadlessSolverHost& host) {
  SolverHost& previous = Host();
  SetHost(&host);
  InstallSolver();
  RestartSolve();
  if (SolveMode() == ModeRequested) host.SetSolveTimerEnabled(true);
  while (SolveMode() == ModeRequested || SolveMode() == ModeSolving) {
    if (host.RunTimer() == 0) break;
  }
  const QString message = SolveMessage();
  SetHost(&previous);
  return message;
}

QString SolveHeadless() {
  HeadlessSolverHost host;
  return SolveHeadless(host);
}

void PrintSchedule(QTextStream& out, const QString& message) {
  out << message << '\n';
  for (const Yproject* project : Common::Projects()) {
    for (const Ytask* task : project->TaskList) {
      out << project->ProjectName() << '\t' << task->TaskID() << '\t' << RecordDate(task->EarlyStart()) << '\t'
          << RecordDate(task->EarlyFinish()) << '\t' << RecordDate(task->LateStart()) << '\t'
          << RecordDate(task->LateFinish()) << '\t' << RecordMoney(task->LaborCost()) << '\n';
    }
  }
}

}  // namespace Solve
