// A resource's calendar: days laid out from the shift, booking, pricing and releasing time, and
// calendars that follow the model from solve to solve.

#include "Pool.h"
#include "ResourceCalendar.h"
#include "SliceOrder.h"
#include "SolverFixture.h"
#include "TestSupport.h"
#include "Yassignment.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Yslice.h"
#include "Yslot.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

using Solve::FindOrCreateSlot;

// A day's chain as "08:00-12:00 3" entries, booked ones marked with the task ID: "... 3 t1".
QStringList DayOf(const Yresource& resource, double day) {
  QStringList stretches;
  for (const Yslot* slot = Solve::FindSlot(resource, day); slot != nullptr; slot = slot->NextSlot) {
    QString text = When(slot->StartTime).mid(4) + QLatin1Char('-') +
                   (slot->EndTime == std::floor(day) + 1 ? QStringLiteral("24:00") : When(slot->EndTime).mid(4)) +
                   QLatin1Char(' ') + QString::number(slot->SlotType);
    if (slot->TaskRequired() != nullptr) text += QStringLiteral(" t%1").arg(slot->TaskRequired()->TaskID());
    stretches.append(text);
  }
  return stretches;
}

class CalendarTest : public SolverTest {
 protected:
  void SetUp() override {
    SolverTest::SetUp();
    resource = AddResource(1);
    task = AddTask(1, 600);
    other = AddTask(2, 600);
    slice = Common::NewY<Yslice>(ytSlice);
    slice->Task = task;
  }
  void TearDown() override {
    Common::FreeY(slice);
    SolverTest::TearDown();
  }
  // Books `minutes` of `owner` from `start` in `pass`, as the forward pass does.
  std::int32_t Book(double start, std::int32_t minutes, int pass = 0, double dontGoBeyond = 0.0,
                    Ytask* owner = nullptr) {
    slice->Task = owner != nullptr ? owner : task;
    return Solve::Allocate(*resource, *slice, start, dontGoBeyond, minutes, pass);
  }

  Yresource* resource = nullptr;
  Ytask* task = nullptr;
  Ytask* other = nullptr;
  Yslice* slice = nullptr;
};

TEST_F(CalendarTest, TheDayArrayGrowsInBlocksOf32Days) {
  const auto bounds = [&] {
    const Solve::ResourceCalendar* calendar = Solve::FindCalendar(*resource);
    return std::pair(calendar->LowerBound(), calendar->UpperBound());
  };
  FindOrCreateSlot(*resource, 45000.5);
  EXPECT_EQ(bounds(), std::pair(44992, 45024));
  const Yslot* kept = Solve::FindSlot(*resource, 45000);
  FindOrCreateSlot(*resource, 44990);
  EXPECT_EQ(bounds(), std::pair(44960, 45024));
  EXPECT_EQ(Solve::FindSlot(*resource, 45000), kept);
  FindOrCreateSlot(*resource, 45030);
  EXPECT_EQ(bounds(), std::pair(44960, 45056));

  Yresource* second = AddResource(2);
  FindOrCreateSlot(*second, 45024.25);
  EXPECT_EQ(Solve::FindCalendar(*second)->LowerBound(), 45024);
  EXPECT_EQ(Solve::FindCalendar(*second)->UpperBound(), 45024);
}

TEST_F(CalendarTest, ADayHasOneSlotPerRunOfShiftCodes) {
  FindOrCreateSlot(*resource, At(0, 9));  // Monday, a working day
  FindOrCreateSlot(*resource, At(5, 9));  // Saturday
  EXPECT_EQ(DayOf(*resource, At(0, 0)), (QStringList{"00:00-08:00 9", "08:00-12:00 3", "12:00-13:00 9",
                                                     "13:00-17:00 3", "17:00-21:00 5", "21:00-24:00 9"}));
  EXPECT_EQ(DayOf(*resource, At(5, 0)), (QStringList{"00:00-08:00 9", "08:00-12:00 4", "12:00-13:00 9",
                                                     "13:00-17:00 4", "17:00-21:00 5", "21:00-24:00 9"}));
}

