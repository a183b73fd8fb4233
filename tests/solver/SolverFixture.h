#pragma once

#include "ScriptedPrompter.h"
#include "SolverHost.h"

#include <gtest/gtest.h>

#include <QString>

class Yassignment;
class Ydependency;
class Yproject;
class Yresource;
class Ytask;
class Ytemplate;

// The message of a solve that ended well.
inline const QString kComplete = QStringLiteral("Solve complete");

// Monday 1 January 2024, and times in that week: At(1, 10) is Tuesday 10:00.
double At(int day, int hour, int minute = 0);
// A time as the tests write it, to the minute: "Tue 10:00"; a time outside that week carries its
// date: "Mon 08 Jan 08:00"; the zero date is "none".
QString When(double time);

// A clean model with the solver installed: template "Staff" with the standard shift "Day"
// (overload to 8:00, normal 8-12, break 12-13, normal 13-17, overtime 17-21, overload after) on
// the journal of Monday 1 January 2024, and project "Main" on the same journal, both active.
// The headless host pumps at every poll. Nothing is solved until a test asks.
class SolverTest : public testing::Test {
 public:
  void SetUp() override;
  void TearDown() override;

  // A resource of "Staff" working Monday to Friday at 40 an hour (60 overtime, 80 off-day, 120
  // outside the shift).
  Yresource* AddResource(int id, Ytemplate* templ = nullptr);
  Yproject* AddProject(const QString& name, const QString& priority = QStringLiteral("1"));
  // A task of `effortUnits` (-60: hours of work, 1440: calendar days, 0: dates from its
  // dependencies) whose most likely estimate is `minutes`.
  Ytask* AddTask(int id, int minutes, int effortUnits = -60, Yproject* owner = nullptr);
  Ydependency* Depend(Ytask* task, Ytask* required, int fromPercent = 100, int toPercent = 0, double offset = 0.0);
  Ydependency* StartAt(Ytask* task, double date);
  Yassignment* Assign(Ytask* task, Yresource* resource, double hours = 8.0);
  // A finish task of the project that waits for every task no other task of it waits for, so
  // that the project ends in one slice.
  Ytask* CloseProject(Yproject* owner = nullptr);

  // Solves headless; answers the final solve message.
  QString SolveAll();
  // Builds the slice order only, as the run's fourth step does.
  void OrderOnly();

  testsupport::ScriptedPrompter prompter;
  Solve::HeadlessSolverHost host;
  Ytemplate* staff = nullptr;
  Yproject* project = nullptr;
};

// "Main" with task 1 of ten hours for resource 1 from Monday 08:00.
class OneTaskTest : public SolverTest {
 public:
  void SetUp() override {
    SolverTest::SetUp();
    resource = AddResource(1);
    task = AddTask(1, 600);
    StartAt(task, At(0, 8));
    assignment = Assign(task, resource);
  }

  Yresource* resource = nullptr;
  Ytask* task = nullptr;
  Yassignment* assignment = nullptr;
};
