#include "HelpKeys.h"

#include "RuntimeError.h"

#include <QHash>
#include <QRegularExpression>

namespace Common {

namespace {

// The pages of the guided tours, each with the page after it.
struct TourLink {
  const char* page;
  const char* next;
};

// The tours: "Guide me" leads to the tour list, the list to the first tour; every tour ends at
// the list again.
const TourLink kTourLinks[] = {
    {"Guide me", "Tour list"},   {"Tour list", "Tour #1"},   {"Tour #1", "Tour 1.1"},    {"Tour #2", "Tour 2.1"},
    {"Tour #3", "Tour 3.1"},     {"Tour #4", "Tour 4.1"},    {"Tour #5", "Tour 5.1"},    {"Tour 1.1", "Tour 1.2"},
    {"Tour 1.2", "Tour 1.3"},    {"Tour 1.3", "Tour 1.4"},   {"Tour 1.4", "Tour 1.5"},   {"Tour 1.5", "Tour 1.6"},
    {"Tour 1.6", "Tour 1.7"},    {"Tour 1.7", "Tour 1.8"},   {"Tour 1.8", "Tour list"},  {"Tour 2.1", "Tour 2.2"},
    {"Tour 2.2", "Tour 2.3"},    {"Tour 2.3", "Tour 2.4"},   {"Tour 2.4", "Tour 2.5"},   {"Tour 2.5", "Tour 2.6"},
    {"Tour 2.6", "Tour 2.7"},    {"Tour 2.7", "Tour 2.8"},   {"Tour 2.8", "Tour 2.9"},   {"Tour 2.9", "Tour 2.10"},
    {"Tour 2.10", "Tour 2.11"},  {"Tour 2.11", "Tour 2.12"}, {"Tour 2.12", "Tour 2.13"}, {"Tour 2.13", "Tour 2.14"},
    {"Tour 2.14", "Tour 2.15"},  {"Tour 2.15", "Tour 2.16"}, {"Tour 2.16", "Tour list"}, {"Tour 3.1", "Tour 3.2"},
    {"Tour 3.2", "Tour 3.3"},    {"Tour 3.3", "Tour list"},  {"Tour 4.1", "Tour 4.2"},   {"Tour 4.2", "Tour 4.3"},
    {"Tour 4.3", "Tour 4.4"},    {"Tour 4.4", "Tour list"},  {"Tour 5.1", "Tour 5.2"},   {"Tour 5.2", "Tour 5.3"},
    {"Tour 5.3", "Tour 5.4"},    {"Tour 5.4", "Tour 5.5"},   {"Tour 5.5", "Tour 5.6"},   {"Tour 5.6", "Tour 5.7"},
    {"Tour 5.7", "Tour list"},
};

// Every help page, in the order the table places them.
const char* const kPageKeys[] = {
    "Active", "ASCII", "Assignment", "Assignment.Hours", "Assignment.Resource", "Assignment.Template",
    "Assignment.Work", "Automatic", "Back", "Backup", "Budget", "Bundle", "Burdened Rate", "Burdened Rate Calculator",
    "Calendar", "Calendar time", "Cancel", "Compression of schedule", "Contract", "Contract all", "Copy", "CPM",
    "Crash", "Crash analysis", "Current", "Dangling", "Date dependency", "Delete", "Department", "Dependency",
    "Dependency.Date", "Dependency.From", "Dependency.Offset", "Dependency.Project", "Dependency.Quick",
    "Dependency.Sentence", "Dependency.Task", "Dependency.To", "Description", "Detailed", "Efficiency", "Effort",
    "Exit", "Expand", "Expand all", "F1", "File", "Font", "Gaussian", "Graphics", "Guide me", "Help", "Histogram",
    "Holiday", "Hyperlink", "Increment", "Index", "Iterations", "Iterative", "Journal", "Loading by day",
    "Loading by project", "Loading by resource", "Master", "Dudivizivo Voruv", "Memory", "Menu", "Modify",
    "MostLikely", "Move", "Multi-project people workloads", "Multiplier", "New", "Next",
    "Normal and overtime, extend if more needed", "Normal and overtime, halt if more needed",
    "Normal only, extend if more needed", "Normal only, halt if more needed", "Object", "Off day", "Ok", "Open",
    "Optimistic", "Output", "Overload", "Overload detected", "Overtime", "Overtime and overload", "Overtime needed",
    "PERT", "Pessimistic", "Plan", "Precedence diagram", "Preferences", "Print", "Printer", "Priority", "Project",
    "Project select", "Project summary", "Project Tree", "Project Tree without project", "Project update",
    "Project.Initial", "Project.Manager", "Project.Modify", "Project.Project", "Project.Solve", "Project.View",
    "Quick", "Replicate", "Resize", "Resource", "Resource entry", "Resource.Burdened", "Resource.Department",
    "Resource.Holiday", "Resource.Off", "Resource.Overtime", "Resource.Resource", "Resource.Shift",
    "Resource.Title", "Resource.Work", "Risk", "Risk analysis", "Rule", "Save", "Select", "Set as plan", "Setup",
    "Shift", "Shift.Burdened", "Shift.Grid", "Shift.Group", "Shift.Holiday", "Shift.Off", "Shift.Overtime",
    "Shift.Shift", "Shutdown", "Solve", "Solve complete", "Solve status display", "Spreadsheet", "Status bar",
    "Subproject", "Task", "Task entry", "Task.Enable", "Task.Estimate", "Task.Material", "Task.Specific",
    "Task.Task", "Task.Units", "Technical Support", "Template", "Template select", "Template Tree",
    "Template Tree without template", "Template.Modify", "Template.Template", "Template.View", "Toolbar",
    "Tour #1", "Tour #2", "Tour #3", "Tour #4", "Tour #5", "Tour 1.1", "Tour 1.2", "Tour 1.3", "Tour 1.4",
    "Tour 1.5", "Tour 1.6", "Tour 1.7", "Tour 1.8", "Tour 2.1", "Tour 2.2", "Tour 2.3", "Tour 2.4", "Tour 2.5",
    "Tour 2.6", "Tour 2.7", "Tour 2.8", "Tour 2.9", "Tour 2.10", "Tour 2.11", "Tour 2.12", "Tour 2.13",
    "Tour 2.14", "Tour 2.15", "Tour 2.16", "Tour 3.1", "Tour 3.2", "Tour 3.3", "Tour 4.1", "Tour 4.2",
    "Tour 4.3", "Tour 4.4", "Tour 5.1", "Tour 5.2", "Tour 5.3", "Tour 5.4", "Tour 5.5", "Tour 5.6", "Tour 5.7",
    "Tour list", "Unlimited hours per day", "Unsolve", "Up to 24 hours, extend if more needed",
    "Up to 24 hours, halt if more needed", "Using help", "Vacation", "Welcome", "Welcome.Ok", "Windows programs",
    "Work breakdown structure",
};

// Every icon, placed after the pages; each is the picture ":/icons/" & key in the resources.
const char* const kIconKeys[] = {
    "Assignment.ico", "Budget.ico", "Calendar.ico", "Copy.ico", "Department.ico", "Dependency.ico", "Font.ico",
    "GanttChart.ico", "Help.ico", "Histogram.ico", "Journal.ico", "Dudivizivo Voruv.ico", "NoDrop.ico",
    "Open.ico", "Overage.ico", "Praxel.ico", "Precedence diagram.ico", "Precedence.ico", "Preferences.ico",
    "Print.ico", "Project.ico", "Resource.ico", "Risk.ico", "Save.ico", "Shift.ico", "Solve.ico",
    "Spreadsheet.ico", "Subproject.ico", "Task.ico", "Template.ico", "Work breakdown structure.ico",
    "WorkBreakdown.ico",
};

// The ANSI code of a character; characters outside the code page read as "?".
int AnsiCode(QChar ch) {
  const char latin = ch.toLatin1();
  if (latin == 0 && !ch.isNull()) return '?';
  return static_cast<unsigned char>(latin);
}

QStringList KeysOf(const char* const* first, const char* const* last) {
  QStringList keys;
  for (const char* const* key = first; key != last; ++key) keys.append(QString::fromLatin1(*key));
  return keys;
}

}  // namespace

KeyTable::KeyTable(const QStringList& keys) {
  for (const QString& key : keys) {
    if (count_ + 1 >= kSlots) praxel::RaiseProgramError(QStringLiteral("The key table is full"));
    int slot = Hash(key);
    while (!slots_[slot].isEmpty()) slot = (slot + 1) % kSlots;
    slots_[slot] = key;
    ++count_;
  }
}

int KeyTable::Hash(const QString& key) {
  int h = 0;
  for (const QChar ch : key) h = (h * 17 + AnsiCode(ch.toUpper())) % kSlots;
  return h;
}

int KeyTable::HashKey(QString& Key) const {
  // The table always keeps a free slot, so the probe ends.
  for (int slot = Hash(Key);; slot = (slot + 1) % kSlots) {
    const QString stored = StoredKey(slot);
    if (stored.isEmpty()) return -1;
    if (stored.compare(Key, Qt::CaseInsensitive) == 0) {
      Key = stored;
      return slot;
    }
  }
}

QString KeyTable::StoredKey(int slot) const {
  if (slot < 0 || slot >= kSlots) return QString();
  return slots_[slot];
}

const QStringList& PageKeys() {
  static const QStringList keys = KeysOf(std::begin(kPageKeys), std::end(kPageKeys));
  return keys;
}

const QStringList& IconKeys() {
  static const QStringList keys = KeysOf(std::begin(kIconKeys), std::end(kIconKeys));
  return keys;
}

const KeyTable& ResourceKeys() {
  static const KeyTable table(PageKeys() + IconKeys());
  return table;
}

QString NextPageOf(const QString& StoredKey) {
  static const QHash<QString, QString> next = [] {
    QHash<QString, QString> links;
    for (const TourLink& link : kTourLinks) links.insert(QString::fromLatin1(link.page), QString::fromLatin1(link.next));
    return links;
  }();
  return next.value(StoredKey);
}

QString FindPageKey(const QString& Key) {
  QString key = Key;
  while (ResourceKeys().HashKey(key) < 0) {
    if (key.endsWith(QLatin1Char('s'), Qt::CaseInsensitive)) {
      key.chop(1);
    } else if (key.endsWith(QLatin1String("ie"), Qt::CaseInsensitive)) {
      key = key.left(key.size() - 2) + QLatin1Char('y');
    } else {
      return QString();
    }
  }
  return key;
}

QString PageFileName(const QString& Key) {
  static const QRegularExpression others(QStringLiteral("[^a-z0-9]+"));
  QString name = Key.toLower().replace(others, QStringLiteral("-"));
  while (name.startsWith(QLatin1Char('-'))) name.remove(0, 1);
  while (name.endsWith(QLatin1Char('-'))) name.chop(1);
  return name + QStringLiteral(".html");
}

}  // namespace Common