TEST_F(CalendarTest, ShortOrUnknownShiftCodesStillMakeAWholeDay) {
  Yshift* shift = resource->Shift();
  shift->SetMatrix(0, QString());                  // a row with no codes at all
  shift->SetMatrix(9, QStringLiteral("NNNNNN"));   // half a row
  shift->SetMatrix(23, QStringLiteral("XXXXXXXXXXXZ"));
  FindOrCreateSlot(*resource, At(0, 0));
  EXPECT_EQ(DayOf(*resource, At(0, 0)),
            (QStringList{"00:00-01:00 0", "01:00-08:00 9", "08:00-09:30 3", "09:30-10:00 0", "10:00-12:00 3",
                         "12:00-13:00 9", "13:00-17:00 3", "17:00-21:00 5", "21:00-23:55 9", "23:55-24:00 0"}));
}

TEST_F(CalendarTest, BookingSplitsTheSlotAndPricesTheStretch) {
  slice->Multiplier = 2.0f;
  EXPECT_EQ(Book(At(0, 9, 15), 90), 90);
  EXPECT_EQ(DayOf(*resource, At(0, 0)).mid(1, 3),
            (QStringList{"08:00-09:15 3", "09:15-10:45 3 t1", "10:45-12:00 3"}));
  // 1.5 hours at 40 an hour, doubled by the multiplier.
  EXPECT_EQ(slice->LaborCost, praxel::Currency::FromDouble(120));
  EXPECT_EQ(task->LaborCost(), praxel::Currency::FromDouble(120));
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Mon 10:45"));
}

TEST_F(CalendarTest, EachKindOfTimeHasItsRate) {
  struct Case {
    int day;
    int hour;
    int pass;
    double cost;  // one hour
  };
  for (const Case& c : {Case{0, 9, 0, 40}, Case{5, 9, 0, 80}, Case{0, 18, 2, 60}, Case{0, 22, 4, 120}}) {
    SCOPED_TRACE(c.hour);
    task->SetLaborCost(praxel::Currency());
    EXPECT_EQ(Book(At(c.day, c.hour), 60, c.pass), 60);
    EXPECT_EQ(task->LaborCost(), praxel::Currency::FromDouble(c.cost));
  }
}

TEST_F(CalendarTest, APassSkipsKindsItDoesNotAllowAndNotesBookedTime) {
  // From 06:00 in pass 0: the overload before 08:00 is passed over without interference.
  EXPECT_EQ(Book(At(0, 6), 60), 60);
  EXPECT_FALSE(resource->Interference);
  EXPECT_EQ(DayOf(*resource, At(0, 0)).at(1), QStringLiteral("08:00-09:00 3 t1"));
  // Normal time booked to any task, this one included, is interference and is not booked again.
  EXPECT_EQ(Book(At(0, 8), 60, 0, 0.0, other), 60);
  EXPECT_TRUE(resource->Interference);
  resource->Interference = false;
  EXPECT_EQ(Book(At(0, 8), 60, 0, 0.0, task), 60);
  EXPECT_TRUE(resource->Interference);

  prompter.Answer(praxel::AnswerIgnore);
  EXPECT_FALSE(Yslot().Allowed(7));
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().first().text, QStringLiteral("Internal error 10000: Assertion failed"));
}

TEST_F(CalendarTest, DontGoBeyondCutsTheBooking) {
  Book(At(0, 13), 240, 0, 0.0, other);
  EXPECT_EQ(Book(At(0, 9), 300, 0, At(0, 10)), 60);
  EXPECT_EQ(DayOf(*resource, At(0, 0)).mid(1, 3),
            (QStringList{"08:00-09:00 3", "09:00-10:00 3 t1", "10:00-12:00 3"}));
  EXPECT_TRUE(resource->Interference) << "the walk goes on and meets the afternoon's booking";
  EXPECT_EQ(Book(At(0, 10), 300, 0, At(0, 10)), 0);
  EXPECT_EQ(Book(At(0, 11), 300, 0, At(0, 10)), 0);
}

