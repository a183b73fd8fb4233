#include "MspdiDocument.h"

#include "MspdiReader.h"
#include "MspdiWriter.h"
#include "RuntimeError.h"
#include "SaveFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace MSProject {

namespace {

// The letters of a link type, and the type of the letters (finish-to-start for anything else).
constexpr std::array<const char*, 4> kLinkTypeLetters{"FF", "FS", "SF", "SS"};

int LinkTypeOf(const QString& letters) {
  for (int type = 0; type < 4; ++type) {
    if (letters.compare(QLatin1String(kLinkTypeLetters[type]), Qt::CaseInsensitive) == 0) return type;
  }
  return 1;
}

QString RateText(double ratePerHour) { return FormatNumber(ratePerHour) + QStringLiteral("/h"); }

// The next number that no key of `used` is: the one above `highest` while there is room, else the
// lowest free one after `lowest`. Both move on past the number given.
template <class Map>
int TakeFreeNumber(const Map& used, int& highest, int& lowest) {
  if (highest < std::numeric_limits<int>::max()) return ++highest;
  while (used.count(++lowest) != 0) {
  }
  return lowest;
}

}  // namespace

int Assignment::ResourceID(const Document& document) const {
  const Resource* resource = document.ResourceByUid(resourceUid);
  return resource != nullptr ? resource->id : 0;
}

QString Resource::StandardRateText() const { return RateText(standardRate); }

QString Resource::OvertimeRateText() const { return RateText(overtimeRate); }

QString Task::ProjectName() const { return document != nullptr ? document->name : QString(); }

QString Task::UnitText() const {
  switch (durationFormat) {
    case 4: case 6: case 8: case 10: case 12: case 20:
    case 36: case 38: case 40: case 42: case 44: case 52:
      return QString();
    case 3: case 35: return QStringLiteral("m");
    case 5: case 37: return QStringLiteral("h");
    case 9: case 41: return QStringLiteral("w");
    case 11: case 43: return QStringLiteral("mo");
    default: return QStringLiteral("d");
  }
}

std::optional<double> Task::FixedDate() const {
  // 2 "must start on", 4 "start no earlier than".
  if ((constraintType == 2 || constraintType == 4) && constraintDate.has_value()) return constraintDate;
  return std::nullopt;
}

void Task::SetFixedDate(double date) {
  constraintType = 4;
  constraintDate = date;
}

QString Task::PredecessorText() const {
  QStringList references;
  for (const Link& link : links) {
    const Task* predecessor = document != nullptr ? document->TaskByUid(link.predecessorUid) : nullptr;
    if (predecessor == nullptr) continue;
    const QString lag = FormatLag(link.lagTenths, link.lagFormat, document->workingTime);
    QString reference = QString::number(predecessor->id);
    if (link.type != 1 || !lag.isEmpty()) reference += QLatin1String(kLinkTypeLetters[std::clamp(link.type, 0, 3)]);
    references.append(reference + lag);
  }
  return references.join(QLatin1Char(','));
}

