// The second half of the import: each imported task's predecessor links become dependencies,
// and its assignments become assignments to the template's resources.

#include "TransferState.h"

#include "Common.h"
#include "Guard.h"
#include "Pool.h"
#include "Prompter.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yresource.h"
#include "Ytask.h"

#include <QRegularExpression>

#include <algorithm>

namespace Transfer {

namespace {

// The leading number of a text: blanks skipped, reading stops at the first character that cannot
// continue the number; 0 when there is none.
long LeadingNumber(const QString& text) {
  static const QRegularExpression number(QStringLiteral(R"(^\s*[+-]?\d+)"));
  const QRegularExpressionMatch match = number.match(text);
  return match.hasMatch() ? match.captured(0).trimmed().toLong() : 0;
}

// Fills the required task, offset and points of D from one predecessor reference of M:
// an optional path part ending in "\", the task's ID, an optional type and an optional lag
// ("12", "12SS", "12FF+2d", "C:\plans\Sub.mpp\7SF-1d").
void ParseDependency(const MSProject::Task& M, const QString& R, Ydependency* D) {
  ErrTrap::Guard guard(QStringLiteral("Transfer:ParseDependency"));
  State& state = TransferState();
  QString projectName;
  QString rest;
  guard([&] {
    const qsizetype last = R.lastIndexOf(QLatin1Char('\\'));
    if (last >= 0) {
      const qsizetype before = last > 0 ? R.lastIndexOf(QLatin1Char('\\'), last - 1) : -1;
      projectName = R.mid(before + 1, last - before - 1);
      projectName.chop(4);  // the extension
      rest = R.mid(last + 1);
    } else {
      projectName = M.ProjectName();
      rest = R;
    }
  });
  guard([&] {
    const QString key = projectName + QLatin1Char('\\') + QString::number(LeadingNumber(rest));
    Ytask* required = state.ImportedTasks.value(key);
    if (required == nullptr) {
      praxel::RaiseProgramError(QStringLiteral("The predecessor \"") + R.trimmed() + QStringLiteral("\" of task ") +
                                QString::number(M.id) + QStringLiteral(" is not an imported task."));
    }
    D->SetTaskRequired(required);
  });
  guard([&] {
    // The lag starts at its sign, the first "+" or "-": a sign further on belongs to the lag's
    // own number ("+6.94444444444444e-05ed").
    static const QRegularExpression signs(QStringLiteral("[+-]"));
    const qsizetype sign = rest.indexOf(signs);
    if (sign < 0) return;
    // The lag in its own unit: "+16h" is sixteen working hours, "+2ed" two days of 24 hours.
    const MSProject::WorkingTime time = M.document != nullptr ? M.document->workingTime : MSProject::WorkingTime{};
    const std::optional<MSProject::Lag> lag = MSProject::ParseLag(rest.mid(sign), time);
    if (!lag) {
      praxel::RaiseProgramError(QStringLiteral("The lag of the predecessor \"") + R.trimmed() +
                                QStringLiteral("\" cannot be read."));
    }
    D->SetOffset(MSProject::LagDays(*lag, time));
    rest = rest.left(sign);
  });
  guard([&] {
    const QString type = rest.right(2);
    if (type == QLatin1String("SS")) {
      D->SetFromPercent(0);
      D->SetToPercent(0);
    } else if (type == QLatin1String("SF")) {
      D->SetFromPercent(0);
      D->SetToPercent(100);
    } else if (type == QLatin1String("FF")) {
      D->SetFromPercent(100);
      D->SetToPercent(100);
    }
  });
}

Ydependency* NewDependency(Ytask* task) {
  auto* dependency = Common::NewY<Ydependency>(ytDependency);
  dependency->SetTask(task);
  return dependency;
}

void ImportTaskDependencies(Ytask* task) {
  ErrTrap::Guard guard(QStringLiteral("Transfer:ImportTaskDependencies"));
  State& state = TransferState();
  const MSProject::Task& M = *task->MTask;
  bool toStart = false;
  Ytask* firstRequired = nullptr;
  QString predecessors;
  guard([&] { predecessors = M.PredecessorText(); });
  guard([&] {
    const std::optional<double> fixedDate = M.FixedDate();
    if (!predecessors.isEmpty() && !fixedDate.has_value()) return;
    // A date dependency on the task's start, or on its fixed date.
    const double date = fixedDate.value_or(M.start.value_or(state.ImportBaseDate));
    NewDependency(task)->SetDepDate(date);
    toStart = true;
  });
  if (predecessors.isEmpty()) return;
  for (const QString& reference : predecessors.split(QLatin1Char(','))) {
    guard([&] {
      Ydependency* dependency = NewDependency(task);
      ParseDependency(M, reference, dependency);
      if (dependency->ToPercent() == 0) toStart = true;
      if (firstRequired == nullptr) firstRequired = dependency->TaskRequired();
    });
  }
  if (toStart || state.AddToStartAnswer == praxel::AnswerNo || firstRequired == nullptr) return;
  guard([&] {
    if (state.AddToStartAnswer != 0) return;
    state.AddToStartAnswer = praxel::CurrentPrompter().MsgBox(
        QStringLiteral("A task was found that had to-finish dependencies but no to-start dependencies.  Do you want "
                       "to automatically generate a to-start dependency each time this situation is encountered?"),
        praxel::MsgYesNo | praxel::MsgQuestion, QStringLiteral("Confirm Add To-Start Dependencies"));
  });
  if (state.AddToStartAnswer == praxel::AnswerNo) return;
  guard([&] { NewDependency(task)->SetTaskRequired(firstRequired); });
}

void ImportTaskAssignments(Ytask* task) {
  ErrTrap::Guard guard(QStringLiteral("Transfer:ImportTaskAssignments"));
  State& state = TransferState();
  const MSProject::Task& M = *task->MTask;
  for (const MSProject::Assignment* A : M.Assignments()) {
    guard([&] {
      Yresource* resource = state.ImportedResources.value(M.document->ResourceByUid(A->resourceUid));
      if (resource == nullptr) {
        praxel::RaiseProgramError(QStringLiteral("The resource %1 of an assignment of task %2 was not imported.")
                                      .arg(A->ResourceID(*M.document))
                                      .arg(M.id));
      }
      auto* assignment = Common::NewY<Yassignment>(ytAssignment);
      assignment->SetTask(task);
      assignment->SetResourceRequired(resource);
      // Days of its own replace the resource's days; a marker without any day keeps them.
      const bool ownDays = A->workDayMarker && std::find(A->workDays.begin(), A->workDays.end(), true) != A->workDays.end();
      for (int kind = 0; kind < Yassignment::kDayKinds; ++kind) {
        assignment->SetWorkDay(kind, ownDays ? A->workDays[kind] : resource->WorkDay(kind));
      }
      // A file of ours says the hours; in any other they come from the units.
      assignment->SetHours(A->hours.value_or(HoursOfUnits(A->units, *resource, ownDays ? &A->workDays : nullptr)));
    });
  }
}

// One pass over the imported tasks: `perTask` for each, then a step of the progress.
void ImportPass(ErrTrap::Guard& guard, const QString& text, void (*perTask)(Ytask*)) {
  guard([&] { StartPass(text); });
  for (Ytask* task : TransferState().ImportedTaskList) {
    guard([&] { perTask(task); });
    guard([] { IncrementCount(); });
  }
}

}  // namespace

void ImportDependencies() {
  ErrTrap::Guard guard(QStringLiteral("Transfer:ImportDependencies"));
  ImportPass(guard, QStringLiteral("Importing dependencies"), ImportTaskDependencies);
}

void ImportAssignments() {
  ErrTrap::Guard guard(QStringLiteral("Transfer:ImportAssignments"));
  ImportPass(guard, QStringLiteral("Importing assignments"), ImportTaskAssignments);
}

}  // namespace Transfer
