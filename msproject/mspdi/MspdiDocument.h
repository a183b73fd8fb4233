#pragma once

#include "MspdiValues.h"
#include "OleDate.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

// The objects of a Microsoft Project document as the import and export use them: the
// application, its one active document, the document's tasks, resources and assignments. They
// are backed by Microsoft Project's XML interchange file (MSPDI), read and written whole
// (MspdiReader, MspdiWriter); nothing here knows the scheduling model.
//
// The file keeps what the objects offer in these places:
// - a task's predecessor text ("3,5FF+2d") stands for its PredecessorLink elements, which name
//   their predecessors by UID; the text names them by ID, as Microsoft Project shows them.
// - a task's child tasks come from the flat task list and its OutlineLevel values, built once when
//   the file is read; the project's own summary task (outline level 0) is not a task here.
// - the optimistic, most likely and pessimistic estimates are the custom fields Duration1 to
//   Duration3, the effort unit number the custom field Number1, the fixed date a "start no
//   earlier than" constraint, the cost value the task's FixedCost (the file writes costs in
//   cents), the description text its Notes; the unit text is the unit of its duration format,
//   empty for elapsed time.
// - a resource's department is its Group and its title its Code; rates are per hour in the file
//   whatever unit they are shown in.
// - an assignment's nine work-day flags travel in a custom assignment field of ours (nine
//   letters "0" or "1": holiday, Sunday .. Saturday, shutdown); the work-day marker is whether
//   it is there. Its hours a day travel in a second field of ours, so that they come back
//   exactly whatever shift the resource that reads them back works.
// - a task that stands for an inserted project names the project's file in SubprojectName.
// - Microsoft Project's placeholder assignment of a task without resources (resource UID -65535)
//   is no assignment.
namespace MSProject {

class Document;
class Task;

// Custom field numbers (FieldID) of the values kept in custom fields.
inline constexpr int kOptimisticField = 188743783;   // task Duration1
inline constexpr int kMostLikelyField = 188743784;   // task Duration2
inline constexpr int kPessimisticField = 188743785;  // task Duration3
inline constexpr int kEffortUnitsField = 188743767;  // task Number1
inline constexpr int kWorkDaysField = 255868975;     // ours: an assignment's nine day flags
inline constexpr int kHoursField = 255852652;        // ours: an assignment's hours a day (Number1)

// The deepest outline a document may have: a task below more summaries than these is refused
// (each summary becomes a project of its own, and a chain of thousands is no plan).
inline constexpr int kDeepestOutline = 1000;

// The last minute a date can name, 12/31/9999 11:59pm.
inline constexpr double kLastMinute = praxel::kEndOfDates - 1.0 / 1440;

// The placeholder resource UID of Microsoft Project's assignment on a task without resources.
inline constexpr int kNoResourceUid = -65535;

// One PredecessorLink: the predecessor's UID, the link type (0 FF, 1 FS, 2 SF, 3 SS), the lag in
// tenths of a minute and the unit the lag is shown in.
struct Link {
  int predecessorUid = 0;
  int type = 1;
  double lagTenths = 0.0;
  int lagFormat = 7;
};

class Assignment {
 public:
  int uid = 0;
  int taskUid = 0;
  int resourceUid = 0;
  double units = 1.0;  // the share of a resource's normal day (1 = full)
  bool workDayMarker = false;
  std::array<bool, 9> workDays{};  // holiday, Sunday .. Saturday, shutdown
  std::optional<double> hours;      // hours a day, in files this program wrote

  // The ID of the resource the assignment names (by UID); 0 when the file has no such resource.
  int ResourceID(const Document& document) const;
};

class Resource {
 public:
  int uid = 0;
  int id = 0;
  bool isNull = false;
  QString name;
  QString group;  // department
  QString code;   // title
  double standardRate = 0.0;  // per hour
  double overtimeRate = 0.0;  // per hour
  int standardRateFormat = 2;
  int overtimeRateFormat = 2;

  // "25/h": the rate per hour and the unit it is given in.
  QString StandardRateText() const;
  QString OvertimeRateText() const;
};

class Task {
 public:
  int uid = 0;
  int id = 0;
  bool isNull = false;
  QString name;
  QString notes;
  int outlineLevel = 1;
  std::optional<double> duration;  // working minutes
  double optimistic = 0.0;         // minutes; 0 when none
  double mostLikely = 0.0;
  double pessimistic = 0.0;
  double effortUnitNumber = 0.0;
  int durationFormat = 7;
  double fixedCost = 0.0;  // in currency units (the file holds cents)
  std::optional<double> start;
  std::optional<double> finish;
  int constraintType = 0;
  std::optional<double> constraintDate;
  bool summaryFlag = false;    // as the file says; the outline decides what a summary is
  bool milestoneFlag = false;  // as the file says
  QString subprojectName;      // SubprojectName: the file of an inserted project
  QList<Link> links;

  // Set when the document is read or a task added.
  Document* document = nullptr;
  Task* parent = nullptr;
  QList<Task*> children;

