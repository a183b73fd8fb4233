#include "ScheduleReport.h"

#include "Common.h"
#include "Yfile.h"
#include "Yproject.h"
#include "Ytask.h"

#include <QTextStream>

void PrintSchedule(QTextStream& out, const QString& message) {
  out << message << '\n';
  for (const Yproject* project : Common::Projects()) {
    for (const Ytask* task : project->TaskList) {
      out << project->ProjectName() << '\t' << task->TaskID() << '\t' << Yfile::FormatDate(task->EarlyStart()) << '\t'
          << Yfile::FormatDate(task->EarlyFinish()) << '\t' << Yfile::FormatDate(task->LateStart()) << '\t'
          << Yfile::FormatDate(task->LateFinish()) << '\t' << Yfile::FormatNumber(task->LaborCost()) << '\n';
    }
  }
}
