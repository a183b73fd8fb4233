#include "Yslice.h"

#include "Guard.h"
#include "ResourceCalendar.h"
#include "Yassignment.h"
#include "Yproject.h"
#include "Yslot.h"
#include "Ytask.h"

#include <cmath>

void Yslice::Reset() {
  Task = nullptr;
  EarlyStart = 0.0;
  EarlyFinish = 0.0;
  LateStart = 0.0;
  LateFinish = 0.0;
  FromPercent = 0;
  ToPercent = 100;
  LaborCost = praxel::Currency();
  Count = 0;
  ForwardList.clear();
  BackwardList.clear();
}

QString Yslice::BuildNodeText() const {
  QString text;
  ErrTrap::Guarded(QStringLiteral("Yslice:BuildNodeText"), [&] {
    text.clear();
    if (FromPercent > 0 || ToPercent < 100) {
      text = QStringLiteral("%1% to %2% of ").arg(FromPercent).arg(ToPercent);
    }
    if (Task == nullptr) return;
    const Yproject* project = Task->Project();
    text += QLatin1Char('(') + (project != nullptr ? project->BuildNodeText() : QString()) + QStringLiteral(") ") +
            Task->BuildNodeText();
  });
  return text;
}

QString Yslice::Key() const { return QString::number(Identity()); }

void Yslice::Unsolve() {
  ErrTrap::Guarded(QStringLiteral("Yslice:Unsolve"), [&] {
    if (Task == nullptr) return;
    const double lastDay = std::floor(EarlyFinish);
    for (double day = std::floor(EarlyStart); day <= lastDay; day += 1.0) {
      for (const Yassignment* assignment : Task->AssignmentList) {
        const Yresource* resource = assignment->ResourceRequired();
        if (resource == nullptr) continue;
        for (Yslot* slot = Solve::FindSlot(*resource, day); slot != nullptr; slot = slot->NextSlot) {
          if (slot->TaskRequired() == Task && slot->StartTime >= EarlyStart && slot->EndTime <= EarlyFinish) {
            slot->Unsolve();
          }
        }
      }
    }
  });
}