  // The roles the import and export use.
  QString ProjectName() const;
  // The file of the project inserted at this task, as the file names it (often a path of the
  // machine that wrote it); empty for any other task.
  QString SubprojectFileName() const { return subprojectName.trimmed(); }
  const QList<Task*>& ChildTasks() const { return children; }
  // The unit letters of the duration format; empty for elapsed durations.
  QString UnitText() const;
  // The "start no earlier than" or "must start on" date, when the task has one.
  std::optional<double> FixedDate() const;
  void SetFixedDate(double date);
  // The predecessor references, comma-separated: the predecessor's ID, the link type unless it is
  // finish-to-start without lag, and the lag ("3,5FF+2d"). Links to tasks the document does not
  // hold, and links to other projects, are left out.
  QString PredecessorText() const;
  // Replaces the links with those of a text of that form. A reference to an ID the document does
  // not hold, or a lag that cannot be read, is error 10000 with its message.
  void SetPredecessorText(const QString& text);
  // Adds the link of one reference of that form ("5FF+2d") after the others: the same as writing
  // back the predecessor text with the reference appended, without reading the others again.
  void AddPredecessor(const QString& reference);
  // The task's assignments, in the file's order, without placeholders and without assignments to
  // resources the document does not hold.
  QList<Assignment*> Assignments() const;
  // Adds an assignment of the resource with that ID (error 10000 when there is none).
  Assignment* AddAssignment(int resourceId, double units);
  // Moves the task one outline level in or out, as the export's indent and outdent do.
  void Indent() { ++outlineLevel; }
  void Outdent();

 private:
  // The link of one predecessor reference; error 10000 when it names no task of the document or
  // its lag cannot be read.
  Link ReadReference(const QString& reference) const;
};

// The tasks, resources and assignments are found through indexes of their UIDs and IDs, kept by
// the members that add them and rebuilt by BuildOutline. Give a task, resource or assignment its
// UID, ID or task through them (or call BuildOutline after changing them directly), so that the
// indexes stay true.
class Document {
 public:
  QString name;   // the file name without its folder and extension
  QString path;   // the file it was read from
  QString title;  // the description text
  std::optional<double> startDate;
  QString currencyCode = QStringLiteral("USD");  // ISO 4217
  WorkingTime workingTime;
  // Every task in outline order, the project's own summary task left out.
  std::vector<std::unique_ptr<Task>> tasks;
  std::vector<std::unique_ptr<Resource>> resources;
  std::vector<std::unique_ptr<Assignment>> assignments;
  // The dates of the file past the last minute the program keeps (kLastMinute), each set to that
  // minute when read, by what they were: "the start of task 3 "Pack"".
  QStringList changedDates;
  // Likewise the dates before the first day a date dependency can name (12/30/1899 12:00am), each
  // set to it when read.
  QStringList earlyDates;

  // The tasks at the top of the outline, each with its children below it.
  QList<Task*> Tasks() const;
  // The resources, but for the file's empty entries (UID or ID 0, or marked null).
  QList<Resource*> Resources() const;

  Task* TaskByUid(int uid) const;
  Task* TaskById(int id) const;
  Resource* ResourceByUid(int uid) const;
  Resource* ResourceById(int id) const;

  // The assignments of the task with that UID, in the file's order (placeholders included).
  const std::vector<Assignment*>& AssignmentsOfTask(int taskUid) const;

  // A new task at the end of the outline, at level 1, with the next free UID, and the ID `taskId`
  // when no task has it yet, else the next free ID.
  Task* AddTask(const QString& taskName, int taskId = 0);
  // A new resource with that ID (its UID too).
  Resource* AddResource(const QString& resourceName, int resourceId);
  // Gives every task an ID of its own, puts the tasks in the order of their IDs, links each to its
  // parent and children from the outline levels and indexes them. Tasks that share an ID with an
  // earlier one (a file of another tool), or have none, take the next free IDs; links go by UID
  // and are not touched. Returns why the outline cannot be taken (a task nested deeper than
  // kDeepestOutline summaries), or an empty text.
  QString BuildOutline();

 private:
  // Gives the tasks that share an ID with an earlier one, or have none, IDs of their own.
  void GiveUniqueIds();
  // Rebuilds the indexes from the lists.
  void Reindex();
  void IndexTask(Task* task);
  void IndexResource(Resource* resource);
  void IndexAssignment(Assignment* assignment);

  // The first task, resource (not null, UID and ID not 0) with each number.
  std::unordered_map<int, Task*> tasksByUid_;
  std::unordered_map<int, Task*> tasksById_;
  std::unordered_map<int, Resource*> resourcesByUid_;
  std::unordered_map<int, Resource*> resourcesById_;
  std::unordered_map<int, Assignment*> assignmentsByUid_;
  std::unordered_map<int, std::vector<Assignment*>> assignmentsByTask_;
  // For the next free numbers: the highest in use, and how far the lowest free ones have been
  // searched once the highest is the largest there is.
  int highestTaskUid_ = 0;
  int lowestTaskUid_ = 0;
  int highestTaskId_ = 0;
  int lowestTaskId_ = 0;
  int highestAssignmentUid_ = 0;
  int lowestAssignmentUid_ = 0;

  friend class Task;
};

// The application: at most one open document, the active one.
class Application {
 public:
  // Reads the file as the active document. False, with the reason in `error`, when it cannot be
  // read or is no Microsoft Project XML file; the active document is then none.
  bool FileOpen(const QString& path, QString* error);
  // A new empty document becomes the active one.
  void FileNew();
  // Writes the active document under that name (a temporary file that replaces the old one only
  // when complete). False, with the reason in `error`, when it cannot be written.
  bool FileSaveAs(const QString& path, QString* error);
  // Reads the file of an inserted project and keeps it open beside the active document until
  // FileClose. None, with the reason in `error`, when it cannot be read or is no Microsoft
  // Project XML file.
  Document* FileOpenInserted(const QString& path, QString* error);
  void FileClose() {
    active_.reset();
    inserted_.clear();
  }
  Document* ActiveProject() const { return active_.get(); }

 private:
  std::unique_ptr<Document> active_;
  std::vector<std::unique_ptr<Document>> inserted_;
};

}  // namespace MSProject
