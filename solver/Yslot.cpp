#include "Yslot.h"

#include "Check.h"
#include "Common.h"
#include "Guard.h"
#include "Journals.h"
#include "PassJournal.h"
#include "Pool.h"
#include "ResourceCalendar.h"
#include "Rounding.h"
#include "ShortDate.h"
#include "TaskResults.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QList>

#include <cmath>

// The kind of time sits in the base's padding (see Yslot.h).
static_assert(sizeof(Yslot) <= 96, "a slot is at most 96 bytes");

void Yslot::Reset() {
  // The rest of the chain is reset link by link, so a long day never recurses deeply.
  Yslot* next = NextSlot;
  NextSlot = nullptr;
  while (next != nullptr) {
    Yslot* after = next->NextSlot;
    next->NextSlot = nullptr;
    next->Reset();
    next = after;
  }
  StartTime = 0.0;
  EndTime = 1.0;
  taskRequired_ = nullptr;
  taskIdentity_ = 0;
  SlotType = 0;
  LaborCost = praxel::Currency();
  RefResource = nullptr;
}

Yslot::Fields Yslot::SaveFields() const {
  return Fields{StartTime, EndTime, SlotType, NextSlot, taskRequired_, taskIdentity_, LaborCost.Ticks()};
}

void Yslot::LoadFields(const Fields& fields) {
  StartTime = fields.startTime;
  EndTime = fields.endTime;
  SlotType = fields.slotType;
  NextSlot = fields.nextSlot;
  taskRequired_ = fields.taskRequired;
  taskIdentity_ = fields.taskIdentity;
  LaborCost = praxel::Currency::FromTicks(fields.laborCost);
}

Ytask* Yslot::TaskRequired() const {
  if (taskRequired_ == nullptr) return nullptr;
  if (taskRequired_->IsFree() || taskRequired_->Identity() != taskIdentity_) return nullptr;
  return taskRequired_;
}

void Yslot::Book(Ytask* task, praxel::Currency cost) {
  if (Solve::PassJournal* journal = Solve::ActiveJournal()) journal->SlotChanging(*this);
  taskRequired_ = task;
  taskIdentity_ = task != nullptr ? task->Identity() : 0;
  LaborCost = cost;
}

bool Yslot::Allowed(int pass) const {
  // Asked for every slot a booking passes: the guard is set up only for a pass out of range.
  switch (pass) {
    case 0:
    case 1: return SlotType == Normal || SlotType == OffDay;
    case 2:
    case 3: return SlotType == Overtime;
    case 4:
    case 5:
    case 6: return true;
    default: break;
  }
  ErrTrap::Guarded(QStringLiteral("Yslot:Allowed"), [&] { TRAP_ASSERT(false, "a pass runs from 0 to 6"); });
  return false;
}

QString Yslot::BuildNodeText() const {
  QString text;
  ErrTrap::Guarded(QStringLiteral("Yslot:BuildNodeText"), [&] {
    text = praxel::DateTimeText(StartTime) + QStringLiteral(" to ") + praxel::DateTimeText(EndTime);
    const Ytask* task = TaskRequired();
    if (task != nullptr) {
      const Yproject* project = task->Project();
      text += QStringLiteral(" (") + (project != nullptr ? project->ProjectName() : QString()) + QStringLiteral(") ") +
              task->BuildNodeText();
    } else {
      text += QStringLiteral(" <available> ");
    }
  });
  return text;
}

std::int32_t Yslot::CountMinutes(const Ytask* task) const {
  std::int32_t result = 0;
  ErrTrap::Guarded(QStringLiteral("Yslot:CountMinutes"), [&] {
    result = 0;
    for (const Yslot* slot = this; slot != nullptr; slot = slot->NextSlot) {
      if (task != nullptr && slot->TaskRequired() == task) {
        result += praxel::ToLong((slot->EndTime - slot->StartTime) * 1440);
      }
    }
  });
  return result;
}

void Yslot::Delete() {
  ErrTrap::Guarded(QStringLiteral("Yslot:Delete"), [&] {
    Solve::SlotsRearranged();
    QList<Ypooled*> chain;
    for (Yslot* slot = this; slot != nullptr; slot = slot->NextSlot) chain.append(slot);
    for (Ypooled* object : chain) {
      auto* slot = static_cast<Yslot*>(object);
      slot->NextSlot = nullptr;
      slot->taskRequired_ = nullptr;
    }
    Common::FreeYobjects(chain);
  });
}

Yresource* Yslot::Resource() const {
  Yresource* result = nullptr;
  ErrTrap::Guarded(QStringLiteral("Yslot:Resource"), [&] {
    result = nullptr;
    const double day = std::floor(StartTime);
    for (const Ytemplate* templ : Common::Templates()) {
      for (Yresource* resource : templ->ResourceList) {
        if (!resource->Include()) continue;
        for (const Yslot* slot = Solve::FindSlot(*resource, day); slot != nullptr; slot = slot->NextSlot) {
          if (slot == this) {
            result = resource;
            return;
          }
        }
      }
    }
  });
  return result;
}

Yslot* Yslot::Split(double SplitTime) {
  Yslot* piece = nullptr;
  ErrTrap::Guarded(QStringLiteral("Yslot:Split"), [&] {
    Solve::PassJournal* journal = Solve::ActiveJournal();
    if (journal != nullptr) journal->SlotChanging(*this);
    piece = Solve::NewSlot();
    if (journal != nullptr) journal->SlotMade(*piece);
    piece->StartTime = SplitTime;
    piece->EndTime = EndTime;
    piece->SlotType = SlotType;
    piece->NextSlot = NextSlot;
    NextSlot = piece;
    EndTime = SplitTime;
  });
  return piece;
}

void Yslot::Unsolve() {
  ErrTrap::Guarded(QStringLiteral("Yslot:Unsolve"), [&] {
    if (Solve::PassJournal* journal = Solve::ActiveJournal()) journal->SlotChanging(*this);
    Ytask* task = TaskRequired();
    if (task != nullptr) Solve::StoreLaborCost(*task, task->LaborCost() - LaborCost);
    taskRequired_ = nullptr;
    taskIdentity_ = 0;
    LaborCost = praxel::Currency();
  });
}