TEST_F(CalendarTest, FindSlotNeverPreparesADay) {
  EXPECT_EQ(Solve::FindSlot(*resource, At(0, 0)), nullptr);
  EXPECT_EQ(Solve::FindCalendar(*resource), nullptr);
  FindOrCreateSlot(*resource, At(0, 9));
  EXPECT_EQ(Solve::FindSlot(*resource, At(1, 0)), nullptr) << "inside the array, not prepared";
  EXPECT_EQ(Solve::FindSlot(*resource, At(200, 0)), nullptr) << "outside the array";
  EXPECT_EQ(Solve::FindSlot(*resource, At(1, 0)), nullptr);
}

TEST_F(CalendarTest, CountingMinutesSeesOnlyPreparedDaysAndDistinctResources) {
  Book(At(0, 8), 240);
  Book(At(2, 13), 120);
  Book(At(2, 8), 60, 0, 0.0, other);
  EXPECT_EQ(Solve::CountMinutes(*resource, task, At(-400, 0), At(400, 0)), 360);
  EXPECT_EQ(Solve::CountMinutes(*resource, task, At(1, 0), At(2, 0)), 120);

  Assign(task, resource, 4);
  Assign(task, resource, 4);  // the same resource twice counts once
  EXPECT_EQ(Solve::EffortMinutes(*task, At(0, 0), At(6, 0)), 360);
  Ytask* loose = Common::NewY<Ytask>(ytTask);
  EXPECT_EQ(Solve::EffortMinutes(*loose, At(0, 0), At(6, 0)), 0);
  Common::FreeY(loose);
}

TEST_F(CalendarTest, UnsolveFreesEverySlotKeepsTheSplitsAndRefundsTheTasks) {
  Book(At(0, 9, 15), 90);
  Book(At(0, 13), 30, 0, 0.0, other);
  const QStringList before = DayOf(*resource, At(0, 0));
  Solve::Unsolve(*resource);
  QStringList freed = before;
  freed.replaceInStrings(QStringLiteral(" t1"), QString()).replaceInStrings(QStringLiteral(" t2"), QString());
  EXPECT_EQ(DayOf(*resource, At(0, 0)), freed);
  EXPECT_EQ(task->LaborCost(), praxel::Currency());
  EXPECT_EQ(other->LaborCost(), praxel::Currency());
  for (const Yslot* s = Solve::FindSlot(*resource, At(0, 0)); s != nullptr; s = s->NextSlot) {
    EXPECT_EQ(s->LaborCost, praxel::Currency());
  }
}

TEST_F(CalendarTest, ASliceOrATaskTakesBackOnlyItsOwnBookings) {
  Assign(task, resource);
  Book(At(0, 8), 120);
  Book(At(1, 8), 60);
  Book(At(0, 13), 60, 0, 0.0, other);
  slice->Task = task;
  slice->EarlyStart = At(0, 8);
  slice->EarlyFinish = At(0, 10);
  slice->Unsolve();
  EXPECT_EQ(Solve::CountMinutes(*resource, task, At(0, 0), At(1, 0)), 60) << "Tuesday lies outside the slice";
  EXPECT_EQ(Solve::CountMinutes(*resource, other, At(0, 0), At(1, 0)), 60);
  EXPECT_EQ(task->LaborCost(), praxel::Currency::FromDouble(40));
  Solve::Unsolve(*task);
  EXPECT_EQ(Solve::CountMinutes(*resource, task, At(0, 0), At(1, 0)), 0);
  EXPECT_EQ(Solve::CountMinutes(*resource, other, At(0, 0), At(1, 0)), 60);
}

TEST_F(CalendarTest, ASlotBookedToAFreedTaskReadsFree) {
  Book(At(0, 8), 60, 0, 0.0, other);
  other->Delete();  // the only journal: the task goes back to the pool
  const Yslot* booked = Solve::FindSlot(*resource, At(0, 0))->NextSlot;
  EXPECT_EQ(booked->TaskRequired(), nullptr);
  Ytask* reused = AddTask(5, 60);  // likely the same object, handed out again
  EXPECT_EQ(booked->TaskRequired(), nullptr);
  Solve::Unsolve(*resource);
  EXPECT_EQ(reused->LaborCost(), praxel::Currency()) << "an old booking is not charged to a new task";
}

