#include "MspdiReader.h"

#include "MspdiDocument.h"

#include <QIODevice>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

namespace MSProject {

namespace {

// An element with its text and child elements: tasks, resources and assignments are small, so
// each is read whole and its fields picked out by name, whatever their order.
struct Node {
  QString name;
  QString text;
  QList<Node> children;

  QString Text(QLatin1String child) const {
    for (const Node& node : children) {
      if (node.name == child) return node.text;
    }
    return QString();
  }
  bool Has(QLatin1String child) const {
    return std::any_of(children.begin(), children.end(), [&](const Node& node) { return node.name == child; });
  }
  std::optional<double> Number(QLatin1String child) const { return ParseNumber(Text(child)); }
  int Integer(QLatin1String child, int otherwise) const {
    const std::optional<double> value = Number(child);
    if (!value || std::fabs(*value) > 2147483647.0) return otherwise;
    return static_cast<int>(*value);
  }
};

// The levels of elements kept below a task, resource or assignment: its fields, and the fields
// of the elements it holds (a PredecessorLink, an ExtendedAttribute). Anything deeper is no value
// the import uses and is skipped, so that no nesting, however deep, deepens the reading.
constexpr int kKeptLevels = 2;

// Reads the element the reader stands on, up to its end, keeping `levels` levels of children.
Node ReadNode(QXmlStreamReader& xml, int levels) {
  Node node;
  node.name = xml.name().toString();
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      if (levels > 0) {
        node.children.append(ReadNode(xml, levels - 1));
      } else {
        xml.skipCurrentElement();
      }
    } else if (xml.isCharacters()) {
      node.text += xml.text();
    } else if (xml.isEndElement()) {
      break;
    }
  }
  return node;
}

// The text of the element the reader stands on, with the text of every element inside it, read
// up to its end in one loop whatever the nesting.
QString ElementText(QXmlStreamReader& xml) {
  QString text;
  int depth = 1;
  while (depth > 0 && !xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      ++depth;
    } else if (xml.isEndElement()) {
      --depth;
    } else if (xml.isCharacters()) {
      text += xml.text();
    }
  }
  return text;
}

// The custom fields of a task or an assignment: field number and value.
QList<QPair<int, QString>> CustomFields(const Node& node) {
  QList<QPair<int, QString>> fields;
  for (const Node& child : node.children) {
    if (child.name != QLatin1String("ExtendedAttribute")) continue;
    fields.append({child.Integer(QLatin1String("FieldID"), 0), child.Text(QLatin1String("Value"))});
  }
  return fields;
}

// A date of the file. One past the last minute the program keeps is set to that minute, one
// before the first day a date dependency can name is set to that day, and `what` it was goes on
// the document's list of changed dates.
std::optional<double> ReadDate(const QString& text, const QString& what, Document& document) {
  std::optional<double> day = ParseDateTime(text);
  if (day && *day > kLastMinute + 0.5 / 86400) {
    document.changedDates.append(what);
    day = kLastMinute;
  } else if (day && *day < 0.0) {
    document.earlyDates.append(what);
    day = 0.0;
  }
  return day;
}

void ReadTask(const Node& node, Document& document) {
  auto task = std::make_unique<Task>();
  task->uid = node.Integer(QLatin1String("UID"), 0);
  task->id = node.Integer(QLatin1String("ID"), task->uid);
  if (!node.Has(QLatin1String("UID"))) task->uid = task->id;
  task->outlineLevel = node.Integer(QLatin1String("OutlineLevel"), 1);
  // The project's own summary task stands for the document, not for a task of it.
  if (task->outlineLevel <= 0) return;
  task->isNull = ParseBoolean(node.Text(QLatin1String("IsNull")));
  task->name = node.Text(QLatin1String("Name"));
  task->notes = node.Text(QLatin1String("Notes"));
  task->duration = ParseDuration(node.Text(QLatin1String("Duration")));
  task->durationFormat = node.Integer(QLatin1String("DurationFormat"), 7);
  task->fixedCost = node.Number(QLatin1String("FixedCost")).value_or(0.0) / 100.0;
  const QString caption = QStringLiteral("task %1 \"%2\"").arg(task->id).arg(task->name.trimmed());
  task->start = ReadDate(node.Text(QLatin1String("Start")), QStringLiteral("the start of ") + caption, document);
  task->finish = ReadDate(node.Text(QLatin1String("Finish")), QStringLiteral("the finish of ") + caption, document);
  task->constraintType = node.Integer(QLatin1String("ConstraintType"), 0);
  task->constraintDate =
      ReadDate(node.Text(QLatin1String("ConstraintDate")), QStringLiteral("the constraint date of ") + caption, document);
  task->summaryFlag = ParseBoolean(node.Text(QLatin1String("Summary")));
  task->milestoneFlag = ParseBoolean(node.Text(QLatin1String("Milestone")));
  task->subprojectName = node.Text(QLatin1String("SubprojectName"));
  for (const Node& child : node.children) {
    if (child.name != QLatin1String("PredecessorLink")) continue;
    // A link into another project cannot be followed.
    if (ParseBoolean(child.Text(QLatin1String("CrossProject")))) continue;
    Link link;
    link.predecessorUid = child.Integer(QLatin1String("PredecessorUID"), 0);
    link.type = std::clamp(child.Integer(QLatin1String("Type"), 1), 0, 3);
    link.lagTenths = child.Number(QLatin1String("LinkLag")).value_or(0.0);
    link.lagFormat = child.Integer(QLatin1String("LagFormat"), 7);
    task->links.append(link);
  }
  for (const auto& [field, value] : CustomFields(node)) {
    switch (field) {
      case kOptimisticField:
        task->optimistic = ParseDuration(value).value_or(0.0);
        break;
      case kMostLikelyField:
        task->mostLikely = ParseDuration(value).value_or(0.0);
        break;
      case kPessimisticField:
        task->pessimistic = ParseDuration(value).value_or(0.0);
        break;
      case kEffortUnitsField:
        task->effortUnitNumber = ParseNumber(value).value_or(0.0);
        break;
      default:
        break;
    }
  }
  document.tasks.push_back(std::move(task));
}

