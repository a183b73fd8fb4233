#include "MspdiWriter.h"

#include "MspdiDocument.h"

#include <QLocale>
#include <QXmlStreamWriter>

#include <cmath>

namespace MSProject {

namespace {

const QString kNamespace = QStringLiteral("http://schemas.microsoft.com/project");

void Text(QXmlStreamWriter& xml, const char* name, const QString& value) {
  xml.writeTextElement(QLatin1String(name), value);
}
void Number(QXmlStreamWriter& xml, const char* name, double value) { Text(xml, name, FormatNumber(value)); }
void Flag(QXmlStreamWriter& xml, const char* name, bool value) {
  Text(xml, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void CustomField(QXmlStreamWriter& xml, int field, const QString& value) {
  xml.writeStartElement(QStringLiteral("ExtendedAttribute"));
  Number(xml, "FieldID", field);
  Text(xml, "Value", value);
  xml.writeEndElement();
}

void FieldDefinition(QXmlStreamWriter& xml, int field, const char* name, int fieldType, int element, const char* alias) {
  xml.writeStartElement(QStringLiteral("ExtendedAttribute"));
  Number(xml, "FieldID", field);
  Text(xml, "FieldName", QLatin1String(name));
  Number(xml, "CFType", fieldType);
  Number(xml, "ElemType", element);
  Text(xml, "Alias", QLatin1String(alias));
  xml.writeEndElement();
}

void WriteFieldDefinitions(QXmlStreamWriter& xml) {
  constexpr int kDuration = 2;
  constexpr int kNumber = 5;
  constexpr int kText = 7;
  constexpr int kTask = 20;
  constexpr int kAssignment = 23;
  xml.writeStartElement(QStringLiteral("ExtendedAttributes"));
  FieldDefinition(xml, kOptimisticField, "Duration1", kDuration, kTask, "Optimistic");
  FieldDefinition(xml, kMostLikelyField, "Duration2", kDuration, kTask, "Most Likely");
  FieldDefinition(xml, kPessimisticField, "Duration3", kDuration, kTask, "Pessimistic");
  FieldDefinition(xml, kEffortUnitsField, "Number1", kNumber, kTask, "Effort Units");
  FieldDefinition(xml, kWorkDaysField, "Text1", kText, kAssignment, "Work Days");
  FieldDefinition(xml, kHoursField, "Number1", kNumber, kAssignment, "Hours");
  xml.writeEndElement();
}

void WriteWorkingTimes(QXmlStreamWriter& xml) {
  xml.writeStartElement(QStringLiteral("WorkingTimes"));
  for (const auto& [from, to] : {std::pair{"08:00:00", "12:00:00"}, std::pair{"13:00:00", "17:00:00"}}) {
    xml.writeStartElement(QStringLiteral("WorkingTime"));
    Text(xml, "FromTime", QLatin1String(from));
    Text(xml, "ToTime", QLatin1String(to));
    xml.writeEndElement();
  }
  xml.writeEndElement();
}

void WriteCalendar(QXmlStreamWriter& xml) {
  xml.writeStartElement(QStringLiteral("Calendars"));
  xml.writeStartElement(QStringLiteral("Calendar"));
  Number(xml, "UID", 1);
  Text(xml, "Name", QStringLiteral("Standard"));
  Flag(xml, "IsBaseCalendar", true);
  xml.writeStartElement(QStringLiteral("WeekDays"));
  for (int day = 1; day <= 7; ++day) {  // 1 Sunday .. 7 Saturday
    const bool working = day >= 2 && day <= 6;
    xml.writeStartElement(QStringLiteral("WeekDay"));
    Number(xml, "DayType", day);
    Flag(xml, "DayWorking", working);
    if (working) WriteWorkingTimes(xml);
    xml.writeEndElement();
  }
  xml.writeEndElement();
  xml.writeEndElement();
  xml.writeEndElement();
}

void WriteLink(QXmlStreamWriter& xml, const Link& link) {
  xml.writeStartElement(QStringLiteral("PredecessorLink"));
  Number(xml, "PredecessorUID", link.predecessorUid);
  Number(xml, "Type", link.type);
  Number(xml, "LinkLag", std::round(link.lagTenths));
  Number(xml, "LagFormat", link.lagFormat);
  xml.writeEndElement();
}

void WriteTask(QXmlStreamWriter& xml, const Task& task, const QString& outlineNumber) {
  const bool summary = !task.children.isEmpty();
  xml.writeStartElement(QStringLiteral("Task"));
  Number(xml, "UID", task.uid);
  Number(xml, "ID", task.id);
  Text(xml, "Name", task.name);
  Text(xml, "OutlineNumber", outlineNumber);
  Number(xml, "OutlineLevel", task.outlineLevel);
  if (task.start) Text(xml, "Start", FormatDateTime(*task.start));
  if (task.finish) Text(xml, "Finish", FormatDateTime(*task.finish));
  if (task.duration) {
    Text(xml, "Duration", FormatDuration(*task.duration));
    Number(xml, "DurationFormat", task.durationFormat);
  }
  Flag(xml, "Milestone", !summary && task.duration.value_or(0.0) == 0.0);
  Flag(xml, "Summary", summary);
  Number(xml, "FixedCost", task.fixedCost * 100.0);
  if (task.constraintDate) {
    Number(xml, "ConstraintType", task.constraintType);
    Text(xml, "ConstraintDate", FormatDateTime(*task.constraintDate));
  }
  if (!task.notes.isEmpty()) Text(xml, "Notes", task.notes);
  for (const Link& link : task.links) WriteLink(xml, link);
  if (task.mostLikely != 0.0) {
    CustomField(xml, kOptimisticField, FormatDuration(task.optimistic));
    CustomField(xml, kMostLikelyField, FormatDuration(task.mostLikely));
    CustomField(xml, kPessimisticField, FormatDuration(task.pessimistic));
  }
  if (task.effortUnitNumber != 0.0) CustomField(xml, kEffortUnitsField, FormatNumber(task.effortUnitNumber));
  xml.writeEndElement();
}

void WriteTasks(QXmlStreamWriter& xml, const Document& document) {
  xml.writeStartElement(QStringLiteral("Tasks"));
  // Outline numbers count the rows at each level: 1, 1.1, 1.2, 2, ...
  QList<int> counters;
  for (const auto& task : document.tasks) {
    const int level = std::max(task->outlineLevel, 1);
    while (counters.size() > level) counters.removeLast();
    while (counters.size() < level) counters.append(0);
    ++counters.last();
    QStringList parts;
    for (int counter : counters) parts.append(QString::number(counter));
    WriteTask(xml, *task, parts.join(QLatin1Char('.')));
  }
  xml.writeEndElement();
}

void WriteResources(QXmlStreamWriter& xml, const Document& document) {
  xml.writeStartElement(QStringLiteral("Resources"));
  for (const auto& resource : document.resources) {
    xml.writeStartElement(QStringLiteral("Resource"));
    Number(xml, "UID", resource->uid);
    Number(xml, "ID", resource->id);
    Text(xml, "Name", resource->name);
    Number(xml, "Type", 1);  // work
    if (!resource->code.isEmpty()) Text(xml, "Code", resource->code);
    if (!resource->group.isEmpty()) Text(xml, "Group", resource->group);
    Number(xml, "StandardRate", resource->standardRate);
    Number(xml, "StandardRateFormat", resource->standardRateFormat);
    Number(xml, "OvertimeRate", resource->overtimeRate);
    Number(xml, "OvertimeRateFormat", resource->overtimeRateFormat);
    Number(xml, "CalendarUID", 1);
    xml.writeEndElement();
  }
  xml.writeEndElement();
}

void WriteAssignments(QXmlStreamWriter& xml, const Document& document) {
  xml.writeStartElement(QStringLiteral("Assignments"));
  for (const auto& assignment : document.assignments) {
    xml.writeStartElement(QStringLiteral("Assignment"));
    Number(xml, "UID", assignment->uid);
    Number(xml, "TaskUID", assignment->taskUid);
    Number(xml, "ResourceUID", assignment->resourceUid);
    Number(xml, "Units", assignment->units);
    if (assignment->workDayMarker) {
      QString days;
      for (bool works : assignment->workDays) days += works ? QLatin1Char('1') : QLatin1Char('0');
      CustomField(xml, kWorkDaysField, days);
    }
    // The shortest text that reads back as the same value: the hours come back exactly.
    if (assignment->hours) {
      CustomField(xml, kHoursField, QString::number(*assignment->hours, 'g', QLocale::FloatingPointShortest));
    }
    xml.writeEndElement();
  }
  xml.writeEndElement();
}

}  // namespace

void WriteMspdi(const Document& document, const QString& fileName, QIODevice& device) {
  QXmlStreamWriter xml(&device);
  xml.setAutoFormatting(true);
  xml.setAutoFormattingIndent(1);
  xml.writeStartDocument(QStringLiteral("1.0"), true);
  xml.writeStartElement(QStringLiteral("Project"));
  xml.writeDefaultNamespace(kNamespace);
  Number(xml, "SaveVersion", 12);
  Text(xml, "Name", fileName);
  Text(xml, "Title", document.title);
  Flag(xml, "ScheduleFromStart", true);
  if (document.startDate) Text(xml, "StartDate", FormatDateTime(*document.startDate));
  Text(xml, "CurrencyCode", document.currencyCode);
  Number(xml, "CalendarUID", 1);
  Number(xml, "MinutesPerDay", document.workingTime.minutesPerDay);
  Number(xml, "MinutesPerWeek", document.workingTime.minutesPerWeek);
  Number(xml, "DaysPerMonth", document.workingTime.daysPerMonth);
  WriteFieldDefinitions(xml);
  WriteCalendar(xml);
  WriteTasks(xml, document);
  WriteResources(xml, document);
  WriteAssignments(xml, document);
  xml.writeEndElement();
  xml.writeEndDocument();
}

}  // namespace MSProject