Link Task::ReadReference(const QString& reference) const {
  static const QRegularExpression pattern(QStringLiteral(R"(^\s*(\d+)\s*(FF|FS|SF|SS)?(.*)$)"),
                                          QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = pattern.match(reference);
  const Task* predecessor = match.hasMatch() ? document->TaskById(match.captured(1).toInt()) : nullptr;
  if (predecessor == nullptr) {
    praxel::RaiseProgramError(QStringLiteral("The predecessor \"") + reference.trimmed() +
                              QStringLiteral("\" names no task of the project."));
  }
  Link link;
  link.predecessorUid = predecessor->uid;
  link.type = LinkTypeOf(match.captured(2));
  const QString lagText = match.captured(3).trimmed();
  if (!lagText.isEmpty()) {
    const std::optional<Lag> lag = ParseLag(lagText, document->workingTime);
    if (!lag) praxel::RaiseProgramError(QStringLiteral("The lag \"") + lagText + QStringLiteral("\" cannot be read."));
    link.lagTenths = std::round(lag->minutes * 10.0);
    link.lagFormat = lag->format;
  }
  return link;
}

void Task::SetPredecessorText(const QString& text) {
  QList<Link> parsed;
  for (const QString& reference : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) parsed.append(ReadReference(reference));
  links = parsed;
}

void Task::AddPredecessor(const QString& reference) { links.append(ReadReference(reference)); }

QList<Assignment*> Task::Assignments() const {
  QList<Assignment*> result;
  if (document == nullptr) return result;
  for (Assignment* assignment : document->AssignmentsOfTask(uid)) {
    if (assignment->resourceUid == kNoResourceUid || assignment->ResourceID(*document) == 0) continue;
    result.append(assignment);
  }
  return result;
}

Assignment* Task::AddAssignment(int resourceId, double units) {
  const Resource* resource = document->ResourceById(resourceId);
  if (resource == nullptr) {
    praxel::RaiseProgramError(QStringLiteral("The project has no resource %1.").arg(resourceId));
  }
  auto assignment = std::make_unique<Assignment>();
  assignment->uid = TakeFreeNumber(document->assignmentsByUid_, document->highestAssignmentUid_,
                                   document->lowestAssignmentUid_);
  assignment->taskUid = uid;
  assignment->resourceUid = resource->uid;
  assignment->units = units;
  document->assignments.push_back(std::move(assignment));
  document->IndexAssignment(document->assignments.back().get());
  return document->assignments.back().get();
}

void Task::Outdent() {
  if (outlineLevel > 1) --outlineLevel;
}

QList<Task*> Document::Tasks() const {
  QList<Task*> result;
  for (const auto& task : tasks) {
    if (task->parent == nullptr) result.append(task.get());
  }
  return result;
}

QList<Resource*> Document::Resources() const {
  QList<Resource*> result;
  for (const auto& resource : resources) {
    if (resource->uid != 0 && resource->id != 0 && !resource->isNull) result.append(resource.get());
  }
  return result;
}

namespace {

template <class T>
T* Lookup(const std::unordered_map<int, T*>& index, int key) {
  const auto found = index.find(key);
  return found != index.end() ? found->second : nullptr;
}

}  // namespace

Task* Document::TaskByUid(int uid) const { return Lookup(tasksByUid_, uid); }

Task* Document::TaskById(int id) const { return Lookup(tasksById_, id); }

Resource* Document::ResourceByUid(int uid) const { return Lookup(resourcesByUid_, uid); }

Resource* Document::ResourceById(int id) const { return Lookup(resourcesById_, id); }

const std::vector<Assignment*>& Document::AssignmentsOfTask(int taskUid) const {
  static const std::vector<Assignment*> none;
  const auto found = assignmentsByTask_.find(taskUid);
  return found != assignmentsByTask_.end() ? found->second : none;
}

Task* Document::AddTask(const QString& taskName, int taskId) {
  auto task = std::make_unique<Task>();
  task->uid = TakeFreeNumber(tasksByUid_, highestTaskUid_, lowestTaskUid_);
  task->id = taskId > 0 && TaskById(taskId) == nullptr ? taskId : TakeFreeNumber(tasksById_, highestTaskId_, lowestTaskId_);
  task->name = taskName;
  task->document = this;
  tasks.push_back(std::move(task));
  IndexTask(tasks.back().get());
  return tasks.back().get();
}

Resource* Document::AddResource(const QString& resourceName, int resourceId) {
  auto resource = std::make_unique<Resource>();
  resource->uid = resourceId;
  resource->id = resourceId;
  resource->name = resourceName;
  resources.push_back(std::move(resource));
  IndexResource(resources.back().get());
  return resources.back().get();
}

void Document::IndexTask(Task* task) {
  tasksByUid_.emplace(task->uid, task);
  tasksById_.emplace(task->id, task);
  highestTaskUid_ = std::max(highestTaskUid_, task->uid);
  highestTaskId_ = std::max(highestTaskId_, task->id);
}

void Document::IndexResource(Resource* resource) {
  if (resource->isNull) return;
  if (resource->uid != 0) resourcesByUid_.emplace(resource->uid, resource);
  if (resource->id != 0) resourcesById_.emplace(resource->id, resource);
}

void Document::IndexAssignment(Assignment* assignment) {
  assignmentsByUid_.emplace(assignment->uid, assignment);
  assignmentsByTask_[assignment->taskUid].push_back(assignment);
  highestAssignmentUid_ = std::max(highestAssignmentUid_, assignment->uid);
}

void Document::Reindex() {
  tasksByUid_.clear();
  tasksById_.clear();
  resourcesByUid_.clear();
  resourcesById_.clear();
  assignmentsByUid_.clear();
  assignmentsByTask_.clear();
  highestTaskUid_ = highestTaskId_ = highestAssignmentUid_ = 0;
  lowestTaskUid_ = lowestTaskId_ = lowestAssignmentUid_ = 0;
  for (const auto& task : tasks) IndexTask(task.get());
  for (const auto& resource : resources) IndexResource(resource.get());
  for (const auto& assignment : assignments) IndexAssignment(assignment.get());
}

void Document::GiveUniqueIds() {
  // Every ID in use first, so that a free one is free of later tasks too.
  tasksById_.clear();
  highestTaskId_ = 0;
  lowestTaskId_ = 0;
  for (const auto& task : tasks) {
    if (task->id <= 0) continue;
    tasksById_.emplace(task->id, task.get());
    highestTaskId_ = std::max(highestTaskId_, task->id);
  }
  for (const auto& task : tasks) {
    if (task->id > 0 && tasksById_.at(task->id) == task.get()) continue;
    task->id = TakeFreeNumber(tasksById_, highestTaskId_, lowestTaskId_);
    tasksById_.emplace(task->id, task.get());
  }
}

QString Document::BuildOutline() {
  GiveUniqueIds();
  // IDs are the rows of the outline; a file that lists its tasks in another order is read in
  // the order of its IDs.
  std::stable_sort(tasks.begin(), tasks.end(), [](const auto& a, const auto& b) { return a->id < b->id; });
  Reindex();
  QList<Task*> open;  // the chain of summaries above the current row
  for (const auto& task : tasks) {
    task->document = this;
    task->parent = nullptr;
    task->children.clear();
    while (!open.isEmpty() && open.last()->outlineLevel >= task->outlineLevel) open.removeLast();
    if (open.size() == kDeepestOutline) {
      return QStringLiteral("task %1 lies below %2 summary tasks; at most %3 levels of the outline can be read")
          .arg(task->id)
          .arg(open.size())
          .arg(kDeepestOutline);
    }
    if (!open.isEmpty()) {
      task->parent = open.last();
      open.last()->children.append(task.get());
    }
    open.append(task.get());
  }
  return QString();
}

namespace {

std::unique_ptr<Document> ReadDocument(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = QStringLiteral("The file \"") + path + QStringLiteral("\" cannot be opened: ") + file.errorString();
    return nullptr;
  }
  auto document = std::make_unique<Document>();
  const QString problem = ReadMspdi(file, *document);
  if (!problem.isEmpty()) {
    *error = QStringLiteral("The file \"") + path + QStringLiteral("\" is not a Microsoft Project XML file (") +
             problem + QStringLiteral(").");
    return nullptr;
  }
  document->name = QFileInfo(path).completeBaseName();
  document->path = path;
  return document;
}

}  // namespace

bool Application::FileOpen(const QString& path, QString* error) {
  FileClose();
  active_ = ReadDocument(path, error);
  return active_ != nullptr;
}

Document* Application::FileOpenInserted(const QString& path, QString* error) {
  std::unique_ptr<Document> document = ReadDocument(path, error);
  if (document == nullptr) return nullptr;
  inserted_.push_back(std::move(document));
  return inserted_.back().get();
}

void Application::FileNew() {
  FileClose();
  active_ = std::make_unique<Document>();
}

bool Application::FileSaveAs(const QString& path, QString* error) {
  if (active_ == nullptr) {
    *error = QStringLiteral("The file \"") + path + QStringLiteral("\" cannot be written: no project is open");
    return false;
  }
  active_->name = QFileInfo(path).completeBaseName();
  QBuffer text;
  text.open(QIODevice::WriteOnly);
  WriteMspdi(*active_, QFileInfo(path).fileName(), text);
  const QString saveError = praxel::SaveWhole(path, text.data());
  if (saveError.isEmpty()) return true;
  *error = QStringLiteral("The file \"") + path + QStringLiteral("\" cannot be written: ") + saveError;
  return false;
}

}  // namespace MSProject