void ReadResource(const Node& node, Document& document) {
  auto resource = std::make_unique<Resource>();
  resource->uid = node.Integer(QLatin1String("UID"), 0);
  resource->id = node.Integer(QLatin1String("ID"), resource->uid);
  if (!node.Has(QLatin1String("UID"))) resource->uid = resource->id;
  resource->isNull = ParseBoolean(node.Text(QLatin1String("IsNull")));
  resource->name = node.Text(QLatin1String("Name"));
  resource->group = node.Text(QLatin1String("Group"));
  resource->code = node.Text(QLatin1String("Code"));
  resource->standardRate = node.Number(QLatin1String("StandardRate")).value_or(0.0);
  resource->standardRateFormat = node.Integer(QLatin1String("StandardRateFormat"), 2);
  resource->overtimeRate = node.Number(QLatin1String("OvertimeRate")).value_or(0.0);
  resource->overtimeRateFormat = node.Integer(QLatin1String("OvertimeRateFormat"), 2);
  document.resources.push_back(std::move(resource));
}

void ReadAssignment(const Node& node, Document& document) {
  auto assignment = std::make_unique<Assignment>();
  assignment->uid = node.Integer(QLatin1String("UID"), 0);
  assignment->taskUid = node.Integer(QLatin1String("TaskUID"), 0);
  assignment->resourceUid = node.Integer(QLatin1String("ResourceUID"), kNoResourceUid);
  assignment->units = node.Number(QLatin1String("Units")).value_or(1.0);
  for (const auto& [field, value] : CustomFields(node)) {
    if (field == kHoursField) {
      const std::optional<double> hours = ParseNumber(value);
      if (hours && std::isfinite(*hours) && *hours >= 0.0) assignment->hours = hours;
    }
    if (field != kWorkDaysField || value.size() != 9) continue;
    assignment->workDayMarker = true;
    for (int kind = 0; kind < 9; ++kind) assignment->workDays[kind] = value.at(kind) == QLatin1Char('1');
  }
  document.assignments.push_back(std::move(assignment));
}

// Reads the members of a collection element (Tasks, Resources, Assignments).
template <class ReadMember>
void ReadCollection(QXmlStreamReader& xml, QLatin1String member, Document& document, ReadMember read) {
  while (xml.readNextStartElement()) {
    if (xml.name() == member) {
      read(ReadNode(xml, kKeptLevels), document);
    } else {
      xml.skipCurrentElement();
    }
  }
}

}  // namespace

QString ReadMspdi(QIODevice& device, Document& document) {
  QXmlStreamReader xml(&device);
  if (!xml.readNextStartElement()) {
    return xml.hasError() ? xml.errorString() : QStringLiteral("it holds no XML element");
  }
  if (xml.name() != QLatin1String("Project")) {
    return QStringLiteral("its first element is <") + xml.name().toString() + QStringLiteral(">, not <Project>");
  }
  while (xml.readNextStartElement()) {
    const QStringView name = xml.name();
    if (name == QLatin1String("Title")) {
      document.title = ElementText(xml);
    } else if (name == QLatin1String("StartDate")) {
      document.startDate = ReadDate(ElementText(xml), QStringLiteral("the project's start date"), document);
    } else if (name == QLatin1String("MinutesPerDay") || name == QLatin1String("MinutesPerWeek") ||
               name == QLatin1String("DaysPerMonth")) {
      const QString which = name.toString();
      const std::optional<double> value = ParseNumber(ElementText(xml));
      if (!value || *value < 1 || *value > 1e6) continue;  // keep the standard measure
      const int whole = static_cast<int>(*value);
      if (which == QLatin1String("MinutesPerDay")) document.workingTime.minutesPerDay = whole;
      if (which == QLatin1String("MinutesPerWeek")) document.workingTime.minutesPerWeek = whole;
      if (which == QLatin1String("DaysPerMonth")) document.workingTime.daysPerMonth = whole;
    } else if (name == QLatin1String("Tasks")) {
      ReadCollection(xml, QLatin1String("Task"), document, ReadTask);
    } else if (name == QLatin1String("Resources")) {
      ReadCollection(xml, QLatin1String("Resource"), document, ReadResource);
    } else if (name == QLatin1String("Assignments")) {
      ReadCollection(xml, QLatin1String("Assignment"), document, ReadAssignment);
    } else {
      xml.skipCurrentElement();
    }
  }
  if (xml.hasError()) {
    return xml.errorString() + QStringLiteral(" at line %1").arg(xml.lineNumber());
  }
  return document.BuildOutline();
}

}  // namespace MSProject