TEST_F(CalendarTest, SlotKnowsItsResourceAndCaption) {
  Book(At(0, 8), 60);
  const Yslot* booked = Solve::FindSlot(*resource, At(0, 0))->NextSlot;
  EXPECT_EQ(booked->Resource(), resource);
  EXPECT_EQ(booked->BuildNodeText(), QStringLiteral("1/1/2024 8:00 AM to 1/1/2024 9:00 AM (Main) 1: Task 1"));
  EXPECT_TRUE(booked->NextSlot->BuildNodeText().endsWith(QStringLiteral(" <available> ")));
  Yslot loose;
  EXPECT_EQ(loose.Resource(), nullptr);
}

// ---- Calendars follow the model from solve to solve ---------------------------------------------

class CalendarFollowsModelTest : public SolverTest {
 protected:
  void SetUp() override {
    SolverTest::SetUp();
    resource = AddResource(1);
    task = AddTask(1, 600);
    StartAt(task, At(0, 8));
    assignment = Assign(task, resource);
    ASSERT_EQ(SolveAll(), QStringLiteral("Solve complete"));
    ASSERT_EQ(When(task->EarlyFinish()), QStringLiteral("Tue 10:00"));
  }
  Yresource* resource = nullptr;
  Ytask* task = nullptr;
  Yassignment* assignment = nullptr;
};

TEST_F(CalendarFollowsModelTest, AShiftEditReachesDaysPreparedBefore) {
  Yshift* shift = resource->Shift();
  for (int hour = 13; hour <= 16; ++hour) shift->SetMatrix(hour, QStringLiteral("XXXXXXXXXXXX"));
  staff->SetDirty(true);
  EXPECT_EQ(SolveAll(), QStringLiteral("Solve complete"));
  // Four normal hours a day now: Monday and Tuesday 08-12, Wednesday 08:00-10:00.
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Wed 10:00"));
  EXPECT_EQ(DayOf(*resource, At(0, 0)).at(3), QStringLiteral("13:00-17:00 9"));
}

TEST_F(CalendarFollowsModelTest, AWorkDayEditReachesDaysPreparedBefore) {
  resource->SetWorkDay(2, false);  // Monday is now an off day for the resource
  staff->SetDirty(true);
  EXPECT_EQ(SolveAll(), QStringLiteral("Solve complete"));
  // Monday's eight hours at the off-day rate, Tuesday's two at the normal rate.
  EXPECT_EQ(task->LaborCost(), praxel::Currency::FromDouble(8 * 80 + 2 * 40));
}

TEST_F(CalendarFollowsModelTest, ABookingOfAnExcludedResourceBlocksNothing) {
  // The resource leaves the template in a later journal, while the assignment stays.
  staff->AddJournal(At(7, 0));
  project->AddJournal(At(7, 0));
  resource->Delete();
  ASSERT_FALSE(resource->Include());
  project->SetDirty(true);
  EXPECT_EQ(SolveAll(), QStringLiteral("Solve complete"));
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Tue 10:00"));
}

TEST_F(CalendarFollowsModelTest, AJournalWithAnotherShiftReachesDaysPreparedBefore) {
  Yshift* mornings = staff->FindOrCreateShift(QStringLiteral("Mornings"));
  for (int hour = 13; hour <= 16; ++hour) mornings->SetMatrix(hour, QStringLiteral("XXXXXXXXXXXX"));
  staff->AddJournal(At(7, 0));
  resource->SetShift(mornings);  // from the new journal on
  project->AddJournal(At(7, 0));
  project->SetDirty(true);
  EXPECT_EQ(SolveAll(), QStringLiteral("Solve complete"));
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Wed 10:00"));

  staff->SetJournal(At(0, 0));
  project->SetJournal(At(0, 0));
  project->SetDirty(true);
  EXPECT_EQ(SolveAll(), QStringLiteral("Solve complete"));
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Tue 10:00"));
}

}  // namespace
