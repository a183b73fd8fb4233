// The import of a Microsoft Project file: the project, its resources, its tasks with their
// summary tasks as subprojects, and the journal of every project it made.

#include "ImportChecks.h"
#include "Transfer.h"
#include "TransferState.h"

#include "Common.h"
#include "Currency.h"
#include "Guard.h"
#include "OleDate.h"
#include "Pool.h"
#include "Rounding.h"
#include "ShortDate.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <cmath>
#include <vector>

namespace Transfer {

namespace {

double Today() { return praxel::ToOleDate(QDate::currentDate()); }

// A template for the resources when there is none: "Resources", one journal dated today and
// the one shift "Standard".
void MakeResourceTemplate() {
  auto* templ = Common::NewY<Ytemplate>(ytTemplate);
  Common::SetThisTemplate(templ);
  templ->SetTemplateName(QStringLiteral("Resources"));
  templ->AddJournal(Today());
  auto* shift = Common::NewY<Yshift>(ytShift);
  shift->Template = templ;
  shift->SetShiftName(QStringLiteral("Standard"));
}

// The rate per hour of a rate text ("25/h", "$25.00/h"): the text before the first "/", read as
// money in the user's notation or the invariant one. Text that is no amount is error 13.
praxel::Currency FixRate(const QString& text) {
  praxel::Currency rate;
  ErrTrap::Guarded(QStringLiteral("Transfer:FixRate"), [&] {
    QString amount = text.section(QLatin1Char('/'), 0, 0).trimmed();
    const QLocale locale;
    amount.remove(locale.currencySymbol()).remove(QLatin1Char('$'));
    amount = amount.trimmed();
    bool ok = false;
    double value = locale.toDouble(amount, &ok);
    if (!ok) value = QLocale::c().toDouble(amount, &ok);
    if (!ok) praxel::RaiseProgramError(QStringLiteral("The rate \"") + text + QStringLiteral("\" is no amount of money."));
    rate = praxel::Currency::FromDouble(value);
  });
  return rate;
}

// The resources of a document. Those of an inserted project that bear the name of a resource
// this import already made are that person (a pool the projects share), not a new one.
void ImportResourcesOf(const MSProject::Document& document) {
  ErrTrap::Guard guard(QStringLiteral("Transfer:ImportResourcesOf"));
  State& state = TransferState();
  Ytemplate* templ = Common::ThisTemplate();
  const bool inserted = &document != state.MSProjectApp.ActiveProject();
  for (const MSProject::Resource* source : document.Resources()) {
    if (inserted) {
      Yresource* same = nullptr;
      for (Yresource* known : std::as_const(state.ImportedResources)) {
        if (known->Description == source->name) same = known;
      }
      if (same != nullptr) {
        state.ImportedResources.insert(source, same);
        continue;
      }
    }
    Yresource* resource = nullptr;
    guard([&] {
      resource = Common::NewY<Yresource>(ytResource);
      resource->SetTemplate(templ);
      // A template that already has the file's ID gives the resource the next free one; the
      // assignments find it through the file's resource all the same.
      int id = source->id;
      if (id <= 0 || !resource->ResourceIDRefusal(*templ, id).isEmpty()) id = templ->NextResourceID();
      resource->SetResourceID(id);
      state.ImportedResources.insert(source, resource);
    });
    if (resource == nullptr) continue;
    guard([&] {
      resource->Description = source->name;
      resource->SetDepartment(source->group);
      resource->SetTitle(source->code);
    });
    guard([&] { resource->SetBurdenedRate(FixRate(source->StandardRateText())); });
    guard([&] {
      resource->SetOvertimeRate(FixRate(source->OvertimeRateText()));
      resource->SetOffDayRate(resource->OvertimeRate());
      resource->SetHolidayRate(resource->OvertimeRate());
    });
    guard([&] {
      if (!templ->ShiftList.IsEmpty()) resource->SetShift(templ->ShiftList.First());
    });
  }
}

void ImportResources() {
  ErrTrap::Guard guard(QStringLiteral("Transfer:ImportResources"));
  State& state = TransferState();
  guard([] { StatusMessage(QStringLiteral("Importing resources")); });
  guard([&] { state.ImportedResources.clear(); });
  guard([&] { ImportResourcesOf(*state.MSProjectApp.ActiveProject()); });
}

void ImportTasksFromProject(const QList<MSProject::Task*>& Tasks, Yproject* Project);

// Where the file of a project inserted at a task of `document` may lie: where its name says
// (from the folder of the document when it is relative), else beside the document under its own
// name; a ".mpp" name also as ".xml", the form this program reads.
QStringList InsertedFileCandidates(const QString& fileName, const MSProject::Document& document) {
  const QDir folder = QFileInfo(document.path).absoluteDir();
  QString said = fileName;
  said.replace(QLatin1Char('\\'), QLatin1Char('/'));
  const QString beside = folder.filePath(said.section(QLatin1Char('/'), -1));
  QStringList candidates;
  for (const QString& path : {folder.filePath(said), beside}) {
    candidates.append(path);
    if (IsBinaryMSProject(path)) candidates.append(path.left(path.size() - 4) + QStringLiteral(".xml"));
  }
  candidates.removeDuplicates();
  return candidates;
}

// Reads the file of the project inserted at T. None when no candidate is a Microsoft Project XML
// file, or when the file is one being followed already (a project that inserts itself); what
// was missed is noted for the user.
const MSProject::Document* OpenInserted(const MSProject::Task& T) {
  State& state = TransferState();
  QString problem = QStringLiteral("not found");
  for (const QString& path : InsertedFileCandidates(T.SubprojectFileName(), *T.document)) {
    const QFileInfo file(path);
    if (!file.isFile()) continue;
    const QString canonical = file.canonicalFilePath();
    bool followed = false;
    for (const QString& open : std::as_const(state.FollowedFiles)) {
      followed = followed || QFileInfo(open).canonicalFilePath() == canonical;
    }
    if (followed) {
      problem = QStringLiteral("it inserts itself");
      break;
    }
    QString error;
    if (const MSProject::Document* document = state.MSProjectApp.FileOpenInserted(path, &error)) return document;
    problem = error;
  }
  state.MissedSubprojects.append(QStringLiteral("\"%1\" of task %2 (%3): %4")
                                     .arg(QDir::toNativeSeparators(T.SubprojectFileName()))
                                     .arg(T.id)
                                     .arg(T.name.trimmed())
                                     .arg(problem));
  return nullptr;
}

// The minutes of an estimate as effort minutes: `units` times the Project minutes, rounded once.
std::int32_t EffortMinutes(float units, double minutes) { return praxel::ToLong(static_cast<double>(units) * minutes); }

// Imports one task into the project. A summary task becomes a subproject task; the new subproject
// is returned, for its children to be imported into it.
Yproject* ImportOneTask(Yproject* Project, MSProject::Task* T) {
  ErrTrap::Guard guard(QStringLiteral("Transfer:ImportOneTask"));
  State& state = TransferState();
  if (T->isNull) return nullptr;
  Ytask* task = nullptr;
  guard([&] {
    task = Common::NewY<Ytask>(ytTask);
    task->SetProject(Project);
    task->SetTaskID(T->id);
    task->Description = T->name.trimmed();
    task->MTask = T;
  });
  if (task == nullptr) return nullptr;
  guard([&] {
    const QString key = T->ProjectName() + QLatin1Char('\\') + QString::number(T->id);
    if (state.ImportedTasks.contains(key)) praxel::RaiseAssertion();
    state.ImportedTasks.insert(key, task);
  });
  if (T->ChildTasks().isEmpty() && T->SubprojectFileName().isEmpty()) {
    guard([&] {
      double optimistic = T->optimistic;
      double mostLikely = T->mostLikely;
      double pessimistic = T->pessimistic;
      if (mostLikely == 0.0) optimistic = mostLikely = pessimistic = T->duration.value_or(0.0);
      if (T->effortUnitNumber != 0.0) {
        task->SetEffortUnits(praxel::ToLong(T->effortUnitNumber));
      } else {
        task->SetEffortUnits(T->UnitText().isEmpty() ? 1440 : -480);
      }
      // Project minutes become effort minutes, rounded once.
      const float units = EffortPerDurationMinute(*T);
      task->SetOptimistic(EffortMinutes(units, optimistic));
      task->SetMostLikely(EffortMinutes(units, mostLikely));
      task->SetPessimistic(EffortMinutes(units, pessimistic));
    });
    guard([&] { task->SetMaterialCost(praxel::Currency::FromDouble(T->fixedCost)); });
    guard([&] { state.ImportedTaskList.append(task); });
    return nullptr;
  }
  // A summary task stands for a subproject that holds its children.
  Yproject* child = nullptr;
  guard([&] {
    child = Common::NewY<Yproject>(ytProject);
    state.ImportedProjects.append(child);
    const QString name = T->name.trimmed();
    child->SetProjectName(name.isEmpty() ? QStringLiteral("Task %1").arg(T->id) : name);
    child->Description = T->notes;
    child->AddJournal(Project->Journal());
    task->SetSubproject(child);
  });
  if (child == nullptr || T->SubprojectFileName().isEmpty()) return child;
  // An inserted project's tasks come from its own file (whose own inserted files nest no deeper
  // than the files there are: a file inserting itself is refused); when that cannot be read, from
  // the rows below the task, if the file has any.
  const MSProject::Document* inserted = nullptr;
  guard([&] { inserted = OpenInserted(*T); });
  if (inserted == nullptr) return child;
  // The file stays on the list of files followed only while its tasks are imported, even when
  // that fails and the user goes on.
  state.FollowedFiles.append(inserted->path);
  guard([&] {
    ImportResourcesOf(*inserted);
    ImportTasksFromProject(inserted->Tasks(), child);
  });
  state.FollowedFiles.removeLast();
  return nullptr;
}

// Tasks of one collection still to import into a project.
struct PendingTasks {
  QList<MSProject::Task*> tasks;
  Yproject* project = nullptr;
  qsizetype next = 0;
};

// Imports the tasks into the project, and the children of each summary task into the subproject
// it becomes, right after it. The collections under way are kept in a list rather than in nested
// calls, so that an outline of any depth needs no deeper stack.
void ImportTasksFromProject(const QList<MSProject::Task*>& Tasks, Yproject* Project) {
  ErrTrap::Guard guard(QStringLiteral("Transfer:ImportTasksFromProject"));
  State& state = TransferState();
  guard([&] { StatusMessage(QStringLiteral("Importing ") + Project->BuildNodeText()); });
  std::vector<PendingTasks> pending{{Tasks, Project}};
  while (!pending.empty()) {
    PendingTasks& current = pending.back();
    if (current.next == current.tasks.size()) {
      pending.pop_back();
      continue;
    }
    MSProject::Task* T = current.tasks.at(current.next++);
    Yproject* project = current.project;
    Yproject* child = nullptr;
    guard([&] { child = ImportOneTask(project, T); });
    guard([&] {
      if (T->start.has_value() && *T->start < state.ImportBaseDate) state.ImportBaseDate = std::floor(*T->start);
    });
    if (child == nullptr) continue;
    pending.push_back({T->ChildTasks(), child});
    guard([&] { StatusMessage(QStringLiteral("Importing ") + child->BuildNodeText()); });
  }
}

void ImportTasks() {
  ErrTrap::Guard guard(QStringLiteral("Transfer:ImportTasks"));
  State& state = TransferState();
  guard([&] {
    state.ImportedTaskList.clear();
    state.ImportedTasks.clear();
  });
  guard([&] { ImportTasksFromProject(state.MSProjectApp.ActiveProject()->Tasks(), Common::ThisProject()); });
}

// Every imported project gets one journal, dated the earliest day of the document and its tasks.
void FixJournals() {
  ErrTrap::Guard guard(QStringLiteral("Transfer:FixJournals"));
  State& state = TransferState();
  for (Yproject* project : state.ImportedProjects) {
    guard([&] { project->ChangeJournal(state.ImportBaseDate); });
  }
}

// Reads the file; tells the user when it is no Microsoft Project XML file.
bool OpenDocument(const QString& FileName) {
  State& state = TransferState();
  StatusMessage(QStringLiteral("Connecting to Microsoft Project"));
  QString error;
  const bool opened = state.MSProjectApp.FileOpen(FileName, &error);
  StatusMessage(QString());
  if (!opened) {
    praxel::CurrentPrompter().MsgBox(error, praxel::MsgCritical, QStringLiteral("Not A Microsoft Project File"));
  }
  return opened;
}

// Tells the user which dates of the file were past the last minute a date can name, or before the
// first day, and were set to it.
void TellChangedDates(const MSProject::Document& document) {
  QStringList paragraphs;
  const auto tell = [&paragraphs](const QString& lead, double date, const QStringList& dates) {
    if (dates.isEmpty()) return;
    const QString text = praxel::DateTimeText(date);
    paragraphs.append(lead.arg(text) + dates.join(QStringLiteral(", ")) + QLatin1Char('.'));
  };
  tell(QStringLiteral("Dates after %1 cannot be kept; these were set to %1: "), MSProject::kLastMinute,
       document.changedDates);
  tell(QStringLiteral("Dates before %1 cannot be kept; these were set to %1: "), 0.0, document.earlyDates);
  if (paragraphs.isEmpty()) return;
  praxel::CurrentPrompter().MsgBox(paragraphs.join(QStringLiteral("\n\n")), praxel::MsgInformation,
                                   QStringLiteral("Dates Changed"));
}

// The current template takes the resources, when the user agrees; without one a new one does.
bool ChooseTemplate() {
  Ytemplate* templ = Common::ThisTemplate();
  if (templ == nullptr) {
    MakeResourceTemplate();
    return true;
  }
  return praxel::CurrentPrompter().MsgBox(QStringLiteral("Resources will be imported in the active template (") +
                                              templ->BuildNodeText() + QStringLiteral(")."),
                                          praxel::MsgOkCancel | praxel::MsgInformation,
                                          QStringLiteral("Using Active Template")) != praxel::AnswerCancel;
}

// The rest of the project was imported; the user learns which inserted projects were not.
void TellMissedSubprojects() {
  State& state = TransferState();
  if (state.MissedSubprojects.isEmpty()) return;
  praxel::CurrentPrompter().MsgBox(
      QStringLiteral("The rest of the project was imported, but these subproject files could not be read:\n\n") +
          state.MissedSubprojects.join(QLatin1Char('\n')) +
          QStringLiteral("\n\nPut each subproject file beside the imported file, saved as Microsoft Project XML, "
                         "and import again."),
      praxel::MsgExclamation, QStringLiteral("Subprojects Not Found"));
}

}  // namespace

bool ImportMSProject(const QString& FileName) {
  ErrTrap::Guard guard(QStringLiteral("Transfer:ImportMSProject"));
  State& state = TransferState();
  // The file is read before anything changes, so a file that is no project file changes nothing.
  bool opened = false;
  guard([&] { opened = OpenDocument(FileName); });
  if (!opened) return false;
  QString refusal;
  guard([&] { refusal = ImportRefusal(*state.MSProjectApp.ActiveProject()); });
  if (!refusal.isEmpty()) {
    state.MSProjectApp.FileClose();
    praxel::CurrentPrompter().MsgBox(QStringLiteral("The file \"") + FileName +
                                         QStringLiteral("\" cannot be imported: ") + refusal + QLatin1Char('.'),
                                     praxel::MsgCritical, QStringLiteral("Cannot Import"));
    return false;
  }
  guard([&] { TellChangedDates(*state.MSProjectApp.ActiveProject()); });
  bool go = false;
  guard([&] { go = ChooseTemplate(); });
  if (!go) {
    state.MSProjectApp.FileClose();
    return false;
  }
  MSProject::Document* document = state.MSProjectApp.ActiveProject();
  state.FollowedFiles = {document->path};
  state.MissedSubprojects.clear();
  guard([&] { state.ImportBaseDate = std::floor(document->startDate.value_or(Today())); });
  guard([&] {
    auto* project = Common::NewY<Yproject>(ytProject);
    state.ImportedProjects = {project};
    project->SetProjectName(document->name);
    project->Description = document->title;
    if (project->Description.isEmpty()) project->Description = QStringLiteral("imported from Microsoft Project");
    Common::SetThisProject(project);
    project->AddJournal(state.ImportBaseDate);
  });
  guard([] { ImportResources(); });
  guard([] { ImportTasks(); });
  guard([&] { state.ProgressTotal = state.ImportedTaskList.size(); });
  guard([] { ImportDependencies(); });
  guard([] { ImportAssignments(); });
  guard([] { FixJournals(); });
  guard([&] {
    state.MSProjectApp.FileClose();
    StatusMessage(QString());
  });
  guard([] { TellMissedSubprojects(); });
  return true;
}

}  // namespace Transfer
