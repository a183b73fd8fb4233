#pragma once

#include "MspdiDocument.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class Yproject;
class Yresource;
class Ytask;

// The state the import and export share while they run, and their progress counter.
namespace Transfer {

struct State {
  MSProject::Application MSProjectApp;
  double ImportBaseDate = 0.0;
  QList<Yproject*> ImportedProjects;
  // Every imported task by its document's name, "\" and its ID in the file.
  QHash<QString, Ytask*> ImportedTasks;
  QList<Ytask*> ImportedTaskList;
  // The imported resources by the file's resource they came from (their ResourceID may differ
  // from its ID when the template already used that ID).
  QHash<const MSProject::Resource*, Yresource*> ImportedResources;
  // The files of the inserted projects being followed, the outermost first, and a line for each
  // inserted project that could not be followed.
  QStringList FollowedFiles;
  QStringList MissedSubprojects;
  QString ProgressText;
  long ProgressCount = 0;
  long ProgressTotal = 0;
  long LastPercent = 0;  // never reset: it carries over between passes and runs
  int AddToStartAnswer = 0;  // 0 not yet asked, 6 yes, 7 no; kept for the whole run
};

State& TransferState();

// Shows the text as the busy message of the window (an empty text clears it).
void StatusMessage(const QString& text);

// How many effort minutes a minute of the task's Project duration stands for: the summed units of
// its assignments, or 4.2 without any (a calendar week of 7 days of 24 hours against a working
// week of 5 days of 8 hours). Single precision, as the units are summed.
float EffortPerDurationMinute(const MSProject::Task& task);

// An assignment's units in the file are the share of its resource's normal day that it takes,
// spread over its own days: hours = NormalHours × units × the resource's days / the assignment's
// days, counting all nine day kinds. Without days of its own (`days` none, or none marked) the
// hours are NormalHours × units. UnitsOfHours is the other way round; a resource without normal
// time in its days has no share to give, and its units are 0.
double HoursOfUnits(double units, const Yresource& resource, const std::array<bool, 9>* days);
double UnitsOfHours(double hours, const Yresource& resource, const std::array<bool, 9>& days);

// Starts a pass of the progress counter, shown under `text`.
void StartPass(const QString& text);

// One step of the current pass: shows ProgressText and the percentage done when it changed.
// A pass without steps (ProgressTotal 0) shows nothing.
void IncrementCount();

// The import of dependencies and assignments, after the tasks and resources exist.
void ImportDependencies();
void ImportAssignments();

}  // namespace Transfer
